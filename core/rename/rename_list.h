// The rename list without its widgets: the rows of the listed folder with the
// new names the mask gives them, the view state of the list, and its refresh
// cycle. The desktop program shows it in a table and attaches thumbnails, a
// progress dialog and the folder watch through the hooks below; the CLI
// drives it directly.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "masks/mask_data.h"
#include "photo/defaults.h"
#include "photo/rename_list_row.h"

namespace lx {

class CLorvexandrinEngine;
class KeywordSource;
class Prompts;
struct OpenedPhoto;

// RefreshList modes.
enum RunMode : int { RunList = 0, RunRenameSelected = 1, RunRenameAll = 2 };

// List columns.
enum ListColumn : int {
  ColumnCurrentName = 0,
  ColumnNewName = 1,
  ColumnFileDate = 2,
  ColumnExifDate = 3,
  ColumnComments = 4,
  kListColumnCount = 5,
};

// Column headings, in column order.
extern const char* const kListColumnHeadings[kListColumnCount];

// The single line shown instead of rows for a zip source.
extern const char* const kZipNothingToDisplay;  // "There is Nothing to Display (Zip File Encountered)"

// The five text colours of the list (COLORREF, 0x00BBGGRR).
struct ListColors {
  std::uint32_t listed = kDefaultListedFileColor;            // "ListedFileColor"
  std::uint32_t renamed = kDefaultRenamedFileColor;          // "RenamedFileColor"
  std::uint32_t selectedTime = kDefaultSelectedTimeColor;    // "SelectedTimeColor"
  std::uint32_t duplicateRoot = kDefaultDuplicateRootColor;  // "DuplicateRootColor"
  std::uint32_t duplicate = kDefaultDuplicateColor;          // "DuplicateColor"
};

class RenameListModel {
 public:
  // The mask defaults to the program's ActiveMask.
  RenameListModel(CLorvexandrinEngine& engine, Prompts& prompts, KeywordSource& keywords, CMaskData& mask = ActiveMask);
  RenameListModel(const RenameListModel&) = delete;
  RenameListModel& operator=(const RenameListModel&) = delete;

  CLorvexandrinEngine& Engine() { return engine_; }
  Prompts& GetPrompts() { return *prompts_; }
  KeywordSource& Keywords() { return *keywords_; }
  CMaskData& Mask() { return mask_; }
  void SetPrompts(Prompts& prompts) { prompts_ = &prompts; }
  void SetKeywordSource(KeywordSource& keywords) { keywords_ = &keywords; }

  // Reads the list's own settings: "DuplicateSuffix", "DuplicateFiles",
  // "FilePathDisplayType", "ThumbNailDisplayType" and the five colours.
  // Called once when the view starts.
  void LoadViewSettings();

  // The mask text of the mask box; RefreshList takes it from here.
  void SetMaskText(const std::string& text) { maskText_ = text; }
  const std::string& MaskText() const { return maskText_; }
  // Makes the next refresh count as a mask change (a mask was chosen from the list).
  void ForgetPreviousMask() { previousMask.clear(); }

