#include "progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "arguments.h"
#include "field_escape.h"
#include "platform/text.h"

namespace lx::cli {

namespace {

constexpr long long kDefaultDelayMs = 500;
constexpr long long kRedrawMs = 100;  // a busy run redraws ten times a second at most

size_t TerminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void Put(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

ProgressLine::ProgressLine(bool enabled) : enabled_(enabled) {}

ProgressLine::~ProgressLine() { Finish(); }

long long ProgressLine::DelayMs() {
  long long delay = kDefaultDelayMs;
  if (const char* text = std::getenv("LX_PROGRESS_DELAY_MS")) {
    long long value = 0;
    if (ParseInt(text, 0, 60000, value)) delay = value;
  }
  return delay;
}

void ProgressLine::Start(const std::string& action) {
  std::lock_guard lock(mutex_);
  Wipe();
  action_ = action;
  text_.clear();
  start_ = std::chrono::steady_clock::now();
  lastDraw_ = {};
}

void ProgressLine::Update(int done, int total, const std::string& folder) {
  if (!enabled_) return;
  std::lock_guard lock(mutex_);
  const auto now = std::chrono::steady_clock::now();
  const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
  if (sinceStart < DelayMs()) return;
  const auto sinceDraw = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastDraw_).count();
  if (shown_ && sinceDraw < kRedrawMs && done < total) return;
  const double seconds = static_cast<double>(sinceStart) / 1000.0;
  const double rate = seconds > 0 ? done / seconds : 0.0;
  text_ =
      StrFormat("%s %d/%d files, %.1f files/s, %s", action_.c_str(), done, total, rate, EscapeField(folder).c_str());
  lastDraw_ = now;
  Draw();
}

void ProgressLine::Finish() {
  std::lock_guard lock(mutex_);
  Wipe();
  text_.clear();
}

void ProgressLine::WriteAbove(const std::string& text) {
  std::lock_guard lock(mutex_);
  const bool redraw = shown_;
  Wipe();
  Put(text);
  if (redraw) Draw();
}

void ProgressLine::Wipe() {
  if (!shown_) return;
  Put("\r\x1b[K");
  shown_ = false;
}

void ProgressLine::Draw() {
  if (text_.empty()) return;
  // One line that never wraps, or "\r" would no longer reach its start.
  std::string line = text_;
  const size_t width = TerminalColumns() - 1;
  if (line.size() > width) line = line.substr(0, width);
  Put("\r\x1b[K" + line);
  shown_ = true;
}

}  // namespace lx::cli
