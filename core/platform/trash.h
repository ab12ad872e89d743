// Moving a file to the user's Trash the way file managers do (the freedesktop
// Trash: the home trash, or the trash of the file's own volume), so that the
// file manager can put it back. GIO does the work.
#pragma once

#include <string>

namespace lx {

// Moves path to the Trash; 0 on success, else an errno-like code with the
// system's text in message.
int MoveToTrash(const std::string& path, std::string& message);

}  // namespace lx
