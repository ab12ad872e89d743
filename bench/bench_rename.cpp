// How fast a rename run renames listed photos in place (simple rename, a mask
// with a counter, the counter stored after every file), side by side with the
// exiv2 and exiftool command-line tools renaming copies of the same photos by
// their date taken.
//
// The photos (10,000 by default, LX_BENCH_RENAME_FILES to change) are made once:
// small JPEGs with an Exif block, each with its own date taken. Every
// iteration renames a fresh copy of that folder; making the copy is not timed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "rename/rename_list.h"
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

// The master folder of photos, made on first use.
const std::string& MasterFolder() {
  static lx::test::TempDir master("lx-bench-rename-master");
  static bool made = false;
  if (!made) {
    lx::test::PhotoSpec spec;
    spec.width = 32;
    spec.height = 24;
    const int n = FileCount();
    for (int i = 0; i < n; ++i) {
      // One photo a minute from 1 January 2021 on: distinct dates, distinct names.
      const int minute = i % 60, hour = (i / 60) % 24, day = 1 + (i / 1440) % 28, month = 1 + i / (1440 * 28);
      spec.dateTimeOriginal = lx::StrFormat("2021:%02d:%02d %02d:%02d:00", month, day, hour, minute);
      lx::test::WritePhoto(lx::StrFormat("%s/IMG_%05d.jpg", master.Path().c_str(), i), spec);
    }
    made = true;
  }
  return master.Path();
}

void FreshCopy(const std::string& folder) {
  fs::remove_all(folder);
  fs::copy(MasterFolder(), folder);
}

struct Run {
  lx::test::TempDir config{"lx-bench-rename-config"};
  lx::SettingsStore settings{config.Path()};
  lx::CLorvexandrinEngine engine{settings};
  lx::NoKeywordSource keywords;
  lx::test::ScriptedPrompts prompts;
  lx::CMaskData mask;
  lx::RenameListModel list{engine, prompts, keywords, mask};

  explicit Run(const std::string& folder) {
    settings.SetNumber("ShowRenameOutline", 0);
    engine.LoadEngineSettings(false);
    engine.sourceKind = lx::SourceKind::Folder;
    engine.sourcePath = folder + "/";
    engine.renamePath = folder + "/";
    engine.renameType = lx::SimpleRename;
    list.SetMaskText("%Y-%m-%d %H-%M-%S %C5");
  }
};

void CheckRenamed(benchmark::State& state, const std::string& folder, const char* prefix) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind(prefix, 0) != 0) {
      state.SkipWithError(("not renamed: " + entry.path().string()).c_str());
      return;
    }
}

// Renames fresh copies of the folder; the list run is timed too unless
// listBeforeClock, when the folder is listed before the clock starts.
void RenameFreshCopies(benchmark::State& state, bool listBeforeClock) {
  lx::test::TempDir work("lx-bench-rename");
  const std::string folder = work.File("photos");
  for (auto _ : state) {
    state.PauseTiming();
    FreshCopy(folder);
    Run run(folder);
    if (listBeforeClock) run.list.RefreshList(lx::RunList);
    state.ResumeTiming();
    if (!listBeforeClock) run.list.RefreshList(lx::RunList);
    run.list.RefreshList(lx::RunRenameAll);
    state.PauseTiming();
    if (run.settings.GetNumber("PictureCounter") != static_cast<std::uint32_t>(FileCount()))
      state.SkipWithError("counter not saved");
    CheckRenamed(state, folder, "2021-");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * FileCount());
  state.counters["files_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * FileCount(), benchmark::Counter::kIsRate);
}

// The rename run alone.
void BM_RenameRun(benchmark::State& state) { RenameFreshCopies(state, true); }
BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Reading the folder (Exif dates) and renaming, as the tools below do in one go.
void BM_ListAndRename(benchmark::State& state) { RenameFreshCopies(state, false); }
BENCHMARK(BM_ListAndRename)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void RunTool(benchmark::State& state, const std::string& command) {
  lx::test::TempDir work("lx-bench-rename");
  const std::string folder = work.File("photos");
  for (auto _ : state) {
    state.PauseTiming();
    FreshCopy(folder);
    const std::string line = lx::StrFormat(command.c_str(), folder.c_str());
    state.ResumeTiming();
    if (std::system(line.c_str()) != 0) state.SkipWithError(("failed: " + line).c_str());
    state.PauseTiming();
    CheckRenamed(state, folder, "2021-");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * FileCount());
  state.counters["files_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * FileCount(), benchmark::Counter::kIsRate);
}

void BM_Exiv2Rename(benchmark::State& state) {
  // xargs keeps the command lines within the system's limit.
  RunTool(state, "find '%s' -name '*.jpg' -print0 | xargs -0 exiv2 -r '%%Y-%%m-%%d %%H-%%M-%%S' rename");
}
BENCHMARK(BM_Exiv2Rename)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ExiftoolRename(benchmark::State& state) {
  // -d gives the file name layout; %%e keeps the extension.
  RunTool(state, "exiftool -q -d '%%Y-%%m-%%d %%H-%%M-%%S.%%%%e' '-FileName<DateTimeOriginal' '%s'");
}
BENCHMARK(BM_ExiftoolRename)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
