#include "rename_view/rename_file_view.h"

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "common/colour_palette.h"
#include "common/colours.h"
#include "common/image_clipboard.h"
#include "common/modal_hook.h"
#include "dialogs/rename/edit_selection_filter_dlg.h"
#include "dialogs/rename/img_read_progress_dlg.h"
#include "dialogs/rename/set_duplicate_handling_dlg.h"
#include "dialogs/rename/set_rename_path_dlg.h"
#include "dialogs/rename/update_file_time_dlg.h"
#include "dialogs/rename/update_thumbnail_dlg.h"
#include "dialogs/settings/edit_all_settings_dlg.h"
#include "engine/engine.h"
#include "engine/selection_filter.h"
#include "imaging/exif_access.h"
#include "masks/stored_mask.h"
#include "photo/defaults.h"
#include "platform/paths.h"
#include "rename/delete_files.h"
#include "rename/device_list_run.h"
#include "rename/photo_steps.h"
#include "rename/rename_path.h"
#include "rename/rename_settings.h"
#include "rename/row_file_location.h"
#include "rename_view/picture_box.h"
#include "rename_view/rename_list_ctrl.h"
#include "rename_view/thumbnails.h"
#include "storage/mask_store.h"
#include "storage/settings_store.h"

namespace lx::gui {

namespace {

// Legend order, as ListColorIndex counts.
constexpr NumberSetting kColorSettings[5] = {setting::kListedFileColor, setting::kRenamedFileColor,
                                             setting::kSelectedTimeColor, setting::kDuplicateRootColor,
                                             setting::kDuplicateColor};
constexpr int kColorCommands[5] = {ID_RIBBON_LISTED_COLOUR, ID_RIBBON_RENAMED_COLOUR, ID_RIBBON_TIME_COLOUR,
                                   ID_RIBBON_DUPL_ROOT_COLOUR, ID_RIBBON_DUPLICATE_COLOUR};
constexpr std::uint32_t kDefaultColors[5] = {kDefaultListedFileColor, kDefaultRenamedFileColor,
                                             kDefaultSelectedTimeColor, kDefaultDuplicateRootColor,
                                             kDefaultDuplicateColor};

std::uint32_t& ColorSlot(ListColors& colors, int which) {
  switch (which) {
    case kColorRenamed:
      return colors.renamed;
    case kColorSelectedTime:
      return colors.selectedTime;
    case kColorDuplicateRoot:
      return colors.duplicateRoot;
    case kColorDuplicate:
      return colors.duplicate;
    default:
      return colors.listed;
  }
}

}  // namespace

CRenameFileView::CRenameFileView(CLorvexandrinEngine& engine, CSQLite& sqlite, Prompts& prompts,
                                 CDockablePreview* preview, QWidget* parent)
    : QWidget(parent), engine_(engine), sqlite_(sqlite), prompts_(prompts), keywords_(sqlite), preview_(preview) {
  model_ = std::make_unique<RenameListModel>(engine_, prompts_, keywords_);
  thumbnails_ = std::make_unique<ThumbnailMaker>(this);
  model_->onFileRead = [this](const OpenedPhoto& photo, RenameListRow& row, int index) {
    OnFileRead(photo, row, index);
  };
  // The list stops the watch around its own runs, so that the program's own
  // renames and deletions are never reported as outside changes.
  model_->stopWatch = [this] { watch_.StopFolderWatch(); };
  model_->startWatch = [this] {
    if (engine_.sourceKind != SourceKind::Folder) return;
    // The report comes on the watch thread: it only posts to this object. The
    // destructor joins the thread before the object goes, and Qt drops the
    // posted calls of a destroyed object.
    watch_.StartFolderWatch(engine_, prompts_, [this](int action) {
      QMetaObject::invokeMethod(
          this, [this, action] { OnWatchReport(action); }, Qt::QueuedConnection);
    });
  };
  BuildForm();
  BuildCommands();
  connect(thumbnails_.get(), &ThumbnailMaker::ThumbnailReady, list_->TableModel(),
          &RenameListTableModel::ThumbnailArrived);
  setMinimumWidth(600);
}

CDockablePreview* CRenameFileView::Preview() const { return preview_.data(); }
CImgReadProgressDlg* CRenameFileView::ProgressDialog() const { return progress_.data(); }

CRenameFileView::~CRenameFileView() {
  watch_.StopFolderWatch();
  if (progress_) delete progress_.data();
}

void CRenameFileView::OnWatchReport(int action) {
  // A run in progress restarts the watch at its end and lists what it finds then.
  if (running_) return;
  // The source may have changed since the report was posted.
  if (engine_.sourceKind != SourceKind::Folder) return;
  OnFolderChanged(action);
  model_->ReReadFolder = true;
  RefreshList(RunList);
}

void CRenameFileView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* group = new QGroupBox(" Image Files Renaming ", this);
  outer->addWidget(group);
  auto* layout = new QVBoxLayout(group);

