// "Shape Properties" and "Resize Scenery": the fields, with the rules in edit/shape_edits.
#include "gui/dialogs/shape_dialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>

#include "catalog/scenery_catalog.h"
#include "edit/shape_edits.h"
#include "gui/wx_text.h"
#include "model/units.h"

namespace {

void AddRow(wxWindow* parent, wxFlexGridSizer* grid, const wxString& label, wxWindow* field) {
  grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(field, 1, wxEXPAND);
}

}  // namespace

bool ShowShapePropertiesDialog(wxWindow* parent, Document& doc, int shape_id) {
  const ::Layout& layout = doc.layout();
  const auto it = std::find_if(layout.shapes.begin(), layout.shapes.end(),
                               [&](const LayoutShape& s) { return s.id == shape_id; });
  if (it == layout.shapes.end()) return false;
  const ShapeProps start = ShapePropsOf(*it, layout.units);
  wxDialog dlg(parent, wxID_ANY, _("Shape Properties"));
  auto* grid = new wxFlexGridSizer(2, 6, 8);
  grid->AddGrowableCol(1);
  auto* name = new wxTextCtrl(&dlg, wxID_ANY, ToWx(start.name));
  // Control characters typed or pasted become blanks as they arrive.
  name->Bind(wxEVT_TEXT, [name](wxCommandEvent&) {
    const std::string text = FromWx(name->GetValue());
    const std::string clean = BlankControls(text);
    if (clean != text) name->ChangeValue(ToWx(clean));
  });
  auto* color =
      new wxColourPickerCtrl(&dlg, wxID_ANY, wxColour(start.color.r, start.color.g, start.color.b));
  auto* opacity = new wxSpinCtrl(&dlg, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxSP_ARROW_KEYS, 0, 100, start.opacity_percent);
  auto* height = new wxSpinCtrlDouble(&dlg, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                      wxDefaultSize, wxSP_ARROW_KEYS, 0, 5000, start.height, 1);
  auto* outline = new wxCheckBox(&dlg, wxID_ANY, _("Show outline"));
  outline->SetValue(start.outline);
  AddRow(&dlg, grid, _("Name:"), name);
  AddRow(&dlg, grid, _("Color:"), color);
  AddRow(&dlg, grid, _("Opacity %:"), opacity);
  AddRow(
      &dlg, grid,
      wxString::Format(_("Height (above level deck, %s):"), Units::Of(layout.units).abbreviation()),
      height);
  grid->AddSpacer(0);
  grid->Add(outline);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 1, wxEXPAND | wxALL, 10);
  top->Add(dlg.CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
  dlg.SetSizerAndFit(top);
  dlg.Centre();
  if (dlg.ShowModal() != wxID_OK) return false;
  ShapeProps props;
  props.name = FromWx(name->GetValue());
  const wxColour c = color->GetColour();
  props.color = {c.Red(), c.Green(), c.Blue()};
  props.opacity_percent = opacity->GetValue();
  props.height = height->GetValue();
  props.outline = outline->GetValue();
  return ApplyShapeProps(doc, shape_id, props);
}

bool ShowResizeSceneryDialog(wxWindow* parent, Document& doc, int item_id) {
  const ::Layout& layout = doc.layout();
  const auto it = std::find_if(layout.scenery.begin(), layout.scenery.end(),
                               [&](const SceneryItem& s) { return s.id == item_id; });
  if (it == layout.scenery.end()) return false;
  const SceneryDef* def = SceneryCatalog::instance().find(it->item);
  const double w = def ? def->width : 0, d = def ? def->depth : 0;
  wxDialog dlg(parent, wxID_ANY, _("Resize Scenery"));
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(
               &dlg, wxID_ANY,
               wxString::Format(_("Catalog size: %.0f x %.0f mm    Current: %.0f x %.0f mm"), w, d,
                                w * it->scalex, d * it->scaley)),
           0, wxALL, 10);
  auto* grid = new wxFlexGridSizer(3, 6, 8);
  auto* sx =
      new wxSpinCtrlDouble(&dlg, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxSP_ARROW_KEYS, kMinSceneryScale, kMaxSceneryScale, it->scalex, 0.05);
  auto* sy =
      new wxSpinCtrlDouble(&dlg, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxSP_ARROW_KEYS, kMinSceneryScale, kMaxSceneryScale, it->scaley, 0.05);
  auto* wmm = new wxStaticText(&dlg, wxID_ANY, wxString::Format(_("(= %.0f mm)"), w * it->scalex));
  auto* dmm = new wxStaticText(&dlg, wxID_ANY, wxString::Format(_("(= %.0f mm)"), d * it->scaley));
  grid->Add(new wxStaticText(&dlg, wxID_ANY, _("Width scale:")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(sx);
  grid->Add(wmm, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxStaticText(&dlg, wxID_ANY, _("Depth scale:")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(sy);
  grid->Add(dmm, 0, wxALIGN_CENTER_VERTICAL);
  top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
  auto* lock = new wxCheckBox(&dlg, wxID_ANY, _("Lock aspect ratio"));
  top->Add(lock, 0, wxALL, 10);
  // With the lock on, a change of one factor scales the other by the same ratio.
  double last_x = it->scalex, last_y = it->scaley;
  auto update = [&, wmm, dmm](bool from_x) {
    if (lock->GetValue()) {
      if (from_x && last_x > 0)
        sy->SetValue(std::clamp(sy->GetValue() * sx->GetValue() / last_x, kMinSceneryScale,
                                kMaxSceneryScale));
      else if (!from_x && last_y > 0)
        sx->SetValue(std::clamp(sx->GetValue() * sy->GetValue() / last_y, kMinSceneryScale,
                                kMaxSceneryScale));
    }
    last_x = sx->GetValue();
    last_y = sy->GetValue();
    wmm->SetLabel(wxString::Format(_("(= %.0f mm)"), w * last_x));
    dmm->SetLabel(wxString::Format(_("(= %.0f mm)"), d * last_y));
  };
  sx->Bind(wxEVT_SPINCTRLDOUBLE, [&](wxSpinDoubleEvent&) { update(true); });
  sy->Bind(wxEVT_SPINCTRLDOUBLE, [&](wxSpinDoubleEvent&) { update(false); });
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  constexpr int kReset = wxID_HIGHEST + 1;
  buttons->Add(new wxButton(&dlg, kReset, _("Reset to Default")), 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(&dlg, wxID_OK, _("OK")), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(&dlg, wxID_CANCEL, _("Cancel")));
  top->Add(buttons, 0, wxEXPAND | wxALL, 8);
  dlg.Bind(
      wxEVT_BUTTON, [&](wxCommandEvent&) { dlg.EndModal(kReset); }, kReset);
  dlg.SetSizerAndFit(top);
  dlg.Centre();
  const int answer = dlg.ShowModal();
  if (answer == kReset) return ResizeScenery(doc, item_id, 1.0, 1.0);
  if (answer != wxID_OK) return false;
  return ResizeScenery(doc, item_id, sx->GetValue(), sy->GetValue());
}
