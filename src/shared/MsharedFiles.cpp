// FileExists: the file system's attribute value, as a 16-bit number.
#include "forms/ServiceLocator.h"
#include "shared/Mshared.h"

namespace tollivor::Mshared {

namespace {
constexpr std::uint32_t kPlainFolder = 16;  // the directory attribute alone
constexpr std::uint32_t kLargest16Bit = 0xFFFF;
}  // namespace

bool FileExists(const std::u16string& path) noexcept {
  const auto attributes = forms::fileSystem().fileAttributes(path);
  if (!attributes || *attributes > kLargest16Bit) return false;
  return *attributes != kPlainFolder;
}

}  // namespace tollivor::Mshared
