// How fast the settings store reads and writes: the rename run saves the
// picture counter after every renamed file, so a write must stay cheap.
#include <benchmark/benchmark.h>

#include "storage/settings_store.h"
#include "temp_dir.h"

namespace {

void BM_WriteNumber(benchmark::State& state) {
  lx::test::TempDir root("lx-bench-settings");
  lx::SettingsStore store(root.Path());
  store.SetText("SourcePath", "/home/ann/Pictures/Trip/");
  store.SetText("RenamingMask", "%Y-%m-%d %H-%M-%S");
  std::uint32_t counter = 0;
  for (auto _ : state) store.SetNumber("PictureCounter", ++counter);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteNumber)->Unit(benchmark::kMicrosecond);

void BM_ReadText(benchmark::State& state) {
  lx::test::TempDir root("lx-bench-settings");
  lx::SettingsStore store(root.Path());
  store.SetText("RenamingMask", "%Y-%m-%d %H-%M-%S");
  for (auto _ : state) benchmark::DoNotOptimize(store.GetText("RenamingMask"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
