// CSelectFormatSettingDlg: the character count of a "%Lx" or "%Rx" element, or
// the digit count (1 to 9, A to F) of a "%Cx" counter element.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"

class QComboBox;

namespace lx::gui {

class CSelectFormatSettingDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  // spec: "%Lx", "%Rx" or "%Cx".
  CSelectFormatSettingDlg(const std::string& spec, const QString& title, const QString& label,
                          QWidget* parent = nullptr);

  // The complete element for the chosen entry, e.g. "%L3" or "%CA".
  std::string Result() const;
  QComboBox* Setting() const { return setting_; }

 private:
  std::string spec_;
  QComboBox* setting_ = nullptr;
};

}  // namespace lx::gui
