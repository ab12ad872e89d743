#include "rename_view/rename_dialogs.h"

#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdlib>

#include "base/log.h"
#include "base/version.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "rename/rename_path.h"
#include "rename_view/picture_box.h"
#include "storage/keyword_store.h"
#include "storage/typed_text_store.h"

namespace lx::gui {

void FillTableWidget(QTableWidget* table, const SqlTable& data) {
  table->clear();
  table->setColumnCount(static_cast<int>(data.headers.size()));
  QStringList headers;
  for (const auto& h : data.headers) headers << QString::fromStdString(h);
  table->setHorizontalHeaderLabels(headers);
  table->setRowCount(data.emptyTable ? 0 : static_cast<int>(data.rows.size()));
  if (!data.emptyTable) {
    for (int r = 0; r < static_cast<int>(data.rows.size()); ++r)
      for (int c = 0; c < static_cast<int>(data.rows[r].size()) && c < table->columnCount(); ++c)
        table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(data.rows[r][c])));
  }
  table->resizeColumnsToContents();
}

namespace {

QTableWidget* MakeListTable(QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setShowGrid(true);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

}  // namespace

// ---- Rename path ------------------------------------------------------------

CSetRenamePathDlg::CSetRenamePathDlg(const std::string& sourcePath, const std::string& renamePath, int type,
                                     Prompts* prompts, QWidget* parent)
    : QDialog(parent), sourcePath_(sourcePath), prompts_(prompts) {
  setWindowTitle("Set Quorin Lorvexandrin Path");
  auto* form = new QFormLayout;
  typeList_ = new QComboBox(this);
  for (int t = 0; t <= 3; ++t) typeList_->addItem(QString::fromUtf8(RenameTypeCommandText(t)).replace("&&", "&"));
  form->addRow("Requested Renaming Type: ", typeList_);
  description_ = new QLabel(this);
  description_->setWordWrap(true);
  form->addRow(description_);
  source_ = new QLineEdit(QString::fromStdString(sourcePath), this);
  source_->setReadOnly(true);
  form->addRow("Source Path: ", source_);
  renamePath_ = new QLineEdit(QString::fromStdString(renamePath), this);
  browse_ = new QPushButton("Browse Rename Path", this);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(renamePath_, 1);
  pathRow->addWidget(browse_);
  renamePathLabel_ = new QLabel("Rename Path: ", this);
  form->addRow(renamePathLabel_, pathRow);
  subFolder_ = new QLineEdit(this);
  subFolderLabel_ = new QLabel("Relative Sub-Directory: ", this);
  form->addRow(subFolderLabel_, subFolder_);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons_);
  setMinimumWidth(560);

  typeList_->setCurrentIndex(type >= 0 && type <= 3 ? type : 0);
  connect(typeList_, &QComboBox::currentIndexChanged, this, &CSetRenamePathDlg::Recompute);
  connect(subFolder_, &QLineEdit::textEdited, this, &CSetRenamePathDlg::Recompute);
  connect(browse_, &QPushButton::clicked, this, &CSetRenamePathDlg::Browse);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Recompute();
}

int CSetRenamePathDlg::Type() const { return std::max(0, typeList_->currentIndex()); }
std::string CSetRenamePathDlg::RenamePath() const { return renamePath_->text().toStdString(); }
bool CSetRenamePathDlg::OkEnabled() const { return buttons_->button(QDialogButtonBox::Ok)->isEnabled(); }

void CSetRenamePathDlg::SetBrowsedFolder(const std::string& folder) {
  browsed_ = folder;
  if (!browsed_.empty() && browsed_.back() != '/') browsed_ += '/';
  Recompute();
}

void CSetRenamePathDlg::Browse() {
  QString start = renamePath_->text();
  if (start.isEmpty()) start = "/";
  const QString chosen = QFileDialog::getExistingDirectory(this, "Select Target Directory for Files Renaming", start);
  if (!chosen.isEmpty()) SetBrowsedFolder(chosen.toStdString());
}

void CSetRenamePathDlg::Recompute() {
  if (recomputing_) return;
  recomputing_ = true;
  const int type = Type();
  description_->setText(QString::fromUtf8(RenameTypeDialogText(type)));
  const bool withPath = type != 0;
  for (QWidget* w :
       {static_cast<QWidget*>(renamePath_), static_cast<QWidget*>(browse_), static_cast<QWidget*>(subFolder_),
        static_cast<QWidget*>(renamePathLabel_), static_cast<QWidget*>(subFolderLabel_)})
    w->setVisible(withPath);
  RenamePathRequest request;
  request.type = type;
  request.sourcePath = sourcePath_;
  request.browsedPath = browsed_;
  request.subFolder = subFolder_->text().toStdString();
  const RenamePathResult result = ComputeRenamePath(request, prompts_);
  if (request.subFolder != subFolder_->text().toStdString())
    subFolder_->setText(QString::fromStdString(request.subFolder));
  source_->setText(QString::fromStdString(sourcePath_));
  renamePath_->setText(QString::fromStdString(result.renamePath));
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(result.okEnabled);
  recomputing_ = false;
}

