#include "rename/source_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/partial_files.h"

namespace lx {

namespace {

unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

enum class EntryKind { Folder, File, Other };

// A link counts as what it points to; a dangling link, a FIFO, a socket or a
// device is Other: nothing a photo could be, and a FIFO would hang a copy.
EntryKind KindOf(int dirFd, const struct dirent* entry) {
  if (entry->d_type == DT_DIR) return EntryKind::Folder;
  if (entry->d_type == DT_REG) return EntryKind::File;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return EntryKind::Other;
  struct stat st {};
  if (fstatat(dirFd, entry->d_name, &st, 0) != 0) return EntryKind::Other;
  if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
  return S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
}

}  // namespace

bool FolderNameLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = FoldAscii(static_cast<unsigned char>(a[i]));
    unsigned char y = FoldAscii(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names, std::vector<std::string>* skipped) {
  names.clear();
  if (skipped) skipped->clear();
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  const int fd = dirfd(dir.get());
  while (const struct dirent* entry = readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    if (IsPartialName(entry->d_name)) continue;  // a copy still being written, or a stale one
    const EntryKind kind = KindOf(fd, entry);
    if (kind == EntryKind::File)
      names.emplace_back(entry->d_name);
    else if (kind == EntryKind::Other && skipped)
      skipped->emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end(), FolderNameLess);
  if (skipped) std::sort(skipped->begin(), skipped->end(), FolderNameLess);
  return true;
}

bool ReadFileStatusTimes(const std::string& path, FileStatusTimes& times) {
  times = FileStatusTimes{};
  struct statx sx {};
  if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return false;
  times.modification = sx.stx_mtime.tv_sec;
  times.access = sx.stx_atime.tv_sec;
  times.creation = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : sx.stx_mtime.tv_sec;
  return true;
}

TimeT FileDateOf(const FileStatusTimes& times, int fileDateSource) {
  return fileDateSource == 1 ? times.modification : times.creation;
}

}  // namespace lx
