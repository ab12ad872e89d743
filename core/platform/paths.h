// Path split and join on "/" paths. The split mirrors the drive / folder /
// title / extension split the program was designed around; the drive part is
// always empty on Linux.
#pragma once

#include <string>
#include <string_view>

namespace lx {

struct PathParts {
  std::string drive;  // always empty here
  std::string dir;    // folder with its trailing "/", empty when the path has none
  std::string title;  // file name without extension
  std::string ext;    // extension with its leading ".", empty when none
};

// "/a/b/IMG_1.JPG" -> {"", "/a/b/", "IMG_1", ".JPG"}; the extension starts at the
// last "." of the file name (a leading "." as in ".hidden" is a title, not an extension).
PathParts SplitPath(std::string_view path);
std::string JoinPath(const PathParts& parts);

// Folder + name, with exactly one "/" between them.
std::string JoinPath(std::string_view folder, std::string_view name);

std::string WithTrailingSlash(std::string_view folder);
std::string FileNameOf(std::string_view path);  // title + extension

// The user's home folder with a trailing "/": the default for source and rename paths.
std::string HomeFolder();

// $XDG_CONFIG_HOME (default ~/.config), $XDG_DATA_HOME (default ~/.local/share)
// and $XDG_STATE_HOME (default ~/.local/state), no trailing "/".
std::string ConfigHome();
std::string DataHome();
std::string StateHome();

bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);  // a regular file

// Creates every missing level of a folder path; 0 on success, else errno.
int CreateFolderTree(const std::string& path);

}  // namespace lx
