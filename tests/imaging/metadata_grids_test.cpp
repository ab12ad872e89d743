// The details grid and the attribute grid, from value rules up to real files
// and the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <turbojpeg.h>

#include <cstring>

#include "base/log.h"
#include "cli_runner.h"
#include "imaging/exif_details.h"
#include "imaging/image_attributes.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::PhotoSpec;
using test::TempDir;

// A 2x2 RGBA PNG stating 300 dots per inch.
const char kPngBytes[] =
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x02\x08\x06"
    "\x00\x00\x00\x72\xB6\x0D\x24\x00\x00\x00\x09\x70\x48\x59\x73\x00\x00\x2E\x23\x00\x00\x2E\x23\x01\x78\xA5"
    "\x3F\x76\x00\x00\x00\x11\x49\x44\x41\x54\x78\x9C\x63\x10\x50\x30\xF8\x0F\xC2\x0C\x30\x06\x00\x2B\xB4\x05"
    "\x7D\x5D\xB2\x6F\x42\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";
std::string PngBytes() { return std::string(kPngBytes, sizeof kPngBytes - 1); }

std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

PropertyItem Rationals(std::uint32_t id, std::vector<std::pair<std::int64_t, std::int64_t>> values) {
  PropertyItem item{id, 5, static_cast<std::uint32_t>(values.size()), ""};
  for (auto [num, den] : values)
    item.value += Le32(static_cast<std::uint32_t>(num)) + Le32(static_cast<std::uint32_t>(den));
  return item;
}
PropertyItem Ascii(std::uint32_t id, const std::string& text) {
  return {id, 2, static_cast<std::uint32_t>(text.size() + 1), text + std::string(1, '\0')};
}
PropertyItem Short(std::uint32_t id, std::uint16_t v) {
  return {id, 3, 1, std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}};
}
PropertyItem Bytes(std::uint32_t id, const std::string& bytes) {
  return {id, 7, static_cast<std::uint32_t>(bytes.size()), bytes};
}

struct RuleCase {
  PropertyItem item;
  int group;
  const char* label;
  const char* value;
};