  auto* maskRow = new QHBoxLayout;
  maskRow->addWidget(new QLabel("File Renaming Mask:", group));
  maskBox_ = new QComboBox(group);
  maskBox_->setEditable(true);
  maskBox_->setInsertPolicy(QComboBox::NoInsert);
  maskBox_->setObjectName("RenamingMaskBox");
  maskRow->addWidget(maskBox_, 1);
  layout->addLayout(maskRow);

  list_ = new CRenameFileListCtrl(*model_, *thumbnails_, group);
  layout->addWidget(list_, 1);

  auto* paths = new QGridLayout;
  paths->addWidget(new QLabel("Source Path: ", group), 0, 0);
  sourcePath_ = new QLineEdit(group);
  sourcePath_->setReadOnly(true);
  paths->addWidget(sourcePath_, 0, 1);
  paths->addWidget(new QLabel("Rename Path: ", group), 1, 0);
  renamePath_ = new QLineEdit(group);
  renamePath_->setReadOnly(true);
  paths->addWidget(renamePath_, 1, 1);
  layout->addLayout(paths);

  auto* legend = new QHBoxLayout;
  const char* labels[5] = {"Listed: ", "Renamed: ", "Selected Time:", "Duplicate Root: ", "Duplicate:"};
  for (int i = 0; i < 5; ++i) {
    legend->addWidget(new QLabel(labels[i], group));
    auto* swatch = new QLabel(group);
    swatch->setFixedSize(28, 14);
    swatch->setAutoFillBackground(true);
    swatch->setFrameShape(QFrame::Box);
    swatches_[static_cast<size_t>(i)] = swatch;
    legend->addWidget(swatch);
    legend->addSpacing(10);
  }
  legend->addStretch();
  layout->addLayout(legend);

  connect(maskBox_, &QComboBox::activated, this, [this](int) {
    model_->ForgetPreviousMask();
    if (!initialising_) QTimer::singleShot(100, this, [this]() { RefreshList(RunList); });
  });
  connect(maskBox_, &QComboBox::editTextChanged, this, [this](const QString&) { UpdateCommandStates(); });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            UpdateCommandStates();
            if (current.isValid()) OnCurrentRowChanged(current.row());
          });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this]() { UpdateCommandStates(); });
  connect(list_, &CRenameFileListCtrl::RowActivated, this, [this](int row) {
    if (row != CurrentRow) PreviewRow(row);
    ViewDetails();
  });
  connect(list_, &CRenameFileListCtrl::ContextMenuAt, this, &CRenameFileView::ShowContextMenu);
}

