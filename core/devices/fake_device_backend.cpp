#include "devices/fake_device_backend.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/paths.h"
#include "platform/text.h"
#include "platform/times.h"

namespace lx {

namespace {

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;

  const std::string* Find(const std::string& key) const {
    for (const auto& [k, v] : values)
      if (k == key) return &v;
    return nullptr;
  }
  void Set(const std::string& key, const std::string& value) {
    for (auto& [k, v] : values)
      if (k == key) {
        v = value;
        return;
      }
    values.emplace_back(key, value);
  }
  void Erase(const std::string& key) {
    values.erase(std::remove_if(values.begin(), values.end(), [&](const auto& kv) { return kv.first == key; }),
                 values.end());
  }
};

// The description file, kept in its order so that it can be written back.
class Description {
 public:
  void Load(const std::string& path) {
    path_ = path;
    sections_.clear();
    std::ifstream in(path);
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
      std::string text = Trim(line);
      if (text.empty() || text[0] == '#' || text[0] == ';') continue;
      if (text.front() == '[' && text.back() == ']') {
        sections_.push_back({Trim(text.substr(1, text.size() - 2)), {}});
        current = &sections_.back();
        continue;
      }
      size_t eq = text.find('=');
      if (!current || eq == std::string::npos) continue;
      std::string value = Trim(text.substr(eq + 1));
      size_t comment = value.find(" ;");
      if (comment != std::string::npos) value = Trim(value.substr(0, comment));
      current->values.emplace_back(ToLowerAscii(Trim(text.substr(0, eq))), value);
    }
  }
  bool Save() const {
    std::string temp = path_ + ".tmp";
    {
      std::ofstream out(temp, std::ios::trunc);
      for (const auto& s : sections_) {
        out << '[' << s.name << "]\n";
        for (const auto& [k, v] : s.values) out << k << " = " << v << '\n';
        out << '\n';
      }
      if (!out) return false;
    }
    return std::rename(temp.c_str(), path_.c_str()) == 0;
  }
  const Section* Find(const std::string& name) const {
    for (const auto& s : sections_)
      if (s.name == name) return &s;
    return nullptr;
  }
  Section& Get(const std::string& name) {
    for (auto& s : sections_)
      if (s.name == name) return s;
    sections_.push_back({name, {}});
    return sections_.back();
  }
  void Rename(const std::string& from, const std::string& to) {
    for (auto& s : sections_)
      if (s.name == from) s.name = to;
  }
  void Erase(const std::string& name) {
    sections_.erase(
        std::remove_if(sections_.begin(), sections_.end(), [&](const Section& s) { return s.name == name; }),
        sections_.end());
  }

 private:
  std::string path_;
  std::vector<Section> sections_;
};

std::string DeviceNameOf(const std::string& id) {
  return StartsWith(id, kFakeDeviceIdPrefix) ? id.substr(std::char_traits<char>::length(kFakeDeviceIdPrefix)) : "";
}

bool IsNo(const std::string* value) { return value && (EqualsNoCaseAscii(*value, "no") || *value == "0"); }

DeviceDate DateOf(TimeT t) {
  DeviceDate d;
  if (auto f = ToLocal(t)) d = {f->year, f->month, f->day, f->hour, f->minute, f->second};
  return d;
}

std::vector<std::string> SortedEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    names.push_back(name);
  }
  closedir(dir);
  // As a folder is listed: case-insensitively, then byte for byte.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = ToUpperAscii(a), ub = ToUpperAscii(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

class FileReadStream : public ObjectReadStream {
 public:
  explicit FileReadStream(int fd) : fd_(fd) {}
  ~FileReadStream() override { close(fd_); }
  HResult Read(char* buffer, std::size_t size, std::size_t& bytesRead) override {
    ssize_t n = read(fd_, buffer, size);
    if (n < 0) {
      bytesRead = 0;
      return kEFail;
    }
    bytesRead = static_cast<std::size_t>(n);
    return kSOk;
  }

 private:
  int fd_;
};

}  // namespace

