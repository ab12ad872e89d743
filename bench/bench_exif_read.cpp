// How fast the rename list can read the date taken and orientation of each
// photo of a folder, side by side with the exiv2 and exiftool command-line
// tools reading the same tag from the same files.
//
// The photos (1,000 and 10,000) are made once in a temporary folder: a noisy
// 1600x1200 JPEG of a few hundred KB with a camera-like Exif block (make,
// model, exposure, GPS, thumbnail), each with its own date taken.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "imaging/exif_access.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "rename/rename_list.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace {

std::string NoisyJpeg(int width, int height) {
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  std::mt19937 random(42);
  std::uniform_int_distribution<int> noise(-24, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = static_cast<unsigned char>(std::clamp(x * 255 / width + noise(random), 0, 255));
      p[1] = static_cast<unsigned char>(std::clamp(y * 255 / height + noise(random), 0, 255));
      p[2] = static_cast<unsigned char>(std::clamp(128 + noise(random), 0, 255));
    }
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  if (tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 80, 0) != 0)
    throw std::runtime_error("tjCompress2 failed");
  std::string bytes(reinterpret_cast<char*>(jpeg), size);
  tjFree(jpeg);
  tjDestroy(handle);
  return bytes;
}

// One camera-like photo; the copies differ only in their date taken.
std::string TemplatePhoto(const std::string& folder) {
  std::string path = folder + "/template.jpg";
  lx::test::WriteFile(path, NoisyJpeg(1600, 1200));
  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  Exiv2::ExifData exif;
  exif["Exif.Image.Make"] = "Canon";
  exif["Exif.Image.Model"] = "Canon EOS 5D Mark IV";
  exif["Exif.Image.Orientation"] = uint16_t(6);
  exif["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
  exif["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
  exif["Exif.Image.ResolutionUnit"] = uint16_t(2);
  exif["Exif.Image.Software"] = "Firmware Version 1.2.0";
  exif["Exif.Image.DateTime"] = "2020:01:01 00:00:00";
  exif["Exif.Image.Artist"] = "Photographer";
  exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 250);
  exif["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
  exif["Exif.Photo.ExposureProgram"] = uint16_t(3);
  exif["Exif.Photo.ISOSpeedRatings"] = uint16_t(400);
  exif["Exif.Photo.DateTimeOriginal"] = "2020:01:01 00:00:00";
  exif["Exif.Photo.DateTimeDigitized"] = "2020:01:01 00:00:00";
  exif["Exif.Photo.ShutterSpeedValue"] = Exiv2::Rational(7965784, 1000000);
  exif["Exif.Photo.ApertureValue"] = Exiv2::URational(2970854, 1000000);
  exif["Exif.Photo.ExposureBiasValue"] = Exiv2::Rational(0, 1);
  exif["Exif.Photo.MaxApertureValue"] = Exiv2::URational(3, 1);
  exif["Exif.Photo.MeteringMode"] = uint16_t(5);
  exif["Exif.Photo.Flash"] = uint16_t(16);
  exif["Exif.Photo.FocalLength"] = Exiv2::URational(50, 1);
  exif["Exif.Photo.ColorSpace"] = uint16_t(1);
  exif["Exif.Photo.PixelXDimension"] = uint32_t(1600);
  exif["Exif.Photo.PixelYDimension"] = uint32_t(1200);
  exif["Exif.Photo.FocalPlaneXResolution"] = Exiv2::URational(6720000, 1418);
  exif["Exif.Photo.WhiteBalance"] = uint16_t(0);
  exif["Exif.Photo.LensModel"] = "EF24-105mm f/4L IS USM";
  exif["Exif.Photo.BodySerialNumber"] = "012345678901";
  exif["Exif.GPSInfo.GPSVersionID"].setValue("2 3 0 0");
  exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
  exif["Exif.GPSInfo.GPSLatitude"].setValue("48/1 51/1 2433/100");
  exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
  exif["Exif.GPSInfo.GPSLongitude"].setValue("2/1 17/1 4012/100");
  exif["Exif.GPSInfo.GPSAltitude"] = Exiv2::URational(35, 1);
  exif["Exif.GPSInfo.GPSTimeStamp"].setValue("11/1 12/1 13/1");
  std::string thumb = lx::test::MakeJpegBytes(160, 120, 80);
  Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(thumb.data()),
                                          static_cast<long>(thumb.size()));
  image->setExifData(exif);
  image->writeMetadata();
  std::string bytes = lx::test::ReadFile(path);
  std::filesystem::remove(path);
  return bytes;
}

// A folder of n photos, made once per n and removed at exit.
const std::string& PhotoFolder(int n) {
  static lx::test::TempDir root("lx-bench-exif");
  static std::map<int, std::string> folders;
  auto found = folders.find(n);
  if (found != folders.end()) return found->second;

  static std::string templateBytes = TemplatePhoto(root.Path());
  std::string folder = root.Path() + "/" + std::to_string(n);
  std::filesystem::create_directories(folder);
  const std::string marker = "2020:01:01 00:00:00";
  size_t at = templateBytes.find(marker, templateBytes.find("Canon EOS"));
  for (int i = 0; i < n; ++i) {
    std::string bytes = templateBytes;
    int minutes = i;
    std::string date = lx::StrFormat("2021:%02d:%02d %02d:%02d:%02d", 1 + (i / 28) % 12, 1 + i % 28,
                                     (minutes / 60) % 24, minutes % 60, i % 60);
    // Every copy gets its own DateTimeOriginal, written in place.
    for (size_t pos = at; (pos = bytes.find(marker, pos)) != std::string::npos; pos += marker.size())
      bytes.replace(pos, marker.size(), date);
    lx::test::WriteFile(lx::StrFormat("%s/IMG_%05d.jpg", folder.c_str(), i), bytes);
  }
  std::fprintf(stderr, "made %d photos of %zu bytes in %s\n", n, templateBytes.size(), folder.c_str());
  return folders.emplace(n, folder).first->second;
}

std::vector<std::string> FilesOf(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

struct Rate {
  double wall = 0;  // files per second of elapsed time
  double cpu = 0;   // files per second of processor time (user + system)
};
std::map<std::string, std::map<int, Rate>> g_rates;  // reader -> n -> rates

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_OpenPhotoReadExifData(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  std::vector<std::string> files = FilesOf(PhotoFolder(n));
  int valid = 0;
  auto start = std::chrono::steady_clock::now();
  double cpuStart = CpuSeconds(RUSAGE_SELF);
  long long read = 0;
  for (auto _ : state) {
    for (const auto& file : files) {
      lx::OpenedPhoto photo = lx::OpenPhoto(file);
      lx::CRenameFileData row;
      valid += lx::ReadExifData(&photo, row) ? 1 : 0;
      benchmark::DoNotOptimize(row.ExifDate);
    }
    read += n;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (valid != read) state.SkipWithError("a photo had no date taken");
  state.SetItemsProcessed(read);
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(read), benchmark::Counter::kIsRate);
  double cpu = CpuSeconds(RUSAGE_SELF) - cpuStart;
  g_rates["lorvexandrin (OpenPhoto+ReadExifData)"][n] = {read / seconds, read / cpu};
}

// The whole folder read of the rename list: entries in name order, the
// selection filter, Exif, the new name of every photo and the duplicate marking.
void BM_ListFolder(benchmark::State& state) {
  int n = static_cast<int>(state.range(0));
  const std::string& folder = PhotoFolder(n);
  lx::test::TempDir config("lx-bench-list-config");
  lx::SettingsStore settings(config.Path());
  lx::CLorvexandrinEngine engine(settings);
  engine.LoadEngineSettings(false);
  engine.sourceKind = lx::SourceKind::Folder;
  engine.sourcePath = folder + "/";
  engine.renamePath = folder + "/";
  lx::NoKeywordSource keywords;
  lx::test::ScriptedPrompts prompts;
  lx::CMaskData mask;
  lx::RenameListModel list(engine, prompts, keywords, mask);
  list.SetMaskText("%Y-%m-%d %H-%M-%S");
  auto start = std::chrono::steady_clock::now();
  double cpuStart = CpuSeconds(RUSAGE_SELF);
  long long listed = 0;
  for (auto _ : state) {
    list.ReReadFolder = true;
    list.RefreshList(lx::RunList);
    listed += list.FileCount;
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (listed != static_cast<long long>(state.iterations()) * n) state.SkipWithError("not every photo was listed");
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(listed), benchmark::Counter::kIsRate);
  double cpu = CpuSeconds(RUSAGE_SELF) - cpuStart;
  g_rates["lorvexandrin list (mask %Y-%m-%d %H-%M-%S)"][n] = {listed / seconds, listed / cpu};
}

// One run of a command-line tool over all files of the folder, through xargs.
void RunTool(benchmark::State& state, const std::string& name, const std::string& command) {
  int n = static_cast<int>(state.range(0));
  const std::string& folder = PhotoFolder(n);
  std::string line = "cd '" + folder + "' && find . -name '*.jpg' -print0 | xargs -0 " + command + " > '" + folder +
                     "/../out.txt' 2>/dev/null";
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    double cpuStart = CpuSeconds(RUSAGE_CHILDREN);
    int rc = std::system(line.c_str());
    double cpu = CpuSeconds(RUSAGE_CHILDREN) - cpuStart;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    if (rc != 0) {
      state.SkipWithError((name + " is not available").c_str());
      return;
    }
    g_rates[name][n] = {n / seconds, n / cpu};
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * n);
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * n, benchmark::Counter::kIsRate);
}

void BM_Exiv2Tool(benchmark::State& state) {
  RunTool(state, "exiv2 -g Exif.Photo.DateTimeOriginal -Pv", "exiv2 -g Exif.Photo.DateTimeOriginal -Pv");
}

void BM_Exiftool(benchmark::State& state) {
  RunTool(state, "exiftool -s3 -DateTimeOriginal", "exiftool -s3 -DateTimeOriginal");
}

BENCHMARK(BM_OpenPhotoReadExifData)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exiv2Tool)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exiftool)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("TZ", "Europe/Paris", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("\nFiles per second, warm cache (elapsed time / processor time):\n%-42s %20s %20s\n", "reader",
              "1,000 files", "10,000 files");
  for (const auto& [name, rates] : g_rates) {
    auto rate = [&](int n) {
      auto it = rates.find(n);
      return it == rates.end() ? std::string("-") : lx::StrFormat("%.0f / %.0f", it->second.wall, it->second.cpu);
    };
    std::printf("%-42s %20s %20s\n", name.c_str(), rate(1000).c_str(), rate(10000).c_str());
  }
  return 0;
}
