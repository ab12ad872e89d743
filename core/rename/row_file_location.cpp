#include "rename/row_file_location.h"

#include <sys/stat.h>

namespace lx {

namespace {
// A folder is never a row's file: a row without a new name would otherwise
// name the rename folder itself.
bool IsFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

std::string LocateRowFile(const std::string& sourceFolder, const std::string& fileName, const std::string& renameFolder,
                          const std::string& newName) {
  const std::string inSource = sourceFolder + fileName;
  if (IsFile(inSource)) return inSource;
  const std::string inRename = renameFolder + newName;
  if (IsFile(inRename)) return inRename;
  return {};
}

}  // namespace lx
