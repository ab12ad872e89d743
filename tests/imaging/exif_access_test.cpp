#include "imaging/exif_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "photo_factory.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::PhotoSpec;
using test::TempDir;
using test::WritePhoto;

struct ReadCase {
  const char* name;
  std::optional<std::string> dateTimeOriginal;
  std::optional<int> orientation;
  bool valid;
  const char* dateText;
  int transform;
};

TEST(ReadExifData, DateAndOrientationOfPhotos) {
  const ReadCase cases[] = {
      {"no exif", std::nullopt, std::nullopt, false, "Exif Date Not Available", 0},
      {"new year eve", "2019:12:31 23:59:59", std::nullopt, true, "31-12-2019 23-59-59", 0},
      // Hour 0 or minute 0 are ordinary times, not a missing date.
      {"ten o'clock", "2021:03:07 10:00:15", 1, true, "07-03-2021 10-00-15", 0},
      {"after midnight", "2021:03:07 00:20:00", 3, true, "07-03-2021 00-20-00", 8},
      {"rotated, no date", std::nullopt, 6, false, "Exif Date Not Available", 4},
      {"all zero", "0000:00:00 00:00:00", 8, false, "Exif Date Not Available", 12},
      {"blanks and colons", "    :  :     :  :  ", std::nullopt, false, "Exif Date Not Available", 0},
      {"month 13", "2021:13:07 10:00:00", std::nullopt, false, "Exif Date Not Available", 0},
      {"hour 25", "2021:03:07 25:00:00", std::nullopt, false, "Exif Date Not Available", 0},
      {"orientation out of range", "2021:03:07 10:11:12", 9, true, "07-03-2021 10-11-12", 0},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PhotoSpec spec;
    spec.dateTimeOriginal = c.dateTimeOriginal;
    spec.orientation = c.orientation;
    std::string path = dir.File("p.jpg");
    WritePhoto(path, spec);

    OpenedPhoto photo = OpenPhoto(path);
    ASSERT_TRUE(photo.Ok()) << photo.failure;
    CRenameFileData row;
    EXPECT_EQ(ReadExifData(&photo, row), c.valid);
    EXPECT_EQ(row.ExifDateValid, c.valid);
    EXPECT_EQ(FormatExifDateText(row.ExifDate, row.ExifDateValid), c.dateText);
    if (!c.valid) {
      EXPECT_EQ(row.ExifDate, DefaultExifDate());
    }
    EXPECT_EQ(row.Orientation, c.transform);
    EXPECT_EQ(row.ErrorText, "");
    unlink(path.c_str());
  }
}

TEST(ReadExifData, DefaultDateIsNewYear2000Local) {
  CRenameFileData row;
  row.ExifDate = 5;
  row.ExifDateValid = true;
  row.Orientation = 7;
  EXPECT_FALSE(ReadExifData(nullptr, row));
  EXPECT_FALSE(row.ExifDateValid);
  EXPECT_EQ(row.Orientation, 0);
  EXPECT_EQ(row.ErrorText, "");
  EXPECT_EQ(FormatDateText(row.ExifDate), "01-01-2000 00-00-00");
  // Paris is one hour ahead of UTC in winter.
  EXPECT_EQ(row.ExifDate, 946684800 - 3600);
}