// ---- Picture with rotate buttons ------------------------------------------------

class PreviewWithRotate : public QGroupBox {
 public:
  explicit PreviewWithRotate(QWidget* parent) : QGroupBox(" Image Preview ", parent) {
    auto* layout = new QVBoxLayout(this);
    picture = new CPictureBox(this);
    picture->setMinimumSize(220, 165);
    layout->addWidget(picture, 1);
    auto* row = new QHBoxLayout;
    auto* left = new QToolButton(this);
    left->setIcon(QIcon::fromTheme("object-rotate-left", style()->standardIcon(QStyle::SP_ArrowBack)));
    left->setToolTip("Rotate Left");
    auto* right = new QToolButton(this);
    right->setIcon(QIcon::fromTheme("object-rotate-right", style()->standardIcon(QStyle::SP_ArrowForward)));
    right->setToolTip("Rotate Right");
    row->addStretch();
    row->addWidget(left);
    row->addWidget(right);
    row->addStretch();
    layout->addLayout(row);
    connect(left, &QToolButton::clicked, this, [this]() {
      if (picture->Source() == CPictureBox::SourceFile) picture->SetPicture(kPictureBoxCurrentFile, 12, 2, false);
    });
    connect(right, &QToolButton::clicked, this, [this]() {
      if (picture->Source() == CPictureBox::SourceFile) picture->SetPicture(kPictureBoxCurrentFile, 4, 2, false);
    });
  }

  // Shows the file with command 0, fitted; the error text when it cannot.
  std::string Show(const std::string& file) {
    if (file == "LX_Default_Picture") {
      picture->ShowPlaceholder();
      return {};
    }
    if (picture->SetPicture(file, 0, 2, true)) return {};
    const std::string reason =
        access(file.c_str(), R_OK) == 0 ? "Unable to Copy Picture to Temporary File" : SystemErrorText(errno);
    return StrFormat("Unable to Display Selected Picture %s - Reason: %s ", file.c_str(), reason.c_str());
  }

  CPictureBox* picture = nullptr;
};

// ---- Keyword picker ---------------------------------------------------------------

CSelectKeywordDlg::CSelectKeywordDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent)
    : QDialog(parent), sqlite_(sqlite) {
  setWindowTitle("Select Quorin Lorvexandrin Keyword");
  choice_.applyToAll = applyToAll;
  auto* group = new QGroupBox(" Lorvexandrin Keyword Selection ", this);
  auto* groupLayout = new QVBoxLayout(group);
  list_ = MakeListTable(group);
  groupLayout->addWidget(list_);
  preview_ = new PreviewWithRotate(this);
  auto* top = new QHBoxLayout;
  top->addWidget(group, 3);
  top->addWidget(preview_, 2);
  applyToAll_ = new QCheckBox("Apply the Same Keyword for All Remaining Pictures", this);
  applyToAll_->setChecked(applyToAll);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  // The keyword table editor comes later; its button is not shown until then.
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(applyToAll_);
  layout->addWidget(buttons);
  resize(760, 420);

  connect(list_, &QTableWidget::itemSelectionChanged, this, &CSelectKeywordDlg::RowSelected);
  connect(buttons, &QDialogButtonBox::accepted, this, &CSelectKeywordDlg::accept);
  ok_->setEnabled(false);
  Fill();
  pictureError_ = preview_->Show(file);
  if (!pictureError_.empty()) LogMessage(pictureError_);
}

CPictureBox* CSelectKeywordDlg::Picture() const { return preview_->picture; }

void CSelectKeywordDlg::Fill() {
  SqlTable table;
  KeywordStore(sqlite_).FillKeywordList(table, 0);
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->blockSignals(false);
  if (list_->rowCount() > 0) list_->selectRow(0);
}

void CSelectKeywordDlg::RowSelected() {
  const auto rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty() || list_->columnCount() < 3) {
    ok_->setEnabled(choice_.keywordId > 0);
    return;
  }
  const int r = rows.first().row();
  auto text = [&](int c) { return list_->item(r, c) ? list_->item(r, c)->text().toStdString() : std::string(); };
  choice_.keywordId = std::atoi(text(0).c_str());
  choice_.keyword = text(1);
  choice_.abbreviation = text(2);
  ok_->setEnabled(choice_.keywordId > 0);
}

void CSelectKeywordDlg::accept() {
  if (choice_.keywordId <= 0) return;
  choice_.applyToAll = applyToAll_->isChecked();
  QDialog::accept();
}

// ---- Keyboard entry -----------------------------------------------------------------

