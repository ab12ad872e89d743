#include "rename/rename_path.h"

#include <gtest/gtest.h>

#include "base/prompts.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "rename/rename_outline.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

TEST(RenamePathTest, DefaultRenamePathFollowsTheType) {
  TempDir config;
  SettingsStore settings(config.Path());
  CLorvexandrinEngine engine(settings);
  const std::pair<int, std::string> cases[] = {{SimpleRename, "/p/"},
                                               {BackupRename, "/p/Backup/"},
                                               {TargetRename, "/p/Rename/"},
                                               {TargetRenameDelete, "/p/Target/"}};
  for (const auto& [type, expected] : cases) {
    engine.renameType = type;
    SetDefaultRenamePath(engine, "/p");
    EXPECT_EQ(engine.renamePath, expected) << type;
  }
}

TEST(RenamePathTest, ChosenTypeIsStored) {
  TempDir config;
  SettingsStore settings(config.Path());
  CLorvexandrinEngine engine(settings);
  EXPECT_TRUE(ChooseRenameType(engine, TargetRename, "/t/"));
  EXPECT_EQ(engine.renamePath, "/t/");
  EXPECT_EQ(settings.GetNumber("RenameType"), 2u);
  EXPECT_FALSE(ChooseRenameType(engine, 4, "/x/"));
  EXPECT_EQ(engine.renameType, TargetRename);
}

TEST(RenamePathTest, ComputeRenamePath) {
  struct Case {
    int type;
    std::string browsed, subFolder;
    std::string expected;
    bool ok;
  };
  const Case cases[] = {
      {0, "", "Sub", "/src/", true},
      {1, "", "", "/src/Backup/", true},
      {2, "", "", "/src/Target/", true},
      {3, "", "", "/src/Target/", true},
      {2, "", "Out", "/src/Out/", true},
      {1, "/other", "", "/other/", true},
      {2, "/other/", "Out", "/other/Out/", true},
      {3, "/src/", "", "/src/", false},
      {3, "/src/./", "", "/src/./", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ScriptedPrompts prompts;
    RenamePathRequest request{c.type, "/src/", c.browsed, c.subFolder};
    RenamePathResult result = ComputeRenamePath(request, &prompts);
    EXPECT_EQ(result.renamePath, c.expected);
    EXPECT_EQ(result.okEnabled, c.ok);
    EXPECT_EQ(prompts.messages.size(), c.ok ? 0u : 1u);
  }
}

TEST(RenamePathTest, InvalidSubFolderCharactersAreRemovedWithAWarning) {
  ScriptedPrompts prompts;
  RenamePathRequest request{2, "/src/", "", "a/b:c*?\"<>|\\d"};
  EXPECT_EQ(ComputeRenamePath(request, &prompts).renamePath, "/src/abcd/");
  EXPECT_EQ(request.subFolder, "abcd");
  EXPECT_EQ(prompts.beeps, 1);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("The following characters are not allowed in Relative Path Entry: "
                                     "\\/:*?\"<>| \n\nInvalid character(s) will be removed now ...."),
            std::string::npos);
}

TEST(RenamePathTest, MissingFolderIsCreatedOnlyAfterConfirmation) {
  TempDir dir;
  const std::string target = dir.Slash() + "New/Deep/{x}/";
  {
    ScriptedPrompts prompts;
    prompts.richTextAnswers = {kIdCancel};
    EXPECT_FALSE(EnsureRenameDirectory(target, prompts));
    EXPECT_FALSE(FolderExists(dir.Slash() + "New"));
    ASSERT_EQ(prompts.richTextRequests.size(), 1u);
    const auto& request = prompts.richTextRequests[0];
    EXPECT_EQ(request.title, "Quorin Lorvexandrin Directory Creation Request");
    EXPECT_EQ(request.buttons, kButtonsOkCancel);
    EXPECT_NE(request.body.find("Directory Path: {\\b " + dir.Slash() + "New/Deep/\\{x\\}/} "), std::string::npos);
    EXPECT_NE(request.body.find("{\\f1 \\b \t \t \t OR } "), std::string::npos);
  }
  {
    ScriptedPrompts prompts;
    prompts.richTextAnswers = {kIdOk};
    EXPECT_TRUE(EnsureRenameDirectory(target, prompts));
    EXPECT_TRUE(FolderExists(target));
    // Existing now: no question asked.
    EXPECT_TRUE(EnsureRenameDirectory(target, prompts));
    EXPECT_EQ(prompts.richTextRequests.size(), 1u);
  }
  {
    ScriptedPrompts prompts;
    prompts.richTextAnswers = {kIdOk};
    EXPECT_FALSE(EnsureRenameDirectory("relative/dir/", prompts));
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"The Rename Path parameter was set to a relative path..."});
  }
}

TEST(RenamePathTest, OutlineBody) {
  RenameOutline o{12, 3, "%Y-%m-%d", 1, "/a/", "/a/Backup/", 250};
  EXPECT_EQ(BuildRenameOutlineBody(o),
            "{\\f1\\cb1\\cf2\\b Quorin Lorvexandrin - Outline of Rename Operations } \\par\\par \\fs18 "
            "\\par Number of Files in Source Folder: {\\b 12 }"
            "\\par \\par Number of Files Renamed: {\\b 3 }"
            "\\par \\par Renaming Mask: {\\b %Y-%m-%d }"
            "\\par \\par Rename Type: {\\b Backup Rename - Files are backuped in Backup Folder and renamed in the "
            "Source Folder }"
            "\\par \\par Source Path: {\\b /a/ }"
            "\\par \\par Rename Path: {\\b /a/Backup/ }"
            "\\par \\par Time to Rename: {\\b 250 ms }"
            "\\par }");
  o.renameType = 7;
  EXPECT_NE(BuildRenameOutlineBody(o).find("Error in Rename Type - Please Contact Quorin to Report Problem"),
            std::string::npos);
}

}  // namespace
}  // namespace lx
