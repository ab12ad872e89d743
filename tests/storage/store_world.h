// The storage tests' world: a settings file and a database folder of their
// own, the database with its start-up check, the stores over it and a log
// capture.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/log.h"
#include "scripted_prompts.h"
#include "storage/database.h"
#include "storage/keyword_store.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"
#include "storage/typed_text_store.h"
#include "temp_dir.h"

namespace lx::test {

class StoreWorld : public ::testing::Test {
 protected:
  // Runs the start-up check with the folder chooser answering dir_.
  bool Check() {
    return db_.CheckDatabasePath([this]() -> std::optional<std::string> { return dir_.Path(); });
  }
  // The rows of a query as texts; none for an empty table.
  std::vector<std::vector<std::string>> Rows(const std::string& sql) {
    SqlTable t;
    sql_.UpdateListCtrl(sql, t, true, true);
    return t.emptyTable ? std::vector<std::vector<std::string>>{} : t.rows;
  }

  TempDir dir_;
  TempDir config_;
  SettingsStore settings_{config_.Path()};
  ScriptedPrompts prompts_;
  CSQLite sql_{&prompts_};
  LorvexandrinDatabase db_{sql_, settings_, prompts_};
  KeywordStore keywords_{sql_};
  MaskStore masks_{sql_};
  TypedTextStore texts_{sql_};
  CapturingLogSink log_;
  ScopedLogSink attached_{log_};
};

}  // namespace lx::test
