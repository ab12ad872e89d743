// The settings keep colours as 0x00BBGGRR numbers; this is the one place they
// become Qt colours and back.
#pragma once

#include <QColor>
#include <cstdint>

namespace lx::gui {

QColor ColourFromColorRef(std::uint32_t value);
std::uint32_t ColorRefFromColour(const QColor& colour);

}  // namespace lx::gui
