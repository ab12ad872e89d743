// CommandTable: the commands of a window by id, one QAction each, shared by
// its ribbon, its menus and the tests, which run a command as its button does.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class QAction;

namespace lx::gui {

// A row of a window's command list.
struct CommandSpec {
  int id;
  const char* text;
  const char* themeIcon = nullptr;    // the desktop theme's icon, tried first
  const char* bundledIcon = nullptr;  // ours; no icon when null
  bool checkable = false;
};

class CommandTable {
 public:
  // Triggering a command calls run with its id. The actions belong to owner.
  CommandTable(QObject* owner, std::function<void(int)> run) : owner_(owner), run_(std::move(run)) {}

  QAction* Add(const CommandSpec& spec);
  void AddAll(std::initializer_list<CommandSpec> specs);
  QAction* Get(int id) const { return actions_.value(id, nullptr); }
  bool IsEmpty() const { return actions_.isEmpty(); }
  // A bold title over the description, as the ribbon shows its tips.
  void SetTip(int id, const QString& title, const QString& description);

 private:
  QObject* owner_;
  std::function<void(int)> run_;
  QHash<int, QAction*> actions_;
};

QString ToolTipHtml(const QString& title, const QString& description);

}  // namespace lx::gui
