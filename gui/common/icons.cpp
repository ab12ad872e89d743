#include "common/icons.h"

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

}  // namespace lx::gui
