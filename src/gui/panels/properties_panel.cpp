// Properties panel: for now a summary of the selection.
#include "gui/panels/properties_panel.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/frame/main_frame.h"
#include "gui/panels/tally_box.h"
#include "gui/wx_text.h"
#include "model/layout_ops.h"

PropertiesPanel::PropertiesPanel(wxWindow* parent, MainFrame& frame)
    : wxPanel(parent), frame_(frame) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  summary_ = new wxStaticText(this, wxID_ANY, "");
  sizer->Add(summary_, 0, wxALL | wxEXPAND, 8);
  tally_ = new TallyBox(this, frame.layout(), frame.prompter());
  sizer->Add(tally_, 1, wxEXPAND);
  SetSizer(sizer);
}

void PropertiesPanel::Rebuild() {
  const ::Layout& l = frame_.layout();
  const std::size_t pieces = SelectedPieces(l).size(), scenery = SelectedScenery(l).size();
  std::string text = "Pieces: " + std::to_string(l.pieces.size());
  if (pieces || scenery)
    text += "\nSelected: " + std::to_string(pieces) + " pieces, " + std::to_string(scenery) +
            " scenery";
  summary_->SetLabel(ToWx(text));
}
