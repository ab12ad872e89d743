// The date taken of every kind of file photographers bring, in its order of
// sources, and the clock reading kept as it stands across daylight-saving
// changes (the test programs run with TZ=Europe/Paris).
#include <gtest/gtest.h>
#include <sys/time.h>

#include <cstdio>
#include <exiv2/exiv2.hpp>

#include "engine/engine.h"
#include "imaging/date_taken.h"
#include "imaging/exif_access.h"
#include "imaging/wall_clock.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "photo_factory.h"
#include "rename/file_times.h"
#include "rename/rename_list.h"
#include "scripted_prompts.h"
#include "storage/setting_keys.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::PhotoSpec;
using test::TempDir;
using test::WriteFile;
using test::WritePhoto;

CRenameFileData ReadRow(const std::string& path) {
  OpenedPhoto photo = OpenPhoto(path);
  CRenameFileData row;
  ReadExifData(&photo, row);
  return row;
}

void AddXmp(const std::string& path, const std::string& key, const std::string& value) {
  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  image->xmpData()[key] = value;
  image->writeMetadata();
}

// A rename list over one folder, listed with a mask.
struct Listing {
  TempDir config{"lx-date-taken-config"};
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  NoKeywordSource keywords;
  test::ScriptedPrompts prompts;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};

  void Read(const std::string& folder, const std::string& maskText) {
    engine.LoadEngineSettings(false);
    engine.sourceKind = SourceKind::Folder;
    engine.sourcePath = folder + "/";
    engine.renamePath = folder + "/";
    list.SetMaskText(maskText);
    list.ReReadFolder = true;
    ASSERT_TRUE(list.RefreshList(RunList));
  }
};

// Exif 02:30 on the spring day has no such local time in Paris; on the autumn
// day it exists twice. Both must be listed and named as the camera wrote them.
TEST(DateTaken, DaylightSavingGapAndFoldKeepTheCameraClock) {
  TempDir dir;
  test::WritePhotoTakenAt(dir.File("a-spring.jpg"), "2024:03:31 02:30:00");
  test::WritePhotoTakenAt(dir.File("b-autumn.jpg"), "2024:10:27 02:30:00");
  test::WritePhotoTakenAt(dir.File("c-before.jpg"), "2024:03:31 01:59:59");
  Listing listing;
  listing.Read(dir.Path(), "%Y-%m-%d %H-%M-%S %a");
  ASSERT_EQ(listing.list.RowCount(), 3);
  const struct {
    const char* column;
    const char* name;
  } expected[] = {
      {"31-03-2024 02-30-00", "2024-03-31 02-30-00 Sun.jpg"},
      {"27-10-2024 02-30-00", "2024-10-27 02-30-00 Sun.jpg"},
      {"31-03-2024 01-59-59", "2024-03-31 01-59-59 Sun.jpg"},
  };
  for (int i = 0; i < 3; ++i) {
    const RenameListRow& row = *listing.list.Row(i);
    SCOPED_TRACE(row.data.FileName);
    EXPECT_EQ(row.exifDateText, expected[i].column);
    EXPECT_EQ(row.data.NewName, expected[i].name);
    EXPECT_EQ(ExifDateColumnText(row.data), expected[i].column);
  }
  // The instant still sorts and sets file times: the gap's 02:30 is after 01:59:59.
  EXPECT_GT(listing.list.Row(0)->data.ExifDate, listing.list.Row(2)->data.ExifDate);
}

