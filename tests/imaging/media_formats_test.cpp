// Photos and videos in the formats photographers bring, made by the encoders
// and muxers Debian ships (heif-enc, ffmpeg): each one's date taken must read
// exactly as exiftool reads it, and a damaged container must give no date and
// no crash. The movie header reader is also fed hostile box trees by hand.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

#include <exiv2/exiv2.hpp>

#include "imaging/bmff_creation_time.h"
#include "imaging/exif_access.h"
#include "photo_factory.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::TempDir;
using test::WriteFile;

// Standard output of a shell command; nullopt when it failed.
std::optional<std::string> RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"), pclose);
  if (!pipe) return std::nullopt;
  std::string out;
  std::array<char, 256> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get())) out.append(buffer.data(), n);
  if (pclose(pipe.release()) != 0) return std::nullopt;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

bool Have(const char* tool) { return RunCommand(std::string("command -v ") + tool).has_value(); }

// The date exiftool reads, in the list's layout; a date without a time reads as midnight.
std::string ExiftoolDate(const std::string& path, const char* tag) {
  auto out =
      RunCommand("exiftool -api QuickTimeUTC -d '%d-%m-%Y %H-%M-%S' -s3 -" + std::string(tag) + " '" + path + "'");
  if (!out || out->empty()) return "Exif Date Not Available";
  if (out->size() == 10 && (*out)[4] == ':')  // "YYYY:MM:DD"
    return out->substr(8, 2) + "-" + out->substr(5, 2) + "-" + out->substr(0, 4) + " 00-00-00";
  return *out;
}

CRenameFileData ReadRow(const std::string& path) {
  OpenedPhoto photo = OpenPhoto(path);
  CRenameFileData row;
  ReadExifData(&photo, row);
  return row;
}

TEST(MediaFormats, HeifPicturesGiveTheirExifDate) {
  if (!Have("heif-enc") || !Have("exiftool")) GTEST_SKIP() << "heif-enc (libheif-examples) or exiftool missing";
  TempDir dir;
  test::PhotoSpec spec;
  spec.dateTimeOriginal = "2024:03:31 02:30:00";
  spec.orientation = 6;
  test::WritePhoto(dir.File("in.jpg"), spec);
  for (const char* name : {"p.heic", "p.avif"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    const std::string avif = std::string(name) == "p.avif" ? " -A" : "";
    ASSERT_TRUE(RunCommand("heif-enc -q 50" + avif + " '" + dir.File("in.jpg") + "' -o '" + path + "'"));
    CRenameFileData row = ReadRow(path);
    EXPECT_EQ(row.ErrorText, "");
    EXPECT_EQ(row.ExifSource, ExifDateSource::DateTimeOriginal);
    EXPECT_EQ(FormatExifDateText(row), "31-03-2024 02-30-00");
    EXPECT_EQ(FormatExifDateText(row), ExiftoolDate(path, "DateTimeOriginal"));
    EXPECT_EQ(row.Orientation, 4);
  }
}

TEST(MediaFormats, VideosGiveTheirCreationTime) {
  if (!Have("ffmpeg") || !Have("exiftool")) GTEST_SKIP() << "ffmpeg or exiftool missing";
  TempDir dir;
  struct Case {
    const char* name;
    const char* muxer;
    const char* metadata;
    const char* exiftoolTag;
    const char* expected;
  };
  // QuickTime files keep UTC and are shown in local time (Paris); the autumn
  // instants fall on both sides of the fold. Matroska and AVI dates are shown as written.
  const Case cases[] = {
      {"spring.mp4", "mp4", "creation_time=2024-03-31T01:30:00Z", "CreateDate", "31-03-2024 03-30-00"},
      {"fold-first.mov", "mov", "creation_time=2024-10-27T00:30:00Z", "CreateDate", "27-10-2024 02-30-00"},
      {"fold-second.m4v", "ipod", "creation_time=2024-10-27T01:30:00Z", "CreateDate", "27-10-2024 02-30-00"},
      {"phone.3gp", "3gp", "creation_time=2023-07-14T20:15:00Z", "CreateDate", "14-07-2023 22-15-00"},
      {"camera.mkv", "matroska", "creation_time=2024-10-27T01:30:00Z", "DateTimeOriginal", "27-10-2024 01-30-00"},
      {"camera.avi", "avi", "date=2024-03-31", "DateCreated", "31-03-2024 00-00-00"},
      // An unset creation time is 0, which exiftool shows as 1904: no date for us.
      {"undated.mp4", "mp4", "title=none", nullptr, "Exif Date Not Available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    ASSERT_TRUE(RunCommand(
        std::string("ffmpeg -nostdin -loglevel error -y -f lavfi -i color=c=blue:s=64x48:d=0.2 -c:v mpeg4 ") +
        "-metadata " + c.metadata + " -f " + c.muxer + " '" + path + "'"));
    CRenameFileData row = ReadRow(path);
    EXPECT_EQ(FormatExifDateText(row), c.expected);
    if (c.exiftoolTag) {
      EXPECT_EQ(FormatExifDateText(row), ExiftoolDate(path, c.exiftoolTag));
    }
    EXPECT_EQ(row.ExifSource, row.ExifDateValid ? ExifDateSource::Video : ExifDateSource::None);
  }
}

// A box: 32-bit size, type, payload.
std::string BoxBytes(const char* type, const std::string& payload, std::int64_t sizeField = -1) {
  const std::uint32_t size = sizeField >= 0 ? static_cast<std::uint32_t>(sizeField) : 8 + payload.size();
  std::string b;
  for (int shift = 24; shift >= 0; shift -= 8) b += static_cast<char>((size >> shift) & 0xFF);
  return b + type + payload;
}

