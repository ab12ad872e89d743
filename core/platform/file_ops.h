// File operations on users' photos. None of them ever replaces an existing
// file: a rename refuses a taken name, a copy refuses an existing target, and
// a copy that fails half-way leaves no partial target behind. Every function
// returns 0 on success or the errno of the failure.
#pragma once

#include <cerrno>
#include <optional>
#include <string>

#include "platform/times.h"

namespace lx {

// True when anything (file, folder, link, even a dangling one) has this name.
bool PathExists(const std::string& path);

// Renames from -> to; fails with EEXIST when "to" is taken, whatever the file system.
int RenameNoReplace(const std::string& from, const std::string& to);

// What makes a file the same file: recorded when a copy opens its source, so
// that the source is deleted only while its path still names that file.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long size = 0;
  long long mtimeSec = 0;
  long long mtimeNsec = 0;
};

// Error returned when a path no longer names the file a caller recorded.
constexpr int kErrorFileChanged = ESTALE;

// Copies from -> to, never replacing anything. Only a regular file is copied
// (anything else gives EINVAL, a folder EISDIR, a link ELOOP) and the open
// never blocks, whatever sits under the name. The data goes into a hidden
// partial file in the target folder, reaches the disk, and only then takes the
// name "to" (EEXIST when it is taken); an interrupted copy leaves no file under
// "to". The copy keeps the source's permission bits, modification and access
// times. source, when given, receives the identity of the file copied.
// With flush, the folder entry is on disk too before the call returns, so the
// source may then be deleted safely.
int CopyFileNoReplace(const std::string& from, const std::string& to, bool flush = false,
                      FileIdentity* source = nullptr);

// Removes a file (never a folder).
int DeleteFile(const std::string& path);

// Removes path only while it names the file identified; kErrorFileChanged
// (and nothing removed) when another file took the name since.
int DeleteFileIfSame(const std::string& path, const FileIdentity& identity);

struct FileTimes {
  TimeT creation = 0;  // birth time, or the modification time where the file system keeps none
  bool hasBirthTime = false;
  TimeT modification = 0;
  TimeT access = 0;
};

// Times of the entry itself: a link is never followed.
int ReadFileTimes(const std::string& path, FileTimes& times);

// Sets the modification and/or access time; an absent value keeps the file's own.
// A creation time cannot be set on Linux, so there is no parameter for it.
// A link's own times are set, never those of the file it points to.
int SetFileTimes(const std::string& path, std::optional<TimeT> modification, std::optional<TimeT> access);

// Sets the modification time to the nanosecond (the access time is kept), as
// when a file is given back the time it had before a run touched it.
int SetModificationTime(const std::string& path, long long seconds, long long nanoseconds);

}  // namespace lx
