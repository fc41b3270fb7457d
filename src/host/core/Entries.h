// The bar's entries file: one item or group record per line, in UTF-8.
// Reading never fails: lines that hold no usable record are skipped and
// their numbers reported, so one damaged line costs only that entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tollivor::host {

using Record = std::u16string;

struct EntryFile {
  std::vector<Record> records;
  std::vector<int> damagedLines;  // 1-based line numbers
};

bool IsGroupRecord(const Record& record);
// An item record with a target, or a group record with a name.
bool IsUsableRecord(const Record& record);

std::u16string ItemTarget(const Record& record);
std::u16string ItemTooltip(const Record& record);
std::u16string GroupName(const Record& record);
std::u16string GroupIconPath(const Record& record);

EntryFile ParseEntries(std::string_view utf8);
std::string FormatEntries(const std::vector<Record>& records);

// What a new bar starts with: a few items and a group with the default icon.
std::vector<Record> DefaultEntries();

// UTF-8 and UTF-16; nothing when the input is not well formed.
bool DecodeUtf8(std::string_view utf8, std::u16string& out);
std::string EncodeUtf8(std::u16string_view text);

}  // namespace tollivor::host
