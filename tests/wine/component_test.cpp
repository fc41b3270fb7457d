// The three classes as hosts bind them, and what hosts and callers do that
// the library must survive: threads, reentrant calls, odd arguments.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>
#include <vector>

#include "component_support.h"
#include "driver.h"
#include "item/frmProperty.h"
#include "win32/Handles.h"

namespace tollivor::test {
namespace {

template <class T = _CProperty>
Ref<T> create(int c = 0, REFIID iid = IID__CProperty) {
  Ref<T> object;
  EXPECT_EQ(createByProgId(kClasses[c].progId, iid, object.putVoid()), S_OK);
  return object;
}
HRESULT canUnloadNow() {
  return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), "DllCanUnloadNow")))();
}

class Component : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};
class ComponentThreads : public Component {};
class ComponentFaults : public Component {};

struct Member { const wchar_t* name; INVOKEKIND kind; MEMBERID id; };
const Member kGet{L"ItemInfo", INVOKE_PROPERTYGET, 0x68030000},
    kPut{L"ItemInfo", INVOKE_PROPERTYPUT, 0x68030000}, kShow{L"Show", INVOKE_FUNC, 0x60030001};
// Each class's interface in vtable order, after IDispatch's seven slots.
const std::vector<Member> kMembers[] = {
    {kGet, kPut, kShow}, {kGet, kPut, kShow}, {{L"Show", INVOKE_FUNC, 0x60030000}}};
const IID* const kInterfaces[] = {&IID__CProperty, &IID__CGroup, &IID__CSettingEx};

// Hosts built against version 1.1 call these vtable slots and DISPIDs;
// widl writes a locale and parameter names unless told not to.
TEST_F(Component, EachClassBindsEarlyAndLateAsTheTypeLibrarySays) {
  Ref<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(componentPath().c_str(), REGKIND_NONE, library.put()), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 1 && attr->lcid == 0);
  library->ReleaseTLibAttr(attr);
  for (int c = 0; c < 3; ++c) {
    auto object = create<IDispatch>(c, IID_IDispatch);
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, Ref<IUnknown>().putVoid()), E_NOINTERFACE);
    Ref<ITypeInfo> dispatch, vtable;
    HREFTYPE ref = 0;
    ASSERT_EQ(library->GetTypeInfoOfGuid(*kInterfaces[c], dispatch.put()), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK) << "dual";
    ASSERT_EQ(dispatch->GetRefTypeInfo(ref, vtable.put()), S_OK);
    for (UINT i = 0; i < kMembers[c].size(); ++i) {
      const Member& member = kMembers[c][i];
      FUNCDESC* func = nullptr;
      ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
      EXPECT_TRUE(func->memid == member.id && func->invkind == member.kind) << c << ", " << i;
      EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
      vtable->ReleaseFuncDesc(func);
      BSTR names[2] = {};
      UINT count = 0;
      EXPECT_EQ(dispatch->GetNames(member.id, names, 2, &count), S_OK);
      EXPECT_TRUE(count == 1 && names[0] == std::wstring(member.name)) << "the name alone";
      for (BSTR name : names) SysFreeString(name);
    }
  }
  EXPECT_EQ(CoCreateInstance(CLSID_CProperty, create<IUnknown>(1, IID_IUnknown).get(),
                             CLSCTX_INPROC_SERVER, IID_IUnknown, Ref<IUnknown>().putVoid()),
            CLASS_E_NOAGGREGATION);
}

