// What hosts and callers do that the library must survive: the last object
// released from inside its own dialog, Show inside Show, a close command
// under a message box, calls from another apartment, helper libraries
// loaded over and over, Invoke arguments against the automation rules, and
// records no user would type.
#include <gtest/gtest.h>

#include <thread>

#include "component_support.h"
#include "driver.h"
#include "item/frmProperty.h"

namespace tollivor::test {
namespace {

template <class T = _CProperty>
Ref<T> create(int c = 0, REFIID iid = IID__CProperty) {
  Ref<T> object;
  EXPECT_EQ(createByProgId(kClasses[c].progId, iid, object.putVoid()), S_OK);
  return object;
}
template <class Fn>
Fn entry(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(componentModule(), name)));
}
HRESULT canUnloadNow() { return entry<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")(); }

class ComponentFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

// A host's timer fires inside the modal loop, releases the last object and
// asks whether the library may go: not while Show is on the stack.
_CGroup* g_held = nullptr;
HRESULT g_askedDuringShow = E_FAIL;
void CALLBACK releaseAndAsk(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_held->Release();
  g_askedDuringShow = canUnloadNow();
}

TEST_F(ComponentFaults, CanUnloadNowWaitsForFactoriesObjectsLocksAndAShowUnderway) {
  const auto getClassObject =
      entry<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
  Ref<IClassFactory> factory;
  Ref<IUnknown> object;
  ASSERT_EQ(getClassObject(guid(kClasses[1].clsid), IID_IClassFactory, factory.putVoid()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is held";
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object and a lock remain";
  object.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock remains";
  ASSERT_EQ(getClassObject(guid(kClasses[1].clsid), IID_IClassFactory, factory.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);

  g_held = create<_CGroup>(1, IID__CGroup).detach();
  ASSERT_NE(SetTimer(nullptr, 0, 50, &releaseAndAsk), 0u);
  EXPECT_EQ(g_held->Show(), S_OK);  // the release unloads the form, which ends the show
  EXPECT_EQ(g_askedDuringShow, S_FALSE) << "the library could have been unloaded under Show";
  EXPECT_EQ(canUnloadNow(), S_OK) << "once Show has returned, nothing holds it";
}

_CProperty* g_item = nullptr;
HRESULT g_innerShow = E_FAIL;
void CALLBACK showAgain(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_innerShow = g_item->Show();  // the dialog is already up on this thread
}

// A Show from inside Show returns at once. A close command that reaches the
// dialog while its message box is up (a tool can send one; a user cannot
// click the disabled dialog) is ignored: the dialog stays usable.
TEST_F(ComponentFaults, ShowInsideShowAndACloseUnderTheMessageBoxLeaveTheDialogUp) {
  auto item = create();
  g_item = item.get();
  ASSERT_EQ(item->put_ItemInfo(bstr(L"C:\\no such folder\\x.exe|tip").get()), S_OK);
  bool upAfterInnerShow = false, boxSeen = false, usable = false;
  ASSERT_NE(SetTimer(nullptr, 0, 50, &showAgain), 0u);
  showWhile([&] { EXPECT_EQ(item->Show(), S_OK); }, kClasses[0].caption,
            [&](HWND dialog, DWORD thread) {
              upAfterInnerShow = driver::waitFor([] { return g_innerShow == S_OK; }, 2000) &&
                                 IsWindowVisible(dialog);
              driver::click(driver::findControl(dialog, L"&OK"));
              HWND box = driver::waitForMessageBox(thread);
              boxSeen = box != nullptr;
              driver::closeWindow(dialog);
              if (box) driver::closeMessageBox(box);
              usable = driver::waitFor([&] {
                return !IsWindowVisible(box) && IsWindowVisible(dialog) && IsWindowEnabled(dialog);
              }, 2000);
              driver::closeWindow(dialog);
            });
  EXPECT_TRUE(upAfterInnerShow);
  EXPECT_TRUE(boxSeen && usable);
  unique_bstr result;
  ASSERT_EQ(item->get_ItemInfo(result.put()), S_OK);
  EXPECT_EQ(text(result), L"") << "closed from its title bar, it keeps no record";
}

// A client on another thread reaches the object through COM's marshaling,
// which runs each call on the object's own thread.
TEST_F(ComponentFaults, AnotherApartmentsCallsRunOnTheObjectsThread) {
  auto group = create<_CGroup>(1, IID__CGroup);
  IStream* stream = nullptr;
  ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID__CGroup, group.get(), &stream), S_OK);
  HRESULT written = E_FAIL, read = E_FAIL;
  unique_bstr result;
  const win32::unique_handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread other([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Ref<_CGroup> proxy;
    if (SUCCEEDED(CoGetInterfaceAndReleaseStream(stream, IID__CGroup, proxy.putVoid()))) {
      written = proxy->put_ItemInfo(bstr(L"group|Tools|:").get());
      read = proxy->get_ItemInfo(result.put());
    }
    proxy.reset();
    CoUninitialize();
    SetEvent(done.get());
  });
  HANDLE waitOn = done.get();  // this thread serves the calls while it waits
  DWORD index = 0;
  CoWaitForMultipleHandles(0, 10000, 1, &waitOn, &index);
  other.join();
  EXPECT_TRUE(written == S_OK && read == S_OK);
  EXPECT_EQ(text(result), L"") << "a write sets no result, from whichever thread";
}

// Each load and unload of a library with a static C++ runtime leaves heap
// behind, so the icon library is loaded once, whatever the number of icons.
TEST_F(ComponentFaults, TheIconLibraryIsLoadedOnceForManyIcons) {
  auto item = create();
  for (int i = 0; i < 20; ++i) {
    item->put_ItemInfo(bstr(L"My Computer|tip").get());  // its icon comes from Sysgate.dll
    item->put_ItemInfo(bstr(L"Recycle Bin|tip").get());
  }
  HMODULE loaded = nullptr;  // the loader's count: ours, then the library's own load
  ASSERT_TRUE(GetModuleHandleExW(0, L"Sysgate.dll", &loaded));
  FreeLibrary(loaded);
  FreeLibrary(loaded);
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr) << "more than one load was held";
}

// IDispatch::Invoke with what scripts and careless hosts pass.
TEST_F(ComponentFaults, InvokeAnswersWhatTheAutomationRulesGive) {
  auto group = create<IDispatch>(1, IID_IDispatch);
  constexpr DISPID kInfo = 0x68030000, kShow = 0x60030001;
  constexpr WORD put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
  DISPID putId = DISPID_PROPERTYPUT, otherName = 7;
  const unique_bstr record = bstr(L"group|Tools|:");
  VARIANT text{}, number{}, nothing{};
  text.vt = VT_BSTR, text.bstrVal = record.get();
  number.vt = VT_I4, number.lVal = 42;
  nothing.vt = VT_NULL;
  VARIANT pair[2] = {text, text};
  const struct {
    const char* what;
    DISPID id;
    WORD flags;
    DISPPARAMS params;
    HRESULT expected;
    UINT argError;  // checked unless ~0u
  } cases[] = {
      {"put a string", kInfo, put, {&text, &putId, 1, 1}, S_OK, ~0u},
      {"put a number, converted", kInfo, put, {&number, &putId, 1, 1}, S_OK, ~0u},
      {"put Null", kInfo, put, {&nothing, &putId, 1, 1}, DISP_E_TYPEMISMATCH, 0},
      {"put two values", kInfo, put, {pair, &putId, 2, 1}, DISP_E_BADPARAMCOUNT, ~0u},
      {"put without the put name", kInfo, put, {&text, nullptr, 1, 0}, DISP_E_PARAMNOTFOUND, ~0u},
      {"put under another name", kInfo, put, {&text, &otherName, 1, 1}, DISP_E_PARAMNOTFOUND, 0},
      {"putref of a string", kInfo, DISPATCH_PROPERTYPUTREF, {&text, &putId, 1, 1},
       DISP_E_MEMBERNOTFOUND, ~0u},
      {"get with an argument", kInfo, DISPATCH_PROPERTYGET, {&text, nullptr, 1, 0},
       DISP_E_BADPARAMCOUNT, ~0u},
      {"Show as a property put", kShow, put, {&text, &putId, 1, 1}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"Show with an argument", kShow, method, {&text, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT, ~0u},
      {"Show with a named argument", kShow, method, {&text, &otherName, 1, 1},
       DISP_E_PARAMNOTFOUND, 0},
      {"no flags at all", kShow, 0, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"an unknown member", 12345, method, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
  };
  driver::Watcher watcher([](DWORD thread) {  // a refused call that shows fails, not hangs
    if (HWND shown = driver::waitForWindow(thread, kClasses[1].caption, 2000))
      driver::closeWindow(shown), ADD_FAILURE() << "a refused call showed the dialog";
  });
  for (const auto& c : cases) {
    DISPPARAMS params = c.params;
    VARIANT result{};
    UINT argError = 99;
    EXPECT_EQ(group->Invoke(c.id, IID_NULL, 0, c.flags, &params, &result, nullptr, &argError),
              c.expected) << c.what;
    EXPECT_TRUE(c.argError == ~0u || argError == c.argError) << c.what << ": argument " << argError;
    VariantClear(&result);
  }
}

// What the hidden item form's two boxes hold once a new object took the
// record, written as a BSTR of exactly these characters.
std::pair<std::wstring, std::wstring> fieldsFor(const std::wstring& record) {
  static const forms::FormTable table = frmPropertyTable();
  auto item = create();
  const unique_bstr in(SysAllocStringLen(record.data(), static_cast<UINT>(record.size())));
  EXPECT_EQ(item->put_ItemInfo(in.get()), S_OK);
  HWND form = nullptr;
  for (HWND window : driver::threadWindows(GetCurrentThreadId()))
    if (driver::windowText(window) == kClasses[0].caption) form = window;
  return {driver::windowText(driver::controlWindow(form, table, "Text1")),
          driver::windowText(driver::controlWindow(form, table, "Text2"))};
}

TEST_F(ComponentFaults, HostileRecordsGiveTheFieldsTheRecordRulesGive) {
  const std::wstring cyrillic = L"C:\\\x0416\x0443\x0440", cjk = L"C:\\\x6587\x4EF6",
                     emoji = L"C:\\\xD83D\xDE00.exe", longPath = L"C:\\" + std::wstring(300, L'p'),
                     nearLimit(32766, L'y');
  const struct {
    const char* what;
    std::wstring record, target, tooltip;
  } cases[] = {
      {"embedded NUL", std::wstring(L"C:\\a|ti\0p", 9), L"C:\\a", L"ti"},
      {"40,000 characters", std::wstring(40000, L'x') + L"|tip", L"", L""},
      {"a bar just before the limit", nearLimit + L"|tip", nearLimit, L"tip"},
      {"a bar beyond the limit", nearLimit + L"y|tip", L"", L""},
      {"a lone surrogate", L"C:\\\xD800x|\xDC00", L"C:\\\xD800x", L"\xDC00"},
      {"Cyrillic", cyrillic + L"|\x0442", cyrillic, L"\x0442"},
      {"CJK", cjk + L"|\x6587", cjk, L"\x6587"},
      {"emoji", emoji + L"|\xD83D\xDE00", emoji, L"\xD83D\xDE00"},
      {"a path of 300 characters", longPath + L"|tip", longPath, L"tip"},
  };
  for (const auto& c : cases) EXPECT_EQ(fieldsFor(c.record), std::pair(c.target, c.tooltip)) << c.what;
  EXPECT_EQ(create()->put_ItemInfo(nullptr), S_OK) << "a NULL BSTR is the empty record";
}

// OK asks the shell's ANSI call for the icon: an existing file whose name
// the code page cannot hold is refused, and a look-alike that the code page
// folds onto an existing path (C:\windows) is accepted as typed.
TEST_F(ComponentFaults, OkSeesPathsAsTheAnsiCodePageDoes) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outside = std::wstring(temp) + L"\x0416\x0443\x0440.txt";
  const std::wstring lookAlike = L"C:\xFF3Cwindows";  // a full-width backslash
  CloseHandle(CreateFileW(outside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  for (const auto& path : {outside, lookAlike}) {
    auto item = create();
    ASSERT_EQ(item->put_ItemInfo(bstr((path + L"|tip").c_str()).get()), S_OK);
    bool refused = false;
    showWhile([&] { item->Show(); }, kClasses[0].caption, [&](HWND dialog, DWORD thread) {
      driver::pressKey(dialog, VK_RETURN);
      HWND box = driver::waitForMessageBox(thread, 1500);
      if ((refused = box != nullptr)) driver::closeMessageBox(box), driver::pressKey(dialog, VK_ESCAPE);
    });
    unique_bstr result;
    item->get_ItemInfo(result.put());
    EXPECT_EQ(refused, path == outside);
    EXPECT_EQ(text(result), refused ? std::wstring() : path + L"|tip") << "kept as typed";
  }
  DeleteFileW(outside.c_str());
}

}  // namespace
}  // namespace tollivor::test
