// Fake portable devices made of folders, for tests and demonstrations.
//
// The root folder (LX_FAKE_DEVICES) holds one sub-folder per device; the
// sub-folder's name is the device's friendly name and its tree is the
// device's folders and objects. With nothing more, every file is a writable
// picture object named by its file name (both name properties), its format
// taken from its extension, dated by its modification time. An optional
// description file "lorvexandrin-device.ini" at the top of the device says
// otherwise:
//
//   [device]
//   friendly-name = none          ; the system gives no friendly name (or a text)
//   name = My Camera              ; name of the device's root object
//   access = denied               ; opening the device is refused
//
//   [DCIM/IMG_0001.JPG]           ; an object, by its path in the device
//   name = IMG_0001               ; the object name (default: the file name)
//   original-name = IMG_0001.JPG  ; the original file name (default: the file name)
//   name-readable = no            ; the property cannot be read
//   original-name-readable = no
//   name-writable = no            ; the property cannot be written
//   original-name-writable = no
//   format = exif | gif | png | bmp | other
//   type = image | video | audio | folder | other
//   modified = 2024-05-01 10:00:00  ; or "none"; any other text comes back as
//   created = ...                   ; a text value, as from a faulty device
//   authored = ...
//
// Object identifiers are "o" and the file's inode number in hexadecimal, so
// they stay the same when an object is renamed, as a device's do. Renaming
// the original file name renames the file (never over an existing one);
// renaming only the object name is kept in the description file.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "devices/portable_device_backend.h"

namespace lx {

constexpr const char* kFakeDeviceDescriptionFile = "lorvexandrin-device.ini";
constexpr const char* kFakeDeviceIdPrefix = "fake:";

class FakeDeviceBackend : public PortableDeviceBackend {
 public:
  explicit FakeDeviceBackend(std::string rootFolder);

  HResult GetDevices(std::vector<std::string>& ids) override;
  HResult GetFriendlyName(const std::string& id, std::string& name) override;
  HResult Open(const std::string& id, std::unique_ptr<PortableDeviceSession>& session) override;

  struct IdMap;

 private:
  std::string root_;
  std::mutex mapsMutex_;
  std::map<std::string, std::shared_ptr<IdMap>> idMaps_;
};

}  // namespace lx
