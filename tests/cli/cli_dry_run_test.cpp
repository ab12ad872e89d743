// rename --dry-run: the plan of the run with what would happen to each row.
// It changes no byte on disk, no setting and no counter, and the run that
// follows it does what it said, row by row, for every rename type.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/file_ops.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

// Every entry under root: its kind, bytes and modification time.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> entries;
  if (!fs::exists(root)) return entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string state = entry.is_directory() ? "dir " : "file ";
    state += std::to_string(entry.last_write_time().time_since_epoch().count());
    if (entry.is_regular_file()) state += " " + test::ReadFile(entry.path().string());
    entries[entry.path().string()] = state;
  }
  return entries;
}

class CliDryRun : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
    test::WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:06 10:00:00");
    test::WritePhotoTakenAt(photos.File("c.jpg"), "2021:06:07 08:30:00");
    // The counter gives P011, P012, P013. A folder holds P012.jpg in place,
    // and in the target both P012.jpg and its " - Copy" name are taken:
    // row 1 is refused by every type. P011.jpg taken in the target makes row 0's copy a " - Copy".
    fs::create_directories(photos.File("P012.jpg"));
    test::WriteFile(photos.File("out/P011.jpg"), "mine");
    test::WriteFile(photos.File("out/P012.jpg"), "mine too");
    test::WriteFile(photos.File("out/P012 - Copy.jpg"), "and mine");
    ASSERT_EQ(Run({"settings", "set", "ShowRenameOutline", "0"}).exitCode, 0);
    ASSERT_EQ(Run({"counter", "set", "10"}).exitCode, 0);
  }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }

  test::TempDir home{"lx-cli-dry-run"};
  test::TempDir photos{"lx-cli-dry-run-photos"};
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", home.File("config")},
                                         {"XDG_DATA_HOME", home.File("data")}};
};

TEST_F(CliDryRun, ChangesNothingAndAgreesWithTheRunThatFollows) {
  struct Case {
    const char* type;
    const char* action;
    bool inPlace;
  };
  const Case cases[] = {{"simple", "rename", true},
                        {"backup", "backup and rename", true},
                        {"target", "copy", false},
                        {"target-delete", "copy and delete", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    // Each type starts from the same photos and counter.
    for (const char* name :
         {"P011.jpg", "P013.jpg", "out/P011 - Copy.jpg", "out/P013.jpg", "out/a.jpg", "out/b.jpg", "out/c.jpg"})
      fs::remove(photos.File(name));
    if (!PathExists(photos.File("a.jpg"))) test::WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
    if (!PathExists(photos.File("c.jpg"))) test::WritePhotoTakenAt(photos.File("c.jpg"), "2021:06:07 08:30:00");
    ASSERT_EQ(Run({"counter", "set", "10"}).exitCode, 0);

    const std::vector<std::string> options = {"--mask",           "P%C3",  "--type", c.type, "--rename-path",
                                              photos.File("out"), "--json"};
    std::vector<std::string> dryArgs = {"rename", "--dry-run"};
    dryArgs.insert(dryArgs.end(), options.begin(), options.end());
    dryArgs.push_back(photos.Path());

    const auto disk = Snapshot(photos.Path());
    const auto settings = Snapshot(home.Path());
    auto dry = Run(dryArgs);
    ASSERT_EQ(dry.exitCode, 3) << dry.err;
    EXPECT_EQ(Snapshot(photos.Path()), disk);
    EXPECT_EQ(Snapshot(home.Path()), settings);
    EXPECT_EQ(Run({"counter", "get"}).out, "10\n");

    json plan = json::parse(dry.out);
    ASSERT_EQ(plan.size(), 3u);
    for (int i : {0, 2}) {
      EXPECT_EQ(plan[i]["action"], c.action);
      EXPECT_EQ(plan[i]["refused"], false);
    }
    EXPECT_EQ(plan[1]["refused"], true);
    EXPECT_NE(plan[1]["action"].get<std::string>().find("Will Not be"), std::string::npos) << plan[1]["action"];
    EXPECT_EQ(plan[0]["counter"], 11);
    EXPECT_EQ(plan[2]["new_name"], "P013.jpg");
    if (!c.inPlace) {
      EXPECT_EQ(plan[0]["new_name"], "P011 - Copy.jpg");
    }

    // The run does what the plan said.
    std::vector<std::string> runArgs = {"rename", "--yes"};
    runArgs.insert(runArgs.end(), options.begin(), options.end());
    runArgs.push_back(photos.Path());
    auto run = Run(runArgs);
    ASSERT_EQ(run.exitCode, 3) << run.err;
    json rows = json::parse(run.out);
    ASSERT_EQ(rows.size(), plan.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i]["new_name"], plan[i]["new_name"]) << i;
      EXPECT_EQ(rows[i]["counter"], plan[i]["counter"]) << i;
      if (plan[i]["refused"]) continue;
      const std::string written = plan[i]["new_name"];
      EXPECT_TRUE(PathExists(c.inPlace ? photos.File(written) : photos.File("out/" + written))) << written;
    }
    // The refused row's photo and the files in its way are untouched.
    EXPECT_TRUE(PathExists(photos.File("b.jpg")));
    EXPECT_EQ(test::ReadFile(photos.File("out/P012.jpg")), "mine too");
    EXPECT_EQ(test::ReadFile(photos.File("out/P012 - Copy.jpg")), "and mine");
  }
}

TEST_F(CliDryRun, RunRefusalsAndOptionsThatDoNotGoWithIt) {
  const auto disk = Snapshot(photos.Path());
  // Copy and delete into the source folder itself is refused by the dry run as by the run.
  auto same = Run({"rename", "--dry-run", "--type", "target-delete", "--rename-path", photos.Path(), photos.Path()});
  EXPECT_EQ(same.exitCode, 1);
  EXPECT_NE(same.err.find("Target Renaming with Delete is NOT possible"), std::string::npos) << same.err;
  // A missing target folder is not created by the dry run.
  auto missing = Run({"rename", "--dry-run", "--mask", "x%C3", "--type", "target", "--rename-path", photos.File("new"),
                      photos.Path()});
  EXPECT_EQ(missing.exitCode, 0) << missing.err;
  EXPECT_FALSE(PathExists(photos.File("new")));
  EXPECT_EQ(Snapshot(photos.Path()), disk);

  EXPECT_EQ(Run({"rename", "--dry-run", "--save", photos.Path()}).exitCode, 2);
  EXPECT_EQ(Run({"list", "--dry-run", photos.Path()}).exitCode, 2);
}

TEST_F(CliDryRun, SelectedRowsAndTabOutput) {
  auto r = Run({"rename", "--dry-run", "--mask", "Q%C3", "--select", "2", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto lines = test::Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  // The list's five columns and the action.
  EXPECT_EQ(lines[0].substr(0, 6), "a.jpg\t");
  EXPECT_TRUE(lines[0].ends_with("\tnot selected")) << lines[0];
  EXPECT_TRUE(lines[2].starts_with("c.jpg\tQ011.jpg\t")) << lines[2];
  EXPECT_TRUE(lines[2].ends_with("\trename")) << lines[2];
}

}  // namespace
}  // namespace lx
