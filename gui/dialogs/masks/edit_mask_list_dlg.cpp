#include "dialogs/masks/edit_mask_list_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/modal_hook.h"
#include "common/sql_table_model.h"
#include "dialogs/keywords/preview_with_rotate.h"
#include "dialogs/masks/edit_mask_dlg.h"
#include "storage/database.h"
#include "storage/mask_store.h"

namespace lx::gui {

namespace {

constexpr int kIdColumn = 0;
constexpr int kMaskColumn = 1;
constexpr int kDescriptionColumn = 2;

bool IsStandard(int id) { return id >= 1 && id <= kStandardMaskCount; }

}  // namespace

CEditMaskListDlg::CEditMaskListDlg(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts,
                                   const std::string& suffixMask, bool suffixIncludesRoot, QWidget* parent)
    : CLorvexandrinBaseDlg(parent),
      sqlite_(sqlite),
      settings_(settings),
      prompts_(prompts),
      suffixMask_(suffixMask),
      suffixIncludesRoot_(suffixIncludesRoot) {
  setWindowTitle("Edit Quorin Lorvexandrin Mask List ");
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel("Number of Renaming Masks: ", this));
  count_ = new QLabel("0", this);
  countRow->addWidget(count_);
  countRow->addStretch(1);
  list_ = MakeListTable(this);
  auto* note = new QLabel(
      "Note: The four standard masks can NOT be modified NOR deleted but can be used as Root Mask for New Mask "
      "Edition.",
      this);
  note->setWordWrap(true);
  auto* side = new QVBoxLayout;
  edit_ = new QPushButton("Edit Mask", this);
  delete_ = new QPushButton("Delete Mask", this);
  up_ = new QPushButton("Up", this);
  down_ = new QPushButton("Down", this);
  for (QPushButton* b : {edit_, delete_, up_, down_}) {
    b->setAutoDefault(false);
    side->addWidget(b);
  }
  side->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(side);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("Exit and Use Renaming Mask", QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(countRow);
  layout->addLayout(middle, 1);
  layout->addWidget(note);
  layout->addWidget(buttons);
  resize(820, 460);

  connect(list_, &QTableWidget::itemSelectionChanged, this, &CEditMaskListDlg::UpdateButtons);
  connect(edit_, &QPushButton::clicked, this, &CEditMaskListDlg::EditMask);
  connect(delete_, &QPushButton::clicked, this, &CEditMaskListDlg::DeleteMask);
  connect(up_, &QPushButton::clicked, this, [this]() { Move(-1); });
  connect(down_, &QPushButton::clicked, this, [this]() { Move(1); });
  connect(buttons, &QDialogButtonBox::accepted, this, &CEditMaskListDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Fill(-1);
}

void CEditMaskListDlg::Fill(int selectId) {
  SqlTable table;
  MaskStore(sqlite_).ListMasks(table);
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->blockSignals(false);
  count_->setText(QString::number(list_->rowCount()));
  if (!SelectId(selectId) && list_->rowCount() > 0) list_->selectRow(0);
  UpdateButtons();
}

bool CEditMaskListDlg::SelectId(int id) {
  for (int r = 0; r < list_->rowCount(); ++r)
    if (IdAt(r) == id) {
      list_->selectRow(r);
      list_->scrollToItem(list_->item(r, 0));
      return true;
    }
  return false;
}

int CEditMaskListDlg::SelectedRow() const {
  const auto rows = list_->selectionModel()->selectedRows();
  return rows.isEmpty() || list_->columnCount() < 3 ? -1 : rows.first().row();
}

int CEditMaskListDlg::IdAt(int row) const {
  if (row < 0 || row >= list_->rowCount() || list_->columnCount() < 3 || !list_->item(row, kIdColumn)) return -1;
  return list_->item(row, kIdColumn)->text().toInt();
}

void CEditMaskListDlg::UpdateButtons() {
  const int row = SelectedRow();
  const int id = IdAt(row);
  edit_->setEnabled(row >= 0);
  // The standard masks keep their ids: none of them is deleted or swapped with another.
  delete_->setEnabled(row >= 0 && !IsStandard(id));
  up_->setEnabled(row > 0 && !IsStandard(id) && !IsStandard(IdAt(row - 1)));
  down_->setEnabled(row >= 0 && row + 1 < list_->rowCount() && !IsStandard(id) && !IsStandard(IdAt(row + 1)));
}

void CEditMaskListDlg::EditMask() {
  const int row = SelectedRow();
  if (row < 0) return;
  const int id = IdAt(row);
  CEditMaskDlg editor(sqlite_, settings_, prompts_, list_->item(row, kMaskColumn)->text().toStdString(),
                      list_->item(row, kDescriptionColumn)->text().toStdString(), id, suffixMask_, suffixIncludesRoot_,
                      this);
  ExecModal(editor);
  Fill(editor.MaskId());
}

void CEditMaskListDlg::DeleteMask() {
  const int id = IdAt(SelectedRow());
  if (id < 0 || IsStandard(id)) return;
  MaskStore(sqlite_).DeleteMask(id);
  Fill(-1);
}

void CEditMaskListDlg::Move(int step) {
  const int row = SelectedRow();
  const int id = IdAt(row);
  const int other = IdAt(row + step);
  if (id < 0 || other < 0 || IsStandard(id) || IsStandard(other)) return;
  MaskStore(sqlite_).SwapMaskIds(id, other);
  // The mask moved: it now holds its neighbour's id.
  Fill(other);
}

void CEditMaskListDlg::accept() {
  const int row = SelectedRow();
  chosen_ = row >= 0 ? list_->item(row, kMaskColumn)->text().toStdString() : std::string();
  CLorvexandrinBaseDlg::accept();
}

}  // namespace lx::gui
