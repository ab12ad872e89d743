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

enum class EntryKind { Folder, LinkedFolder, File, Other };

// A link to a file counts as the file; a link to a folder is told apart, so
// that a tree read never follows it (it could lead back up the tree). A
// dangling link, a FIFO, a socket or a device is Other: nothing a photo could
// be, and a FIFO would hang a copy.
EntryKind KindOf(int dirFd, const struct dirent* entry) {
  if (entry->d_type == DT_DIR) return EntryKind::Folder;
  if (entry->d_type == DT_REG) return EntryKind::File;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return EntryKind::Other;
  struct stat st {};
  if (fstatat(dirFd, entry->d_name, &st, 0) != 0) return EntryKind::Other;
  bool link = entry->d_type == DT_LNK;
  if (entry->d_type == DT_UNKNOWN) {
    struct stat own {};
    link = fstatat(dirFd, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
  }
  if (S_ISDIR(st.st_mode)) return link ? EntryKind::LinkedFolder : EntryKind::Folder;
  return S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
}

struct FolderEntries {
  std::vector<std::string> files, folders, linkedFolders, others;
};

// The entries of one folder, each list in name order; false when it cannot be read.
bool ReadFolderEntries(const std::string& folder, FolderEntries& entries) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  const int fd = dirfd(dir.get());
  while (const struct dirent* entry = readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    if (IsPartialName(entry->d_name)) continue;  // a copy still being written, or a stale one
    switch (KindOf(fd, entry)) {
      case EntryKind::File:
        entries.files.emplace_back(entry->d_name);
        break;
      case EntryKind::Folder:
        entries.folders.emplace_back(entry->d_name);
        break;
      case EntryKind::LinkedFolder:
        entries.linkedFolders.emplace_back(entry->d_name);
        break;
      case EntryKind::Other:
        entries.others.emplace_back(entry->d_name);
        break;
    }
  }
  for (auto* list : {&entries.files, &entries.folders, &entries.linkedFolders, &entries.others})
    std::sort(list->begin(), list->end(), FolderNameLess);
  return true;
}

void ListTreeLevel(const std::string& root, const std::string& sub, int depth, int maxDepth, FolderTreeListing& listing,
                   const FolderEntries& entries) {
  for (const std::string& name : entries.files) listing.files.push_back({sub, name});
  for (const std::string& name : entries.others) listing.skipped.push_back(sub + name);
  if (maxDepth >= 0 && depth >= maxDepth) return;
  for (const std::string& name : entries.linkedFolders) listing.linkedFolders.push_back(sub + name + "/");
  for (const std::string& name : entries.folders) {
    const std::string child = sub + name + "/";
    FolderEntries inner;
    if (!ReadFolderEntries(root + child, inner)) {
      listing.unreadable.push_back(child);
      continue;
    }
    ListTreeLevel(root, child, depth + 1, maxDepth, listing, inner);
  }
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
  FolderEntries entries;
  if (!ReadFolderEntries(folder, entries)) return false;
  names = std::move(entries.files);
  if (skipped) *skipped = std::move(entries.others);
  return true;
}

bool ListFolderTree(const std::string& folder, int maxDepth, FolderTreeListing& listing) {
  listing = {};
  const std::string root = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  FolderEntries entries;
  if (!ReadFolderEntries(root, entries)) return false;
  ListTreeLevel(root, "", 0, maxDepth, listing, entries);
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
