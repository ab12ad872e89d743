// The desktop program's test classes and what they share.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace lx::gui::test {

int RunAllGuiTests(int argc, char** argv);

// Runs action once the next modal dialog (or message box) is active, then returns.
void WhenModalShown(std::function<void(QWidget*)> action);

// Removes the settings files so that each test starts from the defaults.
void ResetSettings();

}  // namespace lx::gui::test
