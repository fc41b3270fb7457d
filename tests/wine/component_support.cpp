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

// Every key under the path with its values, as "path|name|type|bytes" lines.
void registryTree(HKEY root, const std::wstring& path, std::map<std::wstring, std::wstring>& out) {
  win32::unique_hkey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  out[path] = L"";
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0, bytes = 4096;
    BYTE data[4096];
    if (RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &bytes) !=
        ERROR_SUCCESS)
      break;
    out[path + L"|" + name] =
        std::to_wstring(type) + L"|" + std::wstring(reinterpret_cast<wchar_t*>(data), bytes / 2);
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    registryTree(root, path + L"\\" + name, out);
  }
}

}  // namespace tollivor::test
