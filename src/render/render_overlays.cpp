// Canvas overlays: rulers with unit ticks, rubber band, snap target, drag ghosts and
// the rotation readout.
#include "render/render_overlays.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "model/translate.h"
#include "model/units.h"
#include "render/render_internal.h"
#include "view/scenery_handles.h"

using namespace render_detail;

namespace {

constexpr double kMmSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
constexpr double kCmSteps[] = {0.5, 1, 2, 5, 10, 20, 50, 100, 200};
constexpr double kInchSteps[] = {0.25, 0.5, 1, 2, 3, 6, 12, 24, 48, 96, 192};

template <std::size_t N>
double FirstStepAtLeast(const double (&steps)[N], double wanted) {
  for (double s : steps)
    if (s >= wanted) return s;
  return steps[N - 1];
}

// Ticks and labels along one band; `offset` is the device position of layout 0.
void RulerTicks(Painter& p, const ViewTransform& v, int units, double offset, int extent,
                bool top) {
  const double step = RulerStep(units, v.zoom);
  const double px_step = step * Units::Of(units).factor() * v.zoom;
  if (!(px_step >= 2.0)) return;
  // Counted, so that a far-away offset (where k + 1 == k) still ends the loop.
  const double first = std::ceil((kRulerBand - offset) / px_step);
  const int ticks = static_cast<int>(extent / px_step) + 2;
  for (int i = 0; i < ticks; ++i) {
    const double k = first + i;
    const double pos = offset + k * px_step;
    if (!(pos < extent)) break;
    if (!(pos >= 0)) continue;
    const int d = static_cast<int>(pos);
    const std::string text = RulerLabel(k == 0 ? 0.0 : k * step, units);
    p.SetPen({140, 140, 140}, 1);
    if (top) {
      p.DrawLine({d, 14}, {d, kRulerBand});
      p.DrawText(text, d + 2, 2);
    } else {
      p.DrawLine({14, d}, {kRulerBand, d});
      p.DrawText(text, 1, d + 1);
    }
  }
}

}  // namespace

double RulerStep(int units, double zoom) {
  const Units u = Units::Of(units);
  const double wanted = 60.0 / (u.factor() * zoom);
  switch (u.code()) {
    case Units::kCentimetres:
      return FirstStepAtLeast(kCmSteps, wanted);
    case Units::kInches:
      return FirstStepAtLeast(kInchSteps, wanted);
    default:
      return FirstStepAtLeast(kMmSteps, wanted);
  }
}

std::string RulerLabel(double value, int units) {
  const Units u = Units::Of(units);
  if (u.code() != Units::kInches) return FormatFixed(value, 0);
  return FormatFixed(value, value == std::floor(value) ? 0 : 1) + u.mark();
}

void DrawRulers(Painter& p, const ViewTransform& v, int units, int width, int height) {
  p.SetBrush({240, 240, 240});
  p.SetPen({180, 180, 180}, 1);
  p.DrawRectangle(0, 0, width, kRulerBand);
  p.DrawRectangle(0, 0, kRulerBand, height);
  p.DrawRectangle(0, 0, kRulerBand, kRulerBand);
  p.SetFont(7, false);
  p.SetTextForeground({80, 80, 80});
  p.SetTransparentTextBackground();
  RulerTicks(p, v, units, v.offset_x, width, true);
  RulerTicks(p, v, units, v.offset_y, height, false);
  const IPoint o = ToDevice(v, 0, 0);
  p.SetPen({200, 80, 80}, 1);
  if (o.x >= kRulerBand && o.x < width) p.DrawLine({o.x, 0}, {o.x, kRulerBand});
  if (o.y >= kRulerBand && o.y < height) p.DrawLine({0, o.y}, {kRulerBand, o.y});
}

