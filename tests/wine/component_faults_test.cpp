// What hosts and installers do to the library that it must survive: a host
// releasing its object from inside the dialog and asking the library to go,
// another class's registration under our ProgID, helper libraries loaded
// over and over, and calls through IDispatch that break the automation rules.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "component_support.h"
#include "driver.h"

namespace tollivor::test {
namespace {

using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

CanUnloadNowFn canUnloadNow() {
  return reinterpret_cast<CanUnloadNowFn>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), "DllCanUnloadNow")));
}

class ComponentFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

// The host's timer fires inside the modal loop, releases the last object and
// asks whether the library may be unloaded: not while Show is on the stack.
_CGroup* g_held = nullptr;
HRESULT g_askedDuringShow = E_FAIL;

void CALLBACK releaseAndAsk(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_held->Release();
  g_askedDuringShow = canUnloadNow()();
}

TEST_F(ComponentFaults, TheLibraryStaysBusyWhileADialogReleasedFromItsOwnLoopIsShowing) {
  _CGroup*& held = g_held;
  HRESULT& askedDuringShow = g_askedDuringShow;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, reinterpret_cast<void**>(&held)), S_OK);
  ASSERT_NE(SetTimer(nullptr, 0, 50, &releaseAndAsk), 0u);
  const HRESULT shown = held->Show();  // the release unloads the form, which ends the show
  EXPECT_EQ(shown, S_OK);
  EXPECT_EQ(askedDuringShow, S_FALSE) << "the library could have been unloaded under Show";
  EXPECT_EQ(canUnloadNow()(), S_OK) << "once Show has returned, nothing holds it";
}

std::wstring progIdClass(const wchar_t* progId) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  const std::wstring key = std::wstring(progId) + L"\\CLSID";
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return text;
}

void setProgIdClass(const wchar_t* progId, const wchar_t* clsid) {
  win32::unique_hkey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (std::wstring(progId) + L"\\CLSID").c_str(), 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                 static_cast<DWORD>((wcslen(clsid) + 1) * sizeof(wchar_t)));
}

// Someone else's class under our ProgID is neither overwritten by
// registering nor deleted by unregistering.
TEST_F(ComponentFaults, AProgIdNamingAnotherClassIsLeftToItsOwner) {
  constexpr wchar_t kForeign[] = L"{0F0F0F0F-1111-2222-3333-444444444444}";
  ASSERT_EQ(unregisterComponent(), S_OK);
  setProgIdClass(L"Tollivor.CGroup", kForeign);
  const std::wstring dll = L" \"" + componentPath() + L"\"";

  EXPECT_NE(runProgram(L"regsvr32.exe /s" + dll), 0u) << "registration must refuse";
  EXPECT_EQ(progIdClass(L"Tollivor.CGroup"), kForeign);
  EXPECT_EQ(progIdClass(L"Tollivor.CProperty"), L"<missing>") << "a refusal writes nothing";

  EXPECT_EQ(runProgram(L"regsvr32.exe /s /u" + dll), 0u);
  EXPECT_EQ(progIdClass(L"Tollivor.CGroup"), kForeign);

  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tollivor.CGroup");
  ASSERT_EQ(registerComponent(), S_OK);
}

// Each load and unload of a library with a static C++ runtime leaves heap
// behind, so the icon library is loaded once, whatever the number of icons.
TEST_F(ComponentFaults, TheIconLibraryIsLoadedOnceForManyIcons) {
  Ref<_CProperty> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  ASSERT_EQ(item->put_ItemInfo(bstr(L"My Computer|tip").get()), S_OK);
  const HMODULE first = GetModuleHandleW(L"Sysgate.dll");
  ASSERT_NE(first, nullptr) << "the special item's icon comes from Sysgate.dll";
  for (int i = 0; i < 20; ++i) {
    item->put_ItemInfo(bstr(L"C:\\windows|tip").get());
    item->put_ItemInfo(bstr(L"Recycle Bin|tip").get());
  }
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), first);
  // The loader's count: one for our load, one for the test's own; a library
  // loaded per icon and not freed would show many.
  HMODULE again = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(0, L"Sysgate.dll", &again));
  FreeLibrary(again);
  FreeLibrary(again);
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr) << "more than one load was held";
}

