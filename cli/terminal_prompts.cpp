#include "terminal_prompts.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "base/rich_text.h"
#include "platform/text.h"

namespace lx::cli {

TerminalPrompts::TerminalPrompts(PromptAnswers answers, ProgressLine* progress, bool quiet)
    : answers_(std::move(answers)), progress_(progress), quiet_(quiet), interactive_(::isatty(STDIN_FILENO) != 0) {}

void TerminalPrompts::Say(const std::string& text) {
  if (text.empty()) return;
  if (progress_)
    progress_->WriteAbove(text);
  else
    std::cerr << text << std::flush;
}

std::optional<std::string> TerminalPrompts::AskLine(const std::string& question) {
  if (!interactive_) return std::nullopt;
  // The answer is typed on the question's line: no progress line below it.
  if (progress_) progress_->Finish();
  std::cerr << question << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  return line;
}

void TerminalPrompts::Refuse(const std::string& reason) {
  if (refusal_.empty()) refusal_ = reason;
}

bool TerminalPrompts::SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) {
  if (answers_.keyword || answers_.keywordAbbr) {
    choice.keyword = answers_.keyword.value_or(answers_.keywordAbbr.value_or(""));
    choice.abbreviation = answers_.keywordAbbr.value_or(choice.keyword);
    choice.applyToAll = true;
    return true;
  }
  auto keyword = AskLine("Keyword for " + filePath + " (empty line cancels): ");
  if (!keyword) {
    Refuse("The Mask Asks for a Keyword (%K or %KA): Give it with --keyword and --keyword-abbr ...");
    return false;
  }
  if (keyword->empty()) return false;
  auto abbreviation = AskLine("Abbreviated keyword: ");
  auto same = AskLine("Apply the Same Keyword for All Remaining Pictures? [y/N] ");
  choice.keyword = *keyword;
  choice.abbreviation = abbreviation.value_or(*keyword);
  choice.applyToAll = same && (*same == "y" || *same == "Y");
  (void)applyToAll;
  return true;
}

bool TerminalPrompts::TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) {
  if (answers_.text) {
    choice.text = *answers_.text;
    choice.applyToAll = true;
    return true;
  }
  auto text = AskLine("Text for " + filePath + " (empty line cancels): ");
  if (!text) {
    Refuse("The Mask Asks for a Typed Text (%KI): Give it with --text ...");
    return false;
  }
  if (text->empty()) return false;
  auto same = AskLine("Apply the Same Keyboard Entry for All Remaining Pictures? [y/N] ");
  choice.text = *text;
  choice.applyToAll = same && (*same == "y" || *same == "Y");
  (void)applyToAll;
  return true;
}

int TerminalPrompts::RichTextMessage(const RichTextRequest& request) {
  const bool question = request.buttons == kButtonsOkCancel || request.buttons == kButtonsYesNo;
  // A question that --yes answers is only a notice: --quiet leaves it unsaid.
  if (!(quiet_ && question && answers_.yes)) {
    std::string text = RtfToPlainText(request.body);
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (!request.url.empty()) text += "URL for Additional Informations: " + request.url + '\n';
    Say(text);
  }
  if (!question) return kIdOk;
  if (answers_.yes) return kIdOk;
  auto answer = AskLine(request.buttons == kButtonsYesNo ? "Yes or No? [y/N] " : "Ok or Cancel? [y/N] ");
  if (!answer) {
    Refuse("Confirmation Needed (" + request.title + "): Give --yes to Confirm ...");
    return kIdCancel;
  }
  return (*answer == "y" || *answer == "Y" || EqualsNoCaseAscii(*answer, "yes") || EqualsNoCaseAscii(*answer, "ok"))
             ? kIdOk
             : kIdCancel;
}

void TerminalPrompts::ShowRenameOutline(const std::string& rtfBody) {
  if (!quiet_) Say(RtfToPlainText(rtfBody));
}

void TerminalPrompts::ShowMessage(const std::string& text, const std::string& caption) { Say(text + '\n'); }

void TerminalPrompts::ShowWarning(const std::string& text, const std::string& caption) { Say(text + '\n'); }

void TerminalPrompts::Beep() {
  if (::isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
}

}  // namespace lx::cli
