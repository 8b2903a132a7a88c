#include "gui/dialogs/print_options_dialog.h"

#include <wx/checkbox.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

PrintOptionsDialog::PrintOptionsDialog(wxWindow* parent, const PrintOptions& options)
    : wxDialog(parent, wxID_ANY, _("Print Options")) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  const wxString scalings[] = {_("Fit to page"), _("Actual scale 1 : N"), _("Custom percentage")};
  scaling_ = new wxRadioBox(this, wxID_ANY, _("Scaling"), wxDefaultPosition, wxDefaultSize, 3,
                            scalings, 1, wxRA_SPECIFY_COLS);
  scaling_->SetSelection(static_cast<int>(options.scaling));
  top->Add(scaling_, 0, wxEXPAND | wxALL, 8);

  auto spin_row = [&](const wxString& before, wxSpinCtrl*& spin, int value, const wxString& after,
                      wxStaticText*(&labels)[2]) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    labels[0] = new wxStaticText(this, wxID_ANY, before);
    // Their own best size: a fixed width hid the "+" button under GTK.
    spin = new wxSpinCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                          1000, value);
    labels[1] = new wxStaticText(this, wxID_ANY, after);
    row->Add(labels[0], 0, wxALIGN_CENTER_VERTICAL);
    row->Add(spin, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    row->Add(labels[1], 0, wxALIGN_CENTER_VERTICAL);
    top->Add(row, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);
  };
  spin_row("    1 :", scale_n_, options.scale_n,
           _("  (e.g. 1:10 -- 10 mm on layout = 1 mm on paper)"), n_labels_);
  spin_row(_("    Scale:"), percent_, options.percent, "  %", percent_labels_);

  const wxString levels[] = {_("Active level only"), _("All levels (composite)")};
  levels_ = new wxRadioBox(this, wxID_ANY, _("Levels"), wxDefaultPosition, wxDefaultSize, 2, levels,
                           1, wxRA_SPECIFY_COLS);
  levels_->SetSelection(static_cast<int>(options.levels));
  top->Add(levels_, 0, wxEXPAND | wxALL, 8);
  const wxString colors[] = {_("Color"), _("Grayscale")};
  color_ = new wxRadioBox(this, wxID_ANY, _("Color"), wxDefaultPosition, wxDefaultSize, 2, colors,
                          2, wxRA_SPECIFY_COLS);
  color_->SetSelection(static_cast<int>(options.color));
  top->Add(color_, 0, wxEXPAND | wxALL, 8);
  auto* include = new wxStaticBoxSizer(wxVERTICAL, this, _("Include"));
  grid_ = new wxCheckBox(include->GetStaticBox(), wxID_ANY, _("Grid"));
  grid_->SetValue(options.grid);
  baseboard_ = new wxCheckBox(include->GetStaticBox(), wxID_ANY, _("Baseboard outline"));
  baseboard_->SetValue(options.baseboard);
  include->Add(grid_, 0, wxALL, 4);
  include->Add(baseboard_, 0, wxALL, 4);
  top->Add(include, 0, wxEXPAND | wxALL, 8);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(top);
  Centre();

  scaling_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { UpdateRows(); });
  UpdateRows();
}

void PrintOptionsDialog::UpdateRows() {
  const auto scaling = static_cast<PrintScaling>(scaling_->GetSelection());
  const bool n = scaling == PrintScaling::ActualScale;
  const bool percent = scaling == PrintScaling::Percentage;
  scale_n_->Enable(n);
  for (wxStaticText* t : n_labels_) t->Enable(n);
  percent_->Enable(percent);
  for (wxStaticText* t : percent_labels_) t->Enable(percent);
}

PrintOptions PrintOptionsDialog::Options() const {
  PrintOptions o;
  o.scaling = static_cast<PrintScaling>(scaling_->GetSelection());
  o.scale_n = scale_n_->GetValue();
  o.percent = percent_->GetValue();
  o.levels = static_cast<PrintLevels>(levels_->GetSelection());
  o.color = static_cast<PrintColor>(color_->GetSelection());
  o.grid = grid_->GetValue();
  o.baseboard = baseboard_->GetValue();
  return o;
}
