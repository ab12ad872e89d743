// What the rename journal costs: the same simple rename of a folder of photos
// (10,000 by default, LX_BENCH_RENAME_FILES to change) with the counter mask,
// step by step through the rename executor, once with every step journaled
// (intent before, done after) and once without a journal. Listing the folder
// and making its fresh copy are not timed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/rename_executor.h"
#include "rename/rename_list.h"
#include "rename/run_journal.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

int FileCount() {
  const char* text = std::getenv("LX_BENCH_RENAME_FILES");
  int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 10000;
}

const std::string& MasterFolder() {
  static lx::test::TempDir master("lx-bench-journal-master");
  static bool made = false;
  if (!made) {
    for (int i = 0; i < FileCount(); ++i)
      lx::test::WriteFile(lx::StrFormat("%s/IMG_%05d.jpg", master.Path().c_str(), i), "photo");
    made = true;
  }
  return master.Path();
}

void RenameFolder(benchmark::State& state, bool journaled) {
  lx::test::TempDir work("lx-bench-journal");
  lx::test::TempDir stateHome("lx-bench-journal-state");
  setenv("XDG_STATE_HOME", stateHome.Path().c_str(), 1);
  const std::string folder = work.File("photos") + "/";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(folder);
    fs::copy(MasterFolder(), folder);
    lx::test::TempDir config("lx-bench-journal-config");
    lx::SettingsStore settings(config.Path());
    settings.SetNumber("ShowRenameOutline", 0);
    lx::CLorvexandrinEngine engine(settings);
    engine.LoadEngineSettings(false);
    engine.sourceKind = lx::SourceKind::Folder;
    engine.sourcePath = folder;
    engine.renamePath = folder;
    engine.renameType = lx::SimpleRename;
    lx::NoKeywordSource keywords;
    lx::test::ScriptedPrompts prompts;
    lx::CMaskData mask;
    lx::RenameListModel list(engine, prompts, keywords, mask);
    list.SetMaskText("P%C6");
    list.RefreshList(lx::RunList);
    const int count = list.ApplyRenamingMask(folder, folder);
    lx::RenameExecutor executor(engine, prompts, 0, 0);
    lx::RunJournal journal;
    state.ResumeTiming();
    if (journaled) {
      if (journal.Open({{}, 0, lx::SimpleRename, folder, folder, "P%C6", "bench"}) != 0)
        state.SkipWithError("journal not written");
      executor.SetJournal(&journal);
    }
    for (int i = 0; i < count; ++i) executor.RenameListedFile(*list.Row(i), folder, folder);
    if (journaled) journal.Finish();
    state.PauseTiming();
    if (executor.RenamedCount() != FileCount()) state.SkipWithError("not every file renamed");
    state.ResumeTiming();
  }
  state.counters["files_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * FileCount(), benchmark::Counter::kIsRate);
}

void BM_SimpleRenameWithoutJournal(benchmark::State& state) { RenameFolder(state, false); }
BENCHMARK(BM_SimpleRenameWithoutJournal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SimpleRenameWithJournal(benchmark::State& state) { RenameFolder(state, true); }
BENCHMARK(BM_SimpleRenameWithJournal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
