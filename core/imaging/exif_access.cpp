#include "imaging/exif_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <turbojpeg.h>

#include <cerrno>
#include <exiv2/exiv2.hpp>
#include <mutex>

#include "imaging/bmff_creation_time.h"
#include "imaging/date_taken.h"
#include "imaging/wall_clock.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace lx {

namespace {

// Exiv2's numbering of the IFDs we read (its IfdId values).
constexpr int kIfd0 = 1;
constexpr int kIfd1 = 2;
constexpr int kExifIfd = 5;
constexpr int kGpsIfd = 6;
constexpr int kIopIfd = 7;

constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
constexpr std::uint16_t kTagDateTimeDigitized = 0x9004;
constexpr std::uint16_t kTagOrientation = 0x0112;

void PrepareReader() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Damaged files are reported through the row's status, not on stderr.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    // The XMP parser must be set up once before images are read on several threads.
    Exiv2::XmpParser::initialize();
    // HEIC/HEIF, AVIF and CR3 are read only when asked for.
    Exiv2::enableBMFF(true);
  });
}

int StatusOfOpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kImageFileNotFound;
    case EACCES:
    case EPERM:
      return kImageAccessDenied;
    case ENOMEM:
      return kImageOutOfMemory;
    default:
      return kImageWin32Error;
  }
}

int StatusOfReaderError(int code) {
  switch (code) {
    case Exiv2::kerDataSourceOpenFailed:
      return kImageWin32Error;
    case Exiv2::kerNotAnImage:
    case Exiv2::kerFileContainsUnknownImageType:
    case Exiv2::kerMemoryContainsUnknownImageType:
    case Exiv2::kerUnsupportedImageType:
    case Exiv2::kerInputDataReadFailed:  // shorter than any image signature
      return kImageUnknownImageFormat;
    case Exiv2::kerMallocFailed:
      return kImageOutOfMemory;
    default:
      return kImageGenericError;
  }
}

// The text of an Exif ASCII item up to its terminating NUL.
std::string DatumText(const Exiv2::Exifdatum& datum) {
  std::string bytes(static_cast<size_t>(datum.size()), '\0');
  if (!bytes.empty()) datum.copy(reinterpret_cast<Exiv2::byte*>(bytes.data()), Exiv2::littleEndian);
  size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  return bytes;
}

// An Exif date text as a date taken. A date counts when year, month and day are
// set; hour 0 or minute 0 are ordinary times of day. Fields out of range or a
// time the C library cannot represent mean "no date taken".
std::optional<DateTaken> ExifTextToDate(const std::string& text, ExifDateSource source) {
  auto fields = ParseExifDateFields(text);
  if (!fields) return std::nullopt;
  return DateTakenFromFields(*fields, source);
}

void SetDateTaken(const DateTaken& taken, CRenameFileData& row) {
  row.ExifDate = taken.time;
  row.ExifFields = taken.fields;
  row.ExifSource = taken.source;
  row.ExifDateValid = true;
}

constexpr size_t kFirstHeadSize = 16 * 1024;
constexpr size_t kLastHeadSize = 256 * 1024;

// The length of a JPEG's segments up to and including the start-of-scan
// header when they all lie in the head; 0 when they do not.
size_t JpegMetadataLength(const std::vector<unsigned char>& head) {
  size_t at = 2;
  while (at + 4 <= head.size()) {
    if (head[at] != 0xFF) return 0;
    unsigned char marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    if (marker == 0xD9) return 0;  // end of image before any scan
    size_t length = (static_cast<size_t>(head[at + 2]) << 8) | head[at + 3];
    if (length < 2) return 0;
    size_t end = at + 2 + length;
    if (end > head.size()) return 0;
    if (marker == 0xDA) return end;
    at = end;
  }
  return 0;
}

}  // namespace

