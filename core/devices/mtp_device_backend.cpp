#include "devices/mtp_device_backend.h"

#include <libmtp.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "devices/fake_device_backend.h"
#include "platform/text.h"
#include "platform/times.h"

namespace lx {

namespace {

std::mutex& MtpLock() {
  static std::mutex lock;
  return lock;
}

void InitOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    LIBMTP_Set_Debug(0);
    LIBMTP_Init();
  });
}

std::string IdOf(const LIBMTP_raw_device_t& raw) {
  return StrFormat("mtp:%04x:%04x@%u:%u", raw.device_entry.vendor_id, raw.device_entry.product_id, raw.bus_location,
                   static_cast<unsigned>(raw.devnum));
}

// Detects the raw devices; with an id, keeps only that one. Call under the lock.
HResult Detect(std::vector<LIBMTP_raw_device_t>& found, const std::string* id = nullptr) {
  found.clear();
  LIBMTP_raw_device_t* raw = nullptr;
  int count = 0;
  LIBMTP_error_number_t result = LIBMTP_Detect_Raw_Devices(&raw, &count);
  if (result == LIBMTP_ERROR_NO_DEVICE_ATTACHED) return kSOk;
  if (result != LIBMTP_ERROR_NONE) {
    std::free(raw);
    return kEFail;
  }
  for (int i = 0; i < count; ++i)
    if (!id || IdOf(raw[i]) == *id) found.push_back(raw[i]);
  std::free(raw);
  return kSOk;
}

DeviceDate DateOf(time_t t) {
  DeviceDate d;
  if (auto f = ToLocal(static_cast<TimeT>(t))) d = {f->year, f->month, f->day, f->hour, f->minute, f->second};
  return d;
}

class MemoryStream : public ObjectReadStream {
 public:
  explicit MemoryStream(std::string data) : data_(std::move(data)) {}
  HResult Read(char* buffer, std::size_t size, std::size_t& bytesRead) override {
    bytesRead = std::min(size, data_.size() - offset_);
    std::memcpy(buffer, data_.data() + offset_, bytesRead);
    offset_ += bytesRead;
    return kSOk;
  }

 private:
  std::string data_;
  std::size_t offset_ = 0;
};

uint16_t PutData(void*, void* priv, uint32_t length, unsigned char* data, uint32_t* taken) {
  static_cast<std::string*>(priv)->append(reinterpret_cast<const char*>(data), length);
  *taken = length;
  return LIBMTP_HANDLER_RETURN_OK;
}

struct ObjectInfo {
  uint32_t storage = 0;
  uint32_t parent = 0;
  std::string name;
  LIBMTP_filetype_t type = LIBMTP_FILETYPE_UNKNOWN;
  time_t modified = 0;
};

class MtpSession : public PortableDeviceSession {
 public:
  explicit MtpSession(LIBMTP_mtpdevice_t* device) : device_(device) {
    LIBMTP_Get_Storage(device_, LIBMTP_STORAGE_SORTBY_NOTSORTED);
  }
  ~MtpSession() override {
    std::lock_guard lock(MtpLock());
    if (device_) LIBMTP_Release_Device(device_);
  }

  HResult Close() override {
    std::lock_guard lock(MtpLock());
    if (device_) LIBMTP_Release_Device(device_);
    device_ = nullptr;
    return kSOk;
  }

  HResult EnumObjects(const std::string& parentId, std::vector<std::string>& ids) override {
    std::lock_guard lock(MtpLock());
    ids.clear();
    if (!device_) return kEFail;
    uint32_t storage = 0, parent = LIBMTP_FILES_AND_FOLDERS_ROOT;
    if (parentId == kDeviceRootObject) {
      for (LIBMTP_devicestorage_t* s = device_->storage; s; s = s->next) ids.push_back(StrFormat("s%08X", s->id));
      return kSOk;
    }
    if (parentId[0] == 's') {
      storage = static_cast<uint32_t>(std::strtoul(parentId.c_str() + 1, nullptr, 16));
    } else {
      const ObjectInfo* info = Info(parentId);
      if (!info) return kENotFound;
      if (info->type != LIBMTP_FILETYPE_FOLDER) return kSOk;
      storage = info->storage;
      parent = Number(parentId);
    }
    LIBMTP_file_t* files = LIBMTP_Get_Files_And_Folders(device_, storage, parent);
    for (LIBMTP_file_t* f = files; f;) {
      objects_[f->item_id] = {f->storage_id, f->parent_id, f->filename ? f->filename : "", f->filetype,
                              f->modificationdate};
      ids.push_back(StrFormat("o%08X", f->item_id));
      LIBMTP_file_t* next = f->next;
      LIBMTP_destroy_file_t(f);
      f = next;
    }
    LIBMTP_Clear_Errorstack(device_);
    return kSOk;
  }

