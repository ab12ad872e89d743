// What every CLI command works with: its arguments, the settings store of the
// current user, the engine (loaded on first use), the prompts, and the log
// written to standard error in time order.
#pragma once

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/log.h"
#include "engine/engine.h"
#include "progress_line.h"
#include "storage/settings_store.h"
#include "terminal_prompts.h"

namespace lx::cli {

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// Log lines on standard error, below the progress line; with --quiet only
// the warnings and errors.
class StderrLogSink : public LogSink {
 public:
  StderrLogSink(ProgressLine& progress, bool quiet) : progress_(progress), quiet_(quiet) {}
  void AddLogLine(const std::string& line) override;

 private:
  ProgressLine& progress_;
  const bool quiet_;
};

class CliContext {
 public:
  // quiet: --quiet, only warnings and errors on standard error.
  CliContext(std::vector<std::string> args, std::ostream& out, std::ostream& err, bool quiet = false);

  const std::vector<std::string>& Args() const { return args_; }
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }
  SettingsStore& Settings() { return settings_; }
  TerminalPrompts& Prompts() { return prompts_; }
  ProgressLine& Progress() { return progress_; }
  bool Quiet() const { return quiet_; }

  // The engine with its settings loaded; logFilter logs the default filter line.
  CLorvexandrinEngine& Engine(bool logFilter = false);

  // Prints "lorvexandrin-cli: <message>" and returns kExitUsage.
  int Usage(const std::string& message);
  // Prints the program's own message and returns kExitRefused.
  int Refuse(const std::string& message);

  // One table record: escaped fields joined by TAB.
  void PrintRow(const std::vector<std::string>& fields);

 private:
  std::vector<std::string> args_;
  std::ostream& out_;
  std::ostream& err_;
  const bool quiet_;
  SettingsStore settings_;
  ProgressLine progress_;
  TerminalPrompts prompts_;
  std::unique_ptr<CLorvexandrinEngine> engine_;
};

}  // namespace lx::cli
