// The properties panel in the window: it follows the selection, and its grade buttons,
// height field and label box each make one undoable edit.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "frame_fixture.h"
#include "gui/panels/properties_panel.h"
#include "gui/wx_text.h"
#include "layout_builder.h"
#include "model/document.h"

namespace {

class PanelGuiTest : public FrameFixture {
 protected:
  void Click(int id) { Press(panel()->FindWindow(id)); }
  void Enter(int id, const char* text) {
    auto* field = dynamic_cast<wxTextCtrl*>(panel()->FindWindow(id));
    field->ChangeValue(text);
    wxCommandEvent e(wxEVT_TEXT_ENTER, id);
    e.SetEventObject(field);
    field->ProcessWindowEvent(e);
  }
  PropertiesPanel* panel() { return frame->properties(); }
  wxString Status() { return frame->GetStatusBar()->GetStatusText(0); }
};

TEST_F(PanelGuiTest, GradeButtonsHeightAndLabelsAreEachOneUndoStep) {
  ::Layout& l = frame->layout();
  Document& doc = frame->document();
  EXPECT_FALSE(panel()->FindWindow(PropertiesPanel::kStartGrade)->IsEnabled());
  Piece(l, AddPiece(l, "24188")).sel = true;
  doc.Notify(Change::Selection);
  EXPECT_TRUE(panel()->FindWindow(PropertiesPanel::kStartGrade)->IsEnabled());
  const std::size_t steps = doc.undo_steps();

  Click(PropertiesPanel::kStartGrade);  // DOWN at 0.0 deg, as the panel starts
  // The repaint that follows turns the status into the grade indication.
  frame->canvas()->Update();
  EXPECT_EQ(Status(), "[ELEV] 0.0 deg  (right-click piece to stop)");
  EXPECT_EQ(doc.undo_steps(), steps + 1);
  Click(PropertiesPanel::kEndGrade);
  EXPECT_EQ(Status(), "Grade ended - subsequent pieces will be flat");
  Click(PropertiesPanel::kRecalc);  // the heights are right already: no step
  EXPECT_EQ(doc.undo_steps(), steps + 2);
  Enter(PropertiesPanel::kHeightField, "42");
  EXPECT_EQ(l.pieces[0].z, 42);
  EXPECT_EQ(panel()->view().height_text, "42.0");
  Enter(PropertiesPanel::kHeightField, "forty");
  EXPECT_EQ(doc.undo_steps(), steps + 3);
  Enter(PropertiesPanel::kLabelField, "Station");
  EXPECT_EQ(l.labels.size(), 1u);
  EXPECT_EQ(doc.undo_steps(), steps + 4);
}

// The colour choice shows the selection's own colour (it once showed the last colour
// applied, so Apply recoloured a grey piece red); the grade warning is read whole.
TEST_F(PanelGuiTest, ColourChoiceShowsTheSelectionAndTheWarningIsReadWhole) {
  ::Layout& l = frame->layout();
  for (int i = 0; i < 2; ++i) AddPiece(l, "24188", 0, 100.0 * i);
  l.pieces[0].has_color = true;
  l.pieces[0].color = kColorChoices[1].color;  // red
  auto* color = dynamic_cast<wxChoice*>(panel()->FindWindow(PropertiesPanel::kColorChoice));
  const auto show = [&](bool first, bool second) {
    l.pieces[0].sel = first;
    l.pieces[1].sel = second;
    frame->document().Notify(Change::Selection);
    return color->GetSelection();
  };
  EXPECT_EQ(show(true, false), 1);           // "Red"
  EXPECT_EQ(show(false, true), 0);           // "Default": no colour of its own
  EXPECT_EQ(show(true, true), wxNOT_FOUND);  // mixed: blank
  color->SetSelection(2);
  Click(PropertiesPanel::kColorApply);  // Apply still applies what is chosen
  EXPECT_EQ(l.pieces[1].color, kColorChoices[2].color);

  l.pieces[0].grade = 6.5;
  show(true, false);
  std::string shown = FromWx(panel()->warning()->GetLabel());
  std::replace(shown.begin(), shown.end(), '\n', ' ');
  EXPECT_EQ(shown, "WARNING: Grade 6.5 deg exceeds 6 deg max!");
  EXPECT_LE(panel()->warning()->GetBestSize().x, panel()->GetClientSize().x);
  EXPECT_GE(panel()->angle()->GetSize().x, panel()->angle()->GetBestSize().x);
}

}  // namespace
