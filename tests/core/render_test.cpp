// The layout picture checked call by call: piece colours and bands, helix rings, layer
// order, the redraw fingerprint, and the view transform with "fit".
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "recording_painter.h"
#include "render/draw_hash.h"

namespace {

constexpr Color kCFill{210, 210, 205};
constexpr Color kKFill{215, 200, 175};
constexpr Color kOutline{120, 120, 115};
constexpr Color kSelFill{180, 200, 230};

const PieceDef& Def(const std::string& id) {
  const PieceDef* d = Catalog::instance().find(id);
  EXPECT_NE(d, nullptr) << id;
  return *d;
}

PlacedPiece Piece(const std::string& cat, double heading = 0) {
  PlacedPiece p;
  p.cat = cat, p.heading = heading;
  return p;
}

// One piece drawn alone at the origin.
RecordingPainter DrawOne(const PlacedPiece& p, double zoom = 1.0, bool labels = false) {
  RenderContext rc;
  RecordingPainter rec;
  DrawPiece(rc, rec, p, Def(p.cat), {zoom, 0, 0}, false, labels, false);
  return rec;
}

// The brush and pen of the first band of a piece drawn alone.
PaintState FirstBand(const Layout& l, const PlacedPiece& p, bool sel = false, bool tunnel = false,
                     RenderContext rc = {}) {
  rc.layout = &l;
  RecordingPainter rec;
  DrawPiece(rc, rec, p, Def(p.cat), {1.0, 0, 0}, sel, false, tunnel);
  const auto polys = rec.Find(Op::Polygon);
  EXPECT_FALSE(polys.empty());
  return polys.empty() ? PaintState{} : polys[0]->state;
}

TEST(ViewTransform, MapsWithTruncationAndZoomsClampedAboutAPoint) {
  ViewTransform v{2.0, 10.0, -10.0};
  EXPECT_EQ(ToDevice(v, 1.26, 1.26), (IPoint{12, -7}));
  EXPECT_EQ(ToDevice(v, -5.3, 0), (IPoint{0, -10}));  // -0.6 truncates to 0
  EXPECT_EQ(ToLayoutPoint(v, 12, -7), (Point{1.0, 1.5}));
  EXPECT_GT(ToDevice(v, 1e300, -1e300).x, 1000000);  // stays defined
  v = {16.0, 33.0, -12.0};
  const Point before = ToLayoutPoint(v, 400, 300);
  ZoomBy(v, 1.25, 801, 601);  // integer halves: (400, 300)
  EXPECT_DOUBLE_EQ(v.zoom, 20.0);
  ZoomBy(v, 1.25, 801, 601);
  EXPECT_DOUBLE_EQ(v.zoom, 20.0);
  EXPECT_NEAR(ToLayoutPoint(v, 400, 300).x, before.x, 1e-9);
  EXPECT_NEAR(ToLayoutPoint(v, 400, 300).y, before.y, 1e-9);
  v = {0.35, 60, 60};
  ZoomBy(v, 0.8, 800, 600);
  EXPECT_DOUBLE_EQ(v.zoom, 0.3);
  v = {1.0, 60, 60};
  const Point under = ToLayoutPoint(v, 123, 45);
  ZoomAbout(v, kWheelZoomStep, 123, 45);
  EXPECT_DOUBLE_EQ(v.zoom, 1.15);
  EXPECT_NEAR(ToLayoutPoint(v, 123, 45).x, under.x, 1e-9);
  EXPECT_NEAR(ToLayoutPoint(v, 123, 45).y, under.y, 1e-9);
}

TEST(ViewTransform, FitEmptySinglePointAndWideLayouts) {
  ViewTransform v{3.0, 1, 2};
  Layout l = WithLevel();
  FitToLayout(v, l, false, 1000, 700);
  EXPECT_EQ(v, (ViewTransform{0.4, 60, 60}));
  // Everything on one point: w = h = 1, zoom 20, centred.
  l.scenery = {{1, "platform", 50, 70}, {2, "platform", 50, 70}};
  FitToLayout(v, l, false, 1000, 700);
  EXPECT_EQ(v, (ViewTransform{20.0, 80 - 20.0 * 50 + (840 - 20.0) / 2,
                              80 - 20.0 * 70 + (540 - 20.0) / 2}));
  // A piece whose article is unknown gives no bounds: the start view, not a view at 1e9.
  Layout unknown = WithLevel();
  AddPiece(unknown, "no-such-article", 5000, 5000);
  FitToLayout(v, unknown, false, 1000, 700);
  EXPECT_EQ(v, (ViewTransform{0.4, 60, 60}));
  // A straight gives (0, 0) and (188.3, 0); the label counts unless pieces only.
  l = WithLevel();
  AddPiece(l, "24188");
  l.labels.push_back({7, "Yard", 100, 300});
  FitToLayout(v, l, false, 1000, 700);
  EXPECT_DOUBLE_EQ(v.zoom, 1.8);  // min(840 / 188.3, 540 / 300, 20)
  EXPECT_DOUBLE_EQ(v.offset_x, 80 + (840 - 1.8 * 188.3) / 2);
  EXPECT_DOUBLE_EQ(v.offset_y, 80.0);
  FitToLayout(v, l, true, 1000, 700);
  EXPECT_DOUBLE_EQ(v.zoom, 840 / 188.3);
  EXPECT_DOUBLE_EQ(v.offset_y, 80 + (540 - v.zoom) / 2);
  AddPiece(l, "24188", 100000, 0);  // very wide: stops at 0.05, below the zoom floor
  FitToLayout(v, l, false, 1000, 700);
  EXPECT_DOUBLE_EQ(v.zoom, 0.05);
}

TEST(PieceColours, SystemSelectionTintTunnelLevelAndOverride) {
  Layout l = WithLevel();
  for (const char* c : {"24188", "8500", "62188"}) EXPECT_EQ(FirstBand(l, Piece(c)).brush, kCFill);
  EXPECT_EQ(FirstBand(l, Piece("24188")).pen, kOutline);
  EXPECT_EQ(FirstBand(l, Piece("2200")).brush, kKFill);
  EXPECT_EQ(FirstBand(l, Piece("2200"), true).brush, kSelFill);
  EXPECT_EQ(FirstBand(l, Piece("2200"), true).pen, (Color{40, 100, 200}));
  PlacedPiece p = Piece("24188");
  const auto at = [&](double z) {
    p.z = z;
    return FirstBand(l, p);
  };
  EXPECT_EQ(at(0.5).brush, kCFill);
  EXPECT_EQ(at(30).brush, (Color{232, 215, 132}));
  EXPECT_EQ(at(30).pen, (Color{172, 155, 102}));
  EXPECT_EQ(at(60).brush, (Color{255, 220, 60}));
  EXPECT_EQ(at(120).brush, (Color{180, 110, 0}));
  EXPECT_EQ(at(400).brush, (Color{180, 110, 0}));
  EXPECT_EQ(FirstBand(l, p, true).brush, kSelFill);
  // Flat helix track and track attached to a helix keep the plain colour; graded is tinted.
  p.z = 60, p.helix = 3;
  EXPECT_EQ(FirstBand(l, p).brush, kCFill);
  p.grade = 2.0;
  EXPECT_EQ(FirstBand(l, p).brush, (Color{255, 220, 60}));
  p.helix = -1, p.grade = 0, p.id = 9;
  RenderContext rc;
  rc.helixAttached.insert(9);
  EXPECT_EQ(FirstBand(l, p, false, false, rc).brush, kCFill);
  // Tunnel fade, then level colour (only with trackcolor), the piece's own colour, and
  // the elevation tint over both.
  p.z = 0;
  EXPECT_EQ(FirstBand(l, p, false, true).brush, (Color{216, 216, 214}));
  EXPECT_EQ(FirstBand(l, p, false, true).pen, (Color{180, 180, 178}));
  EXPECT_EQ(FirstBand(l, p, true, true).brush, kSelFill);
  l.levels[0].r = 10, l.levels[0].g = 20, l.levels[0].b = 30;
  EXPECT_EQ(FirstBand(l, p).brush, kCFill);
  l.levels[0].trackcolor = true;
  EXPECT_EQ(FirstBand(l, p).brush, (Color{10, 20, 30}));
  p.has_color = true, p.color = {1, 2, 3};
  EXPECT_EQ(FirstBand(l, p).brush, (Color{1, 2, 3}));
  EXPECT_EQ(at(30).brush, (Color{232, 215, 132}));
}

TEST(DrawPiece, BandWidthAndCurveSegments) {
  for (const auto& [cat, width] : {std::pair{"8500", 120}, std::pair{"24188", 374}}) {
    const RecordingPainter rec = DrawOne(Piece(cat), 10.0);
    const auto polys = rec.Find(Op::Polygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0]->pts[0].y - polys[0]->pts[1].y, width) << cat;
  }
  const RecordingPainter curve = DrawOne(Piece("24130"));
  const auto polys = curve.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 1u);
  ASSERT_EQ(polys[0]->pts.size(), 42u);  // 30 deg: 20 segments, 21 points per arc
  EXPECT_EQ(polys[0]->pts[0], (IPoint{0, -18}));
  EXPECT_EQ(polys[0]->pts[41], (IPoint{0, 18}));
  // The outer arc ends at radius 378.7 around (0, 360), 30 degrees on.
  EXPECT_EQ(polys[0]->pts[20], (IPoint{189, 32}));
  EXPECT_EQ(DrawOne(Piece("24107")).Find(Op::Polygon)[0]->pts.size(), 34u);  // short: 16
}

