// The layers around the track (grid, baseboard, levels, shapes, scenery, markers, labels,
// measurements), skip rules, culling and the canvas overlays, checked call by call.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "layout_builder.h"
#include "recording_painter.h"
#include "render/render_overlays.h"

namespace {

constexpr Color kGrid{220, 220, 215};

bool Has(const std::vector<std::string>& texts, const std::string& s) {
  return std::find(texts.begin(), texts.end(), s) != texts.end();
}

TEST(Grid, DrawnOnlyFrom6To400PixelSpacing) {
  const auto lines = [](ViewTransform v) {
    return Paint(WithLevel(), v).WithPen(Op::Line, kGrid).size();
  };
  EXPECT_EQ(lines({0.059, 60, 60}), 0u);  // 5.9 px
  EXPECT_GT(lines({0.06, 60, 60}), 0u);
  EXPECT_GT(lines({4.0, 60, 60}), 0u);
  EXPECT_EQ(lines({4.001, 60, 60}), 0u);     // 400.1 px
  EXPECT_GT(lines({1.0, 1e30, -1e30}), 0u);  // a far-away view still ends the loop
  // 50 px apart from x = -40 (the last line left of 0): 29 vertical and 19 horizontal.
  const RecordingPainter rec = Paint(WithLevel(), {0.5, 60, 60});
  const auto grid = rec.WithPen(Op::Line, kGrid);
  ASSERT_EQ(grid.size(), 48u);
  EXPECT_EQ(grid[0]->pts, (std::vector<IPoint>{{-40, 0}, {-40, 900}}));
  EXPECT_EQ(grid[1]->pts[0].x, 10);
  const auto cross = rec.WithPen(Op::Line, {180, 180, 220});
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(cross[0]->pts, (std::vector<IPoint>{{50, 60}, {70, 60}}));
  EXPECT_TRUE(PaintShowing(WithLevel(), kNoGrid).WithPen(Op::Line, kGrid).empty());
}

TEST(Baseboard, EdgeLabelsFrom10mmOutsideTheBoardInTheLayoutsUnit) {
  Layout l = WithLevel();
  l.baseboard = {{0, 0}, {9.99, 0}, {0, 400}};
  EXPECT_EQ(Paint(l).Texts(), (std::vector<std::string>{"400 mm", "400 mm"}));
  l.baseboard[1].x = 10.0;
  const RecordingPainter rec = Paint(l);
  EXPECT_EQ(rec.Texts(), (std::vector<std::string>{"10 mm", "400 mm", "400 mm"}));
  // The top edge's label sits 12 mm above it, away from the centroid: (5, -12).
  const PaintCall* text = rec.Find(Op::Text)[0];
  const int w = PaintCall::TextWidth("10 mm", 11), h = PaintCall::TextHeight(11);
  EXPECT_EQ(text->pts[0], (IPoint{105 - w / 2, 88 - h / 2}));
  const PaintCall* box = rec.Find(Op::RoundedRect)[0];
  EXPECT_EQ(box->pts[0], (IPoint{105 - w / 2 - 4, 88 - h / 2 - 2}));
  l.baseboard = {{0, 0}, {254, 0}, {254, 254}, {0, 254}};
  l.units = 2;
  EXPECT_EQ(Paint(l).Texts()[0], "10.00\"");
  l.units = 1;
  EXPECT_EQ(Paint(l).Texts()[0], "25.4 cm");
  EXPECT_TRUE(PaintShowing(l, DrawSwitches{.baseboard = false}).Find(Op::Polygon).empty());
}

TEST(Levels, HiddenLevelHidesPiecesShapesAndScenery) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .visible = false, .outline = {}});
  AddPiece(l, "24188", 0, 0, 0, 2);
  l.shapes.push_back({.vertices = {{0, 0}, {100, 0}, {100, 100}}, .level = 2, .label = {}});
  l.scenery.push_back({.id = 50, .item = "platform", .x = 100, .y = 100, .level = 2});
  AddPiece(l, "no-such-article");
  l.scenery.push_back({51, "no-such-item", 0, 0});
  EXPECT_EQ(PaintShowing(l, kNoGrid).calls.size(), 1u);            // the clear only
  l.pieces[0].level = l.shapes[0].level = l.scenery[0].level = 7;  // no such level: shown
  const RecordingPainter rec = PaintShowing(l, kNoGrid);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {210, 210, 205}).size(), 1u);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {120, 170, 110, 140}).size(), 1u);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {180, 175, 170}).size(), 1u);
}