void DrawRubberBand(Painter& p, IPoint a, IPoint b) {
  p.SetTransparentBrush();
  p.SetPen({0, 120, 215}, 1, PenStyle::Dot);
  p.DrawRectangle(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

void DrawSnapTarget(Painter& p, IPoint at) {
  p.SetBrush({255, 220, 0});
  p.SetPen({180, 120, 0}, 2);
  p.DrawCircle(at, 8);
}

void DrawConflictMarks(Painter& p, const ViewTransform& v, const std::vector<Point>& at) {
  p.SetTransparentBrush();
  p.SetPen(kConflictRed, 3);
  for (const Point& c : at) p.DrawCircle(ToDevice(v, c.x, c.y), kConflictRingPx);
}

void DrawPieceGhost(RenderContext& rc, Painter& p, const PieceDef& def, const Pose& pose,
                    const ViewTransform& v) {
  PlacedPiece piece;
  piece.x = pose.x;
  piece.y = pose.y;
  piece.heading = pose.heading;
  DrawPiece(rc, p, piece, def, v, false, false, false, &kGhostColors);
}

void DrawSceneryGhost(RenderContext& rc, Painter& p, const SceneryDef& def, const Pose& pose,
                      const ViewTransform& v) {
  DrawSceneryItem(rc, p, def, pose, v, false, 1.0, 1.0);
  const Frame f(pose.x, pose.y, pose.heading);
  p.SetPen({80, 150, 80}, 1, PenStyle::Dot);
  p.SetTransparentBrush();
  RotatedRect(rc.points, v, f, -def.width / 2.0, -def.depth / 2.0, def.width / 2.0,
              def.depth / 2.0);
  p.DrawPolygon(rc.points.data(), 4);
}

void DrawHelixGhost(Painter& p, const ViewTransform& v, const HelixDef& hd, double x, double y) {
  const IPoint c = ToDevice(v, x, y);
  p.SetPen({0, 150, 200}, 2, PenStyle::LongDash);
  p.SetTransparentBrush();
  p.DrawCircle(c, DevLen(v, hd.inner_radius));
  p.DrawCircle(c, DevLen(v, hd.outer_radius));
  p.DrawLine({c.x - 10, c.y}, {c.x + 10, c.y});
  p.DrawLine({c.x, c.y - 10}, {c.x, c.y + 10});
}

void DrawRotationMarker(Painter& p, IPoint pivot, double heading_deg, bool flash) {
  const int r = flash ? 16 : 8;
  if (flash) {
    p.SetBrush({0, 220, 80, 180});
    p.SetPen({0, 160, 60}, 2);
  } else {
    p.SetBrush({255, 180, 0, 160});
    p.SetPen({180, 120, 0}, 2);
  }
  p.DrawCircle(pivot, r);
  const std::string text = FormatFixed(heading_deg, 1) + Tr(" deg");
  p.SetFont(11, true);
  const IPoint ext = p.TextExtent(text);
  const int x = pivot.x + r + 8, y = pivot.y - ext.y / 2;
  p.SetTransparentPen();
  p.SetBrush({30, 30, 30, 200});
  p.DrawRoundedRectangle(x - 5, y - 3, ext.x + 10, ext.y + 6, 4.0);
  p.SetTextForeground(flash ? Color{0, 255, 100} : Color{255, 255, 255});
  p.SetTransparentTextBackground();
  p.DrawText(text, x, y);
}

namespace {

// A length text centred on a device point, on a rounded box.
void LengthBox(Painter& p, IPoint at, const std::string& text, Color fill, Color border,
               Color ink) {
  p.SetFont(10, true);
  const IPoint ext = p.TextExtent(text);
  p.SetBrush(fill);
  p.SetPen(border, 1);
  p.DrawRoundedRectangle(at.x - ext.x / 2 - 5, at.y - ext.y / 2 - 2, ext.x + 10, ext.y + 4, 3.0);
  p.SetTextForeground(ink);
  p.SetTransparentTextBackground();
  p.DrawText(text, at.x - ext.x / 2, at.y - ext.y / 2);
}

IPoint Mid(IPoint a, IPoint b) {
  return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

}  // namespace

void DrawOutlineInProgress(Painter& p, const ViewTransform& v, const std::vector<Point>& vertices,
                           Point mouse, bool can_close, int units) {
  if (vertices.empty()) return;
  const Color blue{40, 80, 200}, green{40, 150, 60};
  std::vector<IPoint> pts;
  for (const Point& q : vertices) pts.push_back(ToDevice(v, q.x, q.y));
  p.SetPen(blue, 2);
  for (std::size_t i = 1; i < pts.size(); ++i) p.DrawLine(pts[i - 1], pts[i]);
  const IPoint m = ToDevice(v, mouse.x, mouse.y);
  if (can_close)
    p.SetPen(green, 2, PenStyle::LongDash);
  else
    p.SetPen(blue, 1, PenStyle::LongDash);
  p.DrawLine(pts.back(), m);
  const Point last = vertices.back();
  const double len = std::hypot(mouse.x - last.x, mouse.y - last.y);
  LengthBox(p, Mid(pts.back(), m), Units::Of(units).MarkedText(len), {255, 255, 255, 200},
            {200, 200, 200}, {20, 20, 60});
  p.SetPen({20, 20, 20}, 1);
  for (std::size_t i = pts.size(); i-- > 0;) {
    p.SetBrush(i == 0 ? green : blue);
    p.DrawCircle(pts[i], i == 0 ? 6 : 4);
  }
  if (can_close) {
    p.SetTransparentBrush();
    p.SetPen(green, 3);
    p.DrawCircle(pts.front(), 12);
    p.SetFont(10, true);
    p.SetTextForeground(green);
    p.SetTransparentTextBackground();
    p.DrawText("Close", pts.front().x + 16, pts.front().y - 8);
  }
}

void DrawMeasureInProgress(Painter& p, const ViewTransform& v, Point start, Point end, int units) {
  const Color blue{40, 80, 200};
  const IPoint a = ToDevice(v, start.x, start.y), b = ToDevice(v, end.x, end.y);
  p.SetPen(blue, 2, PenStyle::LongDash);
  p.DrawLine(a, b);
  p.SetPen(blue, 1);
  p.SetBrush(blue);
  p.DrawCircle(a, 4);
  p.DrawCircle(b, 4);
  const double len = std::hypot(end.x - start.x, end.y - start.y);
  LengthBox(p, Mid(a, b), Units::Of(units).MarkedText(len), {255, 248, 220, 235}, blue,
            {20, 20, 20});
}

void DrawSelectionHandles(Painter& p, const ViewTransform& v, const Layout& layout) {
  p.SetPen({40, 90, 200}, 1);
  p.SetBrush({255, 255, 255});
  for (const LayoutShape& s : layout.shapes) {
    if (!s.sel) continue;
    for (const Point& q : s.vertices) {
      const IPoint d = ToDevice(v, q.x, q.y);
      p.DrawRectangle(d.x - 4, d.y - 4, 9, 9);
    }
  }
  for (const SceneryItem& s : layout.scenery) {
    if (!s.sel) continue;
    const SceneryDef* def = SceneryCatalog::instance().find(s.item);
    if (!def) continue;
    for (const Point& q : SceneryHandles(s, *def)) {
      const IPoint d = ToDevice(v, q.x, q.y);
      p.DrawRectangle(d.x - 4, d.y - 4, 9, 9);
    }
  }
  for (const Measurement& m : layout.measures) {
    if (!m.sel) continue;
    p.DrawCircle(ToDevice(v, m.start.x, m.start.y), 3);
    p.DrawCircle(ToDevice(v, m.end.x, m.end.y), 3);
  }
}
