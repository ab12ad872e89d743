// The seam through which the core asks the user something in the middle of
// its work: choose a keyword, type a text, confirm a request, read a message.
// The desktop program answers with dialogs, the CLI with flags or a terminal
// prompt, tests with scripted answers.
#pragma once

#include <string>

namespace lx {

// Dialog results, as the message boxes return them.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// Button sets of the rich-text message box.
constexpr int kButtonsOkCancel = 1;
constexpr int kButtonsYesNo = 4;
constexpr int kButtonsOk = 0;

struct KeywordChoice {
  int keywordId = 0;
  std::string keyword;
  std::string abbreviation;
  bool applyToAll = false;  // "Apply the Same Keyword for All Remaining Pictures"
};

struct TypedTextChoice {
  std::string text;
  bool applyToAll = false;  // "Apply the Same Keyboard Entry for All Remaining Pictures"
};

struct RichTextRequest {
  std::string body;   // RTF fragment; see rich_text.h
  std::string title;  // appended to the window title
  std::string url;    // shown under "URL for Additional Informations: "
  int urlFlag = 0;    // 0 with an empty URL hides the URL line
  int buttons = kButtonsOk;
};

class Prompts {
 public:
  virtual ~Prompts() = default;

  // %K / %KA: pick a keyword for the file. False means cancel.
  virtual bool SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) = 0;
  // %KI: type a text for the file. False means cancel.
  virtual bool TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) = 0;
  // A request or report in the rich-text message box; returns kIdOk (also for "Yes") or kIdCancel.
  virtual int RichTextMessage(const RichTextRequest& request) = 0;
  // The outline of a rename run (RTF body).
  virtual void ShowRenameOutline(const std::string& rtfBody) = 0;
  // A plain message box and a warning box.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
  virtual void Beep() = 0;
};

}  // namespace lx
