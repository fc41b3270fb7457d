// The Win32 forms platform with real windows: how a modal show ends, the
// thread's other windows meanwhile, units, picture boxes, the file filter
// and the settings store.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "common/TestForm.h"
#include "driver.h"
#include "pictures.h"
#include "forms/win32/CommonDialogs.h"
#include "forms/win32/Win32Window.h"
#include "win32/Handles.h"
#include "win32/Convert.h"
#include "win32/SettingsKey.h"

namespace tollivor {
namespace {

using namespace std::string_literals;
using test::TestForm;

HWND controlOf(TestForm& form, const forms::Control& control) {
  return dynamic_cast<win32::Win32Window&>(*form.window()).controlWindow(control.id());
}

// Shows the form while a watcher acts on it; on a timeout the test fails
// and every show ends.
void showAndAct(TestForm& form, std::function<void(HWND shown)> act) {
  driver::Watcher watcher([&](DWORD thread) {
    if (HWND shown = driver::waitForWindow(thread, L"Tollivor Test Form")) return act(shown);
    ADD_FAILURE() << "the form was not shown";
    driver::closeAll(thread);
  });
  form.showModal();
}

TEST(ModalShow, EndsOnHideAndTheCloseCommandAlsoUnloads) {
  const struct {
    const char* action;
    std::function<void(HWND)> act;
    std::u16string result;
    bool loaded;
  } cases[] = {
      {"OK", [](HWND w) { driver::click(driver::findControl(w, L"&OK")); }, u"typed", true},
      {"Enter", [](HWND w) { driver::pressKey(w, VK_RETURN); }, u"typed", true},
      {"Esc", [](HWND w) { driver::pressKey(w, VK_ESCAPE); }, u"", true},
      {"close box", [](HWND w) { driver::closeWindow(w); }, u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    TestForm form;
    form.txtName.setText(u"typed");
    showAndAct(form, c.act);
    EXPECT_EQ(form.resultText, c.result);
    EXPECT_EQ(form.isLoaded(), c.loaded);
    EXPECT_FALSE(form.isLoaded() && form.window()->isVisible());
  }
}

HWND formWindowOf(TestForm& form) {
  return dynamic_cast<win32::Win32Window&>(*form.window()).formWindow();
}

// A show also ends when the form is hidden or destroyed behind its back; the
// thread's other windows are enabled again all the same.
TEST(ModalShow, EndsWhenTheFormIsHiddenFromAnotherThreadOrDestroyed) {
  const struct {
    const char* how;
    bool destroy;
  } cases[] = {{"hidden from another thread", false}, {"destroyed", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const win32::unique_hwnd other(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE,
                                                   0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
    TestForm form;
    HWND window = formWindowOf(form);
    form.onApply = [&] { DestroyWindow(window); };  // on the form's thread
    std::atomic<bool> returned{false};
    driver::Watcher watcher([&](DWORD thread) {
      HWND shown = driver::waitForWindow(thread, L"Tollivor Test Form");
      if (!shown) {
        ADD_FAILURE() << "the form was not shown";
        return driver::closeAll(thread);
      }
      if (c.destroy)
        driver::click(driver::controlWindow(shown, form.table(), "cmdApply"));
      else
        ShowWindow(shown, SW_HIDE);
      if (!driver::waitFor([&] { return returned.load(); }, 3000)) {
        ADD_FAILURE() << "the show did not notice";
        PostMessageW(shown, WM_NULL, 0, 0);  // let it end all the same
      }
    });
    EXPECT_TRUE(form.showModal());
    returned = true;
    EXPECT_TRUE(IsWindowEnabled(other.get())) << "the thread's other windows are usable again";
  }
}

TEST(ModalShow, DisablesTheThreadsOtherWindowsMeanwhile) {
  auto popup = [](DWORD style) {
    return win32::unique_hwnd(CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | style, 0, 0, 50,
                                              50, nullptr, nullptr, nullptr, nullptr));
  };
  const auto shown = popup(WS_VISIBLE), hidden = popup(0), disabled = popup(WS_VISIBLE | WS_DISABLED);
  TestForm form;
  bool shownEnabled = true, hiddenEnabled = true, formEnabled = false;
  showAndAct(form, [&](HWND window) {
    shownEnabled = IsWindowEnabled(shown.get());
    hiddenEnabled = IsWindowEnabled(hidden.get());
    formEnabled = IsWindowEnabled(window);
    driver::pressKey(window, VK_ESCAPE);
  });
  EXPECT_FALSE(shownEnabled);
  EXPECT_FALSE(hiddenEnabled);
  EXPECT_TRUE(formEnabled);
  EXPECT_TRUE(IsWindowEnabled(shown.get()));
  EXPECT_TRUE(IsWindowEnabled(hidden.get()));
  EXPECT_FALSE(IsWindowEnabled(disabled.get())) << "left as it was";
}

TEST(FormWindow, TwipsAreFifteenToAPixel) {
  TestForm form;
  HWND window = formWindowOf(form);
  RECT text{}, outer{};
  GetWindowRect(controlOf(form, form.txtName), &text);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&text), 2);
  EXPECT_EQ(text.left, 720 / 15);
  EXPECT_EQ(text.top, 360 / 15);
  EXPECT_EQ(text.right - text.left, 3135 / 15);
  ASSERT_TRUE(form.window()->moveTo(1500, 3000));
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.top, 200);
  EXPECT_EQ(form.window()->bounds()->width, (outer.right - outer.left) * 15);
}

HFONT fontOf(TestForm& form, const forms::Control& control) {
  return reinterpret_cast<HFONT>(SendMessageW(controlOf(form, control), WM_GETFONT, 0, 0));
}

// Controls that take the same face share one font object, which lives as
// long as the form; the settings dialog moves forty controls to one face.
TEST(FormWindow, ControlsOfOneFontShareOneFontObject) {
  TestForm form;
  const forms::Control lblName(form, "lblName"), cboKind(form, "cboKind");
  const HFONT formFont = fontOf(form, cboKind);
  const HFONT arial = fontOf(form, form.txtName);  // its row and lblName's name Arial
  ASSERT_NE(formFont, nullptr);
  ASSERT_NE(arial, formFont);
  EXPECT_EQ(fontOf(form, lblName), arial);
  EXPECT_EQ(fontOf(form, form.chkFlag), formFont);

  ASSERT_TRUE(form.chkFlag.setFontName(u"Arial"));
  EXPECT_EQ(fontOf(form, form.chkFlag), arial);
  ASSERT_TRUE(cboKind.setFontName(u"Courier New"));
  ASSERT_TRUE(form.cmdApply.setFontName(u"Courier New"));
  const HFONT courier = fontOf(form, cboKind);
  EXPECT_EQ(fontOf(form, form.cmdApply), courier);
  EXPECT_NE(courier, formFont);
  EXPECT_NE(courier, arial);
  LOGFONTW face{};
  ASSERT_TRUE(GetObjectW(courier, sizeof face, &face));
  EXPECT_STREQ(face.lfFaceName, L"Courier New");

  // Back to the form's face: the form's own font again, and the others
  // stay usable.
  ASSERT_TRUE(cboKind.setFontName(*form.cmdOK.fontName()));
  EXPECT_EQ(fontOf(form, cboKind), formFont);
  EXPECT_TRUE(GetObjectW(fontOf(form, form.cmdApply), sizeof face, &face));
}

// A red 32 x 32 icon, fully opaque.
win32::unique_hicon redIcon() {
  std::vector<DWORD> red(32 * 32, 0xFFFF0000);
  std::vector<BYTE> opaque(32 * 32 / 8, 0);
  win32::unique_hbitmap image(CreateBitmap(32, 32, 1, 32, red.data()));
  win32::unique_hbitmap mask(CreateBitmap(32, 32, 1, 1, opaque.data()));
  ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
  return win32::unique_hicon(CreateIconIndirect(&info));
}

TEST(PictureBox, KeepsWhatIsDrawnWhileHiddenUntilCleared) {
  const win32::unique_hicon icon = redIcon();

  TestForm form;
  HWND picture = controlOf(form, form.picPreview);
  EXPECT_EQ(test::paintedPixel(picture, 10, 10), GetSysColor(COLOR_BTNFACE)) << "a new box shows its colour";
  ASSERT_TRUE(form.picPreview.drawIcon(0, 0, win32::fromIcon(icon.get())));
  showAndAct(form, [](HWND shown) { driver::pressKey(shown, VK_ESCAPE); });
  EXPECT_EQ(test::paintedPixel(picture, 10, 10), RGB(255, 0, 0));
  EXPECT_FALSE(form.picPreview.loadPicture(u"C:\\no such folder\\none.ico"));
  EXPECT_EQ(test::paintedPixel(picture, 10, 10), RGB(255, 0, 0)) << "a failed load changes nothing";
  ASSERT_TRUE(form.picPreview.clear());
  EXPECT_EQ(test::paintedPixel(picture, 10, 10), GetSysColor(COLOR_BTNFACE));
}

// A box nothing was drawn into yet shows the colour it was cleared in, and
// a drawing made after the box grew reaches its new edges.
TEST(PictureBox, BlankBoxesTakeTheirColourAndTheirSizeWhenFirstDrawnInto) {
  const win32::unique_hicon icon = redIcon();

  TestForm form;
  HWND preview = controlOf(form, form.picPreview);
  ASSERT_TRUE(form.picPreview.setBackColour(0x00FF00));
  ASSERT_TRUE(form.picPreview.clear());
  EXPECT_EQ(test::paintedPixel(preview, 5, 5), RGB(0, 255, 0));

  ASSERT_TRUE(form.picPreview.move({120, 120, 900, 900}));  // 60 pixels a side
  ASSERT_TRUE(form.picPreview.drawIcon(28 * 15, 28 * 15, win32::fromIcon(icon.get())));
  EXPECT_EQ(test::paintedPixel(preview, 59, 59), RGB(255, 0, 0));
  EXPECT_EQ(test::paintedPixel(preview, 20, 59), RGB(0, 255, 0));
}

// A combo box's height follows its font; the form keeps it at the table's.
TEST(FormWindow, AComboBoxKeepsTheTablesHeightInANewFont) {
  TestForm form;
  const forms::Control cboKind(form, "cboKind");
  const auto heightOf = [&] {
    RECT r{};
    GetWindowRect(controlOf(form, cboKind), &r);
    return r.bottom - r.top;
  };
  EXPECT_EQ(heightOf(), 315 / 15);
  ASSERT_TRUE(cboKind.setFontName(u"Courier New"));
  EXPECT_EQ(heightOf(), 315 / 15);
}

TEST(CommonDialogs, FilterBarsBecomeTheNulSeparatedList) {
  EXPECT_EQ(win32::openFileFilter(u"All Files (*.*)|*.*|Executable Files (*.exe)|*.exe|"),
            u"All Files (*.*)\0*.*\0Executable Files (*.exe)\0*.exe\0\0"s);
  EXPECT_EQ(win32::openFileFilter(u"Bitmap Files (*.bmp)|*.bmp"), u"Bitmap Files (*.bmp)\0*.bmp\0\0"s);
  EXPECT_EQ(win32::openFileFilter(u""), u"");
}

TEST(SettingsStore, StringValuesUnderTheProgramSettingsKeyRoundTripAndMissingOnesAreAbsent) {
  auto& store = forms::platform();
  const std::wstring app = L"Tollivor Test " + std::to_wstring(GetCurrentProcessId());
  const std::u16string app16 = win32::fromWide(app.c_str());
  const std::wstring keyPath = win32::settingsKeyPath(app, L"");
  EXPECT_EQ(store.readSetting(app16, u"Setting", u"Speed"), std::nullopt);
  ASSERT_TRUE(store.writeSetting(app16, u"Setting", u"Speed", u"-2147483633"));
  ASSERT_TRUE(store.writeSetting(app16, u"Setting", u"Empty", u""));
  EXPECT_EQ(store.readSetting(app16, u"Setting", u"Speed"), u"-2147483633");
  EXPECT_EQ(store.readSetting(app16, u"Setting", u"Empty"), u"");
  EXPECT_EQ(store.readSetting(app16, u"Other", u"Speed"), std::nullopt);

  // Where the host bar reads it: a REG_SZ value; any other type is no setting.
  wchar_t value[32] = {};
  DWORD bytes = sizeof value;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (keyPath + L"\\Setting").c_str(), L"Speed",
                         RRF_RT_REG_SZ, nullptr, value, &bytes),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, L"-2147483633");
  // Stored with its terminating NUL, as readers that take the bytes as they
  // are expect.
  win32::unique_hkey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (keyPath + L"\\Setting").c_str(), 0, KEY_READ, key.put()),
            ERROR_SUCCESS);
  for (const auto& [name, length] : {std::pair{L"Speed", 11}, std::pair{L"Empty", 0}}) {
    DWORD type = 0;
    bytes = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (length + 1) * sizeof(wchar_t)) << name;
  }
  const DWORD number = 7;
  RegSetKeyValueW(HKEY_CURRENT_USER, (keyPath + L"\\Setting").c_str(), L"Number", REG_DWORD,
                  &number, sizeof number);
  EXPECT_EQ(store.readSetting(app16, u"Setting", u"Number"), std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
}

}  // namespace
}  // namespace tollivor
