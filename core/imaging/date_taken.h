// Where a photo's date taken comes from when its Exif block has none: the XMP
// dates inside the file, then those of an XMP sidecar beside it, then a video
// container's creation time. Each result keeps the clock reading for texts and
// names and, for sorting and file times, the instant it stands for.
#pragma once

#include <optional>

#include "imaging/exif_access.h"
#include "photo/rename_file_data.h"
#include "platform/times.h"

namespace lx {

struct DateTaken {
  LocalFields fields;  // the clock reading shown and used in names
  TimeT time = 0;      // the instant, for sorting and file times
  ExifDateSource source = ExifDateSource::None;
};

// A date taken from a clock reading in local time; nullopt when the C library
// cannot represent it.
std::optional<DateTaken> DateTakenFromFields(const LocalFields& fields, ExifDateSource source);

// The date taken of a photo whose Exif block gave none, searched in the order
// above. Works on photo.path alone when the metadata reader could not open the
// file (an MP4 it does not know, for example).
std::optional<DateTaken> FindDateTakenBeyondExif(const OpenedPhoto& photo);

// A human name of a source, for the details view: "Exif Date Taken" etc.; empty for None.
const char* ExifDateSourceText(ExifDateSource source);

}  // namespace lx