// The identifiers of a device's objects, kept from one session to the next
// (every operation opens the device anew; walking the whole tree each time
// would make a run over many objects slow).
struct FakeDeviceBackend::IdMap {
  std::recursive_mutex mutex;
  std::map<std::string, std::string> ids;  // object identifier -> path in the device
};

namespace {

class FakeSession : public PortableDeviceSession {
 public:
  FakeSession(std::string folder, std::string deviceName, std::shared_ptr<FakeDeviceBackend::IdMap> shared)
      : folder_(WithTrailingSlash(folder)),
        deviceName_(std::move(deviceName)),
        shared_(std::move(shared)),
        lock_(shared_->mutex),
        ids_(shared_->ids) {
    description_.Load(folder_ + kFakeDeviceDescriptionFile);
    if (ids_.empty()) Index();
  }

  HResult Close() override { return kSOk; }

  HResult EnumObjects(const std::string& parentId, std::vector<std::string>& ids) override {
    ids.clear();
    std::string rel;
    if (parentId != kDeviceRootObject) {
      if (!Lookup(parentId, rel)) return kENotFound;
      if (!IsFolder(rel)) return kSOk;
    }
    for (const std::string& name : SortedEntries(folder_ + rel)) {
      if (rel.empty() && name == kFakeDeviceDescriptionFile) continue;
      std::string id = IdOf(rel.empty() ? name : rel + "/" + name);
      if (!id.empty()) ids.push_back(id);
    }
    return kSOk;
  }

  HResult GetValue(const std::string& objectId, PropKey key, PropValue& value) override {
    value = PropValue{};
    if (objectId == kDeviceRootObject) {
      const Section* device = description_.Find("device");
      const std::string* name = device ? device->Find("name") : nullptr;
      if (key == PropKey::Name) SetTextValue(value, name ? *name : deviceName_);
      if (key == PropKey::ObjectId) SetTextValue(value, kDeviceRootObject);
      if (key == PropKey::ContentType) SetGuidValue(value, kContentTypeFunctionalObject);
      return kSOk;
    }
    std::string rel;
    if (!Lookup(objectId, rel)) return kENotFound;
    struct stat st {};
    if (lstat((folder_ + rel).c_str(), &st) != 0) return kENotFound;
    const Section* entry = description_.Find(rel);
    auto attr = [&](const char* k) { return entry ? entry->Find(k) : nullptr; };
    const std::string fileName = FileNameOf(rel);
    const bool folder = S_ISDIR(st.st_mode);
    switch (key) {
      case PropKey::ObjectId:
        SetTextValue(value, objectId);
        break;
      case PropKey::ParentId: {
        size_t slash = rel.rfind('/');
        SetTextValue(value, slash == std::string::npos ? std::string(kDeviceRootObject) : IdOf(rel.substr(0, slash)));
        break;
      }
      case PropKey::Name:
        if (!IsNo(attr("name-readable"))) SetTextValue(value, attr("name") ? *attr("name") : fileName);
        break;
      case PropKey::OriginalFileName:
        if (!IsNo(attr("original-name-readable")))
          SetTextValue(value, attr("original-name") ? *attr("original-name") : fileName);
        break;
      case PropKey::ContentType: {
        std::string type = attr("type") ? ToLowerAscii(*attr("type")) : (folder ? "folder" : "image");
        SetGuidValue(value, type == "image"    ? kContentTypeImage
                            : type == "folder" ? kContentTypeFolder
                            : type == "video"  ? kContentTypeVideo
                            : type == "audio"  ? kContentTypeAudio
                                               : kContentTypeGenericFile);
        break;
      }
      case PropKey::Format: {
        std::string format;
        if (attr("format")) {
          format = ToLowerAscii(*attr("format"));
        } else if (!folder) {
          std::string ext = ToLowerAscii(SplitPath(fileName).ext);
          format = (ext == ".jpg" || ext == ".jpeg") ? "exif" : ext.empty() ? "other" : ext.substr(1);
        }
        SetGuidValue(value, folder && !attr("format") ? kFormatAssociation
                            : format == "exif"        ? kFormatExif
                            : format == "gif"         ? kFormatGif
                            : format == "png"         ? kFormatPng
                            : format == "bmp"         ? kFormatBmp
                                                      : kFormatUndefined);
        break;
      }
      case PropKey::DateModified:
      case PropKey::DateCreated:
      case PropKey::DateAuthored: {
        const char* k = key == PropKey::DateModified  ? "modified"
                        : key == PropKey::DateCreated ? "created"
                                                      : "authored";
        const std::string* given = attr(k);
        if (!given) {
          value.vt = kVtDate;
          value.date = DateOf(st.st_mtime);
        } else if (!EqualsNoCaseAscii(*given, "none")) {
          DeviceDate d;
          char tail = 0;
          if (std::sscanf(given->c_str(), "%d-%d-%d %d:%d:%d%c", &d.year, &d.month, &d.day, &d.hour, &d.minute,
                          &d.second, &tail) == 6) {
            value.vt = kVtDate;
            value.date = d;
          } else {
            SetTextValue(value, *given);
          }
        }
        break;
      }
    }
    return kSOk;
  }

