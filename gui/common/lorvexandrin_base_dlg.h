// CLorvexandrinBaseDlg: the base of every dialog of the program. It carries
// the name of the dialog's help video; "Undefined" means the dialog has none.
#pragma once

#include <QDialog>
#include <string>

namespace lx::gui {

class CLorvexandrinBaseDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CLorvexandrinBaseDlg(QWidget* parent = nullptr) : QDialog(parent) {}
  std::string helpVideo = "Undefined";
};

}  // namespace lx::gui
