#include "component_support.h"

#include "driver.h"

namespace tollivor::test {

std::wstring componentPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"Tollivor.dll";
}

HMODULE componentModule() {
  static HMODULE module = LoadLibraryW(componentPath().c_str());
  return module;
}

static HRESULT callEntry(const char* name) {
  using Entry = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), name)));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT registerComponent() { return callEntry("DllRegisterServer"); }
HRESULT unregisterComponent() { return callEntry("DllUnregisterServer"); }

DWORD runProgram(const std::wstring& commandLine, const wchar_t* folder) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &process))
    return static_cast<DWORD>(-1);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

HRESULT createByProgId(const wchar_t* progId, REFIID iid, void** out) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

std::vector<HWND> threadWindows(DWORD threadId, const wchar_t* caption) {
  std::vector<HWND> found;
  for (HWND window : driver::threadWindows(threadId))
    if (driver::windowText(window) == caption) found.push_back(window);
  return found;
}

HRESULT callByName(IDispatch* object, const wchar_t* name, std::wstring* text) {
  auto* names = const_cast<LPOLESTR>(name);
  DISPID id = 0;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                      &none, &result, nullptr, nullptr);
  if (text && result.vt == VT_BSTR) text->assign(result.bstrVal, SysStringLen(result.bstrVal));
  VariantClear(&result);
  return hr;
}

ShownDialog showAndClose(IDispatch* object, const wchar_t* caption) {
  ShownDialog seen;
  {
    driver::Watcher watcher([&](DWORD thread) {
      HWND window = driver::waitForWindow(thread, caption);
      if (!window) return driver::closeAll(thread);
      GetClientRect(window, &seen.client);
      GetWindowRect(window, &seen.frame);
      seen.window = window;
      driver::closeWindow(window);
    });
    callByName(object, L"Show");
  }
  return seen;
}

}  // namespace tollivor::test
