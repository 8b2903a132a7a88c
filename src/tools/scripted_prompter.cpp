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

bool ScriptedPrompter::AskTwoButtons(const std::string& caption, const std::string& text,
                                     PromptIcon, const std::string& first_label,
                                     const std::string& second_label, bool default_second) {
  const bool first = answer_.value_or(!default_second);
  // The answer as --answer takes it, then the button it stands for ("&&" is a plain "&").
  std::string label = OneLine(first ? first_label : second_label);
  for (std::size_t at = label.find("&&"); at != std::string::npos; at = label.find("&&", at + 1))
    label.erase(at, 1);
  Print("question: " + OneLine(caption) + ": " + OneLine(text) + " -> " + (first ? "yes" : "no") +
        " (" + label + ")\n");
  return first;
}

std::optional<std::size_t> ScriptedPrompter::ChooseRow(const std::string& title,
                                                       const std::string& header,
                                                       const std::vector<std::string>& rows,
                                                       const std::string&) {
  Print("dialog: " + OneLine(title) + ": " + OneLine(header) + "\n");
  for (std::size_t i = 0; i < rows.size(); ++i)
    Print("row " + std::to_string(i + 1) + ": " + OneLine(rows[i]) + "\n");
  if (!row_ || static_cast<std::size_t>(*row_) > rows.size()) return std::nullopt;
  return static_cast<std::size_t>(*row_ - 1);
}
