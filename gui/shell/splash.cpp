#include "shell/splash.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "base/version.h"
#include "common/icons.h"

namespace lx::gui {

CSplashScreenDlg::CSplashScreenDlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("CSplashScreenDlg");
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xF4, 0xF7, 0xFB));
  setPalette(palette);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(24, 20, 24, 18);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(CommandIcon(nullptr, "lorvexandrin").pixmap(64, 64));
  top->addWidget(icon, 0, Qt::AlignTop);
  auto* names = new QVBoxLayout;
  auto* product = new QLabel(QString::fromUtf8(kFrameworkTitle), this);
  QFont big = product->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  product->setFont(big);
  names->addWidget(product);
  names->addWidget(new QLabel(QStringLiteral("Release %1").arg(QString::fromStdString(ProgramVersionText())), this));
  names->addStretch(1);
  top->addLayout(names, 1);
  outer->addLayout(top);
  outer->addSpacing(12);
  status_ = new QLabel(this);
  status_->setObjectName("SplashStatus");
  outer->addWidget(status_);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, kSteps);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  outer->addWidget(progress_);
  setFixedSize(460, 200);

  opened_.start();
  timerId_ = startTimer(200);
}

void CSplashScreenDlg::SetStatus(const QString& text) {
  status_->setText(text);
  progress_->setValue(std::min(progress_->value() + 1, kSteps));
  repaint();
}

QString CSplashScreenDlg::Status() const { return status_->text(); }

int CSplashScreenDlg::Progress() const { return progress_->value(); }

void CSplashScreenDlg::mousePressEvent(QMouseEvent* event) {
  event->accept();
  countdown = 0;
  close();
}

void CSplashScreenDlg::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timerId_) return QWidget::timerEvent(event);
  if (checkPending_) {
    checkPending_ = false;
    if (firstTick_) firstTick_();
  }
  if (opened_.elapsed() >= kLifetimeMs) {
    killTimer(timerId_);
    timerId_ = 0;
    countdown = 0;
    close();
  }
}

CClosingDlg::CClosingDlg(QWidget* parent) : CLorvexandrinBaseDlg(parent) {
  setObjectName("CClosingDlg");
  setWindowTitle(QString::fromUtf8(kAppTitle));
  const QString name = QStringLiteral("Quorin Lorvexandrin %1").arg(QString::fromStdString(ProgramVersionText()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Closing %1... Please wait").arg(name), this));
  layout->addWidget(new QLabel(QStringLiteral("Thank you to using %1.See you soon !!!").arg(name), this));
  auto* busy = new QProgressBar(this);
  busy->setRange(0, 0);  // a moving bar while the window closes
  busy->setTextVisible(false);
  layout->addWidget(busy);
}

}  // namespace lx::gui
