// The preview pane's attribute grid: the file's name and times, a few image
// attributes read from the file's header, and its IPTC datasets.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/exif_access.h"
#include "imaging/property_grid.h"
#include "platform/times.h"

namespace lx {

// GDI+ PixelFormat numbers, the names users of the attribute grid know.
constexpr std::uint32_t kPixelFormatUnknown = 0;
constexpr std::uint32_t kPixelFormat1bppIndexed = 0x00030101;
constexpr std::uint32_t kPixelFormat4bppIndexed = 0x00030402;
constexpr std::uint32_t kPixelFormat8bppIndexed = 0x00030803;
constexpr std::uint32_t kPixelFormat16bppGrayScale = 0x00101004;
constexpr std::uint32_t kPixelFormat16bppRGB555 = 0x00021005;
constexpr std::uint32_t kPixelFormat16bppRGB565 = 0x00021006;
constexpr std::uint32_t kPixelFormat16bppARGB1555 = 0x00061007;
constexpr std::uint32_t kPixelFormat24bppRGB = 0x00021808;
constexpr std::uint32_t kPixelFormat32bppRGB = 0x00022009;
constexpr std::uint32_t kPixelFormat32bppARGB = 0x0026200A;
constexpr std::uint32_t kPixelFormat32bppPARGB = 0x000E200B;
constexpr std::uint32_t kPixelFormat32bppCMYK = 0x0000200F;
constexpr std::uint32_t kPixelFormat48bppRGB = 0x0010300C;
constexpr std::uint32_t kPixelFormat64bppARGB = 0x0034400D;
constexpr std::uint32_t kPixelFormat64bppPARGB = 0x001C400E;

// The text of a pixel format; "Unknown Pixel Format !!!" for any other value.
const char* PixelFormatText(std::uint32_t format);

// What the attribute grid shows of an image; zeros when it cannot be read.
struct ImageHeaderInfo {
  int width = 0;
  int height = 0;
  int dpiX = 0;  // dots per inch, truncated
  int dpiY = 0;
  std::uint32_t pixelFormat = kPixelFormatUnknown;
};

// Reads size, resolution and pixel format from the file's header (JPEG through
// libjpeg-turbo's header reader; PNG, GIF and BMP from their own headers).
ImageHeaderInfo ReadImageHeader(const OpenedPhoto& photo);

// "dd-mm-yyyy hh-mm-ss" in local time; "Undefined" for any time of 1 January 1970.
std::string AttributeTimeText(TimeT t);

struct ImageAttributes {
  bool filled = false;  // false: the file cannot be read; the grid keeps what it showed
  int error = 0;        // errno of the failed open
  std::string createdText;
  std::string modifiedText;
  std::string accessedText;
  PropertyGrid grid;
};

// The attribute grid of a file with its created, modified and last-access times.
ImageAttributes FillImageAttributes(const std::string& path, TimeT created, TimeT modified, TimeT accessed);

}  // namespace lx
