// The drop-down palette of a colour command: a grid of standard colours and
// "&More Colors...", which opens the full colour dialog.
#pragma once

#include <QColor>
#include <QMenu>
#include <functional>

namespace lx::gui {

class CColourPaletteMenu : public QMenu {
  Q_OBJECT

 public:
  // current gives the colour the full dialog opens with; picked receives the choice.
  CColourPaletteMenu(const QString& title, std::function<QColor()> current, std::function<void(const QColor&)> picked,
                     QWidget* parent = nullptr);

  // The standard colours, in grid order.
  static const QList<QColor>& StandardColours();
  // What clicking a swatch does (tests pick through it).
  void Pick(const QColor& colour);
  // "&More Colors...": the full colour dialog; false when it was cancelled.
  bool MoreColours();
  QAction* MoreColoursAction() const { return more_; }

 private:
  QString title_;
  std::function<QColor()> current_;
  std::function<void(const QColor&)> picked_;
  QAction* more_ = nullptr;
};

}  // namespace lx::gui
