// The drawing tools through synthetic canvas events (measure, polygon, hand-drawn
// baseboard, exact lengths, annotation drags) and the baseboard dialog's rules.
#include <gtest/gtest.h>

#include <cmath>

#include "canvas_events.h"
#include "catalog/scenery_catalog.h"
#include "edit/baseboard.h"
#include "edit/panel_edits.h"
#include "edit/shape_edits.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "view/scenery_handles.h"

namespace {

class DrawingTest : public CanvasFixture {
 protected:
  // An undone edit, so that there is a redo step to keep or lose.
  void MakeRedoStep() {
    ASSERT_TRUE(AddLabel(doc, "undone", Point{}));
    ASSERT_TRUE(doc.Undo());
  }
  CanvasEffects Click(double x, double y) {
    CanvasEffects e = canvas.LeftDown(At(x, y, {}, true));
    e |= canvas.LeftUp(At(x, y));
    return e;
  }
  CanvasEffects Key(CanvasKey k, char c = 0) { return canvas.KeyDown(k, {}, c); }
  void Type(const std::string& text) {
    for (char c : text) Key(CanvasKey::Text, c);
  }
};

TEST_F(DrawingTest, MeasureStoresTwoClicksOfAtLeastOneMillimetre) {
  MakeRedoStep();  // a redo step that a stored-nothing click must keep
  canvas.SetTool(kToolMeasure);
  Click(100, 100);
  canvas.Motion(At(140, 130));
  EXPECT_EQ(canvas.Drawing(), (std::vector<Point>{{100, 100}, {140, 130}}));
  CanvasEffects e = Click(100.5, 100);  // 0.5 mm: nothing stored, the tool still ends
  EXPECT_TRUE(layout.measures.empty());
  EXPECT_FALSE(e.modified);
  EXPECT_TRUE(e.tool_ended);
  EXPECT_EQ(doc.undo_steps(), 0u);
  EXPECT_EQ(doc.redo_steps(), 1u);

  canvas.SetTool(kToolMeasure);
  Click(100, 100);
  e = Click(400, 500);
  ASSERT_EQ(layout.measures.size(), 1u);
  EXPECT_EQ(layout.measures[0].end, (Point{400, 500}));
  EXPECT_TRUE(e.modified && e.tool_ended);

  canvas.SetTool(kToolMeasure);
  Click(10, 10);
  e = Key(CanvasKey::Escape);
  EXPECT_TRUE(e.tool_ended);
  EXPECT_TRUE(canvas.Drawing().empty());
  EXPECT_EQ(layout.measures.size(), 1u);
}

TEST_F(DrawingTest, PolygonClosesNearTheFirstVertexWithTheDefaults) {
  layout.levels.push_back({.id = 2, .height = 80, .outline = {}});
  canvas.SetView(0.5, 0, 0);  // closing radius 20 mm
  canvas.SetTool(kToolPolygon);
  Click(100, 100);
  Click(300, 100);
  Click(300, 300);
  const CanvasEffects e = Click(108, 104);  // 8 px = 16 mm from the first vertex
  ASSERT_EQ(layout.shapes.size(), 1u);
  const LayoutShape& s = layout.shapes[0];
  EXPECT_EQ(s.vertices.size(), 3u);
  EXPECT_EQ(s.vertices[1], (Point{600, 200}));
  EXPECT_EQ(s.level, 2);  // the highest visible deck
  EXPECT_TRUE(e.modified && e.tool_ended);
}

TEST_F(DrawingTest, ADoubleClickAddsOneVertexEnterNeedsThreeAndAnotherToolDropsTheOutline) {
  canvas.SetTool(kToolPolygon);
  Click(100, 100);
  Click(200, 100);
  Click(200, 100);  // the second press of a double-click on GTK
  EXPECT_EQ(canvas.Drawing().size(), 2u);
  Key(CanvasKey::Enter);
  EXPECT_TRUE(layout.shapes.empty());
  Click(200, 200);
  Key(CanvasKey::Enter);
  EXPECT_EQ(layout.shapes.size(), 1u);
  // Changing the tool drops a half-drawn outline.
  canvas.SetTool(kToolPolygon);
  Click(10, 10);
  Click(60, 10);
  canvas.SetTool(kToolMeasure);
  EXPECT_TRUE(canvas.Drawing().empty());
  Click(10, 10);
  canvas.SetTool(kToolNone);  // as New and Open do
  canvas.Motion(At(20, 20));
  EXPECT_TRUE(canvas.Drawing().empty());
}

TEST_F(DrawingTest, TabEntersExactLengthsInTheLayoutUnit) {
  layout.units = 2;  // inches
  canvas.SetTool(kToolPolygon);
  Click(100, 100);
  canvas.Motion(At(100, 300));  // toward +y
  CanvasEffects e = Key(CanvasKey::Tab);
  EXPECT_EQ(*e.status[0], "Length (\"): _  [Enter] confirm  [Esc] cancel");
  Type("2,5");
  e = Key(CanvasKey::Back);
  EXPECT_EQ(*e.status[0], "Length (\"): 2.  [Enter] confirm  [Esc] cancel");
  Type("5");
  e = Key(CanvasKey::Enter);
  EXPECT_EQ(*e.status[0], kPolygonStatus);
  ASSERT_EQ(canvas.Drawing().size(), 2u);
  EXPECT_NEAR(canvas.Drawing()[1].x, 100, 1e-9);
  EXPECT_NEAR(canvas.Drawing()[1].y, 163.5, 1e-9);
  EXPECT_FALSE(canvas.TypedLength());

  // Texts that are not a usable length add nothing and end the entry.
  for (const char* bad : {"", ".", "1.2.3", "0", "20000"}) {
    Key(CanvasKey::Tab);
    Type(bad);
    Key(CanvasKey::Enter);
    EXPECT_EQ(canvas.Drawing().size(), 2u) << bad;
    EXPECT_FALSE(canvas.TypedLength()) << bad;
  }
}

TEST_F(DrawingTest, BackspaceUndoesVerticesAndNeverDeletesTrack) {
  ChainBuilder b(layout);
  const int piece = b.Start("24188", {500, 500, 0});
  layout.pieces[0].sel = true;
  canvas.SetTool(kToolBaseboard);
  Click(10, 10);
  Click(50, 10);
  Key(CanvasKey::Back);
  EXPECT_EQ(canvas.Drawing().size(), 1u);
  Key(CanvasKey::Back);
  EXPECT_TRUE(canvas.Drawing().empty());
  Key(CanvasKey::Back);
  EXPECT_NE(FindPiece(layout, piece), -1);
  EXPECT_EQ(doc.undo_steps(), 0u);
}

TEST_F(DrawingTest, FreeFormBaseboardClosesWithoutAnUndoStep) {
  MakeRedoStep();
  canvas.SetTool(kToolBaseboard);
  for (Point p : {Point{0, 0}, Point{300, 0}, Point{300, 200}}) Click(p.x, p.y);
  const CanvasEffects e = Key(CanvasKey::Enter);
  EXPECT_EQ(layout.baseboard.size(), 3u);
  EXPECT_EQ(layout.lastshape.id, 5);
  EXPECT_TRUE(e.modified);
  EXPECT_EQ(*e.status[0], "");
  EXPECT_EQ(doc.undo_steps(), 0u);
  EXPECT_EQ(doc.redo_steps(), 1u);
}

TEST_F(DrawingTest, DragsMoveAnnotationsAndAClickIsNoUndoStep) {
  layout.measures.push_back(
      {.id = TakeId(layout), .start = {100, 100}, .end = {300, 100}, .label_offset = {}});
  layout.shapes.push_back({.id = TakeId(layout),
                           .vertices = {{400, 400}, {600, 400}, {600, 600}, {400, 600}},
                           .label = {}});
  MakeRedoStep();

  Click(150, 104);  // on the line: selected, nothing moved
  EXPECT_TRUE(layout.measures[0].sel);
  EXPECT_EQ(doc.undo_steps(), 0u);
  EXPECT_EQ(doc.redo_steps(), 1u);

  canvas.LeftDown(At(150, 104, {}, true));
  canvas.Motion(At(160, 124, {}, true));
  CanvasEffects e = canvas.LeftUp(At(160, 124));
  EXPECT_EQ(layout.measures[0].start, (Point{110, 120}));
  EXPECT_TRUE(e.modified);

  // Inside the lake: the shape moves.
  canvas.LeftDown(At(500, 500, {}, true));
  canvas.Motion(At(510, 500, {}, true));
  canvas.LeftUp(At(510, 500));
  EXPECT_EQ(layout.shapes[0].vertices[0], (Point{410, 400}));

  // Track laid over the lake wins its interior.
  ChainBuilder b(layout);
  const int piece = b.Start("24188", {450, 500, 0});
  Click(500, 500);
  EXPECT_TRUE(P(piece).sel);
  EXPECT_FALSE(layout.shapes[0].sel);
}

TEST_F(DrawingTest, LabelsDecksDoubleClicksAndShapeCopy) {
  layout.labels.push_back({TakeId(layout), "", 600, 100});
  canvas.LeftDown(At(650, 110, {}, true));  // inside the label's box, 50 px right
  canvas.Motion(At(700, 210, {}, true));
  CanvasEffects e = canvas.LeftUp(At(700, 210));
  EXPECT_EQ(layout.labels[0].x, 650);
  EXPECT_EQ(layout.labels[0].y, 200);

  // Shift + press on a deck edge drags the outline; decks are not undone.
  layout.levels[0].outline = {{0, 300}, {200, 300}, {200, 500}, {0, 500}};
  canvas.LeftDown(At(100, 303, {false, true, false}, true));
  canvas.Motion(At(130, 303, {false, true, false}, true));
  canvas.LeftUp(At(130, 303));
  EXPECT_EQ(layout.levels[0].outline[0], (Point{30, 300}));
  EXPECT_EQ(doc.undo_steps(), 1u);

  const int shape = TakeId(layout);
  layout.shapes.push_back(
      {.id = shape, .vertices = {{400, 400}, {600, 400}, {500, 600}}, .label = {}});
  e = canvas.LeftDClick(At(500, 450));
  EXPECT_EQ(e.dialog, CanvasDialog::ShapeProperties);
  EXPECT_EQ(e.dialog_id, shape);
  e = canvas.RightDown(At(500, 401));
  EXPECT_EQ(e.menu, CanvasMenu::Shape);
  canvas.CopyShape(canvas.MenuShape());
  EXPECT_TRUE(canvas.state().clipboard.has_shape);
  e = canvas.RightDown(At(900, 700));
  EXPECT_EQ(e.menu, CanvasMenu::Paste);
  canvas.Paste();
  ASSERT_EQ(layout.shapes.size(), 2u);
  EXPECT_NE(layout.shapes[1].id, shape);
}

TEST_F(DrawingTest, ResizeHandlesScaleFromTheOppositeHandleWithinRange) {
  const SceneryDef& def = SceneryCatalog::instance().all().front();
  layout.scenery.push_back({.id = TakeId(layout), .item = def.id, .x = 400, .y = 300, .sel = true});
  const auto h = SceneryHandles(layout.scenery[0], def);
  // The right handle (3): the cursor, then a drag that doubles the width.
  CanvasEffects e = canvas.Motion(At(h[3].x, h[3].y));
  EXPECT_EQ(e.cursor, CanvasCursor::SizeWE);
  canvas.LeftDown(At(h[3].x, h[3].y, {}, true));
  canvas.Motion(At(h[3].x + def.width, h[3].y, {}, true));
  e = canvas.LeftUp(At(h[3].x + def.width, h[3].y));
  EXPECT_NEAR(layout.scenery[0].scalex, 2.0, 0.02);
  EXPECT_EQ(layout.scenery[0].scaley, 1.0);
  EXPECT_NEAR(layout.scenery[0].x, 400 + def.width / 2, 1.0);  // the left edge stays
  EXPECT_TRUE(e.modified);
  // Dragged past the anchor: the smallest scale, never zero or negative.
  const auto h2 = SceneryHandles(layout.scenery[0], def);
  canvas.LeftDown(At(h2[4].x, h2[4].y, {}, true));
  canvas.Motion(At(h2[0].x - 50, h2[0].y - 50, {}, true));
  canvas.LeftUp(At(h2[0].x - 50, h2[0].y - 50));
  EXPECT_EQ(layout.scenery[0].scalex, 0.1);
  EXPECT_EQ(layout.scenery[0].scaley, 0.1);
}

// ---- baseboard dialog ----------------------------------------------------------------

BaseboardInput Input(const Layout& l, int shape) {
  BaseboardInput in;
  in.shape = shape;
  in.initial = InitialBoardValues(l, shape);
  in.values = in.initial.shown;
  in.initial_baseboard = l.baseboard;
  in.initial_custom_text = InitialCustomText(l.baseboard, l.units);
  in.custom_text = in.initial_custom_text;
  return in;
}

TEST(Baseboard, OutlineFormulasAndTheirClamps) {
  EXPECT_EQ(
      LShapeOutline(2400, 2400, 1200, 1200),
      (std::vector<Point>{{0, 0}, {2400, 0}, {2400, 1200}, {1200, 1200}, {1200, 2400}, {0, 2400}}));
  // A cutout as large as the board leaves 1 mm.
  EXPECT_EQ(LShapeOutline(100, 100, 100, 100)[3], (Point{1, 1}));
  // A notch wider than the board: the board minus 2 mm; a 1 mm board clamps at 0.
  EXPECT_EQ(UShapeOutline(100, 50, 500, 10)[3], (Point{99, 50}));
  EXPECT_EQ(UShapeOutline(1, 50, 500, 10)[3], (Point{0.5, 50}));
  // A T stem of depth 0 is 1 mm deep.
  EXPECT_EQ(TShapeOutline(300, 100, 100, 0)[4], (Point{200, 101}));
}

TEST(Baseboard, ApplyConvertsUnitsAndStoresTheLastShape) {
  Layout l;
  FakePrompter ask;
  BaseboardResult r = ApplyBaseboardDialog(l, Input(l, kBoardL), ask);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(r.outline[2], (Point{2400, 1200}));
  EXPECT_TRUE(StoreBaseboard(l, r));
  EXPECT_EQ(l.lastshape.id, kBoardL);

  // Reopened in inches and applied as it opened: the board keeps its millimetres (it
  // once shrank from 2400 x 1400 mm to 94 x 55 inches).
  l.units = 2;
  l.lastshape = {kBoardRectangle, 2400, 1400, 1200, 1200};
  EXPECT_EQ(InitialBoardValues(l, kBoardRectangle).shown[0], 94.49);
  EXPECT_EQ(InitialBoardValues(l, kBoardT).shown[0], 141.73);  // another shape: its defaults
  BaseboardInput in = Input(l, kBoardRectangle);
  r = ApplyBaseboardDialog(l, in, ask);
  EXPECT_EQ(r.outline[2], (Point{2400, 1400}));
  EXPECT_EQ(l.lastshape.w_mm, 2400);
  in.values[1] = 60;  // a changed field takes what is typed
  r = ApplyBaseboardDialog(l, in, ask);
  EXPECT_EQ(r.outline[2], (Point{2400, 60 * 25.4}));
  EXPECT_EQ(l.lastshape.w2_mm, 1200);  // a field the rectangle lacks
  l.units = 1;                         // centimetres, one decimal
  EXPECT_EQ(InitialBoardValues(l, kBoardRectangle).shown[1], 152.4);

  // Out-of-range values from a file: a valid choice, sizes within the spin range.
  l.lastshape = {42, 1e12, -5, 0, 0};
  EXPECT_EQ(InitialBoardShape(l), 0);
  l.lastshape.id = 0;
  EXPECT_EQ(InitialBoardValues(l, 0).shown, (std::array<double, 4>{99000, 1, 1, 1}));
}

TEST(Baseboard, CustomTextIsCheckedAndAnUnchangedTextKeepsTheVertices) {
  Layout l;
  l.units = 1;
  FakePrompter ask;
  BaseboardInput in = Input(l, kBoardCustom);
  EXPECT_EQ(in.custom_text, "0,0\n240,0\n240,120\n0,120\n");
  in.custom_text = " 0,0 \n240 , 0\n\n240,120\nnote without comma\n0,120";
  BaseboardResult r = ApplyBaseboardDialog(l, in, ask);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(r.outline, (std::vector<Point>{{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}}));
  StoreBaseboard(l, r);

  for (const char* bad : {"abc,5\n0,0\n1,1\n2,0", "0,0\n1,1", "0,0\n1,nan\n2,0", "1,2,3\n4,5\n6,7",
                          // Out of range: 1e308 inches is no number of millimetres at all.
                          "0,0\n1e308,0\n1e308,1", "0,0\n99001,0\n0,5"}) {
    in = Input(l, kBoardCustom);
    in.custom_text = bad;
    ask.shown.clear();
    r = ApplyBaseboardDialog(l, in, ask);
    EXPECT_FALSE(r.accepted) << bad;
    ASSERT_EQ(ask.shown.size(), 1u) << bad;
    EXPECT_EQ(ask.shown[0].text, "Please enter valid dimensions.");
    EXPECT_EQ(ask.shown[0].caption, "Layout Shape");
  }
  EXPECT_EQ(l.baseboard.size(), 4u);

  // A far vertex from a file is shown whole, not cut to a fixed width.
  l.units = 0;
  l.baseboard = {{0, 0}, {1e300, 0}, {0, 5}};
  const std::string far = Input(l, kBoardCustom).custom_text;
  EXPECT_EQ(far.size(), 330u) << far;  // 301 digits before the point
  EXPECT_TRUE(far.ends_with(".00,0.00\n0.00,5.00\n"));

  l.units = 2;
  l.baseboard = {{0, 0}, {1000, 0}, {1000, 333.333}};
  in = Input(l, kBoardCustom);
  r = ApplyBaseboardDialog(l, in, ask);
  EXPECT_EQ(r.outline, l.baseboard);

  in = Input(l, kBoardClear);
  r = ApplyBaseboardDialog(l, in, ask);
  EXPECT_TRUE(r.accepted && r.outline.empty());
  in = Input(l, kBoardFreeForm);
  r = ApplyBaseboardDialog(l, in, ask);
  EXPECT_TRUE(r.free_form);
  EXPECT_FALSE(StoreBaseboard(l, r));
  EXPECT_EQ(l.lastshape.id, kBoardFreeForm);
}

TEST(ShapeDialogs, PropertiesAndScaleFactorsAreStoredWithinTheirRanges) {
  Document doc;
  Layout& l = doc.layout();
  l.units = 1;
  l.shapes.emplace_back().id = 3;
  ShapeProps p = ShapePropsOf(l.shapes[0], l.units);
  p.name = "Lake\tBlue\n";
  p.height = 12;
  p.opacity_percent = 100;
  ASSERT_TRUE(ApplyShapeProps(doc, 3, p));
  EXPECT_EQ(l.shapes[0].label, "Lake Blue ");
  EXPECT_EQ(l.shapes[0].height, 120);
  EXPECT_EQ(l.shapes[0].a, 255);

  l.scenery.emplace_back().id = 4;
  ASSERT_TRUE(ResizeScenery(doc, 4, 0.0, 25.0));
  EXPECT_EQ(l.scenery[0].scalex, 0.1);
  EXPECT_EQ(l.scenery[0].scaley, 10.0);
  EXPECT_FALSE(ResizeScenery(doc, 99, 1, 1));
}

}  // namespace
