// Message boxes and text-entry dialogs for the core's questions.
#pragma once

#include "app/prompter.h"

class wxWindow;

class WxPrompter : public Prompter {
 public:
  explicit WxPrompter(wxWindow* parent) : parent_(parent) {}
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

 private:
  wxWindow* parent_;
};
