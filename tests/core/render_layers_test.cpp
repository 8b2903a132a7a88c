// The layers around the track (grid, baseboard, shapes, scenery, markers, labels,
// measurements), skip rules, culling and the canvas overlays, checked call by call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "canvas/render.h"
#include "canvas/render_overlays.h"
#include "catalog/catalog.h"
#include "layout_builder.h"
#include "recording_painter.h"

namespace {

Layout WithLevel() {
  Layout l;
  l.levels.push_back(Level{});
  return l;
}

int AddPiece(Layout& l, const std::string& cat, double x, double y, int level = 1) {
  PlacedPiece p;
  p.id = l.next_id++;
  p.cat = cat;
  p.x = x;
  p.y = y;
  p.level = level;
  l.pieces.push_back(p);
  return p.id;
}

RecordingPainter Paint(const Layout& l, ViewTransform v = {1.0, 100, 100}, int w = 1400,
                       int h = 900, bool cull = true) {
  RenderContext rc;
  rc.cull = cull;
  RecordingPainter rec;
  DrawLayout(rc, rec, l, v, w, h);
  return rec;
}

std::size_t GridLines(double zoom) {
  Layout l = WithLevel();
  return Paint(l, {zoom, 60, 60}).WithPen(Op::Line, {220, 220, 215}).size();
}

bool OnScreen(const PaintCall& c, int w, int h) {
  if (c.op == Op::Clear) return true;
  int x0, y0, x1, y1;
  c.Bounds(x0, y0, x1, y1);
  return x1 >= 0 && x0 < w && y1 >= 0 && y0 < h;
}

}  // namespace

TEST(Grid, DrawnOnlyFrom6To400PixelSpacing) {
  EXPECT_EQ(GridLines(0.059), 0u);  // 5.9 px
  EXPECT_GT(GridLines(0.06), 0u);
  EXPECT_GT(GridLines(4.0), 0u);
  EXPECT_EQ(GridLines(4.001), 0u);  // 400.1 px
  // 50 px apart from x = -40 (the last line left of 0): 29 vertical and 19 horizontal.
  const RecordingPainter rec = Paint(WithLevel(), {0.5, 60, 60});
  const auto lines = rec.WithPen(Op::Line, {220, 220, 215});
  ASSERT_EQ(lines.size(), 48u);
  EXPECT_EQ(lines[0]->pts, (std::vector<IPoint>{{-40, 0}, {-40, 900}}));
  EXPECT_EQ(lines[1]->pts[0].x, 10);
  const auto cross = rec.WithPen(Op::Line, {180, 180, 220});
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(cross[0]->pts, (std::vector<IPoint>{{50, 60}, {70, 60}}));
  Layout off = WithLevel();
  off.show_grid = false;
  EXPECT_TRUE(Paint(off).WithPen(Op::Line, {220, 220, 215}).empty());
  // A far-away view still ends the grid loop.
  EXPECT_EQ(Paint(WithLevel(), {1.0, 1e30, -1e30}).WithPen(Op::Line, {220, 220, 215}).size() > 0,
            true);
}

TEST(Baseboard, EdgeLabelsFrom10mmOutsideTheBoard) {
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
  EXPECT_EQ(text->state.text, (Color{80, 50, 20}));
  const PaintCall* box = rec.Find(Op::RoundedRect)[0];
  EXPECT_EQ(box->pts[0], (IPoint{105 - w / 2 - 4, 88 - h / 2 - 2}));
  EXPECT_EQ(box->state.brush, (Color{255, 248, 220, 200}));
  l.baseboard = {{0, 0}, {254, 0}, {254, 254}, {0, 254}};
  l.units = 2;
  EXPECT_EQ(Paint(l).Texts()[0], "10.00\"");
  l.units = 1;
  EXPECT_EQ(Paint(l).Texts()[0], "25.4 cm");
  l.show_baseboard = false;
  const auto none = Paint(l);
  EXPECT_TRUE(none.Find(Op::Polygon).empty());
}

TEST(DrawLayout, HiddenLevelHidesPiecesShapesAndScenery) {
  Layout l = WithLevel();
  l.show_grid = false;
  Level hidden;
  hidden.id = 2;
  hidden.visible = false;
  l.levels.push_back(hidden);
  AddPiece(l, "24188", 0, 0, 2);
  LayoutShape shape;
  shape.vertices = {{0, 0}, {100, 0}, {100, 100}};
  shape.level = 2;
  l.shapes.push_back(shape);
  SceneryItem item{50, "platform", 100, 100};
  item.level = 2;
  l.scenery.push_back(item);
  AddPiece(l, "no-such-article", 0, 0);
  l.scenery.push_back({51, "no-such-item", 0, 0});
  EXPECT_EQ(Paint(l).calls.size(), 1u);  // the clear only
  l.pieces[0].level = 7;                 // a level that does not exist hides nothing
  l.shapes[0].level = 7;
  l.scenery[0].level = 7;
  const RecordingPainter rec = Paint(l);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {210, 210, 205}).size(), 1u);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {120, 170, 110, 140}).size(), 1u);
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {180, 175, 170}).size(), 1u);
}