TEST(DrawPiece, TurnoutAndSlipBandOrder) {
  const Color dark{195, 195, 195};
  auto brushes = [](const std::string& cat) {
    std::vector<Color> out;
    const RecordingPainter rec = DrawOne(Piece(cat));
    for (const PaintCall* c : rec.Find(Op::Polygon)) out.push_back(c->state.brush);
    return out;
  };
  EXPECT_EQ(brushes("24630"), (std::vector<Color>{dark, dark, kCFill}));  // three-way
  EXPECT_EQ(brushes("24611"), (std::vector<Color>{kCFill, dark}));
  EXPECT_EQ(brushes("24671"), (std::vector<Color>{kCFill, dark, dark}));
  EXPECT_EQ(brushes("2269"),
            (std::vector<Color>{kKFill, Color{200, 185, 165}, Color{200, 185, 165}}));
  EXPECT_EQ(brushes("24640"), (std::vector<Color>{kCFill, Color{200, 200, 200}}));
  // Double slip: two bands, then the lighter curves filled without a pen and stroked.
  const Color curve{220, 220, 223};
  EXPECT_EQ(brushes("24624"), (std::vector<Color>{kCFill, Color{202, 202, 201}, curve, curve}));
  const RecordingPainter rec = DrawOne(Piece("24624"));
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 4u);
  EXPECT_TRUE(polys[2]->state.pen_none && polys[3]->state.pen_none);
  EXPECT_EQ(rec.WithPen(Op::Lines, kOutline).size(), 4u);  // outer and inner edges
  EXPECT_EQ(rec.WithPen(Op::Line, kOutline).size(), 4u);   // end lines
  // The first slip curve runs from connector 0 to the diagonal's far end (179.96, 38.74).
  const std::vector<IPoint>& c = polys[2]->pts;
  EXPECT_NEAR((c[16].x + c[17].x) / 2, 180, 1);
  EXPECT_NEAR((c[16].y + c[17].y) / 2, 38, 1);
}

