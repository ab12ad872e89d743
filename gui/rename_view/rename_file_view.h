// CRenameFileView: the rename view's form (mask box, rename list, paths,
// colour legend), its commands with their enable and check rules, the preview
// of the selected row and the thumbnails of a folder read.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/command_table.h"
#include "rename/folder_watch.h"
#include "rename/rename_list.h"
#include "storage/database_keyword_source.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace lx {
class CLorvexandrinEngine;
class CSQLite;
class Prompts;
}  // namespace lx

namespace lx::gui {

class CColourPaletteMenu;
class CDockablePreview;
class CImgReadProgressDlg;
class CRenameFileListCtrl;
class ThumbnailMaker;

// Command ids of the rename view.
enum RenameViewCommand : int {
  ID_RIBBON_APPLY_MASK = 32876,
  ID_RIBBON_RENAME_SELECTED = 32877,
  ID_RIBBON_RENAME_ALL = 32878,
  ID_RIBBON_SIMPLE_RENAME = 32879,
  ID_RIBBON_BACKUP_RENAME = 32880,
  ID_RIBBON_TARGET_RENAME = 32881,
  ID_RIBBON_RENAME_DELETE = 32900,
  ID_RIBBON_BROWSE = 32854,
  ID_THUMBNAIL_NONE = 32836,
  ID_THUMBNAIL_RAW = 32837,
  ID_THUMBNAIL_HIGHRES = 32838,
  ID_RIBBON_LISTED_COLOUR = 32886,
  ID_RIBBON_RENAMED_COLOUR = 32888,
  ID_RIBBON_TIME_COLOUR = 32890,
  ID_RIBBON_DUPL_ROOT_COLOUR = 32889,
  ID_RIBBON_DUPLICATE_COLOUR = 32891,
  ID_RIBBON_RESET_COLOURS = 32892,
  ID_RIBBON_SETTINGS = 32853,
  ID_RIBBON_EDIT_FILTER = 32852,
  ID_DUPLICATE_HANDLING = 32825,
  ID_ADD_TO_DUPLICATE_FILE = 32799,
  ID_ADD_TO_ALL_FILE = 32798,
  ID_UPDATE_FILETIME = 32830,
  ID_FILETIME_UNCHANGED = 32831,  // ... 32834: modes 0 to 3
  ID_FILETIME_ALL = 32834,
  ID_RIBBON_THUMBNAIL_DISPLAY = 32883,
  ID_RIBBON_RENAME_PREVIOUS_PHOTO = 32873,
  ID_RIBBON_RENAME_NEXT_PHOTO = 32874,
  ID_VIEW_DETAIL = 32773,
  ID_COPY_CLIPBOARD = 32774,
  ID_CONTEXT_PORTABLE_DATA = 1500,
  ID_CONTEXT_DELETE = 1504,
  // The mask, keyword and counter dialogs (mask_commands.cpp).
  ID_RIBBON_EDIT_MASK = 32875,
  ID_RIBBON_EDIT_MASK_FILE = 32851,
  ID_RIBBON_EDIT_KEYWORD = 32882,
  ID_RIBBON_EDIT_COUNTER = 32894,
  ID_CONTEXT_APPLIED_MASK = 1501,
  ID_CONTEXT_MASK_SPEC = 1502,
  ID_CONTEXT_EDIT_APPLIED = 1503,
};

// The five list colours in legend order: listed, renamed, selected time, duplicate root, duplicate.
enum ListColorIndex : int { kColorListed, kColorRenamed, kColorSelectedTime, kColorDuplicateRoot, kColorDuplicate };

class CRenameFileView : public QWidget {
  Q_OBJECT

 public:
  CRenameFileView(CLorvexandrinEngine& engine, CSQLite& sqlite, Prompts& prompts, CDockablePreview* preview,
                  QWidget* parent = nullptr);
  ~CRenameFileView() override;

  // The settings reads and the form's filling, once.
  void OnInitialUpdate();
  // The refresh cycle with the form around it: 0 lists, 1 renames the selected rows, 2 all.
  bool RefreshList(int mode);
  void UpdatePaths();

  // Commands, by id (ribbon buttons and menus share these actions).
  QAction* Command(int id) const { return commands_.Get(id); }
  void RunCommand(int id);
  void UpdateCommandStates();

