// Questions and messages to the user, behind one small interface so that the core
// can ask them and tests can answer them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptAnswer { Yes, No, Cancel };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A message box with an OK button.
  virtual void Notify(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
  // Yes and No buttons; true for Yes. `default_no` makes No the default button.
  virtual bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                        bool default_no) = 0;
  // Yes, No and Cancel buttons with the question icon.
  virtual PromptAnswer AskYesNoCancel(const std::string& caption, const std::string& text) = 0;
  // A text-entry dialog with OK and Cancel; nullopt for Cancel.
  virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
  // Two buttons with the given labels; true for the first. `default_second` makes the
  // second button the default.
  virtual bool AskTwoButtons(const std::string& caption, const std::string& text, PromptIcon icon,
                             const std::string& first_label, const std::string& second_label,
                             bool default_second) = 0;
  // A list dialog: `header` above one row per entry (the first selected), an `ok_label`
  // button and Cancel; a double-click on a row acts as the OK button. The chosen row's
  // index, nullopt when cancelled.
  virtual std::optional<std::size_t> ChooseRow(const std::string& title, const std::string& header,
                                               const std::vector<std::string>& rows,
                                               const std::string& ok_label) = 0;
};
