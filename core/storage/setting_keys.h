// The names of the stored values as typed constants: a number is read and
// written as a number, a text as a text, and a misspelt name does not compile.
// The catalogue (settings_catalogue.cpp) gives each its default and meaning.
#pragma once

namespace lx {

struct NumberSetting {
  const char* name;
};
struct TextSetting {
  const char* name;
};

namespace setting {
inline constexpr TextSetting kLXDbPath{"LXDbPath"};
inline constexpr NumberSetting kRenameType{"RenameType"};
inline constexpr NumberSetting kPictureCounter{"PictureCounter"};
inline constexpr TextSetting kSourcePath{"SourcePath"};
inline constexpr TextSetting kRenamePath{"RenamePath"};
inline constexpr TextSetting kSuffixMask{"SuffixMask"};
inline constexpr NumberSetting kShowRenameOutline{"ShowRenameOutline"};
inline constexpr NumberSetting kDeleteToTrash{"DeleteToTrash"};
inline constexpr TextSetting kSelectionMask{"SelectionMask"};
inline constexpr TextSetting kRenamingMask{"RenamingMask"};
inline constexpr TextSetting kDuplicateSuffix{"DuplicateSuffix"};
inline constexpr NumberSetting kDuplicateFiles{"DuplicateFiles"};
inline constexpr NumberSetting kFilePathDisplayType{"FilePathDisplayType"};
inline constexpr NumberSetting kThumbNailDisplayType{"ThumbNailDisplayType"};
inline constexpr NumberSetting kFileTimeChange{"FileTimeChange"};
inline constexpr NumberSetting kListedFileColor{"ListedFileColor"};
inline constexpr NumberSetting kRenamedFileColor{"RenamedFileColor"};
inline constexpr NumberSetting kSelectedTimeColor{"SelectedTimeColor"};
inline constexpr NumberSetting kDuplicateRootColor{"DuplicateRootColor"};
inline constexpr NumberSetting kDuplicateColor{"DuplicateColor"};
inline constexpr NumberSetting kShowWelcomeScreen{"ShowWelcomeScreen"};
inline constexpr NumberSetting kShowToolTips{"ShowToolTips"};
inline constexpr NumberSetting kOutputPaneVisible{"OutputPaneVisible"};
inline constexpr TextSetting kWindowPlacement{"WindowPlacement"};
inline constexpr NumberSetting kLXMsgBkgColour{"LXMsgBkgColour"};
inline constexpr NumberSetting kMsgBackgroundColor{"MsgBackgroundColor"};
inline constexpr NumberSetting kNoUpdateCheck{"NoUpdateCheck"};
inline constexpr NumberSetting kCurrentVersion{"CurrentVersion"};
inline constexpr NumberSetting kLastCheckTime{"LastCheckTime"};
inline constexpr NumberSetting kLastGetVideoDataTime{"LastGetVideoDataTime"};
inline constexpr TextSetting kLXDataFilePath{"LXDataFilePath"};
inline constexpr TextSetting kWebSiteUrl{"WebSiteUrl"};
inline constexpr TextSetting kUpdateCheckUrl{"UpdateCheckUrl"};
inline constexpr TextSetting kSmtpServer{"SmtpServer"};
inline constexpr NumberSetting kSmtpPort{"SmtpPort"};
inline constexpr NumberSetting kSmtpSecurity{"SmtpSecurity"};
inline constexpr TextSetting kFeedbackMailbox{"FeedbackMailbox"};
inline constexpr NumberSetting kSmtpVerifyPeer{"SmtpVerifyPeer"};
inline constexpr NumberSetting kFileDateSource{"FileDateSource"};
}  // namespace setting

}  // namespace lx
