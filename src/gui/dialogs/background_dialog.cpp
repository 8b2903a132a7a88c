// The background picture dialog.
#include "gui/dialogs/background_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cmath>
#include <filesystem>

#include "gui/wx_text.h"

BackgroundDialog::BackgroundDialog(wxWindow* parent, const std::optional<BackgroundImage>& current)
    : wxDialog(parent, wxID_ANY, _("Background Image")),
      start_(current.value_or(BackgroundImage{})) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* file_row = new wxBoxSizer(wxHORIZONTAL);
  file_row->Add(new wxStaticText(this, wxID_ANY, _("Picture:")), 0,
                wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  path_ = new wxTextCtrl(this, wxID_ANY, ToWx(start_.path), wxDefaultPosition, wxSize(320, -1),
                         wxTE_READONLY);
  file_row->Add(path_, 1, wxEXPAND | wxRIGHT, 8);
  auto* browse = new wxButton(this, wxID_ANY, _("Browse..."));
  file_row->Add(browse);
  top->Add(file_row, 0, wxEXPAND | wxALL, 8);

  auto* opacity_row = new wxBoxSizer(wxHORIZONTAL);
  opacity_row->Add(new wxStaticText(this, wxID_ANY, _("Opacity:")), 0,
                   wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  opacity_ = new wxSlider(this, wxID_ANY, static_cast<int>(std::lround(start_.opacity * 100)), 0,
                          100, wxDefaultPosition, wxSize(200, -1), wxSL_HORIZONTAL | wxSL_LABELS);
  opacity_row->Add(opacity_, 1, wxEXPAND);
  top->Add(opacity_row, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

  lock_ = new wxCheckBox(this, wxID_ANY, _("Lock"));
  lock_->SetValue(start_.locked);
  top->Add(lock_, 0, wxALL, 8);
  print_ = new wxCheckBox(this, wxID_ANY, _("Print"));
  print_->SetValue(start_.print);
  top->Add(print_, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);

  top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  scale_ = new wxButton(this, kSetScale, _("Set Scale..."));
  buttons->Add(scale_, 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, kRemove, _("Remove")), 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, _("OK")), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")));
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(top);

  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kSetScale); }, kSetScale);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kRemove); }, kRemove);
  UpdateButtons();
  Centre();
}

BackgroundImage BackgroundDialog::Result() const {
  BackgroundImage b = start_;
  b.path = FromWx(path_->GetValue());
  b.opacity = opacity_->GetValue() / 100.0;
  b.locked = lock_->GetValue();
  b.print = print_->GetValue();
  return b;
}

void BackgroundDialog::OnBrowse() {
  const std::filesystem::path now(FromWx(path_->GetValue()));
  wxFileDialog dlg(
      this, _("Choose a Background Image"), ToWx(now.parent_path().string()),
      ToWx(now.filename().string()),
      _("PNG and JPEG pictures (*.png;*.jpg;*.jpeg)|*.png;*.PNG;*.jpg;*.JPG;*.jpeg;*.JPEG"),
      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dlg.ShowModal() != wxID_OK) return;
  path_->SetValue(dlg.GetPath());
  UpdateButtons();
}

// Set Scale needs a picture (while it is locked the canvas refuses it with a message).
void BackgroundDialog::UpdateButtons() {
  scale_->Enable(!path_->GetValue().empty());
}
