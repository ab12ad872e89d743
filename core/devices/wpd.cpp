#include "devices/wpd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "base/log.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace lx {

namespace {

constexpr const char* kNoWpdError = "No WPD Error";

const char* const kPropertyNames[21] = {
    "PROP_WPD_OBJECT_CONTAINER_FUNCTIONAL_OBJECT_ID",
    "PROP_WPD_OBJECT_CONTENT_TYPE",
    "PROP_WPD_OBJECT_DATE_AUTHORED",
    "PROP_WPD_OBJECT_DATE_CREATED",
    "PROP_WPD_OBJECT_DATE_MODIFIED",
    "PROP_WPD_OBJECT_FORMAT",
    "PROP_WPD_OBJECT_GENERATE_THUMBNAIL_FROM_RESOURCE",
    "PROP_WPD_OBJECT_ID",
    "PROP_WPD_OBJECT_IS_DRM_PROTECTED",
    "PROP_WPD_OBJECT_ISHIDDEN",
    "PROP_WPD_OBJECT_CAN_DELETE",
    "PROP_WPD_OBJECT_ISSYSTEM",
    "PROP_WPD_OBJECT_KEYWORDS",
    "PROP_WPD_OBJECT_NAME",
    "PROP_WPD_OBJECT_NON_CONSUMABLE",
    "PROP_WPD_OBJECT_ORIGINAL_FILE_NAME",
    "PROP_WPD_OBJECT_PARENT_ID",
    "PROP_WPD_OBJECT_PERSISTENT_UNIQUE_ID",
    "PROP_WPD_OBJECT_REFERENCES",
    "PROP_WPD_OBJECT_SIZE",
    "PROP_WPD_OBJECT_SYNC_ID",
};

struct ErrorEntry {
  std::uint32_t code;
  const char* text;
};

const ErrorEntry kErrorTexts[] = {
    {0x80070001, "Write request on Device opened in Read mode"},
    {0x80070002, "Device disconnected or unplugged"},
    {0x8007048F, "Device disconnected or unplugged"},
    {0x80070005, "A read-only object or property cannot be modified or deleted"},
    {0x8007000D, "Error Parsing Data sent to or received from the device (invalid parameters VARTYPE)"},
    {0x80070015, "Operation Not initialized correctly (Internal Error) Reopen Device Required"},
    {0x8007001D, "Unable to send Requested amount of data to Device"},
    {0x8007001E, "Incorrect amount of data sent by Device"},
    {0x8007001F, "Device Hung. General failure ccurred on the device"},
    {0x80070032, "Property or command Not supported by Device"},
    {0x80070057, "TInvalid Parameter Supplied by Application"},
    {0x80070079, "Device hung. Manual Reset Needed"},
    {0x800705B4, "Device hung. Manual Reset Needed"},
    {0x8007045D, "Device Hhung. Manual Reset Needed"},
    {0x80070091, "Non-recursive delete called for an object with children"},
    {0x800710DD, "Non-recursive delete called for an object with children"},
    {0x800700AA, "The device is busy processing another operation"},
    {0x80070216, "The number of elements in a data array has exceeded its limits"},
    {0x800703E3, "Command sent to the device aborted by manual cancellation"},
    {0x80070490, "Empty or Uninitialized Device Property"},
    {0x800704C7, "Command aborted due to a cancellation"},
    {0x8007065E, "Specified format not supported by Device"},
    {0x8007070C, "Invalid data packet received from the device"},
    {0x8007076D, "Conversion of a DateTime property failed"},
    {0x80070964, "Connection failed to initialize because the device is in use"},
    {0x800710D2, "Device failed to send any resource data"},
    {0x8007138E, "Resource not present on Device"},
    {0x8007274C, "Connection to Device Timed out. Manual reconnection Needed"},
};

// Property texts are read into buffers of 256 characters: longer ones are cut
// (at a character boundary, never inside a UTF-8 sequence).
std::string CutText(const std::string& text) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++characters > 255) return text.substr(0, i);
  }
  return text;
}

// A device call that succeeded leaves no system error behind: a reason in a
// later report must come from the call that failed, not from some probe.
HResult Settle(HResult hr) {
  if (hr == kSOk) errno = 0;
  return hr;
}