  HResult GetValue(const std::string& objectId, PropKey key, PropValue& value) override {
    std::lock_guard lock(MtpLock());
    value = PropValue{};
    if (!device_) return kEFail;
    if (objectId == kDeviceRootObject) {
      if (key == PropKey::Name) {
        char* name = LIBMTP_Get_Friendlyname(device_);
        if (!name || !*name) {
          std::free(name);
          name = LIBMTP_Get_Modelname(device_);
        }
        if (name) SetTextValue(value, name);
        std::free(name);
      }
      if (key == PropKey::ObjectId) SetTextValue(value, kDeviceRootObject);
      if (key == PropKey::ContentType) SetGuidValue(value, kContentTypeFunctionalObject);
      return kSOk;
    }
    if (objectId[0] == 's') {
      LIBMTP_devicestorage_t* s = Storage(static_cast<uint32_t>(std::strtoul(objectId.c_str() + 1, nullptr, 16)));
      if (!s) return kENotFound;
      if (key == PropKey::Name || key == PropKey::OriginalFileName)
        SetTextValue(value,
                     s->StorageDescription ? s->StorageDescription : (s->VolumeIdentifier ? s->VolumeIdentifier : ""));
      if (key == PropKey::ObjectId) SetTextValue(value, objectId);
      if (key == PropKey::ParentId) SetTextValue(value, kDeviceRootObject);
      if (key == PropKey::ContentType) SetGuidValue(value, kContentTypeFunctionalObject);
      return kSOk;
    }
    const ObjectInfo* info = Info(objectId);
    if (!info) return kENotFound;
    switch (key) {
      case PropKey::ObjectId:
        SetTextValue(value, objectId);
        break;
      case PropKey::ParentId:
        SetTextValue(value, info->parent == 0 ? StrFormat("s%08X", info->storage) : StrFormat("o%08X", info->parent));
        break;
      case PropKey::Name:
      case PropKey::OriginalFileName:
        SetTextValue(value, info->name);
        break;
      case PropKey::ContentType:
        SetGuidValue(value, info->type == LIBMTP_FILETYPE_FOLDER   ? kContentTypeFolder
                            : LIBMTP_FILETYPE_IS_IMAGE(info->type) ? kContentTypeImage
                            : LIBMTP_FILETYPE_IS_VIDEO(info->type) ? kContentTypeVideo
                            : LIBMTP_FILETYPE_IS_AUDIO(info->type) ? kContentTypeAudio
                                                                   : kContentTypeGenericFile);
        break;
      case PropKey::Format:
        SetGuidValue(value, (info->type == LIBMTP_FILETYPE_JPEG || info->type == LIBMTP_FILETYPE_JFIF) ? kFormatExif
                            : info->type == LIBMTP_FILETYPE_GIF                                        ? kFormatGif
                            : info->type == LIBMTP_FILETYPE_PNG                                        ? kFormatPng
                            : info->type == LIBMTP_FILETYPE_BMP                                        ? kFormatBmp
                            : info->type == LIBMTP_FILETYPE_FOLDER ? kFormatAssociation
                                                                   : kFormatUndefined);
        break;
      case PropKey::DateModified:
      case PropKey::DateCreated:
      case PropKey::DateAuthored:
        // libmtp gives one date per object; it stands for all three.
        value.vt = kVtDate;
        value.date = DateOf(info->modified);
        break;
    }
    return kSOk;
  }

  HResult CanWrite(const std::string& objectId, PropKey key, bool& canWrite) override {
    std::lock_guard lock(MtpLock());
    canWrite = false;
    if (!device_ || objectId.empty() || objectId[0] != 'o') return kSOk;
    const ObjectInfo* info = Info(objectId);
    if (!info) return kENotFound;
    LIBMTP_devicestorage_t* s = Storage(info->storage);
    canWrite = (key == PropKey::Name || key == PropKey::OriginalFileName) && info->type != LIBMTP_FILETYPE_FOLDER &&
               s && s->AccessCapability == 0;
    return kSOk;
  }

  HResult SetValues(const std::string& objectId, const std::vector<std::pair<PropKey, std::string>>& values) override {
    if (values.empty()) return kSOk;
    std::lock_guard lock(MtpLock());
    if (!device_ || objectId.empty() || objectId[0] != 'o') return kEAccessDenied;
    // Both name properties are the one MTP file name.
    const std::string& name = values.back().second;
    LIBMTP_file_t* file = LIBMTP_Get_Filemetadata(device_, Number(objectId));
    if (!file) return kENotFound;
    int result = LIBMTP_Set_File_Name(device_, file, name.c_str());
    LIBMTP_destroy_file_t(file);
    LIBMTP_Clear_Errorstack(device_);
    if (result != 0) return kEFail;
    if (auto it = objects_.find(Number(objectId)); it != objects_.end()) it->second.name = name;
    return kSOk;
  }

