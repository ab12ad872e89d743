#include "cli_context.h"

#include <unistd.h>

#include <cstdio>

#include "field_escape.h"
#include "quiet_filter.h"

namespace lx::cli {

void StderrLogSink::AddLogLine(const std::string& line) {
  if (quiet_ && !IsWarningOrError(line)) return;
  progress_.WriteAbove(line + "\n");
}

CliContext::CliContext(std::vector<std::string> args, std::ostream& out, std::ostream& err, bool quiet)
    : args_(std::move(args)),
      out_(out),
      err_(err),
      quiet_(quiet),
      settings_(SettingsStore::ForCurrentUser()),
      progress_(!quiet && ::isatty(STDERR_FILENO) != 0),
      prompts_(PromptAnswers{}, &progress_, quiet) {}

CLorvexandrinEngine& CliContext::Engine(bool logFilter) {
  if (!engine_) {
    engine_ = std::make_unique<CLorvexandrinEngine>(settings_);
    engine_->LoadEngineSettings(logFilter);
  }
  return *engine_;
}

int CliContext::Usage(const std::string& message) {
  progress_.Finish();
  err_ << "lorvexandrin-cli: " << message << "\n(see lorvexandrin-cli --help)\n";
  return kExitUsage;
}

int CliContext::Refuse(const std::string& message) {
  progress_.Finish();
  err_ << message << '\n';
  return kExitRefused;
}

void CliContext::PrintRow(const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out_ << '\t';
    out_ << EscapeField(fields[i]);
  }
  out_ << '\n';
}

}  // namespace lx::cli
