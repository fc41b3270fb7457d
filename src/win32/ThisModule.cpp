#include "win32/ThisModule.h"

namespace tollivor::win32 {

HMODULE thisModule() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&thisModule), &module);
  return module;
}

std::wstring modulePath(HMODULE module) noexcept {
  try {
    // Long paths: grow the buffer until the name fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
      std::wstring buffer(size, L'\0');
      const DWORD got = GetModuleFileNameW(module, buffer.data(), size);
      if (got == 0) return {};
      if (got < size) {
        buffer.resize(got);
        return buffer;
      }
    }
  } catch (...) {
  }
  return {};
}

std::wstring folderOf(const std::wstring& path) noexcept {
  const auto slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

unique_hmodule loadLibraryIn(const std::wstring& folder, const std::wstring& fileName) noexcept {
  if (folder.empty()) return {};
  try {
    const std::wstring path = folder + fileName;
    // The folder of a library loaded by full path is where its own
    // dependencies are looked for first.
    return unique_hmodule(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  } catch (...) {
    return {};
  }
}

}  // namespace tollivor::win32
