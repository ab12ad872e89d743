// The one log entry point. Every part of the program calls LogMessage with a
// plain text; the line is stamped "%02d/%s/%d %02d:%02d:%02d: %s" in local time
// and handed to the sinks that are attached (the desktop program's log pane,
// the CLI's standard error, a test's capture). With no sink attached the line
// is dropped, as a log written before the main window exists would be.
#pragma once

#include <ctime>
#include <mutex>
#include <string>
#include <vector>

#include "platform/times.h"

namespace lx {

class LogSink {
 public:
  virtual ~LogSink() = default;
  // Receives one formatted line. May be called from any thread; sinks that
  // touch a user interface marshal the line onto their own thread.
  virtual void AddLogLine(const std::string& line) = 0;
};

// "01/Mar/2024 07:05:03: text"
std::string FormatLogLine(const LocalFields& when, const std::string& text);

void LogMessage(const std::string& text);
void LogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

void AttachLogSink(LogSink* sink);
void DetachLogSink(LogSink* sink);

// Attaches a sink for the lifetime of this object.
class ScopedLogSink {
 public:
  explicit ScopedLogSink(LogSink& sink) : sink_(&sink) { AttachLogSink(sink_); }
  ~ScopedLogSink() { DetachLogSink(sink_); }
  ScopedLogSink(const ScopedLogSink&) = delete;
  ScopedLogSink& operator=(const ScopedLogSink&) = delete;

 private:
  LogSink* sink_;
};

// Keeps every line in memory, in time order; used by tests and by the CLI's watch loop.
class CapturingLogSink : public LogSink {
 public:
  void AddLogLine(const std::string& line) override;
  std::vector<std::string> Lines() const;
  // The texts without their time stamps.
  std::vector<std::string> Texts() const;
  bool Contains(const std::string& textPart) const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

}  // namespace lx