void CRenameFileView::BuildCommands() {
  commands_.AddAll({
      {ID_RIBBON_APPLY_MASK, "Apply Renaming Mask", nullptr, nullptr, false},
      {ID_RIBBON_RENAME_SELECTED, "Rename Selected Files", nullptr, nullptr, false},
      {ID_RIBBON_RENAME_ALL, "Rename All Files", nullptr, nullptr, false},
      {ID_RIBBON_SIMPLE_RENAME, "Simple Rename", nullptr, nullptr, true},
      {ID_RIBBON_BACKUP_RENAME, "Backup Rename", nullptr, nullptr, true},
      {ID_RIBBON_TARGET_RENAME, "Target Rename", nullptr, nullptr, true},
      {ID_RIBBON_RENAME_DELETE, "Rename && Del", nullptr, nullptr, true},
      {ID_RIBBON_BROWSE, "Browse Backup or Target Dir", nullptr, nullptr, false},
      {ID_THUMBNAIL_NONE, "No ThumbNail (Very Fast Display)", nullptr, nullptr, true},
      {ID_THUMBNAIL_RAW, "Raw ThumbNail (Fast Display)", nullptr, nullptr, true},
      {ID_THUMBNAIL_HIGHRES, "High Res. ThumbNail (Slow Display)", nullptr, nullptr, true},
      {ID_RIBBON_LISTED_COLOUR, "Listed Files Colour", nullptr, nullptr, false},
      {ID_RIBBON_RENAMED_COLOUR, "Renamed Files Colour", nullptr, nullptr, false},
      {ID_RIBBON_TIME_COLOUR, "Selected Time Colour", nullptr, nullptr, false},
      {ID_RIBBON_DUPL_ROOT_COLOUR, "Duplicate Root Colour", nullptr, nullptr, false},
      {ID_RIBBON_DUPLICATE_COLOUR, "Duplicate Colour", nullptr, nullptr, false},
      {ID_RIBBON_RESET_COLOURS, "Reset Default Colours", nullptr, nullptr, false},
      {ID_RIBBON_SETTINGS, "Rename Settings", nullptr, nullptr, false},
      {ID_RIBBON_EDIT_FILTER, "Edit Selection Filter", nullptr, nullptr, false},
      {ID_DUPLICATE_HANDLING, "Duplicate Files Handling", nullptr, nullptr, false},
      {ID_ADD_TO_DUPLICATE_FILE, "Add Suffix to Duplicate Names", nullptr, nullptr, true},
      {ID_ADD_TO_ALL_FILE, "Add Suffix Also to Original", nullptr, nullptr, true},
      {ID_UPDATE_FILETIME, "Update FileTime on Exif Time", nullptr, nullptr, false},
      {ID_FILETIME_UNCHANGED, kFileTimeModeTexts[0], nullptr, nullptr, true},
      {ID_FILETIME_UNCHANGED + 1, kFileTimeModeTexts[1], nullptr, nullptr, true},
      {ID_FILETIME_UNCHANGED + 2, kFileTimeModeTexts[2], nullptr, nullptr, true},
      {ID_FILETIME_UNCHANGED + 3, kFileTimeModeTexts[3], nullptr, nullptr, true},
      {ID_RIBBON_THUMBNAIL_DISPLAY, "ThumbNail Display", nullptr, nullptr, false},
      {ID_RIBBON_RENAME_PREVIOUS_PHOTO, "Display Previous Photo", nullptr, nullptr, false},
      {ID_RIBBON_RENAME_NEXT_PHOTO, "Display Next Photo", nullptr, nullptr, false},
      {ID_VIEW_DETAIL, "View Image Details", nullptr, nullptr, false},
      {ID_COPY_CLIPBOARD, "Copy to Clipboard", nullptr, nullptr, false},
      {ID_RIBBON_EDIT_MASK, "Edit Renaming Mask", nullptr, nullptr, false},
      {ID_RIBBON_EDIT_MASK_FILE, "Edit Mask List", nullptr, nullptr, false},
      {ID_RIBBON_EDIT_KEYWORD, "Edit Keywords", nullptr, nullptr, false},
      {ID_RIBBON_EDIT_COUNTER, "Edit Counter", nullptr, nullptr, false},
  });
  UpdateCommandStates();
}

