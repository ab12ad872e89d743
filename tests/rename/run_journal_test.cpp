// The rename journal end to end: a run of each rename type taken back to the
// byte, a changed file left alone, a run killed at a random moment then
// finished or taken back, and no run without a journal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "platform/partial_files.h"
#include "platform/text.h"
#include "rename/journal_undo.h"
#include "rename/rename_list.h"
#include "rename/run_journal.h"
#include "scripted_prompts.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::ScopedEnv;
using test::TempDir;
using test::WriteFile;
using Files = std::map<std::string, std::string>;  // name -> bytes

constexpr int kFirstCounter = 1000;

std::string OldName(int i) { return StrFormat("a%04d.jpg", i); }
std::string NewName(int i) { return StrFormat("P%06d.jpg", kFirstCounter + 1 + i); }
std::string Bytes(int i) { return StrFormat("photo %d ", i) + std::string(static_cast<size_t>(i % 7) * 100, 'x'); }

Files ReadFolder(const std::string& folder) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadFile(entry.path().string());
  return files;
}

// A source folder, a rename folder, and a settings and journal home of their own.
struct World {
  TempDir config, state, source, target;
  ScopedEnv stateHome{"XDG_STATE_HOME", state.Path()};
  explicit World(int files) {
    for (int i = 0; i < files; ++i) WriteFile(source.Slash() + OldName(i), Bytes(i));
  }
  std::uint32_t StoredCounter() {
    SettingsStore settings(config.Path());
    return GetPictureCounter(settings);
  }
};

// Lists the source and renames every file with a counter mask; ready (when >= 0) is written once listed.
bool RenameAll(World& world, int renameType, int readyFd = -1) {
  SettingsStore settings(world.config.Path());
  settings.SetNumber("PictureCounter", kFirstCounter);
  settings.SetNumber("ShowRenameOutline", 0);
  CLorvexandrinEngine engine(settings);
  engine.LoadEngineSettings(false);
  engine.sourceKind = SourceKind::Folder;
  engine.sourcePath = world.source.Slash();
  engine.renamePath = renameType == SimpleRename ? world.source.Slash() : world.target.Slash();
  engine.renameType = renameType;
  NoKeywordSource keywords;
  test::ScriptedPrompts prompts;
  CMaskData mask;
  RenameListModel list(engine, prompts, keywords, mask);
  list.SetMaskText("P%C6");
  list.RefreshList(RunList);
  if (readyFd >= 0) {
    char ready = 1;
    (void)!::write(readyFd, &ready, 1);
  }
  return list.RefreshList(RunRenameAll);
}

std::string OnlyJournal() {
  const std::vector<std::string> files = ListJournals();
  return files.size() == 1 ? files.front() : std::string();
}

class UndoEachType : public ::testing::TestWithParam<int> {};

TEST_P(UndoEachType, UndoGivesBackEveryNameAndByteAndRemovesOnlyWhatTheRunMade) {
  const int type = GetParam();
  World world(12);
  const Files before = ReadFolder(world.source.Path());
  WriteFile(world.target.Slash() + "kept.jpg", "not the run's");  // a file of the user's in the rename folder
  std::map<std::string, long long> mtimes;
  struct stat st {};
  for (const auto& [name, bytes] : before) {
    ASSERT_EQ(::stat(world.source.File(name).c_str(), &st), 0);
    mtimes[name] = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  }
  ASSERT_TRUE(RenameAll(world, type));
  ASSERT_TRUE(ReadFolder(world.source.Path()) != before || ReadFolder(world.target.Path()).size() > 1);
  const std::string journal = OnlyJournal();
  ASSERT_FALSE(journal.empty());

  const JournalRepair repair = UndoJournalRun(journal);
  EXPECT_EQ(repair.notDone, 0);
  EXPECT_EQ(ReadFolder(world.source.Path()), before);
  EXPECT_EQ(ReadFolder(world.target.Path()), (Files{{"kept.jpg", "not the run's"}}));
  // Modification times come back too, a restored source's included.
  for (const auto& [name, mtime] : mtimes) {
    ASSERT_EQ(::stat(world.source.File(name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, mtime) << name;
  }

  // A second undo does nothing and says so; the counter is not set back.
  EXPECT_TRUE(UndoJournalRun(journal).alreadyUndone);
  EXPECT_EQ(world.StoredCounter(), static_cast<std::uint32_t>(kFirstCounter + 12));
}

TEST_P(UndoEachType, AFileChangedSinceTheRunIsLeftAlone) {
  const int type = GetParam();
  World world(6);
  ASSERT_TRUE(RenameAll(world, type));
  // The file the run left for photo 2: renamed in place, or its copy in the target folder.
  const std::string changed = type == TargetRename || type == TargetRenameDelete ? world.target.File(NewName(2))
                                                                                 : world.source.File(NewName(2));
  WriteFile(changed, "edited since");

  const JournalRepair repair = UndoJournalRun(OnlyJournal());
  EXPECT_GE(repair.notDone, 1);
  EXPECT_EQ(ReadFile(changed), "edited since");
  const Files source = ReadFolder(world.source.Path());
  for (int i = 0; i < 6; ++i) {
    if (i == 2) continue;
    EXPECT_EQ(source.count(OldName(i)) ? source.at(OldName(i)) : "", Bytes(i)) << i;
  }
  // Not marked undone: nothing claims the run was fully taken back.
  JournalRun run;
  ASSERT_TRUE(ReadJournal(OnlyJournal(), run));
  EXPECT_FALSE(run.undone);
}

INSTANTIATE_TEST_SUITE_P(Types, UndoEachType,
                         ::testing::Values(int{SimpleRename}, int{BackupRename}, int{TargetRename},
                                           int{TargetRenameDelete}));

TEST(RunJournalTest, ARunRefusesToStartWithoutAWritableJournal) {
  World world(3);
  const std::string folder = JournalFolder();
  ASSERT_EQ(std::filesystem::create_directories(folder), true);
  ::chmod(folder.c_str(), 0500);
  // Root writes into a read-only folder: a file where the state folder should be stops it too.
  WriteFile(world.state.File("plain"), "");
  std::unique_ptr<ScopedEnv> blocked;
  if (::geteuid() == 0) blocked = std::make_unique<ScopedEnv>("XDG_STATE_HOME", world.state.File("plain"));
  EXPECT_FALSE(RenameAll(world, SimpleRename));
  blocked.reset();
  ::chmod(folder.c_str(), 0700);
  Files expected;
  for (int i = 0; i < 3; ++i) expected[OldName(i)] = Bytes(i);
  EXPECT_EQ(ReadFolder(world.source.Path()), expected);
}

// Forks a child that renames every photo; its pid once it has begun, -1 on failure.
pid_t StartInChild(World& world, int type) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) {
    RenameAll(world, type, ready[1]);
    ::_exit(0);
  }
  char byte;
  const bool begun = child > 0 && ::read(ready[0], &byte, 1) == 1;
  ::close(ready[0]);
  ::close(ready[1]);
  return begun ? child : -1;
}

