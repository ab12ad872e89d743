#include "common/colour_palette.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QToolButton>
#include <QWidgetAction>

#include "common/modal_hook.h"

namespace lx::gui {

namespace {
constexpr int kColumns = 8;
}

const QList<QColor>& CColourPaletteMenu::StandardColours() {
  static const QList<QColor> colours = [] {
    QList<QColor> list;
    for (const char* name : {"#000000", "#404040", "#808080", "#C0C0C0", "#FFFFFF", "#800000", "#FF0000", "#FF8000",
                             "#808000", "#FFFF00", "#008000", "#228B22", "#00FF00", "#008080", "#00FFFF", "#000080",
                             "#0000FF", "#4169E1", "#800080", "#FF00FF", "#8B4513", "#D2691E", "#FF1493", "#2F4F4F"})
      list.push_back(QColor(name));
    return list;
  }();
  return colours;
}

CColourPaletteMenu::CColourPaletteMenu(const QString& title, std::function<QColor()> current,
                                       std::function<void(const QColor&)> picked, QWidget* parent)
    : QMenu(title, parent), title_(title), current_(std::move(current)), picked_(std::move(picked)) {
  auto* grid = new QWidget(this);
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(3);
  int index = 0;
  for (const QColor& colour : StandardColours()) {
    auto* swatch = new QToolButton(grid);
    swatch->setFixedSize(20, 20);
    swatch->setAutoRaise(false);
    swatch->setToolTip(colour.name(QColor::HexRgb).toUpper());
    swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #808080; }"
                                         "QToolButton:hover { border: 2px solid #202020; }")
                              .arg(colour.name()));
    connect(swatch, &QToolButton::clicked, this, [this, colour] { Pick(colour); });
    layout->addWidget(swatch, index / kColumns, index % kColumns);
    ++index;
  }
  auto* gridAction = new QWidgetAction(this);
  gridAction->setDefaultWidget(grid);
  addAction(gridAction);
  addSeparator();
  more_ = addAction(QStringLiteral("&More Colors..."));
  connect(more_, &QAction::triggered, this, [this] { MoreColours(); });
}

void CColourPaletteMenu::Pick(const QColor& colour) {
  close();
  if (colour.isValid() && picked_) picked_(colour);
}

bool CColourPaletteMenu::MoreColours() {
  QColorDialog dialog(current_ ? current_() : QColor(), parentWidget());
  dialog.setWindowTitle(title_);
  if (ExecModal(dialog) != QDialog::Accepted) return false;
  Pick(dialog.currentColor());
  return true;
}

}  // namespace lx::gui
