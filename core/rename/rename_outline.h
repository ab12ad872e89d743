// The outline shown after a rename run.
#pragma once

#include <string>

namespace lx {

struct RenameOutline {
  int fileCount = 0;
  int renamedCount = 0;
  std::string mask;
  int renameType = 0;
  std::string sourcePath;
  std::string renamePath;
  long long elapsedMs = 0;
};

// The RTF body of the outline (without the document header and colour table).
std::string BuildRenameOutlineBody(const RenameOutline& outline);

}  // namespace lx
