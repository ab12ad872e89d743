// Copies in progress live under a hidden name of their own in the folder they
// are written to (".lx-partial-<pid>-<n>-<name>"), so that an interrupted copy
// never sits under a real photo's name. This file makes those names and finds
// the ones a killed process left behind.
#pragma once

#include <string>
#include <vector>

namespace lx {

extern const char* const kPartialPrefix;  // ".lx-partial-"

// A fresh hidden name for a copy of finalName in the same folder; at most 255 bytes.
std::string PartialPathFor(const std::string& finalPath);

// A hidden name in the same folder for a file about to be deleted
// (".lx-deleting-<pid>-<n>-<name>"). Never removed by RemoveStalePartials: after
// a crash it may hold a file that was not ours to delete.
std::string DeletingPathFor(const std::string& path);

// True when name (no folder) is one of our partial names.
bool IsPartialName(const std::string& name);

// Removes the partial files of processes that no longer run from folder, and
// returns their paths (the caller logs them). Partials of a running process,
// this one included, are left alone.
std::vector<std::string> RemoveStalePartials(const std::string& folder);

}  // namespace lx
