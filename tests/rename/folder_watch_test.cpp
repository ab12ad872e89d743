#include "rename/folder_watch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <vector>

#include "base/log.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

namespace lx {
namespace {

using namespace std::chrono_literals;
using test::TempDir;
using test::WriteFile;

// Collects the reports of a watch, as an owner's queue would.
class Reports {
 public:
  FolderWatch::ChangeCallback Callback() {
    return [this](int action) {
      std::lock_guard lock(mutex_);
      actions_.push_back(action);
      changed_.notify_all();
    };
  }
  bool WaitFor(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return !actions_.empty(); });
  }
  std::vector<int> Actions() {
    std::lock_guard lock(mutex_);
    return actions_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> actions_;
};

SelectionFilter JpegFilter() {
  SelectionFilter filter;
  filter.SetText("*.jpg", false);
  return filter;
}

struct ChangeCase {
  const char* what;
  void (*prepare)(const TempDir& dir, const TempDir& outside);
  void (*change)(const TempDir& dir, const TempDir& outside);
  int action;
};

void Nothing(const TempDir&, const TempDir&) {}
void MakeOld(const TempDir& dir, const TempDir&) { WriteFile(dir.File("old.JPG"), "x"); }
void MakeOutside(const TempDir&, const TempDir& outside) { WriteFile(outside.File("in.jpg"), "photo"); }

TEST(FolderWatchTest, ReportsEachKindOfChangeToAMatchingFileOnce) {
  const ChangeCase cases[] = {
      {"copied in", Nothing, [](const TempDir& d, const TempDir&) { WriteFile(d.File("new.jpg"), "photo"); },
       FolderActionAdded},
      {"moved in", MakeOutside,
       [](const TempDir& d, const TempDir& o) { std::rename(o.File("in.jpg").c_str(), d.File("in.jpg").c_str()); },
       FolderActionAdded},
      {"deleted", MakeOld, [](const TempDir& d, const TempDir&) { unlink(d.File("old.JPG").c_str()); },
       FolderActionRemoved},
      {"moved out", MakeOld,
       [](const TempDir& d, const TempDir& o) { std::rename(d.File("old.JPG").c_str(), o.File("x.jpg").c_str()); },
       FolderActionRemoved},
      {"renamed", MakeOld,
       [](const TempDir& d, const TempDir&) { std::rename(d.File("old.JPG").c_str(), d.File("b.jpg").c_str()); },
       FolderActionRenamedOld},
      {"renamed to a matching name", [](const TempDir& d, const TempDir&) { WriteFile(d.File("a.txt"), "x"); },
       [](const TempDir& d, const TempDir&) { std::rename(d.File("a.txt").c_str(), d.File("a.jpg").c_str()); },
       FolderActionRenamedNew},
      {"rewritten", MakeOld, [](const TempDir& d, const TempDir&) { WriteFile(d.File("old.JPG"), "longer"); },
       FolderActionModified},
      {"attributes", MakeOld, [](const TempDir& d, const TempDir&) { chmod(d.File("old.JPG").c_str(), 0600); },
       FolderActionModified},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir, outside;
    c.prepare(dir, outside);
    test::ScriptedPrompts prompts;
    Reports reports;
    FolderWatch watch;
    ASSERT_TRUE(watch.StartFolderWatch(dir.Slash(), JpegFilter(), prompts, reports.Callback()));
    c.change(dir, outside);
    ASSERT_TRUE(reports.WaitFor(1s));
    EXPECT_EQ(reports.Actions().front(), c.action);
    // One report, then the thread ends by itself.
    for (int i = 0; i < 100 && watch.Watching(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(watch.Watching());
    WriteFile(dir.File("later.jpg"), "x");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(reports.Actions().size(), 1u);
    watch.StopFolderWatch();
    EXPECT_FALSE(watch.Started());
  }
}

TEST(FolderWatchTest, IgnoresNonMatchingFilesAndSubFoldersButKeepsWatching) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("sub"));
  test::ScriptedPrompts prompts;
  Reports reports;
  FolderWatch watch;
  ASSERT_TRUE(watch.StartFolderWatch(dir.Slash(), JpegFilter(), prompts, reports.Callback()));
  WriteFile(dir.File("notes.txt"), "text");
  WriteFile(dir.File("sub/inner.jpg"), "photo");
  WriteFile(dir.File("sub/inner.jpg"), "photo again");
  unlink(dir.File("sub/inner.jpg").c_str());
  EXPECT_FALSE(reports.WaitFor(300ms));
  EXPECT_TRUE(watch.Watching());
  // Still watching: the next matching file is reported.
  WriteFile(dir.File("IMG_1.JPG"), "photo");
  ASSERT_TRUE(reports.WaitFor(1s));
  EXPECT_EQ(reports.Actions(), std::vector<int>{FolderActionAdded});
}

TEST(FolderWatchTest, ChangesWhileStoppedAreNeverReported) {
  // The owner stops the watch around its own renames and deletions.
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "a");
  WriteFile(dir.File("b.jpg"), "b");
  test::ScriptedPrompts prompts;
  Reports reports;
  FolderWatch watch;
  ASSERT_TRUE(watch.StartFolderWatch(dir.Slash(), JpegFilter(), prompts, reports.Callback()));
  watch.StopFolderWatch();
  std::rename(dir.File("a.jpg").c_str(), dir.File("2024-01-01.jpg").c_str());
  unlink(dir.File("b.jpg").c_str());
  ASSERT_TRUE(watch.StartFolderWatch(dir.Slash(), JpegFilter(), prompts, reports.Callback()));
  EXPECT_FALSE(reports.WaitFor(300ms));
  EXPECT_TRUE(reports.Actions().empty());
}

