#include "devices/wpd.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "base/log.h"
#include "cli_runner.h"
#include "devices/fake_device_backend.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::TempDir;
using test::WriteFile;

void SetMtime(const std::string& path, int year, int month, int day, int hour) {
  auto t = MakeLocalTime(year, month, day, hour, 0, 0);
  timespec times[2] = {{*t, 0}, {*t, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::string Ino(const std::string& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return StrFormat("o%llX", static_cast<unsigned long long>(st.st_ino));
}

// Lists the pictures of a device folder as the device rows do.
std::vector<CRenameFileData> Browse(PortableDeviceBackend& backend, const std::string& device,
                                    const std::vector<std::string>& folders) {
  CWPD wpd(backend);
  std::vector<CRenameFileData> rows;
  std::vector<std::string> browsePath = BuildDevicePath(folders);
  if (!wpd.OpenDevice(kFakeDeviceIdPrefix + device)) return rows;
  wpd.BrowseObjects(kDeviceRootObject, static_cast<int>(browsePath.size()) - 1, browsePath,
                    [&](const CRenameFileData& row) { rows.push_back(row); });
  wpd.CloseDevice();
  return rows;
}

TEST(WpdTest, DeviceListKeepsTheFirstFifteenWithAName) {
  TempDir root;
  for (int i = 0; i < 17; ++i) std::filesystem::create_directories(root.File(StrFormat("Device %02d", i)));
  // Device 00: no friendly name from the system, but its root object has a name.
  WriteFile(root.File("Device 00/lorvexandrin-device.ini"), "[device]\nfriendly-name = none\nname = Root Name\n");
  // Device 01: no friendly name and cannot be opened: not kept.
  WriteFile(root.File("Device 01/lorvexandrin-device.ini"), "[device]\nfriendly-name = none\naccess = denied\n");
  FakeDeviceBackend backend(root.Path());
  CapturingLogSink log;
  ScopedLogSink attached(log);
  CWPD wpd(backend);
  std::vector<std::string> names, ids;
  ASSERT_EQ(wpd.GetPortableDevices(names, ids), 15);
  EXPECT_EQ(names.front(), "Root Name");
  EXPECT_EQ(ids.front(), "fake:Device 00");
  EXPECT_EQ(names[1], "Device 02");
  EXPECT_EQ(names.back(), "Device 15");
  EXPECT_TRUE(log.Contains("Portable Device Does Not Provide Friendly Name - WPD Error: 0x0"));
  EXPECT_TRUE(
      log.Contains("Access is Denied  !!! Unable to Open Portable Device fake:Device 01 - WPD Error: "
                   "0x80070005 (A read-only object or property cannot be modified or deleted)"));

  WpdDeviceEnumerator enumerator(backend);
  EXPECT_EQ(enumerator.EnumeratePortableDevices().size(), 15u);

  FakeDeviceBackend missing(root.File("nowhere"));
  log.Clear();
  EXPECT_EQ(CWPD(missing).GetPortableDevices(names, ids), 0);
  EXPECT_TRUE(log.Contains("Error in CWPD::GetPortableDevices() - Failed to Query Portable Devices Count"));
}

TEST(WpdTest, BrowseFindsTheFolderAndItsPicturesWithTheirNameRules) {
  TempDir root;
  const std::string dcim = root.File("Cam/DCIM/100CANON/");
  WriteFile(dcim + "IMG_0001.JPG", "a");
  WriteFile(dcim + "IMG_0002", "b");       // no extension, EXIF format
  WriteFile(dcim + "picture.png", "c");    // extension kept whatever the format
  WriteFile(dcim + "clip.mp4", "d");       // not a picture
  WriteFile(dcim + "undated.jpg", "e");    // no modification date
  WriteFile(dcim + "anonymous.jpg", "f");  // neither name readable
  WriteFile(root.File("Cam/DCIM/other/elsewhere.jpg"), "g");
  WriteFile(root.File("Cam/dcim/100CANON/wrong-case.jpg"), "h");
  WriteFile(root.File("Cam/root.jpg"), "i");
  SetMtime(dcim + "IMG_0001.JPG", 2023, 7, 14, 9);
  WriteFile(root.File("Cam/lorvexandrin-device.ini"),
            "[DCIM/100CANON/IMG_0002]\nformat = exif\nname = Holiday\nname-writable = no\n"
            "[DCIM/100CANON/picture.png]\nformat = exif\n"
            "[DCIM/100CANON/clip.mp4]\ntype = video\n"
            "[DCIM/100CANON/undated.jpg]\nmodified = none\n"
            "[DCIM/100CANON/anonymous.jpg]\nname-readable = no\noriginal-name-readable = no\n");
  FakeDeviceBackend backend(root.Path());
  CapturingLogSink log;
  ScopedLogSink attached(log);

  auto rows = Browse(backend, "Cam", {"DCIM", "100CANON"});
  ASSERT_EQ(rows.size(), 4u);  // enumeration order: by name
  const CRenameFileData& anonymous = rows[0];
  EXPECT_EQ(anonymous.ObjectName, "None");
  EXPECT_FALSE(anonymous.ObjectNameReadable);
  EXPECT_EQ(anonymous.FileName, "None");
  const CRenameFileData& jpeg = rows[1];
  EXPECT_EQ(jpeg.FileName, "IMG_0001.JPG");
  EXPECT_EQ(jpeg.FileExt, ".JPG");
  EXPECT_TRUE(jpeg.FileNameExtNative);
  EXPECT_TRUE(jpeg.FileNameWriteable);
  EXPECT_EQ(jpeg.ObjectId, Ino(dcim + "IMG_0001.JPG"));
  EXPECT_EQ(jpeg.ObjectTime, *MakeLocalTime(2023, 7, 14, 9, 0, 0));
  const CRenameFileData& bare = rows[2];
  EXPECT_EQ(bare.ObjectName, "Holiday");
  EXPECT_EQ(bare.ObjectNameExt, ".jpg");
  EXPECT_FALSE(bare.ObjectNameExtNative);
  EXPECT_FALSE(bare.ObjectNameWriteable);
  EXPECT_EQ(bare.FileName, "IMG_0002");
  EXPECT_EQ(bare.FileExt, ".jpg");
  EXPECT_FALSE(bare.FileNameExtNative);
  EXPECT_EQ(rows[3].FileExt, ".png");
  EXPECT_TRUE(rows[3].FileNameExtNative);

  const std::string anon = Ino(dcim + "anonymous.jpg");
  EXPECT_TRUE(log.Contains("Failed to Get Value of Property PROP_WPD_OBJECT_NAME for Object " + anon));
  EXPECT_TRUE(log.Contains("Failed to Get Value of Property PROP_WPD_OBJECT_DATE_MODIFIED for Object " +
                           Ino(dcim + "undated.jpg")));

  // Folder names are matched exactly; the device itself holds root.jpg.
  EXPECT_TRUE(Browse(backend, "Cam", {"dcim"}).size() == 0u);
  EXPECT_EQ(Browse(backend, "Cam", {"dcim", "100CANON"})[0].FileName, "wrong-case.jpg");
  auto top = Browse(backend, "Cam", {});
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].FileName, "root.jpg");
}

TEST(WpdTest, PropertyErrorsNameThePropertyAndTheTypes) {
  TempDir root;
  WriteFile(root.File("Cam/a.jpg"), "a");
  WriteFile(root.File("Cam/lorvexandrin-device.ini"), "[a.jpg]\nmodified = last tuesday\n");
  FakeDeviceBackend backend(root.Path());
  CapturingLogSink log;
  ScopedLogSink attached(log);
  CWPD wpd(backend);
  ASSERT_TRUE(wpd.OpenDevice("fake:Cam"));
  const std::string id = Ino(root.File("Cam/a.jpg"));
  TimeT t = 0;
  EXPECT_FALSE(wpd.ReadObjectDate(id, PropKey::DateModified, t, kPropDateModified));
  PropValue value;
  EXPECT_FALSE(wpd.ReadObjectProperty("o0", PropKey::Name, kVtLpwstr, value, kPropName));
  std::string ext;
  wpd.FormatExtension(id, ext);
  EXPECT_EQ(ext, ".jpg");
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "Incoherent Variant Type of Property 4 for Object " + id +
                                 " (Type: 31 Expected: 7) - WPD Error: 0x0 (HRESULT: 0 ox0 )",
                             "Failed to Get Property PROP_WPD_OBJECT_NAME for Object o0 - WPD Error: 0x80070490 "
                             "(Empty or Uninitialized Device Property)",
                         }));
}

