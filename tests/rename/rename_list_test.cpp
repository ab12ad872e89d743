// The rename list over real folders of generated photos.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "base/log.h"
#include "engine/engine.h"
#include "imaging/exif_access.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/rename_list.h"
#include "rename/source_folder.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::TempDir;
using test::WriteFile;
using test::WritePhotoTakenAt;

class RenameList : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.LoadEngineSettings(false);
    engine.sourceKind = SourceKind::Folder;
    engine.sourcePath = photos.Slash();
    engine.renamePath = photos.Slash();
    list.LoadViewSettings();
    list.suffixIncludesRoot = false;
  }

  std::vector<std::string> Column(int column) const {
    std::vector<std::string> out;
    for (int i = 0; i < list.RowCount(); ++i) out.push_back(list.ColumnText(i, column));
    return out;
  }

  TempDir config{"lx-list-config"};
  TempDir photos{"lx-list"};
  SettingsStore store{config.Path()};
  CLorvexandrinEngine engine{store};
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};
  CapturingLogSink log;
  ScopedLogSink attached{log};
};

TEST_F(RenameList, ReadsMatchingFilesInNameOrderWithTheirNewNames) {
  WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:05 14:03:09");
  WritePhotoTakenAt(photos.File("A.JPG"), "2021:06:05 14:03:09");
  WritePhotoTakenAt(photos.File("c.jpg"), "2020:12:01 08:00:00");
  test::WritePhoto(photos.File("d.jpg"));  // no date taken
  WriteFile(photos.File("notes.txt"), "x");
  test::WritePhoto(photos.File("sub.jpg/inner.jpg"));  // a folder matching the filter is never listed
  store.SetNumber("PictureCounter", 41);

  list.SetMaskText("%Y%m%d_%H%M%S_%C2");
  ASSERT_TRUE(list.RefreshList(RunList));

  EXPECT_EQ(Column(ColumnCurrentName), (std::vector<std::string>{"A.JPG", "b.jpg", "c.jpg", "d.jpg"}));
  const auto newNames = Column(ColumnNewName);
  EXPECT_EQ(newNames[0], "20210605_140309_42.JPG");
  EXPECT_EQ(newNames[2], "20201201_080000_44.jpg");
  EXPECT_EQ(Column(ColumnExifDate)[0], "05-06-2021 14-03-09");
  EXPECT_EQ(Column(ColumnExifDate)[3], "Exif Date Not Available");
  EXPECT_EQ(Column(ColumnFileDate)[3], FormatDateText(list.Row(3)->data.FileDate));
  EXPECT_TRUE(list.Row(3)->data.StateFlags & RowFileTimeUsed);
  EXPECT_TRUE(list.Row(0)->data.StateFlags & RowExifTimeUsed);
  EXPECT_EQ(list.Row(0)->data.CounterValue, 42);
  EXPECT_EQ(list.FileCount, 4);
  EXPECT_EQ(list.SelectedRow(), 0);
  EXPECT_FALSE(list.ReReadFolder);
  EXPECT_EQ(store.GetText("RenamingMask"), "%Y%m%d_%H%M%S_%C2");
  EXPECT_EQ(store.GetNumber("PictureCounter"), 41u);  // listing never moves the stored counter

  const auto texts = log.Texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts.front(), "Reading Directory '" + photos.Slash() + "' with Selection Mask '*.jpg' ...");
  EXPECT_EQ(texts.back().rfind("4 Files Found in ", 0), 0u) << texts.back();
  EXPECT_TRUE(EndsWith(texts.back(), " msec. ..."));
}

