// DllRegisterServer, DllUnregisterServer and DllInstall. Registration
// writes each class's identifier (in-process server, apartment threading,
// ProgID, type library) and its ProgID, then registers the type library:
// machine-wide under HKEY_CLASSES_ROOT, or for the current user alone
// under HKEY_CURRENT_USER\Software\Classes (regsvr32 /n /i:user).
// Unregistration removes exactly those records, in the same scope.
#include <olectl.h>

#include <cwctype>
#include <string>

#include "ClassTable.h"
#include "Module.h"
#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Handles.h"
#include "win32/ThisModule.h"

// In oleaut32 since Windows Vista; mingw-w64's oleauto.h does not declare them.
WINOLEAUTAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpFolder);
WINOLEAUTAPI UnRegisterTypeLibForUser(REFGUID library, WORD major, WORD minor, LCID locale,
                                      SYSKIND kind);

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

// Where the records go: HKEY_CLASSES_ROOT, or the user's own classes key.
struct Scope {
  HKEY root = HKEY_CLASSES_ROOT;
  bool perUser = false;
};

constexpr wchar_t kUserClasses[] = L"Software\\Classes";
// The keys that hold our records; in the user's scope they may not exist
// before we come, and then go again with us.
constexpr const wchar_t* kParentKeys[] = {L"CLSID", L"Interface", L"TypeLib"};

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  return StringFromGUID2(guid, text, 40) ? std::wstring(text) : std::wstring();
}

// Sets a string value (name nullptr: the key's default value), creating the key.
bool writeValue(const Scope& scope, const std::wstring& path, const wchar_t* name,
                const std::wstring& value) {
  unique_hkey key;
  if (RegCreateKeyExW(scope.root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        bytes) == ERROR_SUCCESS;
}

// The key's default value; empty when the key or the value is missing.
std::wstring readDefault(const Scope& scope, const std::wstring& path) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(scope.root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text,
                   &bytes) != ERROR_SUCCESS)
    return {};
  return text;
}