OpenedPhoto OpenPhoto(const std::string& path) {
  PrepareReader();
  OpenedPhoto photo;
  photo.path = path;

  // Our own open first: it tells a missing file from a forbidden one, and
  // keeps folders and devices away from the image reader.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int error = errno;
    photo.status = StatusOfOpenError(error);
    photo.failure = "Unable to Open File" + FormatSystemError(error);
    return photo;
  }
  struct stat st {};
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!regular) {
    ::close(fd);
    photo.status = kImageUnknownImageFormat;
    photo.failure = "Not a Regular File";
    return photo;
  }
  // The head of the file: a JPEG's metadata segments nearly always fit in it,
  // so the reader works from memory instead of many small file reads. The
  // head grows until it holds every segment before the scan, up to a limit.
  auto head = std::make_shared<std::vector<unsigned char>>();
  size_t metadataLength = 0;
  bool jpeg = false;
  for (size_t size = kFirstHeadSize; size <= kLastHeadSize; size *= 4) {
    head->resize(size);
    ssize_t got = ::pread(fd, head->data(), size, 0);
    head->resize(got > 0 ? static_cast<size_t>(got) : 0);
    jpeg = head->size() >= 3 && (*head)[0] == 0xFF && (*head)[1] == 0xD8 && (*head)[2] == 0xFF;
    if (!jpeg) break;
    metadataLength = JpegMetadataLength(*head);
    if (metadataLength > 0 || head->size() < size) break;  // found, or the whole file is read
  }
  ::close(fd);

  try {
    // A FileIo, never ImageFactory::open(path): a name such as "http://..." must stay a file name.
    Exiv2::BasicIo::AutoPtr io;
    if (metadataLength > 0)
      io.reset(new Exiv2::MemIo(head->data(), static_cast<long>(metadataLength)));
    else
      io.reset(new Exiv2::FileIo(path));
    // Most listed files are JPEGs: going straight to the JPEG reader saves
    // probing every format the library knows.
    Exiv2::Image::AutoPtr image = jpeg ? Exiv2::newJpegInstance(io, false) : Exiv2::ImageFactory::open(io);
    if (!image.get()) {
      photo.status = kImageUnknownImageFormat;
      photo.failure = "Unknown Image Format";
      return photo;
    }
    image->readMetadata();
    // A HEIF picture whose Exif item the library missed: the item read by
    // our own box reader serves the list, the details view and the attributes alike.
    if (!jpeg && image->exifData().empty()) {
      if (auto block = ReadHeifExifBlock(path)) {
        Exiv2::ExifData exif;
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(block->data()),
                                  static_cast<std::uint32_t>(block->size()));
        image->setExifData(exif);
      }
    }
    // The memory reader does not copy the head: it lives as long as the image.
    photo.image = std::shared_ptr<Exiv2::Image>(image.release(), [head](Exiv2::Image* p) { delete p; });
  } catch (const Exiv2::AnyError& e) {
    photo.status = StatusOfReaderError(e.code());
    photo.failure = e.what();
  } catch (const std::bad_alloc&) {
    photo.status = kImageOutOfMemory;
    photo.failure = "Out Of Memory";
  } catch (const std::exception& e) {
    photo.status = kImageGenericError;
    photo.failure = e.what();
  }
  return photo;
}

TimeT DefaultExifDate() {
  // 2000-01-01 00:00:00 exists in every time zone.
  return MakeLocalTime(2000, 1, 1, 0, 0, 0).value_or(946684800);
}

namespace {

// The date taken and orientation of an Exif block. The first date taken and
// the first main-image orientation count; the scan ends as soon as both were
// seen. The digitized date stands in for a missing or empty original one.
void ScanExif(const Exiv2::ExifData& exif, std::optional<DateTaken>& taken, int& orientation) {
  std::optional<DateTaken> original, digitized;
  bool originalSeen = false, digitizedSeen = false, orientationSeen = false;
  for (auto it = exif.begin(); it != exif.end() && !(originalSeen && orientationSeen); ++it) {
    int ifd = it->ifdId();
    std::uint16_t tag = it->tag();
    if (!originalSeen && tag == kTagDateTimeOriginal && (ifd == kExifIfd || ifd == kIfd0)) {
      originalSeen = true;
      original = ExifTextToDate(DatumText(*it), ExifDateSource::DateTimeOriginal);
    } else if (!digitizedSeen && tag == kTagDateTimeDigitized && (ifd == kExifIfd || ifd == kIfd0)) {
      digitizedSeen = true;
      digitized = ExifTextToDate(DatumText(*it), ExifDateSource::DateTimeDigitized);
    } else if (!orientationSeen && tag == kTagOrientation && ifd == kIfd0) {
      orientationSeen = true;
      if (it->count() > 0) orientation = ExifOrientationToTransform(static_cast<int>(it->toLong(0)));
    }
  }
  taken = original ? original : digitized;
}

// The Exif block of a HEIF picture whose item the metadata library did not find.
bool ScanHeifExif(const std::string& path, std::optional<DateTaken>& taken, int& orientation) {
  auto block = ReadHeifExifBlock(path);
  if (!block) return false;
  Exiv2::ExifData exif;
  Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(block->data()),
                            static_cast<std::uint32_t>(block->size()));
  ScanExif(exif, taken, orientation);
  return true;
}

}  // namespace

