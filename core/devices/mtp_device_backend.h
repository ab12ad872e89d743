// Real cameras and phones over MTP (libmtp). Device identifiers are
// "mtp:VVVV:PPPP@BUS:DEV" (USB vendor and product, bus location and device
// number); the object tree is the device's root object "DEVICE", its storages
// ("s" and the storage id), then folders and files ("o" and the object id).
// libmtp is not made for concurrent use, so every call goes through one lock.
#pragma once

#include "devices/portable_device_backend.h"

namespace lx {

class MtpDeviceBackend : public PortableDeviceBackend {
 public:
  MtpDeviceBackend();

  HResult GetDevices(std::vector<std::string>& ids) override;
  HResult GetFriendlyName(const std::string& id, std::string& name) override;
  HResult Open(const std::string& id, std::unique_ptr<PortableDeviceSession>& session) override;
};

}  // namespace lx
