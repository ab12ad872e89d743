#include "scripted_prompts.h"

namespace lx::test {

bool ScriptedPrompts::SelectKeyword(const std::string& filePath, bool, KeywordChoice& choice) {
  keywordQuestions.push_back(filePath);
  if (keywordAnswers.empty()) return false;
  choice = keywordAnswers.front();
  keywordAnswers.pop_front();
  return true;
}

bool ScriptedPrompts::TypeKeyboardEntry(const std::string& filePath, bool, TypedTextChoice& choice) {
  textQuestions.push_back(filePath);
  if (textAnswers.empty()) return false;
  choice = textAnswers.front();
  textAnswers.pop_front();
  return true;
}

int ScriptedPrompts::RichTextMessage(const RichTextRequest& request) {
  richTextRequests.push_back(request);
  if (richTextAnswers.empty()) return kIdOk;
  int answer = richTextAnswers.front();
  richTextAnswers.pop_front();
  return answer;
}

void ScriptedPrompts::ShowRenameOutline(const std::string& rtfBody) { outlines.push_back(rtfBody); }
void ScriptedPrompts::ShowMessage(const std::string& text, const std::string&) { messages.push_back(text); }
void ScriptedPrompts::ShowWarning(const std::string& text, const std::string&) { messages.push_back(text); }
void ScriptedPrompts::Beep() { ++beeps; }

}  // namespace lx::test
