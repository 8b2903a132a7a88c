#include "gui/dialogs/level_dialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>

#include "gui/app/translations.h"
#include "gui/wx_text.h"
#include "model/layout_ops.h"
#include "model/translate.h"

LevelManagerDialog::LevelManagerDialog(wxWindow* parent, Document& doc, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, _("Manage Levels"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      doc_(doc),
      layout_(doc.layout()),
      prompter_(prompter) {
  EnsureDefaultLevel(doc_.layout());
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY,
                            _("Check to show a level.  Double-click a row to edit its properties\n"
                              "(name, height, and track color).  Single-click sets the active "
                              "level\nfor new pieces.")),
           0, wxALL, 8);
  list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(420, 200),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  list_->EnableCheckBoxes();
  list_->AppendColumn(_("Level Name"), wxLIST_FORMAT_LEFT, 200);
  list_->AppendColumn(_("Height"), wxLIST_FORMAT_RIGHT, 90);
  list_->AppendColumn(_("Track Color"), wxLIST_FORMAT_LEFT, 90);
  list_->AppendColumn(_("ID"), wxLIST_FORMAT_RIGHT, 40);
  top->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  auto* add = new wxButton(this, wxID_ANY, _("Add Level"));
  remove_ = new wxButton(this, wxID_ANY, _("Remove Level"));
  row->Add(add, 0, wxRIGHT, 6);
  row->Add(remove_);
  top->Add(row, 0, wxALL, 8);
  top->Add(new wxButton(this, wxID_OK, _("Close")), 0, wxALIGN_RIGHT | wxALL, 8);
  SetSizer(top);
  Fit();
  SetSize(500, 360);
  Centre();

  add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddLevelCommand(); });
  remove_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RemoveLevelCommand(); });
  list_->Bind(wxEVT_LIST_ITEM_CHECKED, [this](wxListEvent& e) { OnChecked(e, true); });
  list_->Bind(wxEVT_LIST_ITEM_UNCHECKED, [this](wxListEvent& e) { OnChecked(e, false); });
  list_->Bind(wxEVT_LIST_ITEM_SELECTED, &LevelManagerDialog::OnSelected, this);
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { PropertiesCommand(); });
  Fill();
}

void LevelManagerDialog::Fill() {
  list_->DeleteAllItems();
  const std::vector<LevelRow> rows = LevelRows(layout_);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LevelRow& r = rows[i];
    const long item = list_->InsertItem(static_cast<long>(i), ToWx(r.name));
    list_->SetItem(item, 1, ToWx(r.height));
    list_->SetItem(item, 2, TrWx(r.color));
    list_->SetItem(item, 3, ToWx(r.id_text));
    list_->SetItemData(item, r.id);
    list_->CheckItem(item, r.visible);
    if (r.active) {
      wxFont bold = list_->GetFont();
      bold.SetWeight(wxFONTWEIGHT_BOLD);
      list_->SetItemFont(item, bold);
    }
  }
  remove_->Enable(CanRemoveLevel(layout_));
}

int LevelManagerDialog::LevelAt(long row) const {
  if (row < 0 || row >= list_->GetItemCount()) return -1;
  return static_cast<int>(list_->GetItemData(row));
}

void LevelManagerDialog::OnChecked(wxListEvent& e, bool visible) {
  SetLevelVisible(doc_, LevelAt(e.GetIndex()), visible);
}

void LevelManagerDialog::OnSelected(wxListEvent& e) {
  SetActiveLevel(doc_, LevelAt(e.GetIndex()));
  remove_->Enable(CanRemoveLevel(layout_));
}

void LevelManagerDialog::AddLevelCommand() {
  if (AddLevel(doc_, prompter_)) Fill();
}

void LevelManagerDialog::RemoveLevelCommand() {
  const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (layout_.levels.size() >= 2 && row < 0) return;
  if (RemoveLevel(doc_, prompter_, LevelAt(row))) Fill();
}

void LevelManagerDialog::PropertiesCommand() {
  const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  const Level* level = FindLevel(layout_, LevelAt(row));
  if (!level) {
    prompter_.Notify(TrMark("Level Properties"), TrMark("Select a level first."),
                     PromptIcon::Information);
    return;
  }
  LevelPropertiesDialog dlg(this, layout_, *level);
  if (dlg.ShowModal() != wxID_OK) return;
  ApplyLevelProperties(doc_, level->id, dlg.Result());
  Fill();
}

LevelPropertiesDialog::LevelPropertiesDialog(wxWindow* parent, const ::Layout& layout,
                                             const Level& level)
    : wxDialog(parent, wxID_ANY, ToWx(Tr("Level Properties: ") + level.name)),
      units_(layout.units),
      stored_height_(level.height) {
  const HeightUnit unit = LevelHeightUnit(units_);
  auto* grid = new wxFlexGridSizer(2, 6, 8);
  grid->Add(new wxStaticText(this, wxID_ANY, _("Name:")), 0, wxALIGN_CENTER_VERTICAL);
  name_ = new wxTextCtrl(this, wxID_ANY, ToWx(level.name), wxDefaultPosition, wxSize(220, -1));
  grid->Add(name_);
  char label[64];
  std::snprintf(label, sizeof label, Tr("Height off the ground (%s):"), unit.abbrev);
  grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  height_ =
      new wxSpinCtrlDouble(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0,
                           unit.max, HeightInUnit(level.height, units_), unit.step);
  height_->SetDigits(static_cast<unsigned>(unit.digits));
  grid->Add(height_);
  color_on_ = new wxCheckBox(this, wxID_ANY, _("Color track on this level:"));
  color_on_->SetValue(level.trackcolor);
  grid->Add(color_on_, 0, wxALIGN_CENTER_VERTICAL);
  color_ = new wxColourPickerCtrl(this, wxID_ANY, wxColour(level.r, level.g, level.b));
  grid->Add(color_);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 10);
  top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
  SetSizerAndFit(top);
  Centre();
}

LevelProperties LevelPropertiesDialog::Result() const {
  const wxColour c = color_->GetColour();
  return {FromWx(name_->GetValue()), ChangedHeight(stored_height_, units_, height_->GetValue()),
          color_on_->GetValue(), Rgb{c.Red(), c.Green(), c.Blue()}};
}