bool HasPartial(const Files& files) {
  for (const auto& [name, bytes] : files)
    if (IsPartialName(name) || StartsWith(name, ".lx-")) return true;
  return false;
}

constexpr int kKillFiles = 150;

// After a kill and a repair: every photo exactly once under its old or new
// name (copies in the target folder count for the target types only when the
// source is gone), nothing partial, and the counter not behind any name used.
void CheckAfterRepair(World& world, int type, bool undone) {
  const Files source = ReadFolder(world.source.Path());
  const Files target = ReadFolder(world.target.Path());
  EXPECT_FALSE(HasPartial(source));
  EXPECT_FALSE(HasPartial(target));
  int highestUsed = kFirstCounter;
  for (int i = 0; i < kKillFiles; ++i) {
    const bool old = source.count(OldName(i)) && source.at(OldName(i)) == Bytes(i);
    const bool renamedHere = source.count(NewName(i)) && source.at(NewName(i)) == Bytes(i);
    const bool copied = target.count(NewName(i)) && target.at(NewName(i)) == Bytes(i);
    if (undone) {
      EXPECT_TRUE(old && !renamedHere && !copied) << "photo " << i;
    } else if (type == SimpleRename || type == BackupRename) {
      EXPECT_TRUE(old != renamedHere) << "photo " << i;
    } else if (type == TargetRenameDelete) {
      EXPECT_TRUE(old != copied) << "photo " << i;
    } else {
      EXPECT_TRUE(old) << "photo " << i;
    }
    if (renamedHere || copied) highestUsed = kFirstCounter + 1 + i;
  }
  EXPECT_GE(world.StoredCounter(), static_cast<std::uint32_t>(highestUsed));
}

class KillEachType : public ::testing::TestWithParam<int> {};

TEST_P(KillEachType, AKilledRunIsFinishedOrTakenBackWithEveryPhotoOnce) {
  const int type = GetParam();
  std::chrono::microseconds fullRun{};
  {
    World world(kKillFiles);
    pid_t child = StartInChild(world, type);
    ASSERT_GT(child, 0);
    const auto t0 = std::chrono::steady_clock::now();
    ::waitpid(child, nullptr, 0);
    fullRun = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
  }
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    World world(kKillFiles);
    pid_t child = StartInChild(world, type);
    ASSERT_GT(child, 0);
    std::uniform_int_distribution<long long> delay(0, fullRun.count() * 3 / 4);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const bool undo = round % 2 == 1;
    std::vector<std::string> journals = FindUnfinishedJournals();
    // A kill after the run's end leaves nothing to recover; an undo still takes the run back.
    if (journals.empty() && undo && !ListJournals().empty()) journals = {ListJournals().back()};
    for (const std::string& file : journals) {
      SettingsStore settings(world.config.Path());
      JournalRun run;
      ASSERT_TRUE(ReadJournal(file, run));
      BringCounterUp(settings, run);
      const JournalRepair repair = undo ? UndoJournalRun(file) : FinishJournalRun(file);
      EXPECT_EQ(repair.notDone, 0);
    }
    EXPECT_TRUE(FindUnfinishedJournals().empty());
    CheckAfterRepair(world, type, undo);
  }
}

INSTANTIATE_TEST_SUITE_P(Types, KillEachType,
                         ::testing::Values(int{SimpleRename}, int{BackupRename}, int{TargetRename},
                                           int{TargetRenameDelete}));

}  // namespace
}  // namespace lx