TEST(Levels, DecksByHeightInTheirOwnOrLevelColour) {
  Layout l = WithLevel();
  const Level top{2, "Top", true, 200, true, 10, 20, 30, {{0, 0}, {100, 0}, {100, 100}}};
  Level bottom = top, hidden = top;
  bottom.id = 3, bottom.height = 50, bottom.trackcolor = false;
  hidden.id = 4, hidden.visible = false;
  l.levels.insert(l.levels.end(), {top, bottom, hidden});
  const RecordingPainter rec = PaintShowing(l, kNoGrid);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush, (Color{235, 220, 190}));
  EXPECT_EQ(polys[1]->state.brush, (Color{166, 163, 150}));  // (10 + 490) / 3 ...
  EXPECT_EQ(polys[1]->state.pen, (Color{120, 90, 50}));
}

// The calls of a culled and an unculled drawing that touch an 800 x 600 screen are the same.
void ExpectCullingExact(const Layout& l, const ViewTransform& v, bool efficient,
                        DrawSwitches show = {}) {
  const RecordingPainter culled = Paint(l, v, 800, 600, true, show);
  const RecordingPainter full = Paint(l, v, 800, 600, false, show);
  const auto on_screen = [](const RecordingPainter& rec) {
    std::vector<PaintCall> out;
    for (const PaintCall& c : rec.calls) {
      int x0, y0, x1, y1;
      c.Bounds(x0, y0, x1, y1);
      if (c.op == Op::Clear || (x1 >= 0 && x0 < 800 && y1 >= 0 && y0 < 600)) out.push_back(c);
    }
    return out;
  };
  const std::vector<PaintCall> a = on_screen(culled), b = on_screen(full);
  EXPECT_GT(b.size(), 20u) << v.zoom;
  if (efficient) {
    EXPECT_LT(culled.calls.size(), full.calls.size() / 2) << v.zoom;
  }
  EXPECT_TRUE(a == b) << "zoom " << v.zoom << ": " << a.size() << " vs " << b.size();
}

TEST(DrawLayout, CullingDrawsExactlyWhatIsOnScreen) {
  const ViewTransform views[] = {{0.5, -3000, 100}, {0.2, -500, -50}, {2.0, -9000, -400}};
  Layout l = MakeBigLayout(400);
  for (int i = 0; i < 40; ++i) l.scenery.push_back({1000 + i, "platform", i * 300.0, 200, 30});
  l.pieces[5].sel = true;
  // Short pieces just left of the screen in the second view: only their labels reach in.
  for (int i = 0; i < 20; ++i) AddPiece(l, "8502", 2455, 1000 + 100.0 * i);
  for (const ViewTransform& v : views) ExpectCullingExact(l, v, true);
  // Pieces pointing into the view, their origins swept leftward off its edge two
  // pixels apart: a reach or padding too small drops one that still shows.
  for (const ViewTransform& v : views) {
    Layout sweep = WithLevel();
    for (double px = -420; px < 0; px += 2) {
      for (const char* cat : {"24188", "24130", "24611", "8502", "74861"})
        AddPiece(sweep, cat, (px - v.offset_x) / v.zoom, (300 + px - v.offset_y) / v.zoom);
    }
    // Without labels: their room would hide a reach too small.
    ExpectCullingExact(sweep, v, false, {.labels = false});
  }
}

TEST(Shapes, OrderedByLevelHeightWithOutlinesAndEdgeLengths) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .height = 100, .outline = {}});
  const LayoutShape upper{
      .vertices = {{0, 0}, {100, 0}, {100, 50}}, .r = 100, .level = 2, .label = "Hill"};
  LayoutShape lower = upper;
  lower.level = 1, lower.r = 50, lower.sel = true, lower.label.clear();
  l.shapes = {
      upper, lower, {.vertices = {{0, 0}, {5, 5}}, .label = {}}};  // the last has too few vertices
  const RecordingPainter rec = PaintShowing(l, kNoGrid);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush.r, 50);  // the lower level first
  EXPECT_EQ(polys[0]->state.pen, (Color{40, 80, 200}));
  EXPECT_EQ(polys[1]->state.pen, (Color{50, 85, 55}));
  const auto texts = rec.Find(Op::Text);
  ASSERT_EQ(texts.size(), 7u);  // three edges each, and the label
  EXPECT_EQ(texts[0]->text, "100 mm");
  EXPECT_TRUE(texts[0]->state.text_bg_solid);
  EXPECT_EQ(texts[3]->text, "Hill");
  // The bottom edge's length sits 12 px above it, away from the vertex mean.
  EXPECT_EQ(texts[0]->pts[0].y + PaintCall::TextHeight(10) / 2, 100 - 12);
}