  HResult CanWrite(const std::string& objectId, PropKey key, bool& canWrite) override {
    canWrite = false;
    if (objectId == kDeviceRootObject) return kSOk;
    std::string rel;
    if (!Lookup(objectId, rel)) return kENotFound;
    const Section* entry = description_.Find(rel);
    if (key == PropKey::Name) canWrite = !IsNo(entry ? entry->Find("name-writable") : nullptr);
    if (key == PropKey::OriginalFileName) canWrite = !IsNo(entry ? entry->Find("original-name-writable") : nullptr);
    return kSOk;
  }

  HResult SetValues(const std::string& objectId, const std::vector<std::pair<PropKey, std::string>>& values) override {
    if (values.empty()) return kSOk;
    std::string rel;
    if (objectId == kDeviceRootObject) return kEAccessDenied;
    if (!Lookup(objectId, rel)) return kENotFound;
    const std::string* newName = nullptr;
    const std::string* newOriginal = nullptr;
    for (const auto& [key, text] : values) {
      bool writable = false;
      CanWrite(objectId, key, writable);
      if (!writable) return kEAccessDenied;
      if (key == PropKey::Name) newName = &text;
      if (key == PropKey::OriginalFileName) newOriginal = &text;
    }
    bool changed = false;
    if (newOriginal && *newOriginal != FileNameOf(rel)) {
      const std::string& name = *newOriginal;
      if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
          (rel.find('/') == std::string::npos && name == kFakeDeviceDescriptionFile))
        return static_cast<HResult>(0x8007007B);  // invalid name
      size_t slash = rel.rfind('/');
      std::string newRel = slash == std::string::npos ? name : rel.substr(0, slash + 1) + name;
      if (renameat2(AT_FDCWD, (folder_ + rel).c_str(), AT_FDCWD, (folder_ + newRel).c_str(), RENAME_NOREPLACE) != 0)
        return errno == EEXIST ? kEAlreadyExists : kEFail;
      description_.Rename(rel, newRel);
      ids_[objectId] = newRel;
      rel = newRel;
      if (const Section* entry = description_.Find(rel); entry && entry->Find("original-name")) {
        description_.Get(rel).Erase("original-name");
        changed = true;
      }
    }
    if (newName) {
      if (*newName == FileNameOf(rel)) {
        if (const Section* entry = description_.Find(rel); entry && entry->Find("name")) {
          description_.Get(rel).Erase("name");
          changed = true;
        }
      } else {
        description_.Get(rel).Set("name", *newName);
        changed = true;
      }
    }
    if (changed && !description_.Save()) return kEFail;
    return kSOk;
  }

  HResult Delete(const std::string& objectId) override {
    if (objectId == kDeviceRootObject) return kEAccessDenied;
    std::string rel;
    if (!Lookup(objectId, rel)) return kENotFound;
    const std::string path = folder_ + rel;
    if (IsFolder(rel)) {
      if (rmdir(path.c_str()) != 0) return errno == ENOTEMPTY || errno == EEXIST ? kEDirNotEmpty : kEFail;
    } else if (unlink(path.c_str()) != 0) {
      return errno == EACCES || errno == EPERM ? kEAccessDenied : kEFail;
    }
    ids_.erase(objectId);
    if (description_.Find(rel)) {
      description_.Erase(rel);
      if (!description_.Save()) return kEFail;
    }
    return kSOk;
  }

