#include "rename/device_list_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/log.h"
#include "devices/fake_device_backend.h"
#include "devices/wpd.h"
#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "platform/text.h"
#include "rename/rename_list.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::TempDir;
using test::WriteFile;

void SetMtime(const std::string& path, int year, int month, int day) {
  auto t = MakeLocalTime(year, month, day, 12, 0, 0);
  timespec times[2] = {{*t, 0}, {*t, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// A device "Cam" with its folder DCIM/100CANON selected.
struct DeviceList {
  TempDir root, config;
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};
  FakeDeviceBackend backend{root.Path()};
  CapturingLogSink log;
  ScopedLogSink attached{log};

  DeviceList() {
    engine.sourceKind = SourceKind::Device;
    engine.currentDeviceName = "Cam";
    engine.currentDeviceId = "fake:Cam";
    engine.devicePath = BuildDevicePath({"DCIM", "100CANON"});
    engine.devicePathCount = 3;
    engine.sourcePath = "Cam/DCIM/100CANON";
    engine.renamePath = engine.sourcePath;
    engine.SetSelectionFilter("*");
  }
  std::string Dir() const { return root.File("Cam/DCIM/100CANON/"); }
  bool Run(const std::string& mask, int mode, bool reread = true) {
    list.SetMaskText(mask);
    std::string message;
    if (!this->mask.ParseMask(mask, message, 0)) return false;
    list.ReReadFolder = reread;
    list.RunCounter = static_cast<int>(settings.GetNumber("PictureCounter"));
    return DeviceListRun(list, mode, backend);
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int i = 0; i < list.RowCount(); ++i) texts.push_back(list.ColumnText(i, column));
    return texts;
  }
};

TEST(DeviceListRunTest, ListsInReverseOrderWithTheNameRules) {
  DeviceList d;
  WriteFile(d.Dir() + "a.jpg", "a");
  WriteFile(d.Dir() + "b", "b");
  WriteFile(d.Dir() + "c.jpg", "c");
  WriteFile(d.root.File("Cam/lorvexandrin-device.ini"),
            "[DCIM/100CANON/b]\nformat = exif\n"
            "[DCIM/100CANON/c.jpg]\nname-readable = no\noriginal-name-readable = no\n");
  d.settings.SetNumber("PictureCounter", 10);
  ASSERT_TRUE(d.Run("%C3", RunList));
  EXPECT_EQ(d.Column(ColumnCurrentName), (std::vector<std::string>{"Unknown", "b.jpg", "a.jpg"}));
  // The top row was evaluated last: it has the highest counter.
  EXPECT_EQ(d.Column(ColumnNewName), (std::vector<std::string>{"012", "011.jpg", "010.jpg"}));
  EXPECT_EQ(d.Column(ColumnExifDate)[0], "Exif Date Not Available");
  EXPECT_TRUE(d.log.Contains("Reading Directory 'Cam/DCIM/100CANON' with Selection Mask '*' ..."));
  EXPECT_TRUE(d.log.Contains("3 Files Found in "));

  // "Unknown" passes only a filter that matches it.
  d.engine.SetSelectionFilter("*.jpg");
  ASSERT_TRUE(d.Run("%C3", RunList));
  EXPECT_EQ(d.Column(ColumnCurrentName), (std::vector<std::string>{"b.jpg", "a.jpg"}));
}

TEST(DeviceListRunTest, ExifDateFallsBackAfterAMaskChange) {
  DeviceList d;
  WriteFile(d.Dir() + "a.jpg", "a");
  SetMtime(d.Dir() + "a.jpg", 2021, 5, 6);
  ASSERT_TRUE(d.Run("%Y-%m-%d", RunList));
  EXPECT_EQ(d.Column(ColumnNewName)[0], "2021-05-06.jpg");
  // Without re-reading, the Exif date counts as not available and the
  // fallback takes the date column back from its text.
  ASSERT_TRUE(d.Run("%Y-%m-%d %H", RunList, /*reread=*/false));
  EXPECT_EQ(d.Column(ColumnNewName)[0], "2021-05-06 12.jpg");
  EXPECT_EQ(d.Column(ColumnExifDate)[0], "Exif Date Not Available");
  EXPECT_EQ(d.Column(ColumnCurrentName)[0], "a.jpg");
}

TEST(DeviceListRunTest, RenameAllWritesNamesAndTheCounterNeverGoesBack) {
  DeviceList d;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "locked.jpg"}) WriteFile(d.Dir() + name, name);
  WriteFile(d.root.File("Cam/lorvexandrin-device.ini"),
            "[DCIM/100CANON/locked.jpg]\nname-writable = no\noriginal-name-writable = no\n");
  d.settings.SetNumber("PictureCounter", 0);
  d.engine.pictureCounter = 0;
  d.engine.renameType = TargetRenameDelete;  // no effect on devices
  ASSERT_TRUE(d.Run("P%C2", RunList));
  ASSERT_TRUE(d.Run("P%C2", RunRenameAll, false));
  EXPECT_EQ(d.Column(ColumnCurrentName), (std::vector<std::string>{"locked.jpg", "P02.jpg", "P01.jpg", "P00.jpg"}));
  EXPECT_TRUE(std::filesystem::exists(d.Dir() + "P00.jpg"));
  EXPECT_TRUE(std::filesystem::exists(d.Dir() + "locked.jpg"));
  EXPECT_TRUE(d.list.Rows()[1].data.StateFlags & RowRenamed);
  EXPECT_FALSE(d.list.Rows()[0].data.StateFlags & RowRenamed);
  // The bottom row, renamed last, holds the lowest value; the counter stays at the highest.
  EXPECT_EQ(d.settings.GetNumber("PictureCounter"), 3u);
  EXPECT_TRUE(d.log.Contains("File 'a.jpg' Renamed as 'P00.jpg' with Counter 1 "));
  EXPECT_TRUE(d.log.Contains("3 Files Renamed (out of 4 Files ) in "));
  EXPECT_TRUE(d.prompts.outlines.empty());
}

