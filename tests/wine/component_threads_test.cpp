// Apartment threads each with their own objects and dialogs, at once: every
// thread gets its own forms, and nothing of one thread's edit reaches another.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "component_support.h"
#include "driver.h"

namespace tollivor::test {
namespace {

class ComponentThreads : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(registerComponent(), S_OK); }
};

// Runs `body` on `count` apartment threads started together.
template <class Body>
void onApartmentThreads(int count, Body body) {
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < count; ++t) {
    threads.emplace_back([&, t] {
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      ++ready;
      while (ready < count) Sleep(0);
      body(t);
      CoUninitialize();
    });
  }
  for (auto& thread : threads) thread.join();
}

// TOLLIVOR_THREAD_CYCLES sets the cycles per thread (30 unless set): the
// figures in the README come from longer runs.
TEST_F(ComponentThreads, EightThreadsCycleObjectsOfEveryClassAtOnce) {
  constexpr int kThreads = 8;
  const char* asked = getenv("TOLLIVOR_THREAD_CYCLES");
  const int cycles = asked ? std::atoi(asked) : 30;
  std::atomic<int> failures{0};
  onApartmentThreads(kThreads, [&](int t) {
    for (int i = 0; i < cycles; ++i) {
      Ref<_CProperty> item;
      Ref<_CGroup> group;
      Ref<_CSettingEx> settings;
      const std::wstring record = L"C:\\thread" + std::to_wstring(t) + L"|tip " + std::to_wstring(i);
      const std::wstring groupRecord = L"group|Thread " + std::to_wstring(t) + L"|:";
      if (FAILED(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid())) ||
          FAILED(createByProgId(L"Tollivor.CGroup", IID__CGroup, group.putVoid())) ||
          FAILED(createByProgId(L"Tollivor.CSettingEx", IID__CSettingEx, settings.putVoid()))) {
        ++failures;
        return;
      }
      unique_bstr itemResult, groupResult;
      if (FAILED(item->put_ItemInfo(bstr(record.c_str()).get())) ||
          FAILED(group->put_ItemInfo(bstr(groupRecord.c_str()).get())) ||
          FAILED(item->get_ItemInfo(itemResult.put())) ||
          FAILED(group->get_ItemInfo(groupResult.put())) || !text(itemResult).empty() ||
          !text(groupResult).empty())
        ++failures;
    }
  });
  EXPECT_EQ(failures, 0);
}

// Two threads show the item dialog at the same time; each user confirms
// their own, and each host reads back its own record.
TEST_F(ComponentThreads, TwoThreadsShowTheirOwnDialogsAtOnce) {
  std::wstring results[2];
  onApartmentThreads(2, [&](int t) {
    Ref<_CProperty> item;
    if (FAILED(createByProgId(L"Tollivor.CProperty", IID__CProperty, item.putVoid()))) return;
    const std::wstring record = t == 0 ? L"My Computer|first" : L"Recycle Bin|second";
    item->put_ItemInfo(bstr(record.c_str()).get());
    {
      driver::Watcher watcher([](DWORD thread) {
        HWND dialog = driver::waitForWindow(thread, L"Item Property");
        if (!dialog) return driver::closeAll(thread);
        driver::click(driver::findControl(dialog, L"&OK"));
        if (!driver::waitFor([&] { return !IsWindowVisible(dialog); }, 3000)) driver::closeAll(thread);
      });
      item->Show();
    }
    unique_bstr result;
    item->get_ItemInfo(result.put());
    results[t] = text(result);
  });
  EXPECT_EQ(results[0], L"My Computer|first");
  EXPECT_EQ(results[1], L"Recycle Bin|second");
}

}  // namespace
}  // namespace tollivor::test
