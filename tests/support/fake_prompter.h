// A scripted stand-in for message boxes and questions: records every message and
// answers from queues (No, Cancel and cancelled text entry when a queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/prompter.h"

class FakePrompter : public Prompter {
 public:
  struct Shown {
    std::string kind;  // "notify", "yesno", "yesnocancel", "text", "buttons", "rows"
    std::string caption;
    std::string text;
    PromptIcon icon = PromptIcon::Information;
    bool default_no = false;
  };

  std::vector<Shown> shown;
  std::deque<PromptAnswer> answers;
  std::deque<std::optional<std::string>> texts;
  std::deque<std::optional<std::size_t>> rows;  // list dialog answers; empty: cancelled
  std::vector<std::string> last_rows;           // the rows of the last list dialog

  void Notify(const std::string& caption, const std::string& text, PromptIcon icon) override {
    shown.push_back({"notify", caption, text, icon, false});
  }
  bool AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                bool default_no) override {
    shown.push_back({"yesno", caption, text, icon, default_no});
    return Pop(answers, PromptAnswer::No) == PromptAnswer::Yes;
  }
  PromptAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override {
    shown.push_back({"yesnocancel", caption, text, PromptIcon::Question, false});
    return Pop(answers, PromptAnswer::Cancel);
  }
  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
    shown.push_back({"text", caption, prompt + "|" + initial, PromptIcon::Question, false});
    return Pop(texts, {});
  }

  bool AskTwoButtons(const std::string& caption, const std::string& text, PromptIcon icon,
                     const std::string& first_label, const std::string& second_label,
                     bool default_second) override {
    shown.push_back(
        {"buttons", caption, text + "|" + first_label + "|" + second_label, icon, default_second});
    return Pop(answers, PromptAnswer::No) == PromptAnswer::Yes;
  }
  std::optional<std::size_t> ChooseRow(const std::string& title, const std::string& header,
                                       const std::vector<std::string>& list,
                                       const std::string&) override {
    shown.push_back({"rows", title, header, PromptIcon::Question, false});
    last_rows = list;
    return Pop(rows, {});
  }

  const Shown& last() const { return shown.back(); }

 private:
  // The next scripted answer, or `when_empty` once the script has run out.
  template <class T>
  static T Pop(std::deque<T>& queue, T when_empty) {
    if (queue.empty()) return when_empty;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
};