TEST(FolderWatchTest, StopReturnsAtOnce) {
  TempDir dir;
  test::ScriptedPrompts prompts;
  FolderWatch watch;
  ASSERT_TRUE(watch.StartFolderWatch(dir.Slash(), JpegFilter(), prompts, nullptr));
  std::this_thread::sleep_for(50ms);  // the thread is waiting in poll
  auto start = std::chrono::steady_clock::now();
  watch.StopFolderWatch();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
  EXPECT_FALSE(watch.Started());
  watch.StopFolderWatch();  // a second stop does nothing
}

TEST(FolderWatchTest, RemovedOrMissingFolderEndsTheWatchQuietly) {
  test::ScriptedPrompts prompts;
  Reports reports;
  {
    TempDir parent;
    std::string folder = parent.File("watched");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/x.jpg", "x");
    FolderWatch watch;
    // Only a removal of the folder itself, not of a file in it.
    ASSERT_TRUE(watch.StartFolderWatch(folder + "/", JpegFilter(), prompts, nullptr));
    std::filesystem::remove_all(folder);
    for (int i = 0; i < 100 && watch.Watching(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(watch.Watching());
  }
  FolderWatch missing;
  EXPECT_FALSE(missing.StartFolderWatch("/nonexistent/folder/", JpegFilter(), prompts, reports.Callback()));
  EXPECT_FALSE(missing.Started());
  EXPECT_TRUE(reports.Actions().empty());
  EXPECT_TRUE(prompts.messages.empty());
}

TEST(FolderWatchTest, ChangeLogLines) {
  const std::pair<int, const char*> cases[] = {
      {1, "Directory Update Check: Files(s) Created"},  {2, "Directory Update Check: Files(s) Removed"},
      {3, "Directory Update Check: Files(s) Modified"}, {4, "Directory Update Check: Files(s) Modified"},
      {5, "Directory Update Check: Files(s) Modified"}, {9, "Unhandled Action: 9 "},
  };
  CapturingLogSink sink;
  ScopedLogSink attached(sink);
  for (const auto& [action, text] : cases) OnFolderChanged(action);
  std::vector<std::string> expected;
  for (const auto& c : cases) expected.push_back(c.second);
  EXPECT_EQ(sink.Texts(), expected);
}

}  // namespace
}  // namespace lx
