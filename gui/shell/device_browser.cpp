#include "shell/device_browser.h"

#include <memory>

#include "devices/portable_device_backend.h"
#include "devices/wpd.h"

namespace lx::gui {

std::vector<DeviceBrowser::Device> WpdDeviceBrowser::Devices() {
  CWPD wpd(backend_);
  std::vector<std::string> names, ids;
  const int count = wpd.GetPortableDevices(names, ids);
  std::vector<Device> devices;
  for (int i = 0; i < count && i < static_cast<int>(names.size()) && i < static_cast<int>(ids.size()); ++i)
    devices.push_back({names[i], ids[i]});
  return devices;
}

std::vector<std::string> WpdDeviceBrowser::Folders(const std::string& deviceId, const std::vector<std::string>& path) {
  std::vector<std::string> result;
  std::unique_ptr<PortableDeviceSession> session;
  if (backend_.Open(deviceId, session) != kSOk || !session) return result;

  // Children of an object that hold further objects (folders and storages), as (name, id).
  auto folderChildren = [&](const std::string& parent) {
    std::vector<std::pair<std::string, std::string>> folders;
    std::vector<std::string> ids;
    if (session->EnumObjects(parent, ids) != kSOk) return folders;
    for (const std::string& id : ids) {
      PropValue type, name;
      if (session->GetValue(id, PropKey::ContentType, type) != kSOk) continue;
      if (type.text != kContentTypeFolder && type.text != kContentTypeFunctionalObject) continue;
      if (session->GetValue(id, PropKey::Name, name) != kSOk || name.text.empty()) continue;
      folders.emplace_back(name.text, id);
    }
    return folders;
  };

  std::string parent = kDeviceRootObject;
  for (const std::string& name : path) {
    std::string next;
    for (const auto& [folderName, id] : folderChildren(parent))
      if (folderName == name) {
        next = id;
        break;
      }
    if (next.empty()) {
      session->Close();
      return result;
    }
    parent = next;
  }
  for (const auto& entry : folderChildren(parent)) result.push_back(entry.first);
  session->Close();
  return result;
}

}  // namespace lx::gui