void CRenameFileView::RunCommand(int id) {
  switch (id) {
    case ID_RIBBON_APPLY_MASK:
      ApplyMask();
      break;
    case ID_RIBBON_RENAME_SELECTED:
      RenameSelected();
      break;
    case ID_RIBBON_RENAME_ALL:
      RenameAll();
      break;
    case ID_RIBBON_SIMPLE_RENAME:
      ChooseRenameTypeCommand(SimpleRename);
      break;
    case ID_RIBBON_BACKUP_RENAME:
      ChooseRenameTypeCommand(BackupRename);
      break;
    case ID_RIBBON_TARGET_RENAME:
      ChooseRenameTypeCommand(TargetRename);
      break;
    case ID_RIBBON_RENAME_DELETE:
      ChooseRenameTypeCommand(TargetRenameDelete);
      break;
    case ID_RIBBON_BROWSE:
      BrowseRenamePath();
      break;
    case ID_THUMBNAIL_NONE:
      SetThumbNailMode(ThumbnailNone);
      break;
    case ID_THUMBNAIL_RAW:
      SetThumbNailMode(ThumbnailRaw);
      break;
    case ID_THUMBNAIL_HIGHRES:
      SetThumbNailMode(ThumbnailHighRes);
      break;
    case ID_RIBBON_LISTED_COLOUR:
      ChooseColor(kColorListed);
      break;
    case ID_RIBBON_RENAMED_COLOUR:
      ChooseColor(kColorRenamed);
      break;
    case ID_RIBBON_TIME_COLOUR:
      ChooseColor(kColorSelectedTime);
      break;
    case ID_RIBBON_DUPL_ROOT_COLOUR:
      ChooseColor(kColorDuplicateRoot);
      break;
    case ID_RIBBON_DUPLICATE_COLOUR:
      ChooseColor(kColorDuplicate);
      break;
    case ID_RIBBON_RESET_COLOURS:
      ResetColors();
      break;
    case ID_RIBBON_SETTINGS:
      EditSettings();
      break;
    case ID_RIBBON_EDIT_FILTER:
      EditSelectionFilter();
      break;
    case ID_DUPLICATE_HANDLING:
      EditDuplicateHandling();
      break;
    case ID_ADD_TO_DUPLICATE_FILE:
    case ID_ADD_TO_ALL_FILE:
      ToggleDuplicateSuffixMode();
      break;
    case ID_UPDATE_FILETIME:
      ChooseFileTimeMode();
      break;
    case ID_FILETIME_UNCHANGED:
    case ID_FILETIME_UNCHANGED + 1:
    case ID_FILETIME_UNCHANGED + 2:
    case ID_FILETIME_ALL:
      ChooseFileTimeChange(engine_, *model_, id - ID_FILETIME_UNCHANGED, true);
      break;
    case ID_RIBBON_THUMBNAIL_DISPLAY:
      ChooseThumbNailMode();
      break;
    case ID_RIBBON_RENAME_PREVIOUS_PHOTO:
      PreviousPhoto();
      break;
    case ID_RIBBON_RENAME_NEXT_PHOTO:
      NextPhoto();
      break;
    case ID_VIEW_DETAIL:
      ViewDetails();
      break;
    case ID_COPY_CLIPBOARD:
      CopyToClipboard();
      break;
    case ID_RIBBON_EDIT_MASK:
      EditMask();
      break;
    case ID_RIBBON_EDIT_MASK_FILE:
      EditMaskList();
      break;
    case ID_RIBBON_EDIT_KEYWORD:
      EditKeywords();
      break;
    case ID_RIBBON_EDIT_COUNTER:
      EditCounter();
      break;
    default:
      break;
  }
  UpdateCommandStates();
}

void CRenameFileView::UpdateCommandStates() {
  if (commands_.IsEmpty()) return;
  const bool hasFiles = model_->FileCount > 0 && model_->RowCount() > 0;
  const bool hasSelection = !model_->SelectedRows().empty();
  const bool folder = engine_.sourceKind == SourceKind::Folder;
  commands_.Get(ID_RIBBON_APPLY_MASK)->setEnabled(hasFiles);
  commands_.Get(ID_RIBBON_RENAME_ALL)->setEnabled(hasFiles);
  commands_.Get(ID_RIBBON_RENAME_SELECTED)->setEnabled(hasSelection);
  commands_.Get(ID_RIBBON_RENAME_PREVIOUS_PHOTO)->setEnabled(hasFiles);
  commands_.Get(ID_RIBBON_RENAME_NEXT_PHOTO)->setEnabled(hasFiles);
  commands_.Get(ID_VIEW_DETAIL)->setEnabled(hasSelection);
  commands_.Get(ID_COPY_CLIPBOARD)->setEnabled(hasSelection);
  const int types[4] = {ID_RIBBON_SIMPLE_RENAME, ID_RIBBON_BACKUP_RENAME, ID_RIBBON_TARGET_RENAME,
                        ID_RIBBON_RENAME_DELETE};
  for (int t = 0; t < 4; ++t) {
    commands_.Get(types[t])->setEnabled(folder);
    commands_.Get(types[t])->setChecked(engine_.renameType == t);
  }
  commands_.Get(ID_RIBBON_BROWSE)->setEnabled(folder);
  commands_.Get(ID_THUMBNAIL_NONE)->setChecked(ThumbNailMode == ThumbnailNone);
  commands_.Get(ID_THUMBNAIL_RAW)->setChecked(ThumbNailMode == ThumbnailRaw);
  commands_.Get(ID_THUMBNAIL_HIGHRES)->setChecked(ThumbNailMode == ThumbnailHighRes);
  commands_.Get(ID_ADD_TO_DUPLICATE_FILE)->setChecked(!model_->suffixIncludesRoot);
  commands_.Get(ID_ADD_TO_ALL_FILE)->setChecked(model_->suffixIncludesRoot);
  const int fileTimeMode = CurrentFileTimeChange(engine_, *model_);
  for (int mode = 0; mode < 4; ++mode) commands_.Get(ID_FILETIME_UNCHANGED + mode)->setChecked(fileTimeMode == mode);
  emit CommandStatesChanged();
}

