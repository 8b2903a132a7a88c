// The questions and messages of `vantrel-tool edit`: each is printed as one line, and
// questions are answered from the command line (or by their default button).
#pragma once

#include <optional>
#include <string>

#include "app/prompter.h"

class ScriptedPrompter : public Prompter {
 public:
  // `answer`: the answer to every yes/no question; unset takes the default button.
  // `row`: the 1-based row chosen in every list dialog; unset cancels it.
  ScriptedPrompter(std::optional<bool> answer, std::optional<int> row)
      : answer_(answer), row_(row) {}

  void Notify(const std::string& caption, const std::string& text, PromptIcon icon) override;
  bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                bool default_no) override;
  PromptAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override;
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
  bool AskTwoButtons(const std::string& caption, const std::string& text, PromptIcon icon,
                     const std::string& first_label, const std::string& second_label,
                     bool default_second) override;
  std::optional<std::size_t> ChooseRow(const std::string& title, const std::string& header,
                                       const std::vector<std::string>& rows,
                                       const std::string& ok_label) override;

  // A message box was shown.
  bool notified() const { return notified_; }

 private:
  std::optional<bool> answer_;
  std::optional<int> row_;
  bool notified_ = false;
};

// One output line: line breaks become "\n" so that every message stays on its line.
std::string OneLine(const std::string& text);
