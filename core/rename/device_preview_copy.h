// The local copy of a device row's picture that the preview and the details
// view show. One copy at a time, in a private folder of the temporary folder:
// making the next copy deletes the one before, and the owner's end deletes the
// last one and the folder.
#pragma once

#include <string>

namespace lx {

class PortableDeviceBackend;
class RenameListModel;

class DevicePreviewCopy {
 public:
  DevicePreviewCopy() = default;
  ~DevicePreviewCopy();
  DevicePreviewCopy(const DevicePreviewCopy&) = delete;
  DevicePreviewCopy& operator=(const DevicePreviewCopy&) = delete;

  // Copies the row's object and returns the copy's path; empty when the copy
  // failed (the device layer has logged why).
  std::string Make(RenameListModel& list, PortableDeviceBackend& backend, int row);
  const std::string& Current() const { return current_; }

 private:
  void DeleteCurrent();
  std::string folder_;
  std::string current_;
};

}  // namespace lx
