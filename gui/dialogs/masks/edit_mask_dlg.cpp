#include "dialogs/masks/edit_mask_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/prompts.h"
#include "base/version.h"
#include "common/modal_hook.h"
#include "dialogs/masks/select_format_spec_dlg.h"
#include "dialogs/masks/view_mask_spec_dlg.h"
#include "dialogs/rename/set_duplicate_handling_dlg.h"
#include "masks/mask_data.h"
#include "masks/name_cleaning.h"
#include "platform/text.h"
#include "rename/duplicate_names.h"
#include "storage/database.h"
#include "storage/database_keyword_source.h"
#include "storage/mask_store.h"
#include "storage/picture_counter.h"

namespace lx::gui {

namespace {

constexpr const char* kSampleFile = "IMG_01234.jpg";

QLabel* ValueLine(QWidget* parent) {
  auto* line = new QLabel(parent);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  line->setFrameShape(QFrame::StyledPanel);
  line->setWordWrap(true);
  return line;
}

}  // namespace

CEditMaskDlg::CEditMaskDlg(CSQLite& sqlite, SettingsStore& settings, Prompts& prompts, const std::string& mask,
                           const std::string& description, int id, const std::string& suffixMask,
                           bool suffixIncludesRoot, QWidget* parent)
    : CLorvexandrinBaseDlg(parent),
      sqlite_(sqlite),
      settings_(settings),
      prompts_(prompts),
      id_(id),
      suffixMask_(suffixMask),
      suffixIncludesRoot_(suffixIncludesRoot),
      sampleTime_(NowSeconds()) {
  helpVideo = "Lorvexandrin40_EditMaskDlg.flv";
  setWindowTitle("Edit Quorin Lorvexandrin Renaming Mask");

  auto* maskGroup = new QGroupBox(" Renaming Mask ", this);
  auto* form = new QFormLayout(maskGroup);
  rootMask_ = new QLineEdit(maskGroup);
  rootMask_->setReadOnly(true);
  mask_ = new QLineEdit(maskGroup);
  description_ = new QLineEdit(QString::fromStdString(description), maskGroup);
  idLabel_ = new QLabel(QString::number(id), maskGroup);
  form->addRow("Root Mask: ", rootMask_);
  form->addRow("Renaming Mask: ", mask_);
  form->addRow("Mask Description: ", description_);
  form->addRow("Mask Id: ", idLabel_);

  auto* sampleGroup = new QGroupBox(" Renaming Mask Sample ", this);
  auto* sampleForm = new QFormLayout(sampleGroup);
  sampleForm->addRow("Sample File Name: ", new QLabel(kSampleFile, sampleGroup));
  sampleForm->addRow(
      "Sample Time: ",
      new QLabel(QString::fromStdString(FormatMaskTime("%A %d-%b-%Y %H:%M:%S", sampleTime_)), sampleGroup));
  applied_ = ValueLine(sampleGroup);
  withSuffix_ = ValueLine(sampleGroup);
  sampleForm->addRow("File Name with Mask Applied: ", applied_);
  sampleForm->addRow("File Name with Mask and Duplicate Suffix Applied: ", withSuffix_);

  auto* actions = new QGridLayout;
  addSpec_ = new QPushButton("Add Format Specification", this);
  view_ = new QPushButton("View Mask Specifications", this);
  addMask_ = new QPushButton("Add Renaming Mask to Database", this);
  modify_ = new QPushButton("Modify Existing Mask in Database", this);
  suffix_ = new QPushButton("Get Duplicate Suffix", this);
  actions->addWidget(addSpec_, 0, 0);
  actions->addWidget(view_, 0, 1);
  actions->addWidget(suffix_, 0, 2);
  actions->addWidget(addMask_, 1, 0);
  actions->addWidget(modify_, 1, 1);
  for (QPushButton* b : {addSpec_, view_, addMask_, modify_, suffix_}) b->setAutoDefault(false);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("Exit and Use Renaming Mask", QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(maskGroup);
  layout->addWidget(sampleGroup);
  layout->addLayout(actions);
  layout->addStretch(1);
  layout->addWidget(buttons);
  resize(760, 460);

  connect(mask_, &QLineEdit::textChanged, this, &CEditMaskDlg::MaskChanged);
  connect(addSpec_, &QPushButton::clicked, this, &CEditMaskDlg::AddFormatSpecification);
  connect(addMask_, &QPushButton::clicked, this, &CEditMaskDlg::AddToDatabase);
  connect(modify_, &QPushButton::clicked, this, &CEditMaskDlg::ModifyInDatabase);
  connect(suffix_, &QPushButton::clicked, this, &CEditMaskDlg::GetDuplicateSuffix);
  connect(view_, &QPushButton::clicked, this, &CEditMaskDlg::ViewMaskSpecifications);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  Reload(mask);
}

std::string CEditMaskDlg::Mask() const { return mask_->text().toStdString(); }

void CEditMaskDlg::Reload(const std::string& text) {
  rootMask_->setText(QString::fromStdString(text));
  mask_->setText(QString::fromStdString(text));
  MaskChanged();  // setText does not signal when the text stays the same
  idLabel_->setText(QString::number(id_));
  addMask_->setEnabled(false);
  modify_->setEnabled(false);
}

void CEditMaskDlg::MaskChanged() {
  std::string text = Mask();
  if (text.empty()) {
    addMask_->setEnabled(false);
    modify_->setEnabled(false);
    view_->setEnabled(false);
    applied_->clear();
    withSuffix_->clear();
    return;
  }
  size_t firstBad = 0;
  if (!RemoveInvalidCharacters(text, kForbiddenNameCharacters, "Mask Format", &prompts_, &firstBad)) {
    // Writing the cleaned text back runs this check again on it.
    const QSignalBlocker quiet(mask_);
    mask_->setText(QString::fromStdString(text));
    mask_->setCursorPosition(static_cast<int>(firstBad));
  }
  std::string message;
  const bool parsed = ActiveMask.ParseMask(text, message, ReportQuiet);
  view_->setEnabled(parsed);
  if (parsed) {
    ShowSample();
  } else {
    applied_->setText(QString::fromStdString(message));
    withSuffix_->clear();
  }
  const int found = MaskStore(sqlite_).FindMaskId(text);
  addMask_->setEnabled(found < 0);
  modify_->setEnabled((found < 0 || found > kStandardMaskCount) && id_ > kStandardMaskCount);
}

void CEditMaskDlg::ShowSample() {
  DatabaseKeywordSource keywords(sqlite_);
  int counter = static_cast<int>(GetPictureCounter(settings_));
  std::string currentName, newName;
  ActiveMask.EvaluatePath(kSampleFile, true, currentName, newName, counter, false, sampleTime_, sampleTime_, prompts_,
                          keywords);
  applied_->setText(QString::fromStdString(newName));
  const size_t dot = newName.rfind('.');
  const std::string title = dot == std::string::npos ? newName : newName.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : newName.substr(dot);
  withSuffix_->setText(QString::fromStdString(
      StrFormat("%s%s%s", title.c_str(), FormatDuplicateSuffix(suffixMask_, 1).c_str(), ext.c_str())));
}

void CEditMaskDlg::AddFormatSpecification() {
  selectionStart_ = mask_->hasSelectedText() ? mask_->selectionStart() : mask_->cursorPosition();
  selectionLength_ = mask_->hasSelectedText() ? static_cast<int>(mask_->selectedText().size()) : 0;
  CSelectFormatSpecDlg picker(sqlite_, NowSeconds(), this);
  if (ExecModal(picker) != QDialog::Accepted || picker.Choice().empty()) return;
  InsertSpecification(picker.Choice());
}

void CEditMaskDlg::InsertSpecification(const std::string& spec) {
  if (selectionStart_ < 0) {
    selectionStart_ = mask_->hasSelectedText() ? mask_->selectionStart() : mask_->cursorPosition();
    selectionLength_ = mask_->hasSelectedText() ? static_cast<int>(mask_->selectedText().size()) : 0;
  }
  const QString element = QString::fromStdString(spec);
  const bool extension = spec == "%FE" || spec == "%FEU" || spec == "%FEL";
  if (extension) {
    const std::string text = Mask();
    for (const char* present : {"%FEL", "%FEU", "%FE"})
      if (text.find(present) != std::string::npos) {
        prompts_.ShowWarning(
            StrFormat("A Format Specification %s already Exists in Renaming Mask !!! Addition Rejected...", present),
            kAppTitle);
        selectionStart_ = -1;
        return;
      }
    mask_->end(false);
    mask_->insert(element);
  } else {
    // Straight into the box: the user's clipboard keeps what it holds.
    mask_->setSelection(selectionStart_, selectionLength_);
    mask_->insert(element);
  }
  selectionStart_ = -1;
  mask_->setFocus();
}

void CEditMaskDlg::AddToDatabase() {
  MaskStore database(sqlite_);
  const int id = database.AddMask(Mask(), description_->text().toStdString());
  if (id < 0) return;
  id_ = id;
  Reload(Mask());
}

void CEditMaskDlg::ModifyInDatabase() {
  if (id_ <= kStandardMaskCount) return;
  MaskStore database(sqlite_);
  if (database.UpdateMask(id_, Mask(), description_->text().toStdString()) < 0) return;
  Reload(Mask());
}

void CEditMaskDlg::GetDuplicateSuffix() {
  CSetDuplicateHandlingDlg chooser(suffixMask_, suffixIncludesRoot_, this);
  if (ExecModal(chooser) != QDialog::Accepted) return;
  suffixMask_ = chooser.SuffixMask();
  suffixIncludesRoot_ = chooser.SuffixIncludesRoot();
  MaskChanged();
}

void CEditMaskDlg::ViewMaskSpecifications() {
  CViewMaskSpecDlg viewer(Mask(), ActiveMask, this);
  ExecModal(viewer);
}

}  // namespace lx::gui