TEST(DrawPiece, TurntableBridgeArchAndContactBox) {
  PlacedPiece t = Piece("74861", 90);
  t.SetJoint(0, 50, 0);
  t.SetJoint(5, 51, 0);
  RenderContext rc;
  RecordingPainter rec;
  DrawPiece(rc, rec, t, Def("74861"), {1.0, 500, 500}, false, false, false);
  const auto disc = rec.WithBrush(Op::Circle, {220, 215, 210}),
             pit = rec.WithBrush(Op::Circle, kCFill);
  ASSERT_TRUE(disc.size() == 1 && pit.size() == 1);
  EXPECT_EQ(std::pair(disc[0]->w, pit[0]->w), std::pair(189, 139));
  EXPECT_EQ(rec.WithBrush(Op::Circle, {160, 140, 100}).size(), 30u);  // spoke ends
  const auto bridge = rec.WithPen(Op::Line, {80, 60, 40});
  ASSERT_EQ(bridge.size(), 1u);
  EXPECT_EQ(bridge[0]->pts, (std::vector<IPoint>{{500, 361}, {500, 639}}));
  EXPECT_EQ(rec.WithPen(Op::Line, {100, 80, 60}).size(), 2u);  // joined connectors only
  const auto text = rec.Find(Op::RotatedText);
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0]->text, "74861");
  EXPECT_EQ(text[0]->pts[0], (IPoint{470, 500}));
  EXPECT_DOUBLE_EQ(text[0]->a0, -90.0);

  const RecordingPainter bridge_rec = DrawOne(Piece("74636")), box_rec = DrawOne(Piece("24994"));
  const auto arcs = bridge_rec.Find(Op::Arc);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0]->pts[0], (IPoint{0, -45}));
  EXPECT_EQ(std::pair(arcs[0]->w, arcs[0]->h), std::pair(360, 90));
  EXPECT_DOUBLE_EQ(arcs[0]->a1 - arcs[0]->a0, 180.0);
  const auto box = box_rec.WithBrush(Op::Rect, {100, 120, 220});
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0]->pts[0], (IPoint{47 - 8, -4}));
}

