#include "base/log.h"

#include <algorithm>
#include <cstdarg>

#include "platform/text.h"

namespace lx {

namespace {
std::mutex& SinksMutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<LogSink*>& Sinks() {
  static std::vector<LogSink*> sinks;
  return sinks;
}
constexpr size_t kStampLength = 22;  // "dd/Mon/yyyy hh:mm:ss: "
}  // namespace

std::string FormatLogLine(const LocalFields& when, const std::string& text) {
  return StrFormat("%02d/%s/%d %02d:%02d:%02d: %s", when.day, MonthAbbreviation(when.month), when.year, when.hour,
                   when.minute, when.second, text.c_str());
}

void LogMessage(const std::string& text) {
  std::lock_guard lock(SinksMutex());
  if (Sinks().empty()) return;
  LocalFields now = ToLocal(NowSeconds()).value_or(LocalFields{});
  std::string line = FormatLogLine(now, text);
  for (LogSink* sink : Sinks()) sink->AddLogLine(line);
}

void LogFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = StrFormatV(format, args);
  va_end(args);
  LogMessage(text);
}

void AttachLogSink(LogSink* sink) {
  std::lock_guard lock(SinksMutex());
  Sinks().push_back(sink);
}

void DetachLogSink(LogSink* sink) {
  std::lock_guard lock(SinksMutex());
  auto& sinks = Sinks();
  sinks.erase(std::remove(sinks.begin(), sinks.end(), sink), sinks.end());
}

void CapturingLogSink::AddLogLine(const std::string& line) {
  std::lock_guard lock(mutex_);
  lines_.push_back(line);
}

std::vector<std::string> CapturingLogSink::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::vector<std::string> CapturingLogSink::Texts() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  texts.reserve(lines_.size());
  for (const auto& line : lines_) texts.push_back(line.size() >= kStampLength ? line.substr(kStampLength) : line);
  return texts;
}

bool CapturingLogSink::Contains(const std::string& textPart) const {
  std::lock_guard lock(mutex_);
  return std::any_of(lines_.begin(), lines_.end(),
                     [&](const std::string& line) { return line.find(textPart) != std::string::npos; });
}

void CapturingLogSink::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

}  // namespace lx
