#include "rename/device_preview_copy.h"

#include <unistd.h>

#include <cstdlib>

#include "base/log.h"
#include "rename/device_list_run.h"
#include "rename/rename_list.h"

namespace lx {

namespace {
std::string TemporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}
}  // namespace

DevicePreviewCopy::~DevicePreviewCopy() {
  DeleteCurrent();
  if (!folder_.empty()) ::rmdir(folder_.c_str());
}

void DevicePreviewCopy::DeleteCurrent() {
  if (!current_.empty()) ::unlink(current_.c_str());
  current_.clear();
}

std::string DevicePreviewCopy::Make(RenameListModel& list, PortableDeviceBackend& backend, int row) {
  const RenameListRow* r = list.Row(row);
  if (r == nullptr) return {};
  if (folder_.empty()) {
    std::string pattern = TemporaryFolder() + "/lx-device-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      LogMessage("Unable to Get Temporary Path: " + TemporaryFolder());
      return {};
    }
    folder_ = pattern;
  }
  // The copy keeps the object's name, so the details view shows it; a name
  // with a slash could leave the private folder and is not used as it stands.
  std::string name = r->data.FileName.empty() ? std::string("Unknown") : r->data.FileName;
  for (char& c : name)
    if (c == '/') c = '_';
  if (name == "." || name == "..") name = "Unknown";
  DeleteCurrent();
  const std::string local = folder_ + "/" + name;
  std::string display;
  if (!PrepareDevicePreview(list, backend, row, local, display)) {
    ::unlink(local.c_str());
    return {};
  }
  current_ = local;
  return current_;
}

}  // namespace lx
