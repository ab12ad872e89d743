// The folder tree's view of the portable devices, through the device access layer.
#pragma once

#include "shell/shell_tree.h"

namespace lx {
class PortableDeviceBackend;
}

namespace lx::gui {

class WpdDeviceBrowser : public DeviceBrowser {
 public:
  explicit WpdDeviceBrowser(PortableDeviceBackend& backend) : backend_(backend) {}
  std::vector<Device> Devices() override;
  std::vector<std::string> Folders(const std::string& deviceId, const std::vector<std::string>& path) override;

 private:
  PortableDeviceBackend& backend_;
};

}  // namespace lx::gui
