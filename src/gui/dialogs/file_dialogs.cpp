// The Open, Import and Export dialogs: widgets, enabling rules and folder choosers.
#include "gui/dialogs/file_dialogs.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/filefn.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "gui/wx_text.h"
#include "model/text.h"

namespace {

constexpr long kResizable = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER;

// "Import"/"Export" (OK) and "Cancel" at the right of a row.
wxSizer* OkCancelRow(wxDialog* dialog, const wxString& ok_label, wxButton*& ok) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->AddStretchSpacer(1);
  ok = new wxButton(dialog, wxID_OK, ok_label);
  ok->SetDefault();
  row->Add(ok, 0, wxRIGHT, 6);
  row->Add(new wxButton(dialog, wxID_CANCEL, _("Cancel")));
  return row;
}

// A folder chooser starting at the folder named in `field`, writing the choice back.
void BrowseInto(wxWindow* parent, wxTextCtrl* field, const wxString& title) {
  wxDirDialog dlg(parent, title, field->GetValue().Strip(wxString::both),
                  wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dlg.ShowModal() == wxID_OK) field->SetValue(dlg.GetPath());
}

// A list that gets the focus as its dialog appears selects its first row by itself;
// nothing should be chosen before the user chooses.
void StartWithoutListFocus(wxWindow* other) {
  other->SetFocus();
}

wxString Selected(const wxListBox* list) {
  return list->GetSelection() == wxNOT_FOUND ? wxString() : list->GetString(list->GetSelection());
}

}  // namespace

wxString DefaultTransferFolder() {
  const wxStandardPaths& sp = wxStandardPaths::Get();
  for (const wxString& dir : {sp.GetDocumentsDir(), sp.GetUserDir(wxStandardPaths::Dir_Downloads)})
    if (!dir.empty() && wxDirExists(dir)) return dir;
  return wxGetHomeDir();
}

// ---- Open ---------------------------------------------------------------------

OpenLayoutDialog::OpenLayoutDialog(wxWindow* parent, FileCommands& files, OpenList& list)
    : wxDialog(parent, wxID_ANY, _("Open Layout"), wxDefaultPosition, wxSize(320, 420), kResizable),
      files_(files),
      entries_(list) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  list_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
  for (const std::string& name : entries_.names) list_->Append(ToWx(name));
  sizer->Add(list_, 1, wxEXPAND | wxALL, 8);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  delete_ = new wxButton(this, wxID_ANY, _("Delete..."));
  row->Add(delete_);
  row->AddStretchSpacer(1);
  open_ = new wxButton(this, wxID_OK, _("Open"));
  open_->SetDefault();
  row->Add(open_, 0, wxRIGHT, 6);
  auto* cancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
  row->Add(cancel);
  sizer->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizer(sizer);
  Layout();
  CentreOnParent();
  StartWithoutListFocus(cancel);
  UpdateButtons();
  list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { UpdateButtons(); });
  list_->Bind(wxEVT_LISTBOX_DCLICK, &OpenLayoutDialog::OnDoubleClick, this);
  delete_->Bind(wxEVT_BUTTON, &OpenLayoutDialog::OnDelete, this);
}

std::string OpenLayoutDialog::Chosen() const {
  return FromWx(Selected(list_));
}

void OpenLayoutDialog::UpdateButtons() {
  const bool selected = list_->GetSelection() != wxNOT_FOUND;
  delete_->Enable(selected);
  open_->Enable(selected);
}

void OpenLayoutDialog::OnDelete(wxCommandEvent&) {
  const int sel = list_->GetSelection();
  if (sel != wxNOT_FOUND && files_.DeleteEntry(entries_, static_cast<std::size_t>(sel))) {
    list_->Delete(static_cast<unsigned>(sel));
    list_->SetSelection(wxNOT_FOUND);  // a second delete needs a deliberate choice
  }
  UpdateButtons();
}

void OpenLayoutDialog::OnDoubleClick(wxCommandEvent&) {
  if (list_->GetSelection() != wxNOT_FOUND && IsModal()) EndModal(wxID_OK);
}

// ---- Import -------------------------------------------------------------------

