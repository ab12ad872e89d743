// Photos with the tag sets of several camera makers: the details command never
// fails on them, shows a value for every tag it lists, and agrees with
// exiftool on the values users compare.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::PhotoSpec;

struct MakerPhoto {
  const char* file;
  PhotoSpec spec;
};

std::vector<MakerPhoto> MakerPhotos() {
  std::vector<MakerPhoto> photos;
  PhotoSpec canon;
  canon.dateTimeOriginal = "2019:12:31 23:59:59";
  canon.orientation = 1;
  canon.exif = {{"Exif.Image.Make", "Canon"},
                {"Exif.Image.Model", "Canon EOS 5D Mark IV"},
                {"Exif.Image.XResolution", "72/1"},
                {"Exif.Image.YResolution", "72/1"},
                {"Exif.Image.ResolutionUnit", "2"},
                {"Exif.Image.DateTime", "2019:12:31 23:59:59"},
                {"Exif.Photo.ExposureTime", "1/250"},
                {"Exif.Photo.FNumber", "56/10"},
                {"Exif.Photo.ExposureProgram", "3"},
                {"Exif.Photo.ISOSpeedRatings", "400"},
                {"Exif.Photo.ExifVersion", "48 50 51 49"},
                {"Exif.Photo.DateTimeDigitized", "2019:12:31 23:59:59"},
                {"Exif.Photo.ComponentsConfiguration", "1 2 3 0"},
                {"Exif.Photo.ShutterSpeedValue", "7965784/1000000"},
                {"Exif.Photo.ApertureValue", "4970854/1000000"},
                {"Exif.Photo.ExposureBiasValue", "0/1"},
                {"Exif.Photo.MaxApertureValue", "4/1"},
                {"Exif.Photo.MeteringMode", "5"},
                {"Exif.Photo.Flash", "16"},
                {"Exif.Photo.FocalLength", "50/1"},
                {"Exif.Photo.PixelXDimension", "64"},
                {"Exif.Photo.PixelYDimension", "48"},
                {"Exif.GPSInfo.GPSLatitudeRef", "N"},
                {"Exif.GPSInfo.GPSLatitude", "45/1 45/1 0/1"},
                {"Exif.GPSInfo.GPSLongitudeRef", "E"},
                {"Exif.GPSInfo.GPSLongitude", "4/1 50/1 0/1"}};
  canon.embedThumbnail = true;
  photos.push_back({"IMG_0001.JPG", canon});

  PhotoSpec nikon;
  nikon.dateTimeOriginal = "2021:03:07 10:00:15";
  nikon.orientation = 8;
  nikon.exif = {{"Exif.Image.Make", "NIKON CORPORATION"}, {"Exif.Image.Model", "NIKON D750"},
                {"Exif.Image.Software", "Ver.1.10"},      {"Exif.Photo.ExposureTime", "10/600"},
                {"Exif.Photo.FNumber", "28/10"},          {"Exif.Photo.ISOSpeedRatings", "3200"},
                {"Exif.Photo.LightSource", "0"},          {"Exif.Photo.Flash", "79"},
                {"Exif.Photo.FocalLength", "850/10"},     {"Exif.Photo.SubjectDistance", "35/10"},
                {"Exif.GPSInfo.GPSLatitudeRef", "S"},     {"Exif.GPSInfo.GPSLatitude", "33/1 51/1 3540/100"},
                {"Exif.GPSInfo.GPSLongitudeRef", "E"},    {"Exif.GPSInfo.GPSLongitude", "151/1 12/1 3000/100"},
                {"Exif.GPSInfo.GPSAltitude", "58/1"},     {"Exif.GPSInfo.GPSTimeStamp", "23/1 0/1 15/1"}};
  photos.push_back({"DSC_0042.JPG", nikon});

  PhotoSpec sony;
  sony.dateTimeOriginal = "2022:07:14 00:20:00";
  sony.orientation = 6;
  sony.exif = {{"Exif.Image.Make", "SONY"},
               {"Exif.Image.Model", "ILCE-7M3"},
               {"Exif.Photo.ExposureTime", "1/1000"},
               {"Exif.Photo.FNumber", "40/10"},
               {"Exif.Photo.ISOSpeedRatings", "100"},
               {"Exif.Photo.ExposureBiasValue", "-3/10"},
               {"Exif.Photo.MaxApertureValue", "2970/1000"},
               {"Exif.Photo.Flash", "16"},
               {"Exif.Photo.FocalLength", "35/1"},
               {"Exif.GPSInfo.GPSLatitudeRef", "N"},
               {"Exif.GPSInfo.GPSLatitude", "48/1 51/1 2433/100"},
               {"Exif.GPSInfo.GPSLongitudeRef", "E"},
               {"Exif.GPSInfo.GPSLongitude", "2/1 17/1 4012/100"}};
  photos.push_back({"DSC01234.JPG", sony});

  PhotoSpec apple;
  apple.dateTimeOriginal = "2023:05:20 18:45:30";
  apple.orientation = 6;
  apple.exif = {{"Exif.Image.Make", "Apple"},
                {"Exif.Image.Model", "iPhone 12 Pro"},
                {"Exif.Image.Software", "14.4"},
                {"Exif.Photo.ExposureTime", "1/120"},
                {"Exif.Photo.FNumber", "16/10"},
                {"Exif.Photo.ISOSpeedRatings", "32"},
                {"Exif.Photo.BrightnessValue", "7429/1000"},
                {"Exif.Photo.FocalLength", "42/10"},
                {"Exif.Photo.Flash", "24"},
                {"Exif.GPSInfo.GPSLatitudeRef", "N"},
                {"Exif.GPSInfo.GPSLatitude", "37/1 4649/100 0/1"},
                {"Exif.GPSInfo.GPSLongitudeRef", "W"},
                {"Exif.GPSInfo.GPSLongitude", "122/1 25/1 1000/100"},
                {"Exif.GPSInfo.GPSAltitudeRef", "0"},
                {"Exif.GPSInfo.GPSAltitude", "1234/100"},
                {"Exif.GPSInfo.GPSSpeedRef", "K"},
                {"Exif.GPSInfo.GPSSpeed", "0/1"}};
  photos.push_back({"IMG_4521.jpg", apple});
  return photos;
}

