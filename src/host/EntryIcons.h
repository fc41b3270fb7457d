// The icons the bar shows for its entries: a file's or folder's from the
// shell, a group's from its icon file, and those of the special items and of
// a group without an icon file from the host's helper library Sysgate.dll.
#pragma once

#include <windows.h>

#include "host/core/Entries.h"
#include "standins/HostHelpers.h"
#include "win32/Handles.h"

namespace tollivor::host {

inline constexpr int kEntryIconSize = 32;  // pixels

class EntryIcons {
 public:
  // Loads Sysgate.dll once, by full path, from the bar's own folder: a bare
  // name would also search the current folder, where anyone may have put a
  // library of that name.
  EntryIcons();

  // A large icon, or an empty handle when there is none.
  win32::unique_hicon of(const Record& record) const;

 private:
  win32::unique_hicon special(std::int32_t number) const;

  win32::unique_hmodule sysgate_;
  GetSpecialLargeIconFn getSpecialLargeIcon_ = nullptr;
};

}  // namespace tollivor::host
