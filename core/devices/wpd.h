// CWPD: the program's access to cameras and phones, one object per
// operation (list the devices, list a folder's pictures, rename, delete,
// copy). Every operation opens the device and closes it again; failures are
// written to the log by ReportWpdError with the device error's code and text,
// never shown in a box and never retried.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/device_notifications.h"
#include "devices/portable_device_backend.h"
#include "photo/rename_file_data.h"
#include "platform/times.h"

namespace lx {

class CLorvexandrinEngine;

// Indices into the property-name table used in messages.
enum WpdPropertyName : int {
  kPropContentType = 1,
  kPropDateAuthored = 2,
  kPropDateCreated = 3,
  kPropDateModified = 4,
  kPropFormat = 5,
  kPropObjectId = 7,
  kPropName = 13,
  kPropOriginalFileName = 15,
  kPropParentId = 16,
};

// "PROP_WPD_OBJECT_NAME", ... by index 0-20.
const char* WpdPropertyNameText(int index);

// The text of a device error code; "HRESULT: %d ox%lx " for codes not in the table.
std::string WpdErrorText(HResult hr);

// Writes "<text> - WPD Error: 0x... (<code text>)" to the log, with
// " - Reason: <system text> (<errno>)" when a system call failed.
void ReportWpdError(const std::string& text, HResult hr);

class CWPD {
 public:
  using RowCallback = std::function<void(const CRenameFileData& row)>;

  explicit CWPD(PortableDeviceBackend& backend = DefaultPortableDeviceBackend());
  ~CWPD();
  CWPD(const CWPD&) = delete;
  CWPD& operator=(const CWPD&) = delete;

  static constexpr int kMaxDevices = 15;

  // The connected devices that have a friendly name, at most 15, in the
  // system's order; returns their number (0 on any failure).
  int GetPortableDevices(std::vector<std::string>& names, std::vector<std::string>& ids);
  // The same into the engine's device table; the caller stores the result in DeviceCount.
  int GetPortableDevices(CLorvexandrinEngine& engine);

  bool GetFriendlyNameFromManager(const std::string& deviceId, std::string& name);
  bool GetFriendlyNameFromDevice(const std::string& deviceId, std::string& name);

  bool OpenDevice(const std::string& deviceId);
  void CloseDevice();
  void ReleaseDeviceInterfaces();
  bool Opened() const { return session_ != nullptr; }

  bool ReadObjectProperty(const std::string& objectId, PropKey key, int expectedType, PropValue& value, int nameIndex);
  // The date as local time; 0 when its year is before 1900. False when the read failed.
  bool ReadObjectDate(const std::string& objectId, PropKey key, TimeT& time, int nameIndex);
  bool IsPropertyWriteable(const std::string& objectId, PropKey key);
  // ".jpg", ".gif", ".png", ".bmp" or "Unknown" from the object's format;
  // extension unchanged when the format cannot be read. Always true.
  bool FormatExtension(const std::string& objectId, std::string& extension);

  // Walks browsePath down from parentId (depth: the index of parentId in
  // browsePath), replacing the folder names passed with their identifiers,
  // and hands every picture of the folder reached to onRow.
  void BrowseObjects(const std::string& parentId, int depth, std::vector<std::string>& browsePath,
                     const RowCallback& onRow);

  bool RenameDeviceObject(const std::string& deviceId, CRenameFileData& row, const std::string& oldName,
                          const std::string& newName);
  bool DeleteDeviceObject(const std::string& deviceId, CRenameFileData& row);
  bool CopyObjectToFile(const std::string& deviceId, CRenameFileData& row, const std::string& localPath);

 private:
  PortableDeviceBackend& backend_;
  std::unique_ptr<PortableDeviceSession> session_;
  std::string deviceId_;
};

// The device path of a folder: its name and those of its parents up to the
// device, nearest first, ending with the root object "DEVICE". folders are
// given from the top down ("DCIM", "100CANON").
std::vector<std::string> BuildDevicePath(const std::vector<std::string>& folders);

// The rescan's enumeration through CWPD.
class WpdDeviceEnumerator : public PortableDeviceEnumerator {
 public:
  explicit WpdDeviceEnumerator(PortableDeviceBackend& backend = DefaultPortableDeviceBackend()) : backend_(backend) {}
  std::vector<PortableDeviceEntry> EnumeratePortableDevices() override;

 private:
  PortableDeviceBackend& backend_;
};

}  // namespace lx
