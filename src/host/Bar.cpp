#include "Bar.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "Edits.h"
#include "EntryIcons.h"
#include "EntryStore.h"
#include "Launch.h"
#include "RegistryBarSettings.h"
#include "host/core/BarSettings.h"
#include "host/core/Entries.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor::host {

namespace {

using win32::unique_hbitmap;
using win32::unique_hfont;
using win32::unique_hicon;

constexpr wchar_t kClassName[] = L"TollivarBar";
constexpr int kWidth = 60, kLabelHeight = 24, kCell = 52, kIconSize = kEntryIconSize;
constexpr UINT kReportDamaged = WM_APP + 1;

struct BarState {
  BarOptions options;
  std::vector<Record> records;
  EntryIcons iconSource;
  std::vector<unique_hicon> icons;
  std::vector<int> damagedLines;
  BarSettings settings;
  unique_hbitmap background;
  unique_hfont labelFont;
  HWND tooltips = nullptr;  // owned by the bar: destroyed with it
  int hot = -1;             // the entry under the pointer
  bool labelHot = false;
  bool tracking = false;
  bool adopted = false;  // the window took it at WM_NCCREATE and frees it at WM_NCDESTROY
};

BarState* stateOf(HWND bar) {
  return reinterpret_cast<BarState*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
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
  for (const auto& record : state.records) state.icons.push_back(state.iconSource.of(record));
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
void editEntry(HWND bar, BarState& state, size_t index) {
  const Record& entry = state.records[index];
  const auto edited = IsGroupRecord(entry) ? EditGroup(entry) : EditItem(entry);
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
    const win32::SelectScope select(memory.get(), state.background.get());
    for (int y = 0; y < client.bottom && info.bmHeight > 0; y += info.bmHeight)
      for (int x = 0; x < client.right && info.bmWidth > 0; x += info.bmWidth)
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }

  RECT label = BarLabelRect();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, resolve(state.labelHot ? state.settings.enterColour : state.settings.exitColour));
  {
    const win32::SelectScope select(dc, state.labelFont.get());
    DrawTextW(dc, kBarCaption, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

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
    editEntry(bar, state, id - kCmdPropertiesFirst);
    return;
  }
  switch (id) {
    case kCmdAddItem: addItem(bar, state); break;
    case kCmdSettings: editSettings(bar, state); break;
    case kCmdAbout: showAbout(bar, state); break;
    case kCmdExit: DestroyWindow(bar); break;
  }
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
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // TollivorHost.rc
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
  return bar;
}

}  // namespace tollivor::host
