// CSetPictureCounterDlg: shows the picture counter (the last number given to a
// renamed picture) and lets the user choose the value the next run goes on from.
#pragma once

#include <cstdint>

#include "common/lorvexandrin_base_dlg.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lx::gui {

class CSetPictureCounterDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  explicit CSetPictureCounterDlg(std::uint32_t counter, QWidget* parent = nullptr);

  // The value entered, valid once the dialog was accepted.
  int NewCounter() const { return newCounter_; }

  QLineEdit* CurrentField() const { return current_; }
  QLineEdit* NewField() const { return new_; }
  QLabel* InfoLine() const { return info_; }
  QLabel* WarningLine() const { return warning_; }
  QPushButton* OkButton() const { return ok_; }

  void accept() override;

 private:
  // The entered value, or -1 when it is empty or beyond the largest counter.
  long long EnteredValue() const;
  void NewValueEdited();

  QLineEdit* current_ = nullptr;
  QLineEdit* new_ = nullptr;
  QLabel* info_ = nullptr;
  QLabel* warning_ = nullptr;
  QPushButton* ok_ = nullptr;
  int newCounter_ = 0;
};

}  // namespace lx::gui
