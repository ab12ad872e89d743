// File operations on users' photos. None of them ever replaces an existing
// file: a rename refuses a taken name, a copy refuses an existing target, and
// a copy that fails half-way leaves no partial target behind. Every function
// returns 0 on success or the errno of the failure.
#pragma once

#include <optional>
#include <string>

#include "platform/times.h"

namespace lx {

// True when anything (file, folder, link, even a dangling one) has this name.
bool PathExists(const std::string& path);

// Renames from -> to; fails with EEXIST when "to" is taken, whatever the file system.
int RenameNoReplace(const std::string& from, const std::string& to);

// Copies from -> to, creating "to" exclusively. The copy keeps the source's
// permission bits, modification and access times. With flush, the copy's data
// and its folder entry reach the disk before the call returns, so the source
// may then be deleted safely.
int CopyFileNoReplace(const std::string& from, const std::string& to, bool flush = false);

// Removes a file (never a folder).
int DeleteFile(const std::string& path);

struct FileTimes {
  TimeT creation = 0;  // birth time, or the modification time where the file system keeps none
  bool hasBirthTime = false;
  TimeT modification = 0;
  TimeT access = 0;
};

int ReadFileTimes(const std::string& path, FileTimes& times);

// Sets the modification and/or access time; an absent value keeps the file's own.
// A creation time cannot be set on Linux, so there is no parameter for it.
int SetFileTimes(const std::string& path, std::optional<TimeT> modification, std::optional<TimeT> access);

}  // namespace lx
