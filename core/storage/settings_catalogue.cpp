#include "storage/settings_catalogue.h"
#include "photo/defaults.h"

#include "platform/paths.h"
#include "storage/setting_keys.h"

namespace lx {

namespace {
constexpr SettingType N = SettingType::Number;
constexpr SettingType T = SettingType::Text;
}  // namespace

const std::vector<SettingDefinition>& SettingsCatalogue() {
  static const std::vector<SettingDefinition> catalogue = {
      {setting::kLXDbPath.name, T, true, 0, "Undefined", "full path of the database file Lorvexandrin.sq3"},
      {setting::kRenameType.name, N, true, 0, nullptr,
       "0 Simple Rename, 1 Backup Rename, 2 Target Rename, 3 Target Rename with Source Delete"},
      {setting::kPictureCounter.name, N, true, 0, nullptr, "last picture counter value used by %C"},
      {setting::kSourcePath.name, T, true, 0, "$HOME", "folder listed in the rename view, with a trailing /"},
      {setting::kRenamePath.name, T, true, 0, "$HOME", "base folder for backup and target renames"},
      {setting::kSuffixMask.name, T, true, 0, kDefaultSuffixMask, "duplicate-name suffix under its older name"},
      {setting::kShowRenameOutline.name, N, true, 1, nullptr, "1 show the outline of rename operations, 0 do not"},
      {setting::kDeleteToTrash.name, N, true, 1, nullptr,
       "1 deleted files go to the Trash, 0 they are deleted for good"},
      {setting::kSelectionMask.name, T, true, 0, kDefaultSelectionFilter,
       "files selection filter, ;-separated patterns"},
      {setting::kRenamingMask.name, T, true, 0, kStandardMask, "current renaming mask"},
      {setting::kDuplicateSuffix.name, T, true, 0, kDefaultSuffixMask, "suffix mask for duplicate names"},
      {setting::kDuplicateFiles.name, N, true, 1, nullptr,
       "1 add the suffix also to the original, 0 to duplicate names only"},
      {setting::kFilePathDisplayType.name, N, true, 0, nullptr, "0 file name only, 1 complete file path"},
      {setting::kThumbNailDisplayType.name, N, true, 2, nullptr,
       "0 no thumbnail, 1 raw thumbnail, 2 high resolution thumbnail"},
      {setting::kFileTimeChange.name, N, true, 0, nullptr,
       "0 unchanged, 1 creation time, 2 modification time, 3 all file times"},
      {setting::kListedFileColor.name, N, true, kDefaultListedFileColor, nullptr,
       "text colour of listed files (0x00BBGGRR)"},
      {setting::kRenamedFileColor.name, N, true, kDefaultRenamedFileColor, nullptr,
       "text colour of renamed files (0x00BBGGRR)"},
      {setting::kSelectedTimeColor.name, N, true, kDefaultSelectedTimeColor, nullptr,
       "colour of the selected time (0x00BBGGRR)"},
      {setting::kDuplicateRootColor.name, N, true, kDefaultDuplicateRootColor, nullptr,
       "colour of the first file of a duplicate group (0x00BBGGRR)"},
      {setting::kDuplicateColor.name, N, true, kDefaultDuplicateColor, nullptr,
       "colour of the other duplicates (0x00BBGGRR)"},
      {setting::kShowWelcomeScreen.name, N, true, 1, nullptr, "show the welcome dialog at start"},
      {setting::kShowToolTips.name, N, true, 1, nullptr, "show information tooltips"},
      {setting::kOutputPaneVisible.name, N, false, 0, nullptr, "1 when the output pane was last shown"},
      {setting::kWindowPlacement.name, T, false, 0, nullptr, "main window placement"},
      {setting::kLXMsgBkgColour.name, N, true, kDefaultMessageBoxColor, nullptr,
       "background of the rich-text message box"},
      {setting::kMsgBackgroundColor.name, N, true, kDefaultOutlineBoxColor, nullptr,
       "background of the rename outline box"},
      {setting::kNoUpdateCheck.name, N, true, 0, nullptr, "1 = no automatic update check"},
      {setting::kCurrentVersion.name, N, false, 0, nullptr, "version marker of the program that last ran"},
      {setting::kLastCheckTime.name, N, true, 0, nullptr, "time of the last update check, seconds since 1970 UTC"},
      {setting::kLastGetVideoDataTime.name, N, true, 0, nullptr, "time the help-video data file was last fetched"},
      {setting::kLXDataFilePath.name, T, false, 0, nullptr, "folder of the help-video data and cache files"},
      // Endpoints of the online services: empty until configured.
      {setting::kWebSiteUrl.name, T, true, 0, "",
       "web site; product, donation and help-video paths are appended to it"},
      {setting::kUpdateCheckUrl.name, T, true, 0, "", "URL of the version file"},
      {setting::kSmtpServer.name, T, true, 0, "", "SMTP server of the feedback mail"},
      {setting::kSmtpPort.name, N, true, 465, nullptr, "SMTP port; 0 for the mail service's port"},
      {setting::kSmtpSecurity.name, N, true, 2, nullptr, "0 none, 1 STARTTLS, 2 SSL/TLS from the start"},
      {setting::kFeedbackMailbox.name, T, true, 0, "", "mailbox that receives feedback and help-video requests"},
      {setting::kSmtpVerifyPeer.name, N, true, 1, nullptr, "1 verify the SMTP server's certificate and host name"},
      {setting::kFileDateSource.name, N, true, 0, nullptr,
       "file date of the list: 0 creation time (else modification time), 1 modification time"},
  };
  return catalogue;
}

const SettingDefinition* FindSetting(const std::string& name) {
  for (const auto& def : SettingsCatalogue())
    if (name == def.name) return &def;
  return nullptr;
}

std::string DefaultTextValue(const SettingDefinition& def) {
  if (!def.hasDefault || !def.textDefault) return {};
  std::string text = def.textDefault;
  if (text == "$HOME") return HomeFolder();
  return text;
}

std::string DefaultText(const SettingDefinition& def) {
  if (!def.hasDefault) return {};
  if (def.type == SettingType::Number) return std::to_string(def.numberDefault);
  return DefaultTextValue(def);
}

}  // namespace lx