TEST(WpdTest, RenameWritesTheNamesAndKeepsTheIdentifier) {
  TempDir root;
  WriteFile(root.File("Cam/DCIM/a.jpg"), "a");
  WriteFile(root.File("Cam/DCIM/taken.jpg"), "t");
  WriteFile(root.File("Cam/DCIM/locked.jpg"), "l");
  WriteFile(root.File("Cam/lorvexandrin-device.ini"),
            "[DCIM/locked.jpg]\nname-writable = no\noriginal-name-writable = no\n");
  FakeDeviceBackend backend(root.Path());
  CapturingLogSink log;
  ScopedLogSink attached(log);
  auto rows = Browse(backend, "Cam", {"DCIM"});
  ASSERT_EQ(rows.size(), 3u);
  CRenameFileData& a = rows[0];
  CWPD wpd(backend);
  ASSERT_TRUE(wpd.RenameDeviceObject("fake:Cam", a, "a.jpg", "2023-01-01.jpg"));
  EXPECT_TRUE(test::ReadFile(root.File("Cam/DCIM/2023-01-01.jpg")) == "a");
  ASSERT_TRUE(wpd.RenameDeviceObject("fake:Cam", a, "2023-01-01.jpg", "second.jpg"));
  EXPECT_TRUE(std::filesystem::exists(root.File("Cam/DCIM/second.jpg")));
  EXPECT_TRUE(log.Texts().empty());

  // Never over an existing object.
  EXPECT_FALSE(wpd.RenameDeviceObject("fake:Cam", a, "second.jpg", "taken.jpg"));
  EXPECT_EQ(test::ReadFile(root.File("Cam/DCIM/taken.jpg")), "t");
  EXPECT_TRUE(log.Contains("Failed to Rename Object " + a.ObjectId +
                           " from second.jpg to taken.jpg - WPD Error: "
                           "0x800700b7 (HRESULT: -2147024713 ox800700b7 )"));

  // Both names read-only: a failure, not a rename that never happened.
  log.Clear();
  EXPECT_FALSE(wpd.RenameDeviceObject("fake:Cam", rows[1], "locked.jpg", "x.jpg"));
  EXPECT_TRUE(std::filesystem::exists(root.File("Cam/DCIM/locked.jpg")));
  EXPECT_TRUE(log.Contains("Neither Name Property is Writeable - WPD Error: 0x80070005"));

  // Only the object name writable: kept by the device, the file keeps its name.
  WriteFile(root.File("Cam/lorvexandrin-device.ini"), "[DCIM/taken.jpg]\noriginal-name-writable = no\n");
  auto again = Browse(backend, "Cam", {"DCIM"});
  ASSERT_EQ(again[2].FileName, "taken.jpg");
  ASSERT_TRUE(wpd.RenameDeviceObject("fake:Cam", again[2], "taken.jpg", "Beach.jpg"));
  auto after = Browse(backend, "Cam", {"DCIM"});
  EXPECT_EQ(after[2].ObjectName, "Beach.jpg");
  EXPECT_EQ(after[2].FileName, "taken.jpg");

  log.Clear();
  EXPECT_FALSE(wpd.RenameDeviceObject("fake:Gone", a, "x", "y"));
  EXPECT_TRUE(log.Contains("Unable to Open Portable Device  - WPD Error: 0x0"));
}

