#include "forms/win32/HelperLibrary.h"

#include "win32/ThisModule.h"

namespace tollivor::win32 {

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

}  // namespace tollivor::win32
