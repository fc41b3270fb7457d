// The life cycle of the dialogs behind the classes: one form per class per
// thread, loaded hidden on creation, unloaded by the release of any object of
// the class or by the window's close command, loaded again on the next use.
#include <gtest/gtest.h>

#include <future>
#include <ostream>
#include <string>
#include <thread>

#include "component_support.h"

namespace tollivor::testing {
namespace {

struct Dialog {
  const wchar_t* progId;
  const wchar_t* caption;
  int clientWidthTwips;
  int clientHeightTwips;
  bool hasItemInfo;
};

void PrintTo(const Dialog& dialog, std::ostream* out) {
  *out << std::string(dialog.progId, dialog.progId + wcslen(dialog.progId));
}

const Dialog kItem{L"Tollivor.CProperty", L"Item Property", 3960, 2520, true};
const Dialog kGroup{L"Tollivor.CGroup", L"Group Property", 3990, 1950, true};
const Dialog kSettings{L"Tollivor.CSettingEx", L"Tollivar Property", 4815, 3120, false};

std::vector<HWND> formsOf(DWORD thread, const Dialog& dialog) {
  return threadWindows(thread, dialog.caption);
}

Ref<IDispatch> create(const Dialog& dialog) {
  Ref<IDispatch> object;
  EXPECT_EQ(createByProgId(dialog.progId, IID_IDispatch, object.putVoid()), S_OK);
  return object;
}

class ComponentForms : public ::testing::TestWithParam<Dialog> {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
  std::vector<HWND> myForms() const { return formsOf(GetCurrentThreadId(), GetParam()); }
};

TEST_P(ComponentForms, CreationLoadsTheFormHidden) {
  ASSERT_TRUE(myForms().empty());
  auto object = create(GetParam());
  const auto forms = myForms();
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_FALSE(IsWindowVisible(forms[0]));
  object.reset();
  EXPECT_TRUE(myForms().empty()) << "releasing the object unloads its form";
}

TEST_P(ComponentForms, ObjectsOnOneThreadShareTheFormAndReleasingOneUnloadsIt) {
  auto first = create(GetParam());
  auto second = create(GetParam());
  EXPECT_EQ(myForms().size(), 1u);

  first.reset();
  EXPECT_TRUE(myForms().empty());

  // The other object's next use loads the form afresh.
  if (GetParam().hasItemInfo) {
    std::wstring result = L"?";
    EXPECT_EQ(callByName(second.get(), L"ItemInfo", &result), S_OK);
    EXPECT_EQ(result, L"");
    EXPECT_EQ(myForms().size(), 1u);
  } else {
    EXPECT_NE(showAndClose(second.get(), GetParam().caption).window, nullptr)
        << "the form was loaded and shown";
  }
  second.reset();
  EXPECT_TRUE(myForms().empty());
}

TEST_P(ComponentForms, ObjectsOnTwoThreadsHaveSeparateForms) {
  const Dialog dialog = GetParam();
  auto mine = create(dialog);
  ASSERT_EQ(myForms().size(), 1u);
  const HWND myForm = myForms()[0];

  std::promise<std::vector<HWND>> created;
  std::promise<void> checked;
  std::promise<size_t> leftAfterRelease;
  std::thread other([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
      auto theirs = create(dialog);
      created.set_value(formsOf(GetCurrentThreadId(), dialog));
      checked.get_future().wait();
    }
    leftAfterRelease.set_value(formsOf(GetCurrentThreadId(), dialog).size());
    CoUninitialize();
  });

  const auto theirForms = created.get_future().get();
  const size_t mineWhileTheirsLive = myForms().size();
  checked.set_value();
  const size_t theirsAfterRelease = leftAfterRelease.get_future().get();
  other.join();

  ASSERT_EQ(theirForms.size(), 1u);
  EXPECT_NE(theirForms[0], myForm);
  EXPECT_EQ(mineWhileTheirsLive, 1u);
  EXPECT_EQ(theirsAfterRelease, 0u) << "their release unloads their form";
  // ... and leaves this thread's form alone.
  ASSERT_EQ(myForms().size(), 1u);
  EXPECT_EQ(myForms()[0], myForm);
}

TEST_P(ComponentForms, CloseCommandUnloadsTheFormAndEndsShow) {
  const Dialog dialog = GetParam();
  auto object = create(dialog);
  const ShownDialog shown = showAndClose(object.get(), dialog.caption);
  ASSERT_NE(shown.window, nullptr) << "Show showed the dialog";
  EXPECT_EQ(shown.client.right, dialog.clientWidthTwips / 15);
  EXPECT_EQ(shown.client.bottom, dialog.clientHeightTwips / 15);
  EXPECT_TRUE(myForms().empty()) << "the close command unloads the form";

  if (dialog.hasItemInfo) {
    std::wstring result = L"?";
    EXPECT_EQ(callByName(object.get(), L"ItemInfo", &result), S_OK);
    EXPECT_EQ(result, L"");
    EXPECT_EQ(myForms().size(), 1u);
  }
}

// With the cursor in the screen's corner the dialog is pulled back inside the
// margins: at least 210 twips from the left (more with a task bar on that
// axis) and 500 from the top.
TEST_P(ComponentForms, ShowPlacesTheDialogInsideTheScreen) {
  auto object = create(GetParam());
  SetCursorPos(2, 2);
  const ShownDialog shown = showAndClose(object.get(), GetParam().caption);
  ASSERT_NE(shown.window, nullptr);
  const RECT frame = shown.frame;
  EXPECT_GE(frame.left, 210 / 15);
  EXPECT_GE(frame.top, 500 / 15);
  EXPECT_LE(frame.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(frame.bottom, GetSystemMetrics(SM_CYSCREEN));
}

INSTANTIATE_TEST_SUITE_P(, ComponentForms, ::testing::Values(kItem, kGroup, kSettings),
                         [](const auto& info) {
                           const std::wstring name = info.param.progId + 9;  // after "Tollivor."
                           return std::string(name.begin(), name.end());
                         });

}  // namespace
}  // namespace tollivor::testing