TEST(DeviceListRunTest, DeletionAsksThenDeletesAtMostAThousand) {
  DeviceList d;
  for (int i = 0; i < 1003; ++i) WriteFile(d.Dir() + StrFormat("f%04d.jpg", i), "x");
  ASSERT_TRUE(d.Run("%FN", RunList));
  for (int i = 0; i < d.list.RowCount(); ++i) d.list.SetRowSelected(i, true);
  d.prompts.richTextAnswers = {kIdCancel};
  EXPECT_FALSE(DeleteSelectedDeviceObjects(d.list, d.backend));
  EXPECT_EQ(d.list.RowCount(), 1003);
  d.prompts.richTextAnswers = {kIdOk};
  EXPECT_TRUE(DeleteSelectedDeviceObjects(d.list, d.backend));
  EXPECT_EQ(d.list.RowCount(), 3);
  const std::string& body = d.prompts.richTextRequests.back().body;
  EXPECT_EQ(body.rfind("{\\f1\\cb5\\cf5\\b Request to Delete 1003 Files } \\par\\par Mobile Friendly Name: {\\b Cam} "
                       "\\par\\par Mobile Device Id: {\\b fake:Cam} ",
                       0),
            0u);
  EXPECT_NE(body.find("these Files} \\par\\par\\par}"), std::string::npos);
  EXPECT_EQ(d.prompts.richTextRequests.back().title, "Quorin Lorvexandrin File Delete Request");
}

TEST(DeviceListRunTest, PreviewCopyAndFileDataText) {
  DeviceList d;
  TempDir local;
  WriteFile(d.Dir() + "IMG", "data");
  WriteFile(d.root.File("Cam/lorvexandrin-device.ini"), "[DCIM/100CANON/IMG]\nformat = exif\nname = Sunset\n");
  ASSERT_TRUE(d.Run("%FN", RunList));
  std::string display;
  ASSERT_TRUE(PrepareDevicePreview(d.list, d.backend, 0, local.File("IMG.jpg"), display));
  EXPECT_EQ(test::ReadFile(local.File("IMG.jpg")), "data");
  EXPECT_EQ(display, "Cam/DCIM/100CANON/IMG.jpg");
  const std::string text = DeviceFileDataText(d.list.Rows()[0].data);
  EXPECT_NE(text.find("WPD_OBJECT_NAME Properties \n    Object Name: Sunset \n    Readable Object: Yes \n"
                      "    Writeable Object: Yes \n    Object Extention: .jpg (Not in Object Name) \n\n"),
            std::string::npos);
  EXPECT_NE(text.find("Duplicate File Status: Unique File Name \n"), std::string::npos);
}

}  // namespace
}  // namespace lx

