// The Win32 platform with real windows: the modal show, what picture boxes keep,
// the folder chooser, and where the helper libraries are taken from.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "common/TestForm.h"
#include "component_support.h"
#include "driver.h"
#include "forms/win32/NativeValues.h"
#include "forms/win32/Win32Window.h"
#include "host/Bar.h"
#include "item/frmProperty.h"
#include "shared/ShellEx.h"
#include "win32/Convert.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"

namespace tollivor {
namespace {

using test::paintedPixel;
using test::TestForm;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

forms::win32::Win32Window& windowOf(TestForm& form) { return dynamic_cast<forms::win32::Win32Window&>(*form.window()); }
HWND controlOf(TestForm& form, const forms::Control& c) { return windowOf(form).controlWindow(c.id()); }
win32::unique_hwnd popup(DWORD style) {
  return win32::unique_hwnd(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | style, 0, 0, 9, 9, 0, 0, 0, 0));
}

// While a form is shown the thread's other windows are disabled (but not its own combo box's
// list), and enabled again however the show ends: a key, the form hidden from another thread, or
// destroyed behind its back.
TEST(ModalShow, DisablesTheThreadsOtherWindowsUntilItEnds) {
  for (const char* end : {"Esc", "hidden from another thread", "destroyed"}) {
    SCOPED_TRACE(end);
    const auto shown = popup(WS_VISIBLE), hidden = popup(0);
    TestForm form;
    HWND window = windowOf(form).formWindow();
    form.onApply = [&] { DestroyWindow(window); };  // on the form's thread
    COMBOBOXINFO combo{.cbSize = sizeof combo};
    ASSERT_TRUE(GetComboBoxInfo(driver::controlWindow(window, form.table(), "cboKind"), &combo));
    bool othersEnabled = true;
    driver::Watcher watcher([&](DWORD thread) {
      if (!driver::waitForWindow(thread, L"Tollivor Test Form")) return driver::closeAll(thread);
      othersEnabled = IsWindowEnabled(shown.get()) || IsWindowEnabled(hidden.get()) || !IsWindowEnabled(window) ||
                      !IsWindowEnabled(combo.hwndList);
      if (end[0] == 'E') driver::pressKey(window, VK_ESCAPE);
      if (end[0] == 'h') ShowWindow(window, SW_HIDE);
      if (end[0] == 'd') driver::click(driver::controlWindow(window, form.table(), "cmdApply"));
    });
    EXPECT_TRUE(form.showModal());
    EXPECT_FALSE(othersEnabled) << "or the form itself disabled";
    EXPECT_TRUE(IsWindowEnabled(shown.get()) && IsWindowEnabled(hidden.get()));
  }
}

// The messages this thread's windows are sent, by message and window, while one lives.
class SentMessages {
  static inline std::vector<std::pair<UINT, HWND>>* seen_ = nullptr;
  static LRESULT CALLBACK hook(int code, WPARAM w, LPARAM l) {
    const auto* sent = reinterpret_cast<CWPSTRUCT*>(l);
    if (code == HC_ACTION && seen_) seen_->push_back({sent->message, sent->hwnd});
    return CallNextHookEx(nullptr, code, w, l);
  }
  std::vector<std::pair<UINT, HWND>> seen;
  HHOOK hook_ = SetWindowsHookExW(WH_CALLWNDPROC, hook, nullptr, GetCurrentThreadId());

 public:
  SentMessages() { seen_ = &seen; }
  ~SentMessages() { UnhookWindowsHookEx(hook_), seen_ = nullptr; }
  int count(UINT message, const std::function<bool(HWND)>& to) {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](auto& m) { return m.first == message && to(m.second); }));
  }
  void clear() { seen.clear(); }
};

