#include "shell/database_step.h"

#include "base/log.h"
#include "base/prompts.h"
#include "base/rich_text.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "storage/database.h"
#include "storage/settings_store.h"

namespace lx::gui {

DatabaseStepResult CheckDatabasePathStep(CLorvexandrinEngine& engine, LorvexandrinDatabase& database,
                                         const DatabaseFolderChooser& chooseFolder) {
  DatabaseStepResult result;
  const bool usable = database.CheckDatabasePath([&]() -> std::optional<std::string> {
    std::string folder;
    if (!chooseFolder || !chooseFolder(folder)) return std::nullopt;
    return folder;
  });
  engine.dbPath = engine.Settings().GetText(setting::kLXDbPath);
  // Without a path the program cannot work and ends; a database that could
  // not be created or opened has been reported, and the program runs on.
  result.keepRunning = engine.dbPath.find("Undefined") == std::string::npos;
  result.databaseUsable = usable;
  result.statusText = usable ? database.StatusText() : engine.dbPath;
  return result;
}

std::string DatabaseInfoBody(const CLorvexandrinEngine& engine) {
  std::string body = "{\\f1\\cb2\\cf2\\b Quorin Lorvexandrin Database} \\par\\par \\fs18 ";
  body += StrFormat("Database File: {\\b %s} ", RtfEscape(engine.dbPath).c_str());
  body += StrFormat("\\par\\par File Present: {\\b %s} \\par}", FileExists(engine.dbPath) ? "Yes" : "No");
  return body;
}

}  // namespace lx::gui