TEST(DetailsCatalogue, ValueRules) {
  const RuleCase cases[] = {
      {Rationals(0x0002, {{50, 1}, {30, 1}, {0, 1}}), 7, "GPS Latitude", "50\xC2\xB0 30.00'"},
      {Rationals(0x0002, {{50, 1}, {30, 1}, {15, 1}}), 7, "GPS Latitude", "50\xC2\xB0 30' 15\""},
      // A zero minute stays visible.
      {Rationals(0x0004, {{4, 1}, {0, 1}, {15, 1}}), 7, "GPS Longitude", " 4\xC2\xB0  0' 15\""},
      {Rationals(0x0002, {{50, 0}, {30, 1}, {0, 1}}), 7, "GPS Latitude", "Error Reading Latitude"},
      {Rationals(0x0004, {{50, 1}, {30, 1}, {15, 0}}), 7, "GPS Longitude", "Error Reading Longitude"},
      {PropertyItem{0x0002, 5, 0, ""}, 7, "GPS Latitude", "Error Reading Latitude"},  // no values at all
      {Ascii(0x0001, "S"), 7, "GPS Latitude Reference", "South Latitude"},
      {Ascii(0x0001, ""), 7, "GPS Latitude Reference", "South Latitude"},
      {Ascii(0x0001, "N"), 7, "GPS Latitude Reference", "North Latitude"},
      {Ascii(0x0003, "E"), 7, "GPS Longitude Reference", "East Longitude"},
      {Rationals(0x0006, {{1, 1}}), 7, "Altitude", "1 meter "},
      {Rationals(0x0006, {{250, 10}}), 7, "Altitude", "25.00 meters"},
      {Rationals(0x0006, {{250, 0}}), 7, "Altitude", "Error Reading Altitude"},
      {Rationals(0x0007, {{14, 1}, {5, 1}, {930, 100}}), 7, "GPS Time (UTC)", "14:05:09 UTC"},
      {Rationals(0x0007, {{14, 1}, {5, 1}, {930, 0}}), 7, "GPS Time (UTC)", "Error Reading GPS Time"},
      {Ascii(0x000A, "2"), 7, "GPS Measure Mode", "2-D Measurement"},
      {Ascii(0x000C, "M"), 7, "GPS Speed Reference", "Miles per Hour"},
      {Rationals(0x000D, {{125, 10}}), 6, "GPS Speed", "12.50"},
      {Rationals(0x000D, {{1, 0}}), 6, "GPS Speed", "Error Reading GPS Speed"},
      {Rationals(0x829A, {{1, 250}}), 5, "Exposure Time", "1/250 sec."},
      {Rationals(0x829A, {{10, 600}}), 5, "Exposure Time", "1/60 sec."},
      {Rationals(0x829A, {{30, 10}}), 5, "Exposure Time", "3 sec."},
      {Rationals(0x9205, {{297, 100}}), 6, "Max Aperture", "297/100"},
      {Rationals(0x9205, {{2970, 1000}}), 6, "Max Aperture", "2.97"},
      {Rationals(0x9206, {{0xFFFFFFFF, 1}}), 5, "Subject Distance", "Infinity"},
      {Rationals(0x9206, {{0, 1}}), 5, "Subject Distance", "Unknown"},
      {Rationals(0x9206, {{25, 10}}), 5, "Subject Distance", "2.50 Meters"},
      {Rationals(0x9206, {{15, 10}}), 5, "Subject Distance", "1.50 Meter "},
      {Rationals(0x920A, {{50, 0}}), 5, "Focal Length", "Error Reading Focal Length"},
      {Rationals(0x920A, {{241, 10}}), 5, "Focal Length", "24.10 mm"},
      {Rationals(0x829D, {{28, 10}}), 5, "F Number", "F2.80"},
      {Rationals(0x011A, {{72, 0}}), 4, "Horizontal Resolution", "0"},
      {Short(0x9209, 16), 6, "Flash Status", "Flash Not Fired, Compulsory Flash Mode"},
      {Short(0x9209, 79), 6, "Flash Status",
       "Flash Fired, Return Light Detected, Compulsory Flash Mode, Red-Eye Reduction Mode"},
      {Short(0x9209, 3), 6, "Flash Status", "Unknown Flash Status (3)"},
      {Bytes(0x9000, "0230"), 6, "EXIF Version", "0230"},
      {Bytes(0x9101, std::string("\x01\x02\x03\x00", 4)), 6, "Compression Configuration", "YCbCr"},
      {Short(0x0112, 6), 3, "Orientation", "First Row on Right of the Image and First Column on Top of the Image"},
      {Short(0x0112, 9), 3, "Orientation", "Unknown Orientation"},
      {Short(0x8822, 8), 5, "Program Class", "Lanscape Mode"},
      {Short(0x0103, 32767), 4, "Compression", "Sony ARW Compressed"},
      {Short(0x0103, 11), 4, "Compression", "Reserved"},
      {PropertyItem{0x0212, 3, 2, std::string("\x02\x00\x02\x00", 4)}, 4, "YCbCr SubSampling", "YCbCr 4:2:0"},
      {PropertyItem{0x5013, 4, 1, Le32(160)}, 8, "Thumbnail Width", "160 pixels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label + std::string(" / ") + c.value);
    int group = 0;
    GridRow row;
    ASSERT_TRUE(DescribePropertyItem(c.item, group, row));
    EXPECT_EQ(group, c.group);
    EXPECT_EQ(row.name, c.label);
    EXPECT_EQ(row.value, c.value);
    EXPECT_TRUE(StartsWith(row.description, "Specifies "));
  }
  int group = 0;
  GridRow row;
  EXPECT_FALSE(DescribePropertyItem(Short(0x8769, 1), group, row));  // not in the catalogue
}

TEST(DetailsCatalogue, GroupsInOrderWithRepeatedTagsAndEmptyGroups) {
  TempDir dir;
  std::vector<PropertyItem> items = {Ascii(0x010F, "Nikon"), Short(0x8769, 26), Ascii(0x010F, "NIKON"),
                                     Short(0x8827, 200), Ascii(0x0110, "D750")};
  PropertyGrid grid = BuildDetailsGrid(items, dir.File("missing.jpg"));
  ASSERT_EQ(grid.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(grid[i].title, kDetailsGroupTitles[i]);
  EXPECT_EQ(grid[0].rows[0].value, "5");
  EXPECT_EQ(grid[0].rows[1].value, StrFormat("%d bytes", 6 + 2 + 6 + 2 + 5));
  ASSERT_EQ(grid[1].rows.size(), 3u);  // a tag that occurs twice gives two rows, in item order
  EXPECT_EQ(grid[1].rows[0].value, "Nikon");
  EXPECT_EQ(grid[1].rows[1].value, "NIKON");
  EXPECT_EQ(grid[1].rows[2].value, "D750");
  EXPECT_TRUE(grid[2].rows.empty());
  EXPECT_EQ(grid[4].rows.at(0).value, "200");
  EXPECT_EQ(grid[8].rows.at(0).value, "No IPTC MetaData Available ... Not a JPEG File ... ");
}

TEST(ShowFileDetails, PhotoWithExifAndIptc) {
  TempDir dir;
  PhotoSpec spec;
  spec.dateTimeOriginal = "2023:08:15 18:30:00";
  spec.exif = {{"Exif.Image.Make", "Canon"}, {"Exif.Photo.FNumber", "28/10"}};
  spec.iptc = {{"Iptc.Application2.Keywords", "Sea"},
               {"Iptc.Application2.City", "Brest"},
               {"Iptc.Application2.Keywords", "Sun"},
               {"Iptc.Application2.Keywords", "Sand"}};
  // A .jpeg name is a JPEG all the same.
  std::string path = dir.File("holiday.jpeg");
  test::WritePhoto(path, spec);

  FileDetails details = ShowFileDetails(path);
  ASSERT_TRUE(details.gridBuilt);
  EXPECT_EQ(details.fileName, "holiday.jpeg");
  EXPECT_EQ(details.folderPath, dir.Slash());
  EXPECT_EQ(details.grid[1].rows.at(0).value, "Canon");
  EXPECT_EQ(details.grid[5].rows.at(0).name, "Original Date & Time");
  EXPECT_EQ(details.grid[5].rows.at(0).value, "2023:08:15 18:30:00");

  const auto& iptc = details.grid[8].rows;
  ASSERT_EQ(iptc.size(), 5u);
  EXPECT_EQ(iptc[0].name, "Number of IPTC MetaData");
  EXPECT_EQ(iptc[0].value, "4");
  std::vector<std::string> keywords;
  for (const auto& row : iptc)
    if (row.name == "Keywords") keywords.push_back(row.value);
  EXPECT_EQ(keywords, (std::vector<std::string>{"Sea", "Sun", "Sand"}));
  EXPECT_TRUE(StartsWith(iptc[1].description, "Specifies the MetaData 'Keywords' ( 2:025): ")) << iptc[1].description;
  EXPECT_GT(iptc[1].description.size(), std::strlen("Specifies the MetaData 'Keywords' ( 2:025): "));
}

TEST(ShowFileDetails, PngJpegWithoutIptcAndUnreadableFiles) {
  TempDir dir;
  test::WriteFile(dir.File("picture.png"), PngBytes());
  FileDetails png = ShowFileDetails(dir.File("picture.png"));
  ASSERT_TRUE(png.gridBuilt);
  EXPECT_EQ(png.grid.size(), 9u);
  EXPECT_EQ(png.grid[8].rows.at(0).value, "No IPTC MetaData Available ... Not a JPEG File ... ");
  EXPECT_EQ(png.grid[8].rows.at(0).description, "Warning !!! MetaData Available ONLY for JPEG Files");

  test::WritePhoto(dir.File("plain.jpg"));
  FileDetails plain = ShowFileDetails(dir.File("plain.jpg"));
  ASSERT_TRUE(plain.gridBuilt);
  EXPECT_EQ(plain.grid[0].rows.at(0).value, "0");
  EXPECT_EQ(plain.grid[8].rows.at(0).value, "No IPTC MetaData Available ...");

  CapturingLogSink log;
  ScopedLogSink attached(log);
  test::WriteFile(dir.File("notes.jpg"), "just text");
  EXPECT_FALSE(ShowFileDetails(dir.File("notes.jpg")).gridBuilt);
  EXPECT_FALSE(ShowFileDetails(dir.File("gone.jpg")).gridBuilt);
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "Image Status Error of File " + dir.File("notes.jpg") + ": Unknown Image Format (Id: 13)",
                             "Image Status Error of File " + dir.File("gone.jpg") + ": File Not Found (Id: 10)"}));
}

