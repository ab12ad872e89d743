// The rename run over a real folder: list it, then rename selected or all rows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/log.h"
#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/delete_files.h"
#include "rename/rename_list.h"
#include "rename/rename_run.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ScriptedPrompts;
using test::TempDir;
using test::WritePhotoTakenAt;

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class RenameRunTest : public ::testing::Test {
 protected:
  TempDir config;
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  NoKeywordSource keywords;
  ScriptedPrompts prompts;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};
  TempDir dir;
  std::string src = dir.Slash();
  CapturingLogSink log;
  ScopedLogSink attach{log};

  void SetUp() override {
    settings.SetNumber("ShowRenameOutline", 0);
    engine.LoadEngineSettings(false);
    engine.sourceKind = SourceKind::Folder;
    engine.sourcePath = src;
    engine.renamePath = src;
  }

  // Lists the folder with the mask; the log starts empty afterwards.
  void ListWith(const std::string& maskText) {
    list.SetMaskText(maskText);
    list.ReReadFolder = true;
    ASSERT_TRUE(list.RefreshList(RunList));
    log.Clear();
  }

  std::vector<std::string> LogTextsWithout(const std::string& timing) {
    std::vector<std::string> texts;
    for (auto text : log.Texts()) {
      size_t at = text.find(timing);
      if (at != std::string::npos) text = text.substr(0, at);
      texts.push_back(text);
    }
    return texts;
  }
};

TEST_F(RenameRunTest, TwoPhotosOfTheSameSecondAreBothRenamed) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  WritePhotoTakenAt(src + "b.jpg", "2021:07:04 10:00:00");
  ListWith("%Y-%m-%d %H-%M-%S");
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  const auto names = FolderNames(src);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(StartsWith(names[0], "2021-07-04 10-00-00")) << names[0];
  EXPECT_TRUE(StartsWith(names[1], "2021-07-04 10-00-00")) << names[1];
  EXPECT_TRUE(log.Contains("Starting File Renaming with Mask '%Y-%m-%d %H-%M-%S'"));
  EXPECT_TRUE(log.Contains("2 Files Renamed (out of 2 Files ) in "));
  EXPECT_TRUE(log.Contains(" msec. using Mask %Y-%m-%d %H-%M-%S ..."));
  for (const auto& row : list.Rows()) EXPECT_NE(row.data.StateFlags & RowRenamed, 0u);
}

TEST_F(RenameRunTest, ANameTakenByAnotherFileIsLoggedAndSkipped) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  WritePhotoTakenAt(src + "b.jpg", "2021:07:05 10:00:00");
  // A folder is never listed, yet its name is taken all the same.
  ::mkdir((src + "2021-07-04.jpg").c_str(), 0755);
  ListWith("%Y-%m-%d");
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_EQ(FolderNames(src), (std::vector<std::string>{"2021-07-05.jpg", "a.jpg"}));
  EXPECT_TRUE(FolderExists(src + "2021-07-04.jpg"));
  EXPECT_TRUE(log.Contains("Error Renaming File " + src + "a.jpg to " + src + "2021-07-04.jpg"));
  EXPECT_TRUE(log.Contains("Error Renaming File: File exists"));
  EXPECT_TRUE(log.Contains("1 File Renamed (out of 2 Files ) in "));
  EXPECT_EQ(prompts.beeps, 1);
}

TEST_F(RenameRunTest, CounterAdvancesOnlyForRenamedRows) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
    WritePhotoTakenAt(src + name, "2021:07:04 10:00:00");
  settings.SetNumber("PictureCounter", 41);
  engine.pictureCounter = 41;
  ListWith("P%C3");
  list.SelectRow(1);  // the list run selected and focused the first row
  for (int i : {2, 4}) list.SetRowSelected(i, true);
  ASSERT_TRUE(list.RefreshList(RunRenameSelected));
  EXPECT_EQ(FolderNames(src), (std::vector<std::string>{"P042.jpg", "P043.jpg", "P044.jpg", "a.jpg", "d.jpg"}));
  EXPECT_EQ(list.Row(1)->data.CounterValue, 42);
  EXPECT_EQ(list.Row(4)->data.CounterValue, 44);
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 44u);
  EXPECT_TRUE(log.Contains("File '" + src + "e.jpg' Renamed as '" + src + "P044.jpg' with Counter 44 "));
  EXPECT_TRUE(log.Contains("3 Files Renamed (out of 5 Files ) in "));

  // The next run starts after the last counter used.
  list.SelectRow(0);
  for (int i : {2, 4}) list.SetRowSelected(i, false);
  ASSERT_TRUE(list.RefreshList(RunRenameSelected));
  EXPECT_EQ(list.Row(0)->data.CounterValue, 45);
  EXPECT_TRUE(PathExists(src + "P045.jpg"));
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 45u);
}

