// The docked output pane "Application Log ": one tab holding the log list,
// newest line on top, and the log sinks that feed it.
#pragma once

#include <QDockWidget>
#include <QListWidget>
#include <QPointer>
#include <string>

#include "base/log.h"

class QTabWidget;

namespace lx::gui {

// The log list: keeps the widest line measured so far as its horizontal extent.
class COutputList : public QListWidget {
  Q_OBJECT

 public:
  explicit COutputList(QWidget* parent = nullptr);

  // Inserts a formatted line at the top and widens the extent when needed.
  void AddLine(const QString& line);
  void ResetLog();
  int MaximumWidth() const { return maxWidth_; }

  // Copies the selected lines, or every line when none is selected, top to bottom.
  void CopySelection();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int maxWidth_ = 0;
};

class COutputWnd : public QDockWidget {
  Q_OBJECT

 public:
  explicit COutputWnd(QWidget* parent = nullptr);

  // Stamps the text with the local time and shows it on top.
  void AddLogLine(const std::string& text);
  // Shows a line that is already stamped (from the log entry point).
  void AddFormattedLine(const std::string& line);
  void ResetLog();
  COutputList* List() const { return list_; }

 private:
  QTabWidget* tabs_ = nullptr;
  COutputList* list_ = nullptr;
};

// Sink of the log entry point for the pane. Lines logged on another thread
// reach the pane through a queued call on the pane's thread.
class OutputPaneLogSink : public LogSink {
 public:
  explicit OutputPaneLogSink(COutputWnd* pane) : pane_(pane) {}
  void AddLogLine(const std::string& line) override;

 private:
  QPointer<COutputWnd> pane_;
};

// Copies every line to standard error (--log-stderr).
class StderrLogSink : public LogSink {
 public:
  void AddLogLine(const std::string& line) override;
};

}  // namespace lx::gui
