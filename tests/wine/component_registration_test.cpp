// Registration through Wine's regsvr32: the records it writes, and that
// unregistering takes all of them away and nothing else.
#include <gtest/gtest.h>

#include <map>

#include "component_support.h"

namespace tollivor::test {
namespace {

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// A value of a key under HKEY_CLASSES_ROOT; nullptr name: the default value.
// "<missing>" when the key or the value does not exist.
std::wstring classesValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return text;
}

// Every key and value of the machine's and the user's classes: what the
// merged HKEY_CLASSES_ROOT is made of.
std::map<std::wstring, std::wstring> classesSnapshot() {
  std::map<std::wstring, std::wstring> tree, machine, user;
  registryTree(HKEY_LOCAL_MACHINE, L"Software\\Classes", machine);
  registryTree(HKEY_CURRENT_USER, L"Software\\Classes", user);
  // Both trees have the same paths: each keeps its own root's name.
  for (auto& [path, value] : machine) tree[L"HKLM\\" + path] = std::move(value);
  for (auto& [path, value] : user) tree[L"HKCU\\" + path] = std::move(value);
  return tree;
}

// The differing entries of two snapshots, for a readable failure.
std::wstring difference(const std::map<std::wstring, std::wstring>& a,
                        const std::map<std::wstring, std::wstring>& b) {
  std::wstring out;
  for (const auto& [key, value] : a)
    if (auto it = b.find(key); it == b.end() || it->second != value) out += L"- " + key + L"\n";
  for (const auto& [key, value] : b)
    if (!a.contains(key)) out += L"+ " + key + L"\n";
  return out;
}

TEST(ComponentRegistration, Regsvr32WritesEveryRecordAndUnregisterTakesAllOfThemAway) {
  ASSERT_EQ(unregisterComponent(), S_OK);
  const auto before = classesSnapshot();
  const std::wstring dll = L" \"" + componentPath() + L"\"";
  ASSERT_EQ(runProgram(L"regsvr32.exe /s" + dll), 0u);

  const std::wstring library = guidText(LIBID_Tollivor);
  const struct {
    const CLSID* clsid;
    const IID* iid;
    const wchar_t* progId;
  } classes[] = {{&CLSID_CProperty, &IID__CProperty, L"Tollivor.CProperty"},
                 {&CLSID_CGroup, &IID__CGroup, L"Tollivor.CGroup"},
                 {&CLSID_CSettingEx, &IID__CSettingEx, L"Tollivor.CSettingEx"}};
  for (const auto& c : classes) {
    SCOPED_TRACE(c.progId);
    const std::wstring key = L"CLSID\\" + guidText(*c.clsid);
    EXPECT_EQ(_wcsicmp(classesValue(key + L"\\InprocServer32").c_str(), componentPath().c_str()), 0);
    EXPECT_EQ(classesValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(classesValue(key + L"\\ProgID"), c.progId);
    EXPECT_EQ(classesValue(key + L"\\TypeLib"), library);
    EXPECT_EQ(classesValue(std::wstring(c.progId) + L"\\CLSID"), guidText(*c.clsid));
    // The type library's registration makes the interface marshalable.
    EXPECT_EQ(classesValue(L"Interface\\" + guidText(*c.iid) + L"\\TypeLib"), library);
  }
  EXPECT_EQ(_wcsicmp(classesValue(L"TypeLib\\" + library + L"\\1.1\\0\\win64").c_str(),
                     componentPath().c_str()),
            0);

  ASSERT_EQ(runProgram(L"regsvr32.exe /s /u" + dll), 0u);
  const auto after = classesSnapshot();
  EXPECT_TRUE(after == before) << testing::PrintToString(difference(before, after));
  EXPECT_EQ(classesValue(L"Tollivor.CGroup\\CLSID"), L"<missing>");
  EXPECT_EQ(runProgram(L"regsvr32.exe /s /u" + dll), 0u) << "unregistering twice is no error";
  registerComponent();  // as the other tests expect it
}

// A ProgID that meanwhile names another class belongs to that class now:
// unregistering leaves it alone, and takes the rest away.
TEST(ComponentRegistration, UnregisteringKeepsAProgIdThatNamesAnotherClass) {
  ASSERT_EQ(registerComponent(), S_OK);
  const std::wstring other = L"{6B0F4A70-1C2D-4E5F-8A9B-0C1D2E3F4A5B}";
  ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup\\CLSID", REG_SZ, other.c_str(),
                         static_cast<DWORD>(other.size() * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_EQ(unregisterComponent(), S_OK);
  EXPECT_EQ(classesValue(L"Tollivor.CGroup\\CLSID"), other);
  EXPECT_EQ(classesValue(L"Tollivor.CProperty\\CLSID"), L"<missing>");
  EXPECT_EQ(classesValue(L"CLSID\\" + guidText(CLSID_CGroup) + L"\\InprocServer32"), L"<missing>");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup");
  ASSERT_EQ(registerComponent(), S_OK);  // as the other tests expect it
}

}  // namespace
}  // namespace tollivor::test
