#include "photo_factory.h"

#include <turbojpeg.h>

#include <exiv2/exiv2.hpp>
#include <stdexcept>
#include <vector>

#include "temp_dir.h"

namespace lx::test {

std::string MakeJpegBytes(int width, int height, int quality) {
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = static_cast<unsigned char>(x * 255 / (width > 1 ? width - 1 : 1));
      p[1] = static_cast<unsigned char>(y * 255 / (height > 1 ? height - 1 : 1));
      p[2] = 128;
    }
  tjhandle handle = tjInitCompress();
  if (!handle) throw std::runtime_error("tjInitCompress failed");
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  int rc =
      tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, quality, TJFLAG_FASTDCT);
  std::string bytes;
  if (rc == 0) bytes.assign(reinterpret_cast<char*>(jpeg), size);
  tjFree(jpeg);
  tjDestroy(handle);
  if (rc != 0) throw std::runtime_error("tjCompress2 failed");
  return bytes;
}

void WritePhoto(const std::string& path, const PhotoSpec& spec) {
  WriteFile(path, MakeJpegBytes(spec.width, spec.height, spec.quality));
  bool anyMetadata =
      spec.dateTimeOriginal || spec.orientation || !spec.exif.empty() || !spec.iptc.empty() || spec.embedThumbnail;
  if (!anyMetadata) return;

  auto image = Exiv2::ImageFactory::open(path);
  image->readMetadata();
  Exiv2::ExifData exif;
  if (spec.orientation) exif["Exif.Image.Orientation"] = static_cast<uint16_t>(*spec.orientation);
  if (spec.dateTimeOriginal) exif["Exif.Photo.DateTimeOriginal"] = *spec.dateTimeOriginal;
  for (const auto& [key, value] : spec.exif) {
    Exiv2::ExifKey exifKey(key);
    Exiv2::Value::AutoPtr v = Exiv2::Value::create(exifKey.defaultTypeId());
    if (v->read(value) != 0) throw std::runtime_error("bad Exif value for " + key + ": " + value);
    exif.add(exifKey, v.get());
  }
  if (spec.embedThumbnail) {
    std::string thumb = MakeJpegBytes(16, 12, 70);
    Exiv2::ExifThumb(exif).setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(thumb.data()),
                                            static_cast<long>(thumb.size()));
  }
  Exiv2::IptcData iptc;
  for (const auto& [key, value] : spec.iptc) {
    Exiv2::IptcKey iptcKey(key);
    Exiv2::Value::AutoPtr v = Exiv2::Value::create(Exiv2::IptcDataSets::dataSetType(iptcKey.tag(), iptcKey.record()));
    v->read(value);
    iptc.add(iptcKey, v.get());
  }
  image->setExifData(exif);
  if (!iptc.empty()) image->setIptcData(iptc);
  image->writeMetadata();
}

void WritePhotoTakenAt(const std::string& path, const std::string& dateTimeOriginal) {
  PhotoSpec spec;
  spec.dateTimeOriginal = dateTimeOriginal;
  WritePhoto(path, spec);
}

}  // namespace lx::test
