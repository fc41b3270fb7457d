// DllRegisterServer and DllUnregisterServer. Registration writes, under
// HKEY_CLASSES_ROOT, each class's identifier (in-process server, apartment
// threading, ProgID, type library) and its ProgID, then registers the type
// library. Unregistration removes exactly those records.
#include <olectl.h>

#include <string>

#include "ClassTable.h"
#include "Module.h"
#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"

namespace tollivor::component {

namespace {

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif
constexpr WORD kLibraryMajor = 1;
constexpr WORD kLibraryMinor = 1;
constexpr LCID kLibraryLocale = 0;

using win32::unique_hkey;

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  return StringFromGUID2(guid, text, 40) ? std::wstring(text) : std::wstring();
}

// Sets a string value (name nullptr: the key's default value), creating the key.
bool writeValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  unique_hkey key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        bytes) == ERROR_SUCCESS;
}

// The key's default value; empty when the key or the value is missing.
std::wstring readDefault(const std::wstring& path) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text,
                   &bytes) != ERROR_SUCCESS)
    return {};
  return text;
}

bool keyExists(const std::wstring& path) {
  unique_hkey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool deleteTree(const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// A ProgID that names another class belongs to someone else (a newer or a
// foreign registration). Registration refuses to take it over rather than
// leave that registration broken, and unregistration leaves it alone.
bool namesAnotherClass(const std::wstring& progId, const std::wstring& clsid) {
  const std::wstring named = readDefault(progId + L"\\CLSID");
  return !named.empty() && _wcsicmp(named.c_str(), clsid.c_str()) != 0;
}

bool registerClass(const ClassEntry& entry, const std::wstring& dllPath,
                   const std::wstring& library) {
  const std::wstring clsid = guidText(*entry.clsid);
  const std::wstring progId = entry.progId;
  const std::wstring classKey = L"CLSID\\" + clsid;
  if (clsid.empty() || namesAnotherClass(progId, clsid)) return false;
  return writeValue(classKey, nullptr, progId) &&
         writeValue(classKey + L"\\InprocServer32", nullptr, dllPath) &&
         writeValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         writeValue(classKey + L"\\ProgID", nullptr, progId) &&
         writeValue(classKey + L"\\TypeLib", nullptr, library) &&
         writeValue(progId, nullptr, progId) && writeValue(progId + L"\\CLSID", nullptr, clsid);
}

bool unregisterClass(const ClassEntry& entry) {
  const std::wstring clsid = guidText(*entry.clsid);
  const std::wstring progId = entry.progId;
  bool done = !clsid.empty();
  if (done && keyExists(progId) && !namesAnotherClass(progId, clsid)) done = deleteTree(progId);
  return deleteTree(L"CLSID\\" + clsid) && done;
}

HRESULT registerTypeLibrary(std::wstring& dllPath) {
  win32::ComRef<ITypeLib> library;
  const HRESULT hr = LoadTypeLibEx(dllPath.c_str(), REGKIND_NONE, library.put());
  if (FAILED(hr)) return hr;
  return RegisterTypeLib(library.get(), dllPath.data(), nullptr);
}

// Decimal digits without the C runtime's formatted output, which would
// bring its whole printf engine into the DLL for two small numbers.
std::wstring decimalText(unsigned number) {
  wchar_t digits[12];
  wchar_t* first = digits + 12;
  do *--first = static_cast<wchar_t>(L'0' + number % 10); while (number /= 10);
  return std::wstring(first, digits + 12);
}

HRESULT unregisterTypeLibrary() {
  const std::wstring version = L"TypeLib\\" + guidText(LIBID_Tollivor) + L"\\" +
                               decimalText(kLibraryMajor) + L"." + decimalText(kLibraryMinor);
  if (!keyExists(version)) return S_OK;
  return UnRegisterTypeLib(LIBID_Tollivor, kLibraryMajor, kLibraryMinor, kLibraryLocale, kSysKind);
}

HRESULT unregisterAll() {
  bool classesDone = true;
  for (const auto& entry : classes()) classesDone = unregisterClass(entry) && classesDone;
  const HRESULT hr = unregisterTypeLibrary();
  if (FAILED(hr)) return SELFREG_E_TYPELIB;
  return classesDone ? S_OK : SELFREG_E_CLASS;
}

HRESULT registerAll() {
  std::wstring dllPath = win32::modulePath(win32::thisModule());
  if (dllPath.empty()) return E_UNEXPECTED;
  if (FAILED(registerTypeLibrary(dllPath))) return SELFREG_E_TYPELIB;
  const std::wstring library = guidText(LIBID_Tollivor);
  for (const auto& entry : classes())
    if (!registerClass(entry, dllPath, library)) return SELFREG_E_CLASS;
  return S_OK;
}

}  // namespace

}  // namespace tollivor::component

STDAPI DllUnregisterServer() {
  try {
    return tollivor::component::unregisterAll();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllRegisterServer() {
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = tollivor::component::registerAll();
  } catch (...) {
  }
  if (FAILED(hr)) DllUnregisterServer();  // half a registration is worse than none
  return hr;
}
