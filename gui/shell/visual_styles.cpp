#include "shell/visual_styles.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "shell/main_frame_commands.h"

namespace lx::gui {

QPalette LightPalette(const QColor& highlight, const QColor& window) {
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::AlternateBase, window.lighter(104));
  p.setColor(QPalette::Text, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFB, 0xE6));
  p.setColor(QPalette::ToolTipText, QColor(0x1E, 0x1E, 0x1E));
  p.setColor(QPalette::Link, highlight.darker(120));
  p.setColor(QPalette::PlaceholderText, QColor(0x6A, 0x6A, 0x6A));
  return p;
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(0x2D, 0x2F, 0x33);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Base, QColor(0x22, 0x24, 0x27));
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Button, QColor(0x38, 0x3B, 0x40));
  p.setColor(QPalette::ButtonText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Highlight, QColor(0x3D, 0x7E, 0xD6));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0x38, 0x3B, 0x40));
  p.setColor(QPalette::ToolTipText, QColor(0xE6, 0xE6, 0xE6));
  p.setColor(QPalette::Link, QColor(0x7F, 0xB2, 0xF0));
  p.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
  return p;
}

void ApplyApplicationLook(int styleId, const QString& desktopStyle) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  if (styleId == kCmdStyleDesktop) {
    QStyle* style = QStyleFactory::create(desktopStyle.isEmpty() ? QStringLiteral("Fusion") : desktopStyle);
    if (style) QApplication::setStyle(style);
    QApplication::setPalette(QApplication::style()->standardPalette());
    return;
  }
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  switch (styleId) {
    case kCmdStyleBlue:
      QApplication::setPalette(LightPalette(QColor(0x2A, 0x6D, 0xB5), QColor(0xE3, 0xEC, 0xF7)));
      break;
    case kCmdStyleBlack:
      QApplication::setPalette(DarkPalette());
      break;
    case kCmdStyleSilver:
      QApplication::setPalette(LightPalette(QColor(0x5F, 0x6B, 0x7A), QColor(0xEC, 0xEE, 0xF1)));
      break;
    default:
      QApplication::setPalette(LightPalette(QColor(0x1F, 0x86, 0xB8), QColor(0xF0, 0xF4, 0xF7)));
      break;
  }
}

}  // namespace lx::gui
