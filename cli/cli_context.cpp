#include "cli_context.h"

#include <cstdio>

#include "field_escape.h"

namespace lx::cli {

void StderrLogSink::AddLogLine(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

CliContext::CliContext(std::vector<std::string> args, std::ostream& out, std::ostream& err)
    : args_(std::move(args)), out_(out), err_(err), settings_(SettingsStore::ForCurrentUser()) {}

CLorvexandrinEngine& CliContext::Engine(bool logFilter) {
  if (!engine_) {
    engine_ = std::make_unique<CLorvexandrinEngine>(settings_);
    engine_->LoadEngineSettings(logFilter);
  }
  return *engine_;
}

int CliContext::Usage(const std::string& message) {
  err_ << "lorvexandrin-cli: " << message << "\n(see lorvexandrin-cli --help)\n";
  return kExitUsage;
}

int CliContext::Refuse(const std::string& message) {
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