// Under Wine every change to a window is a round trip to the window server, and they are most of
// what a load and a show cost. No control is subclassed (a subclass looks its data up on every
// message); a later load sets a combo box's field height once; a show focuses the first control
// once and rewrites no control's style.
TEST(WindowWork, ALoadAndAShowRedoNothing) {
  const auto all = [](HWND) { return true; };
  { forms::Form first(frmPropertyTable()); first.window(); }  // measures the combo box's frame
  SentMessages sent;
  forms::Form item(frmPropertyTable());
  ASSERT_TRUE(item.window());
  EXPECT_EQ(sent.count(CB_SETITEMHEIGHT, all), 1) << "the item dialog's target box, once";
  HWND itemWindow = dynamic_cast<forms::win32::Win32Window&>(*item.window()).formWindow();
  HWND target = driver::controlWindow(itemWindow, item.table(), "Text1");
  sent.clear();
  driver::showWhile([&] { item.showModal(); }, L"Item Property", [](HWND w, DWORD) { ShowWindow(w, SW_HIDE); });
  EXPECT_EQ(sent.count(WM_SETFOCUS, [&](HWND w) { return w == target; }), 1) << "focused once, by the activation";

  sent.clear();
  TestForm form;
  HWND window = windowOf(form).formWindow();
  const auto option = [&](HWND w) {
    return w == driver::controlWindow(window, form.table(), "optChoice", 0) ||
           w == driver::controlWindow(window, form.table(), "optChoice", 1) ||
           w == driver::controlWindow(window, form.table(), "optPage");
  };
  EXPECT_EQ(sent.count(WM_STYLECHANGING, option), 1) << "the option that loses its tab stop";
  for (const auto& row : form.table().controls) {
    HWND control = driver::controlWindow(window, form.table(), row.name, row.index);
    if (!control) continue;  // a line
    EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), GetClassLongPtrW(control, GCLP_WNDPROC)) << row.name;
  }
}

