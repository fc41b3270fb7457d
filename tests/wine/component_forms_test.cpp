// The life cycle of the dialogs behind the classes: one form per class per
// thread, loaded hidden on creation, unloaded by the release of any object of
// the class or by the window's close command, loaded again on the next use.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "component_support.h"

namespace tollivor::test {
namespace {

struct Dialog {
  const wchar_t* progId;
  const wchar_t* caption;
  int clientWidthTwips;
  int clientHeightTwips;
  bool hasItemInfo;
};

Ref<IDispatch> create(const Dialog& dialog) {
  Ref<IDispatch> object;
  EXPECT_EQ(createByProgId(dialog.progId, IID_IDispatch, object.putVoid()), S_OK);
  return object;
}

class ComponentForms : public ::testing::TestWithParam<Dialog> {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  std::vector<HWND> myForms() const { return threadWindows(GetCurrentThreadId(), GetParam().caption); }

  // The next use of an object whose form was unloaded loads it afresh.
  void expectFreshFormOnNextUse(IDispatch* object) {
    if (!GetParam().hasItemInfo) {
      EXPECT_NE(showAndClose(object, GetParam().caption).window, nullptr) << "loaded and shown";
      return;
    }
    std::wstring result = L"?";
    EXPECT_EQ(callByName(object, L"ItemInfo", &result), S_OK);
    EXPECT_EQ(result, L"");
    EXPECT_EQ(myForms().size(), 1u);
  }
};

TEST_P(ComponentForms, ObjectsOnOneThreadShareTheHiddenFormAndReleasingOneUnloadsIt) {
  ASSERT_TRUE(myForms().empty());
  auto first = create(GetParam());
  auto second = create(GetParam());
  ASSERT_EQ(myForms().size(), 1u);
  EXPECT_FALSE(IsWindowVisible(myForms()[0]));
  first.reset();
  EXPECT_TRUE(myForms().empty());
  expectFreshFormOnNextUse(second.get());
  second.reset();
  EXPECT_TRUE(myForms().empty());
}

TEST_P(ComponentForms, ObjectsOnTwoThreadsHaveSeparateForms) {
  const Dialog dialog = GetParam();
  auto mine = create(dialog);
  ASSERT_EQ(myForms().size(), 1u);
  const HWND myForm = myForms()[0];

  std::vector<HWND> theirForms;
  size_t theirsAfterRelease = 99;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
      auto theirs = create(dialog);
      theirForms = threadWindows(GetCurrentThreadId(), dialog.caption);
    }
    theirsAfterRelease = threadWindows(GetCurrentThreadId(), dialog.caption).size();
    CoUninitialize();
  }).join();

  ASSERT_EQ(theirForms.size(), 1u);
  EXPECT_NE(theirForms[0], myForm);
  EXPECT_EQ(theirsAfterRelease, 0u) << "their release unloads their form";
  EXPECT_EQ(myForms(), std::vector<HWND>{myForm}) << "and leaves this thread's alone";
}

// With the cursor in the screen's corner the dialog is pulled back inside the
// margins: at least 210 twips from the left (more with a task bar on that
// axis) and 500 from the top.
TEST_P(ComponentForms, ShowPlacesTheDialogAndTheCloseCommandUnloadsIt) {
  const Dialog dialog = GetParam();
  auto object = create(dialog);
  SetCursorPos(2, 2);
  const ShownDialog shown = showAndClose(object.get(), dialog.caption);
  ASSERT_NE(shown.window, nullptr) << "Show showed the dialog";
  EXPECT_EQ(shown.client.right, dialog.clientWidthTwips / 15);
  EXPECT_EQ(shown.client.bottom, dialog.clientHeightTwips / 15);
  EXPECT_GE(shown.frame.left, 210 / 15);
  EXPECT_GE(shown.frame.top, 500 / 15);
  EXPECT_TRUE(myForms().empty()) << "the close command unloads the form";
  expectFreshFormOnNextUse(object.get());
}

INSTANTIATE_TEST_SUITE_P(, ComponentForms,
                         ::testing::Values(Dialog{L"Tollivor.CProperty", L"Item Property", 3960, 2520, true},
                                           Dialog{L"Tollivor.CGroup", L"Group Property", 3990, 1950, true},
                                           Dialog{L"Tollivor.CSettingEx", L"Tollivar Property", 4815,
                                                  3120, false}),
                         [](const auto& info) {
                           const std::wstring name = info.param.progId + 9;  // after "Tollivor."
                           return std::string(name.begin(), name.end());
                         });

}  // namespace
}  // namespace tollivor::test
