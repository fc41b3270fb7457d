// How long the record routines take on the records a host hands over, from
// a short item record to one near the 32,767-character limit; a round trip
// of each dialog on the in-memory platform; building the control tables.
// Prints Google Benchmark's table.
#include <benchmark/benchmark.h>

#include <string>

#include "group/CGroup.h"
#include "group/frmGroup.h"
#include "item/CProperty.h"
#include "item/frmProperty.h"
#include "settings/CSettingEx.h"
#include "settings/frmSettingEx.h"
#include "forms/headless/HeadlessPlatform.h"
#include "shared/Stringbas.h"

namespace {

using namespace tollivor;

std::u16string groupRecord(size_t nameLength) {
  return u"GROUP|" + std::u16string(nameLength, u'n') + u"|:C:\\Icons\\tools.ico";
}

void BM_SplitGroupRecord(benchmark::State& state) {
  const auto record = groupRecord(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(Stringbas::StrBetween(record, u"|", u"|:"));
    benchmark::DoNotOptimize(Stringbas::StrAfter(record, u"|:"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * record.size() * 2));
}
BENCHMARK(BM_SplitGroupRecord)->Arg(8)->Arg(1000)->Arg(32000);

void BM_ItemEdit(benchmark::State& state) {
  forms::headless::HeadlessPlatform system;
  system.files[u"C:\\Tools\\edit.exe"] = 32;
  forms::setPlatform(&system);
  for (auto _ : state) {
    CProperty item;
    item.ItemInfo(u"C:\\Tools\\edit.exe|Editor");
    system.onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    item.Show();
    benchmark::DoNotOptimize(item.ItemInfo());
  }
  forms::setPlatform(nullptr);
}
BENCHMARK(BM_ItemEdit);

// The group dialog: record in, Show, OK, record out.
void BM_GroupEdit(benchmark::State& state) {
  forms::headless::HeadlessPlatform system;
  forms::setPlatform(&system);
  for (auto _ : state) {
    CGroup group;
    group.ItemInfo(u"GROUP|Tools|:C:\\Icons\\tools.ico");
    system.onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    group.Show();
    benchmark::DoNotOptimize(group.ItemInfo());
  }
  forms::setPlatform(nullptr);
}
BENCHMARK(BM_GroupEdit);

// The settings dialog: every stored value read, Show, OK, every value written.
void BM_SettingsRoundTrip(benchmark::State& state) {
  forms::headless::HeadlessPlatform system;
  forms::setPlatform(&system);
  for (auto _ : state) {
    CSettingEx settings;
    system.onNextShow([](forms::headless::ScriptedUser& user) { user.pressEnter(); });
    settings.Show();
  }
  forms::setPlatform(nullptr);
}
BENCHMARK(BM_SettingsRoundTrip);

// Building each form's control table from its constant rows.
void BM_ControlTables(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(frmPropertyTable());
    benchmark::DoNotOptimize(frmGroupTable());
    benchmark::DoNotOptimize(frmSettingExTable());
  }
}
BENCHMARK(BM_ControlTables);

}  // namespace