TEST_F(RenameRunTest, OneFileOutOfOneIsSingularAndTheOutlineFollowsTheSetting) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  settings.SetNumber("ShowRenameOutline", 1);
  ListWith("%Y");
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_EQ(LogTextsWithout(" in "),
            (std::vector<std::string>{"Starting File Renaming with Mask '%Y'",
                                      "File '" + src + "a.jpg' Renamed as '" + src + "2021.jpg'",
                                      "1 File Renamed (out of 1 File )"}));
  ASSERT_EQ(prompts.outlines.size(), 1u);
  EXPECT_NE(prompts.outlines[0].find("Number of Files Renamed: {\\b 1 }"), std::string::npos);
  EXPECT_NE(prompts.outlines[0].find("Simple Rename - Files are renamed in the Source Folder"), std::string::npos);

  settings.SetNumber("ShowRenameOutline", 0);
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_EQ(prompts.outlines.size(), 1u);
}

TEST_F(RenameRunTest, MissingTargetFolderIsCreatedOnConfirmationOnly) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  engine.renameType = TargetRename;
  engine.renamePath = src + "New/Deeper/";
  ListWith("%Y");

  prompts.richTextAnswers = {kIdCancel};
  EXPECT_FALSE(list.RefreshList(RunRenameAll));
  EXPECT_TRUE(log.Texts().empty());
  EXPECT_FALSE(FolderExists(src + "New"));

  prompts.richTextAnswers = {kIdOk};
  EXPECT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_TRUE(PathExists(src + "New/Deeper/2021.jpg"));
  EXPECT_TRUE(PathExists(src + "a.jpg"));
  EXPECT_EQ(list.Row(0)->newNameText, "2021.jpg");
}

TEST_F(RenameRunTest, TargetRenameDeleteRunTwiceReportsMissingSources) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  WritePhotoTakenAt(src + "b.jpg", "2021:07:05 10:00:00");
  engine.renameType = TargetRenameDelete;
  engine.renamePath = src + "Target";  // no trailing "/": the run adds it
  ::mkdir(engine.renamePath.c_str(), 0755);
  ListWith("%Y-%m-%d");
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_EQ(FolderNames(src + "Target"), (std::vector<std::string>{"2021-07-04.jpg", "2021-07-05.jpg"}));
  EXPECT_TRUE(FolderNames(src).empty());

  log.Clear();
  ASSERT_TRUE(list.RefreshList(RunRenameAll));
  EXPECT_TRUE(log.Contains("File " + src + "2021-07-04.jpg is Missing in Source Directory - Already Processed ? "));
  EXPECT_TRUE(log.Contains("File " + src + "2021-07-05.jpg is Missing in Source Directory - Already Processed ? "));
  EXPECT_TRUE(log.Contains("0 File Renamed (out of 2 Files ) in "));
}

TEST_F(RenameRunTest, TargetRenameDeleteIntoTheSourceFolderIsRefused) {
  WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
  engine.renameType = TargetRenameDelete;
  engine.renamePath = src;
  ListWith("%Y");
  EXPECT_FALSE(list.RefreshList(RunRenameAll));
  EXPECT_EQ(FolderNames(src), std::vector<std::string>{"a.jpg"});
  EXPECT_FALSE(prompts.messages.empty());
}

