// The rules behind the rename view's option dialogs: the characters the
// selection-filter field refuses, the ready-made filters, what OK in the
// settings, filter, duplicate and file-time dialogs stores and in which order,
// and the duplicate dialog's sample. The dialogs only show and ask.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lx {

class CLorvexandrinEngine;
class Prompts;
class RenameListModel;

// Characters a selection filter cannot hold. '*' and ';' are the filter's own syntax, so they stay allowed.
inline constexpr const char* kSelectionFilterForbidden = "\\/:?\"<>|";

// Removes the refused characters from a typed filter. True when there were
// none; otherwise beeps, shows the warning naming "Selection Filter" and
// returns false with text cleaned.
bool CleanSelectionFilter(std::string& text, Prompts* prompts);

// A ready filter of the filter dialogs' drop-down: its label and the text it fills in.
struct ReadyFilter {
  std::string label;
  std::string filter;
};
const std::vector<ReadyFilter>& ReadySelectionFilters();

// What the settings dialog shows and gives back.
struct RenameSettingsChoice {
  std::string filterText;
  bool caseSensitive = false;
  int renameType = 0;
  std::string suffixMask;
  bool suffixIncludesRoot = true;
  bool showRenameOutline = true;
  int thumbnailMode = 2;  // for this run of the program only
  int filePathDisplayType = 0;
  bool autoRotate = true;  // for this run of the program only
};

// The values the dialog opens with.
RenameSettingsChoice CurrentRenameSettings(const CLorvexandrinEngine& engine, const RenameListModel& list,
                                           int thumbnailMode, bool autoRotate);

// OK of the settings dialog, in this order: the filter text and case flag,
// "RenameType", the filter applied (writes "SelectionMask"), the suffix mask
// ("DuplicateSuffix"), "DuplicateFiles", "ShowRenameOutline", then
// "FilePathDisplayType"; the folder is read again at the next list run. The
// thumbnail mode and the rotation option are left to the caller and never
// written. A rename type outside 0..3 keeps the current one.
void ApplyRenameSettings(CLorvexandrinEngine& engine, RenameListModel& list, const RenameSettingsChoice& choice,
                         Prompts* prompts);

// "Apply Selection Filter": the case flag, the filter (writes "SelectionMask"), and a new read.
void ApplySelectionFilter(CLorvexandrinEngine& engine, RenameListModel& list, const std::string& text,
                          bool caseSensitive);

// OK of the duplicate dialog: the suffix mask (a mask not among the 15 is
// refused with its message and nothing is stored), "DuplicateSuffix" and "DuplicateFiles".
bool ApplyDuplicateHandling(CLorvexandrinEngine& engine, RenameListModel& list, const std::string& mask,
                            bool suffixIncludesRoot, Prompts* prompts);

// "Add Suffix to Duplicate Names" / "Add Suffix Also to Original": flips the mode and writes "DuplicateFiles".
void ToggleSuffixIncludesRoot(CLorvexandrinEngine& engine, RenameListModel& list);

// A file-time mode chosen by a ribbon command (stored at once) or in the
// file-time dialog (kept for this run of the program only). Modes outside 0..3 are ignored.
void ChooseFileTimeChange(CLorvexandrinEngine& engine, RenameListModel& list, int mode, bool store);
// The mode the next rename run uses.
int CurrentFileTimeChange(CLorvexandrinEngine& engine, const RenameListModel& list);

// The duplicate dialog's fixed sample (three groups of equal names) and the
// names it gets with a suffix mask and mode, numbered as the list numbers a group.
const std::vector<std::string>& DuplicateSampleNames();
std::vector<std::string> DuplicateSampleResult(const std::string& suffixMask, bool suffixIncludesRoot);

}  // namespace lx