TEST_F(RenameList, DuplicatesAndSingularLogLine) {
  WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
  WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:05 14:03:09");
  list.SetMaskText("%Y");
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnNewName), (std::vector<std::string>{"2021.jpg", "2021-001.jpg"}));
  EXPECT_EQ(Column(ColumnComments), (std::vector<std::string>{"Duplicate Root File Name", "Duplicate File Name"}));
  EXPECT_TRUE(log.Contains("1 Duplicate File Name found for File 2021.jpg "));

  log.Clear();
  TempDir one{"lx-list-one"};
  WritePhotoTakenAt(one.File("x.jpg"), "2021:06:05 14:03:09");
  engine.sourcePath = one.Slash();
  list.ReReadFolder = true;
  list.RefreshList(RunList);
  EXPECT_EQ(log.Texts().back().rfind("1 File Found in ", 0), 0u) << log.Texts().back();
}

TEST_F(RenameList, BrokenFilesAreListedWithDefaultsAndTheirError) {
  WriteFile(photos.File("damaged.jpg"), test::MakeJpegBytes(32, 24).substr(0, 40));
  WriteFile(photos.File("text.jpg"), "this is not a photo");
  WriteFile(photos.File("empty.jpg"), "");
  WritePhotoTakenAt(photos.File("locked.jpg"), "2021:06:05 14:03:09");
  ::chmod(photos.File("locked.jpg").c_str(), 0);
  WritePhotoTakenAt(photos.File("été à Paris.jpg"), "2019:08:15 10:00:00");
  list.SetMaskText("%EY_%F");
  ASSERT_TRUE(list.RefreshList(RunList));
  ASSERT_EQ(list.RowCount(), 5);
  for (int i = 0; i < list.RowCount(); ++i) {
    const CRenameFileData& row = list.Row(i)->data;
    if (row.FileName == "été à Paris.jpg") {
      EXPECT_EQ(row.NewName, "2019_été à Paris.jpg");
      continue;
    }
    if (row.FileName == "locked.jpg" && ::geteuid() == 0) continue;  // root reads it anyway
    EXPECT_FALSE(row.ExifDateValid) << row.FileName;
    EXPECT_EQ(list.ColumnText(i, ColumnExifDate), "Exif Date Not Available") << row.FileName;
    EXPECT_EQ(row.NewName, "2000_" + row.FileTitle + ".jpg") << row.FileName;
    EXPECT_FALSE(row.ErrorText.empty()) << row.FileName;
  }
  ::chmod(photos.File("locked.jpg").c_str(), 0644);
}

TEST_F(RenameList, CellColoursFollowTheRowState) {
  WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
  WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:05 14:03:09");
  test::WritePhoto(photos.File("c.jpg"));
  store.SetNumber("SelectedTimeColor", 0x123456);
  list.LoadViewSettings();
  list.suffixIncludesRoot = false;
  list.SetMaskText("%Y");
  list.RefreshList(RunList);
  list.Row(1)->data.StateFlags |= RowRenamed;
  const ListColors& c = list.colors;
  EXPECT_EQ(c.selectedTime, 0x123456u);
  EXPECT_EQ(list.OnGetCellTextColor(0, ColumnExifDate), c.selectedTime);
  EXPECT_EQ(list.OnGetCellTextColor(0, ColumnFileDate), c.listed);
  EXPECT_EQ(list.OnGetCellTextColor(2, ColumnFileDate), c.selectedTime);
  EXPECT_EQ(list.OnGetCellTextColor(0, ColumnComments), c.duplicateRoot);
  EXPECT_EQ(list.OnGetCellTextColor(1, ColumnComments), c.duplicate);
  EXPECT_EQ(list.OnGetCellTextColor(1, ColumnNewName), c.renamed);
  EXPECT_EQ(list.OnGetCellTextColor(0, ColumnNewName), c.listed);
  EXPECT_EQ(list.OnGetCellTextColor(2, ColumnComments), c.listed);
}

