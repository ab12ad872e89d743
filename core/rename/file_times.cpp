#include "rename/file_times.h"
#include "photo/defaults.h"

#include "base/log.h"
#include "base/prompts.h"
#include "imaging/exif_access.h"
#include "platform/file_ops.h"
#include "platform/system_error.h"
#include "platform/times.h"

namespace lx {

std::string ExifDateColumnText(const CRenameFileData& row) { return FormatExifDateText(row); }

bool UpdateFileTimeStatus(const std::string& path, const CRenameFileData& row, int mode, Prompts& prompts) {
  std::string dateText = ExifDateColumnText(row);
  std::optional<TimeT> when;
  if (dateText != kExifDateNotAvailable) when = ParseDateText(dateText);
  if (!when) {
    LogFormat("Exif Date and Time Not Available for File '%s' ... Unable to Update File Date and Time.", path.c_str());
    return false;
  }

  // The file must still be there under this name before anything is claimed.
  FileTimes current;
  int error = ReadFileTimes(path, current);
  if (error == 0) {
    bool setModification = mode == FileTimeModification || mode == FileTimeAll;
    error = SetFileTimes(path, setModification ? when : std::nullopt, when);
  }
  if (error != 0) {
    LogFormat("Error Updating File Time Status: %s", SystemErrorText(error).c_str());
    prompts.Beep();
    return true;
  }

  switch (mode) {
    case FileTimeCreation:
      LogFormat("Update Last Access Time of File '%s' as %s", path.c_str(), dateText.c_str());
      break;
    case FileTimeModification:
      LogFormat("Update Modification Time of File '%s' as %s", path.c_str(), dateText.c_str());
      break;
    default:
      LogFormat("Update Modification Time of File '%s' as %s", path.c_str(), dateText.c_str());
      break;
  }
  if (mode == FileTimeCreation || mode == FileTimeAll) {
    // Linux keeps a birth time but offers no call to change it: say so rather than pretend.
    LogFormat("Creation Time of File '%s' Not Updated: Linux Cannot Set a File Creation Time ...", path.c_str());
  }
  return true;
}

}  // namespace lx
