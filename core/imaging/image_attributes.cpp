#include "imaging/image_attributes.h"

#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exiv2/exiv2.hpp>
#include <memory>

#include "imaging/iptc_reader.h"
#include "platform/text.h"

namespace lx {

namespace {

constexpr double kDefaultDpi = 96.0;  // what a screen-oriented reader assumes when a file says nothing

std::uint32_t Be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
std::uint32_t Be32(const unsigned char* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
std::uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Reads up to size bytes at offset; returns how many were read.
size_t ReadAt(std::FILE* file, long offset, unsigned char* buffer, size_t size) {
  if (std::fseek(file, offset, SEEK_SET) != 0) return 0;
  return std::fread(buffer, 1, size, file);
}

int Truncate(double value) {
  if (!(value > 0) || value > 1e9) return 0;
  return static_cast<int>(value);
}

// The resolution the Exif block states, in dots per inch; 0 when none.
void ExifResolution(const OpenedPhoto& photo, double& x, double& y) {
  x = y = 0;
  if (!photo.Ok()) return;
  try {
    Exiv2::ExifData& exif = photo.image->exifData();
    auto rx = exif.findKey(Exiv2::ExifKey("Exif.Image.XResolution"));
    auto ry = exif.findKey(Exiv2::ExifKey("Exif.Image.YResolution"));
    auto unit = exif.findKey(Exiv2::ExifKey("Exif.Image.ResolutionUnit"));
    double factor = (unit != exif.end() && unit->count() > 0 && unit->toLong(0) == 3) ? 2.54 : 1.0;
    if (rx != exif.end() && rx->count() > 0) x = rx->toFloat(0) * factor;
    if (ry != exif.end() && ry->count() > 0) y = ry->toFloat(0) * factor;
  } catch (const std::exception&) {
  }
}

// JPEG: the segments up to the start of scan go to libjpeg-turbo's header
// reader; the JFIF segment gives the density.
bool ReadJpegHeader(std::FILE* file, const OpenedPhoto& photo, ImageHeaderInfo& info) {
  std::string prefix("\xFF\xD8", 2);
  long offset = 2;
  double dpiX = 0, dpiY = 0;
  for (int segments = 0; segments < 1000; ++segments) {
    unsigned char marker[4];
    if (ReadAt(file, offset, marker, 4) != 4 || marker[0] != 0xFF) return false;
    if (marker[1] == 0xFF) {  // fill byte
      ++offset;
      continue;
    }
    std::uint32_t length = Be16(marker + 2);
    if (length < 2) return false;
    std::string segment(2 + length, '\0');
    if (ReadAt(file, offset, reinterpret_cast<unsigned char*>(segment.data()), segment.size()) != segment.size())
      return false;
    const auto* s = reinterpret_cast<const unsigned char*>(segment.data());
    if (marker[1] == 0xE0 && length >= 14 && segment.compare(4, 5, std::string("JFIF\0", 5)) == 0) {
      int units = s[11];
      double factor = units == 1 ? 1.0 : units == 2 ? 2.54 : 0.0;
      dpiX = Be16(s + 12) * factor;
      dpiY = Be16(s + 14) * factor;
    }
    // Metadata segments are not needed by the header reader; keep the prefix small.
    bool keep = !(marker[1] >= 0xE1 && marker[1] <= 0xEF) && marker[1] != 0xFE;
    if (keep) prefix += segment;
    offset += static_cast<long>(2 + length);
    if (marker[1] == 0xDA) break;  // start of scan: the header is complete
  }

  tjhandle handle = tjInitDecompress();
  if (!handle) return false;
  int width = 0, height = 0, subsampling = 0, colorspace = 0;
  int rc = tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(prefix.data()),
                               static_cast<unsigned long>(prefix.size()), &width, &height, &subsampling, &colorspace);
  tjDestroy(handle);
  if (rc != 0) return false;
  info.width = width;
  info.height = height;
  switch (colorspace) {
    case TJCS_GRAY:
      info.pixelFormat = kPixelFormat8bppIndexed;
      break;
    case TJCS_RGB:
    case TJCS_YCbCr:
      info.pixelFormat = kPixelFormat24bppRGB;
      break;
    default:
      info.pixelFormat = kPixelFormat32bppCMYK;
      break;
  }
  if (dpiX <= 0 || dpiY <= 0) ExifResolution(photo, dpiX, dpiY);
  info.dpiX = Truncate(dpiX > 0 ? dpiX : kDefaultDpi);
  info.dpiY = Truncate(dpiY > 0 ? dpiY : kDefaultDpi);
  return true;
}

bool ReadPngHeader(std::FILE* file, ImageHeaderInfo& info) {
  unsigned char ihdr[29];
  if (ReadAt(file, 0, ihdr, sizeof ihdr) != sizeof ihdr || std::memcmp(ihdr + 12, "IHDR", 4) != 0) return false;
  info.width = static_cast<int>(Be32(ihdr + 16));
  info.height = static_cast<int>(Be32(ihdr + 20));
  int depth = ihdr[24], colourType = ihdr[25];
  switch (colourType) {
    case 0:  // grey
      info.pixelFormat = depth == 1   ? kPixelFormat1bppIndexed
                         : depth <= 4 ? kPixelFormat4bppIndexed
                         : depth == 8 ? kPixelFormat8bppIndexed
                                      : kPixelFormat16bppGrayScale;
      break;
    case 2:
      info.pixelFormat = depth == 16 ? kPixelFormat48bppRGB : kPixelFormat24bppRGB;
      break;
    case 3:
      info.pixelFormat = depth == 1   ? kPixelFormat1bppIndexed
                         : depth <= 4 ? kPixelFormat4bppIndexed
                                      : kPixelFormat8bppIndexed;
      break;
    case 4:
    case 6:
      info.pixelFormat = depth == 16 ? kPixelFormat64bppARGB : kPixelFormat32bppARGB;
      break;
    default:
      info.pixelFormat = kPixelFormatUnknown;
      break;
  }
  double dpiX = kDefaultDpi, dpiY = kDefaultDpi;
  long offset = 8;
  for (int chunks = 0; chunks < 10000; ++chunks) {
    unsigned char head[8];
    if (ReadAt(file, offset, head, 8) != 8) break;
    std::uint32_t length = Be32(head);
    if (std::memcmp(head + 4, "IDAT", 4) == 0 || std::memcmp(head + 4, "IEND", 4) == 0) break;
    if (std::memcmp(head + 4, "pHYs", 4) == 0 && length == 9) {
      unsigned char phys[9];
      if (ReadAt(file, offset + 8, phys, 9) == 9 && phys[8] == 1) {  // pixels per metre
        dpiX = Be32(phys) * 0.0254;
        dpiY = Be32(phys + 4) * 0.0254;
      }
      break;
    }
    offset += 12 + static_cast<long>(length);
  }
  info.dpiX = Truncate(dpiX + 0.5);
  info.dpiY = Truncate(dpiY + 0.5);
  return true;
}

bool ReadGifHeader(std::FILE* file, ImageHeaderInfo& info) {
  unsigned char head[10];
  if (ReadAt(file, 0, head, sizeof head) != sizeof head) return false;
  info.width = static_cast<int>(Le16(head + 6));
  info.height = static_cast<int>(Le16(head + 8));
  info.pixelFormat = kPixelFormat8bppIndexed;
  info.dpiX = info.dpiY = static_cast<int>(kDefaultDpi);
  return true;
}

bool ReadBmpHeader(std::FILE* file, ImageHeaderInfo& info) {
  unsigned char head[46];
  if (ReadAt(file, 0, head, sizeof head) != sizeof head) return false;
  info.width = static_cast<int>(static_cast<std::int32_t>(Le32(head + 18)));
  std::int32_t height = static_cast<std::int32_t>(Le32(head + 22));
  info.height = height < 0 ? -height : height;
  switch (Le16(head + 28)) {
    case 1:
      info.pixelFormat = kPixelFormat1bppIndexed;
      break;
    case 4:
      info.pixelFormat = kPixelFormat4bppIndexed;
      break;
    case 8:
      info.pixelFormat = kPixelFormat8bppIndexed;
      break;
    case 16:
      info.pixelFormat = kPixelFormat16bppRGB555;
      break;
    case 24:
      info.pixelFormat = kPixelFormat24bppRGB;
      break;
    case 32:
      info.pixelFormat = kPixelFormat32bppRGB;
      break;
    default:
      info.pixelFormat = kPixelFormatUnknown;
      break;
  }
  double dpiX = Le32(head + 38) * 0.0254, dpiY = Le32(head + 42) * 0.0254;
  info.dpiX = Truncate(dpiX > 0 ? dpiX + 0.5 : kDefaultDpi);
  info.dpiY = Truncate(dpiY > 0 ? dpiY + 0.5 : kDefaultDpi);
  return true;
}

}  // namespace

const char* PixelFormatText(std::uint32_t format) {
  switch (format) {
    case kPixelFormat16bppRGB555:
      return "16 bits per pixel (5 bits RGB, Remaining bit unused";
    case kPixelFormat16bppRGB565:
      return "16 bits per pixel (5 bits R, 6 bits G, 5 bits B";
    case kPixelFormat24bppRGB:
      return "24 bits per pixel (8 bits RGB)";
    case kPixelFormat32bppRGB:
      return "32 bits per pixel (8 bits RGB, Remaining 8 bits unused";
    case kPixelFormat1bppIndexed:
      return "1 bit per pixel indexed";
    case kPixelFormat4bppIndexed:
      return "4 bits per pixel indexed";
    case kPixelFormat8bppIndexed:
      return "8 bits per pixel indexed";
    case kPixelFormat16bppARGB1555:
      return "16 bits per pixel (1 bit Alpha, 5 bits RGB)";
    case kPixelFormat32bppPARGB:
      return "32 bits per pixel (8 bits Alpha, 8 bits RGB)";
    case kPixelFormat32bppARGB:
      return "32 bits per pixel (8 bits Alpha, 8 bits RGB)";
    case kPixelFormat16bppGrayScale:
      return "16 bits per pixel grayscale";
    case kPixelFormat48bppRGB:
      return "48 bits per pixel (16 bits RGB)";
    case kPixelFormat64bppPARGB:
      return "64 bits per pixel (16 bits Alpha, 16 bits RGB)";
    case kPixelFormat64bppARGB:
      return "64 bits per pixel (16 bits Alpha, 16 bits RGB";
    default:
      return "Unknown Pixel Format !!!";
  }
}

ImageHeaderInfo ReadImageHeader(const OpenedPhoto& photo) {
  ImageHeaderInfo info;
  if (!photo.Ok()) return info;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(photo.path.c_str(), "rb"), std::fclose);
  if (!file) return info;
  unsigned char magic[8] = {0};
  size_t got = ReadAt(file.get(), 0, magic, sizeof magic);
  bool read = false;
  if (got >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF)
    read = ReadJpegHeader(file.get(), photo, info);
  else if (got == 8 && std::memcmp(magic, "\x89PNG\r\n\x1A\n", 8) == 0)
    read = ReadPngHeader(file.get(), info);
  else if (got >= 4 && std::memcmp(magic, "GIF8", 4) == 0)
    read = ReadGifHeader(file.get(), info);
  else if (got >= 2 && magic[0] == 'B' && magic[1] == 'M')
    read = ReadBmpHeader(file.get(), info);
  if (!read) {
    // Another format the metadata reader knows: at least its size.
    ImageHeaderInfo sizeOnly;
    try {
      sizeOnly.width = photo.image->pixelWidth();
      sizeOnly.height = photo.image->pixelHeight();
    } catch (const std::exception&) {
    }
    info = sizeOnly;
  }
  return info;
}