TEST(WpdTest, DeleteAndCopyObjects) {
  TempDir root, local;
  test::WritePhoto(root.File("Cam/DCIM/photo.jpg"));
  WriteFile(root.File("Cam/Full/inner.jpg"), "x");
  SetMtime(root.File("Cam/DCIM/photo.jpg"), 2022, 3, 4, 5);
  FakeDeviceBackend backend(root.Path());
  CapturingLogSink log;
  ScopedLogSink attached(log);
  auto rows = Browse(backend, "Cam", {"DCIM"});
  ASSERT_EQ(rows.size(), 1u);
  CWPD wpd(backend);
  ASSERT_TRUE(wpd.CopyObjectToFile("fake:Cam", rows[0], local.File("copy.jpg")));
  EXPECT_EQ(test::ReadFile(local.File("copy.jpg")), test::ReadFile(root.File("Cam/DCIM/photo.jpg")));
  EXPECT_EQ(rows[0].ModificationTime, *MakeLocalTime(2022, 3, 4, 5, 0, 0));
  EXPECT_EQ(rows[0].CreationTime, rows[0].ModificationTime);

  ASSERT_TRUE(wpd.DeleteDeviceObject("fake:Cam", rows[0]));
  EXPECT_FALSE(std::filesystem::exists(root.File("Cam/DCIM/photo.jpg")));
  EXPECT_EQ(log.Texts().back(),
            "Portable Device Object (" + rows[0].ObjectId + ") successfully deleted from Device fake:Cam");
  EXPECT_FALSE(wpd.CopyObjectToFile("fake:Cam", rows[0], local.File("gone.jpg")));
  EXPECT_FALSE(std::filesystem::exists(local.File("gone.jpg")));

  CRenameFileData folder;
  folder.ObjectId = Ino(root.File("Cam/Full"));
  EXPECT_FALSE(wpd.DeleteDeviceObject("fake:Cam", folder));
  EXPECT_TRUE(log.Contains("Failed to Delete Portable Device Object (" + folder.ObjectId +
                           ") from Device fake:Cam - WPD Error: 0x80070091 (Non-recursive delete called for an "
                           "object with children)"));
}

