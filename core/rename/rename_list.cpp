#include "rename/rename_list.h"

#include <algorithm>
#include <unordered_set>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "imaging/exif_access.h"
#include "masks/keyword_source.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "rename/device_list_run.h"
#include "rename/duplicate_names.h"
#include "rename/rename_run.h"
#include "rename/source_folder.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx {

const char* const kListColumnHeadings[kListColumnCount] = {"Current File Name", "Renamed File Name ",
                                                           "File Date & Time", "Exif Date & Time", "Comments"};
const char* const kZipNothingToDisplay = "There is Nothing to Display (Zip File Encountered)";

namespace {

const std::string& CellText(const RenameListRow& row, int column, int filePathDisplayType) {
  static const std::string empty;
  switch (column) {
    case ColumnCurrentName:
      return filePathDisplayType != 0 ? row.data.FilePath : row.data.FileName;
    case ColumnNewName:
      return row.newNameText;
    case ColumnFileDate:
      return row.fileDateText;
    case ColumnExifDate:
      return row.exifDateText;
    case ColumnComments:
      return row.comments;
    default:
      return empty;
  }
}

}  // namespace

RenameListModel::RenameListModel(CLorvexandrinEngine& engine, Prompts& prompts, KeywordSource& keywords,
                                 CMaskData& mask)
    : engine_(engine), prompts_(&prompts), keywords_(&keywords), mask_(mask) {}

void RenameListModel::LoadViewSettings() {
  SettingsStore& settings = engine_.Settings();
  std::string suffix = settings.GetText(setting::kDuplicateSuffix);
  SetDuplicateSuffix(engine_.suffixMask, suffix, prompts_);
  suffixIncludesRoot = settings.GetNumber(setting::kDuplicateFiles) != 0;
  filePathDisplayType = static_cast<int>(settings.GetNumber(setting::kFilePathDisplayType));
  thumbnailDisplayType = static_cast<int>(settings.GetNumber(setting::kThumbNailDisplayType));
  colors.listed = settings.GetNumber(setting::kListedFileColor);
  colors.renamed = settings.GetNumber(setting::kRenamedFileColor);
  colors.selectedTime = settings.GetNumber(setting::kSelectedTimeColor);
  colors.duplicateRoot = settings.GetNumber(setting::kDuplicateRootColor);
  colors.duplicate = settings.GetNumber(setting::kDuplicateColor);
}

std::uint32_t RenameListModel::OnGetCellTextColor(int index, int column) const {
  const std::uint32_t flags =
      (index >= 0 && index < RowCount()) ? rows_[static_cast<size_t>(index)].data.StateFlags : RowListed;
  switch (column) {
    case ColumnCurrentName:
    case ColumnNewName:
      return (flags & RowRenamed) ? colors.renamed : colors.listed;
    case ColumnFileDate:
      return (flags & RowFileTimeUsed) ? colors.selectedTime : colors.listed;
    case ColumnExifDate:
      return (flags & RowExifTimeUsed) ? colors.selectedTime : colors.listed;
    case ColumnComments:
      if (flags & RowDuplicateRoot) return colors.duplicateRoot;
      return (flags & RowDuplicate) ? colors.duplicate : colors.listed;
    default:
      return colors.listed;
  }
}

RenameListRow* RenameListModel::Row(int index) {
  if (index < 0 || index >= RowCount()) return nullptr;
  return &rows_[static_cast<size_t>(index)];
}

std::string RenameListModel::ColumnText(int index, int column) const {
  if (index < 0 || index >= RowCount()) return {};
  return CellText(rows_[static_cast<size_t>(index)], column, filePathDisplayType);
}

void RenameListModel::SetRowSelected(int index, bool selected) {
  if (RenameListRow* row = Row(index)) row->selected = selected;
}

std::vector<int> RenameListModel::SelectedRows() const {
  std::vector<int> out;
  for (int i = 0; i < RowCount(); ++i)
    if (rows_[static_cast<size_t>(i)].selected) out.push_back(i);
  return out;
}

int RenameListModel::SelectRow(int index) {
  if (index == selectedRow_) return index;
  if (index < 0 || index >= RowCount()) return -1;
  if (RenameListRow* previous = Row(selectedRow_)) previous->selected = false;
  rows_[static_cast<size_t>(index)].selected = true;
  selectedRow_ = index;
  return index;
}

void RenameListModel::DeleteRow(int index) {
  if (index < 0 || index >= RowCount()) return;
  rows_.erase(rows_.begin() + index);
  if (selectedRow_ == index)
    selectedRow_ = -1;
  else if (selectedRow_ > index)
    --selectedRow_;
  FileCount = RowCount();
}

void RenameListModel::ClearRows() {
  rows_.clear();
  placeholderLine_.clear();
  selectedRow_ = -1;
}