void CRenameFileView::OnInitialUpdate() {
  if (initialised_) return;
  initialised_ = true;
  initialising_ = true;
  SettingsStore& settings = engine_.Settings();
  model_->LoadViewSettings();
  ThumbNailMode = model_->thumbnailDisplayType;
  list_->SetThumbnailsShown(ThumbNailMode != ThumbnailNone);

  const std::string mask = RepairStoredMask(settings.GetText(setting::kRenamingMask));
  LogFormat("Default Renaming Mask: %s", mask.c_str());
  FillMaskBox(mask);

  for (int i = 0; i < 5; ++i) SetListColor(i, ColourFromColorRef(ColorSlot(model_->colors, i)));

  const std::string filter = settings.GetText(setting::kSelectionMask);
  engine_.SetSelectionFilter(SelectionFilterOrDefault(filter));
  LogFormat("Default Selection Mask: %s", engine_.Filter().Text().c_str());
  LogFormat("Default Source Path: %s", engine_.sourcePath.c_str());
  LogFormat("Default Rename Path: %s", engine_.renamePath.c_str());
  UpdatePaths();
  emit CounterChanged(QString::fromStdString(model_->CounterLabel()));
  initialising_ = false;
  UpdateCommandStates();
}

void CRenameFileView::FillMaskBox(const std::string& mask) {
  MaskStore masks(sqlite_);
  const MaskComboContent content = masks.FillMaskCombo(mask);
  maskBox_->clear();
  for (const auto& item : content.items) {
    maskBox_->addItem(QString::fromStdString(item.mask), item.id);
    maskBox_->setItemData(maskBox_->count() - 1, QString::fromStdString(item.description), Qt::ToolTipRole);
  }
  maskBox_->setEditText(QString::fromStdString(mask));
}

void CRenameFileView::UpdatePaths() {
  sourcePath_->setText(QString::fromStdString(engine_.sourcePath));
  renamePath_->setText(QString::fromStdString(engine_.renamePath));
}

void CRenameFileView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (skipNextRefresh) {
    skipNextRefresh = false;
    return;
  }
  for (int i = 0; i < 5; ++i) swatches_[static_cast<size_t>(i)]->update();
  QTimer::singleShot(50, this, [this]() { RefreshList(RunList); });
}

bool CRenameFileView::RefreshList(int mode) {
  // A read lets the event loop run; a second refresh meanwhile would pull the rows from under it.
  if (running_) return false;
  running_ = true;
  if (onListingBusy) onListingBusy(true);
  model_->SetMaskText(maskBox_->currentText().toStdString());
  UpdatePaths();
  const bool readsFolder = mode == RunList && model_->ReReadFolder;
  if (readsFolder) {
    thumbnails_->Clear();
    if (model_->skipFileCallbacks.load()) ThumbNailMode = ThumbnailNone;
    model_->thumbnailDisplayType = ThumbNailMode;
    list_->SetThumbnailsShown(ThumbNailMode != ThumbnailNone);
  }
  if (mode != RunList) QApplication::setOverrideCursor(Qt::WaitCursor);
  CurrentRow = -1;
  std::vector<std::string> pathsBefore;
  for (const auto& row : model_->Rows()) pathsBefore.push_back(row.data.FilePath);
  const bool result = model_->RefreshList(mode);
  if (readsFolder && !selectAfterRead.empty()) {
    for (int i = 0; i < model_->RowCount(); ++i)
      if (model_->Rows()[static_cast<size_t>(i)].data.FileName == selectAfterRead) {
        model_->SelectRow(i);
        break;
      }
    selectAfterRead.clear();
  }
  if (!readsFolder && model_->RowCount() == static_cast<int>(pathsBefore.size())) {
    for (size_t i = 0; i < pathsBefore.size(); ++i)
      thumbnails_->Rename(QString::fromStdString(pathsBefore[i]),
                          QString::fromStdString(model_->Rows()[i].data.FilePath));
  }
  if (mode != RunList) QApplication::restoreOverrideCursor();
  if (progress_) {
    progress_->close();
    progress_->deleteLater();
    progress_ = nullptr;
  }
  if (model_->skipFileCallbacks.load()) {
    ThumbNailMode = ThumbnailNone;
    list_->SetThumbnailsShown(false);
  }
  list_->setUpdatesEnabled(false);
  list_->Reload();
  list_->FitColumns();
  list_->setUpdatesEnabled(true);
  const bool empty = model_->RowCount() == 0;
  list_->SetButtonFaceBackground(empty && engine_.sourceKind != SourceKind::None);
  if (empty && preview_) preview_->ResetPreview();
  if (CurrentRow < 0 && model_->SelectedRow() >= 0) PreviewRow(model_->SelectedRow());
  emit CounterChanged(QString::fromStdString(model_->CounterLabel()));
  list_->setFocus();
  running_ = false;
  if (onListingBusy) onListingBusy(false);
  UpdateCommandStates();
  return result;
}

