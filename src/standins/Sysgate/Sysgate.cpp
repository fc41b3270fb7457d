// Sysgate.dll stand-in: the large icons of the special items, by the icon
// numbers the host uses, and the default group icon.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>

#include "standins/HostHelpers.h"
#include "win32/Handles.h"
#include "resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this DLL's own module

namespace {

using tollivor::win32::unique_pidl;

// The shell folder each icon number stands for, or -1.
int shellFolderOf(std::int32_t number) noexcept {
  switch (number) {
    case kIconRecycleBin: return CSIDL_BITBUCKET;
    case kIconControlPanel: return CSIDL_CONTROLS;
    case kIconDesktopFolder: return CSIDL_DESKTOP;
    case kIconMyComputer: return CSIDL_DRIVES;
    case kIconFontsFolder: return CSIDL_FONTS;
    case kIconNetworkNeighborhood: return CSIDL_NETWORK;
    case kIconPrinterFolder: return CSIDL_PRINTERS;
    default: return -1;
  }
}

HICON shellFolderIcon(int csidl) noexcept {
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &raw)) || !raw) return nullptr;
  const unique_pidl pidl(raw);
  SHFILEINFOW info{};
  const auto found = SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl.get()), 0, &info, sizeof info,
                                    SHGFI_PIDL | SHGFI_ICON | SHGFI_LARGEICON);
  return found ? info.hIcon : nullptr;
}

HICON groupIcon() noexcept {
  // Not shared: the caller destroys every icon it is given. A large icon is
  // as large as the system's (32 pixels at 96 DPI, 48 at 144), like the
  // shell's icons above; the file holds 32, 48 and 64.
  return static_cast<HICON>(LoadImageW(reinterpret_cast<HINSTANCE>(&__ImageBase),
                                       MAKEINTRESOURCEW(IDI_GROUP), IMAGE_ICON, 0, 0,
                                       LR_DEFAULTSIZE));
}

}  // namespace

// Writes a new large icon for the number into *icon and answers 1; leaves
// *icon alone and answers 0 for a number without an icon.
extern "C" std::int32_t TOLLIVOR_HELPER_API GetSpecialLargeIcon(std::int32_t number,
                                                                 std::int32_t /*reserved*/,
                                                                 std::int32_t* icon) {
  if (!icon) return 0;
  HICON handle = nullptr;
  if (number == kIconDefaultGroup) {
    handle = groupIcon();
  } else if (const int csidl = shellFolderOf(number); csidl >= 0) {
    handle = shellFolderIcon(csidl);
  }
  if (!handle) return 0;
  // Icon handles are 32-bit values in both the 32- and 64-bit system.
  *icon = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle));
  return 1;
}