int RenameListModel::AddFileRow(int index, const std::string& path) {
  if (index < 0 || index > RowCount()) index = RowCount();
  const PathParts parts = SplitPath(path);
  rows_.insert(rows_.begin() + index, RenameListRow{});
  if (selectedRow_ >= index) ++selectedRow_;
  FillFileRow(index, path, parts.title + parts.ext, parts.title, parts.ext);
  return index;
}

bool RenameListModel::FillFileRow(int item, const std::string& path, const std::string& name, const std::string& title,
                                  const std::string& ext) {
  RenameListRow* row = Row(item);
  if (!row) return false;
  CRenameFileData& data = row->data;
  data.FilePath = path;
  data.FileName = name;
  data.FileTitle = title;
  data.FileExt = ext;
  FileStatusTimes times;
  const bool ok = ReadFileStatusTimes(path, times);
  data.CreationTime = times.creation;
  data.ModificationTime = times.modification;
  data.AccessTime = times.access;
  // Rebuilt from its local fields, so a time in a daylight-saving change is
  // the one the user sees in the list.
  const TimeT fileDate = FileDateOf(times, fileDateSource);
  data.FileDate = fileDate;
  if (auto local = ToLocal(fileDate)) {
    if (auto rebuilt = MakeLocalTime(local->year, local->month, local->day, local->hour, local->minute, local->second))
      data.FileDate = *rebuilt;
  }
  return ok;
}

void RenameListModel::RefreshRow(int item) {
  RenameListRow* row = Row(item);
  if (!row) return;
  row->data.StateFlags |= RowListed;
  row->fileDateText = FormatDateText(row->data.FileDate);
  row->exifDateText = FormatExifDateText(row->data);
  row->newNameText = row->data.NewName;
}

void RenameListModel::RecomputeRow(int index) {
  RenameListRow& row = rows_[static_cast<size_t>(index)];
  mask_.EvaluateRow(row.data, RunCounter, MaskChanged, 1, *prompts_, *keywords_);
  RefreshRow(index);
}

void RenameListModel::MarkDuplicateNames(const std::string& sourcePath, const std::string& renamePath) {
  if (engine_.sourceKind == SourceKind::None) return;
  const int renameType = engine_.renameType;
  const bool inPlace = renameType == SimpleRename || renameType == BackupRename;
  const std::string folder = WithTrailingSlash(inPlace ? sourcePath : renamePath);
  std::unordered_set<std::string> listed;
  if (inPlace)
    for (const auto& row : rows_) listed.insert(row.data.FileName);
  // A suffixed name must not land on a file outside the list; a listed file's
  // name is free or taken by its own row's new name, which the marking knows.
  auto nameTaken = [&](const std::string& name) {
    return !listed.count(name) && name.find('/') == std::string::npos && PathExists(folder + name);
  };
  MarkDuplicates(rows_, engine_.suffixMask, suffixIncludesRoot, nameTaken);
  CheckTargetCollisions(rows_, renameType, sourcePath, renamePath);
}

bool RenameListModel::ZipSourceCheck(const std::string& sourcePath) {
  if (ToUpperAscii(sourcePath).find(".ZIP") == std::string::npos) return false;
  LogFormat("Zip File Encountered (%s) !!! No Files Listed in %s ...", sourcePath.c_str(), kAppTitle);
  ClearRows();
  FileCount = 0;
  placeholderLine_ = kZipNothingToDisplay;
  return true;
}

int RenameListModel::ReadSourceFolder(const std::string& folder, const std::string& renamePath) {
  listingBusy = true;
  ClearRows();
  std::vector<std::string> names, skipped;
  if (!ListFolderFiles(folder, names, &skipped)) {
    listingBusy = false;
    return 0;
  }
  reading = true;
  const SelectionFilter filter = engine_.Filter();
  for (const std::string& name : skipped) {
    const std::string path = JoinPath(folder, name);
    if (filter.Matches(path)) LogFormat("File '%s' Skipped: Not a Regular File ...", path.c_str());
  }
  const int total = onProgress ? static_cast<int>(std::count_if(
                                     names.begin(), names.end(),
                                     [&](const std::string& name) { return filter.Matches(JoinPath(folder, name)); }))
                               : 0;
  int i = 0;
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    if (!filter.Matches(path)) continue;
    const int item = AddFileRow(i, path);
    RenameListRow& row = rows_[static_cast<size_t>(item)];
    OpenedPhoto photo = OpenPhoto(path);
    ReadExifData(&photo, row.data);
    mask_.EvaluateRow(row.data, RunCounter, true, 1, *prompts_, *keywords_);
    RefreshRow(item);
    if (skipFileCallbacks.load()) {
      thumbnailDisplayType = 0;
    } else if (onFileRead) {
      onFileRead(photo, row, item);
      if (skipFileCallbacks.load()) thumbnailDisplayType = 0;
    }
    ++i;
    if (onProgress) onProgress(i, total, folder);
  }
  MarkDuplicateNames(folder, renamePath);
  return RowCount();
}

