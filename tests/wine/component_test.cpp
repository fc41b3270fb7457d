// The three classes as hosts bind them: by ProgID, through the vtable slots
// and DISPIDs the type library gives, and by name; their forms' lifetime;
// many apartment threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "component_support.h"
#include "driver.h"

namespace tollivor::test {
namespace {

struct Member {
  const wchar_t* name;
  INVOKEKIND kind;
  MEMBERID id;
};
// Each class's interface after IDispatch's seven slots, in vtable order.
const std::vector<Member> kMembers[] = {
    {{L"ItemInfo", INVOKE_PROPERTYGET, 0x68030000}, {L"ItemInfo", INVOKE_PROPERTYPUT, 0x68030000},
     {L"Show", INVOKE_FUNC, 0x60030001}},
    {{L"ItemInfo", INVOKE_PROPERTYGET, 0x68030000}, {L"ItemInfo", INVOKE_PROPERTYPUT, 0x68030000},
     {L"Show", INVOKE_FUNC, 0x60030001}},
    {{L"Show", INVOKE_FUNC, 0x60030000}}};

class Component : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

// Version 1.1 with the neutral locale; members with no parameter names,
// found by name in any case as script engines pass them.
TEST_F(Component, EachClassBindsEarlyAndLateAsTheTypeLibrarySays) {
  Ref<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(componentPath().c_str(), REGKIND_NONE, library.put()), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, guid(kLibraryId)));
  EXPECT_TRUE(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 1) << "version 1.1";
  EXPECT_EQ(attr->lcid, 0u);
  library->ReleaseTLibAttr(attr);
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    Ref<IDispatch> object;
    Ref<IUnknown> own, factory;
    ASSERT_EQ(createByProgId(kClasses[c].progId, IID_IDispatch, object.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(guid(kClasses[c].iid), own.putVoid()), S_OK);
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, factory.putVoid()), E_NOINTERFACE);
    Ref<ITypeInfo> coclass, dispatch, byIid, vtable;
    HREFTYPE ref = 0;
    INT flags = 0;
    ASSERT_EQ(library->GetTypeInfoOfGuid(guid(kClasses[c].clsid), coclass.put()), S_OK);
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, dispatch.put()), S_OK);
    ASSERT_EQ(library->GetTypeInfoOfGuid(guid(kClasses[c].iid), byIid.put()), S_OK);
    EXPECT_EQ(dispatch.get(), byIid.get());
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK) << "dual";
    ASSERT_EQ(dispatch->GetRefTypeInfo(ref, vtable.put()), S_OK);
    FUNCDESC* func = nullptr;
    EXPECT_FALSE(SUCCEEDED(vtable->GetFuncDesc(kMembers[c].size(), &func))) << "no more members";
    for (UINT i = 0; i < kMembers[c].size(); ++i) {
      const Member& member = kMembers[c][i];
      ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
      EXPECT_EQ(func->memid, member.id);
      EXPECT_EQ(func->invkind, member.kind);
      EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
      vtable->ReleaseFuncDesc(func);
      for (ITypeInfo* half : {dispatch.get(), vtable.get()}) {
        BSTR names[4] = {};
        UINT count = 0;
        EXPECT_EQ(half->GetNames(member.id, names, 4, &count), S_OK);
        EXPECT_TRUE(count == 1 && names[0] == std::wstring(member.name)) << "the name alone";
        for (BSTR name : names) SysFreeString(name);
      }
      std::wstring name = member.name;
      LPOLESTR upper = CharUpperW(name.data());
      DISPID id = 0;
      EXPECT_EQ(object->GetIDsOfNames(IID_NULL, &upper, 1, LOCALE_USER_DEFAULT, &id), S_OK);
      EXPECT_EQ(id, member.id);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Info");
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  }
  Ref<IUnknown> outer, inner;
  ASSERT_EQ(createByProgId(kClasses[1].progId, IID_IUnknown, outer.putVoid()), S_OK);
  EXPECT_EQ(CoCreateInstance(guid(kClasses[0].clsid), outer.get(), CLSCTX_INPROC_SERVER,
                             IID_IUnknown, inner.putVoid()), CLASS_E_NOAGGREGATION);
}