TEST(DrawPiece, LabelsAndJoinDotsOnlyFromZoom02WhenShown) {
  PlacedPiece p = Piece("24188");
  p.SetJoint(1, 42, 0);
  EXPECT_TRUE(DrawOne(p, 0.19, true).Texts().empty());
  EXPECT_TRUE(DrawOne(p, 0.19, true).Find(Op::Circle).empty());
  EXPECT_TRUE(DrawOne(p, 1.0, false).Find(Op::Circle).empty());
  const RecordingPainter rec = DrawOne(p, 0.2, true);
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"24188"});
  const auto joined = rec.WithBrush(Op::Circle, {60, 180, 60});
  const auto open = rec.WithBrush(Op::Circle, {255, 140, 0});
  ASSERT_TRUE(joined.size() == 1 && open.size() == 1);
  EXPECT_EQ(joined[0]->w, 3);
  EXPECT_EQ(open[0]->pts[0], (IPoint{0, 0}));
  // Outlined in the fill darkened to 70 per cent.
  const Color pen = joined[0]->state.pen;
  EXPECT_NEAR(pen.r, 42, 1);
  EXPECT_NEAR(pen.g, 126, 1);
  EXPECT_NEAR(pen.b, 42, 1);
}

TEST(Helix, RingHasTwelvePiecesPerTurn) {
  HelixDef hd;
  hd.turns = 1.5;
  Helix h;
  h.cx = h.cy = 1000;
  RenderContext rc;
  RecordingPainter rec;
  DrawHelixRing(rc, rec, h, hd, 360, Def("24130"), {0.5, 0, 0}, 1, false);
  const auto polys = rec.Find(Op::Polygon);
  ASSERT_EQ(polys.size(), 18u);
  // Piece 1 starts at -120 degrees around the centre.
  EXPECT_EQ(polys[0]->pts[0], ToDevice({0.5, 0, 0}, 1000 + 378.7 * std::cos(-2 * kPi / 3),
                                       1000 + 378.7 * std::sin(-2 * kPi / 3)));
  hd.turns = 0.05;
  RecordingPainter none;
  DrawHelixRing(rc, none, h, hd, 360, Def("24130"), {0.5, 0, 0}, 1, false);
  EXPECT_TRUE(none.calls.empty());
}

