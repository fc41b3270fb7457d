#include "driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "forms/win32/Win32Window.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor::driver {

namespace {

BOOL CALLBACK collect(HWND w, LPARAM list) { return reinterpret_cast<std::vector<HWND>*>(list)->push_back(w), TRUE; }

HWND findChild(HWND parent, const std::function<bool(HWND)>& matches) {
  std::vector<HWND> all;
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&all));
  const auto found = std::find_if(all.begin(), all.end(), matches);
  return found == all.end() ? nullptr : *found;
}

HWND waitForVisible(DWORD thread, int timeoutMs, const std::function<bool(HWND)>& matches) {
  HWND found = nullptr;
  waitFor([&] {
    for (HWND w : threadWindows(thread)) found = found ? found : IsWindowVisible(w) && matches(w) ? w : nullptr;
    return found != nullptr;
  }, timeoutMs);
  return found;
}

bool isDialogBox(HWND w) { wchar_t c[8] = {}; return GetClassNameW(w, c, 8) && std::wstring_view(c) == L"#32770"; }

}  // namespace

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (; !condition(); Sleep(10))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}

std::vector<HWND> threadWindows(DWORD thread) {
  std::vector<HWND> all;
  return EnumThreadWindows(thread, collect, reinterpret_cast<LPARAM>(&all)), all;
}

HWND waitForWindow(DWORD thread, std::wstring_view caption, int timeoutMs) {
  return waitForVisible(thread, timeoutMs, [&](HWND w) { return windowText(w) == caption; });
}
HWND waitForMessageBox(DWORD thread, int timeoutMs) {  // a dialog whose text static has id 65535
  return waitForVisible(thread, timeoutMs, [](HWND w) { return isDialogBox(w) && GetDlgItem(w, 0xFFFF); });
}
HWND waitForDialog(DWORD thread, HWND except, int timeoutMs) {
  return waitForVisible(thread, timeoutMs, [&](HWND w) { return w != except && isDialogBox(w); });
}

HWND controlWindow(HWND form, const forms::FormTable& table, std::string_view name, int index) {
  int id = -1;
  for (size_t i = 0; i < table.controls.size(); ++i)
    if (table.controls[i].name == name && table.controls[i].index == index)
      id = forms::win32::Win32Window::commandId(static_cast<forms::ControlId>(i));
  return id < 0 ? nullptr : findChild(form, [id](HWND w) { return GetDlgCtrlID(w) == id; });
}
HWND findControl(HWND parent, std::wstring_view text) {
  return findChild(parent, [text](HWND w) { return windowText(w) == text; });
}
std::wstring windowText(HWND window) { return win32::wide(win32::windowText(window).value_or(u"")); }
LOGFONTW fontOf(HWND control) {
  LOGFONTW font{};
  return GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font), font;
}
std::wstring messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }
HWND focusOf(DWORD thread) {
  GUITHREADINFO info{sizeof info};
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
void dialogCommand(HWND dialog, int command) { PostMessageW(dialog, WM_COMMAND, command, 0); }
void closeMessageBox(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }
void closeWindow(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }
DWORD defaultButtonAnswer(HWND dialog) {
  DWORD_PTR answer = 0;  // sent, not posted: the answer is the point
  return SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &answer), DWORD(answer);
}

void pressKey(HWND window, UINT virtualKey) {
  HWND focus = focusOf(GetWindowThreadProcessId(window, nullptr));
  const LPARAM scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16;
  PostMessageW(focus ? focus : window, WM_KEYDOWN, virtualKey, 1 | scan);
  PostMessageW(focus ? focus : window, WM_KEYUP, virtualKey, 1 | scan | (3u << 30));
}

void typeInto(HWND edit, const std::wstring& text) {
  PostMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CLEAR, 0, 0);
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
  waitFor([&] { return windowText(edit) == text; });
}

bool chooseFile(HWND open, const std::wstring& path) {
  HWND name = GetDlgItem(open, 0x47c);  // a combo box in the explorer style, else an edit
  if (!name && !(name = GetDlgItem(open, 0x480))) return false;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(open, WM_COMMAND, IDOK, 0);
  return waitFor([&] { return !IsWindow(open); });
}

void closeAll(DWORD thread) {
  for (HWND w : threadWindows(thread)) IsWindowVisible(w) && PostMessageW(w, WM_CLOSE, 0, 0);
}

