#include "storage/picture_counter.h"

#include "platform/text.h"
#include "storage/settings_store.h"

namespace lx {

std::uint32_t GetPictureCounter(const SettingsStore& settings) { return settings.GetNumber(setting::kPictureCounter); }

void SetPictureCounter(SettingsStore& settings, std::uint32_t counter) {
  settings.SetNumber(setting::kPictureCounter, counter);
}

std::string PictureCounterInfoText(std::uint32_t counter) {
  return StrFormat(
      "The Current Picture Counter is the Last Counter used to Rename a Picture. So, the Next Picture will Hold the "
      "number %ld",
      static_cast<long>(counter) + 1);
}

std::string PictureCounterWarningText(std::uint32_t newCounter) {
  return StrFormat(
      "Setting Next Value for Picture Counter will break the automatic sequence of counter incrementation.Please note "
      "that duplicate counters or gap in counting could arise according to your new counter value. The Next Picture "
      "will Hold the number %ld",
      static_cast<long>(newCounter) + 1);
}

}  // namespace lx
