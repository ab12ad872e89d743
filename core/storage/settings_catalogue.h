// The one list of every value the program keeps between runs: name, type and
// default. `settings list` prints it; the convenience readers of the settings
// store take their defaults from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lx {

enum class SettingType { Number, Text };

struct SettingDefinition {
  const char* name;
  SettingType type;
  bool hasDefault;
  std::uint32_t numberDefault;
  const char* textDefault;  // "$HOME" stands for the user's home folder with its trailing "/"
  const char* meaning;
};

const std::vector<SettingDefinition>& SettingsCatalogue();
const SettingDefinition* FindSetting(const std::string& name);

// The default as text ("" when the value has none); numbers in decimal.
std::string DefaultText(const SettingDefinition& def);
std::string DefaultTextValue(const SettingDefinition& def);  // text values only, "$HOME" expanded

}  // namespace lx
