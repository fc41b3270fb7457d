#include "component_support.h"

namespace tollivor::test {

std::wstring componentPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  *(wcsrchr(path, L'\\') + 1) = 0;
  return path + std::wstring(L"Tollivor.dll");
}

HMODULE componentModule() {
  static HMODULE module = LoadLibraryW(componentPath().c_str());
  return module;
}

static HRESULT callEntry(const char* name) {
  auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(componentModule(), name)));
  return entry ? entry() : E_NOTIMPL;
}
HRESULT registerComponent() { return callEntry("DllRegisterServer"); }
HRESULT unregisterComponent() { return callEntry("DllUnregisterServer"); }

DWORD runProgram(const std::wstring& commandLine, const wchar_t* folder) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION process{};
  DWORD code = static_cast<DWORD>(-1);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                      &process))
    return code;
  const win32::unique_handle thread(process.hThread), child(process.hProcess);
  if (WaitForSingleObject(child.get(), 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(child.get(), &code);
  else
    TerminateProcess(child.get(), code);
  return code;
}

HRESULT createByProgId(const wchar_t* progId, REFIID iid, void** out) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  return FAILED(hr) ? hr : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

HRESULT callByName(IDispatch* object, const wchar_t* name, std::wstring* text) {
  auto* names = const_cast<LPOLESTR>(name);
  DISPID id = 0;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result{};
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                      &none, &result, nullptr, nullptr);
  if (text && result.vt == VT_BSTR) text->assign(result.bstrVal, SysStringLen(result.bstrVal));
  VariantClear(&result);
  return hr;
}

}  // namespace tollivor::test
