#include "common/command_table.h"

#include <QAction>

#include "common/icons.h"

namespace lx::gui {

QAction* CommandTable::Add(const CommandSpec& spec) {
  const QString text = QString::fromUtf8(spec.text);
  auto* action = new QAction(text, owner_);
  action->setData(spec.id);
  action->setCheckable(spec.checkable);
  if (spec.bundledIcon) action->setIcon(CommandIcon(spec.themeIcon, spec.bundledIcon));
  const int id = spec.id;
  QObject::connect(action, &QAction::triggered, owner_, [this, id] { run_(id); });
  actions_.insert(id, action);
  return action;
}

void CommandTable::AddAll(std::initializer_list<CommandSpec> specs) {
  for (const CommandSpec& spec : specs) Add(spec);
}

void CommandTable::SetTip(int id, const QString& title, const QString& description) {
  if (QAction* action = Get(id)) action->setToolTip(ToolTipHtml(title, description));
}

QString ToolTipHtml(const QString& title, const QString& description) {
  QString body = description.toHtmlEscaped();
  while (body.startsWith('\n')) body.remove(0, 1);
  body.replace('\n', QStringLiteral("<br>"));
  return QStringLiteral("<b>%1</b><br><br>%2").arg(title.toHtmlEscaped(), body);
}

}  // namespace lx::gui
