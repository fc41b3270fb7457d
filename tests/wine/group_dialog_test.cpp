// The group editor end to end: a host writes a group record into the real
// DLL, a watcher drives the real dialog (its message boxes and file-open
// dialog included), and the host reads the record back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "component_support.h"
#include "driver.h"
#include "group/frmGroup.h"
#include "layout.h"
#include "pictures.h"
#include "screenshot.h"

namespace tollivor::test {
namespace {

using Steps = std::function<void(HWND dialog, DWORD thread)>;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::wstring wide(const char16_t* text) {
  const std::u16string s = text;
  return {s.begin(), s.end()};
}

HWND nameBox(HWND dialog) { return FindWindowExW(dialog, nullptr, L"Edit", nullptr); }

void typeInto(HWND edit, const std::wstring& text) {
  PostMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CLEAR, 0, 0);
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
  driver::waitFor([&] { return driver::windowText(edit) == text; });
}

// The preview shows the test icon: red left half, blue right half.
bool previewShowsTestIcon(HWND dialog) {
  return driver::waitFor([&] {
    HWND preview = pictureBoxOf(dialog);
    return paintedPixel(preview, 4, 16) == kRed && paintedPixel(preview, 28, 16) == kBlue;
  });
}

std::wstring fontFace(HWND control) { return driver::fontOf(control).lfFaceName; }

class GroupDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }

  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"tollivor-group";
    CreateDirectoryW(folder.c_str(), nullptr);
    icon = folder + L"\\tools.ico";
    notes = folder + L"\\notes.txt";
    ASSERT_TRUE(writeIconFile(icon, 32, kRed, kBlue));
    ASSERT_TRUE(writeTextFile(notes, "not a picture"));
    ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  }

  // Writes the record, shows the dialog while the steps run on a watcher
  // thread, and answers what the host then reads.
  std::wstring edit(const std::wstring& record, const Steps& steps) {
    EXPECT_EQ(group->put_ItemInfo(bstr(record.c_str()).get()), S_OK);
    {
      driver::Watcher watcher([&](DWORD thread) {
        HWND dialog = driver::waitForWindow(thread, L"Group Property");
        if (!dialog) return driver::closeAll(thread);
        steps(dialog, thread);
        // Whatever the steps left open ends now, so a failure cannot hang.
        if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000))
          driver::closeAll(thread);
      });
      EXPECT_EQ(group->Show(), S_OK);
    }
    return result();
  }
  std::wstring result() {
    unique_bstr out;
    EXPECT_EQ(group->get_ItemInfo(out.put()), S_OK);
    return text(out);
  }

  std::wstring folder;
  std::wstring icon;
  std::wstring notes;
  Ref<_CGroup> group;
};

TEST_F(GroupDialog, OkHandsBackTheRecordCancelAndTheCloseBoxEmptyIt) {
  const std::wstring record = L"group| Tools |:" + icon;
  EXPECT_EQ(edit(L"GROUP| Tools |:" + icon,
                 [](HWND dialog, DWORD thread) {
                   EXPECT_TRUE(driver::waitFor(
                       [&] { return driver::focusOf(thread) == nameBox(dialog); }))
                       << "the focus starts in the name box";
                   EXPECT_TRUE(previewShowsTestIcon(dialog));
                   // Tab away, then Alt+G: the label hands the focus to the name box.
                   driver::pressKey(dialog, VK_TAB);
                   HWND changeIcon = driver::findControl(dialog, L"Change &Icon...");
                   EXPECT_TRUE(
                       driver::waitFor([&] { return driver::focusOf(thread) == changeIcon; }));
                   PostMessageW(changeIcon, WM_SYSCHAR, L'g', 1 | (1u << 29));
                   EXPECT_TRUE(driver::waitFor(
                       [&] { return driver::focusOf(thread) == nameBox(dialog); }));
                   driver::pressKey(dialog, VK_RETURN);
                 }),
            record);
  EXPECT_EQ(edit(L"", [](HWND dialog, DWORD) { driver::pressKey(dialog, VK_ESCAPE); }), L"")
      << "Cancel empties the result";
  ASSERT_EQ(edit(record, [](HWND dialog, DWORD) {
              driver::click(driver::findControl(dialog, L"&OK"));
            }),
            record);
  EXPECT_EQ(edit(L"", [](HWND dialog, DWORD) { driver::closeWindow(dialog); }), L"");
  EXPECT_EQ(edit(L"", [](HWND dialog, DWORD) {
              EXPECT_EQ(driver::windowText(nameBox(dialog)), L"") << "a fresh dialog";
              driver::pressKey(dialog, VK_ESCAPE);
            }),
            L"");
}