TEST(DrawLayout, CullingDrawsExactlyWhatIsOnScreen) {
  Layout l = MakeBigLayout(400);
  for (int i = 0; i < 40; ++i) l.scenery.push_back({1000 + i, "platform", i * 300.0, 200, 30});
  l.pieces[5].sel = true;
  // Short pieces just left of the screen in the second view: only their labels reach in.
  for (int i = 0; i < 20; ++i) AddPiece(l, "8502", 2455, 1000 + 100.0 * i);
  for (const ViewTransform v : {ViewTransform{0.5, -3000, 100}, ViewTransform{0.2, -500, -50},
                                ViewTransform{2.0, -9000, -400}}) {
    const RecordingPainter culled = Paint(l, v, 800, 600, true);
    const RecordingPainter full = Paint(l, v, 800, 600, false);
    std::vector<PaintCall> a, b;
    for (const PaintCall& c : culled.calls)
      if (OnScreen(c, 800, 600)) a.push_back(c);
    for (const PaintCall& c : full.calls)
      if (OnScreen(c, 800, 600)) b.push_back(c);
    EXPECT_GT(b.size(), 20u) << v.zoom;
    EXPECT_LT(culled.calls.size(), full.calls.size() / 2);
    EXPECT_TRUE(a == b) << "zoom " << v.zoom << ": " << a.size() << " vs " << b.size();
  }
}

TEST(Shapes, OrderedByLevelHeightWithOutlinesAndEdgeLengths) {
  Layout l = WithLevel();
  l.show_grid = false;
  Level high;
  high.id = 2;
  high.height = 100;
  l.levels.push_back(high);
  LayoutShape upper;
  upper.vertices = {{0, 0}, {100, 0}, {100, 50}};
  upper.level = 2;
  upper.r = 100;
  upper.label = "Hill";
  LayoutShape lower = upper;
  lower.level = 1;
  lower.r = 50;
  lower.sel = true;
  lower.outline = true;
  lower.label.clear();
  LayoutShape line;
  line.vertices = {{0, 0}, {5, 5}};  // too few vertices
  l.shapes = {upper, lower, line};
  const RecordingPainter rec = Paint(l);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush.r, 50);  // the lower level first
  EXPECT_EQ(polys[0]->state.pen, (Color{40, 80, 200}));
  EXPECT_EQ(polys[0]->state.pen_width, 3);
  EXPECT_EQ(polys[1]->state.pen, (Color{50, 85, 55}));
  EXPECT_EQ(polys[1]->state.pen_width, 2);
  const auto texts = rec.Find(Op::Text);
  ASSERT_EQ(texts.size(), 7u);  // three edges each, and the label
  EXPECT_EQ(texts[0]->text, "100 mm");
  EXPECT_TRUE(texts[0]->state.text_bg_solid);
  EXPECT_EQ(texts[0]->state.text_bg, (Color{255, 255, 255, 180}));
  EXPECT_EQ(texts[0]->state.font_size, 10);
  EXPECT_EQ(texts[3]->text, "Hill");
  // The bottom edge's length sits 12 px above it, away from the vertex mean.
  EXPECT_EQ(texts[0]->pts[0].y + PaintCall::TextHeight(10) / 2, 100 - 12);
}

TEST(DrawSceneryItem, PrimitivesScaledTurnedAndTintedWhenSelected) {
  SceneryDef def;
  def.width = 100;
  def.depth = 50;
  ScenePrim body;
  body.type = kFilledRect;
  body.fill = {100, 100, 100, 255};
  body.stroke = {0, 0, 0, 255};
  body.stroke_width = 1;
  body.c = 100;
  body.d = 50;
  ScenePrim ring = body;
  ring.type = kOutlinedEllipse;
  ring.a = ring.b = 10;
  ring.c = ring.d = 20;
  ScenePrim line;
  line.type = kLine;
  line.fill = {0, 0, 0, 0};
  line.stroke = {9, 9, 9, 255};
  line.stroke_width = 2;
  line.c = 100;
  ScenePrim text;
  text.type = kText;
  text.fill = {1, 2, 3, 255};
  text.a = 50;
  text.b = 25;
  text.d = 10;
  text.text = "A";
  def.shapes = {body, ring, line, text};
  RenderContext rc;
  RecordingPainter rec;
  DrawSceneryItem(rc, rec, def, {1000, 1000, 90}, {1.0, 0, 0}, false, 2.0, 1.0);
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
  RecordingPainter sel;
  DrawSceneryItem(rc, sel, def, {1000, 1000, 90}, {1.0, 0, 0}, true, 2.0, 1.0);
  EXPECT_EQ(sel.Find(Op::Polygon)[0]->state.brush, (Color{100, 118, 136, 255}));
  const PaintCall* footprint = sel.Find(Op::Polygon).back();
  EXPECT_EQ(footprint->state.pen_style, PenStyle::Dot);
  EXPECT_EQ(footprint->state.pen, (Color{40, 100, 200}));
  EXPECT_EQ(footprint->pts, polys[0]->pts);
}

