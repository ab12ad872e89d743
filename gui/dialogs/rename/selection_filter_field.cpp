#include "dialogs/rename/selection_filter_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "rename/rename_settings.h"

namespace lx::gui {

CSelectionFilterField::CSelectionFilterField(const std::string& text, bool caseSensitive, Prompts* prompts,
                                             QWidget* parent)
    : QGroupBox(QStringLiteral(" Files Selection Filter "), parent), prompts_(prompts) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("File Selection Filter:"), this), 0, 0);
  edit_ = new QLineEdit(QString::fromStdString(text), this);
  edit_->setObjectName("SelectionFilterEdit");
  edit_->setMinimumWidth(260);
  grid->addWidget(edit_, 0, 1);
  ready_ = new QComboBox(this);
  ready_->setObjectName("ReadyFilters");
  ready_->addItem(QStringLiteral("Ready Filters"));
  for (const ReadyFilter& filter : ReadySelectionFilters())
    ready_->addItem(QString::fromStdString(filter.label), QString::fromStdString(filter.filter));
  ready_->setToolTip(QStringLiteral("Fills the filter with a ready one; the text can still be edited."));
  grid->addWidget(ready_, 0, 2);
  case_ = new QCheckBox(QStringLiteral("Case Sensitive Selection"), this);
  case_->setChecked(caseSensitive);
  grid->addWidget(case_, 1, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  connect(edit_, &QLineEdit::textEdited, this, &CSelectionFilterField::OnEdited);
  // The text stays the one truth: a ready filter only fills it in.
  connect(ready_, &QComboBox::activated, this, [this](int index) {
    if (index > 0) edit_->setText(ready_->itemData(index).toString());
    ready_->setCurrentIndex(0);
  });
}

void CSelectionFilterField::OnEdited(const QString& text) {
  std::string cleaned = text.toStdString();
  const int cursor = edit_->cursorPosition();
  if (CleanSelectionFilter(cleaned, prompts_)) return;
  const QString shown = QString::fromStdString(cleaned);
  edit_->setText(shown);
  edit_->setCursorPosition(std::min<int>(cursor, static_cast<int>(shown.size())));
}

std::string CSelectionFilterField::Text() const { return edit_->text().toStdString(); }
bool CSelectionFilterField::CaseSensitive() const { return case_->isChecked(); }

}  // namespace lx::gui
