// The database of a CLI command: the file named by "LXDbPath", or, while that
// is "Undefined", "Lorvexandrin.sq3" in $XDG_DATA_HOME/Quorin Lorvexandrin
// (created, and the path stored so that the desktop program finds it too).
// A missing file is created and an old one upgraded, as at the desktop
// program's start. Commands that merely use keywords go on without a database.
#pragma once

#include <memory>
#include <string>

#include "cli_context.h"
#include "masks/keyword_source.h"
#include "storage/database.h"
#include "storage/mask_store.h"
#include "storage/sqlite.h"

namespace lx::cli {

class CliDatabase {
 public:
  // Resolves, creates and upgrades the database; failures are logged.
  explicit CliDatabase(CliContext& ctx);

  // True when the database can be used.
  bool Ready() const { return ready_; }
  const std::string& Path() const { return sqlite_.DatabasePath(); }

  CSQLite& Sql() { return sqlite_; }
  LorvexandrinDatabase& Database() { return database_; }
  MaskStore& Masks() { return masks_; }
  // %Kx / %KAx lookups; every lookup answers "Undefined" without a database.
  KeywordSource& Keywords();

 private:
  CSQLite sqlite_;
  LorvexandrinDatabase database_;
  MaskStore masks_{sqlite_};
  std::unique_ptr<KeywordSource> keywords_;
  bool ready_ = false;
};

}  // namespace lx::cli