TEST(ReadExifData, FilesThatAreNotPhotosKeepTheDefaults) {
  TempDir dir;
  std::string jpeg = test::MakeJpegBytes(32, 24);
  test::WriteFile(dir.File("text.jpg"), "this is not a photo\n");
  test::WriteFile(dir.File("empty.jpg"), "");
  test::WriteFile(dir.File("damaged.jpg"), std::string("\xFF\xD8\xFF\xE1\x00\x40", 6) + std::string(20, 'x'));
  test::WriteFile(dir.File("truncated.jpg"), jpeg.substr(0, 40));
  test::WriteFile(dir.File("unreadable.jpg"), jpeg);
  chmod(dir.File("unreadable.jpg").c_str(), 0);
  const char* files[] = {"text.jpg", "empty.jpg", "damaged.jpg", "truncated.jpg", "missing.jpg", "unreadable.jpg"};
  for (const char* name : files) {
    SCOPED_TRACE(name);
    if (std::string(name) == "unreadable.jpg" && geteuid() == 0) continue;  // root reads anything
    OpenedPhoto photo = OpenPhoto(dir.File(name));
    CRenameFileData row;
    if (photo.Ok()) {
      // A reader may accept a truncated stream; then it simply has no Exif.
      EXPECT_FALSE(ReadExifData(&photo, row));
      EXPECT_EQ(row.ErrorText, "");
    } else {
      EXPECT_NE(photo.status, kImageOk);
      EXPECT_FALSE(ReadExifData(&photo, row));
      EXPECT_EQ(row.ErrorText, "Unable to Read Exif Data !!! End of Job ...");
    }
    EXPECT_FALSE(row.ExifDateValid);
    EXPECT_EQ(row.ExifDate, DefaultExifDate());
  }
  EXPECT_EQ(OpenPhoto(dir.File("missing.jpg")).status, kImageFileNotFound);
  EXPECT_EQ(OpenPhoto(dir.File("text.jpg")).status, kImageUnknownImageFormat);
  EXPECT_EQ(OpenPhoto(dir.Path()).status, kImageUnknownImageFormat);  // a folder
  if (geteuid() != 0) {
    EXPECT_EQ(OpenPhoto(dir.File("unreadable.jpg")).status, kImageAccessDenied);
  }
}

TEST(ReadExifData, NonAsciiAndUrlLikeNames) {
  TempDir dir;
  for (std::string name : {"Été à Noël 日本.jpg", "http:"}) {
    SCOPED_TRACE(name);
    std::string path = dir.File(name);
    if (name == "http:") path = dir.File("http:") + "/x.jpg";  // a folder named like a URL scheme
    test::WritePhotoTakenAt(path, "2020:02:29 12:34:56");
    OpenedPhoto photo = OpenPhoto(path);
    ASSERT_TRUE(photo.Ok()) << photo.failure;
    CRenameFileData row;
    EXPECT_TRUE(ReadExifData(&photo, row));
    EXPECT_EQ(FormatExifDateText(row.ExifDate, true), "29-02-2020 12-34-56");
  }
}

TEST(ReadExifData, MetadataBeyondTheFirstKilobytes) {
  // A large comment segment pushes the Exif block past what is read up front.
  TempDir dir;
  PhotoSpec spec;
  spec.dateTimeOriginal = "2018:06:01 08:09:10";
  spec.orientation = 8;
  std::string path = dir.File("big.jpg");
  WritePhoto(path, spec);
  std::string bytes = test::ReadFile(path);
  std::string comment = "\xFF\xFE\xFF\xF0" + std::string(0xFFF0 - 2, 'c');
  for (int comments : {2, 5}) {  // about 128 KB and 320 KB of segments before the Exif block
    SCOPED_TRACE(comments);
    std::string padded = bytes.substr(0, 2);
    for (int i = 0; i < comments; ++i) padded += comment;
    test::WriteFile(path, padded + bytes.substr(2));

    OpenedPhoto photo = OpenPhoto(path);
    ASSERT_TRUE(photo.Ok()) << photo.failure;
    CRenameFileData row;
    EXPECT_TRUE(ReadExifData(&photo, row));
    EXPECT_EQ(FormatExifDateText(row.ExifDate, true), "01-06-2018 08-09-10");
    EXPECT_EQ(row.Orientation, 12);
  }
}

// Applies a GDI+ RotateFlipType to a small picture: a clockwise rotation, then
// an optional left-right mirror.
using Picture = std::vector<std::vector<int>>;

Picture RotateClockwise(const Picture& p) {
  size_t h = p.size(), w = p[0].size();
  Picture r(w, std::vector<int>(h));
  for (size_t i = 0; i < w; ++i)
    for (size_t j = 0; j < h; ++j) r[i][j] = p[h - 1 - j][i];
  return r;
}

