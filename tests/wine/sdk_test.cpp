// The developer kit is enough for a client: a C program built from the
// kit's header and identifiers alone uses the registered DLL.
#include <gtest/gtest.h>

#include "component_support.h"

TEST(DeveloperKit, ACProgramBuiltFromTheKitAloneUsesTheComponent) {
  ASSERT_EQ(tollivor::test::registerComponent(), S_OK);
  EXPECT_EQ(tollivor::test::runProgram(L"sdk_early_binding.exe"), 0u)
      << "2 to 4: a class was not created; 5: a call failed; 6: a result before any Show";
}
