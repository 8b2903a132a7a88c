// Layout > Check Plan... lists what cannot be built and takes the canvas there; View >
// Show Conflicts rings each conflict and follows every edit.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include "frame_fixture.h"
#include "gui/dialogs/check_plan_dialog.h"
#include "gui/wx_text.h"
#include "interact/commands.h"
#include "when_shown.h"

namespace {

const std::filesystem::path kData = VANTREL_TEST_DATA;

class CheckPlanWindowTest : public FrameFixture {
 protected:
  CheckPlanWindowTest() {
    frame->OpenLayoutFile(kData / "plan_conflicts.vtl");
    wxYield();
  }
  std::string Cell(wxListCtrl* list, long row, int column) {
    return FromWx(list->GetItemText(row, column));
  }
};

TEST_F(CheckPlanWindowTest, TheDialogListsEveryFindingAndTakesTheCanvasThere) {
  std::vector<std::vector<std::string>> rows;
  std::string summary;
  std::vector<int> selected;
  Point centre;
  WhenShown<CheckPlanDialog>([&](CheckPlanDialog& d) {
    summary = FromWx(d.summary()->GetLabel());
    for (long r = 0; r < d.list()->GetItemCount(); ++r)
      rows.push_back({Cell(d.list(), r, 0), Cell(d.list(), r, 1), Cell(d.list(), r, 2),
                      Cell(d.list(), r, 3), Cell(d.list(), r, 4)});
    d.list()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);  // the collision
    for (const PlacedPiece& p : frame->layout().pieces)
      if (p.sel) selected.push_back(p.id);
    const ViewTransform& v = frame->canvas()->controller().view();
    const wxSize size = frame->canvas()->GetClientSize();
    centre = {(size.x / 2.0 - v.offset_x) / v.zoom, (size.y / 2.0 - v.offset_y) / v.zoom};
    d.EndModal(wxID_CANCEL);
  });
  frame->RunCommand(kCmdCheckPlan);
  EXPECT_EQ(summary, "0 problem(s), 4 conflict(s)");
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0],
            (std::vector<std::string>{"Height step", "1, 2", "Level 1", "x=188.3, y=0.0",
                                      "height step 12.6 mm at joint 1 1 -> 2 0 (x=188.3, y=0.0)"}));
  EXPECT_EQ(rows.back()[0], "Open end");
  EXPECT_EQ(selected, (std::vector<int>{1, 3}));
  EXPECT_NEAR(centre.x, 94.0, 1.0);
  EXPECT_NEAR(centre.y, 0.0, 1.0);
}

TEST_F(CheckPlanWindowTest, ShownConflictsFollowEveryEdit) {
  CanvasController& canvas = frame->canvas()->controller();
  EXPECT_FALSE(canvas.conflicts_shown());
  frame->GetMenuBar()->Check(kCmdShowConflicts, true);
  frame->RunCommand(kCmdShowConflicts);
  ASSERT_TRUE(canvas.conflicts_shown());
  frame->canvas()->Update();
  EXPECT_EQ(canvas.ConflictMarks().size(), 4u);
  // Moving the crossing straight away and lowering the second piece onto the first's
  // end leave the clearance and the grade.
  {
    Transaction t(frame->document(), "Move");
    t.layout().pieces[2].x -= 300;
    t.layout().pieces[1].z = 0;
    t.Commit();
  }
  const std::vector<Point> marks = canvas.ConflictMarks();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_NEAR(marks[0].x, 282.0, 0.1);  // the clearance, where 4 passes over 2
  frame->GetMenuBar()->Check(kCmdShowConflicts, false);
  frame->RunCommand(kCmdShowConflicts);
  EXPECT_FALSE(canvas.conflicts_shown());
}

}  // namespace
