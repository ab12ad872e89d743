// The per-user settings store: the program's settings key
// "Software\Quorin\Quorin Lorvexandrin\Parameters" kept as a small text file under
// $XDG_CONFIG_HOME/Quorin/Quorin Lorvexandrin/. Each key is one file
// ("Parameters.conf"); its sub-keys live in the folder of the same name.
//
// Every call reads the file afresh, as a registry call opens the key each time.
// Writes lock the folder, re-read, change one value and replace the file
// atomically, so two processes writing different values keep both. A line
// that cannot be parsed is dropped with a log line and the good lines are
// kept; a copy of the damaged file is kept aside for the user.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "storage/setting_keys.h"

namespace lx {

extern const char* const kSettingsKey;   // "Software\Quorin\Quorin Lorvexandrin\Parameters"
extern const char* const kWorkspaceKey;  // "Software\Quorin\Quorin Lorvexandrin\Workspace"

// Status codes, as the registry functions return them.
constexpr int kRegSuccess = 0;
constexpr int kRegFileNotFound = 2;
constexpr int kRegAccessDenied = 5;
constexpr int kRegInvalidData = 13;
constexpr int kRegInvalidParameter = 87;
constexpr int kRegMoreData = 234;

constexpr int kRegTypeExpandSz = 2;
constexpr size_t kRegMaxTextLength = 499;

class SettingsStore {
 public:
  // rootFolder holds the key files; ForCurrentUser() uses
  // $XDG_CONFIG_HOME/Quorin/Quorin Lorvexandrin.
  explicit SettingsStore(std::string rootFolder);
  static SettingsStore ForCurrentUser();

  const std::string& RootFolder() const { return root_; }
  std::string KeyFilePath(const std::string& keyPath) const;

  int ReadRegString(const std::string& keyPath, const std::string& name, std::string& text) const;
  int ReadRegDword(std::uint32_t& value, const std::string& keyPath, const std::string& name) const;
  int WriteRegString(int type, const std::string& keyPath, const std::string& name, const std::string& text);
  void WriteRegDword(const std::string& keyPath, const std::string& name, std::uint32_t value);
  bool DeleteRegTree(const std::string& keyPath);
  bool KeyExists(const std::string& keyPath) const;

  // Creates the settings key when it is missing. Returns 0, or the system error
  // after telling the user "System Error: Unable to Create Branch %s !!!!! (%ld) ".
  int CreateSettingsBranch();

  // Values of the settings key with the catalogue's defaults.
  std::string GetText(const std::string& name) const;
  std::uint32_t GetNumber(const std::string& name) const;
  std::optional<std::string> FindText(const std::string& name) const;      // nullopt when missing
  std::optional<std::uint32_t> FindNumber(const std::string& name) const;  // nullopt when missing
  int SetText(const std::string& name, const std::string& text);
  int SetNumber(const std::string& name, std::uint32_t value);

  // The same through the typed names of setting_keys.h.
  std::string GetText(TextSetting key) const { return GetText(key.name); }
  std::uint32_t GetNumber(NumberSetting key) const { return GetNumber(key.name); }
  std::optional<std::string> FindText(TextSetting key) const { return FindText(key.name); }
  std::optional<std::uint32_t> FindNumber(NumberSetting key) const { return FindNumber(key.name); }
  int SetText(TextSetting key, const std::string& text) { return SetText(key.name, text); }
  int SetNumber(NumberSetting key, std::uint32_t value) { return SetNumber(key.name, value); }

  // Values of the settings key kept by this process alone: from now on a
  // write of one of these names is held in memory (and read back from there)
  // instead of going to the file. The command line runs with its options
  // this way, so that trying something in a terminal leaves the desktop
  // program's settings as they were. Copies of the store share the values.
  void KeepInMemory(const std::vector<std::string>& names);

 private:
  struct Value {
    bool isText = false;
    std::uint32_t number = 0;
    std::string text;
  };
  using Values = std::map<std::string, Value>;

  static std::string RenderValues(const Values& values);

  // Reads a key's file; a damaged line is dropped (and logged), a copy of
  // the damaged file kept aside and the file rewritten with its good lines.
  int Load(const std::string& keyPath, Values& values) const;
  int Store(const std::string& keyPath, const Value& value, const std::string& name);

  struct MemoryValues {
    std::mutex mutex;
    std::set<std::string> names;
    Values values;
  };
  // The held value of a kept name; nullopt when the name is not kept or not written yet.
  std::optional<Value> HeldValue(const std::string& name) const;
  // True when the name is kept (the value is then held, not stored).
  bool Hold(const std::string& name, const Value& value);

  std::string root_;
  std::shared_ptr<MemoryValues> memory_ = std::make_shared<MemoryValues>();
};

}  // namespace lx
