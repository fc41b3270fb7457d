// How long the record routines take on the records a host hands over, from
// a short item record to one near the 32,767-character limit, and one item
// edit on the in-memory platform. Prints Google Benchmark's table.
#include <benchmark/benchmark.h>

#include <string>

#include "item/CProperty.h"
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

}  // namespace