ImportLayoutDialog::ImportLayoutDialog(wxWindow* parent, const ImportChoice& start)
    : wxDialog(parent, wxID_ANY, _("Import Layout"), wxDefaultPosition, wxSize(480, 440),
               kResizable) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Source folder:")), 0, wxLEFT | wxRIGHT | wxTOP, 8);
  auto* folder_row = new wxBoxSizer(wxHORIZONTAL);
  folder_ = new wxTextCtrl(this, wxID_ANY,
                           start.folder.empty() ? DefaultTransferFolder() : ToWx(start.folder));
  folder_row->Add(folder_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  auto* browse = new wxButton(this, wxID_ANY, _("Browse..."));
  folder_row->Add(browse);
  sizer->Add(folder_row, 0, wxEXPAND | wxALL, 8);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Layout files in this folder:")), 0,
             wxLEFT | wxRIGHT, 8);
  list_ =
      new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(-1, 160), 0, nullptr, wxLB_SINGLE);
  sizer->Add(list_, 1, wxEXPAND | wxALL, 8);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Import as:")), 0, wxLEFT | wxRIGHT, 8);
  name_ = new wxTextCtrl(this, wxID_ANY, ToWx(start.name));
  sizer->Add(name_, 0, wxEXPAND | wxALL, 8);
  sizer->Add(OkCancelRow(this, _("Import"), import_), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizer(sizer);
  Layout();
  CentreOnParent();
  Refill();
  if (!start.file_name.empty()) list_->SetStringSelection(ToWx(start.file_name));
  StartWithoutListFocus(folder_);
  UpdateButton();
  folder_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Refill(); });
  name_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateButton(); });
  browse->Bind(wxEVT_BUTTON, &ImportLayoutDialog::OnBrowse, this);
  list_->Bind(wxEVT_LISTBOX, &ImportLayoutDialog::OnSelect, this);
  list_->Bind(wxEVT_LISTBOX_DCLICK, &ImportLayoutDialog::OnDoubleClick, this);
}

ImportChoice ImportLayoutDialog::Choice() const {
  return {FromWx(folder_->GetValue()), FromWx(Selected(list_)), FromWx(name_->GetValue())};
}

void ImportLayoutDialog::Refill() {
  list_->Clear();
  for (const std::string& file : ImportFileNames(FromWx(folder_->GetValue())))
    list_->Append(ToWx(file));
  UpdateButton();
}

void ImportLayoutDialog::OnBrowse(wxCommandEvent&) {
  BrowseInto(this, folder_, _("Choose folder containing layout file"));
}

void ImportLayoutDialog::OnSelect(wxCommandEvent&) {
  if (name_->GetValue().empty() && list_->GetSelection() != wxNOT_FOUND)
    name_->ChangeValue(ToWx(WithoutExtension(FromWx(Selected(list_)))));
  UpdateButton();
}

void ImportLayoutDialog::OnDoubleClick(wxCommandEvent&) {
  if (import_->IsEnabled() && IsModal()) EndModal(wxID_OK);
}

void ImportLayoutDialog::UpdateButton() {
  import_->Enable(list_->GetSelection() != wxNOT_FOUND && !name_->GetValue().empty());
}

// ---- Export -------------------------------------------------------------------

ExportLayoutDialog::ExportLayoutDialog(wxWindow* parent, const std::vector<std::string>& names,
                                       const ExportChoice& start)
    : wxDialog(parent, wxID_ANY, _("Export Layout"), wxDefaultPosition, wxSize(480, 440),
               kResizable) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new wxStaticText(this, wxID_ANY, _("Choose a layout to export:")), 0,
             wxLEFT | wxRIGHT | wxTOP, 8);
  list_ =
      new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(-1, 160), 0, nullptr, wxLB_SINGLE);
  for (const std::string& name : names) list_->Append(ToWx(name));
  sizer->Add(list_, 1, wxEXPAND | wxALL, 8);
  auto* grid = new wxFlexGridSizer(3, 6, 6);
  grid->AddGrowableCol(1);
  grid->Add(new wxStaticText(this, wxID_ANY, _("Destination:")), 0, wxALIGN_CENTER_VERTICAL);
  folder_ = new wxTextCtrl(this, wxID_ANY,
                           start.folder.empty() ? DefaultTransferFolder() : ToWx(start.folder));
  grid->Add(folder_, 1, wxEXPAND);
  auto* browse = new wxButton(this, wxID_ANY, _("Browse..."));
  grid->Add(browse);
  grid->Add(new wxStaticText(this, wxID_ANY, _("Save as (no extension):")), 0,
            wxALIGN_CENTER_VERTICAL);
  name_ = new wxTextCtrl(this, wxID_ANY, ToWx(start.name));
  grid->Add(name_, 1, wxEXPAND);
  grid->AddSpacer(0);
  sizer->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  sizer->Add(OkCancelRow(this, _("Export"), export_), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizer(sizer);
  Layout();
  CentreOnParent();
  if (!start.entry.empty()) list_->SetStringSelection(ToWx(start.entry));
  StartWithoutListFocus(name_);
  UpdateButton();
  name_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateButton(); });
  browse->Bind(wxEVT_BUTTON, &ExportLayoutDialog::OnBrowse, this);
  list_->Bind(wxEVT_LISTBOX, &ExportLayoutDialog::OnSelect, this);
}

ExportChoice ExportLayoutDialog::Choice() const {
  return {FromWx(Selected(list_)), FromWx(folder_->GetValue()), FromWx(name_->GetValue())};
}

void ExportLayoutDialog::OnBrowse(wxCommandEvent&) {
  BrowseInto(this, folder_, _("Choose destination folder"));
}

void ExportLayoutDialog::OnSelect(wxCommandEvent&) {
  if (list_->GetSelection() != wxNOT_FOUND) name_->ChangeValue(Selected(list_));
  UpdateButton();
}

void ExportLayoutDialog::UpdateButton() {
  export_->Enable(list_->GetSelection() != wxNOT_FOUND && !Trim(FromWx(name_->GetValue())).empty());
}
