// The "About" box: the program's name and release, what it does, and the Qt
// version and system it runs on.
#pragma once

class QWidget;

namespace lx::gui {

// Opens the box modally (through ExecModal, so tests can answer it).
void ShowAboutBox(QWidget* parent);

}  // namespace lx::gui