// IDispatch::Invoke on ItemInfo and Show with what scripts and careless hosts pass.
TEST_F(ComponentFaults, InvokeAnswersWhatTheAutomationRulesGive) {
  Ref<IDispatch> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID_IDispatch, group.putVoid()), S_OK);
  constexpr DISPID kItemInfo = 0x68030000;
  constexpr DISPID kShow = 0x60030001;
  DISPID putId = DISPID_PROPERTYPUT;
  DISPID otherName = 7;

  VARIANT text, number, nothing, pair[2];
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"group|Tools|:");
  VariantInit(&number);
  number.vt = VT_I4;
  number.lVal = 42;
  VariantInit(&nothing);
  nothing.vt = VT_NULL;
  pair[0] = text;
  pair[1] = text;

  const struct {
    const char* what;
    DISPID id;
    WORD flags;
    DISPPARAMS params;
    HRESULT expected;
    UINT argError;  // checked when not ~0u
  } cases[] = {
      {"put a string", kItemInfo, DISPATCH_PROPERTYPUT, {&text, &putId, 1, 1}, S_OK, ~0u},
      {"put a number, converted", kItemInfo, DISPATCH_PROPERTYPUT, {&number, &putId, 1, 1}, S_OK, ~0u},
      {"put Null", kItemInfo, DISPATCH_PROPERTYPUT, {&nothing, &putId, 1, 1}, DISP_E_TYPEMISMATCH, 0},
      {"put two values", kItemInfo, DISPATCH_PROPERTYPUT, {pair, &putId, 2, 1}, DISP_E_BADPARAMCOUNT, ~0u},
      {"put without the put name", kItemInfo, DISPATCH_PROPERTYPUT, {&text, nullptr, 1, 0}, DISP_E_PARAMNOTFOUND, ~0u},
      {"put under another name", kItemInfo, DISPATCH_PROPERTYPUT, {&text, &otherName, 1, 1}, DISP_E_PARAMNOTFOUND, 0},
      {"putref of a string", kItemInfo, DISPATCH_PROPERTYPUTREF, {&text, &putId, 1, 1}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"get with an argument", kItemInfo, DISPATCH_PROPERTYGET, {&text, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT, ~0u},
      {"Show as a property put", kShow, DISPATCH_PROPERTYPUT, {&text, &putId, 1, 1}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"Show with an argument", kShow, DISPATCH_METHOD, {&text, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT, ~0u},
      {"Show with a named argument", kShow, DISPATCH_METHOD, {&text, &otherName, 1, 1}, DISP_E_PARAMNOTFOUND, 0},
      {"no flags at all", kShow, 0, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"an unknown member", 12345, DISPATCH_METHOD, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
  };
  // None of these shows the dialog; one that does fails here instead of hanging.
  driver::Watcher watcher([](DWORD thread) {
    if (HWND shown = driver::waitForWindow(thread, L"Group Property", 2000)) {
      ADD_FAILURE() << "a refused call showed the dialog";
      driver::closeWindow(shown);
    }
  });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DISPPARAMS params = c.params;
    VARIANT result;
    VariantInit(&result);
    UINT argError = 99;
    EXPECT_EQ(group->Invoke(c.id, IID_NULL, LOCALE_USER_DEFAULT, c.flags, &params, &result, nullptr,
                            &argError),
              c.expected);
    if (c.argError != ~0u) {
      EXPECT_EQ(argError, c.argError);
    }
    VariantClear(&result);
  }
  std::wstring record;
  EXPECT_EQ(callByName(group.get(), L"ItemInfo", &record), S_OK);
  EXPECT_EQ(record, L"") << "a write never sets the result";
  VariantClear(&text);
}

_CProperty* g_item = nullptr;
HRESULT g_innerShow = E_FAIL;

void CALLBACK showAgain(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_innerShow = g_item->Show();  // the dialog is already up on this thread
}

TEST_F(ComponentFaults, ShowFromInsideShowReturnsAndTheFirstShowGoesOn) {
  Ref<_CProperty> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  g_item = item.get();
  bool innerReturnedFirst = false;
  {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, L"Item Property");
      if (!dialog) return driver::closeAll(thread);
      innerReturnedFirst = driver::waitFor([] { return g_innerShow != E_FAIL; }, 2000) &&
                           IsWindowVisible(dialog);
      driver::click(driver::findControl(dialog, L"&Cancel"));
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 2000)) driver::closeAll(thread);
    });
    ASSERT_NE(SetTimer(nullptr, 0, 50, &showAgain), 0u);
    EXPECT_EQ(item->Show(), S_OK);
  }
  EXPECT_EQ(g_innerShow, S_OK);
  EXPECT_TRUE(innerReturnedFirst) << "the inner Show must return while the dialog stays up";
}

