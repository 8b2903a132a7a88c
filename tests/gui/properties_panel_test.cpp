// The properties panel in the window: it follows the selection, and its grade buttons,
// height field and label box each make one undoable edit.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "frame_fixture.h"
#include "gui/panels/properties_panel.h"
#include "interact/commands.h"
#include "model/document.h"

namespace {

class PanelGuiTest : public FrameFixture {
 protected:
  void Click(int id) {
    wxCommandEvent e(wxEVT_BUTTON, id);
    e.SetEventObject(panel()->FindWindow(id));
    panel()->FindWindow(id)->ProcessWindowEvent(e);
  }
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
  EXPECT_EQ(panel()->view().title, "No selection");
  EXPECT_FALSE(panel()->FindWindow(PropertiesPanel::kStartGrade)->IsEnabled());
  PlacedPiece p;
  p.cat = "24188";
  InsertPiece(l, p);
  l.pieces[0].sel = true;
  doc.Notify(Change::Selection);
  EXPECT_EQ(panel()->view().details, "24188 - 188.3mm  |  188.3 mm");
  EXPECT_TRUE(panel()->FindWindow(PropertiesPanel::kStartGrade)->IsEnabled());
  const std::size_t steps = doc.undo_steps();

  Click(PropertiesPanel::kStartGrade);  // DOWN at 0.0 deg, as the panel starts
  // The repaint that follows turns the status into the grade indication.
  frame->canvas()->Update();
  EXPECT_EQ(Status(), "[ELEV] 0.0 deg  (right-click piece to stop)");
  EXPECT_EQ(l.grade_runs.size(), 1u);
  EXPECT_EQ(doc.undo_steps(), steps + 1);
  EXPECT_EQ(frame->GetTitle().Last(), '*');
  Click(PropertiesPanel::kEndGrade);
  EXPECT_EQ(Status(), "Grade ended - subsequent pieces will be flat");
  EXPECT_TRUE(l.grade_runs.empty());
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
  for (int i = 0; i < 4; ++i) frame->RunCommand(kCmdUndo);
  EXPECT_EQ(l.pieces[0].z, 0);
  EXPECT_TRUE(l.labels.empty());
  EXPECT_EQ(doc.undo_steps(), steps);
}

}  // namespace