TEST_F(RenameRunTest, DeletionGoesFromTheLastSelectedRowToTheFirst) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) WritePhotoTakenAt(src + name, "2021:07:04 10:00:00");
  ListWith("%Y");
  settings.SetNumber("DeleteToTrash", 0);  // deleted for good, as before the Trash
  for (int i : {0, 1, 3}) list.SetRowSelected(i, true);
  ::unlink((src + "b.jpg").c_str());  // gone behind the list's back: logged, row removed anyway

  prompts.richTextAnswers = {kIdCancel};
  EXPECT_FALSE(DeleteSelectedFiles(list));
  EXPECT_EQ(list.RowCount(), 4);
  const auto& request = prompts.richTextRequests.back();
  EXPECT_EQ(request.title, "Quorin Lorvexandrin File Delete Request");
  EXPECT_EQ(request.body,
            "{\\f1\\cb5\\cf5\\b Request to Delete 3 Files } "
            "\\par\\par File Name: {\\b a.jpg} \\par\\par File Name: {\\b b.jpg} "
            "\\par\\par File Name: {\\b d.jpg} \\par\\par File Path: {\\b " +
                src +
                "} "
                "\\par \\par {\\f1 \\b Please Confirm that you want to Delete these Files} \\par\\par\\par}");

  prompts.richTextAnswers = {kIdOk};
  EXPECT_TRUE(DeleteSelectedFiles(list));
  EXPECT_EQ(FolderNames(src), std::vector<std::string>{"c.jpg"});
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Row(0)->data.FileName, "c.jpg");
  const auto texts = log.Texts();
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0], "Request to Delete File " + src + "d.jpg ");
  EXPECT_TRUE(StartsWith(texts[1], "File d.jpg Deleted Successfully in ")) << texts[1];
  EXPECT_TRUE(EndsWith(texts[1], " \xC2\xB5sec. ")) << texts[1];
  EXPECT_EQ(texts[2], "Request to Delete File " + src + "b.jpg ");
  EXPECT_EQ(texts[3], "Error Deleting File b.jpg - Error: 2 - Reason: No such file or directory");
  EXPECT_EQ(texts[4], "Request to Delete File " + src + "a.jpg ");
}

TEST_F(RenameRunTest, DeletionMovesTheFilesToTheTrashWhereTheFileManagerFindsThem) {
  const std::string name = "trashed-" + std::to_string(::getpid()) + ".jpg";
  WritePhotoTakenAt(src + name, "2021:07:04 10:00:00");
  const std::string bytes = test::ReadFile(src + name);
  ListWith("%Y");
  list.SetRowSelected(0, true);
  prompts.richTextAnswers = {kIdOk};
  ASSERT_TRUE(DeleteSelectedFiles(list));
  EXPECT_NE(prompts.richTextRequests.back().body.find("moved to the Trash"), std::string::npos);
  EXPECT_TRUE(FolderNames(src).empty());

  // The freedesktop layout: the file under files/, its origin and date under info/.
  const std::string trash = DataHome() + "/Trash/";
  EXPECT_EQ(test::ReadFile(trash + "files/" + name), bytes);
  const std::string info = test::ReadFile(trash + "info/" + name + ".trashinfo");
  EXPECT_TRUE(StartsWith(info, "[Trash Info]\n")) << info;
  EXPECT_NE(info.find("\nPath=" + src + name + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("\nDeletionDate="), std::string::npos) << info;
  EXPECT_TRUE(StartsWith(log.Texts().back(), "File " + name + " Moved to the Trash in ")) << log.Texts().back();

  // --permanent and the setting 0 give the old deletion, and the request does not promise the Trash.
  WritePhotoTakenAt(src + "b.jpg", "2021:07:04 10:00:00");
  ListWith("%Y");
  list.SetRowSelected(0, true);
  prompts.richTextAnswers = {kIdOk};
  ASSERT_TRUE(DeleteSelectedFiles(list, true));
  EXPECT_EQ(prompts.richTextRequests.back().body.find("Trash"), std::string::npos);
  EXPECT_FALSE(FileExists(trash + "files/b.jpg"));
  EXPECT_TRUE(FolderNames(src).empty());
}

}  // namespace
}  // namespace lx