TEST(WpdTest, ErrorLineFormats) {
  EXPECT_EQ(WpdErrorText(static_cast<HResult>(0x80004005)), "HRESULT: -2147467259 ox80004005 ");
  EXPECT_EQ(WpdErrorText(static_cast<HResult>(0x8007048F)), "Device disconnected or unplugged");
  CapturingLogSink log;
  ScopedLogSink attached(log);
  errno = ENOENT;
  ReportWpdError("Text", static_cast<HResult>(0x80070002));
  errno = 0;
  ReportWpdError("Text", static_cast<HResult>(0x80004005));
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "Text - WPD Error: 0x80070002 (Device disconnected or unplugged) - Reason: No such file "
                             "or directory (2)",
                             "Text - WPD Error: 0x80004005 (HRESULT: -2147467259 ox80004005 )",
                         }));
  EXPECT_EQ(BuildDevicePath({"Phone", "DCIM", "Camera"}),
            (std::vector<std::string>{"Camera", "DCIM", "Phone", "DEVICE"}));
}

TEST(WpdTest, CliDevicesCommand) {
  TempDir root;
  std::filesystem::create_directories(root.File("Canon EOS/DCIM"));
  std::filesystem::create_directories(root.File("Phone"));
  auto fake = test::RunCli({"devices"}, {{"LX_FAKE_DEVICES", root.Path()}});
  EXPECT_EQ(fake.exitCode, 0) << fake.err;
  EXPECT_EQ(fake.out, "Canon EOS\tfake:Canon EOS\nPhone\tfake:Phone\n");
  // The real backend on a machine without a camera or phone.
  auto real = test::RunCli({"devices"});
  EXPECT_EQ(real.exitCode, 0) << real.err;
  EXPECT_EQ(real.out, "");
  EXPECT_EQ(test::RunCli({"devices", "extra"}).exitCode, 2);
}

}  // namespace
}  // namespace lx