TEST(ShowFileDetails, IptcDatasetWithAnUnknownRecordNumber) {
  TempDir dir;
  PhotoSpec spec;
  spec.iptc = {{"Iptc.Application2.Keywords", "Sea"}};
  std::string path = dir.File("odd.jpg");
  test::WritePhoto(path, spec);
  std::string bytes = test::ReadFile(path);
  size_t at = bytes.find("\x1C\x02\x19");
  ASSERT_NE(at, std::string::npos);
  bytes[at + 1] = 46;  // a record number no IPTC table knows
  test::WriteFile(path, bytes);

  FileDetails details = ShowFileDetails(path);
  ASSERT_TRUE(details.gridBuilt);
  for (const auto& row : details.grid[8].rows) {
    if (row.name == "Number of IPTC MetaData") continue;
    EXPECT_EQ(row.name, "");
    EXPECT_FALSE(row.value.empty());  // the library's text for a dataset it does not know
    EXPECT_EQ(row.description, "Specifies the MetaData '' (46:025): ");
  }
}

std::string GreyJpegBytes() {
  std::vector<unsigned char> grey(16 * 8, 120);
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(handle, grey.data(), 16, 0, 8, TJPF_GRAY, &jpeg, &size, TJSAMP_GRAY, 80, 0);
  std::string bytes(reinterpret_cast<char*>(jpeg), size);
  tjFree(jpeg);
  tjDestroy(handle);
  return bytes;
}

