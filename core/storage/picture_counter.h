// The picture counter: the last counter value used to rename a picture, kept
// in the "PictureCounter" setting, and the texts of the counter dialog.
#pragma once

#include <cstdint>
#include <string>

namespace lx {

class SettingsStore;

std::uint32_t GetPictureCounter(const SettingsStore& settings);
void SetPictureCounter(SettingsStore& settings, std::uint32_t counter);

// The dialog's information line for the current counter and its warning line
// for a newly entered value; both name the number the next picture will hold.
std::string PictureCounterInfoText(std::uint32_t counter);
std::string PictureCounterWarningText(std::uint32_t newCounter);

}  // namespace lx
