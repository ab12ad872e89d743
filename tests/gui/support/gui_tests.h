// What every desktop-program test shares: the private environment a test
// program starts in, answering modal dialogs, fresh settings and screenshots.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lx::gui::test {

// A private home (config, data and runtime folders, temporary files), Paris
// time, the C locale and Qt's offscreen platform. Call before QApplication.
void PrepareGuiTestEnvironment(const char* homePrefix);

// Runs action once the next modal dialog (or message box) is active, then returns.
void WhenModalShown(std::function<void(QWidget*)> action);

// Removes the settings files so that each test starts from the defaults.
void ResetSettings();

// Saves the widget's picture as <build>/screenshots/<name>.png; without a
// name, the widget's class name (namespace left out) names the file.
void SaveScreenshot(QWidget* widget, const QString& name = {});

}  // namespace lx::gui::test