TEST(DrawLayout, TrackOnTheHelixBottomLiesUnderTheRings) {
  Layout l = WithLevel();
  const int b = AddPiece(l, "24188", 0, 0, 180), t = AddPiece(l, "24188", 720, 0);
  const int lo = AddPiece(l, "24188", -200, 0), hi = AddPiece(l, "24188", 900, 0);
  l.pieces[0].helix = l.pieces[1].helix = 100;
  l.pieces[1].z = l.pieces[3].z = 260;  // the high piece is flat and attached: no tint
  l.pieces[2].has_color = l.pieces[3].has_color = true;
  l.pieces[2].color = {1, 1, 1};
  l.pieces[3].color = {3, 3, 3};
  JoinBoth(l, 0, 1, 2, 0);
  JoinBoth(l, 1, 1, 3, 0);
  l.helices.push_back({.id = 100, .cx = 360, .bottomR1 = b, .topR1 = t});
  RenderContext rc;
  rc.show.grid = false;
  RecordingPainter rec;
  DrawLayout(rc, rec, l, {0.5, 700, 500}, 1400, 900);
  const auto is_brush = [](Color c) {
    return [c](const PaintCall& k) { return k.op == Op::Polygon && k.state.brush == c; };
  };
  const auto curve = [](const PaintCall& k) {
    return k.op == Op::Polygon && k.pts.size() == 42 && k.state.brush == kCFill;
  };
  const std::size_t under = rec.FirstIndex(is_brush({1, 1, 1}));
  const std::size_t over = rec.FirstIndex(is_brush({3, 3, 3}));
  EXPECT_LT(under, rec.FirstIndex(curve));
  EXPECT_LT(rec.FirstIndex(curve), over);
  EXPECT_LT(over, rec.calls.size());
  EXPECT_EQ(std::count_if(rec.calls.begin(), rec.calls.end(), curve), 60);  // 2.5 turns x 2
  EXPECT_EQ(rc.helixAttached, (std::unordered_set<int>{lo, hi}));
}

TEST(DrawLayout, PaintsTheLayersInOrder) {
  Layout l = WithLevel();
  l.baseboard = {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}};
  l.levels.push_back({.id = 2, .outline = {{10, 10}, {500, 10}, {500, 500}}});
  l.shapes.push_back({.vertices = {{600, 600}, {700, 600}, {700, 700}}, .label = {}});
  l.scenery = {{11, "platform", 300, 300}, {12, "platform", 900, 300}};
  l.tunnels.push_back({13, 12, -1, -1, -1, {}});
  l.grade_runs.push_back({2.5, AddPiece(l, "24188", 100, 100), 1});
  AddPiece(l, "74871", 300, 100);
  l.labels.push_back({20, "Station", 50, 50});
  l.measures.push_back({21, {0, 800}, {400, 800}, {0, 0}, false});
  const RecordingPainter rec = Paint(l);
  auto poly = [](Color brush) {
    return [brush](const PaintCall& c) {
      return c.op == Op::Polygon && !c.state.brush_none && c.state.brush == brush;
    };
  };
  auto text = [](std::string s) { return [s](const PaintCall& c) { return c.text == s; }; };
  const Color platform{180, 175, 170};
  const std::size_t order[] = {
      rec.FirstIndex([](const PaintCall& c) { return c.op == Op::Clear; }),
      rec.FirstIndex(poly({245, 235, 210})),  // baseboard
      rec.FirstIndex(poly({235, 220, 190})),  // level deck
      rec.FirstIndex([](const PaintCall& c) {
        return c.op == Op::Line && c.state.pen == Color{220, 220, 215};  // grid
      }),
      rec.FirstIndex([](const PaintCall& c) { return c.op == Op::Polygon && c.state.brush_none; }),
      rec.FirstIndex(poly({120, 170, 110, 140})),  // shape
      rec.FirstIndex(poly(platform)),
      rec.FirstIndex(poly(kCFill)),
      rec.FirstIndex(text("74871")),
  };
  for (std::size_t i = 1; i < std::size(order); ++i)
    EXPECT_LT(order[i - 1], order[i]) << "layer " << i;
  // The portal comes after all track, then the grade marker, labels and measurements.
  std::size_t last_platform = 0, last_track = 0;
  for (std::size_t i = 0; i < rec.calls.size(); ++i) {
    if (poly(platform)(rec.calls[i])) last_platform = i;
    if (poly(kCFill)(rec.calls[i])) last_track = i;
  }
  const std::size_t on_top[] = {last_track,
                                last_platform,
                                rec.FirstIndex(text("+2.5 deg")),
                                rec.FirstIndex(text("Station")),
                                rec.FirstIndex(text("400 mm")),
                                rec.calls.size()};
  for (std::size_t i = 1; i < std::size(on_top); ++i)
    EXPECT_LT(on_top[i - 1], on_top[i]) << "overlay " << i;
  // The spoke extension is drawn twice: once with the track, once on top.
  const std::vector<std::string> texts = rec.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "74871"), 2);
}

