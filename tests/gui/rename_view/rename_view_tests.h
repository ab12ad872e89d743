// The rename view's test classes.
#pragma once

#include <QString>

namespace lx::gui::test {

int RunRenameViewTests(int argc, char** argv);
// Saves a widget's picture into the build folder's screenshots.
void SaveScreenshot(class QWidget* widget, const QString& name);

}  // namespace lx::gui::test
