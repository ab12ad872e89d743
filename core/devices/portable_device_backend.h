// The access to cameras and phones behind CWPD: a small interface in the
// shape of the portable-device calls the program makes (device list, friendly
// name, open, enumerate children, read a property, ask whether it can be
// written, set names, delete, read an object's data), with two
// implementations: libmtp for real devices, and a fake device made of a folder
// tree for tests and demonstrations (LX_FAKE_DEVICES).
//
// Results are HRESULT values, so that CWPD reports device errors with the
// same codes and texts whatever the backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lx {

using HResult = std::int32_t;

constexpr HResult kSOk = 0;
constexpr HResult kEFail = static_cast<HResult>(0x80004005);
constexpr HResult kENotImpl = static_cast<HResult>(0x80004001);
constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000E);
constexpr HResult kEAccessDenied = static_cast<HResult>(0x80070005);
constexpr HResult kEFileNotFound = static_cast<HResult>(0x80070002);  // "Device disconnected or unplugged"
constexpr HResult kENotSupported = static_cast<HResult>(0x80070032);
constexpr HResult kEAlreadyExists = static_cast<HResult>(0x800700B7);
constexpr HResult kEDirNotEmpty = static_cast<HResult>(0x80070091);
constexpr HResult kENotFound = static_cast<HResult>(0x80070490);
constexpr HResult kEWpdDeviceAlreadyOpened = static_cast<HResult>(0x802A0001);

// Variant types of property values.
constexpr int kVtEmpty = 0;
constexpr int kVtDate = 7;
constexpr int kVtLpwstr = 31;
constexpr int kVtClsid = 72;

// Object properties, numbered as the device property set numbers them.
enum class PropKey : int {
  ObjectId = 2,
  ParentId = 3,
  Name = 4,
  Format = 6,
  ContentType = 7,
  OriginalFileName = 12,
  DateCreated = 18,
  DateModified = 19,
  DateAuthored = 20,
};

// A date as the device gives it: local time fields.
struct DeviceDate {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct PropValue {
  int vt = kVtEmpty;
  std::string text;  // kVtLpwstr: the text; kVtClsid: the GUID in registry form "{...}"
  DeviceDate date;   // kVtDate
};

// How the backends fill a text or GUID value.
inline void SetTextValue(PropValue& v, const std::string& text) {
  v.vt = kVtLpwstr;
  v.text = text;
}
inline void SetGuidValue(PropValue& v, const char* guid) {
  v.vt = kVtClsid;
  v.text = guid;
}

// The root object of every device.
constexpr const char* kDeviceRootObject = "DEVICE";

// GUIDs in registry form.
constexpr const char* kContentTypeImage = "{EF2107D5-A52A-4243-A26B-62D4176D7603}";
constexpr const char* kContentTypeFolder = "{27E2E392-A111-48E0-AB0C-E17705A05F85}";
constexpr const char* kContentTypeFunctionalObject = "{99ED0160-17FF-4C44-9D98-1D7A6F941921}";
constexpr const char* kContentTypeVideo = "{9261B03C-3D78-4519-85E3-02C5E1F50BB9}";
constexpr const char* kContentTypeAudio = "{4AD2C85E-5E2D-45E5-8864-4F229E3C6CF0}";
constexpr const char* kContentTypeGenericFile = "{0085E0A6-8D34-45D7-BC5C-447E59C73D48}";
constexpr const char* kFormatExif = "{38010000-AE6C-4804-98BA-C57B46965FE7}";
constexpr const char* kFormatGif = "{38070000-AE6C-4804-98BA-C57B46965FE7}";
constexpr const char* kFormatPng = "{380B0000-AE6C-4804-98BA-C57B46965FE7}";
constexpr const char* kFormatBmp = "{38040000-AE6C-4804-98BA-C57B46965FE7}";
constexpr const char* kFormatUndefined = "{30000000-AE6C-4804-98BA-C57B46965FE7}";
constexpr const char* kFormatAssociation = "{30010000-AE6C-4804-98BA-C57B46965FE7}";

// An object's data, read in blocks.
class ObjectReadStream {
 public:
  virtual ~ObjectReadStream() = default;
  // bytesRead 0 at the end of the data.
  virtual HResult Read(char* buffer, std::size_t size, std::size_t& bytesRead) = 0;
};

// An opened device.
class PortableDeviceSession {
 public:
  virtual ~PortableDeviceSession() = default;
  virtual HResult Close() = 0;
  // The children of an object, in the device's order.
  virtual HResult EnumObjects(const std::string& parentId, std::vector<std::string>& ids) = 0;
  // value.vt stays kVtEmpty when the object has no such property.
  virtual HResult GetValue(const std::string& objectId, PropKey key, PropValue& value) = 0;
  virtual HResult CanWrite(const std::string& objectId, PropKey key, bool& canWrite) = 0;
  // Writes the text properties given (the names); an empty set changes nothing.
  virtual HResult SetValues(const std::string& objectId,
                            const std::vector<std::pair<PropKey, std::string>>& values) = 0;
  // Deletes an object without its children.
  virtual HResult Delete(const std::string& objectId) = 0;
  virtual HResult OpenStream(const std::string& objectId, std::unique_ptr<ObjectReadStream>& stream,
                             std::size_t& optimalTransferSize) = 0;
};

class PortableDeviceBackend {
 public:
  virtual ~PortableDeviceBackend() = default;
  // The identifiers of the connected devices.
  virtual HResult GetDevices(std::vector<std::string>& ids) = 0;
  // The friendly name the system knows the device by; empty when it gives none.
  virtual HResult GetFriendlyName(const std::string& id, std::string& name) = 0;
  virtual HResult Open(const std::string& id, std::unique_ptr<PortableDeviceSession>& session) = 0;
};

// The backend of this process: the fake devices of $LX_FAKE_DEVICES when it
// is set, else libmtp.
PortableDeviceBackend& DefaultPortableDeviceBackend();

}  // namespace lx
