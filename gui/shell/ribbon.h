// A ribbon-style command bar: a row of category tabs, each category a row of
// titled groups holding large buttons (icon over text) and small buttons
// (icon beside text). Buttons show QActions, so a command's enable and check
// state lives in one place.
#pragma once

#include <QFrame>
#include <QStringList>
#include <QWidget>
#include <vector>

class QTabBar;
class QStackedWidget;
class QHBoxLayout;
class QVBoxLayout;
class QAction;
class QToolButton;

namespace lx::gui {

class CRibbonGroup : public QFrame {
  Q_OBJECT

 public:
  CRibbonGroup(const QString& title, QWidget* parent);
  QToolButton* AddLarge(QAction* action);
  QToolButton* AddSmall(QAction* action);
  QString Title() const { return title_; }

 private:
  QString title_;
  QHBoxLayout* buttons_ = nullptr;
  QVBoxLayout* smallColumn_ = nullptr;
  int smallInColumn_ = 0;
};

class CRibbonBar : public QWidget {
  Q_OBJECT

 public:
  explicit CRibbonBar(QWidget* parent = nullptr);

  int AddCategory(const QString& name);
  CRibbonGroup* AddGroup(int category, const QString& title);
  // Ends a category's row of groups; call once all its groups are added.
  void FinishCategory(int category);

  QStringList Categories() const;
  QString ActiveCategory() const;
  // Activates a category by name; false when there is no such category.
  bool ActivateCategory(const QString& name);
  // All buttons showing an action of that id.
  std::vector<QToolButton*> ButtonsFor(int commandId) const;

  void SetToolTipsEnabled(bool enabled) { toolTips_ = enabled; }
  bool ToolTipsEnabled() const { return toolTips_; }

 signals:
  void CategoryActivated(const QString& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class CRibbonGroup;
  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::vector<QToolButton*> buttons_;
  bool toolTips_ = true;
};

}  // namespace lx::gui