// Pictures load at their own size and stay while the form shows and hides; no picture changes
// nothing; a clear paints the back colour, in a blank box too, whose first drawing takes its size.
TEST(PictureBox, LoadsKeepsAndClears) {
  const std::wstring folder = test::tempFolder(L"tollivor-pictures");
  ASSERT_TRUE(test::writeIconFile(folder + L"large.ico", 32, kRed, kBlue) &&
              test::writeIconFile(folder + L"small.ico", 16, kBlue, kBlue) &&
              test::writeTextFile(folder + L"text.ico", "no") && test::writeTextFile(folder + L"empty.ico", ""));
  TestForm form, blank;
  HWND box = controlOf(form, form.picPreview);
  const auto load = [&](const wchar_t* n) { return form.picPreview.loadPicture(win32::fromWide((folder + n).data())); };
  const auto at = [&](int x, int y) { return paintedPixel(box, x, y); };
  const COLORREF back = GetSysColor(COLOR_BTNFACE), green = RGB(0, 255, 0);
  EXPECT_EQ(at(10, 10), back) << "a new box shows its colour";
  ASSERT_TRUE(load(L"large.ico") && load(L"small.ico"));
  EXPECT_EQ(std::pair(at(14, 14), at(20, 20)), std::pair(kBlue, back)) << "not stretched, the earlier one gone";
  ASSERT_TRUE(load(L"large.ico"));
  driver::showWhile([&] { form.showModal(); }, L"Tollivor Test Form",
                    [](HWND w, DWORD) { driver::pressKey(w, VK_ESCAPE); });
  for (const wchar_t* name : {L"text.ico", L"empty.ico", L"missing.ico", L""}) {  // "": the folder
    EXPECT_FALSE(load(name));
    EXPECT_EQ(std::pair(at(2, 2), at(29, 29)), std::pair(kRed, kBlue)) << "kept";
  }
  EXPECT_FALSE(form.picPreview.loadPicture(u""));
  ASSERT_TRUE(form.picPreview.setBackColour(0x00FF00) && form.picPreview.clear());
  EXPECT_EQ(at(10, 10), green);
  box = controlOf(blank, blank.picPreview);
  ASSERT_TRUE(blank.picPreview.setBackColour(0x00FF00) && blank.picPreview.clear());
  EXPECT_EQ(at(5, 5), green) << "cleared before any drawing";
  ASSERT_TRUE(blank.picPreview.move({120, 120, 900, 900}));  // 60 pixels a side
  const win32::unique_hicon icon(
      static_cast<HICON>(LoadImageW(nullptr, (folder + L"large.ico").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
  ASSERT_TRUE(blank.picPreview.drawIcon(28 * 15, 28 * 15, forms::win32::fromIcon(icon.get())));
  EXPECT_EQ(std::pair(at(30, 59), at(20, 59)), std::pair(kRed, green));
}

// Helper libraries are looked for beside the program only, by the component and by the sample bar,
// so a copy of this program alone in a folder checks each case (in TOLLIVOR_ISOLATED_CASE) and leaves
// "ran" beside itself. With them beside it, the folder chooser (owned by the form, with the prompt)
// gives the chosen full path.
TEST(HelperSearch, OnlyLibrariesBesideTheProgramAreUsed) {
  const std::wstring programFolder = win32::folderOf(win32::modulePath(nullptr));
  wchar_t sysgate[32] = {};
  if (GetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", sysgate, 32)) {
    const bool beside = std::wstring_view(sysgate) == L"beside";
    const win32::unique_hwnd bar(host::CreateBar(GetModuleHandleW(nullptr), {.entriesPath = programFolder + L"entries.txt",
                                                                              .playSound = false, .quitOnClose = false}));
    ASSERT_TRUE(bar) << "the bar draws its entries' icons as it starts";
    EXPECT_EQ(ShellEx::GetSpecialIcon(5) != 0, beside);
    if (std::wstring_view(sysgate) == L"current directory") {  // there, and not taken
      ASSERT_NE(GetFileAttributesW(L"Sysgate.dll"), INVALID_FILE_ATTRIBUTES);
      EXPECT_FALSE(GetModuleHandleW(L"Sysgate.dll") || GetModuleHandleW(L"Pathwise.dll"));
    }
    TestForm form;
    const std::wstring folder = beside ? L"C:\\tollivor-choose" : L"";
    CreateDirectoryW(L"C:\\tollivor-choose", nullptr);
    driver::Watcher watcher([&](DWORD thread) {
      if (HWND dialog = driver::waitForDialog(thread, nullptr, beside ? driver::kTimeoutMs : 1000)) {
        EXPECT_TRUE(beside && GetWindow(dialog, GW_OWNER) == reinterpret_cast<HWND>(form.handle()));
        EXPECT_NE(driver::findControl(dialog, L"Choose a folder."), nullptr);
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        driver::dialogCommand(dialog, IDOK);
      }
    });
    const std::u16string chosen = ShellEx::ChooseFolder(form.handle(), u"Choose a folder.");
    EXPECT_EQ(_wcsicmp(win32::wide(chosen), folder.c_str()), 0) << std::wstring(win32::wide(chosen));
    return (void)test::writeTextFile(programFolder + L"ran", "");
  }
  const std::wstring alone = test::tempFolder(L"tollivor-alone"), elsewhere = test::tempFolder(L"tollivor-elsewhere");
  ASSERT_TRUE(CopyFileW(win32::modulePath(nullptr).c_str(), (alone + L"wine_tests.exe").c_str(), FALSE));
  const wchar_t* const helpers[] = {L"Sysgate.dll", L"Pathwise.dll"};
  const struct {
    const wchar_t* sysgate;
    std::wstring folder;
    int source = 0;  // copies helpers[(i + source) % 2] as helpers[i]; -1: a text file instead
  } cases[] = {{L"absent", L""}, {L"beside", alone}, {L"current directory", elsewhere},
               {L"swapped", alone, 1}, {L"not a library", alone, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::wstring(c.sysgate));
    for (int i = 0; i < 2 && !c.folder.empty(); ++i) {
      if (c.source < 0) test::writeTextFile(c.folder + helpers[i], "");
      else CopyFileW((programFolder + helpers[(i + c.source) % 2]).c_str(), (c.folder + helpers[i]).c_str(), FALSE);
    }
    SetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", c.sysgate);
    EXPECT_EQ(test::runProgram(L"\"" + alone + L"wine_tests.exe\" --gtest_filter=Helper*", elsewhere.data()), 0u);
    SetEnvironmentVariableW(L"TOLLIVOR_ISOLATED_CASE", nullptr);
    EXPECT_TRUE(DeleteFileW((alone + L"ran").c_str())) << "the copy made its checks";
    for (int i = 0; i < 2 && !c.folder.empty(); ++i) DeleteFileW((c.folder + helpers[i]).c_str());
  }
}

}  // namespace
}  // namespace tollivor