TEST(DrawLayout, GradeMarkersLabelsAndMeasurements) {
  Layout l = WithLevel();
  l.show_grid = false;
  l.show_labels = false;
  const int up = AddPiece(l, "24188", 0, 0);
  const int down = AddPiece(l, "24188", 0, 400);
  l.pieces[1].SetJoint(1, 77, 0);  // only the far end joined: the marker points back
  l.grade_runs = {{2.5, up, 1}, {-1.0, down, 0}, {3.0, 999, 1}};
  l.labels.push_back({5, "Yard", 10, 700, true});
  l.measures.push_back({6, {0, 800}, {100, 800}, {0, 0}, false});
  l.measures.push_back({7, {0, 900}, {5, 900}, {0, 0}, true});
  const RecordingPainter rec = Paint(l);
  const auto up_marker = rec.WithPen(Op::Line, {220, 100, 20});
  ASSERT_EQ(up_marker.size(), 1u);
  EXPECT_EQ(up_marker[0]->pts, (std::vector<IPoint>{{194, 100}, {214, 100}}));
  EXPECT_EQ(up_marker[0]->state.pen_width, 3);
  const auto down_marker = rec.WithPen(Op::Line, {30, 100, 200});
  ASSERT_EQ(down_marker.size(), 1u);
  EXPECT_EQ(down_marker[0]->pts, (std::vector<IPoint>{{5, 500}, {-14, 500}}));
  const std::vector<std::string> texts = rec.Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "+2.5 deg"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "-1.0 deg"), texts.end());
  // The selected label with its dotted frame.
  const auto yard = std::find_if(rec.calls.begin(), rec.calls.end(),
                                 [](const PaintCall& c) { return c.text == "Yard"; });
  ASSERT_NE(yard, rec.calls.end());
  EXPECT_EQ(yard->pts[0], (IPoint{110, 800}));
  EXPECT_EQ(yard->state.text, (Color{40, 80, 200}));
  EXPECT_TRUE(yard->state.text_bg_solid);
  EXPECT_EQ((yard + 1)->op, Op::Rect);
  EXPECT_EQ((yard + 1)->state.pen_style, PenStyle::Dot);
  // Arrowheads only on the measurement longer than 6 px.
  EXPECT_EQ(rec.WithBrush(Op::Polygon, {60, 60, 60}).size(), 2u);
  EXPECT_TRUE(rec.WithBrush(Op::Polygon, {40, 80, 200}).empty());
  const auto head = rec.WithBrush(Op::Polygon, {60, 60, 60})[0];
  EXPECT_EQ(head->pts, (std::vector<IPoint>{{100, 900}, {110, 905}, {110, 895}}));
  EXPECT_NE(std::find(texts.begin(), texts.end(), "100 mm"), texts.end());
  EXPECT_EQ(rec.WithBrush(Op::RoundedRect, {220, 232, 255, 235}).size(), 1u);
  // Below zoom 0.25 the markers lose their text.
  const std::vector<std::string> small = Paint(l, {0.24, 100, 100}).Texts();
  EXPECT_EQ(std::find(small.begin(), small.end(), "+2.5 deg"), small.end());
}

TEST(Overlays, RulerStepsAndLabelsPerUnit) {
  EXPECT_DOUBLE_EQ(RulerStep(0, 1.0), 100);
  EXPECT_DOUBLE_EQ(RulerStep(0, 0.05), 500);  // none is large enough: the last
  EXPECT_DOUBLE_EQ(RulerStep(1, 1.0), 10);
  EXPECT_DOUBLE_EQ(RulerStep(2, 1.0), 3);
  EXPECT_DOUBLE_EQ(RulerStep(2, 10.0), 0.25);
  EXPECT_EQ(RulerLabel(0.5, 2), "0.5\"");
  EXPECT_EQ(RulerLabel(6, 2), "6\"");
  EXPECT_EQ(RulerLabel(150, 1), "150");
  RecordingPainter rec;
  DrawRulers(rec, {1.0, 60, 60}, 0, 400, 300);
  const std::vector<std::string> texts = rec.Texts();
  EXPECT_EQ(texts, (std::vector<std::string>{"0", "100", "200", "300", "0", "100", "200"}));
  EXPECT_EQ(rec.Find(Op::Text)[1]->pts[0], (IPoint{162, 2}));
  EXPECT_EQ(rec.Find(Op::Text)[5]->pts[0], (IPoint{1, 161}));
  EXPECT_EQ(rec.WithPen(Op::Line, {200, 80, 80}).size(), 2u);
  RecordingPainter hidden_origin;
  DrawRulers(hidden_origin, {1.0, 10, 500}, 0, 400, 300);
  EXPECT_TRUE(hidden_origin.WithPen(Op::Line, {200, 80, 80}).empty());
}