TEST(DrawSceneryItem, PrimitivesScaledTurnedAndTintedWhenSelected) {
  SceneryDef def;
  def.width = 100;
  def.depth = 50;
  const ScenePrim body{kFilledRect, {100, 100, 100, 255}, {0, 0, 0, 255}, 1, 0, 0, 100, 50, {}, {}};
  const ScenePrim ring{kOutlinedEllipse, body.fill, body.stroke, 1, 10, 10, 20, 20, {}, {}};
  const ScenePrim line{kLine, {0, 0, 0, 0}, {9, 9, 9, 255}, 2, 0, 0, 100, 0, {}, {}};
  const ScenePrim text{kText, {1, 2, 3, 255}, {}, 0, 50, 25, 0, 10, {}, "A"};
  def.shapes = {body, ring, line, text};
  RenderContext rc;
  RecordingPainter rec, sel;
  DrawSceneryItem(rc, rec, def, {1000, 1000, 90}, {1.0, 0, 0}, false, 2.0, 1.0);
  DrawSceneryItem(rc, sel, def, {1000, 1000, 90}, {1.0, 0, 0}, true, 2.0, 1.0);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  // Footprint 200 x 50 centred on the position and turned a quarter.
  EXPECT_EQ(polys[0]->pts,
            (std::vector<IPoint>{{1025, 900}, {1025, 1100}, {975, 1100}, {975, 900}}));
  EXPECT_EQ(polys[0]->state.brush, (Color{100, 100, 100, 255}));
  EXPECT_EQ(polys[1]->pts.size(), 20u);  // larger radius 20 px
  EXPECT_TRUE(polys[1]->state.brush_none);
  const auto lines = rec.Find(Op::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->state.pen, (Color{9, 9, 9, 255}));
  EXPECT_EQ(lines[0]->state.pen_width, 2);
  ASSERT_EQ(rec.Texts(), std::vector<std::string>{"A"});
  EXPECT_EQ(rec.Find(Op::Text)[0]->state.font_size, 10);
  EXPECT_EQ(sel.Find(Op::Polygon)[0]->state.brush, (Color{100, 118, 136, 255}));
  const PaintCall* footprint = sel.Find(Op::Polygon).back();
  EXPECT_EQ(footprint->state.pen_style, PenStyle::Dot);
  EXPECT_EQ(footprint->state.pen, (Color{40, 100, 200}));
  EXPECT_EQ(footprint->pts, polys[0]->pts);
}

TEST(DrawLayout, GradeMarkersLabelsAndMeasurements) {
  Layout l = WithLevel();
  const int up = AddPiece(l, "24188"), down = AddPiece(l, "24188", 0, 400);
  l.pieces[1].SetJoint(1, 77, 0);  // only the far end joined: the marker points back
  l.grade_runs = {{2.5, up, 1}, {-1.0, down, 0}, {3.0, 999, 1}};
  l.labels.push_back({5, "Yard", 10, 700, true});
  l.measures.push_back({6, {0, 800}, {100, 800}, {0, 0}, false});
  l.measures.push_back({7, {0, 900}, {5, 900}, {0, 0}, true});
  const RecordingPainter rec = PaintShowing(l, kNoGridNoLabels);
  const auto up_marker = rec.WithPen(Op::Line, {220, 100, 20});
  ASSERT_EQ(up_marker.size(), 1u);
  EXPECT_EQ(up_marker[0]->pts, (std::vector<IPoint>{{194, 100}, {214, 100}}));
  const auto down_marker = rec.WithPen(Op::Line, {30, 100, 200});
  ASSERT_EQ(down_marker.size(), 1u);
  EXPECT_EQ(down_marker[0]->pts, (std::vector<IPoint>{{5, 500}, {-14, 500}}));
  const std::vector<std::string> texts = rec.Texts();
  EXPECT_TRUE(Has(texts, "+2.5 deg") && Has(texts, "-1.0 deg") && Has(texts, "100 mm"));
  // The selected label with its dotted frame.
  const std::size_t yard = rec.FirstIndex([](const PaintCall& c) { return c.text == "Yard"; });
  ASSERT_LT(yard + 1, rec.calls.size());
  EXPECT_EQ(rec.calls[yard].pts[0], (IPoint{110, 800}));
  EXPECT_EQ(rec.calls[yard].state.text, (Color{40, 80, 200}));
  EXPECT_TRUE(rec.calls[yard].state.text_bg_solid);
  EXPECT_EQ(rec.calls[yard + 1].op, Op::Rect);
  EXPECT_EQ(rec.calls[yard + 1].state.pen_style, PenStyle::Dot);
  // Arrowheads only on the measurement longer than 6 px.
  const auto heads = rec.WithBrush(Op::Polygon, {60, 60, 60});
  ASSERT_EQ(heads.size(), 2u);
  EXPECT_EQ(heads[0]->pts, (std::vector<IPoint>{{100, 900}, {110, 905}, {110, 895}}));
  EXPECT_TRUE(rec.WithBrush(Op::Polygon, {40, 80, 200}).empty());
  EXPECT_FALSE(Has(PaintShowing(l, kNoGridNoLabels, {0.24, 100, 100}).Texts(),
                   "+2.5 deg"));  // no marker text
}