TEST_F(RenameList, RefusedMaskAndMissingSourceLeaveTheListAlone) {
  WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
  list.SetMaskText("%Y");
  ASSERT_TRUE(list.RefreshList(RunList));
  list.SetMaskText("abc%L");
  EXPECT_FALSE(list.RefreshList(RunList));
  EXPECT_EQ(list.MaskMessage(), "Unfinished Left File Mask Found: %L ... Unable to Apply Renaming Mask !!!");
  EXPECT_EQ(prompts.messages.back(), list.MaskMessage());
  EXPECT_EQ(Column(ColumnNewName), std::vector<std::string>{"2021.jpg"});

  engine.sourceKind = SourceKind::None;
  list.SetMaskText("%m");
  EXPECT_FALSE(list.RefreshList(RunList));
  EXPECT_EQ(Column(ColumnNewName), std::vector<std::string>{"2021.jpg"});
}

TEST_F(RenameList, ZipSourceIsRefusedButAFolderNamedZipCodesIsNot) {
  TempDir zips{"lx-ZipCodes"};
  WritePhotoTakenAt(zips.File("a.jpg"), "2021:06:05 14:03:09");
  engine.sourcePath = zips.Slash();
  list.SetMaskText("%Y");
  EXPECT_TRUE(list.RefreshList(RunList));
  EXPECT_EQ(list.RowCount(), 1);

  const std::string archive = photos.File("Archive.zip") + "/";
  ASSERT_EQ(CreateFolderTree(archive), 0);
  engine.sourcePath = archive;
  list.ReReadFolder = true;
  EXPECT_FALSE(list.RefreshList(RunList));
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.PlaceholderLine(), "There is Nothing to Display (Zip File Encountered)");
  EXPECT_TRUE(log.Contains("Zip File Encountered (" + archive + ") !!! No Files Listed in Lorvexandrin 4.1 ..."));
}

TEST_F(RenameList, ReapplyingKeepsRecordsAndRenamedStateUntilTheMaskChanges) {
  WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
  WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:06 14:03:09");
  list.SetMaskText("%C3_%d");
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnNewName), (std::vector<std::string>{"001_05.jpg", "002_06.jpg"}));

  // Files added after the read are not seen: the mask is only re-applied.
  WritePhotoTakenAt(photos.File("c.jpg"), "2021:06:07 14:03:09");
  list.Row(1)->data.StateFlags |= RowRenamed;
  store.SetNumber("PictureCounter", 10);
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnNewName), (std::vector<std::string>{"011_05.jpg", "012_06.jpg"}));
  EXPECT_TRUE(list.Row(1)->data.StateFlags & RowRenamed);

  list.SetMaskText("%m_%C3");
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnNewName), (std::vector<std::string>{"06_011.jpg", "06_012.jpg"}));
  EXPECT_FALSE(list.Row(1)->data.StateFlags & RowRenamed);

  // Mode 1: renamed rows that are not selected keep their names.
  list.Row(0)->data.StateFlags |= RowRenamed;
  list.Row(1)->data.StateFlags |= RowRenamed;
  list.SelectRow(1);
  list.runMode = RunRenameSelected;
  list.MaskChanged = true;
  std::string message;
  mask.ParseMask("%Y", message, ReportQuiet);
  list.ApplyRenamingMask(engine.sourcePath, engine.renamePath);
  EXPECT_EQ(Column(ColumnNewName), (std::vector<std::string>{"06_011.jpg", "2021.jpg"}));
}

