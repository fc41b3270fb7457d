// Registration in either scope: machine-wide (DllRegisterServer) or the
// user's alone (regsvr32 /n /i:user calls DllInstall(TRUE, "user")).
#include <gtest/gtest.h>
#include <olectl.h>

#include <map>

#include "component_support.h"

namespace tollivor::test {
namespace {

struct NoCase {  // as the registry compares key and value names
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  }
};
using Tree = std::map<std::wstring, std::wstring, NoCase>;

// Every key under root\path, and every value as "path|name" -> "type|text"
// (the text up to its first NUL), each path after `tag`.
void addTree(HKEY root, const std::wstring& path, const std::wstring& tag, Tree& out) {
  win32::unique_hkey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put())) return;
  out[tag + path] = L"";
  wchar_t name[256], data[2048];
  for (DWORD i = 0, length = 256, type = 0, size = sizeof data;
       !RegEnumValueW(key.get(), i, name, &length, nullptr, &type, (BYTE*)data, &size);
       ++i, length = 256, size = sizeof data)
    out[tag + path + L"|" + name] =
        std::to_wstring(type) + L"|" + std::wstring(data, wcsnlen(data, size / 2));
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
    ASSERT_EQ(unregisterComponent(), S_OK);  // and make the user's key, missing in a new prefix
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr,
                    win32::unique_hkey().put(), nullptr);
  }
  void TearDown() override { install(false); registerComponent(); }  // as other tests expect
  HRESULT install(bool on, const wchar_t* who = L"user") {
    if (!GetParam()) return on ? registerComponent() : unregisterComponent();
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR)>(reinterpret_cast<void*>(
        GetProcAddress(componentModule(), "DllInstall")))(on, who);
  }
  const HKEY root = GetParam() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring scope = GetParam() ? L"HKCU\\Software\\Classes\\" : L"Software\\Classes\\";
};

TEST_P(ComponentRegistration, WritesWhatHostsNeedInItsScopeAloneAndUndoesItExactly) {
  const Tree before = classes();
  EXPECT_TRUE(!GetParam() || install(true, L"everyone") == E_INVALIDARG) << "the user's alone";
  ASSERT_EQ(install(true), S_OK);
  Tree after = classes();
  const std::wstring dll = L"1|" + componentPath(), library = L"1|" + std::wstring(kLibraryId);
  EXPECT_EQ(after[scope + L"TypeLib\\" + kLibraryId + L"\\1.1\\0\\win64|"], dll);
  for (const auto& c : kClasses) {
    const std::wstring key = scope + L"CLSID\\" + c.clsid;
    EXPECT_EQ(after[scope + c.progId + L"\\CLSID|"], L"1|" + std::wstring(c.clsid));
    EXPECT_EQ(after[key + L"\\InprocServer32|"], dll);
    EXPECT_EQ(after[key + L"\\InprocServer32|ThreadingModel"], L"1|Apartment");
    EXPECT_EQ(after[key + L"\\TypeLib|"], library);
    // The type library's records make the interface marshalable.
    EXPECT_EQ(after[scope + L"Interface\\" + c.iid + L"\\TypeLib|"], library);
  }
  // Wine's type library registration also writes the machine's 32-bit
  // view, in either scope (and takes it away again).
  for (const auto& [path, data] : classes())
    EXPECT_TRUE((before.contains(path) && before.at(path) == data) ||
                path.starts_with(L"Software\\Classes\\Wow6432Node") ||
                path.starts_with(L"HKCU\\") == GetParam()) << "outside its scope: " << path;
  EXPECT_EQ(install(false), S_OK);
  EXPECT_TRUE(classes() == before);
  EXPECT_EQ(install(false), S_OK) << "unregistering twice";
  EXPECT_TRUE(classes() == before);

  // A ProgID that names another class belongs to that class: unregistering
  // leaves it, and registering refuses it and takes back all it wrote.
  const wchar_t foreign[] = L"{0F0F0F0F-1111-2222-3333-444444444444}";
  ASSERT_EQ(install(true), S_OK);
  ASSERT_EQ(RegSetKeyValueW(root, L"Software\\Classes\\Tollivor.CGroup\\CLSID", nullptr, REG_SZ,
                            foreign, sizeof foreign), ERROR_SUCCESS);
  EXPECT_EQ(install(false), S_OK);
  Tree left = classes();
  EXPECT_EQ(left[scope + L"Tollivor.CGroup\\CLSID|"], L"1|" + std::wstring(foreign));
  EXPECT_FALSE(left.contains(scope + L"Tollivor.CProperty"));
  EXPECT_EQ(install(true), SELFREG_E_CLASS);
  EXPECT_TRUE(classes() == left) << "a refused registration is rolled back whole";
  RegDeleteTreeW(root, L"Software\\Classes\\Tollivor.CGroup");
}

TEST_P(ComponentRegistration, AHostCreatesEveryClassFromIt) {
  ASSERT_EQ(install(true), S_OK);
  if (CLSID clsid; CLSIDFromProgID(kClasses[0].progId, &clsid) != S_OK)
    GTEST_SKIP() << "HKEY_CLASSES_ROOT here does not show the user's classes (Wine 8 and 10)";
  Ref<IUnknown> object;
  for (const auto& c : kClasses)
    EXPECT_EQ(createByProgId(c.progId, IID_IUnknown, object.putVoid()), S_OK) << c.progId;
}

INSTANTIATE_TEST_SUITE_P(, ComponentRegistration, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "User" : "Machine"; });

}  // namespace
}  // namespace tollivor::test
