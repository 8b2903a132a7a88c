// Printed messages and scripted answers for `vantrel-tool edit`.
#include "tools/scripted_prompter.h"

#include "tools/tool_output.h"

std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c != '\r')
      out += c;
  }
  return out;
}

void ScriptedPrompter::Notify(const std::string& caption, const std::string& text, PromptIcon) {
  notified_ = true;
  Print("message: " + OneLine(caption) + ": " + OneLine(text) + "\n");
}

bool ScriptedPrompter::AskYesNo(const std::string& caption, const std::string& text, PromptIcon,
                                bool default_no) {
  const bool yes = answer_.value_or(!default_no);
  Print("question: " + OneLine(caption) + ": " + OneLine(text) + " -> " + (yes ? "yes" : "no") +
        "\n");
  return yes;
}

PromptAnswer ScriptedPrompter::AskYesNoCancel(const std::string& caption, const std::string& text) {
  // Yes is the default button of these questions.
  const bool yes = answer_.value_or(true);
  Print("question: " + OneLine(caption) + ": " + OneLine(text) + " -> " + (yes ? "yes" : "no") +
        "\n");
  return yes ? PromptAnswer::Yes : PromptAnswer::No;
}

std::optional<std::string> ScriptedPrompter::AskText(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string&) {
  Print("question: " + OneLine(caption) + ": " + OneLine(prompt) + " -> cancel\n");
  return std::nullopt;
}