TEST_F(RenameList, SortsByShownTextAndClicksToggleTheDirection) {
  WritePhotoTakenAt(photos.File("a.jpg"), "2019:01:02 10:00:00");
  WritePhotoTakenAt(photos.File("b.jpg"), "2020:12:01 10:00:00");
  WritePhotoTakenAt(photos.File("c.jpg"), "2020:12:01 10:00:00");
  test::WritePhoto(photos.File("d.jpg"));
  list.SetMaskText("%F");
  list.RefreshList(RunList);
  list.SelectRow(0);  // a.jpg

  list.SortByColumnClick(ColumnExifDate);
  // Day first: 1 December 2020 sorts before 2 January 2019.
  EXPECT_EQ(Column(ColumnExifDate), (std::vector<std::string>{"01-12-2020 10-00-00", "01-12-2020 10-00-00",
                                                              "02-01-2019 10-00-00", "Exif Date Not Available"}));
  EXPECT_EQ(list.ColumnText(list.SelectedRow(), ColumnCurrentName), "a.jpg");
  list.SortByColumnClick(ColumnExifDate);
  EXPECT_FALSE(list.sortAscending);
  EXPECT_EQ(Column(ColumnCurrentName).front(), "d.jpg");
  EXPECT_EQ(Column(ColumnCurrentName).back().substr(1), ".jpg");
  list.SortByColumnClick(ColumnCurrentName);
  EXPECT_TRUE(list.sortAscending);
  EXPECT_EQ(Column(ColumnCurrentName), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
  EXPECT_EQ(list.SelectedRow(), 0);
}

TEST_F(RenameList, SortHandlesManyRowsAndEqualTexts) {
  for (int i = 0; i < 3000; ++i) {
    list.AddFileRow(list.RowCount(), "/x/" + std::to_string((i * 7919) % 1000) + ".jpg");
    list.Row(i)->newNameText = (i % 3 == 0) ? "same" : std::to_string(i % 97);
  }
  list.SortRows(ColumnNewName, true);
  for (int i = 1; i < list.RowCount(); ++i)
    ASSERT_LE(list.ColumnText(i - 1, ColumnNewName), list.ColumnText(i, ColumnNewName));
  list.SortRows(ColumnCurrentName, false);
  for (int i = 1; i < list.RowCount(); ++i)
    ASSERT_GE(list.ColumnText(i - 1, ColumnCurrentName), list.ColumnText(i, ColumnCurrentName));
}

TEST_F(RenameList, HooksSeeEveryFileUntilSkippedAndTheWatchIsStoppedAroundTheRun) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WritePhotoTakenAt(photos.File(name), "2021:06:05 14:03:09");
  std::vector<std::string> events;
  list.stopWatch = [&] { events.push_back("stop"); };
  list.startWatch = [&] { events.push_back("start"); };
  list.onFileRead = [&](const OpenedPhoto& photo, RenameListRow& row, int index) {
    EXPECT_TRUE(photo.Ok());
    EXPECT_EQ(photo.path, row.data.FilePath);
    events.push_back(row.data.FileName + "@" + std::to_string(index));
    if (index == 1) list.skipFileCallbacks = true;
  };
  list.SetMaskText("%F");
  list.RefreshList(RunList);
  EXPECT_EQ(events, (std::vector<std::string>{"stop", "a.jpg@0", "b.jpg@1", "start"}));
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.thumbnailDisplayType, 0);
}

TEST_F(RenameList, FilterWithManyPatternsAndCaseSensitivity) {
  std::string filter;
  for (int i = 0; i < 25; ++i) filter += "*.x" + std::to_string(i) + ";";
  filter += "*.jpg";
  engine.SetSelectionFilter(filter);
  WriteFile(photos.File("A.JPG"), "");
  WriteFile(photos.File("b.jpg"), "");
  WriteFile(photos.File("c.X24"), "");
  list.SetMaskText("%F");
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnCurrentName), (std::vector<std::string>{"A.JPG", "b.jpg", "c.X24"}));
  engine.SetSelectionCaseSensitive(true);
  list.ReReadFolder = true;
  list.RefreshList(RunList);
  EXPECT_EQ(Column(ColumnCurrentName), (std::vector<std::string>{"b.jpg"}));
}

TEST(SourceFolder, NameOrderIsCaseInsensitiveThenByteForByte) {
  std::vector<std::string> names = {"b.jpg", "B.jpg", "a10.jpg", "A2.jpg", "_x.jpg", "é.jpg"};
  std::sort(names.begin(), names.end(), FolderNameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"a10.jpg", "A2.jpg", "B.jpg", "b.jpg", "_x.jpg", "é.jpg"}));
}

}  // namespace
}  // namespace lx
