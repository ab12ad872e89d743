#include "rename/rename_settings.h"

#include <algorithm>

#include "engine/engine.h"
#include "masks/mask_data.h"
#include "masks/name_cleaning.h"
#include "platform/paths.h"
#include "rename/duplicate_names.h"
#include "rename/rename_list.h"
#include "storage/settings_store.h"

namespace lx {

bool CleanSelectionFilter(std::string& text, Prompts* prompts) {
  return RemoveInvalidCharacters(text, kSelectionFilterForbidden, "Selection Filter", prompts);
}

const std::vector<ReadyFilter>& ReadySelectionFilters() {
  // Matching ignores case unless asked, so one spelling of each extension does.
  static const std::string kRaw =
      "*.cr2; *.cr3; *.crw; *.nef; *.nrw; *.arw; *.sr2; *.srf; *.dng; *.orf; *.pef; *.raf; *.rw2; *.rwl; *.mrw; "
      "*.srw; *.3fr; *.erf; *.kdc; *.dcr";
  static const std::string kPhotos = "*.jpg; *.jpeg; *.heic; *.heif; *.avif; *.tif; *.tiff; *.png; " + kRaw;
  static const std::vector<ReadyFilter> filters = {
      {"*.jpg", "*.jpg"},
      {"All Photos", kPhotos},
      {"All Photos and Videos", kPhotos + "; *.mov; *.mp4; *.m4v; *.3gp; *.avi; *.mkv"},
      {"RAW Files", kRaw},
  };
  return filters;
}

RenameSettingsChoice CurrentRenameSettings(const CLorvexandrinEngine& engine, const RenameListModel& list,
                                           int thumbnailMode, bool autoRotate) {
  RenameSettingsChoice choice;
  const SelectionFilter filter = engine.Filter();
  choice.filterText = filter.Text();
  choice.caseSensitive = filter.CaseSensitive();
  choice.renameType = engine.renameType;
  choice.suffixMask = engine.suffixMask;
  choice.suffixIncludesRoot = list.suffixIncludesRoot;
  choice.showRenameOutline = engine.showRenameOutline;
  choice.thumbnailMode = thumbnailMode;
  choice.filePathDisplayType = list.filePathDisplayType;
  choice.autoRotate = autoRotate;
  return choice;
}

void ApplyRenameSettings(CLorvexandrinEngine& engine, RenameListModel& list, const RenameSettingsChoice& choice,
                         Prompts* prompts) {
  SettingsStore& settings = engine.Settings();
  engine.SetSelectionCaseSensitive(choice.caseSensitive);
  if (choice.renameType >= SimpleRename && choice.renameType <= TargetRenameDelete) {
    engine.renameType = choice.renameType;
    settings.SetNumber(setting::kRenameType, static_cast<std::uint32_t>(choice.renameType));
  }
  engine.SetSelectionFilter(choice.filterText);
  if (SetDuplicateSuffix(engine.suffixMask, choice.suffixMask, prompts))
    settings.SetText(setting::kDuplicateSuffix, engine.suffixMask);
  list.suffixIncludesRoot = choice.suffixIncludesRoot;
  settings.SetNumber(setting::kDuplicateFiles, choice.suffixIncludesRoot ? 1 : 0);
  engine.showRenameOutline = choice.showRenameOutline;
  settings.SetNumber(setting::kShowRenameOutline, choice.showRenameOutline ? 1 : 0);
  list.filePathDisplayType = std::clamp(choice.filePathDisplayType, 0, 1);
  settings.SetNumber(setting::kFilePathDisplayType, static_cast<std::uint32_t>(list.filePathDisplayType));
  list.ReReadFolder = true;
}

void ApplySelectionFilter(CLorvexandrinEngine& engine, RenameListModel& list, const std::string& text,
                          bool caseSensitive) {
  engine.SetSelectionCaseSensitive(caseSensitive);
  engine.SetSelectionFilter(text);
  list.ReReadFolder = true;
}

bool ApplyDuplicateHandling(CLorvexandrinEngine& engine, RenameListModel& list, const std::string& mask,
                            bool suffixIncludesRoot, Prompts* prompts) {
  if (!SetDuplicateSuffix(engine.suffixMask, mask, prompts)) return false;
  SettingsStore& settings = engine.Settings();
  settings.SetText(setting::kDuplicateSuffix, engine.suffixMask);
  list.suffixIncludesRoot = suffixIncludesRoot;
  settings.SetNumber(setting::kDuplicateFiles, suffixIncludesRoot ? 1 : 0);
  return true;
}

void ToggleSuffixIncludesRoot(CLorvexandrinEngine& engine, RenameListModel& list) {
  list.suffixIncludesRoot = !list.suffixIncludesRoot;
  engine.Settings().SetNumber(setting::kDuplicateFiles, list.suffixIncludesRoot ? 1 : 0);
}

void ChooseFileTimeChange(CLorvexandrinEngine& engine, RenameListModel& list, int mode, bool store) {
  if (mode < 0 || mode > 3) return;
  list.fileTimeChangeForRun = mode;
  if (store) engine.Settings().SetNumber(setting::kFileTimeChange, static_cast<std::uint32_t>(mode));
}

int CurrentFileTimeChange(CLorvexandrinEngine& engine, const RenameListModel& list) {
  if (list.fileTimeChangeForRun) return *list.fileTimeChangeForRun;
  return static_cast<int>(engine.Settings().GetNumber(setting::kFileTimeChange));
}

const std::vector<std::string>& DuplicateSampleNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    all.insert(all.end(), 7, "25-Apr-2016-15-04-52.JPG");
    all.insert(all.end(), 5, "25-Apr-2016-15-08-17.JPG");
    all.insert(all.end(), 11, "Garden Party 12-Jun-2016-18-30-00.JPG");
    return all;
  }();
  return names;
}

std::vector<std::string> DuplicateSampleResult(const std::string& suffixMask, bool suffixIncludesRoot) {
  const std::vector<std::string>& names = DuplicateSampleNames();
  std::vector<std::string> result = names;
  // Each group is numbered from 1 in list order; without the root, its first name stays.
  size_t start = 0;
  while (start < names.size()) {
    size_t end = start;
    while (end < names.size() && names[end] == names[start]) ++end;
    int n = 1;
    for (size_t k = suffixIncludesRoot ? start : start + 1; k < end; ++k) {
      const PathParts parts = SplitPath(names[k]);
      result[k] = parts.title + FormatDuplicateSuffix(suffixMask, n++) + parts.ext;
    }
    start = end;
  }
  return result;
}

}  // namespace lx
