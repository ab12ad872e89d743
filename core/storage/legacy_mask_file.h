// Reader of the mask data file "MaskData.lmd" written by the earlier product
// generation: an archive stream of a signature string, an unused integer, a
// count and that many (mask, description) string pairs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

extern const char* const kLegacyMaskSignature;  // "Quorin - Lorvexandrin - archived-mask"
constexpr int kLegacyMaskMaxEntries = 60;

struct LegacyMaskEntry {
  std::string mask;
  std::string description;
};

enum class LegacyMaskStatus { Ok, CannotOpen, BadSignature, Damaged };

struct LegacyMaskData {
  LegacyMaskStatus status = LegacyMaskStatus::CannotOpen;
  int announcedCount = 0;                // the count the file gives
  std::vector<LegacyMaskEntry> entries;  // at most kLegacyMaskMaxEntries, file order
};

// Reads one archive string at pos: a length prefix (one byte below 255; 0xFF
// and 16 bits below 0xFFFE; 0xFF, 0xFFFF and 32 bits otherwise; 0xFF, 0xFFFE
// announces UTF-16 text whose length follows in the same scheme) and the
// characters. UTF-16 text comes back as UTF-8. False when the bytes run out.
bool ReadArchiveString(std::string_view bytes, size_t& pos, std::string& text);

// Builds the archive form of a text (one-byte, 16-bit or 32-bit prefix).
std::string WriteArchiveString(std::string_view text);

LegacyMaskData ParseLegacyMaskFile(std::string_view bytes);
LegacyMaskData ReadLegacyMaskFile(const std::string& path);

}  // namespace lx
