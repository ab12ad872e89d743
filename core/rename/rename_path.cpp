#include "rename/rename_path.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/log.h"
#include "base/prompts.h"
#include "base/rich_text.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "storage/settings_store.h"

namespace lx {

namespace {

constexpr const char* kInvalidPathCharacters = "\\/:*?\"<>|";

struct TypeTexts {
  const char* command;
  const char* dialog;
  const char* settings;
  const char* outline;
};

constexpr TypeTexts kTypeTexts[] = {
    {"Simple Rename", "Rename Files in Source Directory", "Rename Files in Source Directory",
     "Simple Rename - Files are renamed in the Source Folder"},
    {"Backup Rename", "Copy Files in Backup Directory and Rename them in Source Directory",
     "Copy Files in Backup Directory and Rename them in Source Directory",
     "Backup Rename - Files are backuped in Backup Folder and renamed in the Source Folder"},
    {"Target Rename", "Keep Files Unchanged in Source Directory and Rename them in Target Directory",
     "Keep Files in Source Directory and Rename them in Target Directory",
     "Target Rename - Files are copied and renamed in the Target Folder"},
    {"Rename & Del", "Rename Files in Target Directory and Delete them in Source Directory",
     "Copy and Rename Files in Target Directory and Delete them in Source Directory",
     "Target Rename and Delete - Files are copied and renamed in the Target Folder and Delete in Source Folder"},
};

const TypeTexts* TextsOf(int type) { return type >= 0 && type <= 3 ? &kTypeTexts[type] : nullptr; }

std::string NormalFolder(const std::string& path) {
  std::string result;
  for (const auto& part : Split(path, '/')) {
    if (part.empty() || part == ".") continue;
    result += "/" + part;
  }
  return result.empty() ? "/" : result;
}

}  // namespace

const char* RenameTypeCommandText(int type) { return TextsOf(type) ? TextsOf(type)->command : ""; }
const char* RenameTypeDialogText(int type) { return TextsOf(type) ? TextsOf(type)->dialog : ""; }
const char* RenameTypeSettingsText(int type) { return TextsOf(type) ? TextsOf(type)->settings : ""; }
std::string RenameTypeOutlineText(int type) {
  return TextsOf(type) ? TextsOf(type)->outline : "Error in Rename Type - Please Contact Quorin to Report Problem";
}

void SetDefaultRenamePath(CLorvexandrinEngine& engine, const std::string& sourcePath) {
  std::string source = WithTrailingSlash(sourcePath);
  switch (engine.renameType) {
    case BackupRename:
      engine.renamePath = source + "Backup/";
      break;
    case TargetRename:
      engine.renamePath = source + "Rename/";
      break;
    case TargetRenameDelete:
      engine.renamePath = source + "Target/";
      break;
    default:
      engine.renamePath = source;
      break;
  }
}

bool ChooseRenameType(CLorvexandrinEngine& engine, int type, const std::string& renamePath) {
  if (!TextsOf(type)) return false;
  engine.renameType = type;
  engine.renamePath = renamePath;
  engine.Settings().SetNumber(setting::kRenameType, static_cast<std::uint32_t>(type));
  return true;
}

RenamePathResult ComputeRenamePath(RenamePathRequest& request, Prompts* prompts) {
  if (request.subFolder.find_first_of(kInvalidPathCharacters) != std::string::npos) {
    if (prompts) {
      prompts->Beep();
      prompts->ShowMessage(StrFormat("The following characters are not allowed in %s: %s \n\nInvalid character(s) "
                                     "will be removed now ....",
                                     "Relative Path Entry", kInvalidPathCharacters),
                           kAppTitle);
    }
    std::string cleaned;
    for (char c : request.subFolder)
      if (std::string_view(kInvalidPathCharacters).find(c) == std::string_view::npos) cleaned += c;
    request.subFolder = cleaned;
  }

  RenamePathResult result;
  const bool browsed = !request.browsedPath.empty();
  std::string base = browsed ? WithTrailingSlash(request.browsedPath) : request.sourcePath;
  if (request.type <= SimpleRename || request.type > TargetRenameDelete) {
    result.renamePath = request.sourcePath;
  } else if (!request.subFolder.empty()) {
    result.renamePath = base + request.subFolder + "/";
  } else if (browsed) {
    result.renamePath = base;
  } else {
    result.renamePath = request.sourcePath + (request.type == BackupRename ? "Backup" : "Target") + "/";
  }

  if (request.type == TargetRenameDelete) {
    result.okEnabled = !SameFolder(result.renamePath, request.sourcePath);
    if (!result.okEnabled && prompts) prompts->ShowWarning(kTargetDeleteIntoSourceText, kAppTitle);
  }
  return result;
}

const char* const kTargetDeleteIntoSourceText =
    "Source Path and Target Path are the same !!! Target Renaming with Delete is NOT possible ...";

bool SameFolder(const std::string& a, const std::string& b) {
  if (NormalFolder(a) == NormalFolder(b)) return true;
  // The same folder under two spellings (a link, "..") is the same inode.
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool EnsureRenameDirectory(const std::string& renamePath, Prompts& prompts) {
  if (FolderExists(renamePath)) return true;

  RichTextRequest request;
  request.title = "Quorin Lorvexandrin Directory Creation Request";
  request.buttons = kButtonsOkCancel;
  request.body = "{\\f1\\cb5\\cf5\\b Request to Create Target Directory } " +
                 StrFormat("\\par\\par Directory Path: {\\b %s} ", RtfEscape(renamePath).c_str()) +
                 "\\par \\par {\\f1 \\cb5\\cf5 \\b Target Directory does NOT Exist !!! }" +
                 "\\par \\par {\\f1 \\b Please Confirm that you want to Create the Target Directory } " +
                 "\\par \\par {\\f1 \\b \t \t \t OR } " +
                 "\\par \\par {\\f1 \\b Click 'Cancel' and Select an Existing Directory by clicking on the Ribbon "
                 "Button 'Rename & Del' }}";
  if (prompts.RichTextMessage(request) != kIdOk) return false;

  // A relative path would be created below whatever folder the program runs in.
  if (renamePath.empty() || renamePath.front() != '/') {
    prompts.ShowMessage("The Rename Path parameter was set to a relative path...", kAppTitle);
    return false;
  }
  int error = CreateFolderTree(renamePath);
  if (error == 0 || error == EEXIST) return FolderExists(renamePath);
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      prompts.ShowMessage(
          "The system cannot find the path pointed to by the Rename Path. The path may contain an "
          "invalid entry...",
          kAppTitle);
      break;
    case ENAMETOOLONG:
      prompts.ShowMessage("The Rename Path is too long...", kAppTitle);
      break;
    default:
      prompts.ShowMessage(
          StrFormat("Unable to Create the Rename Path %s%s", renamePath.c_str(), FormatSystemError(error).c_str()),
          kAppTitle);
      break;
  }
  return false;
}

}  // namespace lx
