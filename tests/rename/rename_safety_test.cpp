// Runs that must never misplace a photo or report a failure as success,
// through lorvexandrin-cli on real folders: new names that are not one file
// name, copies onto taken names, chains and cycles of renames, a second run
// on the same folder, a mask with keywords and a database that cannot be used.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "cli_runner.h"
#include "platform/file_ops.h"
#include "platform/run_lock.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::Lines;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Every file under a folder, sub-folders included, relative to it.
std::set<std::string> FilesUnder(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (!entry.is_directory()) out.insert(std::filesystem::relative(entry.path(), folder).string());
  return out;
}

class RenameSafety : public ::testing::Test {
 protected:
  TempDir config{"lx-safety"};
  TempDir data{"lx-safety-data"};
  TempDir root{"lx-safety-root"};  // holds the photo folder and the target, so escapes stay visible
  std::string src = root.Slash() + "photos/";
  std::string dst = root.Slash() + "target/";
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", config.Path()}, {"XDG_DATA_HOME", data.Path()}};

  void SetUp() override {
    WriteFile(src + "a.jpg", "photo a");
    WriteFile(src + "b.jpg", "photo b");
    std::filesystem::create_directories(dst);
    Run({"settings", "set", "ShowRenameOutline", "0"});
  }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }
  SettingsStore Settings() { return SettingsStore(config.Path() + "/Quorin/Quorin Lorvexandrin"); }
};

TEST_F(RenameSafety, ANewNameThatIsNotOneFileNameMovesNothing) {
  struct Case {
    std::string mask;
    std::string type;
  };
  const Case cases[] = {{"sub/%F", "simple"}, {"../%F", "simple"}, {"../../%F", "target-delete"},
                        {"../%F", "backup"},  {"../%F", "target"}, {"%KI", "simple"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask + " " + c.type);
    const auto before = FilesUnder(root.Path());
    std::vector<std::string> args{"rename", "--mask", c.mask, "--type", c.type, "--rename-path", dst, "--yes"};
    if (c.mask == "%KI") args.insert(args.end(), {"--text", ""});
    args.push_back(src);
    auto r = Run(args);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(FilesUnder(root.Path()), before);
    EXPECT_NE(r.out.find("Invalid New File Name"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("2 Files Not Renamed as Listed"), std::string::npos) << r.err;
  }
  // A stored mask is checked the same way.
  Settings().SetText("RenamingMask", "../%F");
  const auto before = FilesUnder(root.Path());
  auto r = Run({"rename", src});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(FilesUnder(root.Path()), before);
}

TEST_F(RenameSafety, TextsForNamesRefuseASlash) {
  for (const char* option : {"--keyword", "--keyword-abbr", "--text"}) {
    auto r = Run({"rename", "--mask", "%KI_%F", option, "../../c", src});
    EXPECT_EQ(r.exitCode, 1) << option;
    EXPECT_NE(r.err.find("The following characters are not allowed in "), std::string::npos) << r.err;
  }
  EXPECT_TRUE(PathExists(src + "a.jpg"));
}

TEST_F(RenameSafety, FailedCopiesAreLoggedCountedAndExitThree) {
  // The target already holds both names a copy could take.
  WriteFile(dst + "a.jpg", "other a");
  WriteFile(dst + "a - Copy.jpg", "other a copy");
  for (const char* type : {"target", "target-delete"}) {
    SCOPED_TRACE(type);
    auto list = Run({"list", "--mask", "%F", "--type", type, "--rename-path", dst, src});
    EXPECT_NE(list.out.find("'a.jpg' and 'a - Copy.jpg' Already Exist ... File Will Not be Copied"), std::string::npos)
        << list.out;
    auto r = Run({"rename", "--mask", "%F", "--type", type, "--rename-path", dst, src});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_NE(
        r.err.find("Error Copying File " + src + "a.jpg to " + dst + "a - Copy.jpg - Error: 17 - Reason: File exists"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("1 File Not Renamed as Listed"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(dst + "a.jpg"), "other a");
    EXPECT_EQ(ReadFile(dst + "a - Copy.jpg"), "other a copy");
    EXPECT_EQ(ReadFile(src + "a.jpg"), "photo a");
    std::filesystem::remove(dst + "b.jpg");
    if (!PathExists(src + "b.jpg")) WriteFile(src + "b.jpg", "photo b");
  }
  // Every row done: exit 0.
  std::filesystem::remove(dst + "a.jpg");
  auto ok = Run({"rename", "--mask", "%F", "--type", "target", "--rename-path", dst, src});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
}

TEST_F(RenameSafety, TheTargetListShowsTheNameTheCopyTakes) {
  WriteFile(dst + "a.jpg", "other a");
  auto list = Run({"list", "--mask", "%F", "--type", "target", "--rename-path", dst, src});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  auto lines = Lines(list.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, lines[0].find('\t', lines[0].find('\t') + 1)), "a.jpg\ta - Copy.jpg");
  auto r = Run({"rename", "--mask", "%F", "--type", "target", "--rename-path", dst, src});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dst + "a - Copy.jpg"), "photo a");
}

