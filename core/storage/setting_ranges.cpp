#include "storage/setting_ranges.h"

#include <utility>
#include <vector>

#include "storage/setting_keys.h"

namespace lx {

namespace {
constexpr std::uint32_t kMaxColor = 0x00FFFFFF;  // 0x00BBGGRR
// The counter is formatted as an int and the next picture takes counter + 1.
constexpr std::uint32_t kMaxPictureCounter = 2147483646;
}  // namespace

std::optional<NumberRange> SettingRange(const std::string& name) {
  static const std::vector<std::pair<NumberSetting, NumberRange>> ranges = {
      {setting::kRenameType, {0, 3}},
      {setting::kPictureCounter, {0, kMaxPictureCounter}},
      {setting::kShowRenameOutline, {0, 1}},
      {setting::kDuplicateFiles, {0, 1}},
      {setting::kFilePathDisplayType, {0, 1}},
      {setting::kThumbNailDisplayType, {0, 2}},
      {setting::kFileTimeChange, {0, 3}},
      {setting::kListedFileColor, {0, kMaxColor}},
      {setting::kRenamedFileColor, {0, kMaxColor}},
      {setting::kSelectedTimeColor, {0, kMaxColor}},
      {setting::kDuplicateRootColor, {0, kMaxColor}},
      {setting::kDuplicateColor, {0, kMaxColor}},
      {setting::kLXMsgBkgColour, {0, kMaxColor}},
      {setting::kMsgBackgroundColor, {0, kMaxColor}},
      {setting::kSmtpPort, {0, 65535}},
      {setting::kSmtpSecurity, {0, 2}},
  };
  for (const auto& [key, range] : ranges)
    if (name == key.name) return range;
  return std::nullopt;
}

}  // namespace lx
