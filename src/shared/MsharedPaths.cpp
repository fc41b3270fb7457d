// GetParentFolder: cutting a path down to its folder. Kept apart from the
// platform so that the fuzz target can link it alone.
#include <cstddef>
#include <cstdint>

#include "shared/Mshared.h"

namespace tollivor::Mshared {

std::u16string GetParentFolder(const std::u16string& path) noexcept {
  // next: one past the last backslash, or 0 when there is none. Positions
  // are 16-bit, so a backslash past character 32,767 is not seen.
  std::size_t next = 0;
  for (std::size_t i = 0; i < path.size() && i < INT16_MAX; ++i)
    if (path[i] == u'\\') next = i + 2;
  // A backslash as third character (a drive root such as C:\) is kept.
  if (next == 4) return path.substr(0, 3);
  // With no backslash, or one at the start, the runtime's Left is asked for
  // a negative or zero count: the result stays empty.
  if (next < 2) return {};
  return path.substr(0, next - 2);
}

}  // namespace tollivor::Mshared