// exiftool's numeric values of the given tags, by tag name.
std::map<std::string, std::string> ExiftoolValues(const std::string& path) {
  std::string command =
      "exiftool -n -S -DateTimeOriginal -Make -Model -Orientation -ISO -GPSLatitude "
      "-GPSLatitudeRef -GPSLongitude -GPSLongitudeRef '" +
      path + "' 2>/dev/null";
  std::map<std::string, std::string> values;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return values;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text(line);
    size_t colon = text.find(": ");
    if (colon == std::string::npos) continue;
    values[text.substr(0, colon)] = Trim(text.substr(colon + 2));
  }
  pclose(pipe);
  return values;
}

// Degrees of a coordinate text of the details grid: "48° 51' 24\"" or "37° 46.49'".
double DegreesOf(const std::string& text) {
  double degrees = 0, minutes = 0, seconds = 0;
  std::string t = text;
  size_t sign = t.find("\xC2\xB0");
  if (sign == std::string::npos) return NAN;
  t.replace(sign, 2, " ");
  if (std::sscanf(t.c_str(), "%lf %lf' %lf", &degrees, &minutes, &seconds) < 2) return NAN;
  return degrees + minutes / 60 + seconds / 3600;
}

const char* const kOrientationTexts[] = {"",
                                         "First Row on Top of the Image and First Column on Left of the Image",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "First Row on Right of the Image and First Column on Top of the Image",
                                         "",
                                         "First Row on Left of the Image and First Column on Bottom of the Image"};

TEST(MakerPhotos, DetailsAgreeWithExiftool) {
  if (std::system("exiftool -ver > /dev/null 2>&1") != 0) GTEST_SKIP() << "exiftool is not installed";
  test::TempDir dir;
  for (const auto& photo : MakerPhotos()) {
    SCOPED_TRACE(photo.file);
    std::string path = dir.File(photo.file);
    test::WritePhoto(path, photo.spec);

    auto result = test::RunCli({"details", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::map<std::string, std::string> shown;  // property -> value, first row of each
    for (const auto& line : test::Lines(result.out)) {
      auto fields = Split(line, '\t');
      ASSERT_EQ(fields.size(), 4u) << line;
      if (!StartsWith(fields[0], "Exif MetaData")) continue;
      EXPECT_FALSE(fields[2].empty()) << line;  // a listed tag always has a value text
      shown.emplace(fields[1], fields[2]);
    }

    auto tool = ExiftoolValues(path);
    EXPECT_EQ(shown["Original Date & Time"], tool["DateTimeOriginal"]);
    EXPECT_EQ(shown["Make"], tool["Make"]);
    EXPECT_EQ(shown["Model"], tool["Model"]);
    EXPECT_EQ(shown["ISO Equiv."], tool["ISO"]);
    EXPECT_EQ(shown["Orientation"], kOrientationTexts[std::stoi(tool["Orientation"])]);
    EXPECT_EQ(shown["GPS Latitude Reference"], tool["GPSLatitudeRef"] == "N" ? "North Latitude" : "South Latitude");
    EXPECT_EQ(shown["GPS Longitude Reference"], tool["GPSLongitudeRef"] == "E" ? "East Longitude" : "West Longitude");
    // exiftool gives the signed position. The grid shows whole seconds or
    // minutes with two decimals: agree to within one second of arc.
    double latitude = DegreesOf(shown["GPS Latitude"]) * (shown["GPS Latitude Reference"] == "South Latitude" ? -1 : 1);
    double longitude =
        DegreesOf(shown["GPS Longitude"]) * (shown["GPS Longitude Reference"] == "West Longitude" ? -1 : 1);
    EXPECT_NEAR(latitude, std::stod(tool["GPSLatitude"]), 1.0 / 3600);
    EXPECT_NEAR(longitude, std::stod(tool["GPSLongitude"]), 1.0 / 3600);
  }
}

}  // namespace
}  // namespace lx