TEST(Overlays, GhostsMarkersAndRubberBand) {
  RenderContext rc;
  RecordingPainter rec;
  DrawPieceGhost(rc, rec, *Catalog::instance().find("24611"), {0, 0, 0}, {1.0, 0, 0});
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush, (Color{200, 225, 200}));
  EXPECT_EQ(polys[0]->state.pen, (Color{80, 150, 80}));
  EXPECT_TRUE(rec.Texts().empty());
  RecordingPainter marker;
  DrawRotationMarker(marker, {100, 100}, 12.5, false);
  EXPECT_EQ(marker.Find(Op::Circle)[0]->w, 8);
  EXPECT_EQ(marker.Find(Op::Circle)[0]->state.brush, (Color{255, 180, 0, 160}));
  EXPECT_EQ(marker.Texts(), std::vector<std::string>{"12.5 deg"});
  EXPECT_EQ(marker.Find(Op::Text)[0]->state.text, (Color{255, 255, 255}));
  RecordingPainter flash;
  DrawRotationMarker(flash, {100, 100}, 90, true);
  EXPECT_EQ(flash.Find(Op::Circle)[0]->w, 16);
  EXPECT_EQ(flash.Find(Op::Text)[0]->state.text, (Color{0, 255, 100}));
  RecordingPainter band;
  DrawRubberBand(band, {50, 40}, {10, 90});
  const PaintCall& r = band.calls.at(0);
  EXPECT_EQ(r.pts[0], (IPoint{10, 40}));
  EXPECT_EQ(r.w, 40);
  EXPECT_EQ(r.h, 50);
  EXPECT_EQ(r.state.pen_style, PenStyle::Dot);
}

TEST(DrawLayout, ExtremeNumbersFromAFileDrawWithoutFault) {
  // Positions, scales and offsets far outside any screen must neither hang nor hit
  // undefined conversions (the sanitizer build checks the latter).
  Layout l = WithLevel();
  AddPiece(l, "24188", 1e300, -1e300);
  AddPiece(l, "24130", std::nan(""), 0);
  l.scenery.push_back({40, "platform", 100, 100, 0, false, 1e300, std::nan("")});
  LayoutShape shape;
  shape.vertices = {{-1e300, 0}, {1e300, 0}, {0, 1e300}};
  l.shapes.push_back(shape);
  l.measures.push_back({41, {-1e300, 0}, {1e300, 0}, {0, 0}, false});
  l.baseboard = {{0, 0}, {1e12, 0}, {1e12, 1e12}};
  for (const ViewTransform v : {ViewTransform{1.0, 0, 0}, ViewTransform{0.5, 1e30, -1e30}}) {
    const RecordingPainter rec = Paint(l, v);
    EXPECT_FALSE(rec.calls.empty());
    RecordingPainter rulers;
    DrawRulers(rulers, v, 2, 800, 600);
    EXPECT_FALSE(rulers.calls.empty());
  }
}

TEST(DrawLayout, LevelDecksByHeightInTheirOwnOrLevelColour) {
  Layout l = WithLevel();
  l.show_grid = false;
  Level top, bottom;
  top.id = 2;
  top.height = 200;
  top.outline = {{0, 0}, {100, 0}, {100, 100}};
  top.trackcolor = true;
  top.r = 10;
  top.g = 20;
  top.b = 30;
  bottom = top;
  bottom.id = 3;
  bottom.height = 50;
  bottom.trackcolor = false;
  Level hidden = bottom;
  hidden.id = 4;
  hidden.visible = false;
  l.levels.insert(l.levels.end(), {top, bottom, hidden});
  const auto rec = Paint(l);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0]->state.brush, (Color{235, 220, 190}));
  EXPECT_EQ(polys[1]->state.brush, (Color{166, 163, 150}));  // (10 + 490) / 3 ...
  EXPECT_EQ(polys[1]->state.pen, (Color{120, 90, 50}));
  EXPECT_EQ(polys[1]->state.pen_width, 2);
}
