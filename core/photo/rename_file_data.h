// CRenameFileData: everything the program knows about one file of the rename
// list, from the moment its row is made until the list is cleared. The list
// owns its records; nothing keeps a pointer to one beyond a single operation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/times.h"

namespace lx {

// StateFlags bits.
enum RowState : std::uint32_t {
  RowListed = 0x01,         // the new name has been computed and shown
  RowRenamed = 0x02,        // the file was renamed
  RowFileTimeUsed = 0x04,   // a date element took its value from FileDate
  RowExifTimeUsed = 0x08,   // a date element took its value from ExifDate
  RowDuplicateRoot = 0x10,  // first row of a group with the same new name
  RowDuplicate = 0x20,      // further row of such a group
};

constexpr int kMaxMaskElements = 50;

// Where a row's date taken came from, best first. None: the photo has none and
// names fall back to the file date.
enum class ExifDateSource : std::uint8_t {
  None = 0,
  DateTimeOriginal,   // Exif 0x9003
  DateTimeDigitized,  // Exif 0x9004
  Xmp,                // exif:DateTimeOriginal, xmp:CreateDate or photoshop:DateCreated
  XmpSidecar,         // the same XMP dates in NAME.xmp or NAME.EXT.xmp beside the file
  Video,              // a video container's creation time
};

struct CRenameFileData {
  std::string FilePath;   // full path of the file
  std::string FileName;   // name with extension (the current name)
  std::string FileTitle;  // name without extension
  std::string FileExt;    // extension with its leading "."; empty when none
  std::string NewName;    // the mask's result, possibly with a duplicate suffix
  TimeT FileDate = 0;     // creation time (birth time where the file system keeps one)
  TimeT ExifDate = 0;     // date taken; 2000-01-01 00:00:00 local when not available
  bool ExifDateValid = false;
  // The date taken as the camera's clock read it. Texts and names are made
  // from these fields: ExifDate went through mktime, which moves a time in a
  // daylight-saving gap, so it serves only for sorting and file times.
  LocalFields ExifFields;
  ExifDateSource ExifSource = ExifDateSource::None;  // None also for device rows
  TimeT CreationTime = 0;
  TimeT ModificationTime = 0;
  TimeT AccessTime = 0;
  std::array<std::string, kMaxMaskElements> ElementTexts{};  // per mask element
  std::uint32_t StateFlags = 0;
  int CounterValue = -1;  // picture counter used for the name; -1 when none
  int Orientation = 0;    // TransformCode from the Exif orientation
  std::string ErrorText;  // last error of this row

  // Portable-device objects.
  std::string ObjectId;
  TimeT ObjectTime = 0;
  std::string ObjectName;
  bool ObjectNameExtNative = false;
  std::string ObjectNameExt;
  bool ObjectNameReadable = false;
  bool ObjectNameWriteable = false;
  bool FileNameExtNative = false;
  bool FileNameReadable = false;
  bool FileNameWriteable = false;
};

}  // namespace lx
