// The three edits the bar asks of Tollivor, each as the bar does it: create
// the class by ProgID, hand it a record, show its dialog, take the result.
// Each returns what the bar would learn, as lines to show the user.
#pragma once

#include <string>
#include <vector>

namespace tollivor::host {

using Lines = std::vector<std::wstring>;

Lines editItem(const std::wstring& record);
Lines editGroup(const std::wstring& record);
Lines editSettings();

}  // namespace tollivor::host
