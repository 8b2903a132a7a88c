// The canvas's shortcuts draw what a plain drawing draws: the grid of pieces finds every
// piece near the surface, and simple drawing changes nothing above its zoom and puts
// the lines where the pieces are below it.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout_builder.h"
#include "recording_painter.h"
#include "render/render.h"

namespace {

std::vector<PaintCall> Record(const Layout& l, const ViewTransform& v, RenderContext rc) {
  RecordingPainter rec;
  DrawLayout(rc, rec, l, v, 800, 600);
  return rec.calls;
}

// The box round every point drawn with `op`.
std::pair<IPoint, IPoint> Bounds(const std::vector<PaintCall>& calls, Op op) {
  IPoint lo{1 << 30, 1 << 30}, hi{-(1 << 30), -(1 << 30)};
  for (const PaintCall& c : calls)
    if (c.op == op)
      for (IPoint p : c.pts) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
      }
  return {lo, hi};
}

TEST(CanvasDrawing, GridAndSimpleDrawingKeepThePicture) {
  Layout l = MakeBigLayout(3000);
  l.labels.push_back({l.next_id++, "Yard", 5000, 900});
  RenderContext canvas;
  canvas.keep_piece_index = canvas.simplify = true;
  for (const ViewTransform& v : {ViewTransform{0.4, 60, 60}, ViewTransform{1.3, -9000, -1700},
                                 ViewTransform{3.0, -28900, 60}, ViewTransform{0.1, 5, 5}}) {
    const std::vector<PaintCall> plain = Record(l, v, {});
    EXPECT_GT(plain.size(), 30u);
    EXPECT_EQ(Record(l, v, canvas), plain) << v.zoom;
  }
  // Zoomed out, pieces are lines over the same ground as their bands.
  const ViewTransform far{0.02, 10, 10};
  const std::vector<PaintCall> simple = Record(l, far, canvas);
  EXPECT_TRUE(std::none_of(simple.begin(), simple.end(),
                           [](const PaintCall& c) { return c.op == Op::Polygon; }));
  const auto [lo, hi] = Bounds(simple, Op::Lines);
  const auto [plo, phi] = Bounds(Record(l, far, {}), Op::Polygon);
  EXPECT_LE(std::abs(lo.x - plo.x) + std::abs(lo.y - plo.y), 2);
  EXPECT_LE(std::abs(hi.x - phi.x) + std::abs(hi.y - phi.y), 2);
}

TEST(WheelZoom, ReachesDownToTheFittedViewOfABigLayout) {
  const ViewTransform fit{0.05, 30, 20};
  ViewTransform v{0.3, 100, 100};
  int notches = 0;
  while (!(v == fit) && notches++ < 40) WheelZoom(v, 1 / kWheelZoomStep, 400, 300, fit);
  EXPECT_EQ(notches, 13);  // 0.3 / 1.15^13 = 0.049: the last notch lands on the fit
  WheelZoom(v, 1 / kWheelZoomStep, 400, 300, fit);
  EXPECT_EQ(v, fit);
  WheelZoom(v, kWheelZoomStep, 400, 300, fit);
  EXPECT_DOUBLE_EQ(v.zoom, 0.05 * kWheelZoomStep);
  // A layout that fits at 0.3 or more leaves the floor at 0.3.
  v = {0.32, 0, 0};
  WheelZoom(v, 1 / kWheelZoomStep, 0, 0, {0.5, 0, 0});
  EXPECT_DOUBLE_EQ(v.zoom, kMinZoom);
}

}  // namespace
