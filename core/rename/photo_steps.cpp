#include "rename/photo_steps.h"

#include <algorithm>

namespace lx {

int PreviousPhotoRow(int current, int fileCount, int rowCount) {
  if (fileCount <= 0 || rowCount <= 0) return -1;
  return current < 0 ? 0 : std::max(current - 1, 0);
}

int NextPhotoRow(int current, int fileCount, int rowCount) {
  if (fileCount <= 0 || rowCount <= 0) return -1;
  const int last = std::max(0, std::min(fileCount, rowCount) - 1);
  return current < 0 ? 0 : std::min(current + 1, last);
}

}  // namespace lx
