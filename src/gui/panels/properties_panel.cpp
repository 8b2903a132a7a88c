// Properties panel: shows the core's description of the selection and turns each
// control's event into one core call followed by the main window's refresh.
#include "gui/panels/properties_panel.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "edit/grades.h"
#include "edit/shape_edits.h"
#include "gui/app/translations.h"
#include "gui/frame/main_frame.h"
#include "gui/panels/tally_box.h"
#include "gui/wx_text.h"

PropertiesPanel::PropertiesPanel(wxWindow* parent, MainFrame& frame)
    : wxPanel(parent), frame_(frame) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(BuildLabelBox(), 0, wxALL | wxEXPAND, 6);
  sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 6);
  sizer->Add(BuildSelectionRows(), 0, wxALL | wxEXPAND, 6);
  sizer->Add(new wxStaticLine(this), 0, wxLEFT | wxRIGHT | wxEXPAND, 6);
  sizer->Add(BuildGradePanel(), 0, wxALL | wxEXPAND, 6);
  tally_ = new TallyBox(this, frame.layout(), frame.prompter());
  sizer->Add(tally_, 1, wxEXPAND);
  SetSizer(sizer);
  Bind(wxEVT_TEXT_ENTER, &PropertiesPanel::OnAddLabel, this, kLabelField);
  Bind(wxEVT_BUTTON, &PropertiesPanel::OnAddLabel, this, kLabelButton);
  Bind(wxEVT_CHOICE, &PropertiesPanel::OnLevel, this, kLevelChoice);
  Bind(wxEVT_BUTTON, &PropertiesPanel::OnApplyColor, this, kColorApply);
  Bind(wxEVT_TEXT_ENTER, &PropertiesPanel::OnHeight, this, kHeightField);
  Bind(wxEVT_BUTTON, &PropertiesPanel::OnGradeButton, this, kStartGrade);
  Bind(wxEVT_BUTTON, &PropertiesPanel::OnGradeButton, this, kEndGrade);
  Bind(wxEVT_BUTTON, &PropertiesPanel::OnGradeButton, this, kRecalc);
  Rebuild();
}

wxSizer* PropertiesPanel::BuildLabelBox() {
  auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Add Label"));
  label_field_ = new wxTextCtrl(box->GetStaticBox(), kLabelField, "", wxDefaultPosition,
                                wxDefaultSize, wxTE_PROCESS_ENTER);
  box->Add(label_field_, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
  // Pasted tabs and line breaks show as the blanks the label will hold.
  label_field_->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
    const std::string text = FromWx(label_field_->GetValue());
    const std::string clean = BlankControls(text);
    if (clean != text) label_field_->ChangeValue(ToWx(clean));
    e.Skip();
  });
  box->Add(new wxButton(box->GetStaticBox(), kLabelButton, _("Add"), wxDefaultPosition,
                        wxDefaultSize, wxBU_EXACTFIT),
           0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
  return box;
}

