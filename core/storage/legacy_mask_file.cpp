#include "storage/legacy_mask_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace lx {

const char* const kLegacyMaskSignature = "Quorin - Lorvexandrin - archived-mask";

namespace {

bool ReadU8(std::string_view b, size_t& pos, std::uint32_t& v) {
  if (pos + 1 > b.size()) return false;
  v = static_cast<unsigned char>(b[pos]);
  pos += 1;
  return true;
}

bool ReadU16(std::string_view b, size_t& pos, std::uint32_t& v) {
  if (pos + 2 > b.size()) return false;
  v = static_cast<unsigned char>(b[pos]) | (static_cast<unsigned char>(b[pos + 1]) << 8);
  pos += 2;
  return true;
}

bool ReadU32(std::string_view b, size_t& pos, std::uint32_t& v) {
  if (pos + 4 > b.size()) return false;
  v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[pos + static_cast<size_t>(i)]);
  pos += 4;
  return true;
}

// The length prefix; unicode is set when the UTF-16 marker preceded it.
bool ReadLength(std::string_view b, size_t& pos, std::uint32_t& length, bool& unicode) {
  unicode = false;
  std::uint32_t v = 0;
  if (!ReadU8(b, pos, v)) return false;
  if (v < 0xFF) {
    length = v;
    return true;
  }
  if (!ReadU16(b, pos, v)) return false;
  if (v == 0xFFFE) {
    unicode = true;
    // The length follows again in the one-byte / 16-bit / 32-bit scheme.
    if (!ReadU8(b, pos, v)) return false;
    if (v < 0xFF) {
      length = v;
      return true;
    }
    if (!ReadU16(b, pos, v)) return false;
  }
  if (v < 0xFFFF) {
    length = v;
    return true;
  }
  return ReadU32(b, pos, length);
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

bool ReadArchiveString(std::string_view bytes, size_t& pos, std::string& text) {
  std::uint32_t length = 0;
  bool unicode = false;
  if (!ReadLength(bytes, pos, length, unicode)) return false;
  text.clear();
  if (!unicode) {
    if (length > bytes.size() - pos) return false;
    text.assign(bytes.substr(pos, length));
    pos += length;
    return true;
  }
  if (length > (bytes.size() - pos) / 2) return false;
  for (std::uint32_t i = 0; i < length; ++i) {
    std::uint32_t unit = 0;
    ReadU16(bytes, pos, unit);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < length) {
      size_t save = pos;
      std::uint32_t low = 0;
      ReadU16(bytes, pos, low);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
      pos = save;
    }
    // A lone surrogate cannot be written as UTF-8; it becomes a replacement mark.
    AppendUtf8(text, (unit >= 0xD800 && unit < 0xE000) ? 0xFFFD : unit);
  }
  return true;
}

std::string WriteArchiveString(std::string_view text) {
  std::string out;
  auto put16 = [&out](std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
  };
  size_t n = text.size();
  if (n < 0xFF) {
    out += static_cast<char>(n);
  } else if (n < 0xFFFE) {
    out += '\xFF';
    put16(static_cast<std::uint32_t>(n));
  } else {
    out += '\xFF';
    put16(0xFFFF);
    put16(static_cast<std::uint32_t>(n) & 0xFFFF);
    put16(static_cast<std::uint32_t>(n) >> 16);
  }
  out.append(text);
  return out;
}

LegacyMaskData ParseLegacyMaskFile(std::string_view bytes) {
  LegacyMaskData data;
  size_t pos = 0;
  std::string signature;
  if (!ReadArchiveString(bytes, pos, signature) || signature != kLegacyMaskSignature) {
    data.status = LegacyMaskStatus::BadSignature;
    return data;
  }
  std::uint32_t ignored = 0, count = 0;
  if (!ReadU32(bytes, pos, ignored) || !ReadU32(bytes, pos, count)) {
    data.status = LegacyMaskStatus::Damaged;
    return data;
  }
  data.announcedCount = static_cast<std::int32_t>(count);
  int toRead = data.announcedCount <= 0 ? 0 : std::min(data.announcedCount, kLegacyMaskMaxEntries);
  for (int i = 0; i < toRead; ++i) {
    LegacyMaskEntry entry;
    if (!ReadArchiveString(bytes, pos, entry.mask) || !ReadArchiveString(bytes, pos, entry.description)) {
      data.status = LegacyMaskStatus::Damaged;
      data.entries.clear();
      return data;
    }
    data.entries.push_back(std::move(entry));
  }
  data.status = LegacyMaskStatus::Ok;
  return data;
}

LegacyMaskData ReadLegacyMaskFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return LegacyMaskData{};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return LegacyMaskData{};
  return ParseLegacyMaskFile(bytes);
}

}  // namespace lx
