// The CLI's answers to the core's questions: from flags first (--keyword,
// --keyword-abbr, --text, --yes), from the terminal when standard input is
// one, otherwise the question is refused: the run is told "cancel" and the
// command ends with exit status 1 and the reason on standard error.
#pragma once

#include <optional>
#include <string>

#include "base/prompts.h"
#include "progress_line.h"

namespace lx::cli {

struct PromptAnswers {
  std::optional<std::string> keyword;
  std::optional<std::string> keywordAbbr;
  std::optional<std::string> text;
  bool yes = false;
};

class TerminalPrompts : public Prompts {
 public:
  // progress: the progress line that questions and messages are written
  // below; quiet: --quiet, the rename outline and confirmed notices stay unsaid.
  explicit TerminalPrompts(PromptAnswers answers = {}, ProgressLine* progress = nullptr, bool quiet = false);

  bool SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) override;
  bool TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) override;
  int RichTextMessage(const RichTextRequest& request) override;
  void ShowRenameOutline(const std::string& rtfBody) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowWarning(const std::string& text, const std::string& caption) override;
  void Beep() override;

  void SetAnswers(PromptAnswers answers) { answers_ = std::move(answers); }
  // Set when a question had no answer; the command then exits with status 1.
  bool Refused() const { return !refusal_.empty(); }
  const std::string& Refusal() const { return refusal_; }
  bool Interactive() const { return interactive_; }

 private:
  std::optional<std::string> AskLine(const std::string& question);
  void Say(const std::string& text);
  void Refuse(const std::string& reason);

  PromptAnswers answers_;
  ProgressLine* progress_;
  bool quiet_;
  bool interactive_;
  std::string refusal_;
};

}  // namespace lx::cli