// Ends an operation: a changed error text goes to the log with the last code.
void ReportIfChanged(const std::string& error, HResult hr) {
  if (error != kNoWpdError) ReportWpdError(error, hr);
}

}  // namespace

const char* WpdPropertyNameText(int index) { return index >= 0 && index < 21 ? kPropertyNames[index] : ""; }

std::string WpdErrorText(HResult hr) {
  const auto code = static_cast<std::uint32_t>(hr);
  for (const auto& e : kErrorTexts)
    if (e.code == code) return e.text;
  return StrFormat("HRESULT: %d ox%lx ", static_cast<int>(hr), static_cast<unsigned long>(code));
}

void ReportWpdError(const std::string& text, HResult hr) {
  const int systemError = errno;
  const auto code = static_cast<unsigned long>(static_cast<std::uint32_t>(hr));
  const std::string hrText = WpdErrorText(hr);
  if (systemError != 0)
    LogFormat("%s - WPD Error: 0x%lx (%s) - Reason: %s (%ld)", text.c_str(), code, hrText.c_str(),
              SystemErrorText(systemError).c_str(), static_cast<long>(systemError));
  else
    LogFormat("%s - WPD Error: 0x%lx (%s)", text.c_str(), code, hrText.c_str());
  errno = systemError;
}

CWPD::CWPD(PortableDeviceBackend& backend) : backend_(backend) {}

CWPD::~CWPD() { ReleaseDeviceInterfaces(); }

int CWPD::GetPortableDevices(std::vector<std::string>& names, std::vector<std::string>& ids) {
  errno = 0;
  names.clear();
  ids.clear();
  std::vector<std::string> found;
  HResult hr = Settle(backend_.GetDevices(found));
  if (hr != kSOk) {
    ReportWpdError("Error in CWPD::GetPortableDevices() - Failed to Query Portable Devices Count", hr);
    return 0;
  }
  for (const std::string& id : found) {
    std::string name = "Undefined";
    if (!GetFriendlyNameFromManager(id, name) && !GetFriendlyNameFromDevice(id, name)) continue;
    // Only the first 15 devices with a name are kept.
    if (static_cast<int>(names.size()) >= kMaxDevices) break;
    names.push_back(name);
    ids.push_back(id);
  }
  return static_cast<int>(names.size());
}

int CWPD::GetPortableDevices(CLorvexandrinEngine& engine) {
  std::vector<std::string> names, ids;
  int count = GetPortableDevices(names, ids);
  // Entries beyond the count keep their old texts and are never read.
  if (engine.deviceNames.size() < names.size()) engine.deviceNames.resize(names.size());
  if (engine.deviceIds.size() < ids.size()) engine.deviceIds.resize(ids.size());
  for (int i = 0; i < count; ++i) {
    engine.deviceNames[static_cast<size_t>(i)] = names[static_cast<size_t>(i)];
    engine.deviceIds[static_cast<size_t>(i)] = ids[static_cast<size_t>(i)];
  }
  return count;
}

bool CWPD::GetFriendlyNameFromManager(const std::string& deviceId, std::string& name) {
  std::string error = kNoWpdError;
  name = "Undefined Portable Device";
  std::string given;
  HResult hr = Settle(backend_.GetFriendlyName(deviceId, given));
  if (hr != kSOk)
    error = "Failed to Get Device Friendly Name Length";
  else if (given.empty())
    error = "Portable Device Does Not Provide Friendly Name";
  else
    name = given;
  ReportIfChanged(error, hr);
  return name != "Undefined Portable Device" && !name.empty();
}

bool CWPD::GetFriendlyNameFromDevice(const std::string& deviceId, std::string& name) {
  std::string error = kNoWpdError;
  name = "Undefined Portable Device";
  bool result = false;
  HResult hr = kSOk;
  if (!OpenDevice(deviceId)) {
    error = StrFormat("Unable to Open Portable Device %s to Get Friendly Name from Properties", deviceId.c_str());
  } else {
    PropValue value;
    if (ReadObjectProperty(kDeviceRootObject, PropKey::Name, kVtLpwstr, value, kPropName)) {
      if (value.text.empty()) {
        error = "Failed to Retrieve Friendly Name from Device Properties ";
        hr = kENotFound;
      } else {
        name = CutText(value.text);
        result = true;
      }
    }
    CloseDevice();
  }
  ReportIfChanged(error, hr);
  return result;
}

