// Registration through Wine's regsvr32: the records it writes, and that
// unregistering takes all of them away and nothing else.
#include <gtest/gtest.h>

#include <map>

#include "component_support.h"

namespace tollivor::testing {
namespace {

using win32::unique_hkey;

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

bool classesKeyExists(const std::wstring& key) {
  unique_hkey handle;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS;
}

DWORD subkeyCount(const std::wstring& key) {
  unique_hkey handle;
  DWORD count = 0;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS)
    RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
  return count;
}

// The parts of the registry that registration writes into.
std::map<std::wstring, DWORD> registryShape() {
  return {{L"", subkeyCount(L"")},
          {L"CLSID", subkeyCount(L"CLSID")},
          {L"Interface", subkeyCount(L"Interface")},
          {L"TypeLib", subkeyCount(L"TypeLib")}};
}

struct ClassRecord {
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* progId;
};

const ClassRecord kClasses[] = {
    {&CLSID_CProperty, &IID__CProperty, L"Tollivor.CProperty"},
    {&CLSID_CGroup, &IID__CGroup, L"Tollivor.CGroup"},
    {&CLSID_CSettingEx, &IID__CSettingEx, L"Tollivor.CSettingEx"},
};

std::wstring regsvr32(const wchar_t* options) {
  return L"regsvr32.exe " + std::wstring(options) + L" \"" + componentPath() + L"\"";
}

class ComponentRegistration : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(unregisterComponent(), S_OK); }
  void TearDown() override { registerComponent(); }  // as the other tests expect it
};

TEST_F(ComponentRegistration, Regsvr32WritesEveryRecord) {
  ASSERT_EQ(runProgram(regsvr32(L"/s")), 0u);

  const std::wstring library = guidText(LIBID_Tollivor);
  for (const auto& c : kClasses) {
    SCOPED_TRACE(c.progId);
    const std::wstring key = L"CLSID\\" + guidText(*c.clsid);
    EXPECT_EQ(_wcsicmp(classesValue(key + L"\\InprocServer32").c_str(), componentPath().c_str()),
              0);
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

  CLSID found{};
  EXPECT_EQ(CLSIDFromProgID(L"Tollivor.CSettingEx", &found), S_OK);
  EXPECT_TRUE(IsEqualCLSID(found, CLSID_CSettingEx));
}

TEST_F(ComponentRegistration, Regsvr32UnregisterRemovesAllOfItAndNothingElse) {
  const auto before = registryShape();
  ASSERT_EQ(runProgram(regsvr32(L"/s")), 0u);
  EXPECT_NE(registryShape(), before);
  ASSERT_EQ(runProgram(regsvr32(L"/s /u")), 0u);

  EXPECT_EQ(registryShape(), before);
  for (const auto& c : kClasses) {
    SCOPED_TRACE(c.progId);
    EXPECT_FALSE(classesKeyExists(L"CLSID\\" + guidText(*c.clsid)));
    EXPECT_FALSE(classesKeyExists(c.progId));
    EXPECT_FALSE(classesKeyExists(L"Interface\\" + guidText(*c.iid)));
  }
  EXPECT_FALSE(classesKeyExists(L"TypeLib\\" + guidText(LIBID_Tollivor)));

  // Unregistering what is not registered is no error.
  EXPECT_EQ(runProgram(regsvr32(L"/s /u")), 0u);
}

// A ProgID that another class has taken over since is not ours to remove.
TEST_F(ComponentRegistration, UnregisterLeavesAProgIdThatNamesAnotherClass) {
  ASSERT_EQ(registerComponent(), S_OK);
  const std::wstring other = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
  {
    unique_hkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup\\CLSID", 0, KEY_SET_VALUE,
                            key.put()),
              ERROR_SUCCESS);
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other.c_str()),
                   static_cast<DWORD>((other.size() + 1) * sizeof(wchar_t)));
  }
  EXPECT_EQ(unregisterComponent(), S_OK);
  EXPECT_EQ(classesValue(L"Tollivor.CGroup\\CLSID"), other);
  EXPECT_FALSE(classesKeyExists(L"Tollivor.CProperty"));
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup");
}

}  // namespace
}  // namespace tollivor::testing
