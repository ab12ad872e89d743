// How long the rename view takes to list a folder of 300 photos of 12
// megapixels in each thumbnail mode: none, the embedded Exif thumbnail, and
// the picture decoded at reduced scale with its orientation applied. Each
// iteration reads the folder again through the rename list and waits until
// every thumbnail is made, as the desktop program does.
#include <benchmark/benchmark.h>

#include <algorithm>

#include <turbojpeg.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "imaging/exif_access.h"
#include "masks/keyword_source.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "rename/rename_list.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

#ifdef LX_BENCH_WITH_GUI
#include <QCoreApplication>

#include "rename_view/thumbnails.h"
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 300;

// 300 photos of 4000 x 3000 with a date taken, an orientation and an embedded thumbnail.
const std::string& PhotoFolder() {
  static lx::test::TempDir folder("lx-bench-thumbnails");
  static bool made = false;
  if (!made) {
    lx::test::PhotoSpec spec;
    spec.width = 4000;
    spec.height = 3000;
    spec.quality = 90;
    spec.embedThumbnail = true;
    for (int i = 0; i < kPhotos; ++i) {
      spec.dateTimeOriginal = lx::StrFormat("2021:06:01 10:%02d:%02d", i / 60, i % 60);
      spec.orientation = i % 4 == 0 ? 6 : 1;
      const std::string path = lx::StrFormat("%s/IMG_%04d.jpg", folder.Path().c_str(), i);
      if (i < 2)
        lx::test::WritePhoto(path, spec);
      else  // the pixels do not matter for the timing: copies of the first two
        fs::copy_file(lx::StrFormat("%s/IMG_%04d.jpg", folder.Path().c_str(), i % 2), path);
    }
    made = true;
  }
  return folder.Path();
}

// The same count of photos with grain on the gradient, so that their size
// (about 4 MB each) and decoding cost are those of a camera's JPEGs. No Exif.
const std::string& GrainyFolder() {
  static lx::test::TempDir folder("lx-bench-thumbnails-grain");
  static bool made = false;
  if (!made) {
    const int w = 4000, h = 3000;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> grain(-10, 10);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        const int base[3] = {x * 255 / w, y * 255 / h, 128};
        for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>(std::clamp(base[c] + grain(random), 0, 255));
      }
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), w, 0, h, TJPF_RGB, &jpeg, &size, TJSAMP_420, 92, 0);
    for (int i = 0; i < kPhotos; ++i) {
      std::ofstream out(lx::StrFormat("%s/IMG_%04d.jpg", folder.Path().c_str(), i), std::ios::binary);
      out.write(reinterpret_cast<const char*>(jpeg), static_cast<std::streamsize>(size));
    }
    tjFree(jpeg);
    tjDestroy(handle);
    made = true;
  }
  return folder.Path();
}

void BM_ListFolder(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const bool grainy = state.range(1) != 0;
  const std::string folder = (grainy ? GrainyFolder() : PhotoFolder()) + "/";
  lx::test::TempDir config("lx-bench-thumbnails-config");
  lx::SettingsStore settings(config.Path());
  lx::CLorvexandrinEngine engine(settings);
  lx::test::ScriptedPrompts prompts;
  lx::NoKeywordSource keywords;
  lx::RenameListModel list(engine, prompts, keywords);
  engine.sourceKind = lx::SourceKind::Folder;
  engine.sourcePath = folder;
  engine.renamePath = folder;
  engine.SetSelectionFilter("*.jpg");
  list.SetMaskText("%Y-%m-%d %H-%M-%S");
#ifdef LX_BENCH_WITH_GUI
  lx::gui::ThumbnailMaker maker;
  list.onFileRead = [&](const lx::OpenedPhoto& photo, lx::RenameListRow& row, int) {
    if (mode == 0) return;
    lx::gui::ThumbnailJob job;
    job.path = row.data.FilePath;
    job.mode = mode;
    job.orientation = row.data.Orientation;
    if (mode == 1) job.embedded = lx::EmbeddedThumbnail(photo);
    maker.Submit(std::move(job));
  };
#else
  if (mode != 0) {
    state.SkipWithError("thumbnails need the desktop program's library (LX_BUILD_GUI)");
    return;
  }
#endif
  int made = 0;
  for (auto _ : state) {
#ifdef LX_BENCH_WITH_GUI
    maker.Clear();
#endif
    list.ReReadFolder = true;
    list.RefreshList(lx::RunList);
#ifdef LX_BENCH_WITH_GUI
    maker.WaitForAll();
    made = maker.Count();
#endif
  }
  if (list.RowCount() != kPhotos) state.SkipWithError("not every photo was listed");
  state.counters["rows"] = list.RowCount();
  state.counters["thumbnails"] = made;
  state.counters["MB_per_photo"] = static_cast<double>(fs::file_size(folder + "IMG_0000.jpg")) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ListFolder)
    ->ArgNames({"mode", "grain"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
#ifdef LX_BENCH_WITH_GUI
  QCoreApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