  void SetThumbNailMode(int mode);
  void SetListColor(int which, const QColor& color);
  void ResetColors();
  QColor ListColor(int which) const;
  // The palette of a colour command, made on first use.
  CColourPaletteMenu* ColourMenu(int which);
  void EditSettings();
  void EditSelectionFilter();
  void EditDuplicateHandling();
  void ToggleDuplicateSuffixMode();
  void ChooseThumbNailMode();
  void ChooseFileTimeMode();
  void PreviousPhoto();
  void NextPhoto();
  // Shows the row in the preview pane (the selected row's preview).
  void PreviewRow(int row);
  // The file of a row: in the source folder, else already renamed into the rename path; empty when neither.
  // The view shows only files that exist; a stale row is reported, never guessed.
  std::string LocateRowFile(int row) const;
  // The context menu as it would open now; null when no row is selected.
  std::unique_ptr<QMenu> BuildContextMenu();

  RenameListModel& Model() { return *model_; }
  CRenameFileListCtrl* List() const { return list_; }
  QComboBox* MaskBox() const { return maskBox_; }
  CDockablePreview* Preview() const;
  ThumbnailMaker& Thumbnails() { return *thumbnails_; }
  QLabel* Swatch(int which) const { return swatches_[static_cast<size_t>(which)]; }
  QLineEdit* SourcePathField() const { return sourcePath_; }
  QLineEdit* RenamePathField() const { return renamePath_; }
  CImgReadProgressDlg* ProgressDialog() const;
  // True while the listed folder is followed for changes.
  bool FolderWatched() const { return watch_.Watching(); }

  int CurrentRow = -1;
  int ThumbNailMode = 2;
  bool ReReadFolder() const { return model_->ReReadFolder; }
  void SetReReadFolder(bool on) { model_->ReReadFolder = on; }
  // Set when the details view closes: the next show does not list again.
  bool skipNextRefresh = false;
  // A file name whose row the next folder read selects (the photo the program was opened with).
  std::string selectAfterRead;

  // The rotation option of the main window (true: automatically based on Exif).
  std::function<bool()> autoRotate = [] { return true; };
  // Sets it for this run of the program (the settings dialog's choice).
  std::function<void(bool)> setAutoRotate;
  // Copies a device row's object to a temporary file for the preview; empty when it cannot.
  std::function<std::string(int row)> prepareDevicePreview;
  // Told when a run starts and ends: the folder tree must not start a second one meanwhile.
  std::function<void(bool busy)> onListingBusy;
  // Called for every listed file during a read (tests press the skip button here).
  std::function<void(int index)> onReadProgress;

 signals:
  void CounterChanged(const QString& text);
  void DetailsRequested(const QString& path);
  void CommandStatesChanged();

 public slots:
  void ApplyMask() { RefreshList(RunList); }
  void RenameSelected() { RefreshList(RunRenameSelected); }
  void RenameAll() { RefreshList(RunRenameAll); }
  void ChooseRenameTypeCommand(int type);
  void BrowseRenamePath();
  void ViewDetails();
  void CopyToClipboard();
  void DeleteSelected();
  // The mask, keyword and counter dialogs and what the view does after them.
  void EditMask();
  void EditMaskList();
  void EditKeywords();
  void EditCounter();
  void ViewMaskSpec();
  void ViewAppliedMask(bool editable);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildForm();
  void BuildCommands();
  void FillMaskBox(const std::string& mask);
  void ChooseColor(int which);
  void OnFileRead(const OpenedPhoto& photo, RenameListRow& row, int index);
  void OnCurrentRowChanged(int row);
  void ShowContextMenu(const QPoint& globalPos);
  // Selects and previews a row found by PreviousPhoto/NextPhoto; -1 does nothing.
  void ShowPhotoRow(int target);
  // A change reported by the folder watch, on this object's thread.
  void OnWatchReport(int action);

  CLorvexandrinEngine& engine_;
  CSQLite& sqlite_;
  Prompts& prompts_;
  DatabaseKeywordSource keywords_;
  std::unique_ptr<RenameListModel> model_;
  std::unique_ptr<ThumbnailMaker> thumbnails_;
  QPointer<CDockablePreview> preview_;
  CRenameFileListCtrl* list_ = nullptr;
  QComboBox* maskBox_ = nullptr;
  QLineEdit* sourcePath_ = nullptr;
  QLineEdit* renamePath_ = nullptr;
  std::array<QLabel*, 5> swatches_{};
  std::array<QPointer<CColourPaletteMenu>, 5> colourMenus_{};
  CommandTable commands_{this, [this](int id) { RunCommand(id); }};
  QPointer<CImgReadProgressDlg> progress_;
  bool initialising_ = true;
  bool running_ = false;
  bool initialised_ = false;
  // Last: it is stopped before anything its reports use goes away.
  FolderWatch watch_;
};

}  // namespace lx::gui
