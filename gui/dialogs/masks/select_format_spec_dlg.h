// CSelectFormatSpecDlg: the catalogue of every format element with sample
// values; the chosen row, completed with its setting where it has one
// (a length, a counter width, a keyword), is the element to add to a mask.
#pragma once

#include <string>

#include "common/lorvexandrin_base_dlg.h"
#include "platform/times.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace lx {
class CSQLite;
}

namespace lx::gui {

class CSelectFormatSpecDlg : public CLorvexandrinBaseDlg {
  Q_OBJECT

 public:
  CSelectFormatSpecDlg(CSQLite& sqlite, TimeT now, QWidget* parent = nullptr);

  // The element chosen, empty until a row was chosen.
  const std::string& Choice() const { return choice_; }

  QTableWidget* Catalogue() const { return list_; }
  QLabel* CountLabel() const { return count_; }
  QLabel* SampleLine() const { return sample_; }
  QPushButton* OkButton() const { return ok_; }
  // Selects the row whose format column reads format (what a click does).
  bool SelectFormat(const QString& format);

 private:
  void RowSelected();

  CSQLite& sqlite_;
  std::string choice_;
  QTableWidget* list_ = nullptr;
  QLabel* count_ = nullptr;
  QLabel* sample_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace lx::gui
