// The developer kit is enough for a client: a C program built from the
// kit's header and identifiers alone creates a class and round-trips a
// record through the registered DLL.
#include <gtest/gtest.h>

#include "component_support.h"

namespace tollivor::test {
namespace {

TEST(DeveloperKit, ACProgramBuiltFromTheKitAloneUsesTheComponent) {
  ASSERT_EQ(registerComponent(), S_OK);
  EXPECT_EQ(runProgram(L"sdk_early_binding.exe"), 0u)
      << "2, 5, 6: a class was not created; 3: a call failed; 4: a result before any Show";
}

}  // namespace
}  // namespace tollivor::test
