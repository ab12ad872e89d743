// Deleting the selected files of the rename list, after the user confirmed.
#pragma once

#include <string>
#include <vector>

namespace lx {

class RenameListModel;
struct RenameListRow;

// The request body listing the files to delete; toTrash adds that they are
// moved to the Trash.
std::string BuildDeleteRequest(const std::vector<std::string>& fileNames, const std::string& sourcePath,
                               bool toTrash = false);

// Deletes the row's file (to the Trash, or for good) and removes the row,
// whether the deletion worked or not (a failure is logged). Returns true when
// the file was deleted.
bool DeleteListedFile(RenameListModel& list, int index, bool toTrash = false);

// Asks, then deletes the selected rows' files from the last row to the first,
// so that the indices of the rows still to do stay valid. The files go to the
// Trash unless the "DeleteToTrash" setting is 0 or permanent is set. False on
// cancel or when nothing is selected.
bool DeleteSelectedFiles(RenameListModel& list, bool permanent = false);

}  // namespace lx
