#include "dialogs/settings/edit_all_settings_dlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/rename/selection_filter_field.h"
#include "rename/duplicate_names.h"
#include "rename/rename_path.h"

namespace lx::gui {

namespace {

QComboBox* Choices(std::initializer_list<const char*> texts, int current, QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const char* text : texts) box->addItem(QString::fromUtf8(text));
  box->setCurrentIndex(current >= 0 && current < box->count() ? current : 0);
  return box;
}

}  // namespace

CEditAllSettingsDlg::CEditAllSettingsDlg(const RenameSettingsChoice& current, int fileDateSource, Prompts* prompts,
                                         QWidget* parent)
    : CLorvexandrinBaseDlg(parent) {
  helpVideo = "Lorvexandrin40_EditAllSettingsDlg.flv";
  setWindowTitle(QStringLiteral("Edit Quorin Lorvexandrin Settings and Options "));
  auto* layout = new QGridLayout(this);

  filter_ = new CSelectionFilterField(current.filterText, current.caseSensitive, prompts, this);
  layout->addWidget(filter_, 0, 0, 1, 2);

  auto* duplicates = new QGroupBox(QStringLiteral(" Handling of Duplicate Files "), this);
  auto* dupLayout = new QVBoxLayout(duplicates);
  auto* suffixRow = new QHBoxLayout;
  suffixRow->addWidget(new QLabel(QStringLiteral("Suffix Mask for Duplicate Files: "), duplicates));
  suffix_ = new QComboBox(duplicates);
  for (const DuplicateSuffixEntry& entry : DuplicateSuffixMasks()) {
    suffix_->addItem(QStringLiteral("\"%1\"").arg(QString::fromUtf8(entry.mask)), QString::fromUtf8(entry.mask));
    suffix_->setItemData(suffix_->count() - 1, QString::fromUtf8(entry.description), Qt::ToolTipRole);
  }
  suffix_->setCurrentIndex(std::max(0, DuplicateSuffixIndex(current.suffixMask)));
  suffixRow->addWidget(suffix_, 1);
  dupLayout->addLayout(suffixRow);
  suffixMode_ = new QButtonGroup(this);
  auto* onlyDuplicates = new QRadioButton(QStringLiteral("Add Suffix to Duplicate Names"), duplicates);
  auto* alsoOriginal = new QRadioButton(QStringLiteral("Add Suffix Also to Original"), duplicates);
  suffixMode_->addButton(onlyDuplicates, 0);
  suffixMode_->addButton(alsoOriginal, 1);
  (current.suffixIncludesRoot ? alsoOriginal : onlyDuplicates)->setChecked(true);
  dupLayout->addWidget(onlyDuplicates);
  dupLayout->addWidget(alsoOriginal);
  dupLayout->addStretch();
  layout->addWidget(duplicates, 1, 0);

  auto* typesBox = new QGroupBox(QStringLiteral(" Files Renaming Type "), this);
  auto* typeLayout = new QVBoxLayout(typesBox);
  types_ = new QButtonGroup(this);
  const char* typeTexts[4] = {"Simple Rename ", "Backup Rename", "Target Rename", "Target Rename with Source Delete"};
  for (int t = 0; t < 4; ++t) {
    auto* button = new QRadioButton(QString::fromUtf8(typeTexts[t]), typesBox);
    types_->addButton(button, t);
    typeLayout->addWidget(button);
  }
  if (QAbstractButton* chosen = types_->button(current.renameType)) chosen->setChecked(true);
  typeDescription_ = new QLabel(typesBox);
  typeDescription_->setWordWrap(true);
  typeDescription_->setForegroundRole(QPalette::PlaceholderText);
  typeLayout->addWidget(typeDescription_);
  auto describe = [this](int type) { typeDescription_->setText(QString::fromUtf8(RenameTypeSettingsText(type))); };
  describe(current.renameType);
  connect(types_, &QButtonGroup::idClicked, this, describe);
  layout->addWidget(typesBox, 1, 1);

  auto* display = new QGroupBox(QStringLiteral(" Display Options "), this);
  auto* form = new QFormLayout(display);
  thumbnails_ = Choices(
      {"No ThumbNail (Very Fast Display)", "Raw ThumbNail (Fast Display)", "High Res. ThumbNail (Slow Display)"},
      current.thumbnailMode, display);
  rotation_ = Choices({"Keep Orientation", "Automatically based on Exif"}, current.autoRotate ? 1 : 0, display);
  outline_ = Choices({"Do Not Show Outline of Rename Operations", "Always Show Outline of Rename Operations"},
                     current.showRenameOutline ? 1 : 0, display);
  pathDisplay_ = Choices({"File Name Only", "Complete File Path"}, current.filePathDisplayType, display);
  form->addRow(QStringLiteral("ThumbNail Display: "), thumbnails_);
  form->addRow(QStringLiteral("Rotate Image View: "), rotation_);
  form->addRow(QStringLiteral("Show Results of Renaming Operations: "), outline_);
  form->addRow(QStringLiteral("Files Path Display: "), pathDisplay_);
  layout->addWidget(display, 2, 0);

  // Options this program adds; each is stored on OK.
  auto* more = new QGroupBox(QStringLiteral(" More Options "), this);
  auto* moreForm = new QFormLayout(more);
  fileDate_ = Choices({"Creation Time", "Modification Time"}, fileDateSource, more);
  fileDate_->setToolTip(QStringLiteral("The file time the list shows and a mask without an Exif date uses."));
  moreForm->addRow(QStringLiteral("File Date: "), fileDate_);
  layout->addWidget(more, 2, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons, 3, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

RenameSettingsChoice CEditAllSettingsDlg::Choice() const {
  RenameSettingsChoice choice;
  choice.filterText = filter_->Text();
  choice.caseSensitive = filter_->CaseSensitive();
  choice.renameType = std::max(0, types_->checkedId());
  choice.suffixMask = suffix_->currentData().toString().toStdString();
  choice.suffixIncludesRoot = suffixMode_->checkedId() == 1;
  choice.showRenameOutline = outline_->currentIndex() == 1;
  choice.thumbnailMode = thumbnails_->currentIndex();
  choice.filePathDisplayType = pathDisplay_->currentIndex();
  choice.autoRotate = rotation_->currentIndex() == 1;
  return choice;
}

int CEditAllSettingsDlg::FileDateSource() const { return fileDate_->currentIndex(); }

}  // namespace lx::gui
