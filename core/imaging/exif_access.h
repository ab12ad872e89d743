// Reading a photo's metadata: one open per file (Exiv2), the date taken and
// orientation for the rename list, the picture transform codes, the image
// status texts, and the Exif date text in both directions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "photo/defaults.h"
#include "photo/rename_file_data.h"
#include "platform/times.h"

namespace Exiv2 {
class Image;
}

namespace lx {

// Image status codes, numbered like the GDI+ Status values whose texts users know.
enum ImageStatus : int {
  kImageOk = 0,
  kImageGenericError = 1,
  kImageInvalidParameter = 2,
  kImageOutOfMemory = 3,
  kImageObjectBusy = 4,
  kImageInsufficientBuffer = 5,
  kImageNotImplemented = 6,
  kImageWin32Error = 7,
  kImageWrongState = 8,
  kImageAborted = 9,
  kImageFileNotFound = 10,
  kImageValueOverflow = 11,
  kImageAccessDenied = 12,
  kImageUnknownImageFormat = 13,
  kImageFontFamilyNotFound = 14,
  kImageFontStyleNotFound = 15,
  kImageNotTrueTypeFont = 16,
  kImageUnsupportedVersion = 17,
  kImageNotInitialized = 18,
  kImagePropertyNotFound = 19,
  kImagePropertyNotSupported = 20,
  kImageProfileNotFound = 21,
};

// A photo opened once and read up to its metadata (the pixels are not decoded).
// When opening failed, image is null and status says why.
struct OpenedPhoto {
  std::string path;
  std::shared_ptr<Exiv2::Image> image;  // metadata already read
  int status = kImageOk;
  std::string failure;  // the reader's own words when opening failed

  bool Ok() const { return status == kImageOk && image != nullptr; }
};

// Opens the file as a plain local file (never as a URL) and reads its metadata.
// Never throws; a missing, unreadable, empty or damaged file gives a status.
OpenedPhoto OpenPhoto(const std::string& path);

// Fills the row's date taken (ExifDate, ExifFields, ExifSource, ExifDateValid),
// Orientation and, on failure, ErrorText; returns ExifDateValid. The date
// taken is Exif DateTimeOriginal, else DateTimeDigitized, else the XMP dates,
// an XMP sidecar's, or a video's creation time. image may be null (nothing to read).
bool ReadExifData(const OpenedPhoto* image, CRenameFileData& row);

// The date used when a photo has no date taken: 2000-01-01 00:00:00 local.
TimeT DefaultExifDate();

// "dd-mm-yyyy hh-mm-ss" of the local time, or "Exif Date Not Available".
std::string FormatExifDateText(TimeT date, bool valid);
// The row's date taken as the list shows it: its clock reading as it stands
// (never moved by a daylight-saving change), or "Exif Date Not Available".
std::string FormatExifDateText(const CRenameFileData& row);
// The time of such a text; nullopt for "Exif Date Not Available" or a text
// that is not a date (the caller then uses DefaultExifDate()).
std::optional<TimeT> ParseExifDateText(const std::string& text);

// Picture transform code (0..15): bits 2-3 clockwise quarter turns, bits 0-1 the
// flip (0 none, 1 left-right mirror, 2 both, 3 top-bottom mirror).
using TransformCode = int;

// The transform that shows a photo with this Exif orientation upright; 0 for
// a missing or unknown orientation.
TransformCode ExifOrientationToTransform(int orientation);

// A further rotation by quarterTurns clockwise quarter turns.
TransformCode RotateTransform(TransformCode code, int quarterTurns);

// The GDI+ RotateFlipType number of a code (0 RotateNoneFlipNone .. 7
// Rotate270FlipX); any value outside 0..15 gives 0.
int TransformRotateFlipType(TransformCode code);

// What the picture box reports for a code; empty outside 0..15.
const char* TransformCodeText(TransformCode code);

// The text of an image status. forDetails: the details-view form, which also
// knows 21 (ProfileNotFound); the picture-box form gives "Unknown Error" for it.
const char* ImageStatusText(int status, bool forDetails);

// True and an empty message for kImageOk; otherwise false and the message:
// with a path "Image Status Error of File <path>: <text>" (details view),
// without one "Image Status Error: <text>" (picture box).
bool FormatImageStatus(int status, std::string& message, const std::string* detailsPath = nullptr);

// One metadata item as the details catalogue reads it: the tag number (IFD1
// tags mapped to the 0x50xx thumbnail numbers), the TIFF type (1 BYTE, 2 ASCII,
// 3 SHORT, 4 LONG, 5 RATIONAL, 7 UNDEFINED, 9 SLONG, 10 SRATIONAL, ...), the
// number of values and the raw value bytes in little-endian order.
struct PropertyItem {
  std::uint32_t id = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::string value;
};

// The photo's Exif items of the main image, its Exif and GPS sub-IFDs, the
// interoperability IFD and the thumbnail IFD, in file order. Maker-note
// internals are not items. Empty for a photo that did not open.
std::vector<PropertyItem> ReadPropertyItems(const OpenedPhoto& photo);

// The tag number used for an IFD1 (thumbnail) tag; 0 when it has none.
std::uint32_t ThumbnailPropertyId(std::uint16_t ifd1Tag);

// The bytes of the JPEG thumbnail stored in the Exif data; empty when none.
std::string EmbeddedThumbnail(const OpenedPhoto& photo);

}  // namespace lx
