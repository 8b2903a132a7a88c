// The baseboard shape dialog: the shape choice, the fields panel rebuilt on every change
// of shape, Apply and Cancel.
#include "gui/dialogs/layout_shape_dialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/wx_text.h"
#include "model/units.h"

LayoutShapeDialog::LayoutShapeDialog(wxWindow* parent, ::Layout& layout, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, _("Layout Baseboard"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      layout_(layout),
      prompter_(prompter),
      initial_custom_(InitialCustomText(layout.baseboard, layout.units)) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, _("Shape:")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  choice_ = new wxChoice(this, wxID_ANY);
  for (int i = 0; i < kBoardShapeCount; ++i) choice_->Append(BoardShape(i).name);
  choice_->SetSelection(InitialBoardShape(layout));
  row->Add(choice_, 1, wxEXPAND);
  top->Add(row, 0, wxEXPAND | wxALL, 8);
  top->Add(new wxStaticText(this, wxID_ANY,
                            wxString::Format(_("All dimensions in %s."),
                                             Units::Of(layout.units).abbreviation())),
           0, wxLEFT | wxRIGHT, 8);
  fields_ = new wxPanel(this);
  top->Add(fields_, 1, wxEXPAND | wxALL, 8);
  top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, _("Apply")), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")));
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizer(top);
  BuildFields();
  choice_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { BuildFields(); });
  Bind(wxEVT_BUTTON, &LayoutShapeDialog::OnApply, this, wxID_OK);
  Fit();
  SetSize(420, GetSize().y);
  Centre();
}

void LayoutShapeDialog::BuildFields() {
  fields_->DestroyChildren();
  spins_ = {};
  custom_ = nullptr;
  const int shape = choice_->GetSelection();
  const BoardShapeInfo& info = BoardShape(shape);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* description = new wxStaticText(fields_, wxID_ANY, info.description);
  description->Wrap(390);  // the dialog is 420 pixels wide
  sizer->Add(description, 0, wxBOTTOM, 8);
  const BoardValues values = InitialBoardValues(layout_, shape);
  const Units units = Units::Of(layout_.units);
  for (int i = 0; i < info.fields; ++i) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* label = new wxStaticText(fields_, wxID_ANY, info.labels[static_cast<std::size_t>(i)]);
    label->SetMinSize(wxSize(160, -1));
    row->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    auto* spin = new wxSpinCtrlDouble(fields_, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                      wxDefaultSize, wxSP_ARROW_KEYS, kBoardMinSize, kBoardMaxSize,
                                      values.shown[static_cast<std::size_t>(i)],
                                      units.code() == Units::kMillimetres ? 1.0 : 0.1);
    spin->SetDigits(static_cast<unsigned>(units.decimals()));
    spins_[static_cast<std::size_t>(i)] = spin;
    row->Add(spin, 0, wxLEFT | wxRIGHT, 4);
    row->Add(new wxStaticText(fields_, wxID_ANY, Units::Of(layout_.units).abbreviation()), 0,
             wxALIGN_CENTER_VERTICAL);
    sizer->Add(row, 0, wxBOTTOM, 4);
  }
  if (shape == kBoardCustom) {
    custom_ = new wxTextCtrl(fields_, wxID_ANY, ToWx(initial_custom_), wxDefaultPosition,
                             wxSize(-1, 160), wxTE_MULTILINE | wxTE_DONTWRAP);
    sizer->Add(custom_, 1, wxEXPAND);
  }
  fields_->SetSizer(sizer, true);
  fields_->Layout();
  ::wxDialog::Layout();
  Fit();
  SetSize(420, GetSize().y);
}

void LayoutShapeDialog::OnApply(wxCommandEvent&) {
  BaseboardInput in;
  in.shape = choice_->GetSelection();
  in.initial = InitialBoardValues(layout_, in.shape);
  in.values = in.initial.shown;
  for (std::size_t i = 0; i < spins_.size(); ++i)
    if (spins_[i]) in.values[i] = spins_[i]->GetValue();
  in.initial_custom_text = initial_custom_;
  in.initial_baseboard = layout_.baseboard;
  in.custom_text = custom_ ? FromWx(custom_->GetValue()) : initial_custom_;
  result_ = ApplyBaseboardDialog(layout_, in, prompter_);
  if (result_.accepted) EndModal(wxID_OK);
}