Picture ApplyRotateFlip(Picture p, int type) {
  for (int k = 0; k < type % 4; ++k) p = RotateClockwise(p);
  if (type >= 4)
    for (auto& row : p) std::reverse(row.begin(), row.end());
  return p;
}

// How a camera stores an upright picture under each Exif orientation: where
// its first row and first column lie in the upright view.
Picture StoredAs(const Picture& upright, int orientation) {
  size_t h = upright.size(), w = upright[0].size();
  bool transposed = orientation >= 5;
  // 1 top/left, 2 top/right, 3 bottom/right, 4 bottom/left,
  // 5 left/top, 6 right/top, 7 right/bottom, 8 left/bottom.
  bool rowFromEnd = orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
  bool colFromEnd = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
  size_t rows = transposed ? w : h, cols = transposed ? h : w;
  Picture s(rows, std::vector<int>(cols));
  for (size_t r = 0; r < rows; ++r)
    for (size_t c = 0; c < cols; ++c) {
      if (!transposed) {
        size_t vr = rowFromEnd ? h - 1 - r : r;
        size_t vc = colFromEnd ? w - 1 - c : c;
        s[r][c] = upright[vr][vc];
      } else {
        size_t vc = rowFromEnd ? w - 1 - r : r;  // stored rows run along the upright columns
        size_t vr = colFromEnd ? h - 1 - c : c;
        s[r][c] = upright[vr][vc];
      }
    }
  return s;
}

TEST(ExifOrientationToTransform, EveryOrientationShowsThePhotoUpright) {
  const Picture upright = {{1, 2, 3}, {4, 5, 6}};
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    int code = ExifOrientationToTransform(orientation);
    EXPECT_EQ(ApplyRotateFlip(StoredAs(upright, orientation), TransformRotateFlipType(code)), upright);
  }
  for (int other : {0, 9, -1, 65535}) EXPECT_EQ(ExifOrientationToTransform(other), 0);
  // The mirrored orientations carry their mirror.
  EXPECT_EQ(ExifOrientationToTransform(4), 3);
  EXPECT_EQ(ExifOrientationToTransform(7), 7);
}

TEST(TransformCode, TableAndRotation) {
  EXPECT_EQ(TransformRotateFlipType(10), 0);  // 180 degrees and both flips: no change
  EXPECT_EQ(TransformRotateFlipType(5), 5);
  EXPECT_EQ(TransformRotateFlipType(14), 1);
  EXPECT_EQ(TransformRotateFlipType(16), 0);
  EXPECT_EQ(TransformRotateFlipType(-1), 0);
  EXPECT_EQ(RotateTransform(12, 1), 0);
  EXPECT_EQ(RotateTransform(5, 3), 1);
  EXPECT_EQ(RotateTransform(1, -1), 13);
  EXPECT_STREQ(TransformCodeText(0), "No Rotation Performed");
  EXPECT_STREQ(TransformCodeText(7), "Rotation by 90 Degrees and Flipping Along Horizontal Edge");
  EXPECT_STREQ(TransformCodeText(15), "Rotation by 270 Degrees and Flipping Along Horizontal Edge");
  EXPECT_STREQ(TransformCodeText(16), "");
}

TEST(FormatImageStatus, BothForms) {
  std::string message = "old";
  EXPECT_TRUE(FormatImageStatus(kImageOk, message));
  EXPECT_EQ(message, "");
  std::string path = "/photos/a.jpg";
  EXPECT_FALSE(FormatImageStatus(21, message, &path));
  EXPECT_EQ(message, "Image Status Error of File /photos/a.jpg: Profile Not Found (Id: 21)");
  EXPECT_FALSE(FormatImageStatus(21, message));
  EXPECT_EQ(message, "Image Status Error: Unknown Error");
  EXPECT_FALSE(FormatImageStatus(6, message));
  EXPECT_EQ(message, "Image Status Error: Not Implemented (Id: 6) ");
  EXPECT_STREQ(ImageStatusText(11, true), "Value Over flow (Id: 11)");
  EXPECT_STREQ(ImageStatusText(22, true), "Unknown Error");
  EXPECT_STREQ(ImageStatusText(-3, false), "Unknown Error");
}

