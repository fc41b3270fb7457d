// The three classes as hosts reach them: created by ProgID, called through
// their interfaces (early bound) and by name through IDispatch (late bound);
// and the library's own bookkeeping for DllCanUnloadNow.
#include <gtest/gtest.h>

#include "component_support.h"

namespace tollivor::test {
namespace {

class ComponentBinding : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

TEST_F(ComponentBinding, EachClassIsCreatedByProgIdWithItsInterface) {
  const struct {
    const wchar_t* progId;
    const IID* iid;
  } classes[] = {{L"Tollivor.CProperty", &IID__CProperty},
                 {L"Tollivor.CGroup", &IID__CGroup},
                 {L"Tollivor.CSettingEx", &IID__CSettingEx}};
  for (const auto& c : classes) {
    SCOPED_TRACE(c.progId);
    Ref<IUnknown> object, own, dispatch, other;
    ASSERT_EQ(createByProgId(c.progId, IID_IUnknown, object.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(*c.iid, own.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, other.putVoid()), E_NOINTERFACE);
  }
}

TEST_F(ComponentBinding, EarlyBoundItemInfoWritesNeverTouchTheResult) {
  Ref<_CGroup> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  auto record = bstr(L"group|Tools|:C:\\icons\\tools.ico");
  EXPECT_EQ(group->put_ItemInfo(nullptr), S_OK);  // a NULL BSTR is the empty string
  EXPECT_EQ(group->put_ItemInfo(record.get()), S_OK);
  unique_bstr result;
  ASSERT_EQ(group->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"");
}

// Script engines find members by name (the client scripts call them so).
TEST_F(ComponentBinding, LateBoundNamesIgnoreCase) {
  Ref<IDispatch> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID_IDispatch, group.putVoid()), S_OK);
  const struct {
    const wchar_t* name;
    LONG idOrError;
  } cases[] = {{L"iteminfo", 0x68030000}, {L"SHOW", 0x60030001}, {L"Info", DISP_E_UNKNOWNNAME}};
  for (const auto& c : cases) {
    auto* names = const_cast<LPOLESTR>(c.name);
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = group->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
    EXPECT_EQ(SUCCEEDED(hr) ? id : hr, c.idOrError) << std::wstring(c.name);
  }
  std::wstring result = L"?";
  EXPECT_EQ(callByName(group.get(), L"ItemInfo", &result), S_OK);
  EXPECT_EQ(result, L"");
}

// Tools that browse an object (and some script hosts) ask it for its own
// type information rather than the registry's.
TEST_F(ComponentBinding, EachObjectDescribesItsOwnInterface) {
  const struct {
    const wchar_t* progId;
    const IID* iid;
  } classes[] = {{L"Tollivor.CProperty", &IID__CProperty},
                 {L"Tollivor.CGroup", &IID__CGroup},
                 {L"Tollivor.CSettingEx", &IID__CSettingEx}};
  for (const auto& c : classes) {
    SCOPED_TRACE(c.progId);
    Ref<IDispatch> object;
    ASSERT_EQ(createByProgId(c.progId, IID_IDispatch, object.putVoid()), S_OK);
    UINT count = 0;
    EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    Ref<ITypeInfo> info, none;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, *c.iid));
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    info->ReleaseTypeAttr(attributes);
    EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.put()), DISP_E_BADINDEX);
  }
}

// The objects cannot be aggregated: creation with an outer object fails.
TEST_F(ComponentBinding, AggregationIsRefused) {
  Ref<IUnknown> outer, inner;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID_IUnknown, outer.putVoid()), S_OK);
  EXPECT_EQ(CoCreateInstance(CLSID_CProperty, outer.get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                             inner.putVoid()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(inner.get(), nullptr);
}

TEST_F(ComponentBinding, CanUnloadNowFollowsObjectsAndLocks) {
  using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();
  const auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), "DllGetClassObject")));
  const auto canUnloadNow = reinterpret_cast<CanUnloadNowFn>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), "DllCanUnloadNow")));
  ASSERT_TRUE(getClassObject && canUnloadNow);
  ASSERT_EQ(canUnloadNow(), S_OK);

  Ref<IClassFactory> factory;
  ASSERT_EQ(getClassObject(CLSID_CGroup, IID_IClassFactory, factory.putVoid()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is held";
  Ref<IUnknown> object;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object and a lock remain";
  object.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock remains";

  ASSERT_EQ(getClassObject(CLSID_CGroup, IID_IClassFactory, factory.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
}  // namespace tollivor::test
