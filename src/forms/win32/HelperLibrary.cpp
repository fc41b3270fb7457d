#include "forms/win32/HelperLibrary.h"

#include <map>

#include "win32/Lock.h"
#include "win32/ThisModule.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

unique_hmodule loadHelperLibrary(const std::wstring& fileName) noexcept {
  try {
    const std::wstring hostFolder = folderOf(modulePath(nullptr));
    const std::wstring ownFolder = folderOf(modulePath(thisModule()));
    for (const std::wstring& folder : {hostFolder, ownFolder}) {
      if (folder.empty()) continue;
      const std::wstring path = folder + fileName;
      // The folder of a library loaded by full path is where its own
      // dependencies are looked for first.
      unique_hmodule library(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
      if (library) return library;
    }
  } catch (...) {
  }
  return unique_hmodule{};
}

namespace {

// Apartment threads each use the helpers; one set serves them all.
Lock g_mutex;
std::map<std::wstring, unique_hmodule>* g_loaded = nullptr;

}  // namespace

HMODULE helperLibrary(const std::wstring& fileName) noexcept {
  try {
    const LockGuard lock(g_mutex);
    if (!g_loaded) g_loaded = new std::map<std::wstring, unique_hmodule>;
    auto& library = (*g_loaded)[fileName];
    if (!library) library = loadHelperLibrary(fileName);
    return library.get();
  } catch (...) {
    return nullptr;
  }
}

// Kept under its full path, which no helper's bare name can equal.
HMODULE systemLibrary(const std::wstring& fileName) noexcept {
  try {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + fileName;
    const LockGuard lock(g_mutex);
    if (!g_loaded) g_loaded = new std::map<std::wstring, unique_hmodule>;
    auto& library = (*g_loaded)[path];
    if (!library) library.reset(LoadLibraryExW(path.c_str(), nullptr, 0));
    return library.get();
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