// The canvas reuses its picture while this fingerprint holds: anything drawn must change it.
TEST(DrawHash, ChangesWithEverythingTheDrawingShows) {
  Layout l = MakeBigLayout(50, 3);
  EnsureDefaultLevel(l);
  l.scenery.push_back({});
  const ViewTransform v{0.4, 60, 60};
  const std::uint64_t base = LayoutDrawHash(l, {}, v, 800, 600);
  EXPECT_EQ(LayoutDrawHash(l, {}, v, 800, 600), base);
  EXPECT_NE(LayoutDrawHash(l, {}, v, 801, 600), base);
  EXPECT_NE(LayoutDrawHash(l, kNoGrid, v, 800, 600), base);
  EXPECT_NE(LayoutDrawHash(l, {.labels = false}, v, 800, 600), base);
  auto changed = [&](auto edit) {
    Layout c = l;
    ViewTransform w = v;
    edit(c, w);
    return LayoutDrawHash(c, {}, w, 800, 600) != base;
  };
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.pieces[7].sel = true; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.pieces[7].x += 0.001; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.pieces[7].joints[0] = Joint{}; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.levels[0].visible = false; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.scenery[0].sel = true; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.units = 1; }));
  EXPECT_TRUE(changed([](Layout& c, ViewTransform&) { c.grade_runs.push_back({}); }));
  EXPECT_TRUE(changed([](Layout&, ViewTransform& w) { w.offset_x += 1; }));
  // What the drawing does not read leaves it alone.
  EXPECT_FALSE(changed([](Layout& c, ViewTransform&) { c.next_id += 5; }));
}

