#include "Launch.h"

#include <shellapi.h>
#include <shlobj.h>

#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor::host {

int SpecialFolderOf(const std::u16string& target) {
  static constexpr struct {
    std::u16string_view name;
    int folder;
  } kFolders[] = {
      {u"My Computer", CSIDL_DRIVES},        {u"Network Neighborhood", CSIDL_NETWORK},
      {u"Control Panel", CSIDL_CONTROLS},    {u"Recycle Bin", CSIDL_BITBUCKET},
      {u"Printer Folder", CSIDL_PRINTERS},   {u"Fonts Folder", CSIDL_FONTS},
      {u"Desktop Folder", CSIDL_DESKTOPDIRECTORY},
  };
  for (const auto& entry : kFolders)
    if (entry.name == target) return entry.folder;
  return -1;
}

bool LaunchItem(HWND owner, const std::u16string& target) {
  const int folder = SpecialFolderOf(target);
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