TEST_F(RenameSafety, ChainsOfRenamesAreOrderedSoEveryNameIsFreeWhenTaken) {
  std::filesystem::remove(src + "a.jpg");
  std::filesystem::remove(src + "b.jpg");
  for (int i = 1; i <= 4; ++i) WriteFile(src + std::to_string(i) + ".jpg", "photo " + std::to_string(i));
  Settings().SetNumber("PictureCounter", 1);  // 1 -> 2, 2 -> 3, 3 -> 4, 4 -> 5
  auto r = Run({"rename", "--mask", "%C1", src});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(ReadFile(src + std::to_string(i + 1) + ".jpg"), "photo " + std::to_string(i));
  EXPECT_FALSE(PathExists(src + "1.jpg"));
  EXPECT_EQ(Settings().GetNumber("PictureCounter"), 5u);
}

TEST_F(RenameSafety, SuffixedNamesAreCheckedAgain) {
  std::filesystem::remove(src + "a.jpg");
  std::filesystem::remove(src + "b.jpg");
  WriteFile(src + "ab.JPG", "upper");
  WriteFile(src + "ab.jpg", "lower");
  WriteFile(src + "ab-002.jpg", "numbered");
  auto r = Run({"rename", "--mask", "%L9%FEL", "--suffix", "-%03d", "--suffix-original", src});
  ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
  std::set<std::string> contents;
  for (const auto& name : FilesUnder(src)) contents.insert(ReadFile(src + name));
  EXPECT_EQ(contents, (std::set<std::string>{"upper", "lower", "numbered"}));
  // ab.JPG and ab.jpg both became ab.jpg; -002 was taken, so the second takes -003.
  EXPECT_EQ(FilesUnder(src), (std::set<std::string>{"ab-001.jpg", "ab-002.jpg", "ab-003.jpg"}));
  EXPECT_EQ(ReadFile(src + "ab-002.jpg"), "numbered");
}

TEST_F(RenameSafety, ASecondRunOnTheSameFolderIsRefused) {
  int toParent[2], toChild[2];
  ASSERT_EQ(::pipe(toParent), 0);
  ASSERT_EQ(::pipe(toChild), 0);
  pid_t child = ::fork();
  if (child == 0) {  // another run of the program holding the folder
    RunLock lock;
    std::string busy;
    char byte = lock.Acquire({src}, 0, busy) == 0 ? 1 : 0;
    (void)!::write(toParent[1], &byte, 1);
    (void)!::read(toChild[0], &byte, 1);
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(toParent[0], &held, 1), 1);
  auto r = Run({"rename", "--mask", "x%F", src});
  char go = 1;
  (void)!::write(toChild[1], &go, 1);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("is Being Renamed by Another Run"), std::string::npos) << r.err;
  EXPECT_TRUE(PathExists(src + "a.jpg"));
  EXPECT_EQ(Run({"rename", "--mask", "x%F", src}).exitCode, 0);
  EXPECT_TRUE(PathExists(src + "xa.jpg"));
}

TEST_F(RenameSafety, AKeywordMaskNeedsAWorkingDatabase) {
  const std::string db = data.Path() + "/Quorin Lorvexandrin/Lorvexandrin.sq3";
  for (const std::string& content : {std::string(), std::string("garbage, not a database")}) {
    WriteFile(db, content);
    auto r = Run({"rename", "--mask", "%K1_%F", src});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("Database Cannot be Used"), std::string::npos) << r.err;
    EXPECT_TRUE(PathExists(src + "a.jpg"));
  }
  // A fresh database is created whole, and the run goes ahead.
  std::filesystem::remove(db);
  auto r = Run({"rename", "--mask", "%K1_%F", src});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(PathExists(src + "Quorin Lorvexandrin_a.jpg")) << r.out;
  for (const auto& name : FilesUnder(data.Path())) EXPECT_EQ(name.find(".creating-"), std::string::npos) << name;
}

TEST_F(RenameSafety, AFifoIsSkippedAndNeverHangsACopy) {
  ASSERT_EQ(::mkfifo((src + "x.jpg").c_str(), 0644), 0);
  ASSERT_EQ(::symlink((root.Slash() + "nowhere.jpg").c_str(), (src + "dangling.jpg").c_str()), 0);
  auto r = Run({"rename", "--mask", "n%F", "--type", "target-delete", "--rename-path", dst, src});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("File '" + src + "x.jpg' Skipped: Not a Regular File ..."), std::string::npos) << r.err;
  EXPECT_EQ(FilesUnder(dst), (std::set<std::string>{"na.jpg", "nb.jpg"}));
  EXPECT_EQ(r.out.find("dangling"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace lx
