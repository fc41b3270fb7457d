// Registration in either scope: machine-wide (DllRegisterServer) or the
// user's alone (regsvr32 /n /i:user calls DllInstall(TRUE, "user")). It
// writes what hosts need in its scope alone, leaves a ProgID of another
// class to its owner, and once undone leaves the classes as they were.
#include <gtest/gtest.h>
#include <olectl.h>

#include <map>

#include "component_support.h"
#include "pictures.h"

namespace tollivor::test {
namespace {

using Tree = std::map<std::wstring, std::wstring>;

// Every key under root\path and its values, as "path" and "path|name" ->
// "type|data" entries, each path after `tag`.
void addTree(HKEY root, const std::wstring& path, const std::wstring& tag, Tree& out) {
  win32::unique_hkey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put())) return;
  out[tag + path] = L"";
  wchar_t name[256];
  BYTE data[4096];
  for (DWORD i = 0, length = 256, type = 0, size = sizeof data;
       !RegEnumValueW(key.get(), i, name, &length, nullptr, &type, data, &size);
       ++i, length = 256, size = sizeof data)
    out[tag + path + L"|" + name] =
        std::to_wstring(type) + L"|" + std::wstring(reinterpret_cast<wchar_t*>(data), size / 2);
  for (DWORD i = 0, length = 256;
       !RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
       ++i, length = 256)
    addTree(root, path + L"\\" + name, tag, out);
}

// The machine's classes, then the user's after "HKCU\".
Tree classes() {
  Tree tree;
  addTree(HKEY_LOCAL_MACHINE, L"Software\\Classes", L"", tree);
  addTree(HKEY_CURRENT_USER, L"Software\\Classes", L"HKCU\\", tree);
  return tree;
}

class ComponentRegistration : public ::testing::TestWithParam<bool> {  // true: the user's
 protected:
  void SetUp() override {
    ASSERT_EQ(unregisterComponent(), S_OK);
    win32::unique_hkey key;  // the system's own key, missing in a fresh Wine prefix
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr,
                    key.put(), nullptr);
  }
  void TearDown() override {
    install(false);
    registerComponent();  // as the other tests expect it
  }

  HRESULT install(bool on) {
    if (!GetParam()) return on ? registerComponent() : unregisterComponent();
    using DllInstall = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);
    return reinterpret_cast<DllInstall>(reinterpret_cast<void*>(
        GetProcAddress(componentModule(), "DllInstall")))(on, L"user");
  }
  HKEY root() const { return GetParam() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

  // A string value under the scope's classes key; empty when missing.
  std::wstring value(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    RegGetValueW(root(), (L"Software\\Classes\\" + key).c_str(), name, RRF_RT_REG_SZ, nullptr,
                 text, &size);
    return text;
  }
};

TEST_P(ComponentRegistration, WritesWhatHostsNeedInItsScopeAloneAndUndoesItExactly) {
  const Tree before = classes();
  ASSERT_EQ(install(true), S_OK);
  const std::wstring dll = componentPath(), library = kLibraryId;
  for (const auto& c : kClasses) {
    const std::wstring key = L"CLSID\\" + std::wstring(c.clsid);
    EXPECT_EQ(value(c.progId + std::wstring(L"\\CLSID")), c.clsid);
    EXPECT_EQ(_wcsicmp(value(key + L"\\InprocServer32").c_str(), dll.c_str()), 0) << c.clsid;
    EXPECT_EQ(value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment") << c.clsid;
    EXPECT_EQ(value(key + L"\\TypeLib"), library) << c.clsid;
    // The type library's records make the interface marshalable.
    EXPECT_EQ(value(L"Interface\\" + std::wstring(c.iid) + L"\\TypeLib"), library);
  }
  EXPECT_EQ(_wcsicmp(value(L"TypeLib\\" + library + L"\\1.1\\0\\win64").c_str(), dll.c_str()), 0);
  // Wine's type library registration writes the machine's 32-bit view in
  // either scope (and takes it away again).
  for (const auto& [path, data] : classes())
    EXPECT_TRUE((before.contains(path) && before.at(path) == data) ||
                path.starts_with(L"Software\\Classes\\Wow6432Node") ||
                path.starts_with(L"HKCU\\") == GetParam()) << "outside its scope: " << path;

  EXPECT_EQ(install(false), S_OK);
  EXPECT_TRUE(classes() == before);
  EXPECT_EQ(install(false), S_OK) << "unregistering twice";
  EXPECT_TRUE(classes() == before);
}

// A ProgID that names another class belongs to that class: unregistering
// leaves it, and registering refuses it and takes back all it wrote.
TEST_P(ComponentRegistration, AProgIdOfAnotherClassIsLeftToItsOwner) {
  const wchar_t foreign[] = L"{0F0F0F0F-1111-2222-3333-444444444444}";
  ASSERT_EQ(install(true), S_OK);
  ASSERT_EQ(RegSetKeyValueW(root(), L"Software\\Classes\\Tollivor.CGroup\\CLSID", nullptr, REG_SZ,
                            foreign, sizeof foreign), ERROR_SUCCESS);
  EXPECT_EQ(install(false), S_OK);
  EXPECT_EQ(value(L"Tollivor.CGroup\\CLSID"), foreign);
  EXPECT_EQ(value(L"Tollivor.CProperty\\CLSID"), L"");
  const Tree before = classes();
  EXPECT_EQ(install(true), SELFREG_E_CLASS);
  EXPECT_TRUE(classes() == before) << "a refused registration is rolled back whole";
  RegDeleteTreeW(root(), L"Software\\Classes\\Tollivor.CGroup");
}

TEST_P(ComponentRegistration, AScriptCreatesEveryClassFromIt) {
  ASSERT_EQ(install(true), S_OK);
  win32::unique_hkey seen;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup", 0, KEY_READ, seen.put()))
    GTEST_SKIP() << "HKEY_CLASSES_ROOT here does not show the user's classes (Wine 8 and 10)";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring script = std::wstring(temp) + L"tollivor-classes.vbs";
  ASSERT_TRUE(writeTextFile(script, "CreateObject(\"Tollivor.CProperty\").ItemInfo = \"x|y\"\r\n"
                                    "Set g = CreateObject(\"Tollivor.CGroup\")\r\n"
                                    "Set s = CreateObject(\"Tollivor.CSettingEx\")\r\n"
                                    "WScript.Quit 7\r\n"));
  EXPECT_EQ(runProgram(L"cscript.exe //nologo \"" + script + L"\""), 7u);
  DeleteFileW(script.c_str());
}

INSTANTIATE_TEST_SUITE_P(, ComponentRegistration, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "User" : "Machine"; });

// Installers register a file that says it registers itself.
TEST(ComponentFile, DeclaresOleSelfRegister) {
  HRSRC found = FindResourceW(componentModule(), MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_NE(found, nullptr);
  const auto* block = static_cast<const wchar_t*>(LockResource(LoadResource(componentModule(), found)));
  const std::wstring_view all(block, SizeofResource(componentModule(), found) / sizeof(wchar_t));
  EXPECT_NE(all.find(L"OLESelfRegister"), all.npos);
}

}  // namespace
}  // namespace tollivor::test