std::string AttributeTimeText(TimeT t) {
  auto f = ToLocal(t);
  if (!f || (f->year == 1970 && f->month == 1 && f->day == 1)) return "Undefined";
  return FormatDateText(t);
}

ImageAttributes FillImageAttributes(const std::string& path, TimeT created, TimeT modified, TimeT accessed) {
  ImageAttributes result;
  // Reading is all the grid needs: a read-only photo (a locked card, a
  // read-only share) shows its attributes too.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  ::close(fd);

  result.filled = true;
  result.createdText = AttributeTimeText(created);
  result.modifiedText = AttributeTimeText(modified);
  result.accessedText = AttributeTimeText(accessed);

  OpenedPhoto photo = OpenPhoto(path);
  GridGroup files{"Image Attributes", {}};
  files.rows.push_back({"File Name", path, "Specifies the Name of the Picture File"});
  files.rows.push_back({"Creation Time", result.createdText, "Specifies the Date and Time the File was Created"});
  files.rows.push_back(
      {"Modification Time", result.modifiedText, "Specifies the Date and Time the File was Last Modified"});
  files.rows.push_back(
      {"Last Access Time", result.accessedText, "Specifies the Date and Time the File was Last Accesses"});
  result.grid.push_back(std::move(files));

  ImageHeaderInfo header = ReadImageHeader(photo);
  GridGroup image{"Image Exif MetaData", {}};
  image.rows.push_back(
      {"Image Height", StrFormat("%d pixels", header.height), "Specifies the Number of Pixels per Column"});
  image.rows.push_back({"Image Width", StrFormat("%d pixels", header.width), "Specifies the Number of Pixels per Row"});
  image.rows.push_back({"Horizontal Resolution", StrFormat("%d dots per inch", header.dpiX),
                        "Specifies the Number of Pixels per Unit in the Horizontal Direction"});
  image.rows.push_back({"Vertical Resolution", StrFormat("%d dots per inch", header.dpiY),
                        "Specifies the Number of Pixels per Unit in the Vertical Direction"});
  image.rows.push_back({"Pixel Format", PixelFormatText(header.pixelFormat), "Specifies the Pixel Format"});
  image.rows.push_back({"Number of MetaData", StrFormat("%zu", ReadPropertyItems(photo).size()),
                        "Specifies the Number of Exif MetaData in Image File"});
  result.grid.push_back(std::move(image));

  GridGroup iptc{"Image IPTC MetaData", {}};
  if (!IsJpegFile(path)) {
    iptc.rows.push_back({"Image MetaData", "No MetaData Available ... Not a JPEG File ... ",
                         "Warning !!! MetaData Available ONLY for JPEG Files"});
  } else if (auto rows = ReadIptcRows(path)) {
    iptc.rows = std::move(*rows);
  } else {
    iptc.rows.push_back(
        {"Image MetaData", "No MetaData Available ...", "Warning !!! No IPTC MetaData Stored in current File"});
  }
  result.grid.push_back(std::move(iptc));
  return result;
}

}  // namespace lx
