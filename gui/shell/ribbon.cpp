#include "shell/ribbon.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace lx::gui {

namespace {
constexpr int kSmallPerColumn = 3;

CRibbonBar* RibbonOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* bar = qobject_cast<CRibbonBar*>(w)) return bar;
  return nullptr;
}
}  // namespace

CRibbonGroup::CRibbonGroup(const QString& title, QWidget* parent) : QFrame(parent), title_(title) {
  setObjectName("RibbonGroup");
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Plain);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 3, 4, 2);
  layout->setSpacing(2);
  buttons_ = new QHBoxLayout;
  buttons_->setSpacing(2);
  layout->addLayout(buttons_, 1);
  auto* caption = new QLabel(title, this);
  caption->setAlignment(Qt::AlignCenter);
  QFont small = caption->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  caption->setFont(small);
  caption->setForegroundRole(QPalette::PlaceholderText);
  layout->addWidget(caption);
}

static QToolButton* MakeButton(QAction* action, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  if (CRibbonBar* bar = RibbonOf(parent)) {
    button->installEventFilter(bar);
  }
  return button;
}

// A long label of a large button goes on two lines, split at the blank
// nearest its middle, so that a full ribbon fits without cutting labels short.
static QString TwoLineLabel(const QString& text) {
  if (text.size() <= 12 || text.contains('\n')) return text;
  int best = -1;
  for (int i = 0; i < text.size(); ++i)
    if (text[i] == ' ' && (best < 0 || std::abs(i - text.size() / 2) < std::abs(best - text.size() / 2))) best = i;
  if (best < 0) return text;
  QString wrapped = text;
  wrapped[best] = '\n';
  return wrapped;
}

QToolButton* CRibbonGroup::AddLarge(QAction* action) {
  // The menus and tooltips keep the one-line text; only the button shows two lines.
  action->setIconText(TwoLineLabel(action->text()));
  auto* button = MakeButton(action, this);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setIconSize(QSize(32, 32));
  button->setMinimumWidth(64);
  button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
  buttons_->addWidget(button);
  smallColumn_ = nullptr;
  if (CRibbonBar* bar = RibbonOf(this)) bar->buttons_.push_back(button);
  return button;
}

QToolButton* CRibbonGroup::AddSmall(QAction* action) {
  if (!smallColumn_ || smallInColumn_ == kSmallPerColumn) {
    smallColumn_ = new QVBoxLayout;
    smallColumn_->setSpacing(0);
    buttons_->addLayout(smallColumn_);
    smallInColumn_ = 0;
  }
  auto* button = MakeButton(action, this);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setIconSize(QSize(16, 16));
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  smallColumn_->addWidget(button);
  ++smallInColumn_;
  if (CRibbonBar* bar = RibbonOf(this)) bar->buttons_.push_back(button);
  return button;
}

CRibbonBar::CRibbonBar(QWidget* parent) : QWidget(parent) {
  setObjectName("RibbonBar");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new QTabBar(this);
  tabs_->setDrawBase(true);
  tabs_->setExpanding(false);
  pages_ = new QStackedWidget(this);
  pages_->setFixedHeight(96);
  layout->addWidget(tabs_);
  layout->addWidget(pages_);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    pages_->setCurrentIndex(index);
    if (index >= 0) emit CategoryActivated(tabs_->tabText(index));
  });
}

int CRibbonBar::AddCategory(const QString& name) {
  auto* page = new QWidget(pages_);
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(6);
  const QSignalBlocker block(tabs_);
  const int index = tabs_->addTab(name);
  pages_->addWidget(page);
  return index;
}

CRibbonGroup* CRibbonBar::AddGroup(int category, const QString& title) {
  QWidget* page = pages_->widget(category);
  auto* group = new CRibbonGroup(title, page);
  auto* row = static_cast<QHBoxLayout*>(page->layout());
  // A group added to a finished category still goes before its closing stretch.
  const int last = row->count() - 1;
  if (last >= 0 && row->itemAt(last)->spacerItem() != nullptr)
    row->insertWidget(last, group);
  else
    row->addWidget(group);
  return group;
}

void CRibbonBar::FinishCategory(int category) {
  static_cast<QHBoxLayout*>(pages_->widget(category)->layout())->addStretch(1);
}

QStringList CRibbonBar::Categories() const {
  QStringList names;
  for (int i = 0; i < tabs_->count(); ++i) names << tabs_->tabText(i);
  return names;
}

QString CRibbonBar::ActiveCategory() const { return tabs_->tabText(tabs_->currentIndex()); }

bool CRibbonBar::ActivateCategory(const QString& name) {
  for (int i = 0; i < tabs_->count(); ++i) {
    if (tabs_->tabText(i) == name) {
      tabs_->setCurrentIndex(i);
      return true;
    }
  }
  return false;
}

std::vector<QToolButton*> CRibbonBar::ButtonsFor(int commandId) const {
  std::vector<QToolButton*> found;
  for (QToolButton* button : buttons_)
    if (button->defaultAction() && button->defaultAction()->data().toInt() == commandId) found.push_back(button);
  return found;
}

bool CRibbonBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !toolTips_) return true;
  return QWidget::eventFilter(watched, event);
}

}  // namespace lx::gui
