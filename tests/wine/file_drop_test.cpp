// Files dropped from Explorer onto the real dialogs: a watcher posts the
// WM_DROPFILES the shell would, and the real controls are read back.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "component_support.h"
#include "driver.h"
#include "group/frmGroup.h"
#include "item/frmProperty.h"
#include "pictures.h"
#include "screenshot.h"
#include "settings/frmSettingEx.h"
#include "settings_support.h"

namespace tollivor::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Drops the files on the window as Explorer does: a DROPFILES block of wide,
// NUL-separated paths ending in two NULs, which the window must let go.
bool postDrop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const auto& path : paths) list.append(path).push_back(L'\0');
  list.push_back(L'\0');
  const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return false;
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  if (PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0)) return true;
  GlobalFree(memory);
  return false;
}

std::wstring tempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// Pixels of the preview's top-left 32 x 32, every fourth one.
std::vector<COLORREF> previewPixels(HWND dialog) {
  HWND preview = pictureBoxOf(dialog);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 32; y += 4)
    for (int x = 0; x < 32; x += 4) pixels.push_back(paintedPixel(preview, x, y));
  return pixels;
}

// A dialog shown by its class while a watcher works it; whatever the steps
// leave open ends afterwards, so that a failure cannot hang.
template <class Show>
void whileShown(const wchar_t* caption, Show show, const Steps& steps) {
  driver::Watcher watcher([&](DWORD thread) {
    HWND dialog = driver::waitForWindow(thread, caption);
    if (!dialog) return driver::closeAll(thread);
    steps(dialog, thread);
    if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000)) {
      ADD_FAILURE() << "the dialog was still open after the steps";
      driver::closeAll(thread);
    }
  });
  EXPECT_EQ(show(), S_OK);
}

class FileDrop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  void SetUp() override {
    folder = tempFolder(L"tollivor-drop");
    icon = folder + L"\\drop.ico";
    notes = folder + L"\\notes.txt";
    ASSERT_TRUE(writeIconFile(icon, 32, kRed, kBlue));
    ASSERT_TRUE(writeTextFile(notes, "not a picture"));
  }
  std::wstring folder, icon, notes;
};

// The item dialog takes the first dropped file as its target and draws the
// icon the same file gets when a record names it.
TEST_F(FileDrop, ItemDialogTakesTheFirstFileAndDrawsItsIcon) {
  Ref<_CProperty> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  static const forms::FormTable table = frmPropertyTable();
  const auto show = [&] { return item->Show(); };

  std::vector<COLORREF> recordIcon;
  item->put_ItemInfo(bstr((icon + L"|tip").c_str()).get());
  whileShown(L"Item Property", show, [&](HWND dialog, DWORD) {
    Sleep(200);
    recordIcon = previewPixels(dialog);
    driver::pressKey(dialog, VK_ESCAPE);
  });

  item->put_ItemInfo(bstr(L"|tip").get());
  whileShown(L"Item Property", show, [&](HWND dialog, DWORD) {
    HWND target = driver::controlWindow(dialog, table, "Text1");
    Sleep(200);
    EXPECT_NE(previewPixels(dialog), recordIcon) << "the preview starts blank";
    // Explorer offers drops only to windows that take them.
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    ASSERT_TRUE(postDrop(dialog, {icon, notes}));
    EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(target) == icon; }))
        << "target: " << testing::PrintToString(driver::windowText(target));
    EXPECT_TRUE(driver::waitFor([&] { return previewPixels(dialog) == recordIcon; }));
    if (_wgetenv(L"TOLLIVOR_SCREENSHOTS")) {
      Sleep(300);
      EXPECT_TRUE(saveScreenshot(dialog, L"item-dialog-after-drop"));
    }
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));
  });
  win32::unique_bstr result;
  EXPECT_EQ(item->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), icon + L"|tip");
}

// The group dialog takes a dropped icon file as chosen. A drop that comes
// while its message box is up is let go: the handler that opened the box is
// still running.
TEST_F(FileDrop, GroupDialogTakesTheIconButNotWhileItsMessageBoxIsUp) {
  Ref<_CGroup> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  static const forms::FormTable table = frmGroupTable();
  group->put_ItemInfo(bstr((L"group|Tools|:" + notes).c_str()).get());
  whileShown(L"Group Property", [&] { return group->Show(); }, [&](HWND dialog, DWORD thread) {
    HWND iconPath = driver::controlWindow(dialog, table, "lblIconPath");
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));  // not an icon file
    HWND box = driver::waitForMessageBox(thread);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(postDrop(dialog, {icon}));
    Sleep(300);
    EXPECT_EQ(driver::windowText(iconPath), notes) << "taken while the message box was up";
    driver::closeMessageBox(box);
    ASSERT_TRUE(driver::waitFor([&] { return IsWindowEnabled(dialog) != FALSE; }));
    Sleep(200);
    EXPECT_EQ(driver::windowText(iconPath), notes) << "kept and taken after the message box";

    ASSERT_TRUE(postDrop(dialog, {icon, notes}));
    EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(iconPath) == icon; }));
    HWND preview = pictureBoxOf(dialog);
    EXPECT_TRUE(driver::waitFor([&] {
      return paintedPixel(preview, 4, 16) == kRed && paintedPixel(preview, 28, 16) == kBlue;
    }));
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));
  });
  win32::unique_bstr result;
  EXPECT_EQ(group->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"group|Tools|:" + icon);
}

class SettingsDrop : public SettingsDialogTest {};

// The settings dialog puts a drop in the enabled path box of the page in
// front; a disabled box and the other pages let it go.
TEST_F(SettingsDrop, ThePathBoxOfThePageInFrontTakesTheDropWhenEnabled) {
  static const forms::FormTable table = frmSettingExTable();
  const std::wstring picture = L"C:\\pictures\\bar.bmp", dropped = L"C:\\drop\\first.wav";
  writeSetting(L"Sound", L"C:\\sounds\\in.wav");  // the picture box stays disabled
  show([&](HWND dialog, DWORD) {
    HWND pictureBox = driver::controlWindow(dialog, table, "txtBgPict");
    HWND soundBox = driver::controlWindow(dialog, table, "txtSoundFile");
    ASSERT_TRUE(postDrop(dialog, {dropped}));  // the Behavior page
    clickTab(tabStrip(dialog), frmSettingEx::kPicturePage);
    ASSERT_TRUE(waitForPage(dialog, frmSettingEx::kPicturePage));
    EXPECT_FALSE(IsWindowEnabled(pictureBox));
    ASSERT_TRUE(postDrop(dialog, {dropped}));
    clickTab(tabStrip(dialog), frmSettingEx::kSoundPage);
    ASSERT_TRUE(waitForPage(dialog, frmSettingEx::kSoundPage));
    EXPECT_EQ(driver::windowText(soundBox), L"C:\\sounds\\in.wav") << "a drop on another page";
    EXPECT_EQ(driver::windowText(pictureBox), L"") << "a drop on a disabled box";
    ASSERT_TRUE(postDrop(dialog, {dropped, picture}));
    EXPECT_TRUE(driver::waitFor([&] { return driver::windowText(soundBox) == dropped; }));
    EXPECT_EQ(driver::windowText(pictureBox), L"");
    driver::click(driver::controlWindow(dialog, table, "cmdOK"));
  });
  EXPECT_EQ(readSetting(L"Sound"), (StoredValue{REG_SZ, dropped}));
  EXPECT_EQ(readSetting(L"BackgroundPicture"), (StoredValue{REG_SZ, L""}));
}

}  // namespace
}  // namespace tollivor::test