// Tools that send IDOK and IDCANCEL, or ask for the default button, find
// the dialog behaving as any dialog does; a refused OK stays refused.
TEST_F(GroupDialog, DialogCommandsPressOkAndCancel) {
  const std::wstring record = L"group| Tools |:" + icon;
  EXPECT_EQ(edit(record,
                 [](HWND dialog, DWORD) {
                   EXPECT_EQ(driver::defaultButtonAnswer(dialog),
                             MAKELONG(GetDlgCtrlID(driver::findControl(dialog, L"&OK")),
                                      DC_HASDEFID));
                   driver::dialogCommand(dialog, IDOK);
                   EXPECT_TRUE(driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000));
                 }),
            record);
  EXPECT_EQ(edit(record,
                 [](HWND dialog, DWORD) {
                   driver::dialogCommand(dialog, IDCANCEL);
                   EXPECT_TRUE(driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000));
                 }),
            L"");
  EXPECT_EQ(edit(L"group||:" + icon,
                 [](HWND dialog, DWORD thread) {
                   driver::dialogCommand(dialog, IDOK);
                   HWND box = driver::waitForMessageBox(thread);
                   ASSERT_NE(box, nullptr) << "OK refuses a group without a name";
                   EXPECT_EQ(driver::messageBoxText(box), wide(frmGroup::kNoNamePrompt));
                   driver::closeMessageBox(box);
                   EXPECT_TRUE(driver::waitFor([&] { return !IsWindow(box); }));
                   driver::dialogCommand(dialog, IDCANCEL);
                 }),
            L"");
}

TEST_F(GroupDialog, RefusedOkShowsTheRealMessageBoxesInOrder) {
  struct Check {
    std::wstring name;
    const char16_t* prompt;
    const wchar_t* focusOn;  // the button's caption, or nullptr for the name box
  };
  const Check checks[] = {
      {L"a|b", frmGroup::kBarInNamePrompt, nullptr},
      {L"   ", frmGroup::kNoNamePrompt, nullptr},
      {L"Tools", frmGroup::kNoIconPrompt, L"Change &Icon..."},
  };
  EXPECT_EQ(edit(L"group|x|:" + notes,
                 [&](HWND dialog, DWORD thread) {
                   for (const auto& check : checks) {
                     SCOPED_TRACE(std::string(check.name.begin(), check.name.end()));
                     typeInto(nameBox(dialog), check.name);
                     driver::click(driver::findControl(dialog, L"&OK"));
                     HWND box = driver::waitForMessageBox(thread);
                     ASSERT_NE(box, nullptr);
                     EXPECT_EQ(driver::messageBoxText(box), wide(check.prompt));
                     EXPECT_EQ(driver::windowText(box), L"Group Property");
                     driver::closeMessageBox(box);
                     EXPECT_TRUE(driver::waitFor([&] { return !IsWindow(box); }));
                     EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
                     HWND expected = check.focusOn ? driver::findControl(dialog, check.focusOn)
                                                   : nameBox(dialog);
                     EXPECT_TRUE(
                         driver::waitFor([&] { return driver::focusOf(thread) == expected; }));
                   }
                   driver::pressKey(dialog, VK_ESCAPE);
                 }),
            L"");
}