// A C program built from the developer kit alone uses the registered DLL.
TEST_F(Component, AClientBuiltFromTheDeveloperKitAloneUsesIt) {
  EXPECT_EQ(runProgram(L"sdk_early_binding.exe"), 0u)
      << "2: no object; 3: a call failed; 4: a result before any Show";
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
TEST_F(ComponentThreads, EightThreadsCycleObjectsOfEveryClassAtOnce) {
  const char* asked = getenv("TOLLIVOR_THREAD_CYCLES");
  std::atomic<int> failures{0};
  onApartmentThreads(8, [&, cycles = asked ? atoi(asked) : 30](int t) {
    for (int i = 0; i < cycles; ++i) {
      Ref<_CProperty> item;
      Ref<IUnknown> group, settings;
      std::wstring result = L"?";  // read late bound: each object loads its type information
      failures += FAILED(createByProgId(kClasses[0].progId, IID__CProperty, item.putVoid())) ||
                  FAILED(createByProgId(kClasses[1].progId, IID_IUnknown, group.putVoid())) ||
                  FAILED(createByProgId(kClasses[2].progId, IID_IUnknown, settings.putVoid())) ||
                  FAILED(item->put_ItemInfo(bstr(std::to_wstring(t * i).c_str()).get())) ||
                  FAILED(callByName(item.get(), L"ItemInfo", &result)) || !result.empty();
    }
  });
  EXPECT_EQ(failures, 0) << "every call succeeds, and a write never sets the result";
}

// Two threads show the item dialog at once; each gets its own record back.
TEST_F(ComponentThreads, TwoThreadsShowTheirOwnDialogsAtOnce) {
  std::wstring results[2];
  onApartmentThreads(2, [&](int t) {
    auto item = create();
    item->put_ItemInfo(bstr(t ? L"Recycle Bin|second" : L"My Computer|first").get());
    driver::showWhile([&] { item->Show(); }, kClasses[0].caption,
              [](HWND dialog, DWORD) { driver::click(driver::findControl(dialog, L"&OK")); });
    callByName(item.get(), L"ItemInfo", &results[t]);
  });
  EXPECT_EQ(results[0], L"My Computer|first");
  EXPECT_EQ(results[1], L"Recycle Bin|second");
}

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
  Ref<IClassFactory> factory;
  Ref<IUnknown> object;
  ASSERT_EQ(CoGetClassObject(CLSID_CGroup, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.putVoid()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory is held";
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object and a lock remain";
  object.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock remains";
  ASSERT_EQ(CoGetClassObject(CLSID_CGroup, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);

  g_held = create<_CGroup>(1, IID__CGroup).detach();
  ASSERT_NE(SetTimer(nullptr, 0, 50, &releaseAndAsk), 0u);
  EXPECT_EQ(g_held->Show(), S_OK);  // the release unloads the form, which ends the show
  EXPECT_EQ(g_askedDuringShow, S_FALSE) << "the library could have been unloaded under Show";
  EXPECT_EQ(canUnloadNow(), S_OK) << "once Show has returned, nothing holds it";
}

// The thread's hidden owner windows ("Tollivor", of the system's static class).
std::vector<HWND> ownerWindows(DWORD thread) {
  std::vector<HWND> found;
  for (HWND window : driver::threadWindows(thread)) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!_wcsicmp(name, L"Static") && driver::windowText(window) == L"Tollivor") found.push_back(window);
  }
  return found;
}

// One owner window a thread, kept between forms (making it is much of a
// load), gone once the library may unload: at once on the asking thread, on
// another when that thread next takes its messages.
TEST_F(ComponentFaults, EachThreadKeepsOneOwnerWindowUntilTheLibraryMayGo) {
  create<IUnknown>(1, IID_IUnknown).reset();
  const auto kept = ownerWindows(GetCurrentThreadId());
  ASSERT_EQ(kept.size(), 1u) << "kept after its form went";
  create<IUnknown>(0, IID_IUnknown).reset();
  EXPECT_EQ(ownerWindows(GetCurrentThreadId()), kept) << "the next form takes the same one";
  const win32::unique_handle made(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      asked(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::vector<HWND> otherKept, otherAfter;
  std::thread other([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    create<IUnknown>(2, IID_IUnknown).reset();
    otherKept = ownerWindows(GetCurrentThreadId());
    SetEvent(made.get());
    WaitForSingleObject(asked.get(), driver::kTimeoutMs);
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    otherAfter = ownerWindows(GetCurrentThreadId());
    CoUninitialize();
  });
  WaitForSingleObject(made.get(), driver::kTimeoutMs);
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_TRUE(ownerWindows(GetCurrentThreadId()).empty());
  SetEvent(asked.get());
  other.join();
  EXPECT_EQ(otherKept.size(), 1u);
  EXPECT_TRUE(otherAfter.empty()) << "the other thread's went when it took its messages";
  create<IUnknown>(1, IID_IUnknown).reset();
  EXPECT_EQ(ownerWindows(GetCurrentThreadId()).size(), 1u) << "a new one after the release";
}

_CProperty* g_item = nullptr;
HRESULT g_innerShow = E_FAIL;
void CALLBACK showAgain(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_innerShow = g_item->Show();  // the dialog is already up on this thread
}

// While the dialog is up: a Show from inside Show returns at once; a client
// in another apartment is served through COM's marshaling on the object's
// thread; a close command that reaches the dialog under its message box (a
// tool can send one; a user cannot click the disabled dialog) is ignored.
TEST_F(ComponentFaults, ADialogUpTakesShowAgainOtherApartmentsAndACloseUnderItsBox) {
  auto item = create();
  g_item = item.get();
  const auto record = bstr(L"C:\\no such folder\\x.exe|tip");
  ASSERT_EQ(item->put_ItemInfo(record.get()), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID__CProperty, item.get(), &stream), S_OK);
  bool upAfterInnerShow = false, served = false, usable = false;
  ASSERT_NE(SetTimer(nullptr, 0, 50, &showAgain), 0u);
  driver::showWhile([&] { item->Show(); }, kClasses[0].caption, [&](HWND dialog, DWORD thread) {
    upAfterInnerShow = driver::waitFor([] { return g_innerShow == S_OK; }, 2000);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Ref<_CProperty> proxy;
    unique_bstr result;
    served = CoGetInterfaceAndReleaseStream(stream, IID__CProperty, proxy.putVoid()) == S_OK &&
             proxy->put_ItemInfo(record.get()) == S_OK &&
             proxy->get_ItemInfo(result.put()) == S_OK && text(result).empty();
    proxy.reset();
    CoUninitialize();
    driver::click(driver::findControl(dialog, L"&OK"));
    HWND box = driver::waitForMessageBox(thread);
    driver::closeWindow(dialog);
    if (box) driver::closeMessageBox(box);
    usable = box && driver::waitFor([&] {
      return !IsWindowVisible(box) && IsWindowVisible(dialog) && IsWindowEnabled(dialog);
    }, 2000);
    driver::closeWindow(dialog);
  });
  EXPECT_TRUE(upAfterInnerShow);
  EXPECT_TRUE(served) << "a write sets no result, from whichever apartment";
  EXPECT_TRUE(usable) << "the message box came and went, and the dialog stayed";
}

// IDispatch::Invoke with what scripts and careless hosts pass.
TEST_F(ComponentFaults, InvokeAnswersWhatTheAutomationRulesGive) {
  auto group = create<IDispatch>(1, IID_IDispatch);
  constexpr DISPID kInfo = 0x68030000, kShowId = 0x60030001;
  constexpr WORD put = DISPATCH_PROPERTYPUT, method = DISPATCH_METHOD;
  DISPID putId = DISPID_PROPERTYPUT, otherName = 7;
  const unique_bstr record = bstr(L"group|Tools|:");
  VARIANT text{}, number{}, nothing{};
  text.vt = VT_BSTR, text.bstrVal = record.get();
  number.vt = VT_I4, number.lVal = 42;
  nothing.vt = VT_NULL;
  VARIANT pair[2] = {text, text};
  const struct {
    const char* what; DISPID id; WORD flags; DISPPARAMS params; HRESULT expected;
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
      {"Show as a property put", kShowId, put, {&text, &putId, 1, 1}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"Show with an argument", kShowId, method, {&text, nullptr, 1, 0}, DISP_E_BADPARAMCOUNT, ~0u},
      {"Show with a named argument", kShowId, method, {&text, &otherName, 1, 1},
       DISP_E_PARAMNOTFOUND, 0},
      {"no flags at all", kShowId, 0, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
      {"an unknown member", 12345, method, {nullptr, nullptr, 0, 0}, DISP_E_MEMBERNOTFOUND, ~0u},
  };
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

LRESULT CALLBACK refuseText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  return message == WM_SETTEXT ? FALSE : DefSubclassProc(window, message, wParam, lParam);
}

// The one member whose failure reaches the host: a tooltip box that refuses
// its text fails the item record write with E_FAIL.
TEST_F(ComponentFaults, AnItemRecordTheDialogCannotTakeFailsTheWrite) {
  auto item = create();
  const HWND tip = driver::controlWindow(FindWindowW(nullptr, kClasses[0].caption),
                                         frmPropertyTable(), "Text2");
  ASSERT_TRUE(SetWindowSubclass(tip, refuseText, 1, 0));
  EXPECT_EQ(item->put_ItemInfo(bstr(L"My Computer|tip").get()), E_FAIL);
  RemoveWindowSubclass(tip, refuseText, 1);
  EXPECT_EQ(item->put_ItemInfo(bstr(L"My Computer|tip").get()), S_OK);
}

// What the hidden item form shows once a new object took the record,
// written as a BSTR of exactly these characters: its two boxes, and whether
// the preview holds an icon (the middle of the picture differs from its corner).
std::tuple<std::wstring, std::wstring, bool> fieldsFor(const std::wstring& record) {
  static const forms::FormTable table = frmPropertyTable();
  auto item = create();
  const unique_bstr in(SysAllocStringLen(record.data(), static_cast<UINT>(record.size())));
  EXPECT_EQ(item->put_ItemInfo(in.get()), S_OK);
  const HWND form = FindWindowW(nullptr, kClasses[0].caption), preview = driver::controlWindow(form, table, "Picture1");
  return {driver::windowText(driver::controlWindow(form, table, "Text1")),
          driver::windowText(driver::controlWindow(form, table, "Text2")),
          paintedPixel(preview, 16, 16) != paintedPixel(preview, 1, 1)};
}

// OK and the preview ask the shell's ANSI call for the icon: an existing
// file whose name the code page cannot hold has none, and a look-alike that
// the code page folds onto an existing path (C:\windows) has one. Each load
// and unload of a library with a static C++ runtime leaves heap behind: the
// special items' icons come from one load of the icon library.
TEST_F(ComponentFaults, HostileRecordsGiveTheFieldsTheRecordRulesGive) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outside = temp + std::wstring(L"\x0416\x0443\x0440.txt"),
                     lookAlike = L"C:\xFF3Cwindows",  // a full-width backslash
                     scripts = L"C:\\\x0416\x0443\x0440\x6587\xD83D\xDE00.exe",
                     longPath = L"C:\\" + std::wstring(300, L'p'), nearLimit(32766, L'y');
  CloseHandle(CreateFileW(outside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const struct {
    const char* what;
    std::wstring record, target, tooltip;
    bool icon;
  } cases[] = {
      {"embedded NUL", std::wstring(L"C:\\a|ti\0p", 9), L"C:\\a", L"ti", false},
      {"40,000 characters", std::wstring(40000, L'x') + L"|tip", L"", L"", false},
      {"a bar just before the limit", nearLimit + L"|tip", nearLimit, L"tip", false},
      {"a bar beyond the limit", nearLimit + L"y|tip", L"", L"", false},
      {"a lone surrogate", L"C:\\\xD800x|\xDC00", L"C:\\\xD800x", L"\xDC00", false},
      {"Cyrillic, CJK and emoji", scripts + L"|\x0442\x6587", scripts, L"\x0442\x6587", false},
      {"a path of 300 characters", longPath + L"|tip", longPath, L"tip", false},
      {"a file beyond the code page", outside + L"|tip", outside, L"tip", false},
      {"a look-alike of C:\\windows", lookAlike + L"|tip", lookAlike, L"tip", true},
      {"C:\\windows itself", L"C:\\windows|tip", L"C:\\windows", L"tip", true},
      {"a special item", L"My Computer|tip", L"My Computer", L"tip", true},
      {"another special item", L"Recycle Bin|tip", L"Recycle Bin", L"tip", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fieldsFor(c.record), std::tuple(c.target, c.tooltip, c.icon)) << c.what;
  EXPECT_EQ(create()->put_ItemInfo(nullptr), S_OK) << "a NULL BSTR is the empty record";
  DeleteFileW(outside.c_str());
  HMODULE icons = nullptr;  // the loader's count: ours, then the library's own load
  ASSERT_TRUE(GetModuleHandleExW(0, L"Sysgate.dll", &icons));
  FreeLibrary(icons), FreeLibrary(icons);
  EXPECT_EQ(GetModuleHandleW(L"Sysgate.dll"), nullptr) << "more than one load was held";
}

}  // namespace
}  // namespace tollivor::test
