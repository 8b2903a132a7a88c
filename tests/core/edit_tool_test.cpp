// vantrel-tool edit and show as a user runs them: operations on the stored selection,
// what they print, when they save, and their exit statuses.
#include <gtest/gtest.h>

#include <set>

#include "interact/actions.h"
#include "model/layout_file.h"
#include "temp_dir.h"
#include "tool_run.h"

namespace {

const char* const kOneStraight =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<layout name=\"One\" version=\"1\">\n"
    "<pieces>\n<piece id=\"1\" cat=\"24188\" x=\"0\" y=\"0\" heading=\"0\" sel=\"1\">\n"
    "</piece>\n</pieces>\n</layout>\n";

Layout Load(const std::filesystem::path& file) {
  Layout l;
  EXPECT_EQ(LoadLayout(l, file).error, "");
  return l;
}

// a.vtl holds one selected straight; b.vtl is where an edit goes.
class EditTool : public testing::Test {
 protected:
  EditTool() { dir.Write("a.vtl", kOneStraight); }
  TempDir dir;
  const std::string a = (dir / "a.vtl").string(), b = (dir / "b.vtl").string();
};

// How far each piece climbs is the grade's; the tool saves the run and prints the status.
TEST_F(EditTool, StartGradeThenExtendClimbsAndEndGradeEndsTheRun) {
  ToolRun r = RunTool({"edit", a, b, "start-grade", "up", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "status: [ELEV] 2.0 deg  (right-click piece to stop)\nselected: 1\n");
  r = RunTool({"edit", b, b, "extend", "24188"});
  EXPECT_EQ(r.out, "status: [ELEV] 2.0 deg  (right-click piece to stop)\nselected: 2\n");
  EXPECT_EQ(Load(b).grade_mode.anchor, 2);
  r = RunTool({"edit", b, b, "end-grade"});
  EXPECT_EQ(r.out, "status: Grade ended - subsequent pieces will be flat\nselected: 2\n");
  EXPECT_TRUE(Load(b).grade_runs.empty());
}

TEST_F(EditTool, ShowPrintsThePanelTexts) {
  std::string text = kOneStraight;
  text.replace(text.find("sel="), 0, "grade=\"6.5\" ");
  dir.Write("c.vtl", text);
  const ToolRun r = RunTool({"show", (dir / "c.vtl").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* line : {"title: Märklin C\n", "grade: +6.50 deg (11.4%)\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
}

// A second row with the same id or operation name would never run; an operation without a
// handler would run nothing and report success.
TEST_F(EditTool, EveryOperationAndIdNamesOneActionThatRuns) {
  std::set<int> ids;
  std::set<std::string> names;
  for (const Action& row : Actions()) {
    EXPECT_TRUE(row.id == 0 || ids.insert(row.id).second) << row.id;
    if (!row.op.name) continue;
    EXPECT_TRUE(names.insert(row.op.name).second) << row.op.name;
    EXPECT_TRUE(row.op.run || row.edit || row.canvas) << row.op.name;
  }
}

TEST_F(EditTool, SavesOnlyAChangeAndReportsRefusalsAndUsage) {
  const std::string out = (dir / "out.vtl").string();
  // A C-Track piece cannot continue K-Track: the message, status 1, nothing written.
  ToolRun r = RunTool({"edit", a, out, "extend", "2200"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind("message: Incompatible Track Systems: Marklin K-Track cannot connect "
                        "to Marklin C-Track.\\n\\nThese",
                        0),
            0u)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(out));
  // An operation that changes nothing still ran.
  r = RunTool({"edit", a, out, "level", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(std::filesystem::exists(out));
  r = RunTool({"edit", a, out, "color", "red"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "status: Ready\nselected: \n");
  EXPECT_TRUE(Load(out).pieces[0].has_color);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"edit", a, out, "start-grade", "up", "7"},
        {"edit", a, out, "start-grade", "sideways", "2"},
        {"edit", a, out, "frobnicate"},
        {"edit", a, out, "set-height", "x"},
        {"edit", a, out, "color", "mauve"},
        {"edit", a, out, "level", "7"},
        {"edit", a, out, "extend", "24188", "--answer", "maybe"},
        {"edit", a, out}}) {
    r = RunTool(bad);
    EXPECT_EQ(r.status, 2) << bad[3];
    EXPECT_EQ(r.err.rfind("vantrel-tool: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(RunTool({"edit", (dir / "none.vtl").string(), out, "recalc"}).status, 2);
  EXPECT_EQ(RunTool({"edit", a, "/no/such/dir/x.vtl", "add-label", "Hi"}).status, 2);
  EXPECT_NE(RunTool({"edit", "--help"}).out.find("start-grade up|down DEG"), std::string::npos);
}

// The outlines and the dialog's checks are the baseboard dialog's; the tool applies them.
TEST_F(EditTool, BaseboardAppliesTheDialogAndPasteCopiesTheSelection) {
  ToolRun r = RunTool({"edit", a, b, "baseboard", "rect", "1000"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Load(b).baseboard[2], (Point{1000, 1200}));
  r = RunTool({"edit", b, b, "baseboard", "custom", "abc,5\n1,1\n2,2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.rfind("message: Layout Shape: Please enter valid dimensions.", 0), 0u) << r.out;
  r = RunTool({"edit", b, b, "baseboard", "free"});
  EXPECT_NE(r.out.find("status: Click vertices to outline the baseboard."), std::string::npos);
  EXPECT_EQ(RunTool({"edit", b, b, "baseboard", "oval"}).status, 2);

  r = RunTool({"edit", a, b, "paste", "500", "0"});
  EXPECT_EQ(r.status, 0) << r.err;
  const Layout l = Load(b);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(l.pieces[1].x, 500);
}

// A drop goes through the canvas: it snaps to an end nearby and takes that end's height,
// as a helix's upper stub (it once stayed where it fell, joined across the gap, or lay on
// the ground under the helix exit).
TEST_F(EditTool, DropSnapsAsTheCanvasDoesAndTakesTheHeightOfTheEnd) {
  ToolRun r = RunTool({"edit", a, b, "drop", "24188", "190", "0"});
  EXPECT_EQ(r.status, 0) << r.err;
  Layout l = Load(b);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(l.pieces[1].x, 188.3) << "snapped onto the end at 188.3, not left at 190";
  EXPECT_EQ(l.pieces[1].joints[0], (Joint{1, 1}));

  // The helix's stubs stand at x = 1360 and 1437.5, their outer ends at y = 1188.3.
  r = RunTool({"edit", a, b, "helix", "proses_2_5_r1r2", "1000", "1000"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = RunTool({"edit", b, b, "drop", "24188", "1365", "1195", "90"});
  EXPECT_EQ(r.status, 0) << r.err;
  l = Load(b);
  const PlacedPiece& exit = l.pieces.back();
  EXPECT_EQ(exit.z, 260.0);
  EXPECT_EQ(exit.x, 1360.0);
  EXPECT_EQ(exit.y, 1188.3);
  EXPECT_TRUE(exit.Joined(0));
  EXPECT_EQ(RunTool({"check", b}).status, 0) << RunTool({"check", b}).out;
}

TEST_F(EditTool, MeasureIsSaved) {
  const ToolRun r = RunTool({"edit", a, b, "measure", "0", "100", "250", "100"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Load(b).measures.at(0).end, (Point{250, 100}));
  EXPECT_EQ(RunTool({"edit", b, b, "measure", "0", "0", "x", "0"}).status, 2);
}

// The example with two decks: what removing a level takes is the levels' own; the tool
// answers the question as --answer says and saves.
TEST_F(EditTool, LevelAddHeightAndRemove) {
  const std::string in = std::string(VANTREL_EXAMPLES) + "/two-decks-helix-tunnel.vtl";
  const std::string out = (dir / "out.vtl").string();
  ToolRun r = RunTool({"edit", in, out, "level-remove", "1", "--answer", "yes"});
  ASSERT_EQ(r.status, 0) << r.out;
  // The answer as --answer takes it, then the button ("&&" shows as "&").
  EXPECT_NE(r.out.find("Are you sure? -> yes (Delete Level & Contents)\n"), std::string::npos)
      << r.out;
  EXPECT_TRUE(Load(out).helices.empty());
  EXPECT_EQ(RunTool({"edit", out, out, "level-remove", "2"}).status, 1);
  ASSERT_EQ(RunTool({"edit", out, out, "level-add", "Attic"}).status, 0);
  ASSERT_EQ(RunTool({"edit", out, out, "level-height", "3", "12"}).status, 0);  // in cm
  const Layout l = Load(out);
  EXPECT_EQ(l.levels.at(1).name, "Attic");
  EXPECT_EQ(l.levels[1].height, 120);
}

}  // namespace
