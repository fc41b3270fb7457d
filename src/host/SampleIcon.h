// The sample bar's own group icon: written as an .ico file when the bar makes
// its first entries, so its Tools group has a real icon file to show.
#pragma once

#include <string>

namespace tollivor::host {

// The icon file's full path (in the user's temporary folder); "" when it
// could not be written.
std::wstring SampleGroupIconFile();

}  // namespace tollivor::host
