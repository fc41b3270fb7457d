#include "forms/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

#include "forms/win32/CommonDialogs.h"
#include "forms/win32/HelperLibrary.h"
#include "forms/win32/NativeValues.h"
#include "forms/win32/RegistrySettings.h"
#include "forms/win32/VisualStyles.h"
#include "forms/win32/Win32Window.h"
#include "win32/Convert.h"
#include "standins/HostHelpers.h"

namespace tollivor {

namespace forms {
namespace {
// At namespace scope rather than inside the function: no guard on first use
// (the runtime's guard brings its thread library along), and it has no
// state, so nothing depends on when it is built.
win32::Win32Platform g_platform;
}  // namespace

Platform& defaultPlatform() noexcept { return g_platform; }

namespace win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

std::unique_ptr<forms::FormWindow> Win32Platform::createForm(const forms::FormTable& table,
                                                             forms::FormEvents& events) noexcept {
  return Win32Window::create(table, events);
}

void Win32Platform::beep() noexcept { MessageBeep(MB_OK); }

bool Win32Platform::messageBox(forms::WindowHandle owner, const std::u16string& prompt, int style,
                               const std::u16string& title) noexcept {
  const ActivationScope visualStyles;
  return MessageBoxW(toWindow(owner), wide(prompt), wide(title), static_cast<UINT>(style)) != 0;
}

bool Win32Platform::showOpen(forms::WindowHandle owner,
                             forms::CommonDialogSettings& dialog) noexcept {
  const ActivationScope visualStyles;
  return showOpenDialog(owner, dialog);
}

bool Win32Platform::showColour(forms::WindowHandle owner,
                               forms::CommonDialogSettings& dialog) noexcept {
  const ActivationScope visualStyles;
  return showColourDialog(owner, dialog);
}

std::optional<forms::Point> Win32Platform::cursorPixels() noexcept {
  POINT p{};
  if (!GetCursorPos(&p)) return std::nullopt;
  return forms::Point{p.x, p.y};
}

std::optional<forms::Size> Win32Platform::screenTwips() noexcept {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return std::nullopt;
  return forms::Size{toTwips(width), toTwips(height)};
}

std::optional<std::int32_t> Win32Platform::taskbarState() noexcept {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  return static_cast<std::int32_t>(SHAppBarMessage(ABM_GETSTATE, &data));
}

std::optional<forms::Edges> Win32Platform::taskbarPixels() noexcept {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return std::nullopt;
  return forms::Edges{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
}

std::optional<std::uint32_t> Win32Platform::fileAttributes(const std::u16string& path) noexcept {
  const DWORD attributes = GetFileAttributesW(wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

std::optional<std::u16string> Win32Platform::readSetting(const std::u16string& app,
                                                         const std::u16string& section,
                                                         const std::u16string& key) noexcept {
  return readStoredSetting(app, section, key);
}

bool Win32Platform::writeSetting(const std::u16string& app, const std::u16string& section,
                                 const std::u16string& key, const std::u16string& value) noexcept {
  return writeStoredSetting(app, section, key, value);
}

forms::IconHandle Win32Platform::specialLargeIcon(std::int32_t number) noexcept {
  HMODULE sysgate = helperLibrary(L"Sysgate.dll");
  if (!sysgate) return 0;
  const auto function = reinterpret_cast<GetSpecialLargeIconFn>(
      reinterpret_cast<void*>(GetProcAddress(sysgate, "GetSpecialLargeIcon")));
  if (!function) return 0;
  std::int32_t icon = 0;
  function(number, 0, &icon);
  return icon;
}

forms::IconHandle Win32Platform::shellFileIcon(const std::string& ansiPath) noexcept {
  // Without SHGFI_USEFILEATTRIBUTES the shell inspects the real file, which
  // must exist. Some shells (Wine's) still make up an icon for a missing or
  // empty path; callers rely on 0 there, as their test that a path exists.
  if (GetFileAttributesA(ansiPath.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
  SHFILEINFOA info{};  // zero-filled: the handle reads 0 when the shell finds nothing
  // The attribute value (10) only counts with SHGFI_USEFILEATTRIBUTES.
  SHGetFileInfoA(ansiPath.c_str(), 10, &info, sizeof info, SHGFI_ICON);
  return fromIcon(info.hIcon);
}

void Win32Platform::destroyIcon(forms::IconHandle icon) noexcept {
  if (icon != 0) DestroyIcon(toIcon(icon));
}

void Win32Platform::browseForFolder(forms::WindowHandle owner, const std::string& ansiPrompt,
                                    std::string& area) noexcept {
  HMODULE pathwise = helperLibrary(L"Pathwise.dll");
  if (!pathwise) return;
  const auto function = reinterpret_cast<BrowseForFolderFn>(
      reinterpret_cast<void*>(GetProcAddress(pathwise, "BrowseForFolder")));
  if (!function) return;
  char* start = area.data();
  const ActivationScope visualStyles;  // the helper's folder chooser too
  // Window handles, like icon handles, cross as 32-bit values.
  function(static_cast<std::int32_t>(owner), ansiPrompt.c_str(), &start);
}

std::string Win32Platform::toAnsi(const std::u16string& text) noexcept {
  if (text.empty()) return {};
  try {
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide(text), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide(text), length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
  } catch (...) {
    return {};
  }
}

std::u16string Win32Platform::fromAnsi(const std::string& text) noexcept {
  if (text.empty()) return {};
  try {
    const int length = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (chars <= 0) return {};
    std::wstring result(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), chars);
    return fromWide(result.data(), result.size());
  } catch (...) {
    return {};
  }
}

}  // namespace win32
}  // namespace forms
}  // namespace tollivor
