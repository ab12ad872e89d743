// Every file-system call of a rename run failed in turn: for each rename type
// and for a run that stores the picture counter after each photo, the calls of
// a fault-free run are counted, then the run is repeated with call 1, 2, ... n
// failing (EIO, then ENOSPC). After each, every photo's bytes must sit under
// its old or its new name, no visible file may be a cut-off copy, and the run
// must either have done exactly what the fault-free run did or have reported
// the failure with the system's reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "base/log.h"
#include "cli_runner.h"
#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "platform/fault_injection.h"
#include "platform/system_error.h"
#include "rename/rename_list.h"
#include "rename/rename_plan.h"
#include "rename/rename_run.h"
#include "scripted_prompts.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;

// Visible files below root (relative path -> bytes); hidden partial copies
// are left out, a cut-off copy under a real name is not.
using FolderState = std::map<std::string, std::string>;

FolderState VisibleFiles(const std::string& root) {
  FolderState state;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (name.front() == '.') continue;
    state[fs::relative(entry.path(), root).string()] = ReadFile(entry.path().string());
  }
  return state;
}

// Files a deletion moved aside and never removed: a photo the user cannot see.
int FilesLeftAside(const std::string& root) {
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    count += entry.path().filename().string().rfind(".lx-deleting-", 0) == 0;
  return count;
}

// The photos of every run: made once, copied into each run's folder.
class PhotoSet {
 public:
  PhotoSet() {
    // The first two swap names under the date mask, so a file is parked.
    test::WritePhotoTakenAt(dir_.File("2021-07-05.jpg"), "2021:07:04 10:00:00");
    test::WritePhotoTakenAt(dir_.File("2021-07-04.jpg"), "2021:07:05 10:00:00");
    test::WritePhotoTakenAt(dir_.File("c.jpg"), "2021:07:06 10:00:00");
    test::WritePhotoTakenAt(dir_.File("d.jpg"), "2021:07:07 10:00:00");
    files_ = VisibleFiles(dir_.Path());
  }
  const FolderState& Files() const { return files_; }
  const std::string& Folder() const { return dir_.Path(); }

 private:
  TempDir dir_{"lx-fault-photos"};
  FolderState files_;
};

// One run in fresh folders: its own settings, source and target.
struct RunWorld {
  TempDir config{"lx-fault-config"};
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  NoKeywordSource keywords;
  ScriptedPrompts prompts;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};
  TempDir root{"lx-fault-run"};
  CapturingLogSink log;
  ScopedLogSink attach{log};

  RunWorld(const PhotoSet& photos, int renameType) {
    fs::create_directory(root.File("src"));
    fs::create_directory(root.File("dst"));
    for (const auto& [name, bytes] : photos.Files())
      fs::copy_file(photos.Folder() + "/" + name, root.File("src/" + name));
    settings.SetNumber(setting::kShowRenameOutline, 0);
    settings.SetNumber(setting::kPictureCounter, 7);
    engine.LoadEngineSettings(false);
    engine.sourceKind = SourceKind::Folder;
    engine.sourcePath = root.Slash() + "src/";
    engine.renamePath = root.Slash() + "dst/";
    engine.renameType = renameType;
  }

  bool List(const std::string& maskText) {
    list.SetMaskText(maskText);
    list.ReReadFolder = true;
    const bool listed = list.RefreshList(RunList);
    log.Clear();
    return listed;
  }
  unsigned Counter() { return GetPictureCounter(settings); }
};

struct Outcome {
  FolderState files;
  unsigned counter = 0;
  std::string log;
  int leftAside = 0;
};

struct Scenario {
  const char* name;
  int renameType;
  const char* mask;
};

class RenameFaultInjection : public ::testing::TestWithParam<Scenario> {
 protected:
  static inline std::unique_ptr<PhotoSet> photos;
  // Hundreds of runs: their folders go to memory where it is offered, since
  // what is tested is the order of the calls, not the disk under them.
  static inline std::unique_ptr<test::ScopedEnv> inMemory;
  static void SetUpTestSuite() {
    if (::access("/dev/shm", W_OK) == 0) inMemory = std::make_unique<test::ScopedEnv>("TMPDIR", "/dev/shm");
    photos = std::make_unique<PhotoSet>();
  }
  static void TearDownTestSuite() {
    photos.reset();
    inMemory.reset();
  }

  // A run with call failAt failing (0: none); returns the number of calls.
  long Run(long failAt, int error, Outcome& outcome, std::string& failure) {
    RunWorld world(*photos, GetParam().renameType);
    if (!world.List(GetParam().mask)) {
      failure = "listing failed";
      return 0;
    }
    StartFaultInjection(failAt, error);
    const bool ran = world.list.RefreshList(RunRenameAll);
    StopFaultInjection();
    const long calls = FaultInjectionCalls();
    outcome = {VisibleFiles(world.root.Path()), world.Counter(), {}, FilesLeftAside(world.root.Path())};
    for (const std::string& text : world.log.Texts()) outcome.log += text + "\n";
    const RenameRunResult& result = LastRenameRun();
    failure.clear();
    if (!ran) {
      failure = "stopped before the first file";
    } else if (result.failedCount > 0) {
      failure = std::to_string(result.failedCount) + " failed";
      // Each failed row has its log line; the system's reason is among them
      // unless the row stopped the run (its own line and warning say why).
      if (!world.log.Contains(SystemErrorText(error)) && !result.stopped) failure += " WITHOUT THE REASON";
      if (!world.log.Contains("Not Renamed as Listed")) failure += " WITHOUT THE SUMMARY COUNT";
    }
    return calls;
  }
};