  HResult OpenStream(const std::string& objectId, std::unique_ptr<ObjectReadStream>& stream,
                     std::size_t& optimalTransferSize) override {
    std::string rel;
    if (objectId == kDeviceRootObject || !Lookup(objectId, rel)) return kENotFound;
    if (IsFolder(rel)) return kENotSupported;
    int fd = open((folder_ + rel).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kEFail;
    stream = std::make_unique<FileReadStream>(fd);
    optimalTransferSize = 256 * 1024;
    return kSOk;
  }

 private:
  bool IsFolder(const std::string& rel) const {
    struct stat st {};
    return lstat((folder_ + rel).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  std::string IdOf(const std::string& rel) {
    struct stat st {};
    if (lstat((folder_ + rel).c_str(), &st) != 0) return "";
    std::string id = StrFormat("o%llX", static_cast<unsigned long long>(st.st_ino));
    ids_[id] = rel;
    return id;
  }
  void Index(const std::string& rel = "") {
    for (const std::string& name : SortedEntries(folder_ + rel)) {
      if (rel.empty() && name == kFakeDeviceDescriptionFile) continue;
      std::string child = rel.empty() ? name : rel + "/" + name;
      IdOf(child);
      if (IsFolder(child)) Index(child);
    }
  }
  bool Lookup(const std::string& id, std::string& rel) {
    auto it = ids_.find(id);
    if (it == ids_.end() || IdOf(it->second) != id) {
      // Changed behind our back: look again.
      ids_.clear();
      Index();
      it = ids_.find(id);
      if (it == ids_.end()) return false;
    }
    rel = it->second;
    return true;
  }

  std::string folder_;
  std::string deviceName_;
  std::shared_ptr<FakeDeviceBackend::IdMap> shared_;
  std::unique_lock<std::recursive_mutex> lock_;  // one session of a device at a time
  std::map<std::string, std::string>& ids_;
  Description description_;
};

}  // namespace

FakeDeviceBackend::FakeDeviceBackend(std::string rootFolder) : root_(WithTrailingSlash(rootFolder)) {}

HResult FakeDeviceBackend::GetDevices(std::vector<std::string>& ids) {
  ids.clear();
  DIR* dir = opendir(root_.c_str());
  if (!dir) return kEFail;
  closedir(dir);
  for (const std::string& name : SortedEntries(root_))
    if (FolderExists(root_ + name)) ids.push_back(kFakeDeviceIdPrefix + name);
  return kSOk;
}

HResult FakeDeviceBackend::GetFriendlyName(const std::string& id, std::string& name) {
  const std::string device = DeviceNameOf(id);
  if (device.empty() || !FolderExists(root_ + device)) return kEFileNotFound;
  Description description;
  description.Load(root_ + device + "/" + kFakeDeviceDescriptionFile);
  const Section* section = description.Find("device");
  const std::string* given = section ? section->Find("friendly-name") : nullptr;
  name = !given ? device : EqualsNoCaseAscii(*given, "none") ? "" : *given;
  return kSOk;
}

HResult FakeDeviceBackend::Open(const std::string& id, std::unique_ptr<PortableDeviceSession>& session) {
  const std::string device = DeviceNameOf(id);
  if (device.empty() || device.find('/') != std::string::npos || !FolderExists(root_ + device)) return kEFileNotFound;
  Description description;
  description.Load(root_ + device + "/" + kFakeDeviceDescriptionFile);
  const Section* section = description.Find("device");
  const std::string* access = section ? section->Find("access") : nullptr;
  if (access && EqualsNoCaseAscii(*access, "denied")) return kEAccessDenied;
  std::shared_ptr<IdMap> ids;
  {
    std::lock_guard lock(mapsMutex_);
    std::shared_ptr<IdMap>& slot = idMaps_[device];
    if (!slot) slot = std::make_shared<IdMap>();
    ids = slot;
  }
  session = std::make_unique<FakeSession>(root_ + device, device, ids);
  return kSOk;
}

}  // namespace lx
