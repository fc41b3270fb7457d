// Where the bar keeps its entries: %APPDATA%\Tollivar\entries.txt.
#pragma once

#include <string>
#include <vector>

#include "host/core/Entries.h"

namespace tollivor::host {

std::wstring DefaultEntriesPath();

struct LoadedEntries {
  std::vector<Record> records;
  std::vector<int> damagedLines;
  bool created = false;  // the file was missing and has been made with the defaults
};

// A missing file is made with the default entries (and the bar gets them even
// when it cannot be written).
LoadedEntries LoadEntries(const std::wstring& path);
// Writes the whole file through a temporary file; false when it failed.
bool SaveEntries(const std::wstring& path, const std::vector<Record>& records);

}  // namespace tollivor::host
