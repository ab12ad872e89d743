#include "shell/output_wnd.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <cstdio>

#include "platform/times.h"

namespace lx::gui {

namespace {
// The border allowance added to a measured line, as wide as three frame pixels.
constexpr int kBorderAllowance = 3;
}  // namespace

COutputList::COutputList(QWidget* parent) : QListWidget(parent) {
  setObjectName("OutputList");
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Long lines scroll sideways instead of being cut short.
  setTextElideMode(Qt::ElideNone);
}

void COutputList::AddLine(const QString& line) {
  insertItem(0, line);
  const int width = fontMetrics().horizontalAdvance(line) + kBorderAllowance;
  if (width > maxWidth_) maxWidth_ = width;
  scrollToTop();
}

void COutputList::ResetLog() {
  clear();
  maxWidth_ = 0;
}

void COutputList::CopySelection() {
  QStringList lines;
  const bool any = !selectedItems().isEmpty();
  for (int i = 0; i < count(); ++i) {
    if (!any || item(i)->isSelected()) lines << item(i)->text();
  }
  QApplication::clipboard()->setText(lines.join('\n'));
}

void COutputList::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(tr("Copy"));
  QAction* clearAll = menu.addAction(tr("Clear"));
  copy->setEnabled(count() > 0);
  clearAll->setEnabled(count() > 0);
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == copy) CopySelection();
  if (chosen == clearAll) ResetLog();
}

COutputWnd::COutputWnd(QWidget* parent) : QDockWidget(QStringLiteral("Application Log "), parent) {
  setObjectName("OutputPane");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  tabs_ = new QTabWidget(this);
  tabs_->setDocumentMode(true);
  tabs_->setTabPosition(QTabWidget::South);
  list_ = new COutputList(tabs_);
  tabs_->addTab(list_, QStringLiteral("Quorin Lorvexandrin Log"));
  setWidget(tabs_);
}

void COutputWnd::AddLogLine(const std::string& text) {
  auto now = ToLocal(NowSeconds());
  AddFormattedLine(FormatLogLine(now.value_or(LocalFields{}), text));
}

void COutputWnd::AddFormattedLine(const std::string& line) { list_->AddLine(QString::fromStdString(line)); }

void COutputWnd::ResetLog() { list_->ResetLog(); }

void OutputPaneLogSink::AddLogLine(const std::string& line) {
  COutputWnd* pane = pane_.data();
  if (!pane) return;
  if (QThread::currentThread() == pane->thread()) {
    pane->AddFormattedLine(line);
    return;
  }
  QPointer<COutputWnd> guard(pane);
  QMetaObject::invokeMethod(
      pane,
      [guard, line] {
        if (guard) guard->AddFormattedLine(line);
      },
      Qt::QueuedConnection);
}

void StderrLogSink::AddLogLine(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

}  // namespace lx::gui
