#include "Launch.h"

#include <shellapi.h>
#include <shlobj.h>

#include "sdk/LocationNames.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor::host {

namespace {

// The shell folder (CSIDL) a special item opens, or -1 for a path.
int specialFolderOf(const std::u16string& target) {
  const SpecialItem* item = FindSpecialItem(target);
  switch (item ? item->icon : kIconDefaultGroup) {
    case kIconMyComputer: return CSIDL_DRIVES;
    case kIconNetworkNeighborhood: return CSIDL_NETWORK;
    case kIconControlPanel: return CSIDL_CONTROLS;
    case kIconRecycleBin: return CSIDL_BITBUCKET;
    case kIconPrinterFolder: return CSIDL_PRINTERS;
    case kIconFontsFolder: return CSIDL_FONTS;
    case kIconDesktopFolder: return CSIDL_DESKTOPDIRECTORY;
    case kIconDefaultGroup: break;
  }
  return -1;
}

}  // namespace

bool LaunchItem(HWND owner, const std::u16string& target) {
  const int folder = specialFolderOf(target);
  if (folder < 0) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, nullptr, win32::wide(target), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
  }
  win32::unique_pidl pidl;
  if (FAILED(SHGetSpecialFolderLocation(owner, folder, pidl.put()))) return false;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_IDLIST;
  info.hwnd = owner;
  info.lpIDList = pidl.get();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace tollivor::host