  // ---- Rows -------------------------------------------------------------
  std::vector<RenameListRow>& Rows() { return rows_; }
  const std::vector<RenameListRow>& Rows() const { return rows_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  RenameListRow* Row(int index);
  // The text the list shows in a cell.
  std::string ColumnText(int index, int column) const;
  // Non-empty when the list shows a single line instead of rows (zip source).
  const std::string& PlaceholderLine() const { return placeholderLine_; }

  // Selection: the selected flag of each row, and the focused row (SelectedRow).
  int SelectedRow() const { return selectedRow_; }
  void SetRowSelected(int index, bool selected);
  std::vector<int> SelectedRows() const;
  // Makes index the one selected and focused row; returns it (-1 when out of range).
  int SelectRow(int index);
  // Deletes one row and its record (after its file was deleted or moved away).
  void DeleteRow(int index);

  // ---- The refresh cycle ------------------------------------------------
  // 0 lists (reads the folder when ReReadFolder, else re-applies the mask),
  // 1 renames the selected rows, 2 renames all rows. False when the run
  // stopped early (mask refused, no source, empty path, zip source, rename run failed).
  bool RefreshList(int mode);
  // The message of the last refused mask (also shown in a warning box).
  const std::string& MaskMessage() const { return maskMessage_; }

  // The mode-0 list run of a folder source.
  bool ListRun();
  // Reads the folder (entries sorted by name, sub-folders never); returns the row count.
  int ReadSourceFolder(const std::string& folder, const std::string& renamePath);
  // Recomputes the new names of the existing rows in the current mode; returns the row count.
  int ApplyRenamingMask(const std::string& sourcePath, const std::string& renamePath);
  // Inserts a row with a fresh record for path; returns its index.
  int AddFileRow(int index, const std::string& path);
  // Fills the record's path, names and file times; false when the file's status cannot be read.
  bool FillFileRow(int item, const std::string& path, const std::string& name, const std::string& title,
                   const std::string& ext);
  // Writes the current-name, new-name and date columns from the record.
  void RefreshRow(int item);
  void ClearRows();
  // Duplicate marking, then the target-collision check (nothing without a source).
  void MarkDuplicateNames(const std::string& sourcePath, const std::string& renamePath);
  // Sorts rows lo..high (high -1: the last row) by the text of one column,
  // byte for byte; rows with equal texts are not swapped.
  void SortRows(int column, bool ascending, int low = 0, int high = -1);
  // A header click: ascending on a new column or after a descending sort, else descending.
  void SortByColumnClick(int column);
  // True (and the list shows its zip line) when the source path is a zip file.
  bool ZipSourceCheck(const std::string& sourcePath);

  // The text colour of a cell, chosen by the row's state bits; the listed
  // colour for anything else (a row without a record, an unknown column).
  std::uint32_t OnGetCellTextColor(int index, int column) const;

  // "Counter: %d" of the ribbon label.
  std::string CounterLabel() const;

  // ---- View state ---------------------------------------------------------
  int FileCount = 0;         // rows after the last run
  bool ReReadFolder = true;  // the next refresh reads the folder again
  bool MaskChanged = false;  // the mask differs from the previous run's
  int RunCounter = 0;        // running picture counter of the current run
  int runMode = RunList;     // mode of the current run
  std::string previousMask;  // mask of the previous run
  int sortColumn = -1;
  bool sortAscending = true;
  bool reading = false;            // a folder is being read
  bool listingBusy = false;        // keeps the folder tree from starting a second read
  bool suffixIncludesRoot = true;  // "DuplicateFiles"
  int filePathDisplayType = 0;     // 0 names, else full paths in column 0
  int thumbnailDisplayType = 2;    // 0 none, 1 raw, 2 high resolution
  int fileDateSource = 0;          // "FileDateSource", read once per listing
  // A file-time mode chosen for this run of the program; unset: the stored "FileTimeChange".
  std::optional<int> fileTimeChangeForRun;
  ListColors colors;  // read by LoadViewSettings

  // ---- Hooks --------------------------------------------------------------
  // Called during a folder read for every listed file, with the opened photo
  // and its row, before the photo is closed: thumbnails, progress.
  std::function<void(const OpenedPhoto& photo, RenameListRow& row, int index)> onFileRead;
  // Set (from the callback or another thread) to stop the per-file calls: the
  // rest of the read and later reads go without them, and the thumbnail
  // display type drops to 0. Cleared by the owner when thumbnails are chosen again.
  std::atomic<bool> skipFileCallbacks{false};
  // Called after each file of a folder read and each row of a rename run:
  // files done, files of the run, the folder at work (a progress display).
  std::function<void(int done, int total, const std::string& folder)> onProgress;
  // Stop and start the folder watch around every run.
  std::function<void()> stopWatch;
  std::function<void()> startWatch;

 private:
  void RecomputeRow(int index);

  CLorvexandrinEngine& engine_;
  Prompts* prompts_;
  KeywordSource* keywords_;
  CMaskData& mask_;
  std::string maskText_;
  std::string maskMessage_;
  std::vector<RenameListRow> rows_;
  std::string placeholderLine_;
  int selectedRow_ = -1;
};

}  // namespace lx
