#include "imaging/date_taken.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <exiv2/exiv2.hpp>

#include "imaging/bmff_creation_time.h"
#include "imaging/wall_clock.h"
#include "platform/text.h"

namespace lx {

namespace {

// Seconds between 1970-01-01 and 2001-01-01 (the Matroska epoch), both UTC.
constexpr TimeT kMatroskaEpochOffset = 978307200;
// A sidecar is a small text; anything larger is not one.
constexpr off_t kMaxSidecarSize = 4 * 1024 * 1024;

const char* const kXmpDateKeys[] = {"Xmp.exif.DateTimeOriginal", "Xmp.xmp.CreateDate", "Xmp.photoshop.DateCreated"};

std::optional<DateTaken> FromXmp(const Exiv2::XmpData& xmp, ExifDateSource source) {
  for (const char* key : kXmpDateKeys) {
    auto it = xmp.findKey(Exiv2::XmpKey(key));
    if (it == xmp.end()) continue;
    if (auto fields = ParseXmpDateFields(it->toString())) return DateTakenFromFields(*fields, source);
  }
  return std::nullopt;
}

// The whole of a regular file no larger than the limit; nullopt otherwise.
std::optional<std::string> ReadSmallFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> text;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size <= kMaxSidecarSize) {
    std::string bytes(static_cast<size_t>(st.st_size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    text = std::move(bytes);
  }
  ::close(fd);
  return text;
}

bool IsXmpName(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return ext == "xmp";
}

// NAME.xmp / NAME.XMP, then NAME.EXT.xmp / NAME.EXT.XMP: the two ways photo tools name a sidecar.
std::optional<DateTaken> FromSidecar(const std::string& path) {
  if (IsXmpName(path)) return std::nullopt;
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  const std::string stem =
      (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? path.substr(0, dot) : path;
  const std::string candidates[] = {stem + ".xmp", stem + ".XMP", path + ".xmp", path + ".XMP"};
  for (const std::string& candidate : candidates) {
    auto text = ReadSmallFile(candidate);
    if (!text) continue;
    Exiv2::XmpData xmp;
    if (Exiv2::XmpParser::decode(xmp, *text) != 0) continue;
    if (auto taken = FromXmp(xmp, ExifDateSource::XmpSidecar)) return taken;
  }
  return std::nullopt;
}

std::optional<long long> WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<DateTaken> FromUtc(TimeT utc, bool showLocal) {
  auto fields = showLocal ? UtcToLocalFields(utc) : UtcFields(utc);
  if (!fields) return std::nullopt;
  if (showLocal) return DateTaken{*fields, utc, ExifDateSource::Video};
  return DateTakenFromFields(*fields, ExifDateSource::Video);
}

// An AVI's date as its writer put it: "2024:03:31 02:30:00", "2024-03-31[T...]"
// or the C library's "Sun Mar 31 02:30:00 2024" that many cameras write.
std::optional<LocalFields> ParseRiffDate(const std::string& text) {
  if (auto fields = ParseExifDateFields(text)) return fields;
  if (auto fields = ParseXmpDateFields(text)) return fields;
  char weekday[4] = {}, month[4] = {};
  int day = 0, hour = 0, minute = 0, second = 0, year = 0;
  if (std::sscanf(text.c_str(), "%3s %3s %d %d:%d:%d %d", weekday, month, &day, &hour, &minute, &second, &year) != 7)
    return std::nullopt;
  for (int m = 1; m <= 12; ++m) {
    if (strcasecmp(month, MonthAbbreviation(m)) != 0) continue;
    char exif[32];
    std::snprintf(exif, sizeof exif, "%04d:%02d:%02d %02d:%02d:%02d", year, m, day, hour, minute, second);
    return ParseExifDateFields(exif);
  }
  return std::nullopt;
}

std::optional<DateTaken> FromVideoMetadata(const Exiv2::Image& image) {
  const std::string mime = image.mimeType();
  const Exiv2::XmpData& xmp = image.xmpData();
  auto text = [&](const char* key) -> std::string {
    auto it = xmp.findKey(Exiv2::XmpKey(key));
    return it == xmp.end() ? std::string() : it->toString();
  };
  if (mime == "video/quicktime") {
    // Seconds since 1904 in UTC, shown in local time.
    if (auto seconds = WholeNumber(text("Xmp.video.DateUTC")); seconds && *seconds > 0)
      return FromUtc(static_cast<TimeT>(*seconds) - kQuickTimeEpochOffset, true);
  } else if (mime == "video/matroska") {
    // Seconds since 2001 in UTC, shown as written.
    if (auto seconds = WholeNumber(text("Xmp.video.DateUTC")); seconds && *seconds > 0)
      return FromUtc(static_cast<TimeT>(*seconds) + kMatroskaEpochOffset, false);
  } else if (mime == "video/riff") {
    for (const char* key : {"Xmp.video.DateTimeOriginal", "Xmp.video.DateTimeDigitized"})
      if (auto fields = ParseRiffDate(text(key))) return DateTakenFromFields(*fields, ExifDateSource::Video);
  }
  return std::nullopt;
}

}  // namespace

std::optional<DateTaken> DateTakenFromFields(const LocalFields& fields, ExifDateSource source) {
  auto time = MakeLocalTime(fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second);
  if (!time) return std::nullopt;
  return DateTaken{WithWeekday(fields), *time, source};
}

std::optional<DateTaken> FindDateTakenBeyondExif(const OpenedPhoto& photo) {
  bool jpeg = false;
  if (photo.Ok()) {
    try {
      if (auto taken = FromXmp(photo.image->xmpData(), ExifDateSource::Xmp)) return taken;
      jpeg = photo.image->mimeType() == "image/jpeg";
    } catch (const std::exception&) {
      // A damaged XMP packet: go on with the other sources.
    }
  }
  if (auto taken = FromSidecar(photo.path)) return taken;
  if (photo.Ok()) {
    try {
      if (auto taken = FromVideoMetadata(*photo.image)) return taken;
    } catch (const std::exception&) {
    }
  }
  if (!jpeg) {
    if (auto created = ReadBmffCreationTime(photo.path)) return FromUtc(*created, true);
  }
  return std::nullopt;
}

const char* ExifDateSourceText(ExifDateSource source) {
  switch (source) {
    case ExifDateSource::DateTimeOriginal:
      return "Exif Date Taken";
    case ExifDateSource::DateTimeDigitized:
      return "Exif Date Digitized";
    case ExifDateSource::Xmp:
      return "XMP Date";
    case ExifDateSource::XmpSidecar:
      return "XMP Sidecar Date";
    case ExifDateSource::Video:
      return "Video Creation Time";
    case ExifDateSource::None:
      break;
  }
  return "";
}

}  // namespace lx
