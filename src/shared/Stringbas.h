// Field extraction from record strings. Separators are found ignoring letter
// case; positions count from 1 and are held as 16-bit signed numbers, so a
// separator that lies only beyond character 32,767 counts as absent.
#pragma once

#include <string>

namespace tollivor::Stringbas {

// The text before the first separator; "" when there is none.
std::u16string StrBefore(const std::u16string& text, const std::u16string& separator);
// The text after the first separator; "" when there is none.
std::u16string StrAfter(const std::u16string& text, const std::u16string& separator);
// The text between the first `first` and the next `second`, searched from one
// character past the start of `first`; "" when either is missing or they overlap.
std::u16string StrBetween(const std::u16string& text, const std::u16string& first,
                          const std::u16string& second);

}  // namespace tollivor::Stringbas