bool keyExists(const Scope& scope, const std::wstring& path) {
  unique_hkey key;
  return RegOpenKeyExW(scope.root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool deleteTree(const Scope& scope, const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(scope.root, path.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// A key with neither subkeys nor values goes; anything else stays.
void deleteIfEmpty(const Scope& scope, const wchar_t* path) {
  unique_hkey key;
  if (RegOpenKeyExW(scope.root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  DWORD subkeys = 1, values = 1;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
      subkeys != 0 || values != 0)
    return;
  key.reset();
  RegDeleteKeyW(scope.root, path);
}

// A ProgID that names another class belongs to someone else (a newer or a
// foreign registration). Registration refuses to take it over rather than
// leave that registration broken, and unregistration leaves it alone.
bool namesAnotherClass(const Scope& scope, const std::wstring& progId, const std::wstring& clsid) {
  const std::wstring named = readDefault(scope, progId + L"\\CLSID");
  return !named.empty() && _wcsicmp(named.c_str(), clsid.c_str()) != 0;
}

bool registerClass(const Scope& scope, const ClassEntry& entry, const std::wstring& dllPath,
                   const std::wstring& library) {
  const std::wstring clsid = guidText(*entry.clsid);
  const std::wstring progId = entry.progId;
  const std::wstring classKey = L"CLSID\\" + clsid;
  if (clsid.empty() || namesAnotherClass(scope, progId, clsid)) return false;
  return writeValue(scope, classKey, nullptr, progId) &&
         writeValue(scope, classKey + L"\\InprocServer32", nullptr, dllPath) &&
         writeValue(scope, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         writeValue(scope, classKey + L"\\ProgID", nullptr, progId) &&
         writeValue(scope, classKey + L"\\TypeLib", nullptr, library) &&
         writeValue(scope, progId, nullptr, progId) &&
         writeValue(scope, progId + L"\\CLSID", nullptr, clsid);
}

bool unregisterClass(const Scope& scope, const ClassEntry& entry) {
  const std::wstring clsid = guidText(*entry.clsid);
  const std::wstring progId = entry.progId;
  bool done = !clsid.empty();
  if (done && keyExists(scope, progId) && !namesAnotherClass(scope, progId, clsid))
    done = deleteTree(scope, progId);
  return deleteTree(scope, L"CLSID\\" + clsid) && done;
}

// Points HKEY_CLASSES_ROOT at the user's classes for this process while it
// lives. RegisterTypeLibForUser does the same itself where it is complete;
// where it registers machine-wide instead (Wine), this keeps the records in
// the user's scope.
class UserClassesRoot {
 public:
  explicit UserClassesRoot(const Scope& scope) noexcept
      : overridden_(scope.perUser && RegOverridePredefKey(HKEY_CLASSES_ROOT, scope.root) ==
                                         ERROR_SUCCESS) {}
  ~UserClassesRoot() {
    if (overridden_) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  }
  UserClassesRoot(const UserClassesRoot&) = delete;
  UserClassesRoot& operator=(const UserClassesRoot&) = delete;

 private:
  bool overridden_;
};

HRESULT registerTypeLibrary(const Scope& scope, std::wstring& dllPath) {
  win32::ComRef<ITypeLib> library;
  const HRESULT hr = LoadTypeLibEx(dllPath.c_str(), REGKIND_NONE, library.put());
  if (FAILED(hr)) return hr;
  if (!scope.perUser) return RegisterTypeLib(library.get(), dllPath.data(), nullptr);
  const UserClassesRoot userRoot(scope);
  return RegisterTypeLibForUser(library.get(), dllPath.data(), nullptr);
}

// Decimal digits without the C runtime's formatted output, which would
// bring its whole printf engine into the DLL for two small numbers.
std::wstring decimalText(unsigned number) {
  wchar_t digits[12];
  wchar_t* first = digits + 12;
  do *--first = static_cast<wchar_t>(L'0' + number % 10); while (number /= 10);
  return std::wstring(first, digits + 12);
}

HRESULT unregisterTypeLibrary(const Scope& scope) {
  const std::wstring version = L"TypeLib\\" + guidText(LIBID_Tollivor) + L"\\" +
                               decimalText(kLibraryMajor) + L"." + decimalText(kLibraryMinor);
  if (!keyExists(scope, version)) return S_OK;
  if (!scope.perUser)
    return UnRegisterTypeLib(LIBID_Tollivor, kLibraryMajor, kLibraryMinor, kLibraryLocale,
                             kSysKind);
  const UserClassesRoot userRoot(scope);
  return UnRegisterTypeLibForUser(LIBID_Tollivor, kLibraryMajor, kLibraryMinor, kLibraryLocale,
                                  kSysKind);
}

HRESULT unregisterAll(const Scope& scope) {
  bool classesDone = true;
  for (const auto& entry : classes()) classesDone = unregisterClass(scope, entry) && classesDone;
  const HRESULT hr = unregisterTypeLibrary(scope);
  // The user's classes key keeps no empty shell of ours; the machine's
  // parent keys belong to the system.
  if (scope.perUser)
    for (const wchar_t* parent : kParentKeys) deleteIfEmpty(scope, parent);
  if (FAILED(hr)) return SELFREG_E_TYPELIB;
  return classesDone ? S_OK : SELFREG_E_CLASS;
}

HRESULT registerAll(const Scope& scope) {
  std::wstring dllPath = win32::modulePath(win32::thisModule());
  if (dllPath.empty()) return E_UNEXPECTED;
  if (FAILED(registerTypeLibrary(scope, dllPath))) return SELFREG_E_TYPELIB;
  const std::wstring library = guidText(LIBID_Tollivor);
  for (const auto& entry : classes())
    if (!registerClass(scope, entry, dllPath, library)) return SELFREG_E_CLASS;
  return S_OK;
}

// Registers or unregisters in the scope; a failed registration is undone,
// since half a registration is worse than none.
HRESULT runInScope(const Scope& scope, bool install) noexcept {
  try {
    if (!install) return unregisterAll(scope);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = registerAll(scope);
  } catch (...) {
  }
  if (FAILED(hr)) runInScope(scope, false);
  return hr;
}

bool isUserSwitch(const wchar_t* commandLine) {
  if (!commandLine) return false;
  std::wstring word(commandLine);
  const auto blank = [](wchar_t c) { return std::iswspace(c) != 0; };
  while (!word.empty() && blank(word.back())) word.pop_back();
  size_t start = 0;
  while (start < word.size() && blank(word[start])) ++start;
  return _wcsicmp(word.c_str() + start, L"user") == 0;
}

}  // namespace

}  // namespace tollivor::component

STDAPI DllUnregisterServer() {
  try {
    return tollivor::component::unregisterAll({});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllRegisterServer() {
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = tollivor::component::registerAll({});
  } catch (...) {
  }
  if (FAILED(hr)) DllUnregisterServer();  // half a registration is worse than none
  return hr;
}

// regsvr32 /n /i:user (and /u /n /i:user): the current user's registration,
// for users who may not write the machine's classes.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
  using namespace tollivor::component;
  if (!isUserSwitch(commandLine)) return E_INVALIDARG;
  // Unregistering opens the user's classes key without making one.
  unique_hkey userClasses;
  const LSTATUS opened =
      install ? RegCreateKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, userClasses.put(), nullptr)
              : RegOpenKeyExW(HKEY_CURRENT_USER, kUserClasses, 0, KEY_ALL_ACCESS, userClasses.put());
  if (opened != ERROR_SUCCESS) return install ? SELFREG_E_CLASS : S_OK;
  return runInScope(Scope{userClasses.get(), true}, install != FALSE);
}
