// The program's defaults and fixed texts that several layers show or compare
// against: written here once, used everywhere. Colours are 0x00BBGGRR, the
// form in which the settings keep them.
#pragma once

#include <cstdint>

namespace lx {

inline constexpr const char* kStandardMask = "%Y-%m-%d %H-%M-%S";
inline constexpr const char* kDefaultSelectionFilter = "*.jpg";
inline constexpr const char* kDefaultSuffixMask = "-%03d";

// The Exif-date column's text for a photo without a date taken.
inline constexpr const char* kExifDateNotAvailable = "Exif Date Not Available";

// The list's five state colours.
inline constexpr std::uint32_t kDefaultListedFileColor = 0x000000;
inline constexpr std::uint32_t kDefaultRenamedFileColor = 0xFF0000;
inline constexpr std::uint32_t kDefaultSelectedTimeColor = 0x228B22;
inline constexpr std::uint32_t kDefaultDuplicateRootColor = 0x000080;
inline constexpr std::uint32_t kDefaultDuplicateColor = 0x0000FF;

// Backgrounds of the rich-text message box and of the rename outline box.
inline constexpr std::uint32_t kDefaultMessageBoxColor = 0xE9DAD4;
inline constexpr std::uint32_t kDefaultOutlineBoxColor = 0xFFFFFF;

}  // namespace lx