  HResult Delete(const std::string& objectId) override {
    std::lock_guard lock(MtpLock());
    if (!device_ || objectId.empty() || objectId[0] != 'o') return kEAccessDenied;
    int result = LIBMTP_Delete_Object(device_, Number(objectId));
    LIBMTP_Clear_Errorstack(device_);
    if (result != 0) return kEFail;
    objects_.erase(Number(objectId));
    return kSOk;
  }

  HResult OpenStream(const std::string& objectId, std::unique_ptr<ObjectReadStream>& stream,
                     std::size_t& optimalTransferSize) override {
    std::lock_guard lock(MtpLock());
    if (!device_ || objectId.empty() || objectId[0] != 'o') return kENotFound;
    // libmtp pushes the data; a photo is kept in memory and read from there.
    std::string data;
    int result = LIBMTP_Get_File_To_Handler(device_, Number(objectId), PutData, &data, nullptr, nullptr);
    LIBMTP_Clear_Errorstack(device_);
    if (result != 0) return kEFail;
    stream = std::make_unique<MemoryStream>(std::move(data));
    optimalTransferSize = 256 * 1024;
    return kSOk;
  }

 private:
  static uint32_t Number(const std::string& id) {
    return static_cast<uint32_t>(std::strtoul(id.c_str() + 1, nullptr, 16));
  }
  LIBMTP_devicestorage_t* Storage(uint32_t id) {
    for (LIBMTP_devicestorage_t* s = device_->storage; s; s = s->next)
      if (s->id == id) return s;
    return nullptr;
  }
  const ObjectInfo* Info(const std::string& objectId) {
    if (objectId.empty() || objectId[0] != 'o') return nullptr;
    uint32_t number = Number(objectId);
    auto it = objects_.find(number);
    if (it != objects_.end()) return &it->second;
    LIBMTP_file_t* f = LIBMTP_Get_Filemetadata(device_, number);
    LIBMTP_Clear_Errorstack(device_);
    if (!f) return nullptr;
    ObjectInfo& info = objects_[number];
    info = {f->storage_id, f->parent_id, f->filename ? f->filename : "", f->filetype, f->modificationdate};
    LIBMTP_destroy_file_t(f);
    return &info;
  }

  LIBMTP_mtpdevice_t* device_;
  std::map<uint32_t, ObjectInfo> objects_;
};

}  // namespace

MtpDeviceBackend::MtpDeviceBackend() { InitOnce(); }

HResult MtpDeviceBackend::GetDevices(std::vector<std::string>& ids) {
  std::lock_guard lock(MtpLock());
  ids.clear();
  std::vector<LIBMTP_raw_device_t> found;
  HResult hr = Detect(found);
  for (const auto& raw : found) ids.push_back(IdOf(raw));
  return hr;
}

HResult MtpDeviceBackend::GetFriendlyName(const std::string& id, std::string& name) {
  std::lock_guard lock(MtpLock());
  std::vector<LIBMTP_raw_device_t> found;
  if (Detect(found, &id) != kSOk || found.empty()) return kEFileNotFound;
  // The names libmtp's device list knows, without opening the device.
  const LIBMTP_device_entry_t& entry = found[0].device_entry;
  std::string vendor = entry.vendor ? entry.vendor : "";
  std::string product = entry.product ? entry.product : "";
  name = Trim(vendor + " " + product);
  return kSOk;
}

HResult MtpDeviceBackend::Open(const std::string& id, std::unique_ptr<PortableDeviceSession>& session) {
  std::unique_lock lock(MtpLock());
  std::vector<LIBMTP_raw_device_t> found;
  if (Detect(found, &id) != kSOk || found.empty()) return kEFileNotFound;
  LIBMTP_mtpdevice_t* device = LIBMTP_Open_Raw_Device_Uncached(&found[0]);
  if (!device) return kEFail;
  session = std::make_unique<MtpSession>(device);
  return kSOk;
}

PortableDeviceBackend& DefaultPortableDeviceBackend() {
  // Chosen once per process, as the system's device manager would be.
  static std::unique_ptr<PortableDeviceBackend> backend = []() -> std::unique_ptr<PortableDeviceBackend> {
    const char* fake = std::getenv("LX_FAKE_DEVICES");
    if (fake && *fake) return std::make_unique<FakeDeviceBackend>(fake);
    return std::make_unique<MtpDeviceBackend>();
  }();
  return *backend;
}

}  // namespace lx
