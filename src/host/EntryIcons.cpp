#include "EntryIcons.h"

#include <shellapi.h>

#include "sdk/LocationNames.h"
#include "win32/Convert.h"
#include "win32/ThisModule.h"

namespace tollivor::host {

EntryIcons::EntryIcons() {
  sysgate_ = win32::loadLibraryIn(win32::folderOf(win32::modulePath(nullptr)), L"Sysgate.dll");
  if (sysgate_)
    getSpecialLargeIcon_ = reinterpret_cast<GetSpecialLargeIconFn>(
        reinterpret_cast<void*>(GetProcAddress(sysgate_.get(), "GetSpecialLargeIcon")));
}

win32::unique_hicon EntryIcons::special(std::int32_t number) const {
  std::int32_t icon = 0;
  if (getSpecialLargeIcon_) getSpecialLargeIcon_(number, 0, &icon);
  return win32::unique_hicon(reinterpret_cast<HICON>(static_cast<INT_PTR>(icon)));
}

win32::unique_hicon EntryIcons::of(const Record& record) const {
  if (IsGroupRecord(record)) {
    const std::u16string path = GroupIconPath(record);
    if (HANDLE icon = path.empty() ? nullptr
                                   : LoadImageW(nullptr, win32::wide(path), IMAGE_ICON, kEntryIconSize, kEntryIconSize,
                                                LR_LOADFROMFILE))
      return win32::unique_hicon(static_cast<HICON>(icon));
    return special(kIconDefaultGroup);
  }
  const std::u16string target = ItemTarget(record);
  if (const SpecialItem* item = FindSpecialItem(target)) return special(item->icon);
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(win32::wide(target), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON)) return {};
  return win32::unique_hicon(info.hIcon);
}

}  // namespace tollivor::host