std::string RowValue(const GridGroup& group, const std::string& name) {
  for (const auto& row : group.rows)
    if (row.name == name) return row.value;
  return "<missing>";
}

TEST(FillImageAttributes, TimesSizeResolutionPixelFormatAndIptc) {
  TempDir dir;
  PhotoSpec spec;
  spec.width = 40;
  spec.height = 30;
  spec.exif = {
      {"Exif.Image.XResolution", "300/1"}, {"Exif.Image.YResolution", "300/1"}, {"Exif.Image.ResolutionUnit", "2"}};
  spec.iptc = {{"Iptc.Application2.Keywords", "One"},
               {"Iptc.Application2.Keywords", "Two"},
               {"Iptc.Application2.Keywords", "Three"}};
  std::string photo = dir.File("photo.jpg");
  test::WritePhoto(photo, spec);
  chmod(photo.c_str(), 0444);  // read-only photos show their attributes too

  TimeT created = *MakeLocalTime(2022, 4, 3, 9, 8, 7);
  ImageAttributes a = FillImageAttributes(photo, created, -3600, 22 * 3600);
  ASSERT_TRUE(a.filled);
  EXPECT_EQ(a.createdText, "03-04-2022 09-08-07");
  EXPECT_EQ(a.modifiedText, "Undefined");  // midnight, 1 January 1970, local time
  EXPECT_EQ(a.accessedText, "Undefined");  // still 1 January in Paris
  ASSERT_EQ(a.grid.size(), 3u);
  EXPECT_EQ(a.grid[0].title, "Image Attributes");
  EXPECT_EQ(RowValue(a.grid[0], "File Name"), photo);
  EXPECT_EQ(RowValue(a.grid[0], "Creation Time"), "03-04-2022 09-08-07");
  EXPECT_EQ(a.grid[1].title, "Image Exif MetaData");
  EXPECT_EQ(RowValue(a.grid[1], "Image Height"), "30 pixels");
  EXPECT_EQ(RowValue(a.grid[1], "Image Width"), "40 pixels");
  EXPECT_EQ(RowValue(a.grid[1], "Horizontal Resolution"), "300 dots per inch");
  EXPECT_EQ(RowValue(a.grid[1], "Pixel Format"), "24 bits per pixel (8 bits RGB)");
  EXPECT_EQ(RowValue(a.grid[1], "Number of MetaData"), "3");
  EXPECT_EQ(a.grid[2].title, "Image IPTC MetaData");
  ASSERT_EQ(a.grid[2].rows.size(), 3u);
  EXPECT_EQ(a.grid[2].rows[2].name, "Keywords");
  EXPECT_EQ(a.grid[2].rows[2].value, "Three");

  EXPECT_EQ(AttributeTimeText(24 * 3600), "02-01-1970 01-00-00");
}