std::string Repeat(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

// Width and height of everything drawn of a signal box at (500, 300) at zoom 2.
IPoint ScenerySize(double scalex, double scaley, double heading) {
  Layout l = WithLevel();
  l.scenery.push_back({1, "signal_box", 500, 300, heading, false, scalex, scaley});
  const RecordingPainter rec = PaintShowing(l, kNoGrid, {2.0, 0, 0});
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -(1 << 30), y1 = -(1 << 30);
  for (const PaintCall& c : rec.calls) {
    if (c.op == Op::Clear) continue;
    int a, b, e, f;
    c.Bounds(a, b, e, f);
    x0 = std::min(x0, a), y0 = std::min(y0, b), x1 = std::max(x1, e), y1 = std::max(y1, f);
  }
  return {x1 - x0, y1 - y0};
}

TEST(DrawLayout, SceneryScaledOnOneAxisIsDrawnStretchedAlongIt) {
  const IPoint plain = ScenerySize(1, 1, 0);
  ASSERT_GT(plain.x, 50);  // 60 x 50 mm at zoom 2
  ASSERT_GT(plain.y, 50);
  const IPoint wide = ScenerySize(2, 1, 0);
  EXPECT_NEAR(wide.x, 2 * plain.x, 2);
  EXPECT_NEAR(wide.y, plain.y, 1);
  const IPoint shallow = ScenerySize(1, 0.5, 0);
  EXPECT_NEAR(shallow.x, plain.x, 1);
  EXPECT_NEAR(shallow.y, plain.y / 2, 2);
  // Turned a quarter, its own width runs down the screen.
  const IPoint turned = ScenerySize(2, 1, 90);
  EXPECT_NEAR(turned.x, plain.y, 2);
  EXPECT_NEAR(turned.y, 2 * plain.x, 2);
}

TEST(DrawLabels, LongTextsAreDrawnCutShortAndLaidOutAgainOnlyWhenTheyChange) {
  const auto drawn = [](const std::string& text) {
    Layout l = WithLevel();
    l.labels.push_back({1, text, 50, 50});
    const std::vector<std::string> texts = Paint(l).Texts();
    return texts.empty() ? std::string("(none)") : texts.back();
  };
  const std::string ellipsis = "\u2026";
  // A megabyte on one line: its first 2,000 letters; in lines: the first 40 lines.
  EXPECT_EQ(drawn(std::string(1 << 20, 'x')), std::string(2000, 'x') + ellipsis);
  EXPECT_EQ(drawn(Repeat("ab\n", 400000)), Repeat("ab\n", 39) + "ab" + ellipsis);
  // Letters, not bytes; and bytes that are not UTF-8 still come out as replacements.
  EXPECT_EQ(drawn(Repeat("\u00e9", 3000)), Repeat("\u00e9", 2000) + ellipsis);
  EXPECT_EQ(drawn(std::string(1999, 'y') + "\xff"), std::string(1999, 'y') + "\ufffd");
  // Right at the limits nothing is left out.
  EXPECT_EQ(drawn(std::string(2000, 'y')), std::string(2000, 'y'));
  EXPECT_EQ(drawn(Repeat("ab\n", 39) + "ab"), Repeat("ab\n", 39) + "ab");

  // Measured line by line once; drawn again unchanged, not measured again.
  Layout l = WithLevel();
  l.labels.push_back({1, Repeat("ab\n", 10000), 50, 50});
  l.labels[0].sel = true;
  RenderContext rc;
  RecordingPainter p;
  const ViewTransform v{1.0, 100, 100};
  DrawLayout(rc, p, l, v, 1400, 900);
  DrawLayout(rc, p, l, v, 1400, 900);
  EXPECT_EQ(p.measured["ab"], 39);  // the 40th line ends in the ellipsis
  EXPECT_EQ(p.measured["ab" + ellipsis], 1);
  // The selection frame goes round all 40 lines.
  const std::vector<const PaintCall*> frames = p.Find(Op::Rect);
  ASSERT_EQ(frames.size(), 2u);
  const int points = TextLabelPoints(1.0);
  EXPECT_EQ(frames[0]->h, 40 * PaintCall::TextHeight(points) + 4);
  EXPECT_EQ(frames[0]->w, PaintCall::TextWidth("ab" + ellipsis, points) + 4);
  // A change within what is drawn is laid out anew, one beyond it is not.
  l.labels[0].text[0] = 'z';
  DrawLayout(rc, p, l, v, 1400, 900);
  EXPECT_EQ(p.measured["zb"], 1);
  l.labels[0].text.back() = 'q';
  DrawLayout(rc, p, l, v, 1400, 900);
  EXPECT_EQ(p.measured["zb"], 1);
  EXPECT_EQ(p.Texts().back().substr(0, 3), "zb\n");
  // So is every label at another zoom, whose font is another size.
  DrawLayout(rc, p, l, {2.0, 100, 100}, 1400, 900);
  EXPECT_EQ(p.measured["zb"], 2);
}

}  // namespace
