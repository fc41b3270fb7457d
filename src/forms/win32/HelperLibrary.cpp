#include "forms/win32/HelperLibrary.h"

#include <map>

#include "win32/Lock.h"
#include "win32/ThisModule.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

unique_hmodule loadHelperLibrary(const std::wstring& fileName) noexcept {
  if (unique_hmodule library = loadLibraryIn(folderOf(modulePath(nullptr)), fileName)) return library;
  return loadLibraryIn(folderOf(modulePath(thisModule())), fileName);
}

namespace {

// Apartment threads each use the helpers; one set serves them all.
Lock g_mutex;
std::map<std::wstring, unique_hmodule>* g_loaded = nullptr;

// The library kept under `name`, loaded by `load` when not kept yet.
template <class Load>
HMODULE keptLibrary(const std::wstring& name, Load load) noexcept {
  try {
    const LockGuard lock(g_mutex);
    if (!g_loaded) g_loaded = new std::map<std::wstring, unique_hmodule>;
    auto& library = (*g_loaded)[name];
    if (!library) library = load();
    return library.get();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

HMODULE helperLibrary(const std::wstring& fileName) noexcept {
  return keptLibrary(fileName, [&] { return loadHelperLibrary(fileName); });
}

// Kept under its full path, which no helper's bare name can equal.
HMODULE systemLibrary(const std::wstring& fileName) noexcept {
  try {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + fileName;
    return keptLibrary(path, [&] { return unique_hmodule(LoadLibraryExW(path.c_str(), nullptr, 0)); });
  } catch (...) {
    return nullptr;
  }
}

// Kept as a plain pointer, freed only here: a static map would free the
// libraries at process exit, under the loader lock.
void releaseHelperLibraries() noexcept {
  const LockGuard lock(g_mutex);
  delete g_loaded;
  g_loaded = nullptr;
}

}  // namespace tollivor::forms::win32
