// The rows that "Display Previous Photo" and "Display Next Photo" go to. Both
// start at the first row when none is shown, and stop at the ends of the list
// (the last row counted is the last file, never a trailing non-file row).
#pragma once

namespace lx {

// current is the shown row, -1 for none. Results are -1 when the list holds no file.
int PreviousPhotoRow(int current, int fileCount, int rowCount);
int NextPhotoRow(int current, int fileCount, int rowCount);

}  // namespace lx
