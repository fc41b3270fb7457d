#include "host/core/Entries.h"

#include <algorithm>

namespace tollivor::host {

namespace {

std::u16string lower(std::u16string text) {
  for (auto& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return text;
}

bool blank(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' ' || c == u'\t'; });
}

// The text after the first `separator`, or "" when there is none.
std::u16string after(const Record& record, std::u16string_view separator) {
  const size_t at = record.find(separator);
  return at == Record::npos ? std::u16string{} : record.substr(at + separator.size());
}

}  // namespace

bool IsGroupRecord(const Record& record) { return lower(record).starts_with(u"group|"); }

bool IsUsableRecord(const Record& record) {
  if (IsGroupRecord(record))
    return record.find(u"|:", 5) != Record::npos && !blank(GroupName(record));
  return !ItemTarget(record).empty();
}

std::u16string ItemTarget(const Record& record) {
  const size_t bar = record.find(u'|');
  return bar == Record::npos ? std::u16string{} : record.substr(0, bar);
}
std::u16string ItemTooltip(const Record& record) { return after(record, u"|"); }
std::u16string GroupName(const Record& record) {
  const size_t bar = record.find(u'|'), end = record.find(u"|:", bar + 1);
  return bar == Record::npos || end == Record::npos ? std::u16string{} : record.substr(bar + 1, end - bar - 1);
}
std::u16string GroupIconPath(const Record& record) { return after(record, u"|:"); }

EntryFile ParseEntries(std::string_view utf8) {
  EntryFile file;
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);  // a byte order mark from an editor
  int number = 0;
  while (!utf8.empty()) {
    const size_t end = utf8.find('\n');
    std::string_view line = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    Record record;
    const bool decoded = DecodeUtf8(line, record);
    if (decoded && blank(record)) continue;
    if (decoded && IsUsableRecord(record))
      file.records.push_back(std::move(record));
    else
      file.damagedLines.push_back(number);
  }
  return file;
}

std::string FormatEntries(const std::vector<Record>& records) {
  std::string text;
  for (const auto& record : records) text += EncodeUtf8(record) + "\r\n";
  return text;
}

std::vector<Record> DefaultEntries() {
  return {u"My Computer|My Computer",
          u"C:\\windows\\notepad.exe|Notepad",
          u"C:\\windows|The Windows folder",
          u"Control Panel|Control Panel",
          u"Recycle Bin|Recycle Bin",
          u"group|Tools|:"};
}

bool DecodeUtf8(std::string_view utf8, std::u16string& out) {
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0 || utf8.size() - i <= static_cast<size_t>(extra)) return false;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;  // a lone surrogate cannot be written as UTF-8
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

}  // namespace tollivor::host