std::vector<HWND> formsOf(const wchar_t* caption) {
  std::vector<HWND> found;
  for (HWND window : driver::threadWindows(GetCurrentThreadId()))
    if (driver::windowText(window) == caption) found.push_back(window);
  return found;
}

// One hidden form per class and thread, loaded with the first object and
// unloaded by the release of any object of the class or by the window's
// close command; the next use loads it again.
TEST_F(Component, ObjectsShareTheirThreadsFormUntilAReleaseOrTheCloseCommand) {
  for (const auto& c : kClasses) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.progId)));
    Ref<IDispatch> first, second;
    ASSERT_EQ(createByProgId(c.progId, IID_IDispatch, first.putVoid()), S_OK);
    ASSERT_EQ(createByProgId(c.progId, IID_IDispatch, second.putVoid()), S_OK);
    ASSERT_EQ(formsOf(c.caption).size(), 1u);
    EXPECT_FALSE(IsWindowVisible(formsOf(c.caption)[0]));
    first.reset();
    EXPECT_TRUE(formsOf(c.caption).empty());
    EXPECT_TRUE(showWhile([&] { callByName(second.get(), L"Show"); }, c.caption,
                          [](HWND dialog, DWORD) { driver::closeWindow(dialog); }));
    EXPECT_TRUE(formsOf(c.caption).empty()) << "the close command unloads it";
  }
}

// Runs `body` on `count` apartment threads started together.
template <class Body>
void onApartmentThreads(int count, Body body) {
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < count; ++t)
    threads.emplace_back([&, t] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      for (++ready; ready < count;) Sleep(0);
      body(t);
      CoUninitialize();
    });
  for (auto& thread : threads) thread.join();
}

// TOLLIVOR_THREAD_CYCLES sets the cycles per thread (30 unless set).
TEST(ComponentThreads, EightThreadsCycleObjectsOfEveryClassAtOnce) {
  ASSERT_EQ(registerComponent(), S_OK);
  const char* asked = getenv("TOLLIVOR_THREAD_CYCLES");
  const int cycles = asked ? atoi(asked) : 30;
  std::atomic<int> failures{0};
  onApartmentThreads(8, [&](int t) {
    for (int i = 0; i < cycles; ++i) {
      Ref<_CProperty> item;
      Ref<_CGroup> group;
      Ref<_CSettingEx> settings;
      unique_bstr itemResult, groupResult;
      const std::wstring record = L"C:\\thread" + std::to_wstring(t) + L"|" + std::to_wstring(i);
      failures += FAILED(createByProgId(kClasses[0].progId, IID__CProperty, item.putVoid())) ||
                  FAILED(createByProgId(kClasses[1].progId, IID__CGroup, group.putVoid())) ||
                  FAILED(createByProgId(kClasses[2].progId, IID__CSettingEx, settings.putVoid())) ||
                  FAILED(item->put_ItemInfo(bstr(record.c_str()).get())) ||
                  FAILED(group->put_ItemInfo(bstr(L"group|Thread|:").get())) ||
                  FAILED(item->get_ItemInfo(itemResult.put())) ||
                  FAILED(group->get_ItemInfo(groupResult.put())) ||
                  SysStringLen(itemResult.get()) + SysStringLen(groupResult.get()) > 0;
    }
  });
  EXPECT_EQ(failures, 0) << "every call succeeds, and a write never sets the result";
}

// Two threads show the item dialog at once; each host reads back its own
// record after OK.
TEST(ComponentThreads, TwoThreadsShowTheirOwnDialogsAtOnce) {
  ASSERT_EQ(registerComponent(), S_OK);
  std::wstring results[2];
  onApartmentThreads(2, [&](int t) {
    Ref<_CProperty> item;
    if (FAILED(createByProgId(kClasses[0].progId, IID__CProperty, item.putVoid()))) return;
    item->put_ItemInfo(bstr(t ? L"Recycle Bin|second" : L"My Computer|first").get());
    showWhile([&] { item->Show(); }, kClasses[0].caption,
              [](HWND dialog, DWORD) { driver::click(driver::findControl(dialog, L"&OK")); });
    unique_bstr result;
    item->get_ItemInfo(result.put());
    results[t] = text(result);
  });
  EXPECT_EQ(results[0], L"My Computer|first");
  EXPECT_EQ(results[1], L"Recycle Bin|second");
}

}  // namespace
}  // namespace tollivor::test