void CRenameFileView::OnFileRead(const OpenedPhoto& photo, RenameListRow& row, int index) {
  if (!progress_) {
    progress_ = new CImgReadProgressDlg(this);
    progress_->show();
  }
  if (onReadProgress) onReadProgress(index);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
  QCoreApplication::sendPostedEvents(progress_.data());
  if (progress_ && progress_->SkipPressed()) {
    // No thumbnails for the rest of this read nor later ones, until a mode is chosen again.
    model_->skipFileCallbacks = true;
    thumbnails_->Clear();
    list_->SetThumbnailsShown(false);
    progress_->close();
    return;
  }
  if (ThumbNailMode != ThumbnailNone) {
    ThumbnailJob job;
    job.path = row.data.FilePath;
    job.mode = ThumbNailMode;
    job.orientation = row.data.Orientation;
    if (ThumbNailMode == ThumbnailRaw) {
      job.embedded = EmbeddedThumbnail(photo);
      if (job.embedded.empty()) {
        LogMessage(kThumbnailErrorRaw);
        job.mode = ThumbnailNone;
      }
    }
    if (job.mode != ThumbnailNone) thumbnails_->Submit(std::move(job));
  }
  if (progress_) {
    progress_->SetFile(row.data.FilePath);
    progress_->StepCount();
  }
}

void CRenameFileView::OnCurrentRowChanged(int row) {
  if (row == CurrentRow || row < 0 || row >= model_->RowCount()) return;
  if (!model_->Rows()[static_cast<size_t>(row)].selected) return;
  PreviewRow(row);
}

std::string CRenameFileView::LocateRowFile(int row) const {
  const RenameListRow* r = const_cast<RenameListModel&>(*model_).Row(row);
  if (r == nullptr) return {};
  return lx::LocateRowFile(engine_.sourcePath, r->data.FileName, engine_.renamePath,
                           model_->ColumnText(row, ColumnNewName));
}

void CRenameFileView::PreviewRow(int row) {
  RenameListRow* r = model_->Row(row);
  if (r == nullptr) return;
  CurrentRow = row;
  if (!preview_) return;
  std::string path;
  if (engine_.sourceKind == SourceKind::Device) {
    if (prepareDevicePreview) path = prepareDevicePreview(row);
    if (path.empty()) return;
  } else {
    path = LocateRowFile(row);
    if (path.empty()) {
      LogFormat("File Not Found: %s or %s", (engine_.sourcePath + r->data.FileName).c_str(),
                (engine_.renamePath + model_->ColumnText(row, ColumnNewName)).c_str());
      return;
    }
  }
  struct stat st {};
  ::stat(path.c_str(), &st);
  const bool rotate = autoRotate ? autoRotate() : true;
  const TimeT created = engine_.sourceKind == SourceKind::Device ? r->data.CreationTime : st.st_ctime;
  const TimeT modified = engine_.sourceKind == SourceKind::Device ? r->data.ModificationTime : st.st_mtime;
  const TimeT accessed = engine_.sourceKind == SourceKind::Device ? r->data.AccessTime : st.st_atime;
  if (!preview_->ShowFile(path, rotate ? kPictureExifOrientation : 0, 2, created, modified, accessed)) {
    LogMessage(preview_->ErrorText());
    preview_->ResetPreview();
    return;
  }
  LogMessage("Preview File: " + path);
  if (rotate) {
    const TransformCode code = r->data.Orientation;
    const TransformCode shown = (code == 4 || code == 8 || code == 12) ? code : 0;
    LogMessage(std::string("PreView File: ") + TransformCodeText(shown));
  }
}

