#include "cli_database.h"

#include "base/log.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "storage/database_keyword_source.h"

namespace lx::cli {

CliDatabase::CliDatabase(CliContext& ctx) : sqlite_(&ctx.Prompts()), database_(sqlite_, ctx.Settings(), ctx.Prompts()) {
  ready_ = database_.CheckDatabasePath([]() -> std::optional<std::string> {
    std::string folder = DefaultDatabaseFolder();
    int error = CreateFolderTree(folder);
    if (error != 0) {
      LogFormat("Unable to Create Folder %s%s", folder.c_str(), FormatSystemError(error).c_str());
      return std::nullopt;
    }
    return folder;
  });
  if (ready_) {
    keywords_ = std::make_unique<DatabaseKeywordSource>(sqlite_);
  } else {
    keywords_ = std::make_unique<NoKeywordSource>();
  }
}

KeywordSource& CliDatabase::Keywords() { return *keywords_; }

}  // namespace lx::cli