bool CWPD::OpenDevice(const std::string& deviceId) {
  ReleaseDeviceInterfaces();
  std::string error = kNoWpdError;
  std::unique_ptr<PortableDeviceSession> session;
  HResult hr = Settle(backend_.Open(deviceId, session));
  if ((hr == kSOk || hr == kEWpdDeviceAlreadyOpened) && session) {
    session_ = std::move(session);
    deviceId_ = deviceId;
  } else if (hr == kEAccessDenied) {
    ReportWpdError(StrFormat("Access is Denied  !!! Unable to Open Portable Device %s", deviceId.c_str()), hr);
    ReleaseDeviceInterfaces();
    return false;
  } else {
    error = StrFormat("Unable to Open Portable Device %s", deviceId.c_str());
    if (hr == kSOk) hr = kEFail;
  }
  ReportIfChanged(error, hr);
  return session_ != nullptr;
}

void CWPD::CloseDevice() {
  if (session_) {
    HResult hr = Settle(session_->Close());
    if (hr != kSOk) ReportWpdError(StrFormat("Unable to Close Portable Device %s", deviceId_.c_str()), hr);
  }
  ReleaseDeviceInterfaces();
}

void CWPD::ReleaseDeviceInterfaces() {
  session_.reset();
  deviceId_.clear();
}

bool CWPD::ReadObjectProperty(const std::string& objectId, PropKey key, int expectedType, PropValue& value,
                              int nameIndex) {
  std::string error = kNoWpdError;
  value = PropValue{};
  HResult hr = session_ ? Settle(session_->GetValue(objectId, key, value)) : kEFail;
  bool result = false;
  if (hr != kSOk) {
    error = StrFormat("Failed to Get Property %s for Object %s", WpdPropertyNameText(nameIndex), objectId.c_str());
  } else if (value.vt == kVtEmpty) {
    error =
        StrFormat("Failed to Get Value of Property %s for Object %s", WpdPropertyNameText(nameIndex), objectId.c_str());
  } else if (value.vt == expectedType) {
    result = true;
  } else {
    error = StrFormat("Incoherent Variant Type of Property %d for Object %s (Type: %d Expected: %d)", nameIndex,
                      objectId.c_str(), value.vt, expectedType);
  }
  ReportIfChanged(error, hr);
  return result;
}

bool CWPD::ReadObjectDate(const std::string& objectId, PropKey key, TimeT& time, int nameIndex) {
  PropValue value;
  if (!ReadObjectProperty(objectId, key, kVtDate, value, nameIndex)) return false;
  const DeviceDate& d = value.date;
  time = 0;
  if (d.year > 1899) {
    if (auto t = MakeLocalTime(d.year, d.month, d.day, d.hour, d.minute, d.second)) time = *t;
  }
  return true;
}

bool CWPD::IsPropertyWriteable(const std::string& objectId, PropKey key) {
  bool canWrite = false;
  HResult hr = session_ ? Settle(session_->CanWrite(objectId, key, canWrite)) : kEFail;
  if (hr != kSOk) {
    ReportWpdError(StrFormat("Unable to Get Proprety Attributes for Object %s", objectId.c_str()), hr);
    return false;
  }
  return canWrite;
}

bool CWPD::FormatExtension(const std::string& objectId, std::string& extension) {
  PropValue value;
  if (ReadObjectProperty(objectId, PropKey::Format, kVtClsid, value, kPropFormat)) {
    if (EqualsNoCaseAscii(value.text, kFormatExif))
      extension = ".jpg";
    else if (EqualsNoCaseAscii(value.text, kFormatGif))
      extension = ".gif";
    else if (EqualsNoCaseAscii(value.text, kFormatPng))
      extension = ".png";
    else if (EqualsNoCaseAscii(value.text, kFormatBmp))
      extension = ".bmp";
    else
      extension = "Unknown";
  }
  return true;
}

