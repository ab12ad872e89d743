// The start-up splash (status steps, progress, a countdown that a click ends)
// and the small window shown while the program closes.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QProgressBar;

namespace lx::gui {

class CSplashScreenDlg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSteps = 5;
  static constexpr int kCountdownStart = 100;  // 25 ms each: 2.5 seconds
  static constexpr int kLifetimeMs = 16000;

  explicit CSplashScreenDlg(QWidget* parent = nullptr);

  // Runs once on the first timer tick (the automatic update check).
  void SetFirstTickAction(std::function<void()> action) { firstTick_ = std::move(action); }

  void SetStatus(const QString& text);
  QString Status() const;
  int Progress() const;

  int countdown = kCountdownStart;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  std::function<void()> firstTick_;
  bool checkPending_ = true;
  int timerId_ = 0;
  QElapsedTimer opened_;
};

class CClosingDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CClosingDlg(QWidget* parent = nullptr);
};

}  // namespace lx::gui
