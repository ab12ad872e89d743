#include "dialogs/app/about_box.h"

#include <QMessageBox>
#include <QSysInfo>

#include "base/version.h"
#include "common/app_titles.h"
#include "common/icons.h"
#include "common/modal_hook.h"

namespace lx::gui {

void ShowAboutBox(QWidget* parent) {
  const QString text =
      QStringLiteral(
          "<h3>%1</h3><p>Release %2</p><p>Renames photographs in bulk from their Exif dates and a "
          "renaming mask.</p><p>Qt %3 &middot; %4 &middot; %5 (%6)</p>")
          .arg(FullTitle(), QString::fromStdString(ProgramVersionText()), QString::fromLatin1(qVersion()),
               QSysInfo::prettyProductName(), QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("About ") + FullTitle());
  box.setIconPixmap(CommandIcon(nullptr, "lorvexandrin").pixmap(64, 64));
  box.setTextFormat(Qt::RichText);
  box.setText(text);
  ExecModal(box);
}

}  // namespace lx::gui
