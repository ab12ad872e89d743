// Command and tree icons: the desktop's icon theme when it has the icon, else
// the bundled set, so every button has an icon on a bare machine.
#pragma once

#include <QIcon>

namespace lx::gui {

// Registers the bundled resources; safe to call more than once.
void InitResources();

// themeName: freedesktop icon name; bundled: file name under :/icons without ".png".
QIcon CommandIcon(const char* themeName, const char* bundled);

}  // namespace lx::gui
