// The rename path: where backups (type 1) and renamed copies (types 2 and 3)
// go, its defaults, its computation in the rename-path dialog, and the
// creation of a missing folder on the user's confirmation.
#pragma once

#include <optional>
#include <string>

namespace lx {

class CLorvexandrinEngine;
class Prompts;

// Texts of a rename type: ribbon command, rename-path dialog, settings dialog, outline.
// Out-of-range types give empty texts (the outline has its own error text).
const char* RenameTypeCommandText(int type);
const char* RenameTypeDialogText(int type);
const char* RenameTypeSettingsText(int type);
std::string RenameTypeOutlineText(int type);

// A new source folder resets the rename path to the type's default sub-folder.
void SetDefaultRenamePath(CLorvexandrinEngine& engine, const std::string& sourcePath);

// Takes the type and rename path confirmed in the rename-path dialog and
// stores "RenameType" (types outside 0..3 are refused: false, nothing changes).
bool ChooseRenameType(CLorvexandrinEngine& engine, int type, const std::string& renamePath);

// Input and result of the rename-path dialog's computation.
struct RenamePathRequest {
  int type = 0;
  std::string sourcePath;   // with its trailing "/"
  std::string browsedPath;  // the folder chosen with "Browse Rename Path", empty when none
  std::string subFolder;    // "Relative Sub-Directory: "; cleaned of invalid characters in place
};

struct RenamePathResult {
  std::string renamePath;
  bool okEnabled = true;  // false when type 3 would copy into the source folder itself
};

// Removes invalid characters from the sub-folder text (with a beep and a
// message), then computes the rename path. prompts may be null (no message).
RenamePathResult ComputeRenamePath(RenamePathRequest& request, Prompts* prompts);

// The warning of a copy-and-delete into the source folder itself, which
// could delete the very copy just written.
extern const char* const kTargetDeleteIntoSourceText;

// True when both name the same folder (a trailing "/" and "." levels do not matter).
bool SameFolder(const std::string& a, const std::string& b);

// True when the folder exists or was created (all missing levels) after the
// user confirmed the request; false on cancel or when it cannot be created.
bool EnsureRenameDirectory(const std::string& renamePath, Prompts& prompts);

}  // namespace lx
