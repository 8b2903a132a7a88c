// What the pictures do not show: the view transform with "fit", when labels and dots
// appear, the redraw fingerprint, and how long label texts are cut and laid out.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "recording_painter.h"
#include "render/draw_hash.h"

namespace {

// One piece drawn alone at the origin.
RecordingPainter DrawOne(const PlacedPiece& p, double zoom = 1.0, bool labels = false) {
  RenderContext rc;
  RecordingPainter rec;
  DrawPiece(rc, rec, p, *Catalog::instance().find(p.cat), {zoom, 0, 0}, false, labels, false);
  return rec;
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
  EXPECT_NEAR(ToLayoutPoint(v, 400, 300).x, before.x, 1e-9);
  EXPECT_NEAR(ToLayoutPoint(v, 400, 300).y, before.y, 1e-9);
  ZoomBy(v, 1.25, 801, 601);
  EXPECT_DOUBLE_EQ(v.zoom, 20.0);
  v = {0.35, 60, 60};
  ZoomBy(v, 0.8, 800, 600);
  EXPECT_DOUBLE_EQ(v.zoom, 0.3);
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

TEST(DrawPiece, LabelsAndJoinDotsOnlyFromZoom02WhenShown) {
  PlacedPiece p;
  p.cat = "24188";
  EXPECT_TRUE(DrawOne(p, 0.19, true).calls.size() == 1u);  // the band only
  const RecordingPainter rec = DrawOne(p, 0.2, true);
  EXPECT_EQ(rec.Texts(), std::vector<std::string>{"24188"});
  EXPECT_EQ(rec.Find(Op::Circle).size(), 2u);
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
  // Letters, not bytes.
  EXPECT_EQ(drawn(Repeat("\u00e9", 3000)), Repeat("\u00e9", 2000) + ellipsis);
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
