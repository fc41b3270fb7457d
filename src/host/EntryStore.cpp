#include "EntryStore.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/Handles.h"

namespace tollivor::host {

namespace {

using win32::unique_handle;

unique_handle openFile(const std::wstring& path, DWORD access, DWORD creation) {
  HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return unique_handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

std::wstring DefaultEntriesPath() {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)))
    return L"entries.txt";
  const std::wstring folder = std::wstring(appData) + L"\\Tollivar";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\entries.txt";
}

LoadedEntries LoadEntries(const std::wstring& path) {
  LoadedEntries loaded;
  unique_handle file = openFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return loaded;  // there, unreadable
    loaded.records = DefaultEntries();
    loaded.created = SaveEntries(path, loaded.records);
    return loaded;
  }
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  EntryFile parsed = ParseEntries(text);
  loaded.records = std::move(parsed.records);
  loaded.damagedLines = std::move(parsed.damagedLines);
  return loaded;
}

bool SaveEntries(const std::wstring& path, const std::vector<Record>& records) {
  const std::string text = FormatEntries(records);
  const std::wstring temporary = path + L".new";
  {
    unique_handle file = openFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size())
      return false;
  }
  return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tollivor::host
