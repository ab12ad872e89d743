// The one updating progress line of a long run on standard error: files done
// and the run's total, the rate, the folder at work. It appears only when
// standard error is a terminal, once the run has taken half a second, and
// log lines written through Clear() scroll past it without being garbled:
// the line is wiped, the log line written, and the line drawn again below.
#pragma once

#include <chrono>
#include <mutex>
#include <string>

namespace lx::cli {

class ProgressLine {
 public:
  // enabled: standard error is a terminal and --quiet was not given.
  explicit ProgressLine(bool enabled);
  ~ProgressLine();

  bool Enabled() const { return enabled_; }

  // A run begins ("Reading", "Renaming"): its clock starts from here.
  void Start(const std::string& action);
  void Update(int done, int total, const std::string& folder);
  // The run ended: the line goes away.
  void Finish();

  // Writes text (whole lines) to standard error below the progress line.
  void WriteAbove(const std::string& text);

  // The delay before the line appears: 500 ms, or LX_PROGRESS_DELAY_MS.
  static long long DelayMs();

 private:
  void Wipe();  // callers hold mutex_
  void Draw();  // callers hold mutex_

  const bool enabled_;
  std::mutex mutex_;
  std::string action_;
  std::string text_;  // the line as last drawn, or to be drawn
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace lx::cli
