#include "dialogs/rename/edit_selection_filter_dlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/rename/selection_filter_field.h"

namespace lx::gui {

CEditSelectionFilterDlg::CEditSelectionFilterDlg(const std::string& text, bool caseSensitive, Prompts* prompts,
                                                 QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_EditSelectionFilterDlg.flv";
  setWindowTitle(QStringLiteral("Edit Quorin Lorvexandrin Files Selection Filter"));
  auto* layout = new QVBoxLayout(this);
  field_ = new CSelectionFilterField(text, caseSensitive, prompts, this);
  layout->addWidget(field_);
  auto* buttons = new QDialogButtonBox(this);
  apply_ = buttons->addButton(QStringLiteral("Apply Selection Filter"), QDialogButtonBox::AcceptRole);
  apply_->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string CEditSelectionFilterDlg::Text() const { return field_->Text(); }
bool CEditSelectionFilterDlg::CaseSensitive() const { return field_->CaseSensitive(); }

}  // namespace lx::gui