wxSizer* PropertiesPanel::BuildSelectionRows() {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  title_ = new wxStaticText(this, wxID_ANY, _("No selection"), wxDefaultPosition, wxDefaultSize,
                            wxST_ELLIPSIZE_END);
  title_->SetFont(title_->GetFont().Bold());
  details_ = new wxStaticText(this, wxID_ANY, "");
  rows->Add(title_, 0, wxEXPAND | wxBOTTOM, 2);
  rows->Add(details_, 0, wxEXPAND | wxBOTTOM, 6);
  auto* level_row = new wxBoxSizer(wxHORIZONTAL);
  level_row->Add(new wxStaticText(this, wxID_ANY, _("Level:")), 0,
                 wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  level_ = new wxChoice(this, kLevelChoice);
  level_row->Add(level_, 1);
  rows->Add(level_row, 0, wxEXPAND | wxBOTTOM, 6);
  auto* color_box = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Color"));
  color_ = new wxChoice(color_box->GetStaticBox(), kColorChoice);
  for (const ColorChoice& c : kColorChoices) color_->Append(TrWx(c.name));
  color_->SetSelection(0);
  color_apply_ = new wxButton(color_box->GetStaticBox(), kColorApply, _("Apply"), wxDefaultPosition,
                              wxDefaultSize, wxBU_EXACTFIT);
  color_box->Add(color_, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
  color_box->Add(color_apply_, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
  rows->Add(color_box, 0, wxEXPAND);
  return rows;
}

wxWindow* PropertiesPanel::BuildGradePanel() {
  auto* sub = new wxPanel(this);
  auto* box = new wxStaticBoxSizer(wxVERTICAL, sub, _("Set Grade"));
  wxWindow* in = box->GetStaticBox();
  auto* grid = new wxFlexGridSizer(2, 4, 6);
  grid->AddGrowableCol(1);
  height_label_ = new wxStaticText(in, wxID_ANY, _("Height (mm):"));
  height_ =
      new wxTextCtrl(in, kHeightField, "", wxDefaultPosition, wxSize(70, -1), wxTE_PROCESS_ENTER);
  grid->Add(height_label_, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(height_, 1, wxEXPAND);
  grid->Add(new wxStaticText(in, wxID_ANY, _("Grade:")), 0, wxALIGN_TOP);
  auto* values = new wxBoxSizer(wxVERTICAL);
  grade_ = new wxStaticText(in, wxID_ANY, "-");
  rise_ = new wxStaticText(in, wxID_ANY, "");
  warning_ = new wxStaticText(in, wxID_ANY, "");
  warning_->SetForegroundColour(wxColour(200, 40, 40));
  values->Add(grade_);
  values->Add(rise_);
  values->Add(warning_);
  grid->Add(values, 1, wxEXPAND);
  box->Add(grid, 0, wxALL | wxEXPAND, 4);
  box->Add(new wxStaticText(in, wxID_ANY, _("Set height above baseboard.\nMax grade: 6 deg.")), 0,
           wxALL, 4);
  box->Add(new wxStaticLine(in), 0, wxEXPAND | wxALL, 4);
  auto* angle_row = new wxBoxSizer(wxHORIZONTAL);
  direction_ = new wxButton(in, wxID_ANY, _("DOWN"), wxDefaultPosition, wxSize(64, -1));
  direction_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SetDown(!down_); });
  // Its own best size: a fixed width hid the "+" button under GTK.
  angle_ = new wxSpinCtrlDouble(in, wxID_ANY, "0.0", wxDefaultPosition, wxDefaultSize,
                                wxSP_ARROW_KEYS, 0.0, kMaxGradeDeg, 0.0, 0.5);
  angle_->SetDigits(1);
  angle_->SetMinSize(angle_->GetBestSize());
  angle_row->Add(direction_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  angle_row->Add(angle_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  angle_row->Add(new wxStaticText(in, wxID_ANY, _("deg")), 0, wxALIGN_CENTER_VERTICAL);
  box->Add(angle_row, 0, wxALL | wxEXPAND, 4);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  const std::pair<int, const char*> labels[] = {{kStartGrade, wxTRANSLATE("Start Grade")},
                                                {kEndGrade, wxTRANSLATE("End Grade")},
                                                {kRecalc, wxTRANSLATE("Recalc")}};
  for (std::size_t i = 0; i < 3; ++i) {
    auto* b = new wxButton(in, labels[i].first, wxGetTranslation(labels[i].second),
                           wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    buttons->Add(b, 1, wxRIGHT, 2);
    grade_buttons_[i] = b;
  }
  grade_buttons_[2]->SetToolTip(_("Recalculate elevation chain from this piece forward"));
  box->Add(buttons, 0, wxALL | wxEXPAND, 4);
  sub->SetSizer(box);
  // Command events of the sub-panel's controls rise to this panel's handlers.
  return sub;
}

void PropertiesPanel::SetDown(bool down) {
  down_ = down;
  direction_->SetLabel(down ? _("DOWN") : _("UP"));
}

void PropertiesPanel::Rebuild() {
  view_ = DescribeSelection(frame_.layout());
  const PropertiesView& v = view_;
  title_->SetLabel(TrWx(v.title));
  details_->SetLabel(ToWx(v.details));
  details_->Wrap(std::max(GetClientSize().x - 12, 120));
  level_->Clear();
  for (const LevelEntry& e : v.levels) level_->Append(ToWx(e.name));
  level_->SetSelection(v.level_index);
  level_->Enable(v.level_enabled);
  color_->SetSelection(v.color_enabled ? v.color_index : 0);
  color_->Enable(v.color_enabled);
  color_apply_->Enable(v.color_enabled);
  height_label_->SetLabel(TrWx(v.height_label));
  height_->ChangeValue(ToWx(v.height_text));
  height_->Enable(v.height_enabled);
  grade_->SetLabel(ToWx(v.grade_text));
  rise_->SetLabel(ToWx(v.rise_text));
  warning_->SetLabel(TrWx(v.warning));
  // Beside the "Grade:" caption: wrapped, it is read whole at any panel width.
  warning_->Wrap(std::max(GetClientSize().x - 100, 80));
  if (v.shown.kind == ShownKind::Piece) angle_->SetValue(v.angle);
  if (v.down) SetDown(*v.down);
  direction_->Enable(v.grade_enabled);
  angle_->Enable(v.grade_enabled);
  for (wxWindow* b : grade_buttons_) b->Enable(v.grade_enabled);
  Layout();
}

void PropertiesPanel::OnAddLabel(wxCommandEvent&) {
  CanvasPanel* canvas = frame_.canvas();
  const CanvasEffects fx = canvas->controller().AddLabel(FromWx(label_field_->GetValue()));
  if (!fx.modified) return;
  label_field_->Clear();
  canvas->Apply(fx);
}

void PropertiesPanel::OnLevel(wxCommandEvent&) {
  const int i = level_->GetSelection();
  if (i < 0 || i >= static_cast<int>(view_.levels.size())) return;
  ApplyLevelChoice(frame_.document(), view_.shown, view_.levels[static_cast<std::size_t>(i)].id);
}

void PropertiesPanel::OnApplyColor(wxCommandEvent&) {
  ApplyColor(frame_.document(), color_->GetSelection());
}

void PropertiesPanel::OnHeight(wxCommandEvent&) {
  if (!ApplyHeightText(frame_.document(), view_.shown, FromWx(height_->GetValue())))
    Rebuild();  // a text that is not a height shows the height again
}

void PropertiesPanel::OnGradeButton(wxCommandEvent& e) {
  const int piece = ShownPiece(view_.shown);
  Document& doc = frame_.document();
  const double angle = angle_->GetValue();
  const GradeOutcome r = e.GetId() == kStartGrade ? StartGrade(doc, piece, down_ ? -angle : angle)
                         : e.GetId() == kEndGrade ? EndGrade(doc, piece)
                                                  : RecalculateForward(doc, piece);
  frame_.GradeCommandDone(r);
}
