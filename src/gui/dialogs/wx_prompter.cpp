// Modal boxes owned by the main window.
#include "gui/dialogs/wx_prompter.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textdlg.h>

#include "gui/app/translations.h"
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
  wxMessageBox(TrWx(text), TrWx(caption), wxOK | IconStyle(icon), parent_);
}

bool WxPrompter::AskYesNo(const std::string& caption, const std::string& text, PromptIcon icon,
                          bool default_no) {
  const long style = wxYES_NO | IconStyle(icon) | (default_no ? wxNO_DEFAULT : 0);
  return wxMessageBox(TrWx(text), TrWx(caption), style, parent_) == wxYES;
}

PromptAnswer WxPrompter::AskYesNoCancel(const std::string& caption, const std::string& text) {
  switch (wxMessageBox(TrWx(text), TrWx(caption), wxYES_NO | wxCANCEL | wxICON_QUESTION, parent_)) {
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
  wxTextEntryDialog dlg(parent_, TrWx(prompt), TrWx(caption), ToWx(initial));
  if (dlg.ShowModal() != wxID_OK) return std::nullopt;
  return FromWx(dlg.GetValue());
}

bool WxPrompter::AskTwoButtons(const std::string& caption, const std::string& text, PromptIcon icon,
                               const std::string& first_label, const std::string& second_label,
                               bool default_second) {
  wxMessageDialog dlg(parent_, TrWx(text), TrWx(caption),
                      wxYES_NO | IconStyle(icon) | (default_second ? wxNO_DEFAULT : 0));
  dlg.SetYesNoLabels(TrWx(first_label), TrWx(second_label));
  return dlg.ShowModal() == wxID_YES;
}

std::optional<std::size_t> WxPrompter::ChooseRow(const std::string& title,
                                                 const std::string& header,
                                                 const std::vector<std::string>& rows,
                                                 const std::string& ok_label) {
  wxDialog dlg(parent_, wxID_ANY, TrWx(title), wxDefaultPosition, wxSize(380, 320),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticText(&dlg, wxID_ANY, TrWx(header)), 0, wxALL, 8);
  auto* list =
      new wxListBox(&dlg, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
  for (const std::string& row : rows) list->Append(ToWx(row));
  if (!rows.empty()) list->SetSelection(0);
  sizer->Add(list, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* ok = new wxButton(&dlg, wxID_OK, TrWx(ok_label));
  ok->SetDefault();
  buttons->Add(ok, 0, wxRIGHT, 8);
  buttons->Add(new wxButton(&dlg, wxID_CANCEL, _("Cancel")));
  sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
  dlg.SetSizer(sizer);
  dlg.SetSize(wxSize(380, 320));
  dlg.CentreOnParent();
  list->Bind(wxEVT_LISTBOX_DCLICK, [&dlg](wxCommandEvent&) { dlg.EndModal(wxID_OK); });
  if (dlg.ShowModal() != wxID_OK) return std::nullopt;
  const int chosen = list->GetSelection();
  if (chosen == wxNOT_FOUND || static_cast<std::size_t>(chosen) >= rows.size()) return std::nullopt;
  return static_cast<std::size_t>(chosen);
}
