// PreviewWithRotate: the picture shown by the keyword and keyboard-entry
// dialogs, with its two rotate buttons; and the list table both dialogs use.
#pragma once

#include <QGroupBox>
#include <string>

class QTableWidget;

namespace lx::gui {

class CPictureBox;

class PreviewWithRotate : public QGroupBox {
 public:
  explicit PreviewWithRotate(QWidget* parent);

  // Shows the file with command 0, fitted; the error text when it cannot.
  std::string Show(const std::string& file);

  CPictureBox* picture = nullptr;
};

// A read-only table with grid lines and single full-row selection.
QTableWidget* MakeListTable(QWidget* parent);

}  // namespace lx::gui
