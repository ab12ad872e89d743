// What we read ourselves from an ISO base media file's box tree: the creation
// time of a movie (MP4, M4V, 3GP, MOV: the 'mvhd' box inside 'moov'), and the
// Exif item of a HEIF picture (HEIC, AVIF), which the metadata library misses
// when the item lies in the way libheif writes it. Box sizes
// come from the file and are never trusted: every read is checked against the
// file's length and the walk stops after a bounded number of boxes.
#pragma once

#include <optional>
#include <string>

#include "platform/times.h"

namespace lx {

// Seconds between 1904-01-01 (the QuickTime epoch) and 1970-01-01, both UTC.
constexpr TimeT kQuickTimeEpochOffset = 2082844800;

// The movie's creation time in seconds since 1970 UTC; nullopt when the file is
// not such a container, has no movie header, or leaves the time unset (0).
std::optional<TimeT> ReadBmffCreationTime(const std::string& path);

// The TIFF-headed Exif block of a HEIF file's Exif item; nullopt when the file
// has none, keeps it in more than one piece, or its boxes do not add up.
std::optional<std::string> ReadHeifExifBlock(const std::string& path);

}  // namespace lx