TEST_P(RenameFaultInjection, EveryCallFailingInTurnLosesNothingAndIsReported) {
  Outcome expected;
  std::string failure;
  const long calls = Run(0, 0, expected, failure);
  ASSERT_TRUE(failure.empty()) << failure;
  ASSERT_GT(calls, 0);
  // Where each photo may be: its old name or where the fault-free run put it.
  std::map<std::string, std::vector<std::string>> allowed;
  for (const auto& [name, bytes] : photos->Files()) allowed[bytes].push_back("src/" + name);
  for (const auto& [path, bytes] : expected.files) allowed[bytes].push_back(path);

  int injected = 0;
  for (int error : {EIO, ENOSPC}) {
    for (long failAt = 1; failAt <= calls; ++failAt) {
      ++injected;
      Outcome outcome;
      Run(failAt, error, outcome, failure);
      const std::string where =
          "call " + std::to_string(failAt) + " of " + std::to_string(calls) + " failing with " + SystemErrorText(error);
      for (const auto& [path, bytes] : outcome.files)
        EXPECT_TRUE(allowed.count(bytes)) << where << ": " << path << " is not a whole photo";
      for (const auto& [bytes, paths] : allowed) {
        bool kept = false;
        for (const std::string& path : paths)
          kept = kept || (outcome.files.count(path) && outcome.files[path] == bytes);
        // A file moved aside to break a cycle, whose name was taken meanwhile,
        // stays under its moving name (which holds its old one) and says so.
        const std::string moving = "src/" + ParkingName(fs::path(paths.front()).filename().string());
        kept = kept || (outcome.files.count(moving) && outcome.files[moving] == bytes &&
                        outcome.log.find(" Kept under this Name: it Cannot Move Back to ") != std::string::npos);
        EXPECT_TRUE(kept) << where << ": the photo of " << paths.front() << " is under neither of its names";
      }
      EXPECT_EQ(outcome.leftAside, 0) << where << ": a photo left under a hidden name";
      const bool same = outcome.files == expected.files && outcome.counter == expected.counter;
      EXPECT_TRUE(same || !failure.empty()) << where << ": a different result reported as success";
      EXPECT_EQ(failure.find("WITHOUT"), std::string::npos) << where << ": " << failure;
    }
  }
  RecordProperty("InjectedFaults", injected);
  std::cout << GetParam().name << ": " << calls << " calls, " << injected << " injected faults\n";
}

INSTANTIATE_TEST_SUITE_P(RenameTypes, RenameFaultInjection,
                         ::testing::Values(Scenario{"SimpleDates", SimpleRename, "%Y-%m-%d"},
                                           Scenario{"SimpleCounter", SimpleRename, "P%C3"},
                                           Scenario{"BackupDates", BackupRename, "%Y-%m-%d"},
                                           Scenario{"BackupCounter", BackupRename, "P%C3"},
                                           Scenario{"TargetCounter", TargetRename, "P%C3"},
                                           Scenario{"TargetDeleteCounter", TargetRenameDelete, "P%C3"}),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// The command line takes the same switch from LX_FAULT_INJECT: each call of a
// run failing in turn gives exit 3 with the reason, exit 1 before the first
// file, or exit 0 with the fault-free result.
TEST(CliFaultInjection, EveryCallFailingInTurnGivesAnHonestExitStatus) {
  std::unique_ptr<test::ScopedEnv> inMemory;
  if (::access("/dev/shm", W_OK) == 0) inMemory = std::make_unique<test::ScopedEnv>("TMPDIR", "/dev/shm");
  PhotoSet photos;
  auto run = [&](const std::string& inject, FolderState& files) {
    TempDir config{"lx-fault-cli-config"};
    TempDir root{"lx-fault-cli-run"};
    fs::create_directory(root.File("src"));
    for (const auto& [name, bytes] : photos.Files())
      fs::copy_file(photos.Folder() + "/" + name, root.File("src/" + name));
    const std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", config.Path()}};
    test::RunCli({"settings", "set", "ShowRenameOutline", "0"}, env);
    auto withFault = env;
    withFault["LX_FAULT_INJECT"] = inject;
    test::CliResult r = test::RunCli({"rename", "--mask", "P%C3", root.File("src")}, withFault);
    files = VisibleFiles(root.Path());
    return r;
  };
  FolderState expected;
  const test::CliResult clean = run("0:EIO", expected);
  ASSERT_EQ(clean.exitCode, 0) << clean.err;
  const std::string countText = "LX_FAULT_INJECT: ";
  const size_t at = clean.err.rfind(countText);
  ASSERT_NE(at, std::string::npos) << clean.err;
  const long calls = std::stol(clean.err.substr(at + countText.size()));
  ASSERT_GT(calls, 0);

  for (long failAt = 1; failAt <= calls; ++failAt) {
    FolderState files;
    const test::CliResult r = run(std::to_string(failAt) + ":EIO", files);
    const std::string where = "call " + std::to_string(failAt) + " of " + std::to_string(calls);
    EXPECT_EQ(files.size(), expected.size()) << where;
    if (r.exitCode == 0) {
      EXPECT_EQ(files, expected) << where << ": a different result with exit 0\n" << r.err;
    } else {
      EXPECT_TRUE(r.exitCode == 3 || r.exitCode == 1) << where << ": exit " << r.exitCode << "\n" << r.err;
      if (r.exitCode == 3) {
        EXPECT_NE(r.err.find("Not Renamed as Listed"), std::string::npos) << where << r.err;
      }
    }
  }
}

}  // namespace
}  // namespace lx