void CRenameFileView::PreviousPhoto() {
  ShowPhotoRow(PreviousPhotoRow(CurrentRow, model_->FileCount, model_->RowCount()));
}

void CRenameFileView::NextPhoto() { ShowPhotoRow(NextPhotoRow(CurrentRow, model_->FileCount, model_->RowCount())); }

void CRenameFileView::ShowPhotoRow(int target) {
  if (target < 0 || target == CurrentRow) return;
  model_->SelectRow(target);
  list_->SyncSelectionFromModel();
  if (CurrentRow != target) PreviewRow(target);
}

void CRenameFileView::SetThumbNailMode(int mode) {
  ThumbNailMode = std::clamp(mode, 0, 2);
  engine_.Settings().SetNumber(setting::kThumbNailDisplayType, static_cast<std::uint32_t>(ThumbNailMode));
  model_->skipFileCallbacks = false;
  model_->ReReadFolder = true;
  RefreshList(RunList);
}

QColor CRenameFileView::ListColor(int which) const {
  return ColourFromColorRef(ColorSlot(const_cast<RenameListModel&>(*model_).colors, which));
}

void CRenameFileView::SetListColor(int which, const QColor& color) {
  if (which < 0 || which > 4) return;
  const std::uint32_t ref = ColorRefFromColour(color);
  ColorSlot(model_->colors, which) = ref;
  QLabel* swatch = swatches_[static_cast<size_t>(which)];
  QPalette p = swatch->palette();
  p.setColor(QPalette::Window, color);
  swatch->setPalette(p);
  swatch->update();
  list_->viewport()->update();
  if (!initialising_) engine_.Settings().SetNumber(kColorSettings[which], ref);
}

CColourPaletteMenu* CRenameFileView::ColourMenu(int which) {
  if (which < 0 || which > 4) return nullptr;
  auto& menu = colourMenus_[static_cast<size_t>(which)];
  if (!menu) {
    menu = new CColourPaletteMenu(
        commands_.Get(kColorCommands[which])->text(), [this, which] { return ListColor(which); },
        [this, which](const QColor& colour) {
          SetListColor(which, colour);
          UpdateCommandStates();
        },
        this);
  }
  return menu.data();
}

void CRenameFileView::ChooseColor(int which) {
  // The command itself goes straight to the full colour dialog; its button's arrow shows the palette.
  if (CColourPaletteMenu* menu = ColourMenu(which)) menu->MoreColours();
}

void CRenameFileView::ResetColors() {
  for (int i = 0; i < 5; ++i) SetListColor(i, ColourFromColorRef(kDefaultColors[i]));
}

