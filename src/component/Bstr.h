// Automation strings to and from the portable core's 16-bit strings.
#pragma once

#include <oleauto.h>

#include <string>

namespace tollivor::component {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTR characters are 16 bits");

// A NULL BSTR is the empty string. The length prefix counts, not a NUL.
inline std::u16string fromBstr(BSTR text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

// A new BSTR for the caller to free; NULL (the empty string) when no memory.
inline BSTR toBstr(const std::u16string& text) noexcept {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                           static_cast<UINT>(text.size()));
}

}  // namespace tollivor::component