POINT centreOf(HWND window) {
  RECT r{};
  return GetWindowRect(window, &r), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
POINT tabCentre(HWND strip, int tab) {
  RECT r{};
  EXPECT_TRUE(SendMessageW(strip, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r))) << "no tab " << tab;
  MapWindowPoints(strip, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Under X the pointer's own events may still be on their way from an
// earlier move: the move is given again until the pointer stays put.
void moveMouseTo(POINT p) {
  POINT at{};
  for (int tries = 0; tries < 10 && (!tries || !GetCursorPos(&at) || at.x != p.x || at.y != p.y); ++tries, Sleep(30))
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0, 0);
}
void clickAt(POINT p) {
  moveMouseTo(p), mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0), mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
void pressKeys(std::initializer_list<WORD> keys) {
  for (WORD key : keys) keybd_event(BYTE(key), 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) keybd_event(BYTE(*key), 0, KEYEVENTF_KEYUP, 0);
}

Watcher::Watcher(std::function<void(DWORD testThread)> steps)
    : thread_([steps = std::move(steps), id = GetCurrentThreadId()] { steps(id); }) {}

bool showWhile(const std::function<void()>& show, std::wstring_view caption, const Steps& steps) {
  bool ended = false;
  {
    Watcher watcher([&](DWORD thread) {
      if (HWND window = waitForWindow(thread, caption))
        steps(window, thread), ended = waitFor([&] { return !IsWindowVisible(window); }, 3000);
      if (!ended) ADD_FAILURE() << "the window did not show, or stayed open after the steps";
      if (!ended) closeAll(thread);
    });
    show();
  }
  return ended;
}

}  // namespace tollivor::driver

namespace tollivor::test {

std::wstring tempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\";
}

void expectTableLayout(HWND dialog, const forms::FormTable& table) {
  const auto px = [](int twips) -> LONG { return (twips + forms::kTwipsPerPixel / 2) / forms::kTwipsPerPixel; };
  RECT r{};
  GetClientRect(dialog, &r);
  EXPECT_EQ(std::pair(r.right, r.bottom), std::pair(px(table.clientWidth), px(table.clientHeight)));
  for (const auto& row : table.controls) {
    if (row.kind == forms::Kind::Line) continue;  // drawn, no window
    HWND control = driver::controlWindow(dialog, table, row.name, row.index);
    r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    // A drop-down combo box's closed height too: its field is fitted to it.
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
              std::vector<LONG>({px(row.rect.left), px(row.rect.top), px(row.rect.width), px(row.rect.height)}))
        << row.name << "(" << row.index << ")";
  }
}

namespace {

template <class... T>
bool writeFile(const std::wstring& path, const std::string& bytes, const T&... headers) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  const bool written = file && ((fwrite(&headers, sizeof headers, 1, file) == 1) && ... && true) &&
                       (bytes.empty() || fwrite(bytes.data(), bytes.size(), 1, file) == 1);
  return file && fclose(file) == 0 && written;
}

}  // namespace

bool writeTextFile(const std::wstring& path, const std::string& content) { return writeFile(path, content); }

bool writeIconFile(const std::wstring& path, int size, COLORREF left, COLORREF right) {
  const BITMAPINFOHEADER header{sizeof header, size, 2 * size, 1, 32, BI_RGB};  // colour rows, then the mask's
  std::string image(reinterpret_cast<const char*>(&header), sizeof header);
  for (int i = 0; i < size * size; ++i) {
    const COLORREF c = i % size < size / 2 ? left : right;
    image += {char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c)), '\xFF'};
  }
  image.resize(image.size() + (size + 31) / 32 * 4 * size);  // the mask: all opaque
  const WORD directory[] = {0, 1, 1, WORD(size | size << 8), 0, 1, 32};  // one image: size, planes, bits
  const DWORD place[] = {DWORD(image.size()), sizeof directory + 2 * sizeof(DWORD)};
  return writeFile(path, image, directory, place);
}

bool saveScreenshot(HWND window, const std::wstring& name) {
  const wchar_t* folder = _wgetenv(L"TOLLIVOR_SCREENSHOTS");
  if (!folder || !*folder) return true;
  Sleep(300);  // let it paint
  RECT r{};
  GetWindowRect(window, &r);
  BITMAPINFOHEADER header{sizeof header, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB};
  const win32::ScreenDc screen;
  win32::unique_hdc memory(CreateCompatibleDC(screen.get()));
  win32::unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), header.biWidth, header.biHeight));
  std::string bits(((header.biWidth * 3 + 3) & ~3) * header.biHeight, '\0');
  {
    win32::SelectScope select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, header.biWidth, header.biHeight, screen.get(), r.left, r.top, SRCCOPY);
  }
  if (!GetDIBits(memory.get(), bitmap.get(), 0, header.biHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                 DIB_RGB_COLORS))
    return false;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof header;
  const BITMAPFILEHEADER file{0x4D42, DWORD(headers + bits.size()), 0, 0, headers};
  return writeFile(std::wstring(folder) + L"\\" + name + L".bmp", bits, file, header);
}

COLORREF paintedPixel(HWND window, int x, int y) {
  const win32::ScreenDc screen;
  win32::unique_hdc dc(CreateCompatibleDC(screen.get()));
  win32::unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), 64, 64));
  win32::SelectScope select(dc.get(), bitmap.get());
  return SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT), GetPixel(dc.get(), x, y);
}

}  // namespace tollivor::test
