// The three classes as hosts reach them: created by ProgID, called through
// their interfaces (early bound) and by name through IDispatch (late bound);
// and the library's own bookkeeping for DllCanUnloadNow.
#include <gtest/gtest.h>

#include "component_support.h"

namespace tollivor::testing {
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
    Ref<IUnknown> object, own, dispatch;
    ASSERT_EQ(createByProgId(c.progId, IID_IUnknown, object.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(*c.iid, own.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    Ref<IUnknown> other;
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, other.putVoid()), E_NOINTERFACE);
    EXPECT_EQ(other.get(), nullptr);
  }
}

TEST_F(ComponentBinding, EarlyBoundItemInfo) {
  Ref<_CGroup> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  unique_bstr result;
  ASSERT_EQ(group->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"") << "a freshly loaded dialog has no result";
  // A NULL BSTR is the empty string; writing never touches the result.
  EXPECT_EQ(group->put_ItemInfo(nullptr), S_OK);
  auto record = bstr(L"group|Tools|:C:\\icons\\tools.ico");
  EXPECT_EQ(group->put_ItemInfo(record.get()), S_OK);
  ASSERT_EQ(group->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"");

  Ref<_CProperty> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  EXPECT_EQ(item->put_ItemInfo(nullptr), S_OK);
  auto itemRecord = bstr(L"C:\\windows\\notepad.exe|Editor");
  EXPECT_EQ(item->put_ItemInfo(itemRecord.get()), S_OK);
  ASSERT_EQ(item->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"");
}

DISPID idOf(IDispatch* object, const wchar_t* name) {
  auto* names = const_cast<LPOLESTR>(name);
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
  return SUCCEEDED(hr) ? id : static_cast<DISPID>(hr);
}

HRESULT putByName(IDispatch* object, const wchar_t* value) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocString(value);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&arg, &named, 1, 1};
  const HRESULT hr = object->Invoke(idOf(object, L"ItemInfo"), IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  VariantClear(&arg);
  return hr;
}

TEST_F(ComponentBinding, LateBoundByName) {
  Ref<IDispatch> group, settings;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID_IDispatch, group.putVoid()), S_OK);
  ASSERT_EQ(createByProgId(L"Tollivor.CSettingEx", IID_IDispatch, settings.putVoid()), S_OK);

  EXPECT_EQ(idOf(group.get(), L"ItemInfo"), 0x68030000);
  EXPECT_EQ(idOf(group.get(), L"iteminfo"), 0x68030000);  // names ignore case
  EXPECT_EQ(idOf(group.get(), L"Show"), 0x60030001);
  EXPECT_EQ(idOf(settings.get(), L"Show"), 0x60030000);
  EXPECT_EQ(idOf(settings.get(), L"ItemInfo"), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(idOf(group.get(), L"Info"), DISP_E_UNKNOWNNAME);

  EXPECT_EQ(putByName(group.get(), L"group|Tools|:"), S_OK);
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  // What script engines send for a bare property read.
  ASSERT_EQ(group->Invoke(0x68030000, IID_NULL, LOCALE_USER_DEFAULT,
                          DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_BSTR);
  EXPECT_EQ(SysStringLen(result.bstrVal), 0u);
  VariantClear(&result);

  EXPECT_EQ(group->Invoke(0x12345, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                          nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(group->Invoke(0x60030001, IID_IUnknown, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                          nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ComponentBinding, TypeInformationOfAnObject) {
  Ref<IDispatch> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID_IDispatch, item.putVoid()), S_OK);
  UINT count = 0;
  ASSERT_EQ(item->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  Ref<ITypeInfo> info;
  ASSERT_EQ(item->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID__CProperty));
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  info->ReleaseTypeAttr(attr);
  EXPECT_EQ(item->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()), DISP_E_BADINDEX);
}

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

template <class Fn>
Fn entry(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), name)));
}

TEST_F(ComponentBinding, CanUnloadNowFollowsObjectsAndLocks) {
  const auto getClassObject = entry<GetClassObjectFn>("DllGetClassObject");
  const auto canUnloadNow = entry<CanUnloadNowFn>("DllCanUnloadNow");
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

TEST_F(ComponentBinding, ClassObjectsOnlyForTheLibrarysClasses) {
  const auto getClassObject = entry<GetClassObjectFn>("DllGetClassObject");
  ASSERT_TRUE(getClassObject);
  Ref<IClassFactory> factory;
  EXPECT_EQ(getClassObject(IID__CGroup, IID_IClassFactory, factory.putVoid()),
            CLASS_E_CLASSNOTAVAILABLE);

  ASSERT_EQ(getClassObject(CLSID_CProperty, IID_IClassFactory, factory.putVoid()), S_OK);
  Ref<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown,
                                    object.putVoid()),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, object.putVoid()), E_NOINTERFACE);
  EXPECT_EQ(object.get(), nullptr);
}

}  // namespace
}  // namespace tollivor::testing