void CWPD::BrowseObjects(const std::string& parentId, int depth, std::vector<std::string>& browsePath,
                         const RowCallback& onRow) {
  if (!session_) return;
  std::vector<std::string> children;
  if (Settle(session_->EnumObjects(parentId, children)) != kSOk) return;
  for (const std::string& id : children) {
    PropValue name, original, parent, ownId;
    const bool nameRead = ReadObjectProperty(id, PropKey::Name, kVtLpwstr, name, kPropName);
    const bool originalRead =
        ReadObjectProperty(id, PropKey::OriginalFileName, kVtLpwstr, original, kPropOriginalFileName);
    ReadObjectProperty(id, PropKey::ParentId, kVtLpwstr, parent, kPropParentId);
    ReadObjectProperty(id, PropKey::ObjectId, kVtLpwstr, ownId, kPropObjectId);
    const std::string nameText = nameRead ? CutText(name.text) : "";
    const std::string originalText = originalRead ? CutText(original.text) : "";

    if (depth > 0) {
      // Still walking down: the next folder of the path, matched exactly.
      if (depth >= static_cast<int>(browsePath.size())) continue;
      const std::string pathName = nameRead ? nameText : originalRead ? originalText : "None";
      if (CutText(parent.text) == browsePath[static_cast<size_t>(depth)] &&
          pathName == browsePath[static_cast<size_t>(depth - 1)]) {
        browsePath[static_cast<size_t>(depth - 1)] = id;
        BrowseObjects(id, depth - 1, browsePath, onRow);
      }
      continue;
    }

    PropValue contentType;
    if (!ReadObjectProperty(id, PropKey::ContentType, kVtClsid, contentType, kPropContentType)) continue;
    if (!EqualsNoCaseAscii(contentType.text, kContentTypeImage)) continue;
    CRenameFileData row;
    row.ObjectId = id;
    std::string formatExt;
    FormatExtension(id, formatExt);

    row.ObjectName = nameRead ? nameText : "None";
    row.ObjectNameReadable = nameRead;
    row.ObjectNameWriteable = IsPropertyWriteable(id, PropKey::Name);
    const std::string nameExt = SplitPath(row.ObjectName).ext;
    row.ObjectNameExtNative = !nameExt.empty();
    row.ObjectNameExt = nameExt.empty() ? formatExt : nameExt;

    row.FileName = originalRead ? originalText : "None";
    row.FileNameReadable = originalRead;
    row.FileNameWriteable = IsPropertyWriteable(id, PropKey::OriginalFileName);
    const std::string fileExt = SplitPath(row.FileName).ext;
    row.FileNameExtNative = !fileExt.empty();
    row.FileExt = fileExt.empty() ? formatExt : fileExt;

    TimeT modified = 0;
    if (ReadObjectDate(id, PropKey::DateModified, modified, kPropDateModified)) {
      row.ObjectTime = modified;
      if (onRow) onRow(row);
    }
  }
}

bool CWPD::RenameDeviceObject(const std::string& deviceId, CRenameFileData& row, const std::string& oldName,
                              const std::string& newName) {
  errno = 0;
  std::string error = kNoWpdError;
  HResult hr = kSOk;
  bool result = false;
  if (!OpenDevice(deviceId)) {
    ReportWpdError("Unable to Open Portable Device ", 0);
    return false;
  }
  std::vector<std::pair<PropKey, std::string>> values;
  if (IsPropertyWriteable(row.ObjectId, PropKey::Name)) values.emplace_back(PropKey::Name, newName);
  if (IsPropertyWriteable(row.ObjectId, PropKey::OriginalFileName))
    values.emplace_back(PropKey::OriginalFileName, newName);
  if (values.empty()) {
    // Nothing can be written: sending an empty change would be taken as a
    // rename that never happened.
    error = StrFormat("Unable to Rename Object %s with new Name %s - Neither Name Property is Writeable",
                      row.ObjectId.c_str(), newName.c_str());
    hr = kEAccessDenied;
  } else {
    hr = Settle(session_->SetValues(row.ObjectId, values));
    if (hr == kSOk)
      result = true;
    else
      error =
          StrFormat("Failed to Rename Object %s from %s to %s", row.ObjectId.c_str(), oldName.c_str(), newName.c_str());
  }
  CloseDevice();
  ReportIfChanged(error, hr);
  return result;
}

