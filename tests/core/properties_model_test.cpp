// The properties panel through its core model: the texts for each kind of selection and
// unit, and the level, colour and label edits it makes.
#include <gtest/gtest.h>

#include <algorithm>

#include "canvas_events.h"
#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/panel_edits.h"
#include "fake_prompter.h"
#include "interact/canvas_controller.h"
#include "interact/properties_model.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_ops.h"

namespace {

class PanelTest : public testing::Test {
 protected:
  PanelTest() : build(l) {
    EnsureDefaultLevel(l);
    l.levels.push_back({2, "Upper", true, 80, false, 1, 2, 3, {}});
  }
  PlacedPiece& P(int id) { return l.pieces[static_cast<std::size_t>(FindPiece(l, id))]; }

  Document doc;

  Layout& l = doc.layout();
  ChainBuilder build;
};

TEST_F(PanelTest, OnePieceInEachUnit) {
  const int a = build.Start("24130");
  P(a).sel = true;
  P(a).z = 25.4;
  P(a).grade = 6.5;
  PropertiesView v = DescribeSelection(l);
  EXPECT_EQ(v.shown, (ShownItem{ShownKind::Piece, a}));
  EXPECT_EQ(v.title, "Märklin C");
  EXPECT_EQ(v.details, "24130 (30°) R1 - 360mm (14-3/16)  |  188.5 mm");
  EXPECT_EQ(v.height_label, "Height (mm):");
  EXPECT_EQ(v.height_text, "25.4");
  EXPECT_EQ(v.grade_text, "+6.50 deg (11.4%)");
  EXPECT_EQ(v.warning, "WARNING: Grade 6.5 deg exceeds 6 deg max!");
  EXPECT_TRUE(v.grade_enabled && v.height_enabled && v.level_enabled && v.color_enabled);
  EXPECT_EQ(v.level_index, 0);
  l.units = 2;
  P(a).grade = -6.0;
  v = DescribeSelection(l);
  EXPECT_EQ(v.height_label, "Height (in):");
  EXPECT_EQ(v.height_text, "1.000");
  EXPECT_EQ(v.grade_text, "-6.00 deg (10.5%)");
  EXPECT_EQ(v.warning, "");
  EXPECT_EQ(v.down, true);
  P(a).grade = 0.001;
  EXPECT_EQ(DescribeSelection(l).grade_text, "-");
  EXPECT_FALSE(DescribeSelection(l).down.has_value());
}

TEST_F(PanelTest, SeveralPiecesListArticlesTotalLengthAndMixedLevels) {
  const int a = build.Start("24188");
  build.Append("24130");
  for (PlacedPiece& p : l.pieces) p.sel = true;
  PropertiesView v = DescribeSelection(l);
  EXPECT_EQ(v.title, "24188 + 24130");
  EXPECT_EQ(v.details, "2 pieces  |  376.8 mm");
  EXPECT_EQ(v.height_label, "");
  EXPECT_FALSE(v.grade_enabled);
  EXPECT_EQ(v.levels[static_cast<std::size_t>(v.level_index)].name, "Level 1");
  l.units = 2;
  EXPECT_EQ(DescribeSelection(l).details, "2 pieces  |  14.83 in");
  P(a).level = 2;
  v = DescribeSelection(l);
  ASSERT_EQ(v.levels.size(), 3u);
  EXPECT_EQ(v.levels[0], (LevelEntry{"(mixed)", -1}));
  EXPECT_EQ(v.level_index, 0);
  EXPECT_FALSE(ApplyLevelChoice(doc, v.shown, -1));
  // Long selections stop after twenty articles; unknown articles add no length.
  l.units = 0;
  for (int i = 0; i < 23; ++i) build.Append("24188");
  l.pieces.back().cat = "99999";
  for (PlacedPiece& p : l.pieces) p.sel = true;
  v = DescribeSelection(l);
  EXPECT_TRUE(v.title.starts_with("24188 + 24130 + 24188 + ")) << v.title;
  EXPECT_TRUE(v.title.ends_with(" + 24188 … and 5 more")) << v.title;
  EXPECT_EQ(std::count(v.title.begin(), v.title.end(), '+'), 19);
  EXPECT_EQ(v.details, "25 pieces  |  4519.4 mm");
}

TEST_F(PanelTest, SceneryShapeHelixAndOtherSelections) {
  l.scenery.push_back({7, "platform_island", 0, 0, 0, true, 1.5, 1.0, 2});
  PropertiesView v = DescribeSelection(l);
  EXPECT_EQ(v.title, "Island platform 460mm");
  EXPECT_EQ(v.details, "Scenery  |  690 x 120 mm");
  EXPECT_EQ(v.height_label, "Height:");
  EXPECT_EQ(v.height_text, "-");
  EXPECT_FALSE(v.height_enabled || v.grade_enabled);
  EXPECT_EQ(v.levels[static_cast<std::size_t>(v.level_index)].id, 2);
  l.scenery[0].item = "gone";
  EXPECT_EQ(DescribeSelection(l).title, "gone");
  EXPECT_EQ(DescribeSelection(l).details, "Scenery");
  l.scenery[0].sel = false;

  l.shapes.push_back({.id = 8,
                      .vertices = {{0, 0}, {400, 0}, {400, 250.4}},
                      .height = 30,
                      .label = {},
                      .sel = true});
  v = DescribeSelection(l);
  EXPECT_EQ(v.title, "(unnamed shape)");
  EXPECT_EQ(v.details, "Polygon  |  3 verts  |  400 x 250 mm  |  height 30 mm");
  l.shapes[0].vertices.clear();
  EXPECT_EQ(DescribeSelection(l).details, "Polygon  |  (no vertices)");
  l.scenery[0].sel = true;
  EXPECT_EQ(DescribeSelection(l).title, "1 scenery item, 1 shape");
  DeselectAll(l);
  EXPECT_EQ(DescribeSelection(l).title, "No selection");

  const int h = InsertHelix(doc, "proses_3_5_r1r2", 0, {0, 0});
  for (PlacedPiece& p : l.pieces) p.sel = p.helix == h;
  l.pieces[0].z = 12.7;
  l.units = 2;
  v = DescribeSelection(l);
  EXPECT_EQ(v.shown, (ShownItem{ShownKind::Helix, h}));
  EXPECT_EQ(v.details, "3.5 turns  |  rise 13.4 in  |  R1 360.0 / R2 437.5 mm");
  EXPECT_EQ(v.height_label, "Base height (in):");
  EXPECT_EQ(v.height_text, "0.500");
}

TEST_F(PanelTest, LevelChoiceForEachKindOfSelection) {
  // Pieces: flat ones take the level's height, graded ones keep theirs.
  const int a = build.Start("24188");
  const int b = build.Append("24188");
  P(b).grade = 2;
  P(b).z = 5;
  P(a).sel = P(b).sel = true;
  EXPECT_TRUE(ApplyLevelChoice(doc, DescribeSelection(l).shown, 2));
  EXPECT_EQ(P(a).level, 2);
  EXPECT_EQ(P(a).z, 80);
  EXPECT_EQ(P(b).z, 5);
  EXPECT_EQ(l.active_level, 2);
  ASSERT_TRUE(doc.Undo());
  DeselectAll(l);

  // A helix: bottom stubs at the level, top stubs a rise higher, and the flat deck beyond
  // the top; the walk stops at graded track going down.
  const int h = InsertHelix(doc, "", 0, {2000, 0});
  const Helix helix = l.helices.back();
  const int deck = build.Append("24188", 0, helix.topR1, 1);
  const int ramp = build.Append("24188", 0, deck, 1);
  const int lower = build.Append("24188", 0, ramp, 1);
  P(ramp).grade = -3;
  for (PlacedPiece& p : l.pieces) p.sel = p.helix == h;
  EXPECT_TRUE(ApplyLevelChoice(doc, DescribeSelection(l).shown, 2));
  EXPECT_EQ(P(helix.bottomR2).z, 80);
  EXPECT_EQ(P(helix.topR2).z, 80 + 260);
  EXPECT_EQ(P(deck).z, 340);
  EXPECT_EQ(P(deck).level, 2);
  EXPECT_EQ(P(ramp).level, 1);
  EXPECT_EQ(P(lower).z, 0);
  EXPECT_EQ(P(lower).level, 1);
  // Only helix pieces among selected pieces (not the whole helix): nothing.
  DeselectAll(l);
  P(helix.topR1).sel = true;
  EXPECT_FALSE(ApplyLevelChoice(doc, {ShownKind::Piece, helix.topR1}, 1));

  // Scenery items and polygons only change level.
  DeselectAll(l);
  l.scenery.push_back({50, "platform_island", 0, 0, 0, true, 1, 1, 1});
  EXPECT_TRUE(ApplyLevelChoice(doc, DescribeSelection(l).shown, 2));
  EXPECT_EQ(l.scenery[0].level, 2);
  EXPECT_FALSE(ApplyLevelChoice(doc, {ShownKind::Scenery, 99}, 1));
}

TEST_F(PanelTest, ColorApplyAndLabels) {
  const int a = build.Start("24188");
  const int b = build.Append("24188");
  P(a).sel = true;
  EXPECT_FALSE(ApplyColor(doc, 9));
  EXPECT_TRUE(ApplyColor(doc, 1));
  EXPECT_TRUE(P(a).has_color);
  EXPECT_EQ(P(a).color, (Rgb{220, 60, 60}));
  EXPECT_FALSE(P(b).has_color);
  EXPECT_FALSE(P(a).sel);
  EXPECT_FALSE(ApplyColor(doc, 2));  // nothing selected now
  P(a).sel = true;
  EXPECT_TRUE(ApplyColor(doc, 0));
  EXPECT_FALSE(P(a).has_color);
  EXPECT_EQ(P(a).color, (Rgb{0, 0, 0}));

  // Labels go to the last Ctrl+press on empty canvas once, then to the origin.
  FakePrompter ask;
  CanvasController canvas(doc, ask);
  canvas.SetView(1.0, 0, 0);
  canvas.LeftDown(At(300, 400, {.ctrl = true}));
  EXPECT_FALSE(canvas.AddLabel("").modified);
  EXPECT_TRUE(canvas.AddLabel("Yard\tEast").modified);
  EXPECT_TRUE(canvas.AddLabel("Second").modified);
  ASSERT_EQ(l.labels.size(), 2u);
  EXPECT_EQ(l.labels[0].text, "Yard East");
  EXPECT_EQ((Point{l.labels[0].x, l.labels[0].y}), (Point{300, 400}));
  EXPECT_EQ((Point{l.labels[1].x, l.labels[1].y}), (Point{0, 0}));
}

TEST_F(PanelTest, PieceMenuOffersEndGradeWhileARunIsActive) {
  FakePrompter ask;
  CanvasController canvas(doc, ask);
  canvas.SetView(1.0, 100, 100);
  const int a = build.Start("24188");
  const MouseInput m = At(150, 100);
  EXPECT_FALSE(canvas.RightDown(m).menu_end_grade);
  StartGrade(doc, a, 2);
  const CanvasEffects menu = canvas.RightDown(m);
  EXPECT_EQ(menu.menu, CanvasMenu::Piece);
  EXPECT_TRUE(menu.menu_end_grade);
  const CanvasEffects e = canvas.EndGradeOnMenuPiece();
  EXPECT_TRUE(e.modified);
  EXPECT_EQ(e.status[0], "Grade ended - subsequent pieces will be flat");
  EXPECT_TRUE(l.grade_runs.empty());
}

}  // namespace
