// The program's visual styles: light palettes standing in for the blue,
// silver and aqua looks, a dark one for the black look, and the desktop's own.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

namespace lx::gui {

QPalette LightPalette(const QColor& highlight, const QColor& window);
QPalette DarkPalette();

// Sets the application's style and palette for a look id (kCmdStyle...);
// desktopStyle is the style the program started with.
void ApplyApplicationLook(int styleId, const QString& desktopStyle);

}  // namespace lx::gui
