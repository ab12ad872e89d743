#include "storage/settings_catalogue.h"

#include "platform/paths.h"

namespace lx {

namespace {
constexpr SettingType N = SettingType::Number;
constexpr SettingType T = SettingType::Text;
}  // namespace

const std::vector<SettingDefinition>& SettingsCatalogue() {
  static const std::vector<SettingDefinition> catalogue = {
      {"LXDbPath", T, true, 0, "Undefined", "full path of the database file Lorvexandrin.sq3"},
      {"RenameType", N, true, 0, nullptr,
       "0 Simple Rename, 1 Backup Rename, 2 Target Rename, 3 Target Rename with Source Delete"},
      {"PictureCounter", N, true, 0, nullptr, "last picture counter value used by %C"},
      {"SourcePath", T, true, 0, "$HOME", "folder listed in the rename view, with a trailing /"},
      {"RenamePath", T, true, 0, "$HOME", "base folder for backup and target renames"},
      {"SuffixMask", T, true, 0, "-%03d", "duplicate-name suffix under its older name"},
      {"ShowRenameOutline", N, true, 1, nullptr, "1 show the outline of rename operations, 0 do not"},
      {"SelectionMask", T, true, 0, "*.jpg", "files selection filter, ;-separated patterns"},
      {"RenamingMask", T, true, 0, "%Y-%m-%d %H-%M-%S", "current renaming mask"},
      {"DuplicateSuffix", T, true, 0, "-%03d", "suffix mask for duplicate names"},
      {"DuplicateFiles", N, true, 1, nullptr, "1 add the suffix also to the original, 0 to duplicate names only"},
      {"FilePathDisplayType", N, true, 0, nullptr, "0 file name only, 1 complete file path"},
      {"ThumbNailDisplayType", N, true, 2, nullptr, "0 no thumbnail, 1 raw thumbnail, 2 high resolution thumbnail"},
      {"FileTimeChange", N, true, 0, nullptr, "0 unchanged, 1 creation time, 2 modification time, 3 all file times"},
      {"ListedFileColor", N, true, 0x000000, nullptr, "text colour of listed files (0x00BBGGRR)"},
      {"RenamedFileColor", N, true, 0xFF0000, nullptr, "text colour of renamed files (0x00BBGGRR)"},
      {"SelectedTimeColor", N, true, 0x228B22, nullptr, "colour of the selected time (0x00BBGGRR)"},
      {"DuplicateRootColor", N, true, 0x000080, nullptr, "colour of the first file of a duplicate group (0x00BBGGRR)"},
      {"DuplicateColor", N, true, 0x0000FF, nullptr, "colour of the other duplicates (0x00BBGGRR)"},
      {"ShowWelcomeScreen", N, true, 1, nullptr, "show the welcome dialog at start"},
      {"ShowToolTips", N, true, 1, nullptr, "show information tooltips"},
      {"OutputPaneVisible", N, false, 0, nullptr, "1 when the output pane was last shown"},
      {"WindowPlacement", T, false, 0, nullptr, "main window placement"},
      {"LXMsgBkgColour", N, true, 0xE9DAD4, nullptr, "background of the rich-text message box"},
      {"MsgBackgroundColor", N, true, 0xFFFFFF, nullptr, "background of the rename outline box"},
      {"NoUpdateCheck", N, true, 0, nullptr, "1 = no automatic update check"},
      {"CurrentVersion", N, false, 0, nullptr, "version marker of the program that last ran"},
      {"LastCheckTime", N, true, 0, nullptr, "time of the last update check, seconds since 1970 UTC"},
      {"LastGetVideoDataTime", N, true, 0, nullptr, "time the help-video data file was last fetched"},
      {"LXDataFilePath", T, false, 0, nullptr, "folder of the help-video data and cache files"},
      // Endpoints of the online services: empty until configured.
      {"WebSiteUrl", T, true, 0, "", "web site; product, donation and help-video paths are appended to it"},
      {"UpdateCheckUrl", T, true, 0, "", "URL of the version file"},
      {"SmtpServer", T, true, 0, "", "SMTP server of the feedback mail"},
      {"SmtpPort", N, true, 465, nullptr, "SMTP port; 0 for the mail service's port"},
      {"SmtpSecurity", N, true, 2, nullptr, "0 none, 1 STARTTLS, 2 SSL/TLS from the start"},
      {"FeedbackMailbox", T, true, 0, "", "mailbox that receives feedback and help-video requests"},
      {"SmtpVerifyPeer", N, true, 1, nullptr, "1 verify the SMTP server's certificate and host name"},
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