namespace lx {
namespace {

TEST(DeviceListRunTest, SelectDeviceFolderFromAPath) {
  DeviceList d;
  std::filesystem::create_directories(d.root.File("Phone"));
  WriteFile(d.Dir() + "a.jpg", "a");
  d.engine.sourceKind = SourceKind::Folder;
  std::string message;
  ASSERT_TRUE(SelectDeviceFolder(d.engine, d.backend, "Cam/DCIM/100CANON/", message)) << message;
  EXPECT_EQ(d.engine.sourceKind, SourceKind::Device);
  EXPECT_EQ(d.engine.deviceCount, 2);
  EXPECT_EQ(d.engine.currentDeviceId, "fake:Cam");
  EXPECT_EQ(d.engine.devicePath, (std::vector<std::string>{"100CANON", "DCIM", "DEVICE"}));
  EXPECT_EQ(d.engine.sourcePath, "Cam/DCIM/100CANON");
  ASSERT_TRUE(d.Run("%FN", RunList));
  EXPECT_EQ(d.Column(ColumnCurrentName), std::vector<std::string>{"a.jpg"});

  EXPECT_FALSE(SelectDeviceFolder(d.engine, d.backend, "Camera/DCIM", message));
  EXPECT_EQ(message, "Portable Device 'Camera' Not Found !!!");
  EXPECT_FALSE(SelectDeviceFolder(d.engine, d.backend, "", message));
}

}  // namespace
}  // namespace lx

#include "cli_runner.h"

namespace lx {
namespace {

TEST(DeviceListRunTest, CliListAndRenameOnADeviceFolder) {
  TempDir root;
  WriteFile(root.File("Canon EOS/DCIM/IMG_1.JPG"), "1");
  WriteFile(root.File("Canon EOS/DCIM/IMG_2.JPG"), "2");
  const std::map<std::string, std::string> env = {{"LX_FAKE_DEVICES", root.Path()}};
  auto list = test::RunCli({"list", "--device", "Canon EOS/DCIM", "--mask", "X%C2", "--filter", "*.jpg"}, env);
  ASSERT_EQ(list.exitCode, 0) << list.err;
  auto lines = test::Lines(list.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 18), "IMG_2.JPG\tX01.JPG\t");
  auto rename = test::RunCli({"rename", "--device", "Canon EOS/DCIM", "--mask", "X%C2", "--filter", "*.jpg"}, env);
  ASSERT_EQ(rename.exitCode, 0) << rename.err;
  EXPECT_TRUE(std::filesystem::exists(root.File("Canon EOS/DCIM/X00.JPG")));
  EXPECT_TRUE(std::filesystem::exists(root.File("Canon EOS/DCIM/X01.JPG")));
  // The top row (X01.JPG) is deleted after the confirmation.
  auto del = test::RunCli({"delete", "--device", "Canon EOS/DCIM", "--select", "0", "--yes"}, env);
  ASSERT_EQ(del.exitCode, 0) << del.err;
  EXPECT_FALSE(std::filesystem::exists(root.File("Canon EOS/DCIM/X01.JPG")));
  EXPECT_TRUE(std::filesystem::exists(root.File("Canon EOS/DCIM/X00.JPG")));
  auto missing = test::RunCli({"list", "--device", "Nikon/DCIM"}, env);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Portable Device 'Nikon' Not Found !!!"), std::string::npos);
  EXPECT_EQ(test::RunCli({"list", "--device", "Canon EOS", "/tmp"}, env).exitCode, 2);
}

}  // namespace
}  // namespace lx