bool ReadExifData(const OpenedPhoto* image, CRenameFileData& row) {
  row.ExifDateValid = false;
  row.ExifDate = DefaultExifDate();
  row.ExifFields = LocalFields{};
  row.ExifSource = ExifDateSource::None;
  row.Orientation = 0;
  if (!image) return false;
  std::optional<DateTaken> taken;
  try {
    const bool opened = image->Ok();
    bool heifExif = false;
    if (opened && !image->image->exifData().empty())
      ScanExif(image->image->exifData(), taken, row.Orientation);
    else if (!opened || image->image->mimeType() != "image/jpeg")
      heifExif = ScanHeifExif(image->path, taken, row.Orientation);
    // The metadata reader does not know every video container; the other
    // sources may still give a date when it could not open the file.
    if (!taken) taken = FindDateTakenBeyondExif(*image);
    if (!taken && !opened && !heifExif) row.ErrorText = "Unable to Read Exif Data !!! End of Job ...";
  } catch (const std::exception&) {
    row.ErrorText = "Unable to Read Exif Data !!! End of Job ...";
  }
  if (taken) SetDateTaken(*taken, row);
  return row.ExifDateValid;
}

std::string FormatExifDateText(const CRenameFileData& row) {
  // Rows with a clock reading show it as it stands; device rows and the like only have the instant.
  if (row.ExifDateValid && row.ExifSource != ExifDateSource::None) return FormatFieldsText(row.ExifFields);
  return FormatExifDateText(row.ExifDate, row.ExifDateValid);
}

std::string FormatExifDateText(TimeT date, bool valid) {
  if (!valid) return kExifDateNotAvailable;
  std::string text = FormatDateText(date);
  return text.empty() ? std::string(kExifDateNotAvailable) : text;
}

std::optional<TimeT> ParseExifDateText(const std::string& text) {
  if (text == kExifDateNotAvailable) return std::nullopt;
  return ParseDateText(text);
}

TransformCode ExifOrientationToTransform(int orientation) {
  // Exif orientation -> the transform that shows the photo upright.
  switch (orientation) {
    case 1:
      return 0;  // upright
    case 2:
      return 1;  // mirrored left-right
    case 3:
      return 8;  // upside down
    case 4:
      return 3;  // mirrored top-bottom
    case 5:
      return 5;  // transposed: a quarter turn, then a left-right mirror
    case 6:
      return 4;  // needs a quarter turn clockwise
    case 7:
      return 7;  // transversed: a quarter turn, then a top-bottom mirror
    case 8:
      return 12;  // needs three quarter turns clockwise
    default:
      return 0;
  }
}

TransformCode RotateTransform(TransformCode code, int quarterTurns) {
  int turns = ((quarterTurns % 4) + 4) % 4;
  return ((code + 4 * turns) % 16 + 16) % 16;
}

int TransformRotateFlipType(TransformCode code) {
  static const int kTypes[16] = {0, 4, 2, 6, 1, 5, 3, 7, 2, 6, 0, 4, 3, 7, 1, 5};
  return (code >= 0 && code < 16) ? kTypes[code] : 0;
}