TEST_F(GroupDialog, TheFileOpenDialogChoosesAnIconAndThePreviewShowsIt) {
  EXPECT_EQ(edit(L"group|Tools|:",
                 [&](HWND dialog, DWORD thread) {
                   HWND preview = pictureBoxOf(dialog);
                   ASSERT_NE(preview, nullptr);
                   EXPECT_NE(paintedPixel(preview, 4, 16), kRed) << "the default icon first";
                   driver::click(driver::findControl(dialog, L"Change &Icon..."));
                   HWND open = driver::waitForDialog(thread, dialog);
                   ASSERT_NE(open, nullptr);
                   EXPECT_EQ(driver::windowText(open), L"Browse File...");
                   // The file name box (a combo box in the explorer style, else an edit).
                   HWND name = GetDlgItem(open, 0x47c);
                   if (!name) name = GetDlgItem(open, 0x480);
                   ASSERT_NE(name, nullptr);
                   SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(icon.c_str()));
                   PostMessageW(open, WM_COMMAND, IDOK, 0);
                   EXPECT_TRUE(driver::waitFor([&] { return !IsWindow(open); }));
                   EXPECT_TRUE(previewShowsTestIcon(dialog));
                   HWND path = driver::findControl(dialog, icon);
                   ASSERT_NE(path, nullptr) << "the hidden path label holds the file";
                   EXPECT_FALSE(IsWindowVisible(path));
                   driver::click(driver::findControl(dialog, L"&OK"));
                 }),
            L"group|Tools|:" + icon);
}

// Records a host should never send still end in the record the dialog
// promises, through the real controls and file system.
TEST_F(GroupDialog, OddRecordsComeBackAsTheDialogReadThem) {
  const std::wstring broken = folder + L"\\broken.ico";
  const std::wstring vanishing = folder + L"\\vanishing.ico";
  ASSERT_TRUE(writeTextFile(broken, "no picture"));
  ASSERT_TRUE(writeIconFile(vanishing, 32, kRed, kBlue));
  const std::wstring longName(32000, L'n');
  const struct {
    const char* what;
    std::wstring record;
    std::wstring result;
    std::function<void()> meanwhile;
  } cases[] = {
      {"32,000-character name", L"group|" + longName + L"|:", L"group|" + longName + L"|:", {}},
      {"40,000-character path", L"group|T|:" + std::wstring(40000, L'p'), L"group|T|:", {}},
      {"folder as icon path", L"group|T|:" + folder, L"group|T|:", {}},
      {"an .ico that is no picture", L"group|T|:" + broken, L"group|T|:" + broken, {}},
      {"icon file deleted while shown", L"group|T|:" + vanishing, L"group|T|:" + vanishing,
       [&] { DeleteFileW(vanishing.c_str()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(edit(c.record,
                   [&](HWND dialog, DWORD) {
                     if (c.meanwhile) c.meanwhile();
                     driver::click(driver::findControl(dialog, L"&OK"));
                   }),
              c.result);
  }
}

// The window's controls stand where the dialog's table puts them; the
// dialog, with a record loaded, is photographed for the build's screenshots.
TEST_F(GroupDialog, ControlsStandWhereTheTablePutsThem) {
  const auto table = frmGroupTable();
  edit(L"group|Tools|:" + icon, [&](HWND dialog, DWORD) {
    EXPECT_EQ(expectTableLayout(dialog, table), 7) << "every control but the lines";
    EXPECT_EQ(fontFace(nameBox(dialog)), L"Tahoma");
    EXPECT_EQ(fontFace(driver::findControl(dialog, L"&Group Name: ")), L"Tahoma");
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(previewShowsTestIcon(dialog));
    if (_wgetenv(L"TOLLIVOR_SCREENSHOTS")) {
      Sleep(300);  // let it paint
      EXPECT_TRUE(saveScreenshot(dialog, L"group-dialog"));
    }
    driver::pressKey(dialog, VK_ESCAPE);
  });
}

}  // namespace
}  // namespace tollivor::test
