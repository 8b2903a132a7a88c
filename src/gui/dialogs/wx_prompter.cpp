// Modal boxes owned by the main window.
#include "gui/dialogs/wx_prompter.h"

#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include "gui/wx_text.h"

namespace {
long IconStyle(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Warning:
      return wxICON_WARNING;
    case PromptIcon::Error:
      return wxICON_ERROR;
    case PromptIcon::Question:
      return wxICON_QUESTION;
    default:
      return wxICON_INFORMATION;
  }
}
}  // namespace

void WxPrompter::Notify(const std::string& caption, const std::string& text, PromptIcon icon) {
  wxMessageBox(ToWx(text), ToWx(caption), wxOK | IconStyle(icon), parent_);
}

bool WxPrompter::AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                          bool default_no) {
  const long style = wxYES_NO | IconStyle(icon) | (default_no ? wxNO_DEFAULT : 0);
  return wxMessageBox(ToWx(text), ToWx(caption), style, parent_) == wxYES;
}

PromptAnswer WxPrompter::AskYesNoCancel(const std::string& caption, const std::string& text) {
  switch (wxMessageBox(ToWx(text), ToWx(caption), wxYES_NO | wxCANCEL | wxICON_QUESTION, parent_)) {
    case wxYES:
      return PromptAnswer::Yes;
    case wxNO:
      return PromptAnswer::No;
    default:
      return PromptAnswer::Cancel;
  }
}

std::optional<std::string> WxPrompter::AskText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial) {
  wxTextEntryDialog dlg(parent_, ToWx(prompt), ToWx(caption), ToWx(initial));
  if (dlg.ShowModal() != wxID_OK) return std::nullopt;
  return FromWx(dlg.GetValue());
}