std::string Be(std::uint64_t value, int bytes) {
  std::string b;
  for (int i = bytes - 1; i >= 0; --i) b += static_cast<char>((value >> (8 * i)) & 0xFF);
  return b;
}

TEST(MediaFormats, MovieHeaderReaderSurvivesHostileBoxes) {
  TempDir dir;
  const std::string ftyp = BoxBytes("ftyp", "isom" + Be(0, 4) + "isom");
  const TimeT when = 1711848600;  // 2024-03-31 01:30:00 UTC
  const std::string v0 = BoxBytes("mvhd", Be(0, 4) + Be(when + kQuickTimeEpochOffset, 4) + std::string(92, '\0'));
  const std::string v1 = BoxBytes("mvhd", Be(0x01000000, 4) + Be(when + kQuickTimeEpochOffset, 8) + std::string(96, 0));
  const struct {
    const char* name;
    std::string bytes;
    std::optional<TimeT> expected;
  } cases[] = {
      {"version 0", ftyp + BoxBytes("free", "xx") + BoxBytes("moov", v0), when},
      {"version 1", ftyp + BoxBytes("moov", BoxBytes("trak", "") + v1), when},
      {"moov to the end (size 0)", ftyp + BoxBytes("moov", v0, 0), when},
      {"64-bit size", ftyp + BoxBytes("moov", "", 1) + Be(16 + v0.size(), 8) + v0, when},
      {"moov larger than the file", ftyp + BoxBytes("moov", v0, 0x7FFFFFF0), std::nullopt},
      {"64-bit size past the end", ftyp + BoxBytes("moov", "", 1) + Be(~0ULL, 8) + v0, std::nullopt},
      {"size smaller than its header", ftyp + BoxBytes("moov", v0, 4), std::nullopt},
      {"mvhd cut short", ftyp + BoxBytes("moov", BoxBytes("mvhd", Be(0x01000000, 4) + Be(5, 2))), std::nullopt},
      {"creation time not set", ftyp + BoxBytes("moov", BoxBytes("mvhd", Be(0, 8) + std::string(92, 0))), std::nullopt},
      {"no moov", ftyp + BoxBytes("mdat", "data"), std::nullopt},
      {"not a container", std::string("\xFF\xD8\xFF\xE0") + std::string(60, 'x'), std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("box.mp4");
    WriteFile(path, c.bytes);
    EXPECT_EQ(ReadBmffCreationTime(path), c.expected);
    // The rename list reads the same file without harm.
    CRenameFileData row = ReadRow(path);
    EXPECT_EQ(row.ExifDateValid, c.expected.has_value());
  }
}

// A HEIF file as libheif lays it out: 'meta' with 'iinf', 'iloc' and, for
// construction method 1, the Exif item inside 'idat'.
struct HeifLayout {
  int method = 1;
  std::uint32_t itemOffset = 0;  // added to where the item really lies
  std::uint32_t itemLength = 0;  // 0: the real length
  std::uint16_t entryCount = 1;
};

std::string HeifWithExif(const std::string& tiff, const HeifLayout& layout) {
  const std::string item = Be(0, 4) + tiff;
  const std::string infe = BoxBytes("infe", Be(0x02000000, 4) + Be(1, 2) + Be(0, 2) + "Exif" + std::string(1, '\0'));
  const std::string iinf = BoxBytes("iinf", Be(0, 4) + Be(layout.entryCount, 2) + infe);
  const std::string ftyp = BoxBytes("ftyp", "heic" + Be(0, 4) + "mif1heic");
  auto iloc = [&](std::uint32_t offset) {
    return BoxBytes("iloc", Be(0x01000000, 4) + Be(0x4400, 2) + Be(1, 2) + Be(1, 2) + Be(layout.method, 2) + Be(0, 2) +
                                Be(1, 2) + Be(offset + layout.itemOffset, 4) +
                                Be(layout.itemLength ? layout.itemLength : item.size(), 4));
  };
  if (layout.method == 1) return ftyp + BoxBytes("meta", Be(0, 4) + iinf + iloc(0) + BoxBytes("idat", item));
  // Method 0: the item is the payload of the box after 'meta'.
  const size_t metaSize = 8 + 4 + iinf.size() + iloc(0).size();
  return ftyp + BoxBytes("meta", Be(0, 4) + iinf + iloc(ftyp.size() + metaSize + 8)) + BoxBytes("mdat", item);
}

TEST(MediaFormats, HeifExifReaderSurvivesHostileBoxes) {
  Exiv2::ExifData exif;
  exif["Exif.Photo.DateTimeOriginal"] = "2024:03:31 02:30:00";
  Exiv2::Blob blob;
  Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
  const std::string tiff(blob.begin(), blob.end());
  TempDir dir;
  const struct {
    const char* name;
    HeifLayout layout;
    const char* expected;
  } cases[] = {
      {"item in idat", {}, "31-03-2024 02-30-00"},
      {"item in the file", {0}, "31-03-2024 02-30-00"},
      {"length past idat", {1, 0, 4096}, "Exif Date Not Available"},
      {"offset wraps round", {1, 0xFFFFFFF0u}, "Exif Date Not Available"},
      {"offset past the file", {0, 0x7FFFFFF0u}, "Exif Date Not Available"},
      {"more entries than bytes", {1, 0, 0, 0xFFFF}, "31-03-2024 02-30-00"},
      {"item too short", {1, 0, 3}, "Exif Date Not Available"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("made.heic");
    WriteFile(path, HeifWithExif(tiff, c.layout));
    EXPECT_EQ(FormatExifDateText(ReadRow(path)), c.expected);
  }
}

}  // namespace
}  // namespace lx