void CRenameFileView::EditSettings() {
  SettingsStore& settings = engine_.Settings();
  const int fileDateSource = static_cast<int>(settings.GetNumber(setting::kFileDateSource));
  CEditAllSettingsDlg dialog(CurrentRenameSettings(engine_, *model_, ThumbNailMode, autoRotate ? autoRotate() : true),
                             fileDateSource, &prompts_, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  const RenameSettingsChoice choice = dialog.Choice();
  ApplyRenameSettings(engine_, *model_, choice, &prompts_);
  // For this run of the program only: neither is written.
  ThumbNailMode = std::clamp(choice.thumbnailMode, 0, 2);
  model_->skipFileCallbacks = false;
  if (setAutoRotate) setAutoRotate(choice.autoRotate);
  if (dialog.FileDateSource() != fileDateSource)
    settings.SetNumber(setting::kFileDateSource, static_cast<std::uint32_t>(dialog.FileDateSource()));
  model_->ReReadFolder = true;
  RefreshList(RunList);
}

void CRenameFileView::EditSelectionFilter() {
  const SelectionFilter filter = engine_.Filter();
  CEditSelectionFilterDlg dialog(filter.Text(), filter.CaseSensitive(), &prompts_, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  ApplySelectionFilter(engine_, *model_, dialog.Text(), dialog.CaseSensitive());
  RefreshList(RunList);
}

void CRenameFileView::EditDuplicateHandling() {
  CSetDuplicateHandlingDlg dialog(engine_.suffixMask, model_->suffixIncludesRoot, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  if (ApplyDuplicateHandling(engine_, *model_, dialog.SuffixMask(), dialog.SuffixIncludesRoot(), &prompts_))
    RefreshList(RunList);
}

void CRenameFileView::ToggleDuplicateSuffixMode() {
  ToggleSuffixIncludesRoot(engine_, *model_);
  RefreshList(RunList);
}

void CRenameFileView::ChooseThumbNailMode() {
  CUpdateThumbNailDlg dialog(ThumbNailMode, this);
  if (ExecModal(dialog) == QDialog::Accepted) SetThumbNailMode(dialog.Mode());
}

void CRenameFileView::ChooseFileTimeMode() {
  CUpdateFileTimeDlg dialog(CurrentFileTimeChange(engine_, *model_), this);
  if (ExecModal(dialog) == QDialog::Accepted) ChooseFileTimeChange(engine_, *model_, dialog.Mode(), false);
}

void CRenameFileView::ChooseRenameTypeCommand(int type) {
  if (engine_.sourceKind != SourceKind::Folder) return;
  CSetRenamePathDlg dialog(engine_.sourcePath, engine_.renamePath, type, &prompts_, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  if (!ChooseRenameType(engine_, dialog.Type(), dialog.RenamePath())) return;
  UpdatePaths();
  UpdateCommandStates();
  QTimer::singleShot(100, this, [this]() { RefreshList(RunList); });
}

void CRenameFileView::BrowseRenamePath() {
  if (engine_.sourceKind != SourceKind::Folder) return;
  CSetRenamePathDlg dialog(engine_.sourcePath, engine_.renamePath, engine_.renameType, &prompts_, this);
  if (ExecModal(dialog) != QDialog::Accepted) return;
  // The same checks and stored type as choosing a rename type.
  if (!ChooseRenameType(engine_, dialog.Type(), dialog.RenamePath())) return;
  UpdatePaths();
  RefreshList(RunList);
}

void CRenameFileView::ViewDetails() {
  if (CurrentRow < 0) return;
  std::string path = engine_.sourceKind == SourceKind::Device
                         ? (prepareDevicePreview ? prepareDevicePreview(CurrentRow) : std::string())
                         : LocateRowFile(CurrentRow);
  if (path.empty()) return;
  emit DetailsRequested(QString::fromStdString(path));
}

void CRenameFileView::CopyToClipboard() {
  if (CurrentRow < 0) return;
  CopyImageToClipboard(LocateRowFile(CurrentRow));
}

void CRenameFileView::DeleteSelected() {
  if (engine_.sourceKind != SourceKind::Folder) return;
  if (DeleteSelectedFiles(*model_)) {
    model_->FileCount = model_->RowCount();
    CurrentRow = -1;
    list_->Reload();
    if (model_->RowCount() == 0 && preview_) preview_->ResetPreview();
  }
  UpdateCommandStates();
}

std::unique_ptr<QMenu> CRenameFileView::BuildContextMenu() {
  const auto selected = model_->SelectedRows();
  if (selected.empty()) return nullptr;
  auto menu = std::make_unique<QMenu>(this);
  if (engine_.sourceKind == SourceKind::Device) {
    QAction* data = menu->addAction("View Portable File Data");
    data->setData(ID_CONTEXT_PORTABLE_DATA);
    const int first = selected.front();
    connect(data, &QAction::triggered, this, [this, first]() {
      if (RenameListRow* r = model_->Row(first)) prompts_.ShowMessage(DeviceFileDataText(r->data), kAppTitle);
    });
    menu->addSeparator();
  }
  QAction* spec = menu->addAction("View Mask Specifications Data");
  spec->setData(ID_CONTEXT_MASK_SPEC);
  connect(spec, &QAction::triggered, this, &CRenameFileView::ViewMaskSpec);
  QAction* applied = menu->addAction("View Applied Mask Data");
  applied->setData(ID_CONTEXT_APPLIED_MASK);
  connect(applied, &QAction::triggered, this, [this]() { ViewAppliedMask(false); });
  menu->addSeparator();
  QAction* edit = menu->addAction("Edit Applied Mask Data");
  edit->setData(ID_CONTEXT_EDIT_APPLIED);
  connect(edit, &QAction::triggered, this, [this]() { ViewAppliedMask(true); });
  menu->addSeparator();
  QAction* del = menu->addAction(selected.size() == 1 ? "Delete Selected File" : "Delete Selected Files");
  del->setData(ID_CONTEXT_DELETE);
  connect(del, &QAction::triggered, this, &CRenameFileView::DeleteSelected);
  return menu;
}

void CRenameFileView::ShowContextMenu(const QPoint& globalPos) {
  auto menu = BuildContextMenu();
  if (menu) menu->exec(globalPos);
}

}  // namespace lx::gui
