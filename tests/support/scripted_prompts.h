// Prompts with answers given by the test, recording every question asked.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/prompts.h"

namespace lx::test {

class ScriptedPrompts : public Prompts {
 public:
  // Answers are used in order; when a queue is empty the question counts as cancelled.
  std::deque<KeywordChoice> keywordAnswers;
  std::deque<TypedTextChoice> textAnswers;
  std::deque<int> richTextAnswers;  // kIdOk / kIdCancel; empty queue answers kIdOk

  // What was asked.
  std::vector<std::string> keywordQuestions;  // file paths
  std::vector<std::string> textQuestions;     // file paths
  std::vector<RichTextRequest> richTextRequests;
  std::vector<std::string> outlines;
  std::vector<std::string> messages;  // plain and warning boxes
  int beeps = 0;

  bool SelectKeyword(const std::string& filePath, bool applyToAll, KeywordChoice& choice) override;
  bool TypeKeyboardEntry(const std::string& filePath, bool applyToAll, TypedTextChoice& choice) override;
  int RichTextMessage(const RichTextRequest& request) override;
  void ShowRenameOutline(const std::string& rtfBody) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void ShowWarning(const std::string& text, const std::string& caption) override;
  void Beep() override;
};

}  // namespace lx::test