const char* TransformCodeText(TransformCode code) {
  static const char* const kTexts[16] = {
      "No Rotation Performed",
      "Flipping Along Vertical Edge",
      "Flipping Along Horizontal and Vertical Edges",
      "Flipping Along Horizontal Edge",
      "Rotation by 90 Degrees",
      "Rotation by 90 Degrees and Flipping Along Vertical Edge",
      "Rotation by 90 Degrees and Flipping Along Horizontal and Vertical Edges",
      "Rotation by 90 Degrees and Flipping Along Horizontal Edge",
      "Rotation by 180 Degrees",
      "Rotation by 180 Degrees and Flipping Along Vertical Edge",
      "Rotation by 180 Degrees and Flipping Along Horizontal and Vertical Edges",
      "Rotation by 180 Degrees and Flipping Along Horizontal Edge",
      "Rotation by 270 Degrees",
      "Rotation by 270 Degrees and Flipping Along Vertical Edge",
      "Rotation by 270 Degrees and Flipping Along Horizontal and Vertical Edges",
      "Rotation by 270 Degrees and Flipping Along Horizontal Edge",
  };
  return (code >= 0 && code < 16) ? kTexts[code] : "";
}

const char* ImageStatusText(int status, bool forDetails) {
  static const char* const kTexts[] = {
      "",
      "Generic Error (Id: 1)",
      "Invalid Parameter (Id: 2)",
      "Out Of Memory (Id: 3)",
      "Object Busy (Id: 4)",
      "Insufficient Buffer (Id: 5)",
      "Not Implemented (Id: 6) ",
      "Win32 Error (Id: 7)",
      "Wrong State (Id: 8)",
      "Aborted (Id: 9)",
      "File Not Found (Id: 10)",
      "Value Over flow (Id: 11)",
      "Access Denied (Id: 12)",
      "Unknown Image Format (Id: 13)",
      "Font Family Not Found (Id: 14)",
      "Font Style Not Found (Id: 15)",
      "Not True Type Font (Id: 16)",
      "Unsupported Gdi+ Version (Id: 17)",
      "Gdi+ Not Initialized (Id: 18)",
      "Property Not Found (Id: 19)",
      "Property Not Supported (Id: 20)",
      "Profile Not Found (Id: 21)",
  };
  int last = forDetails ? 21 : 20;
  if (status >= 1 && status <= last) return kTexts[status];
  return "Unknown Error";
}

bool FormatImageStatus(int status, std::string& message, const std::string* detailsPath) {
  if (status == kImageOk) {
    message.clear();
    return true;
  }
  if (detailsPath)
    message = StrFormat("Image Status Error of File %s: ", detailsPath->c_str()) + ImageStatusText(status, true);
  else
    message = std::string("Image Status Error: ") + ImageStatusText(status, false);
  return false;
}

std::uint32_t ThumbnailPropertyId(std::uint16_t ifd1Tag) {
  switch (ifd1Tag) {
    case 0x0100:
      return 0x5020;  // ImageWidth
    case 0x0101:
      return 0x5021;  // ImageLength
    case 0x0102:
      return 0x5022;  // BitsPerSample
    case 0x0103:
      return 0x5023;  // Compression
    case 0x0106:
      return 0x5024;  // PhotometricInterpretation
    case 0x010E:
      return 0x5025;  // ImageDescription
    case 0x010F:
      return 0x5026;  // Make
    case 0x0110:
      return 0x5027;  // Model
    case 0x0111:
      return 0x5028;  // StripOffsets
    case 0x0112:
      return 0x5029;  // Orientation
    case 0x0115:
      return 0x502A;  // SamplesPerPixel
    case 0x0116:
      return 0x502B;  // RowsPerStrip
    case 0x0117:
      return 0x502C;  // StripByteCounts
    case 0x011A:
      return 0x502D;  // XResolution
    case 0x011B:
      return 0x502E;  // YResolution
    case 0x011C:
      return 0x502F;  // PlanarConfiguration
    case 0x0128:
      return 0x5030;  // ResolutionUnit
    case 0x012D:
      return 0x5031;  // TransferFunction
    case 0x0131:
      return 0x5032;  // Software
    case 0x0132:
      return 0x5033;  // DateTime
    case 0x013B:
      return 0x5034;  // Artist
    case 0x013E:
      return 0x5035;  // WhitePoint
    case 0x013F:
      return 0x5036;  // PrimaryChromaticities
    case 0x0211:
      return 0x5037;  // YCbCrCoefficients
    case 0x0212:
      return 0x5038;  // YCbCrSubSampling
    case 0x0213:
      return 0x5039;  // YCbCrPositioning
    case 0x0214:
      return 0x503A;  // ReferenceBlackWhite
    case 0x8298:
      return 0x503B;  // Copyright
    // The thumbnail's JPEG stream keeps the numbers of the main image's fields.
    case 0x0201:
      return 0x0201;
    case 0x0202:
      return 0x0202;
    default:
      return 0;
  }
}

