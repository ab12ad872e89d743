// The program's title as windows, boxes and tips show it: "Lorvexandrin" and
// "Quorin Lorvexandrin".
#pragma once

#include <QString>

#include "base/version.h"

namespace lx::gui {

inline QString AppTitle() { return QString::fromUtf8(kAppTitle); }
inline QString FullTitle() { return QStringLiteral("Quorin ") + AppTitle(); }

}  // namespace lx::gui
