// Start-up's database step: make sure a database path is known (asking for a
// folder when it is not), then have the database created or upgraded.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace lx {
class CLorvexandrinEngine;
class Prompts;
class LorvexandrinDatabase;
}  // namespace lx

namespace lx::gui {

// Asks for the folder; false on cancel. Tests replace it.
using DatabaseFolderChooser = std::function<bool(std::string& folder)>;

struct DatabaseStepResult {
  bool keepRunning = true;  // false: the user refused a path, the program ends
  bool databaseUsable = false;
  std::string statusText;  // text for the database pane
};

// Runs the database's start-up check; a cancelled path dialog has been
// explained to the user and ends the program.
DatabaseStepResult CheckDatabasePathStep(CLorvexandrinEngine& engine, LorvexandrinDatabase& database,
                                         const DatabaseFolderChooser& chooseFolder);

// Body of the information box when no database could be opened.
std::string DatabaseInfoBody(const CLorvexandrinEngine& engine);

}  // namespace lx::gui