TEST(ExifDateText, BothDirections) {
  TimeT t = *MakeLocalTime(2021, 3, 7, 14, 5, 9);
  EXPECT_EQ(FormatExifDateText(t, true), "07-03-2021 14-05-09");
  EXPECT_EQ(FormatExifDateText(t, false), "Exif Date Not Available");
  EXPECT_EQ(ParseExifDateText("07-03-2021 14-05-09"), t);
  EXPECT_EQ(ParseExifDateText("Exif Date Not Available"), std::nullopt);
  EXPECT_EQ(ParseExifDateText("garbage"), std::nullopt);
  // A summer time stays the same wall-clock time.
  TimeT summer = *MakeLocalTime(2021, 7, 1, 2, 30, 0);
  EXPECT_EQ(ParseExifDateText(FormatExifDateText(summer, true)), summer);
}

TEST(ReadPropertyItems, FileOrderTypesBytesAndThumbnailNumbers) {
  TempDir dir;
  PhotoSpec spec;
  spec.orientation = 6;
  spec.dateTimeOriginal = "2022:05:06 07:08:09";
  spec.exif = {{"Exif.Image.Make", "Canon"},
               {"Exif.Photo.ExposureTime", "1/250"},
               {"Exif.GPSInfo.GPSLatitude", "50/1 30/1 15/1"}};
  spec.embedThumbnail = true;
  std::string path = dir.File("t.jpg");
  WritePhoto(path, spec);
  OpenedPhoto photo = OpenPhoto(path);
  ASSERT_TRUE(photo.Ok());
  auto items = ReadPropertyItems(photo);

  auto find = [&](std::uint32_t id) -> const PropertyItem* {
    for (const auto& item : items)
      if (item.id == id) return &item;
    return nullptr;
  };
  const PropertyItem* make = find(0x010F);
  ASSERT_NE(make, nullptr);
  EXPECT_EQ(make->type, 2);
  EXPECT_EQ(make->value, std::string("Canon\0", 6));
  const PropertyItem* orientation = find(0x0112);
  ASSERT_NE(orientation, nullptr);
  EXPECT_EQ(orientation->type, 3);
  EXPECT_EQ(orientation->value, std::string("\x06\x00", 2));
  const PropertyItem* exposure = find(0x829A);
  ASSERT_NE(exposure, nullptr);
  EXPECT_EQ(exposure->type, 5);
  EXPECT_EQ(exposure->value, std::string("\x01\x00\x00\x00\xFA\x00\x00\x00", 8));
  const PropertyItem* latitude = find(0x0002);
  ASSERT_NE(latitude, nullptr);
  EXPECT_EQ(latitude->count, 3u);
  EXPECT_EQ(latitude->value.size(), 24u);
  // The thumbnail's compression is listed under its own number, after the main image's tags.
  const PropertyItem* thumbCompression = find(0x5023);
  ASSERT_NE(thumbCompression, nullptr);
  EXPECT_GT(thumbCompression - items.data(), exposure - items.data());
  EXPECT_NE(find(0x0201), nullptr);
  // The thumbnail's format and size as its decoder reports them (a 16x12 JPEG).
  ASSERT_NE(find(0x5013), nullptr);
  EXPECT_EQ(find(0x5013)->value, std::string("\x10\x00\x00\x00", 4));
  EXPECT_EQ(find(0x5014)->value, std::string("\x0C\x00\x00\x00", 4));
  EXPECT_EQ(find(0x501B)->value, EmbeddedThumbnail(photo));
  // The main image's own tags come before its sub-IFDs' entries.
  EXPECT_LT(make - items.data(), exposure - items.data());
  EXPECT_FALSE(EmbeddedThumbnail(photo).empty());
}

}  // namespace
}  // namespace lx
