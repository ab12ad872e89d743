#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/system_calls.h"

namespace lx {

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  size_t slash = path.rfind('/');
  std::string_view name = path;
  if (slash != std::string_view::npos) {
    parts.dir = std::string(path.substr(0, slash + 1));
    name = path.substr(slash + 1);
  }
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) {
    parts.title = std::string(name);
  } else {
    parts.title = std::string(name.substr(0, dot));
    parts.ext = std::string(name.substr(dot));
  }
  return parts;
}

std::string JoinPath(const PathParts& parts) { return parts.drive + parts.dir + parts.title + parts.ext; }

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out(folder);
  if (out.back() != '/') out += '/';
  while (!name.empty() && name.front() == '/') name.remove_prefix(1);
  out += name;
  return out;
}

std::string WithTrailingSlash(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || out.back() != '/') out += '/';
  return out;
}

std::string FileNameOf(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder;
  if (home && *home) {
    folder = home;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    folder = pw->pw_dir;
  } else {
    folder = "/";
  }
  return WithTrailingSlash(folder);
}

static std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
  const char* value = std::getenv(variable);
  // The XDG rules ignore relative paths.
  if (value && value[0] == '/') {
    std::string out(value);
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
  }
  return HomeFolder() + fallbackBelowHome;
}

std::string ConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }
std::string DataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }
std::string StateHome() { return XdgFolder("XDG_STATE_HOME", ".local/state"); }

bool FolderExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int CreateFolderTree(const std::string& path) {
  if (path.empty()) return ENOENT;
  std::string partial;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    partial = path.substr(0, slash);
    if (!partial.empty() && !FolderExists(partial)) {
      if (sys::Mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) return errno;
      if (!FolderExists(partial)) return ENOTDIR;
    }
    start = slash + 1;
  }
  return 0;
}

}  // namespace lx