bool CWPD::DeleteDeviceObject(const std::string& deviceId, CRenameFileData& row) {
  errno = 0;
  if (!OpenDevice(deviceId)) {
    ReportWpdError("Unable to Open Portable Device ", 0);
    return false;
  }
  bool result = false;
  HResult hr = Settle(session_->Delete(row.ObjectId));
  if (hr != kSOk) {
    ReportWpdError(StrFormat("Failed to Delete Portable Device Object (%s) from Device %s", row.ObjectId.c_str(),
                             deviceId.c_str()),
                   hr);
  } else {
    LogFormat("Portable Device Object (%s) successfully deleted from Device %s", row.ObjectId.c_str(),
              deviceId.c_str());
    result = true;
  }
  CloseDevice();
  return result;
}

bool CWPD::CopyObjectToFile(const std::string& deviceId, CRenameFileData& row, const std::string& localPath) {
  errno = 0;
  if (!OpenDevice(deviceId)) return false;
  TimeT t = 0;
  if (ReadObjectDate(row.ObjectId, PropKey::DateAuthored, t, kPropDateAuthored)) row.AccessTime = t;
  if (ReadObjectDate(row.ObjectId, PropKey::DateCreated, t, kPropDateCreated)) row.CreationTime = t;
  if (ReadObjectDate(row.ObjectId, PropKey::DateModified, t, kPropDateModified)) row.ModificationTime = t;

  std::string error = kNoWpdError;
  std::unique_ptr<ObjectReadStream> source;
  std::size_t blockSize = 0;
  HResult hr = Settle(session_->OpenStream(row.ObjectId, source, blockSize));
  bool result = false;
  if (hr != kSOk || !source) {
    error = StrFormat("Failed to Retrieve IStream Interface to Read Object %s", row.ObjectId.c_str());
    if (hr == kSOk) hr = kEFail;
  } else {
    // A private copy: a link planted at the path is never followed.
    int fd = open(localPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      error = StrFormat("Failed to Retrieve IStream Interface for Destination File %s", localPath.c_str());
      hr = kEFail;
    } else {
      if (blockSize == 0) blockSize = 256 * 1024;
      std::string buffer(blockSize, '\0');
      bool copied = true;
      for (;;) {
        std::size_t got = 0;
        HResult readHr = Settle(source->Read(buffer.data(), blockSize, got));
        if (readHr != kSOk) {
          ReportWpdError(StrFormat("Failed to Read %u Bytes from Source Stream", static_cast<unsigned>(blockSize)),
                         readHr);
          hr = readHr;
          copied = false;
          break;
        }
        if (got == 0) break;
        size_t done = 0;
        while (done < got) {
          ssize_t n = write(fd, buffer.data() + done, got - done);
          if (n < 0) {
            if (errno == EINTR) continue;
            break;
          }
          done += static_cast<size_t>(n);
        }
        if (done < got) {
          hr = kEFail;
          ReportWpdError(StrFormat("Failed to Write %u Bytes to Destination Stream", static_cast<unsigned>(got)), hr);
          copied = false;
          break;
        }
      }
      if (close(fd) != 0 && copied) {
        hr = kEFail;
        copied = false;
      }
      if (copied) {
        result = true;
      } else {
        error = StrFormat("Failed to Copy Portable Device File to Local File %s", localPath.c_str());
        unlink(localPath.c_str());  // no half copy is left to be shown
      }
    }
  }
  CloseDevice();
  ReportIfChanged(error, hr);
  return result;
}

std::vector<std::string> BuildDevicePath(const std::vector<std::string>& folders) {
  std::vector<std::string> path(folders.rbegin(), folders.rend());
  path.push_back(kDeviceRootObject);
  return path;
}

std::vector<PortableDeviceEntry> WpdDeviceEnumerator::EnumeratePortableDevices() {
  CWPD wpd(backend_);
  std::vector<std::string> names, ids;
  int count = wpd.GetPortableDevices(names, ids);
  std::vector<PortableDeviceEntry> devices;
  for (int i = 0; i < count; ++i) devices.push_back({names[static_cast<size_t>(i)], ids[static_cast<size_t>(i)]});
  return devices;
}

}  // namespace lx