TEST(Overlays, RulersGhostsMarkersAndRubberBand) {
  EXPECT_DOUBLE_EQ(RulerStep(0, 0.05), 500);  // none is large enough: the last
  EXPECT_DOUBLE_EQ(RulerStep(1, 1.0), 10);
  EXPECT_DOUBLE_EQ(RulerStep(2, 10.0), 0.25);
  EXPECT_EQ(RulerLabel(0.5, 2) + RulerLabel(6, 2) + RulerLabel(150, 1), "0.5\"6\"150");
  RecordingPainter rulers, hidden_origin;
  DrawRulers(rulers, {1.0, 60, 60}, 0, 400, 300);
  EXPECT_EQ(rulers.Texts(),
            (std::vector<std::string>{"0", "100", "200", "300", "0", "100", "200"}));
  EXPECT_EQ(rulers.Find(Op::Text)[1]->pts[0], (IPoint{162, 2}));
  EXPECT_EQ(rulers.Find(Op::Text)[5]->pts[0], (IPoint{1, 161}));
  EXPECT_EQ(rulers.WithPen(Op::Line, {200, 80, 80}).size(), 2u);
  DrawRulers(hidden_origin, {1.0, 10, 500}, 0, 400, 300);
  EXPECT_TRUE(hidden_origin.WithPen(Op::Line, {200, 80, 80}).empty());

  RenderContext rc;
  RecordingPainter ghost, marker, flash, band;
  DrawPieceGhost(rc, ghost, *Catalog::instance().find("24611"), {0, 0, 0}, {1.0, 0, 0});
  const auto polys = ghost.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush, (Color{200, 225, 200}));
  EXPECT_TRUE(ghost.Texts().empty());
  DrawRotationMarker(marker, {100, 100}, 12.5, false);
  EXPECT_EQ(marker.Find(Op::Circle)[0]->w, 8);
  EXPECT_EQ(marker.Texts(), std::vector<std::string>{"12.5 deg"});
  EXPECT_EQ(marker.Find(Op::Text)[0]->state.text, (Color{255, 255, 255}));
  DrawRotationMarker(flash, {100, 100}, 90, true);
  EXPECT_EQ(flash.Find(Op::Circle)[0]->w, 16);
  EXPECT_EQ(flash.Find(Op::Text)[0]->state.text, (Color{0, 255, 100}));
  DrawRubberBand(band, {50, 40}, {10, 90});
  const PaintCall& r = band.calls.at(0);
  EXPECT_EQ(r.pts[0], (IPoint{10, 40}));
  EXPECT_EQ(std::pair(r.w, r.h), std::pair(40, 50));
  EXPECT_EQ(r.state.pen_style, PenStyle::Dot);
}

TEST(DrawLayout, ExtremeNumbersFromAFileDrawWithoutFault) {
  // Positions, scales and offsets far outside any screen must neither hang nor hit
  // undefined conversions (the sanitizer build checks the latter).
  Layout l = WithLevel();
  AddPiece(l, "24188", 1e300, -1e300);
  AddPiece(l, "24130", std::nan(""), 0);
  l.scenery.push_back({40, "platform", 100, 100, 0, false, 1e300, std::nan("")});
  l.shapes.push_back({.vertices = {{-1e300, 0}, {1e300, 0}, {0, 1e300}}, .label = {}});
  l.measures.push_back({41, {-1e300, 0}, {1e300, 0}, {0, 0}, false});
  l.baseboard = {{0, 0}, {1e12, 0}, {1e12, 1e12}};
  for (const ViewTransform v : {ViewTransform{1.0, 0, 0}, ViewTransform{0.5, 1e30, -1e30}}) {
    EXPECT_FALSE(Paint(l, v).calls.empty());
    RecordingPainter rulers;
    DrawRulers(rulers, v, 2, 800, 600);
    EXPECT_FALSE(rulers.calls.empty());
  }
}

}  // namespace
