#include "common/icons.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QString>

static void InitBundledResources() { Q_INIT_RESOURCE(lorvexandrin); }

namespace lx::gui {

void InitResources() {
  static bool done = false;
  if (!done) {
    InitBundledResources();
    done = true;
  }
}

QIcon CommandIcon(const char* themeName, const char* bundled) {
  InitResources();
  QIcon fallback(QStringLiteral(":/icons/%1.png").arg(QLatin1String(bundled)));
  if (themeName && *themeName && QIcon::hasThemeIcon(QLatin1String(themeName)))
    return QIcon::fromTheme(QLatin1String(themeName));
  return fallback;
}

QIcon GlyphIcon(const char* themeName, const QColor& color, const QString& glyph) {
  if (themeName && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(color.darker(140));
    painter.drawRoundedRect(QRectF(1, 1, side - 2, side - 2), side / 6.0, side / 6.0);
    if (!glyph.isEmpty()) {
      QFont font = painter.font();
      font.setBold(true);
      font.setPixelSize(side * 5 / 8);
      painter.setFont(font);
      painter.setPen(Qt::white);
      painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    }
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace lx::gui
