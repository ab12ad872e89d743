// Removal of the characters a file name cannot hold, with the user's warning.
#include "masks/name_cleaning.h"

#include "base/prompts.h"
#include "base/version.h"
#include "platform/text.h"

namespace lx {

const char* const kForbiddenNameCharacters = "\\/:*?\"<>|";

bool RemoveInvalidCharacters(std::string& text, const std::string& forbidden, const std::string& fieldName,
                             Prompts* prompts, size_t* firstPosition) {
  const size_t first = text.find_first_of(forbidden);
  if (first == std::string::npos) return true;
  if (prompts) {
    prompts->Beep();
    prompts->ShowMessage(
        StrFormat("The following characters are not allowed in %s: %s \n\n", fieldName.c_str(), forbidden.c_str()) +
            "Invalid character(s) will be removed now ....",
        kAppTitle);
  }
  // The forbidden characters are ASCII, which never occurs inside a UTF-8
  // multi-byte sequence, so removing bytes keeps every other character whole.
  std::string cleaned;
  cleaned.reserve(text.size());
  for (char c : text)
    if (forbidden.find(c) == std::string::npos) cleaned += c;
  text = std::move(cleaned);
  if (firstPosition) *firstPosition = first;
  return false;
}

}  // namespace lx
