// Registration for the current user alone (regsvr32 /n /i:user): the records
// land under HKEY_CURRENT_USER\Software\Classes and nowhere machine-wide, and
// unregistering in that scope leaves the user's classes as they were.
#include <gtest/gtest.h>

#include <map>

#include "component_support.h"
#include "pictures.h"

namespace tollivor::test {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// What lies under the user's classes key. The key itself is the system's
// (a fresh Wine prefix has none until a first registration makes it).
std::map<std::wstring, std::wstring> userClasses() {
  std::map<std::wstring, std::wstring> tree;
  registryTree(HKEY_CURRENT_USER, kUserClasses, tree);
  tree.erase(kUserClasses);
  return tree;
}

struct ClassNames {
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* progId;
};
const ClassNames kClasses[] = {{&CLSID_CProperty, &IID__CProperty, L"Tollivor.CProperty"},
                               {&CLSID_CGroup, &IID__CGroup, L"Tollivor.CGroup"},
                               {&CLSID_CSettingEx, &IID__CSettingEx, L"Tollivor.CSettingEx"}};

// Every key that registration writes, relative to a classes key.
std::vector<std::wstring> ourKeys() {
  std::vector<std::wstring> keys{L"TypeLib\\" + guidText(LIBID_Tollivor)};
  for (const auto& c : kClasses) {
    keys.push_back(L"CLSID\\" + guidText(*c.clsid));
    keys.push_back(L"Interface\\" + guidText(*c.iid));
    keys.push_back(c.progId);
  }
  return keys;
}

bool keyExists(HKEY root, const std::wstring& path) {
  win32::unique_hkey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring userValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  const std::wstring path = std::wstring(kUserClasses) + L"\\" + key;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return text;
}

std::wstring regsvr32(const wchar_t* switches) {
  return L"regsvr32.exe /s " + std::wstring(switches) + L" \"" + componentPath() + L"\"";
}

class UserRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(unregisterComponent(), S_OK) << "nothing machine-wide";
    for (const auto& key : ourKeys()) ASSERT_FALSE(keyExists(HKEY_CLASSES_ROOT, key));
  }
  void TearDown() override {
    runProgram(regsvr32(L"/u /n /i:user"));
    registerComponent();  // as the other tests expect it
  }
};

TEST_F(UserRegistration, WritesEveryRecordForTheUserAloneAndUndoesItExactly) {
  const auto before = userClasses();
  ASSERT_EQ(runProgram(regsvr32(L"/n /i:user")), 0u);

  const std::wstring library = guidText(LIBID_Tollivor);
  for (const auto& c : kClasses) {
    SCOPED_TRACE(std::string(c.progId, c.progId + wcslen(c.progId)));
    const std::wstring key = L"CLSID\\" + guidText(*c.clsid);
    EXPECT_EQ(_wcsicmp(userValue(key + L"\\InprocServer32").c_str(), componentPath().c_str()), 0);
    EXPECT_EQ(userValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(userValue(key + L"\\ProgID"), c.progId);
    EXPECT_EQ(userValue(key + L"\\TypeLib"), library);
    EXPECT_EQ(userValue(std::wstring(c.progId) + L"\\CLSID"), guidText(*c.clsid));
    EXPECT_EQ(userValue(L"Interface\\" + guidText(*c.iid) + L"\\TypeLib"), library);
  }
  EXPECT_EQ(_wcsicmp(userValue(L"TypeLib\\" + library + L"\\1.1\\0\\win64").c_str(),
                     componentPath().c_str()),
            0);
  win32::unique_hkey machineClasses;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_READ,
                          machineClasses.put()),
            ERROR_SUCCESS);
  for (const auto& key : ourKeys()) {
    SCOPED_TRACE(std::string(key.begin(), key.end()));
    EXPECT_FALSE(keyExists(machineClasses.get(), key)) << "nothing machine-wide";
  }

  ASSERT_EQ(runProgram(regsvr32(L"/u /n /i:user")), 0u);
  EXPECT_EQ(userClasses(), before);
  EXPECT_EQ(runProgram(regsvr32(L"/u /n /i:user")), 0u) << "unregistering twice is no error";
  EXPECT_NE(runProgram(regsvr32(L"/n /i:everyone")), 0u) << "only the user's scope is known";
  EXPECT_EQ(userClasses(), before);
}

// A ProgID of the user's that names another class is not taken over: the
// registration fails, is rolled back, and that ProgID stays as it was.
TEST_F(UserRegistration, RefusesAForeignProgIdAndRollsBack) {
  const std::wstring foreign = std::wstring(kUserClasses) + L"\\Tollivor.CGroup\\CLSID";
  const wchar_t other[] = L"{12345678-1234-1234-1234-123456789ABC}";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, foreign.c_str(), nullptr, REG_SZ, other,
                            sizeof other),
            ERROR_SUCCESS);
  const auto before = userClasses();
  EXPECT_NE(runProgram(regsvr32(L"/n /i:user")), 0u);
  EXPECT_EQ(userClasses(), before);
  EXPECT_EQ(runProgram(regsvr32(L"/u /n /i:user")), 0u);
  EXPECT_EQ(userClasses(), before) << "unregistering leaves the foreign ProgID alone";
  RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kUserClasses) + L"\\Tollivor.CGroup").c_str());
}

// Whether this system's HKEY_CLASSES_ROOT shows the user's classes (Windows
// does; Wine 8 shows the machine's alone).
bool classesRootMergesUserClasses() {
  const std::wstring probe = L"Tollivor.UserScopeProbe";
  const std::wstring path = std::wstring(kUserClasses) + L"\\" + probe;
  win32::unique_hkey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  key.reset();
  const bool seen = keyExists(HKEY_CLASSES_ROOT, probe);
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
  return seen;
}

TEST_F(UserRegistration, ScriptsCreateEveryClassFromTheUserRegistration) {
  if (!classesRootMergesUserClasses())
    GTEST_SKIP() << "HKEY_CLASSES_ROOT here does not show HKEY_CURRENT_USER\\Software\\Classes";
  ASSERT_EQ(runProgram(regsvr32(L"/n /i:user")), 0u);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring script = std::wstring(temp) + L"tollivor-user-classes.vbs";
  ASSERT_TRUE(writeTextFile(script,
    "CreateObject(\"Tollivor.CProperty\").ItemInfo = \"x|y\"\r\n"
           "Set g = CreateObject(\"Tollivor.CGroup\")\r\n"
           "Set s = CreateObject(\"Tollivor.CSettingEx\")\r\n"
           "WScript.Quit 7\r\n"));
  EXPECT_EQ(runProgram(L"cscript.exe //nologo \"" + script + L"\""), 7u);
  DeleteFileW(script.c_str());
}

}  // namespace
}  // namespace tollivor::test
