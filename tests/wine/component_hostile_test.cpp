// Records a careless or hostile host hands the item class through the
// vtable: no crash, the fields the record rules give, and OK's verdict on
// paths the ANSI shell call cannot see.
#include <gtest/gtest.h>

#include <string>

#include "component_support.h"
#include "driver.h"
#include "item/frmProperty.h"

namespace tollivor::test {
namespace {

HWND control(HWND dialog, std::string_view name) {
  static const forms::FormTable table = frmPropertyTable();
  return driver::controlWindow(dialog, table, name);
}

std::wstring tempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

class HostileRecords : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  void SetUp() override {
    ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  }

  // Writes the record as a BSTR of exactly these characters, shows the
  // dialog, notes what its two boxes hold, and presses `key` (Esc: Cancel).
  HRESULT write(const std::wstring& record, std::wstring& target, std::wstring& tooltip,
                UINT key = VK_ESCAPE, bool* refused = nullptr) {
    unique_bstr in(SysAllocStringLen(record.data(), static_cast<UINT>(record.size())));
    const HRESULT hr = item->put_ItemInfo(in.get());
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, L"Item Property");
      if (!dialog) return driver::closeAll(thread);
      target = driver::windowText(control(dialog, "Text1"));
      tooltip = driver::windowText(control(dialog, "Text2"));
      driver::pressKey(dialog, key);
      if (refused) {
        HWND box = driver::waitForMessageBox(thread, 1500);
        *refused = box != nullptr;
        if (box) driver::closeMessageBox(box);
        if (box) driver::pressKey(dialog, VK_ESCAPE);
      }
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000)) driver::closeAll(thread);
    });
    item->Show();
    return hr;
  }

  Ref<_CProperty> item;
};

TEST_F(HostileRecords, OddTextGivesTheFieldsTheRecordRulesGive) {
  const std::wstring cyrillic = L"C:\\\x0416\x0443\x0440\x043D\x0430\x043B";
  const std::wstring cjk = L"C:\\\x6587\x4EF6";
  const std::wstring emoji = L"C:\\\xD83D\xDE00.exe";
  const struct {
    const char* what;
    std::wstring record, target, tooltip;
  } cases[] = {
      {"embedded NUL in the tooltip", std::wstring(L"C:\\a|ti\0p", 9), L"C:\\a", L"ti"},
      {"40,000 characters", std::wstring(40000, L'x') + L"|tip", L"", L""},
      {"a bar just before the limit", std::wstring(32766, L'y') + L"|tip",
       std::wstring(32766, L'y'), L"tip"},
      {"a bar beyond the limit", std::wstring(32767, L'y') + L"|tip", L"", L""},
      {"a lone surrogate", L"C:\\\xD800x|\xDC00", L"C:\\\xD800x", L"\xDC00"},
      {"Cyrillic", cyrillic + L"|\x0442", cyrillic, L"\x0442"},
      {"CJK", cjk + L"|\x6587", cjk, L"\x6587"},
      {"emoji", emoji + L"|\xD83D\xDE00", emoji, L"\xD83D\xDE00"},
      {"a path of 300 characters", L"C:\\" + std::wstring(300, L'p') + L"|tip",
       L"C:\\" + std::wstring(300, L'p'), L"tip"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring target = L"?", tooltip = L"?";
    EXPECT_EQ(write(c.record, target, tooltip), S_OK);
    EXPECT_EQ(target, c.target);
    EXPECT_EQ(tooltip, c.tooltip);
  }
  EXPECT_EQ(item->put_ItemInfo(nullptr), S_OK) << "a NULL BSTR is the empty record";
}

// The record asks for the shell's ANSI call: an existing file whose name
// the code page cannot hold has no icon and is refused, and a look-alike
// that the code page folds onto an existing path is accepted as typed.
TEST_F(HostileRecords, OkSeesPathsAsTheAnsiCodePageDoes) {
  const std::wstring outside = tempFolder() + L"\x0416\x0443\x0440.txt";
  HANDLE h = CreateFileW(outside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  std::wstring target, tooltip;
  bool refused = false;
  write(outside + L"|tip", target, tooltip, VK_RETURN, &refused);
  EXPECT_TRUE(refused) << "no ANSI name: no icon, so OK refuses it";
  DeleteFileW(outside.c_str());

  const std::wstring lookAlike = L"C:\xFF3Cwindows";  // a full-width backslash
  refused = true;
  write(lookAlike + L"|tip", target, tooltip, VK_RETURN, &refused);
  EXPECT_FALSE(refused) << "folded to C:\\windows, which exists";
  unique_bstr result;
  ASSERT_EQ(item->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), lookAlike + L"|tip") << "kept as typed";
}

}  // namespace
}  // namespace tollivor::test
