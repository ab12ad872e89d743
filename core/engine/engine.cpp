#include "engine/engine.h"
#include "photo/defaults.h"

#include <algorithm>

#include "base/log.h"
#include "platform/paths.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx {

CLorvexandrinEngine::CLorvexandrinEngine(SettingsStore& settings) : settings_(settings) {}

void CLorvexandrinEngine::LoadEngineSettings(bool logFilter) {
  dbPath = settings_.GetText(setting::kLXDbPath);
  renameType = static_cast<int>(settings_.GetNumber(setting::kRenameType));
  pictureCounter = static_cast<int>(GetPictureCounter(settings_));
  sourcePath = WithTrailingSlash(settings_.GetText(setting::kSourcePath));
  renamePath = settings_.GetText(setting::kRenamePath);
  if (!FolderExists(sourcePath)) {
    // The folder was removed or unmounted since the last run: start at home.
    sourcePath = HomeFolder();
    renamePath = HomeFolder();
  }
  suffixMask = settings_.GetText(setting::kSuffixMask);
  showRenameOutline = settings_.GetNumber(setting::kShowRenameOutline) != 0;
  LoadSelectionFilter(logFilter);
}

void CLorvexandrinEngine::LoadSelectionFilter(bool logFilter) {
  {
    std::lock_guard lock(filterMutex_);
    filter_.SetText(filter_.Text(), false);
  }
  std::string text = settings_.GetText(setting::kSelectionMask);
  if (text.empty()) text = kDefaultSelectionFilter;
  if (logFilter) LogFormat("Default Files Selection Filter: %s", text.c_str());
  SetSelectionFilter(text);
}

int CLorvexandrinEngine::SetSelectionFilter(const std::string& text) {
  settings_.SetText(setting::kSelectionMask, text);
  std::lock_guard lock(filterMutex_);
  return filter_.SetText(text, filter_.CaseSensitive());
}

void CLorvexandrinEngine::SetSelectionCaseSensitive(bool caseSensitive) {
  std::lock_guard lock(filterMutex_);
  filter_.SetText(filter_.Text(), caseSensitive);
}

bool CLorvexandrinEngine::MatchSelectionFilter(const std::string& path) const {
  std::lock_guard lock(filterMutex_);
  return filter_.Matches(path);
}

SelectionFilter CLorvexandrinEngine::Filter() const {
  std::lock_guard lock(filterMutex_);
  return filter_;
}

void SavePictureCounter(CLorvexandrinEngine& engine, int value) {
  engine.pictureCounter = std::max(value, engine.pictureCounter);
  SetPictureCounter(engine.Settings(), static_cast<std::uint32_t>(engine.pictureCounter));
}

}  // namespace lx
