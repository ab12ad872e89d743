// The check every new name passes before a run touches a file: a new name
// is one plain file name in its folder, never a path, never hidden by accident.
#pragma once

#include <string>

namespace lx {

// Empty when name is a valid new file name; otherwise why it is not, in the
// words of the list's comment column: it holds a "/" or a NUL, is empty, is
// "." or "..", has an empty title (".jpg", or any name that would make the
// file hidden), or is longer than 255 bytes. A name equal to currentName is
// always accepted: the file keeps it.
std::string NewNameProblem(const std::string& name, const std::string& currentName = {});

// The comment and log text of a row refused for its new name.
std::string InvalidNewNameText(const std::string& name, const std::string& problem);

}  // namespace lx
