// The values a number setting may take. A value outside them would be kept
// and then silently do nothing (a rename type 7), fall back, or wrap (a picture
// counter past the largest int), so writers from outside the program's own
// dialogs check against this table first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lx {

struct NumberRange {
  std::uint32_t min;
  std::uint32_t max;
};

// The allowed range of a number setting; nullopt when any 32-bit value goes.
std::optional<NumberRange> SettingRange(const std::string& name);

}  // namespace lx