CSetKbdFreeEntryDlg::CSetKbdFreeEntryDlg(CSQLite& sqlite, const std::string& file, bool applyToAll, QWidget* parent)
    : QDialog(parent), sqlite_(sqlite) {
  setWindowTitle("Set Quorin Lorvexandrin Keyboard Entry");
  choice_.applyToAll = applyToAll;
  auto* entry = new QGroupBox(" Set Keyboard Entry ", this);
  auto* entryLayout = new QFormLayout(entry);
  text_ = new QLineEdit(entry);
  entryLayout->addRow("Text: ", text_);
  applyToAll_ = new QCheckBox("Apply the Same Keyboard Entry for All Remaining Pictures", entry);
  applyToAll_->setChecked(applyToAll);
  entryLayout->addRow(applyToAll_);

  auto* history = new QGroupBox(" Select Text Previously Added ", this);
  auto* historyLayout = new QVBoxLayout(history);
  auto* sortRow = new QHBoxLayout;
  sort_ = new QComboBox(history);
  sort_->addItems({"Text Id", "Text Entry", "Date & Time"});
  sortRow->addWidget(new QLabel("Data Sort: ", history));
  sortRow->addWidget(sort_, 1);
  delete_ = new QPushButton("Delete Entry", history);
  sortRow->addWidget(delete_);
  historyLayout->addLayout(sortRow);
  list_ = MakeListTable(history);
  historyLayout->addWidget(list_, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(entry);
  left->addWidget(history, 1);
  preview_ = new PreviewWithRotate(this);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 3);
  top->addWidget(preview_, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buttons);
  resize(820, 460);

  connect(sort_, &QComboBox::currentIndexChanged, this, &CSetKbdFreeEntryDlg::Fill);
  connect(text_, &QLineEdit::textEdited, this, &CSetKbdFreeEntryDlg::UpdateOk);
  connect(list_, &QTableWidget::itemSelectionChanged, this, [this]() {
    const auto rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty() || list_->columnCount() < 2 || list_->item(rows.first().row(), 1) == nullptr) return;
    text_->setText(list_->item(rows.first().row(), 1)->text());
    ok_->setEnabled(true);
    delete_->setEnabled(true);
  });
  connect(delete_, &QPushButton::clicked, this, [this]() {
    const auto rows = list_->selectionModel()->selectedRows();
    if (rows.isEmpty() || list_->item(rows.first().row(), 1) == nullptr) return;
    TypedTextStore(sqlite_).DeleteText(list_->item(rows.first().row(), 1)->text().toStdString());
    Fill();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &CSetKbdFreeEntryDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Fill();
  const std::string error = preview_->Show(file);
  if (!error.empty()) LogMessage(error);
  text_->setFocus();
}

void CSetKbdFreeEntryDlg::Fill() {
  SqlTable table;
  const int rows = TypedTextStore(sqlite_).FillHistory(table, std::max(0, sort_->currentIndex()));
  list_->blockSignals(true);
  FillTableWidget(list_, table);
  list_->clearSelection();
  list_->blockSignals(false);
  const bool hasHistory = rows > 0 && !table.emptyTable;
  // The placeholder stands in the field, selected, so that typing replaces it.
  if (!IsConfirmableTypedText(text_->text().toStdString())) {
    text_->setText(hasHistory ? kTypedTextPlaceholderWithHistory : kTypedTextPlaceholder);
    text_->selectAll();
  }
  delete_->setEnabled(false);
  UpdateOk();
}

void CSetKbdFreeEntryDlg::UpdateOk() { ok_->setEnabled(IsConfirmableTypedText(text_->text().toStdString())); }

void CSetKbdFreeEntryDlg::accept() {
  const std::string text = text_->text().toStdString();
  if (!IsConfirmableTypedText(text)) return;
  TypedTextStore(sqlite_).AddText(text);
  choice_.text = text;
  choice_.applyToAll = applyToAll_->isChecked();
  QDialog::accept();
}

// ---- Progress ---------------------------------------------------------------------------

CImgReadProgressDlg::CImgReadProgressDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Reading Thumbnails Data ... Please Wait or Skip Reading ");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(new QLabel("Creating Thumbnail for File ", this));
  file_ = new QLabel(this);
  file_->setTextFormat(Qt::PlainText);
  file_->setMinimumWidth(320);
  fileRow->addWidget(file_, 1);
  layout->addLayout(fileRow);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel("Files Count: ", this));
  countLabel_ = new QLabel("0", this);
  countRow->addWidget(countLabel_, 1);
  layout->addLayout(countRow);
  auto* hint =
      new QLabel(QString("Click on the Button 'Skip ThumbNails Reading' to Speed up File Listing. Note that No "
                         "Thumbnails will be displayed and ") +
                     kAppTitle + " will switch to 'No ThumbNail' Mode...",
                 this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  skipButton_ = new QPushButton("Skip ThumbNails Reading", this);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(skipButton_);
  layout->addLayout(buttonRow);
  connect(skipButton_, &QPushButton::clicked, this, [this]() { skip_ = true; });
}

void CImgReadProgressDlg::SetFile(const std::string& path) {
  file_->setText(fontMetrics().elidedText(QString::fromStdString(path), Qt::ElideMiddle, file_->width()));
}

void CImgReadProgressDlg::StepCount() { countLabel_->setText(QString::number(++count_)); }

}  // namespace lx::gui
