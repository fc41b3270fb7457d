// The three edits the bar asks of Tollivor, each as the host bar does it:
// create the class by ProgID, hand it the record, show its dialog, read the
// result, release the object at once.
#pragma once

#include <optional>
#include <string>

namespace tollivor::host {

// The record the dialog gave back, or nothing when it gave none (Cancel, the
// close box) or the class could not be created.
std::optional<std::u16string> EditItem(const std::u16string& record);
std::optional<std::u16string> EditGroup(const std::u16string& record);
// The dialog writes the settings store itself; false when it could not be shown.
bool EditSettings();

}  // namespace tollivor::host
