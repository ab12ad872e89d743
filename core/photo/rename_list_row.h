// One row of the rename list as it is shown: the file's record and the texts
// of the columns that are not fields of the record.
#pragma once

#include <string>

#include "photo/rename_file_data.h"

namespace lx {

struct RenameListRow {
  CRenameFileData data;      // column 1 is data.FileName
  std::string newNameText;   // column 2: data.NewName, or its "-Copy" form when the target exists
  std::string fileDateText;  // column 3
  std::string exifDateText;  // column 4
  std::string comments;      // column 5: duplicate and target remarks
  bool selected = false;
};

}  // namespace lx
