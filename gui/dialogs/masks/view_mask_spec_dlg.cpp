#include "dialogs/masks/view_mask_spec_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/keywords/preview_with_rotate.h"
#include "masks/mask_data.h"
#include "masks/mask_labels.h"

namespace lx::gui {

CViewMaskSpecDlg::CViewMaskSpecDlg(const std::string& mask, const CMaskData& parsed, QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_ViewMaskSpecDlg.flv";
  setWindowTitle("View Quorin Lorvexandrin Mask Specifications");
  auto* maskText = new QLineEdit(QString::fromStdString(mask), this);
  maskText->setReadOnly(true);
  count_ = new QLabel(QString::number(parsed.SpecCount), this);
  auto* form = new QFormLayout;
  form->addRow("Renaming Mask: ", maskText);
  form->addRow("Number of Specifications", count_);

  list_ = MakeListTable(this);
  list_->setColumnCount(6);
  list_->setHorizontalHeaderLabels(
      {"Spec. Id", "Spec. Mask", "Spec. Type", "Spec. Sub-Type", "Additional Data", "Spec. Error"});
  list_->setRowCount(parsed.SpecCount);
  for (int i = 0; i < parsed.SpecCount; ++i) {
    const CMaskAttr& spec = parsed.Specs[static_cast<size_t>(i)];
    const std::string cells[6] = {std::to_string(i + 1),
                                  BlankRuleText(spec.SpecMask),
                                  SpecTypeName(spec.SpecType),
                                  SpecSubTypeLabel(spec.SpecType, spec.SpecSubType),
                                  AdditionalDataLabel(spec.SpecType, spec.AdditionalData),
                                  spec.SpecError};
    for (int c = 0; c < 6; ++c) list_->setItem(i, c, new QTableWidgetItem(QString::fromStdString(cells[c])));
  }
  list_->resizeColumnsToContents();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(list_, 1);
  layout->addWidget(new QLabel("Note: SP is used to symbolize the Space Character", this));
  layout->addWidget(buttons);
  resize(980, 420);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

}  // namespace lx::gui
