// Pathwise.dll stand-in: the platform's folder browser, writing the chosen
// folder into the caller's blank-filled area.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>

#include "standins/HostHelpers.h"
#include "win32/Handles.h"

namespace {

using tollivor::win32::unique_pidl;

}  // namespace

// Lets the user choose a file system folder. On a choice whose full path and
// NUL fit in the area (as long as the blanks the caller put there), writes
// them at its start and answers 1; otherwise leaves the area alone and
// answers 0.
extern "C" std::int32_t TOLLIVOR_HELPER_API BrowseForFolder(std::int32_t owner, const char* prompt,
                                                             char** area) {
  if (!area || !*area) return 0;
  const std::size_t capacity = std::strlen(*area);

  BROWSEINFOA browse{};
  browse.hwndOwner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(owner));
  browse.lpszTitle = prompt;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const unique_pidl chosen(SHBrowseForFolderA(&browse));
  if (!chosen) return 0;

  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.get(), path)) return 0;
  const std::size_t length = std::strlen(path);
  if (length + 1 > capacity) return 0;  // a cut path would name another folder
  std::memcpy(*area, path, length + 1);
  return 1;
}
