// Makes small real JPEG files and stamps them with Exif and IPTC through
// Exiv2, so tests and benchmarks work on photos like a camera's.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lx::test {

struct PhotoSpec {
  int width = 64;
  int height = 48;
  int quality = 85;
  // Every member has an initializer, so that a designated initializer may leave any out.
  std::optional<std::string> dateTimeOriginal{};  // Exif text "YYYY:MM:DD HH:MM:SS"
  std::optional<int> orientation{};               // 1-8
  // Further Exif data, in order: key and value text as exiv2 reads it
  // ("Exif.Image.Make" = "Canon", "Exif.Photo.ExposureTime" = "1/100").
  std::vector<std::pair<std::string, std::string>> exif{};
  // IPTC datasets, in order ("Iptc.Application2.Keywords" = "Sea"); repeats allowed.
  std::vector<std::pair<std::string, std::string>> iptc{};
  bool embedThumbnail = false;  // a 16x12 JPEG in IFD1
};

// The bytes of a plain JPEG (a colour gradient) without metadata.
std::string MakeJpegBytes(int width, int height, int quality = 85);

// Writes the JPEG and its metadata to path (missing folders are created).
void WritePhoto(const std::string& path, const PhotoSpec& spec = {});

// Shorthand: a photo taken at the given Exif time.
void WritePhotoTakenAt(const std::string& path, const std::string& dateTimeOriginal);

}  // namespace lx::test
