// Questions and messages to the user, behind one small interface so that the core
// can ask them and tests can answer them.
#pragma once

#include <optional>
#include <string>

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
};