// A close command that reaches the dialog while its message box is up (a
// tool can send one; a user cannot click the disabled dialog) is ignored:
// once the box is gone the dialog is still there, enabled, and usable.
TEST_F(ComponentFaults, ACloseCommandWhileTheMessageBoxIsUpLeavesTheDialogUsable) {
  Ref<_CProperty> item;
  ASSERT_EQ(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()), S_OK);
  ASSERT_EQ(item->put_ItemInfo(bstr(L"C:\\no such folder\\x.exe|tip").get()), S_OK);
  bool boxSeen = false, usableAfterwards = false;
  {
    driver::Watcher watcher([&](DWORD thread) {
      HWND dialog = driver::waitForWindow(thread, L"Item Property");
      if (!dialog) return driver::closeAll(thread);
      driver::click(driver::findControl(dialog, L"&OK"));
      HWND box = driver::waitForMessageBox(thread);
      boxSeen = box != nullptr;
      driver::closeWindow(dialog);  // while the box is up
      if (box) driver::closeMessageBox(box);
      usableAfterwards = driver::waitFor([&] {
        return !IsWindowVisible(box) && IsWindowVisible(dialog) && IsWindowEnabled(dialog);
      }, 2000);
      driver::closeWindow(dialog);
      if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 3000)) driver::closeAll(thread);
    });
    EXPECT_EQ(item->Show(), S_OK);
  }
  EXPECT_TRUE(boxSeen);
  EXPECT_TRUE(usableAfterwards);
  unique_bstr result;
  ASSERT_EQ(item->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"") << "a dialog closed from its title bar keeps no record";
}

// A client on another thread reaches the object through COM's marshaling,
// which runs each call on the object's own thread; nothing crosses over.
TEST_F(ComponentFaults, AnotherApartmentsCallsRunOnTheObjectsThread) {
  Ref<_CGroup> group;
  ASSERT_EQ(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid()), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID__CGroup, group.get(), &stream), S_OK);
  HRESULT written = E_FAIL, read = E_FAIL;
  std::wstring record = L"?";
  const win32::unique_handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread other([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Ref<_CGroup> proxy;
    if (SUCCEEDED(CoGetInterfaceAndReleaseStream(stream, IID__CGroup, proxy.putVoid()))) {
      written = proxy->put_ItemInfo(bstr(L"group|Tools|:").get());
      unique_bstr result;
      read = proxy->get_ItemInfo(result.put());
      record = text(result);
    }
    proxy.reset();
    CoUninitialize();
    SetEvent(done.get());
  });
  // The object's thread serves the calls while it waits.
  HANDLE waitOn = done.get();
  DWORD index = 0;
  CoWaitForMultipleHandles(0, 10000, 1, &waitOn, &index);
  other.join();
  EXPECT_EQ(written, S_OK);
  EXPECT_EQ(read, S_OK);
  EXPECT_EQ(record, L"") << "a write sets no result, on whichever thread it came from";
}

}  // namespace
}  // namespace tollivor::test