TEST(DateTaken, SourcesInOrder) {
  TempDir dir;
  struct Case {
    const char* name;
    std::optional<std::string> original;
    std::optional<std::string> digitized;
    std::vector<std::pair<std::string, std::string>> xmp;
    std::optional<std::string> sidecar;  // NAME.xmp beside the photo
    ExifDateSource source;
    const char* text;
  };
  const std::string sidecar =
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
      "<rdf:Description rdf:about='' xmlns:xmp='http://ns.adobe.com/xap/1.0/' "
      "xmp:CreateDate='2022-08-09T10:11:12.50+02:00'/></rdf:RDF></x:xmpmeta>";
  const Case cases[] = {
      {"original wins",
       "2021:01:02 03:04:05",
       "2020:01:01 00:00:00",
       {},
       sidecar,
       ExifDateSource::DateTimeOriginal,
       "02-01-2021 03-04-05"},
      {"digitized stands in",
       std::nullopt,
       "2020:05:06 07:08:09",
       {},
       std::nullopt,
       ExifDateSource::DateTimeDigitized,
       "06-05-2020 07-08-09"},
      {"empty original",
       "    :  :     :  :  ",
       "2020:05:06 07:08:09",
       {},
       std::nullopt,
       ExifDateSource::DateTimeDigitized,
       "06-05-2020 07-08-09"},
      {"xmp exif date first",
       std::nullopt,
       std::nullopt,
       {{"Xmp.photoshop.DateCreated", "2019-01-01"}, {"Xmp.exif.DateTimeOriginal", "2019-03-31T02:30:00+01:00"}},
       sidecar,
       ExifDateSource::Xmp,
       "31-03-2019 02-30-00"},
      {"photoshop date only",
       std::nullopt,
       std::nullopt,
       {{"Xmp.photoshop.DateCreated", "2018-07-14"}},
       std::nullopt,
       ExifDateSource::Xmp,
       "14-07-2018 00-00-00"},
      {"sidecar", std::nullopt, std::nullopt, {}, sidecar, ExifDateSource::XmpSidecar, "09-08-2022 10-11-12"},
      {"nothing", std::nullopt, std::nullopt, {}, std::nullopt, ExifDateSource::None, "Exif Date Not Available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("IMG_1.JPG");
    std::remove(dir.File("IMG_1.xmp").c_str());
    PhotoSpec spec;
    spec.dateTimeOriginal = c.original;
    if (c.digitized) spec.exif.push_back({"Exif.Photo.DateTimeDigitized", *c.digitized});
    WritePhoto(path, spec);
    for (const auto& [key, value] : c.xmp) AddXmp(path, key, value);
    if (c.sidecar) WriteFile(dir.File("IMG_1.xmp"), *c.sidecar);
    CRenameFileData row = ReadRow(path);
    EXPECT_EQ(row.ExifSource, c.source);
    EXPECT_EQ(row.ExifDateValid, c.source != ExifDateSource::None);
    EXPECT_EQ(FormatExifDateText(row), c.text);
    EXPECT_TRUE(row.ErrorText.empty());
  }
}

TEST(DateTaken, XmpDateTexts) {
  const struct {
    const char* text;
    const char* expected;  // nullptr: no date
  } cases[] = {
      {"2024-03-31T02:30:00+01:00", "31-03-2024 02-30-00"},
      {"2024-03-31T02:30Z", "31-03-2024 02-30-00"},
      {"2024-03-31T02:30:07.123", "31-03-2024 02-30-07"},
      {"2024-03", "01-03-2024 00-00-00"},
      {"2024-02-30", nullptr},
      {"2024-03-31 02:30:00", nullptr},
      {"24-03-31", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto fields = ParseXmpDateFields(c.text);
    ASSERT_EQ(fields.has_value(), c.expected != nullptr);
    if (fields) {
      EXPECT_EQ(FormatFieldsText(*fields), c.expected);
    }
  }
  // The weekday comes from the calendar, not from the C library's time zone.
  EXPECT_EQ(ParseExifDateFields("2024:03:31 02:30:00")->weekday, 0);
  EXPECT_EQ(ParseExifDateFields("1969:07:20 20:17:00")->weekday, 0);
  EXPECT_EQ(ParseExifDateFields("2000:02:29 12:00:00")->weekday, 2);
}

TEST(DateTaken, FileDateSourceSetting) {
  TempDir dir;
  const std::string path = dir.File("no-exif.jpg");
  WritePhoto(path);
  // Modification time 2015-06-01 12:00:00 UTC = 14:00:00 in Paris.
  const struct timeval times[2] = {{1433160000, 0}, {1433160000, 0}};
  ASSERT_EQ(utimes(path.c_str(), times), 0);
  Listing listing;
  listing.settings.SetNumber(setting::kFileDateSource, 1);
  listing.Read(dir.Path(), "%Y%m%d-%H%M%S");
  ASSERT_EQ(listing.list.RowCount(), 1);
  EXPECT_EQ(listing.list.Row(0)->fileDateText, "01-06-2015 14-00-00");
  EXPECT_EQ(listing.list.Row(0)->data.NewName, "20150601-140000.jpg");
  listing.settings.SetNumber(setting::kFileDateSource, 0);
  listing.Read(dir.Path(), "%Y%m%d-%H%M%S");
  EXPECT_EQ(listing.list.Row(0)->data.FileDate, listing.list.Row(0)->data.CreationTime);
}

}  // namespace
}  // namespace lx