namespace {

PropertyItem LongItem(std::uint32_t id, std::uint32_t value) {
  PropertyItem item{id, 4, 1, std::string(4, '\0')};
  for (int i = 0; i < 4; ++i) item.value[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return item;
}

// The thumbnail's own description, as a reader that decodes it reports it:
// its format, its size in pixels and its bytes.
void AddThumbnailItems(const OpenedPhoto& photo, std::vector<PropertyItem>& items) {
  std::string thumb = EmbeddedThumbnail(photo);
  if (thumb.empty()) return;
  int width = 0, height = 0, subsampling = 0, colorspace = 0;
  tjhandle handle = tjInitDecompress();
  if (!handle) return;
  int rc = tjDecompressHeader3(handle, reinterpret_cast<const unsigned char*>(thumb.data()),
                               static_cast<unsigned long>(thumb.size()), &width, &height, &subsampling, &colorspace);
  tjDestroy(handle);
  if (rc != 0) return;
  items.push_back(LongItem(0x5012, 1));  // JPEG
  items.push_back(LongItem(0x5013, static_cast<std::uint32_t>(width)));
  items.push_back(LongItem(0x5014, static_cast<std::uint32_t>(height)));
  items.push_back(PropertyItem{0x501B, 1, static_cast<std::uint32_t>(thumb.size()), thumb});
}

}  // namespace

std::vector<PropertyItem> ReadPropertyItems(const OpenedPhoto& photo) {
  std::vector<PropertyItem> items;
  if (!photo.Ok()) return items;
  try {
    Exiv2::ExifData& exif = photo.image->exifData();
    items.reserve(exif.count() + 4);
    bool thumbnailSeen = false;
    for (const auto& datum : exif) {
      int ifd = datum.ifdId();
      std::uint32_t id = datum.tag();
      if (ifd == kIfd1) {
        id = ThumbnailPropertyId(datum.tag());
        if (id == 0) continue;
      } else if (ifd != kIfd0 && ifd != kExifIfd && ifd != kGpsIfd && ifd != kIopIfd) {
        continue;  // maker-note internals and further sub-images
      }
      PropertyItem item;
      item.id = id;
      int type = static_cast<int>(datum.typeId());
      item.type = static_cast<std::uint16_t>((type >= 1 && type <= 13) ? type : 7);
      item.count = static_cast<std::uint32_t>(datum.count());
      item.value.assign(static_cast<size_t>(datum.size()), '\0');
      if (!item.value.empty()) datum.copy(reinterpret_cast<Exiv2::byte*>(item.value.data()), Exiv2::littleEndian);
      items.push_back(std::move(item));
      if (ifd == kIfd1) thumbnailSeen = true;
    }
    if (thumbnailSeen) AddThumbnailItems(photo, items);
  } catch (const std::exception&) {
    // A damaged block gives the items read so far.
  }
  return items;
}

std::string EmbeddedThumbnail(const OpenedPhoto& photo) {
  if (!photo.Ok()) return {};
  try {
    Exiv2::ExifThumbC thumb(photo.image->exifData());
    if (std::string(thumb.mimeType()) != "image/jpeg") return {};
    Exiv2::DataBuf buf = thumb.copy();
    if (buf.size_ <= 0) return {};
    return std::string(reinterpret_cast<const char*>(buf.pData_), static_cast<size_t>(buf.size_));
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace lx