TEST(FillImageAttributes, OtherFormatsAndFailures) {
  TempDir dir;
  test::WriteFile(dir.File("grey.jpg"), GreyJpegBytes());
  test::WriteFile(dir.File("Trip.jpg/picture.png"), PngBytes());
  test::WriteFile(dir.File("text.jpg"), "not an image");

  ImageAttributes grey = FillImageAttributes(dir.File("grey.jpg"), 0, 0, 0);
  EXPECT_EQ(RowValue(grey.grid[1], "Pixel Format"), "8 bits per pixel indexed");
  EXPECT_EQ(RowValue(grey.grid[1], "Image Width"), "16 pixels");
  EXPECT_EQ(RowValue(grey.grid[1], "Horizontal Resolution"), "96 dots per inch");
  EXPECT_EQ(grey.grid[2].rows.at(0).value, "No MetaData Available ...");

  // A PNG in a folder named like a JPEG is still no JPEG.
  ImageAttributes png = FillImageAttributes(dir.File("Trip.jpg/picture.png"), 0, 0, 0);
  EXPECT_EQ(RowValue(png.grid[1], "Pixel Format"), "32 bits per pixel (8 bits Alpha, 8 bits RGB)");
  EXPECT_EQ(RowValue(png.grid[1], "Image Height"), "2 pixels");
  EXPECT_EQ(RowValue(png.grid[1], "Vertical Resolution"), "300 dots per inch");
  EXPECT_EQ(png.grid[2].rows.at(0).value, "No MetaData Available ... Not a JPEG File ... ");
  EXPECT_EQ(png.grid[2].rows.at(0).description, "Warning !!! MetaData Available ONLY for JPEG Files");

  // Not an image: the image rows show nothing read, the IPTC group is still there.
  ImageAttributes text = FillImageAttributes(dir.File("text.jpg"), 0, 0, 0);
  ASSERT_TRUE(text.filled);
  EXPECT_EQ(RowValue(text.grid[1], "Image Height"), "0 pixels");
  EXPECT_EQ(RowValue(text.grid[1], "Horizontal Resolution"), "0 dots per inch");
  EXPECT_EQ(RowValue(text.grid[1], "Pixel Format"), "Unknown Pixel Format !!!");
  EXPECT_EQ(RowValue(text.grid[1], "Number of MetaData"), "0");
  EXPECT_EQ(text.grid[2].rows.size(), 1u);

  ImageAttributes missing = FillImageAttributes(dir.File("gone.jpg"), 0, 0, 0);
  EXPECT_FALSE(missing.filled);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_TRUE(missing.grid.empty());

  EXPECT_STREQ(PixelFormatText(kPixelFormat64bppARGB), "64 bits per pixel (16 bits Alpha, 16 bits RGB");
  EXPECT_STREQ(PixelFormatText(kPixelFormat32bppCMYK), "Unknown Pixel Format !!!");
}

TEST(DetailsCommands, PrintGridsAndRefuseBadInput) {
  TempDir dir;
  PhotoSpec spec;
  spec.exif = {{"Exif.Image.Model", "iPhone 12"}};
  spec.iptc = {{"Iptc.Application2.Keywords", "A"}};
  test::WritePhoto(dir.File("p.jpg"), spec);
  test::WriteFile(dir.File("x.jpg"), "text");

  auto details = test::RunCli({"details", "--header", dir.File("p.jpg")});
  EXPECT_EQ(details.exitCode, 0) << details.err;
  auto lines = test::Lines(details.out);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Group\tProperty\tValue\tDescription");
  EXPECT_EQ(lines[1],
            "Exif MetaData: Count and Size\tNumber of Exif MetaData\t1\t"
            "Specifies the Number of Exif MetaData stored in the Picture");
  EXPECT_NE(details.out.find("Exif MetaData: Equipment\tModel\tiPhone 12\t"), std::string::npos);
  EXPECT_NE(details.out.find("IPTC MetaData: Image Data\tKeywords\tA\t"), std::string::npos);

  auto bad = test::RunCli({"details", dir.File("x.jpg")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find(": Image Status Error of File " + dir.File("x.jpg") + ": Unknown Image Format (Id: 13)"),
            std::string::npos)
      << bad.err;

  auto attributes = test::RunCli({"attributes", dir.File("p.jpg")});
  EXPECT_EQ(attributes.exitCode, 0) << attributes.err;
  EXPECT_NE(
      attributes.out.find("Image Exif MetaData\tImage Width\t64 pixels\tSpecifies the Number of Pixels per Row\n"),
      std::string::npos);
  EXPECT_NE(attributes.out.find("Image IPTC MetaData\tKeywords\tA\t"), std::string::npos);

  auto gone = test::RunCli({"attributes", dir.File("gone.jpg")});
  EXPECT_EQ(gone.exitCode, 1);
  EXPECT_NE(gone.err.find("Unable to Read File " + dir.File("gone.jpg") + " - Error: 2 - Reason: "), std::string::npos)
      << gone.err;

  EXPECT_EQ(test::RunCli({"details"}).exitCode, 2);
  EXPECT_EQ(test::RunCli({"attributes", "a", "b"}).exitCode, 2);
}

}  // namespace
}  // namespace lx
