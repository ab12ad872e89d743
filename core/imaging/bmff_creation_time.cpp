#include "imaging/bmff_creation_time.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace lx {

namespace {

constexpr int kMaxBoxes = 4096;  // a real file has a few dozen at the levels we walk

// Closes the descriptor whatever way the reader leaves.
struct FileHandle {
  int fd;
  ~FileHandle() {
    if (fd >= 0) ::close(fd);
  }
};

std::uint32_t Be32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint64_t Be64(const unsigned char* p) { return (std::uint64_t{Be32(p)} << 32) | Be32(p + 4); }

bool ReadAt(int fd, std::uint64_t offset, unsigned char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

struct Box {
  std::uint64_t start = 0;    // of the header
  std::uint64_t payload = 0;  // first byte after the header
  std::uint64_t end = 0;      // one past the last byte
  char type[5] = {};
};

// The box at offset inside [offset, limit); false when its header does not fit
// or its size runs past the limit.
bool ReadBox(int fd, std::uint64_t offset, std::uint64_t limit, Box& box) {
  unsigned char header[16];
  if (limit < offset || limit - offset < 8 || !ReadAt(fd, offset, header, 8)) return false;
  std::uint64_t size = Be32(header);
  std::uint64_t headerSize = 8;
  if (size == 1) {  // a 64-bit size follows the type
    if (limit - offset < 16 || !ReadAt(fd, offset + 8, header + 8, 8)) return false;
    size = Be64(header + 8);
    headerSize = 16;
  } else if (size == 0) {  // runs to the end of its parent
    size = limit - offset;
  }
  if (size < headerSize || size > limit - offset) return false;
  box.start = offset;
  box.payload = offset + headerSize;
  box.end = offset + size;
  std::memcpy(box.type, header + 4, 4);
  box.type[4] = '\0';
  return true;
}

// The first child of the given type among the boxes in [from, to).
bool FindBox(int fd, std::uint64_t from, std::uint64_t to, const char* type, Box& found, int& budget) {
  std::uint64_t at = from;
  while (at < to && budget-- > 0) {
    Box box;
    if (!ReadBox(fd, at, to, box)) return false;
    if (std::memcmp(box.type, type, 4) == 0) {
      found = box;
      return true;
    }
    at = box.end;
  }
  return false;
}

// Big-endian unsigned number of 0, 4 or 8 bytes at p (as iloc sizes it).
std::uint64_t BeN(const unsigned char* p, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
  return value;
}

constexpr std::uint64_t kMaxExifItem = 4 * 1024 * 1024;
constexpr std::uint64_t kMaxIndexBox = 1024 * 1024;  // iinf and iloc of a real picture are a few hundred bytes

// The payload of a box, read whole when it is small enough to be an index.
bool ReadPayload(int fd, const Box& box, std::string& bytes) {
  const std::uint64_t size = box.end - box.payload;
  if (size > kMaxIndexBox) return false;
  bytes.resize(static_cast<size_t>(size));
  return ReadAt(fd, box.payload, reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
}

// A cursor over an index box's bytes that refuses to read past them.
struct Cursor {
  const std::string& bytes;
  size_t at = 0;
  bool ok = true;
  std::uint64_t Take(int n) {
    if (!ok || n < 0 || bytes.size() - at < static_cast<size_t>(n)) {
      ok = false;
      return 0;
    }
    std::uint64_t value = BeN(reinterpret_cast<const unsigned char*>(bytes.data()) + at, n);
    at += static_cast<size_t>(n);
    return value;
  }
};

// The item ID of the first item of type "Exif" in an 'iinf' payload.
std::optional<std::uint32_t> ExifItemId(const std::string& iinf) {
  Cursor c{iinf};
  const int version = static_cast<int>(c.Take(1));
  c.Take(3);
  std::uint64_t count = c.Take(version == 0 ? 2 : 4);
  while (c.ok && count-- > 0 && c.at + 8 <= iinf.size()) {
    Cursor box{iinf, c.at};
    const std::uint64_t size = box.Take(4);
    const std::uint64_t type = box.Take(4);
    if (!box.ok || size < 8 || size > iinf.size() - c.at) return std::nullopt;
    c.at += static_cast<size_t>(size);
    if (type != 0x696E6665) continue;  // 'infe'
    const int infeVersion = static_cast<int>(box.Take(1));
    box.Take(3);
    if (infeVersion < 2) continue;  // old entries name no item type
    const std::uint64_t id = box.Take(infeVersion == 2 ? 2 : 4);
    box.Take(2);  // protection index
    const std::uint64_t itemType = box.Take(4);
    if (box.ok && box.at <= c.at && itemType == 0x45786966) return static_cast<std::uint32_t>(id);  // 'Exif'
  }
  return std::nullopt;
}

struct Extent {
  int method = 0;  // 0 file offset, 1 offset in 'idat'
  std::uint64_t offset = 0, length = 0;
};

// The single extent of an item in an 'iloc' payload.
std::optional<Extent> ItemExtent(const std::string& iloc, std::uint32_t wanted) {
  Cursor c{iloc};
  const int version = static_cast<int>(c.Take(1));
  c.Take(3);
  const int sizes = static_cast<int>(c.Take(2));
  const int offsetSize = sizes >> 12, lengthSize = (sizes >> 8) & 15, baseSize = (sizes >> 4) & 15;
  const int indexSize = (version == 1 || version == 2) ? (sizes & 15) : 0;
  if (version > 2) return std::nullopt;
  std::uint64_t count = c.Take(version < 2 ? 2 : 4);
  while (c.ok && count-- > 0) {
    const std::uint64_t id = c.Take(version < 2 ? 2 : 4);
    Extent extent;
    if (version >= 1) extent.method = static_cast<int>(c.Take(2) & 15);
    c.Take(2);  // data reference index
    const std::uint64_t base = c.Take(baseSize);
    const std::uint64_t extents = c.Take(2);
    for (std::uint64_t e = 0; c.ok && e < extents; ++e) {
      c.Take(indexSize);
      extent.offset = base + c.Take(offsetSize);
      extent.length = c.Take(lengthSize);
    }
    if (!c.ok) return std::nullopt;
    if (id == wanted) {
      if (extents != 1 || extent.method > 1) return std::nullopt;
      return extent;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadHeifExifBlock(const std::string& path) {
  FileHandle file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 8) return std::nullopt;
  const std::uint64_t length = static_cast<std::uint64_t>(st.st_size);
  Box first;
  if (!ReadBox(file.fd, 0, length, first) || std::memcmp(first.type, "ftyp", 4) != 0) return std::nullopt;

  int budget = kMaxBoxes;
  Box meta, iinfBox, ilocBox, idat;
  if (!FindBox(file.fd, 0, length, "meta", meta, budget)) return std::nullopt;
  const std::uint64_t children = meta.payload + 4;  // 'meta' is a full box: version and flags first
  if (children > meta.end) return std::nullopt;
  if (!FindBox(file.fd, children, meta.end, "iinf", iinfBox, budget)) return std::nullopt;
  if (!FindBox(file.fd, children, meta.end, "iloc", ilocBox, budget)) return std::nullopt;
  std::string iinf, iloc;
  if (!ReadPayload(file.fd, iinfBox, iinf) || !ReadPayload(file.fd, ilocBox, iloc)) return std::nullopt;
  auto id = ExifItemId(iinf);
  if (!id) return std::nullopt;
  auto extent = ItemExtent(iloc, *id);
  if (!extent || extent->length < 4 || extent->length > kMaxExifItem) return std::nullopt;

  std::uint64_t start = extent->offset, limit = length;
  if (extent->method == 1) {
    if (!FindBox(file.fd, children, meta.end, "idat", idat, budget)) return std::nullopt;
    start = idat.payload + extent->offset;
    limit = idat.end;
    if (start < idat.payload) return std::nullopt;  // wrapped round
  }
  if (start > limit || extent->length > limit - start) return std::nullopt;
  std::string item(static_cast<size_t>(extent->length), '\0');
  if (!ReadAt(file.fd, start, reinterpret_cast<unsigned char*>(item.data()), item.size())) return std::nullopt;
  // The item opens with the distance from its fifth byte to the TIFF header.
  const std::uint64_t skip = 4 + BeN(reinterpret_cast<const unsigned char*>(item.data()), 4);
  if (skip >= item.size()) return std::nullopt;
  return item.substr(static_cast<size_t>(skip));
}

std::optional<TimeT> ReadBmffCreationTime(const std::string& path) {
  FileHandle file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 8) return std::nullopt;
  const std::uint64_t length = static_cast<std::uint64_t>(st.st_size);

  // An ISO file opens with 'ftyp'; an old QuickTime movie may open with one of
  // its other top-level boxes. Anything else is not ours to read.
  Box first;
  if (!ReadBox(file.fd, 0, length, first)) return std::nullopt;
  static const char* const kOpeners[] = {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"};
  bool known = false;
  for (const char* opener : kOpeners) known = known || std::memcmp(first.type, opener, 4) == 0;
  if (!known) return std::nullopt;

  int budget = kMaxBoxes;
  Box moov, mvhd;
  if (!FindBox(file.fd, 0, length, "moov", moov, budget)) return std::nullopt;
  if (!FindBox(file.fd, moov.payload, moov.end, "mvhd", mvhd, budget)) return std::nullopt;

  // Version and flags, then the creation time: 32 bits in version 0, 64 in version 1.
  unsigned char fields[12];
  if (mvhd.end - mvhd.payload < 8 || !ReadAt(file.fd, mvhd.payload, fields, 4)) return std::nullopt;
  std::uint64_t created = 0;
  if (fields[0] == 1) {
    if (mvhd.end - mvhd.payload < 12 || !ReadAt(file.fd, mvhd.payload + 4, fields + 4, 8)) return std::nullopt;
    created = Be64(fields + 4);
  } else {
    if (!ReadAt(file.fd, mvhd.payload + 4, fields + 4, 4)) return std::nullopt;
    created = Be32(fields + 4);
  }
  // 0 is "not set"; a value beyond any calendar a time_t can show is damage.
  if (created == 0 || created > (std::uint64_t{1} << 40)) return std::nullopt;
  return static_cast<TimeT>(created) - kQuickTimeEpochOffset;
}

}  // namespace lx
