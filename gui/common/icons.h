// Command and tree icons: the desktop's icon theme when it has the icon, else
// the bundled set, so every button has an icon on a bare machine.
#pragma once

#include <QIcon>

namespace lx::gui {

// Registers the bundled resources; safe to call more than once.
void InitResources();

// themeName: freedesktop icon name; bundled: file name under :/icons without ".png".
QIcon CommandIcon(const char* themeName, const char* bundled);

// The desktop theme's icon, else a small drawn one (a rounded square in colour
// with a glyph), so that a command without a bundled picture is never empty.
QIcon GlyphIcon(const char* themeName, const QColor& color, const QString& glyph);

}  // namespace lx::gui