int RenameListModel::ApplyRenamingMask(const std::string& sourcePath, const std::string& renamePath) {
  if (runMode == RunRenameSelected) {
    for (int i = 0; i < RowCount(); ++i)
      if (rows_[static_cast<size_t>(i)].selected) RecomputeRow(i);
    for (int i = 0; i < RowCount(); ++i) {
      const RenameListRow& row = rows_[static_cast<size_t>(i)];
      if (row.selected || i == selectedRow_ || (row.data.StateFlags & RowRenamed)) continue;
      RecomputeRow(i);
    }
  } else {
    for (int i = 0; i < RowCount(); ++i) RecomputeRow(i);
  }
  MarkDuplicateNames(sourcePath, renamePath);
  return RowCount();
}

bool RenameListModel::ListRun() {
  const std::string sourcePath = engine_.sourcePath;
  const std::string renamePath = engine_.renamePath;
  if (sourcePath.empty() || renamePath.empty()) return false;
  if (ZipSourceCheck(sourcePath)) return false;
  if (stopWatch) stopWatch();
  const std::uint64_t t0 = TickCountMs();
  RunCounter = static_cast<int>(GetPictureCounter(engine_.Settings()));
  fileDateSource = static_cast<int>(engine_.Settings().GetNumber(setting::kFileDateSource));
  LogFormat("Reading Directory '%s' with Selection Mask '%s' ...", sourcePath.c_str(), engine_.Filter().Text().c_str());
  if (ReReadFolder)
    FileCount = ReadSourceFolder(sourcePath, renamePath);
  else
    FileCount = ApplyRenamingMask(sourcePath, renamePath);
  SelectRow(0);
  const long long elapsed = static_cast<long long>(TickCountMs() - t0);
  LogFormat("%d File%sFound in %d msec. ...", FileCount, PluralS(FileCount), static_cast<int>(elapsed));
  if (startWatch) startWatch();
  return true;
}

bool RenameListModel::RefreshList(int mode) {
  MaskChanged = false;
  const std::string currentMask = maskText_;
  if (currentMask != previousMask) MaskChanged = true;
  runMode = mode;
  SettingsStore& settings = engine_.Settings();
  settings.SetText(setting::kRenamingMask, currentMask);
  settings.SetText(setting::kSourcePath, engine_.sourcePath);
  settings.SetText(setting::kRenamePath, engine_.renamePath);
  RunCounter = static_cast<int>(GetPictureCounter(settings));
  if (!mask_.ParseMask(currentMask, maskMessage_, ReportBox, prompts_)) return false;
  maskMessage_.clear();
  if (engine_.sourceKind != SourceKind::Folder && engine_.sourceKind != SourceKind::Device) return false;

  bool result;
  if (engine_.sourceKind == SourceKind::Folder)
    result = mode == RunList ? ListRun() : RenameRun(*this, mode);
  else
    result = DeviceListRun(*this, mode);

  listingBusy = false;
  reading = false;
  previousMask = currentMask;
  ReReadFolder = false;
  MaskChanged = false;
  return result;
}

std::string RenameListModel::CounterLabel() const {
  return StrFormat("Counter: %d", static_cast<int>(GetPictureCounter(engine_.Settings())));
}

void RenameListModel::SortRows(int column, bool ascending, int low, int high) {
  if (high == -1) high = RowCount() - 1;
  if (low < 0 || high >= RowCount()) return;
  auto text = [&](int i) -> const std::string& {
    return CellText(rows_[static_cast<size_t>(i)], column, filePathDisplayType);
  };
  // A partition-exchange sort on the shown texts. Rows with equal texts are
  // never swapped. The smaller part is sorted by recursion and the larger
  // one by the loop, which keeps the stack shallow on any input.
  while (high > low) {
    const std::string pivot = text((low + high) / 2);
    int lo = low, hi = high;
    while (lo <= hi) {
      if (ascending) {
        while (lo < high && text(lo) < pivot) ++lo;
        while (hi > low && text(hi) > pivot) --hi;
      } else {
        while (lo < high && text(lo) > pivot) ++lo;
        while (hi > low && text(hi) < pivot) --hi;
      }
      if (lo <= hi) {
        if (text(lo) != text(hi)) {
          std::swap(rows_[static_cast<size_t>(lo)], rows_[static_cast<size_t>(hi)]);
          if (selectedRow_ == lo)
            selectedRow_ = hi;
          else if (selectedRow_ == hi)
            selectedRow_ = lo;
        }
        ++lo;
        --hi;
      }
    }
    // The parts low..hi and lo..high do not overlap.
    if (hi - low < high - lo) {
      if (low < hi) SortRows(column, ascending, low, hi);
      low = lo;
    } else {
      if (lo < high) SortRows(column, ascending, lo, high);
      high = hi;
    }
  }
}

void RenameListModel::SortByColumnClick(int column) {
  if (column < 0 || column >= kListColumnCount) return;
  sortAscending = column != sortColumn || !sortAscending;
  sortColumn = column;
  SortRows(column, sortAscending);
}

}  // namespace lx
