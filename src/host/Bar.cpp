#include "Bar.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "Edits.h"
#include "EntryStore.h"
#include "Launch.h"
#include "RegistryBarSettings.h"
#include "host/core/BarSettings.h"
#include "host/core/Entries.h"
#include "item/ShellLocations.h"
#include "standins/HostHelpers.h"
#include "win32/Convert.h"
#include "win32/Handles.h"
#include "win32/SettingsKey.h"

namespace tollivor::host {

namespace {

using win32::unique_hbitmap;
using win32::unique_hfont;
using win32::unique_hicon;

constexpr wchar_t kClassName[] = L"TollivarBar";
constexpr int kWidth = 60, kLabelHeight = 24, kCell = 52, kIconSize = 32;
constexpr UINT kReportDamaged = WM_APP + 1;
constexpr UINT kTourStep = WM_APP + 2;

struct BarState {
  BarOptions options;
  std::vector<Record> records;
  std::vector<unique_hicon> icons;
  std::vector<int> damagedLines;
  BarSettings settings;
  unique_hbitmap background;
  unique_hfont labelFont;
  HWND tooltips = nullptr;  // owned by the bar: destroyed with it
  int hot = -1;             // the entry under the pointer
  bool labelHot = false;
  bool tracking = false;
  int tourStep = 0;
  bool adopted = false;  // the window took it at WM_NCCREATE and frees it at WM_NCDESTROY
};

BarState* stateOf(HWND bar) {
  return reinterpret_cast<BarState*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

void say(const std::wstring& line) {
  const std::string utf8 = EncodeUtf8(win32::fromWide(line.c_str()));
  std::fprintf(stdout, "%s\n", utf8.c_str());
  std::fflush(stdout);
}

// Special items' icons and the default group icon come from the host's
// helper library, as the dialogs' do.
unique_hicon specialIcon(int number) {
  win32::unique_hmodule sysgate(LoadLibraryW(L"Sysgate.dll"));
  if (!sysgate) return {};
  auto get = reinterpret_cast<GetSpecialLargeIconFn>(
      reinterpret_cast<void*>(GetProcAddress(sysgate.get(), "GetSpecialLargeIcon")));
  std::int32_t icon = 0;
  if (get) get(number, 0, &icon);
  return unique_hicon(reinterpret_cast<HICON>(static_cast<INT_PTR>(icon)));
}

unique_hicon fileIcon(const std::u16string& path) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(win32::wide(path), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
    return {};
  return unique_hicon(info.hIcon);
}

unique_hicon entryIcon(const Record& record) {
  if (IsGroupRecord(record)) {
    const std::u16string path = GroupIconPath(record);
    if (!path.empty()) {
      if (HANDLE icon = LoadImageW(nullptr, win32::wide(path), IMAGE_ICON, kIconSize, kIconSize,
                                   LR_LOADFROMFILE))
        return unique_hicon(static_cast<HICON>(icon));
    }
    return specialIcon(kIconDefaultGroup);
  }
  const std::u16string target = ItemTarget(record);
  if (auto number = SpecialIconNumber(target)) return specialIcon(*number);
  return fileIcon(target);
}

std::u16string tipOf(const Record& record) {
  return IsGroupRecord(record) ? GroupName(record) : ItemTooltip(record);
}

COLORREF resolve(std::int32_t colour) {
  if (auto number = SystemColourNumber(colour)) return GetSysColor(*number);
  return static_cast<COLORREF>(colour) & 0xFFFFFFu;
}

void resize(HWND bar, const BarState& state) {
  RECT frame{0, 0, kWidth, kLabelHeight + kCell * static_cast<int>(state.records.size()) + 4};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(bar, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(bar, GWL_EXSTYLE)));
  SetWindowPos(bar, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// One tool per entry while the settings want tooltips; none otherwise.
void rebuildTips(HWND bar, const BarState& state) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  while (SendMessageW(state.tooltips, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)))
    SendMessageW(state.tooltips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!state.settings.showTips) return;
  for (size_t i = 0; i < state.records.size(); ++i) {
    const std::u16string tip = tipOf(state.records[i]);
    if (tip.empty()) continue;
    TOOLINFOW add{};
    add.cbSize = TTTOOLINFOW_V2_SIZE;
    add.uFlags = TTF_SUBCLASS;
    add.hwnd = bar;
    add.uId = i + 1;
    add.rect = BarEntryRect(static_cast<int>(i));
    add.lpszText = const_cast<wchar_t*>(win32::wide(tip));
    SendMessageW(state.tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&add));
  }
}

void reloadEntries(HWND bar, BarState& state) {
  LoadedEntries loaded = LoadEntries(state.options.entriesPath);
  state.records = std::move(loaded.records);
  state.damagedLines = std::move(loaded.damagedLines);
  state.icons.clear();
  for (const auto& record : state.records) state.icons.push_back(entryIcon(record));
  state.hot = -1;
  resize(bar, state);
  rebuildTips(bar, state);
  InvalidateRect(bar, nullptr, TRUE);
}

bool readable(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(win32::wide(path));
  return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void applySettings(HWND bar, BarState& state) {
  state.settings = ReadStoredSettings();
  state.background.reset();
  if (readable(state.settings.backgroundPicture))
    state.background.reset(static_cast<HBITMAP>(LoadImageW(
        nullptr, win32::wide(state.settings.backgroundPicture), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  rebuildTips(bar, state);
  InvalidateRect(bar, nullptr, TRUE);
}

void playShowSound(const BarState& state) {
  if (state.options.playSound && readable(state.settings.sound))
    PlaySoundW(win32::wide(state.settings.sound), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void save(HWND bar, BarState& state) {
  if (!SaveEntries(state.options.entriesPath, state.records))
    MessageBoxW(bar, (L"The entries could not be saved to " + state.options.entriesPath + L".").c_str(),
                kBarCaption, MB_OK | MB_ICONWARNING);
  reloadEntries(bar, state);
}

// Properties of an entry: the item or group dialog; nothing back keeps it.
void editEntry(HWND bar, BarState& state, size_t index, const Record& handed) {
  if (index >= state.records.size()) return;
  const bool group = IsGroupRecord(state.records[index]);
  const auto edited = group ? EditGroup(handed) : EditItem(handed);
  say(std::wstring(group ? L"group" : L"item") + L" edit: " +
      (edited ? L"\"" + std::wstring(win32::wide(*edited)) + L"\"" : std::wstring(L"no change")));
  if (!edited || !IsUsableRecord(*edited)) return;
  state.records[index] = *edited;
  save(bar, state);
}

void addItem(HWND bar, BarState& state) {
  const auto added = EditItem(u"");
  if (!added || !IsUsableRecord(*added)) return;
  state.records.push_back(*added);
  save(bar, state);
}

void editSettings(HWND bar, BarState& state) {
  EditSettings();
  applySettings(bar, state);
  say(L"settings edit: tooltips " + std::wstring(state.settings.showTips ? L"on" : L"off"));
}

void showAbout(HWND bar, const BarState& state) {
  const auto& s = state.settings;
  std::u16string text = u"Tollivar, a sample host bar for Tollivor.dll.\n\n";
  for (const auto& [name, value] : s.asRead) text += name + u": " + value + u"\n";
  text += u"\nEntries: " + win32::fromWide(state.options.entriesPath.c_str());
  MessageBoxW(bar, win32::wide(text), L"About Tollivar", MB_OK | MB_ICONINFORMATION);
}

void reportDamaged(HWND bar, const BarState& state) {
  if (state.damagedLines.empty()) return;
  std::wstring lines;
  for (int line : state.damagedLines)
    lines += (lines.empty() ? L"" : L", ") + std::to_wstring(line);
  const std::wstring text = L"Some lines of " + state.options.entriesPath +
                            L" hold no item or group and were skipped (lines " + lines +
                            L"). They are dropped when the bar next saves its entries.";
  say(text);
  MessageBoxW(bar, text.c_str(), kBarCaption, MB_OK | MB_ICONWARNING);
}

int entryAt(const BarState& state, POINT point) {
  for (size_t i = 0; i < state.records.size(); ++i) {
    const RECT cell = BarEntryRect(static_cast<int>(i));
    if (PtInRect(&cell, point)) return static_cast<int>(i);
  }
  return -1;
}

void paint(HWND bar, const BarState& state, HDC dc) {
  RECT client;
  GetClientRect(bar, &client);
  if (state.background) {
    win32::unique_hdc memory(CreateCompatibleDC(dc));
    BITMAP info{};
    GetObjectW(state.background.get(), sizeof info, &info);
    HGDIOBJ old = SelectObject(memory.get(), state.background.get());
    for (int y = 0; y < client.bottom && info.bmHeight > 0; y += info.bmHeight)
      for (int x = 0; x < client.right && info.bmWidth > 0; x += info.bmWidth)
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), old);
  } else {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }

  RECT label = BarLabelRect();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, resolve(state.labelHot ? state.settings.enterColour : state.settings.exitColour));
  HGDIOBJ oldFont = SelectObject(dc, state.labelFont.get());
  DrawTextW(dc, kBarCaption, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);

  for (size_t i = 0; i < state.records.size(); ++i) {
    RECT cell = BarEntryRect(static_cast<int>(i));
    if (state.icons[i])
      DrawIconEx(dc, cell.left + (kCell - 4 - kIconSize) / 2, cell.top + (kCell - 4 - kIconSize) / 2,
                 state.icons[i].get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    const bool pressed = state.hot == static_cast<int>(i) && (GetKeyState(VK_LBUTTON) & 0x8000);
    if (state.hot == static_cast<int>(i) && state.settings.buttonLook)
      DrawEdge(dc, &cell, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
}

void trackLeave(HWND bar, BarState& state) {
  if (state.tracking) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, bar, 0};
  state.tracking = TrackMouseEvent(&track) != FALSE;
}

void mouseMoved(HWND bar, BarState& state, POINT point) {
  trackLeave(bar, state);
  const RECT label = BarLabelRect();
  const bool labelHot = PtInRect(&label, point) != FALSE;
  const int hot = entryAt(state, point);
  if (labelHot == state.labelHot && hot == state.hot) return;
  state.labelHot = labelHot;
  state.hot = hot;
  InvalidateRect(bar, nullptr, TRUE);
}

void contextMenu(HWND bar, BarState& state, POINT screen) {
  POINT client = screen;
  ScreenToClient(bar, &client);
  const int entry = entryAt(state, client);
  win32::unique_any<HMENU, decltype([](HMENU m) { DestroyMenu(m); })> menu(CreatePopupMenu());
  if (entry >= 0) {
    AppendMenuW(menu.get(), MF_STRING, kCmdPropertiesFirst + static_cast<UINT>(entry), L"&Properties...");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuW(menu.get(), MF_STRING, kCmdAddItem, L"&Add item...");
  AppendMenuW(menu.get(), MF_STRING, kCmdSettings, L"&Settings...");
  AppendMenuW(menu.get(), MF_STRING, kCmdAbout, L"A&bout...");
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.get(), MF_STRING, kCmdExit, L"E&xit");
  TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, bar, nullptr);
}

void command(HWND bar, BarState& state, UINT id) {
  if (id >= kCmdPropertiesFirst && id < kCmdPropertiesFirst + state.records.size()) {
    const size_t index = id - kCmdPropertiesFirst;
    editEntry(bar, state, index, state.records[index]);
    return;
  }
  switch (id) {
    case kCmdAddItem: addItem(bar, state); break;
    case kCmdSettings: editSettings(bar, state); break;
    case kCmdAbout: showAbout(bar, state); break;
    case kCmdExit: DestroyWindow(bar); break;
  }
}

// The demo's tour: the edits a user would make, one after another. The
// records handed in stand for what the user types into the dialogs.
void tourStep(HWND bar, BarState& state) {
  UpdateWindow(bar);
  switch (state.tourStep++) {
    case 0:
      if (state.records.size() > 1)
        editEntry(bar, state, 1, u"Printer Folder|Printers");
      break;
    case 1:
      for (size_t i = 0; i < state.records.size(); ++i)
        if (IsGroupRecord(state.records[i])) {
          editEntry(bar, state, i, u"group|" + GroupName(state.records[i]) + u"|:");
          break;
        }
      break;
    case 2: {
      // The colours the tour's user picks for the label: dark red, and blue under the pointer.
      win32::unique_hkey key;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, win32::settingsKeyPath(L"Quorin", L"Setting").c_str(), 0,
                          nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) == ERROR_SUCCESS) {
        for (auto [name, value] : {std::pair{L"Color_mouseExit", L"128"}, {L"Color_mouseEnter", L"16711680"}})
          RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
      }
      editSettings(bar, state);
      break;
    }
    default:
      UpdateWindow(bar);
      say(L"Tour finished.");
      return;
  }
  UpdateWindow(bar);
  PostMessageW(bar, kTourStep, 0, 0);
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  BarState* state = stateOf(bar);
  switch (message) {
    case WM_NCCREATE: {
      auto* created = static_cast<BarState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      created->adopted = true;
      SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(bar, &ps);
      if (state) paint(bar, *state, dc);
      EndPaint(bar, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_MOUSEMOVE:
      if (state) mouseMoved(bar, *state, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_MOUSELEAVE:
      if (state) {
        state->tracking = false;
        state->labelHot = false;
        state->hot = -1;
        InvalidateRect(bar, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONDOWN:
      InvalidateRect(bar, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP:
      if (state) {
        InvalidateRect(bar, nullptr, TRUE);
        const int entry = entryAt(*state, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        if (entry >= 0 && !IsGroupRecord(state->records[static_cast<size_t>(entry)]))
          LaunchItem(bar, ItemTarget(state->records[static_cast<size_t>(entry)]));
      }
      return 0;
    case WM_CONTEXTMENU:
      if (state) contextMenu(bar, *state, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_COMMAND:
      if (state) command(bar, *state, LOWORD(wParam));
      return 0;
    case kReportDamaged:
      if (state) reportDamaged(bar, *state);
      return 0;
    case kTourStep:
      if (state) tourStep(bar, *state);
      return 0;
    case WM_NCDESTROY: {
      std::unique_ptr<BarState> owned(state);
      SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
      if (owned && owned->options.quitOnClose) PostQuitMessage(0);
      break;
    }
  }
  return DefWindowProcW(bar, message, wParam, lParam);
}

}  // namespace

RECT BarLabelRect() { return {0, 0, kWidth, kLabelHeight}; }

RECT BarEntryRect(int index) {
  const int top = kLabelHeight + index * kCell;
  return {4, top + 2, kWidth - 4, top + kCell - 2};
}

HWND BarTooltips(HWND bar) {
  const BarState* state = stateOf(bar);
  return state ? state->tooltips : nullptr;
}

HWND CreateBar(HINSTANCE instance, const BarOptions& options) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = barProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

  auto state = std::make_unique<BarState>();
  state->options = options;
  HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, kBarCaption,
                             WS_POPUP | WS_BORDER, 0, 80, kWidth, 100, nullptr, nullptr, instance,
                             state.get());
  if (state->adopted) state.release();  // the window frees it, even when creation failed later
  if (!bar) return nullptr;
  BarState& s = *stateOf(bar);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfWeight = FW_BOLD;
  s.labelFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  s.tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, bar,
                               nullptr, instance, nullptr);
  s.settings = ReadStoredSettings();
  reloadEntries(bar, s);
  applySettings(bar, s);
  ShowWindow(bar, SW_SHOWNOACTIVATE);
  UpdateWindow(bar);
  playShowSound(s);
  if (!s.damagedLines.empty()) PostMessageW(bar, kReportDamaged, 0, 0);
  if (options.tour) PostMessageW(bar, kTourStep, 0, 0);
  return bar;
}

}  // namespace tollivor::host
