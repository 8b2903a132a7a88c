// Canvas overlays: rulers with unit ticks, rubber band, snap target, drag ghosts and
// the rotation readout.
#include "render/render_overlays.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "render/render_internal.h"

using namespace render_detail;

namespace {

constexpr double kMmSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
constexpr double kCmSteps[] = {0.5, 1, 2, 5, 10, 20, 50, 100, 200};
constexpr double kInchSteps[] = {0.25, 0.5, 1, 2, 3, 6, 12, 24, 48, 96, 192};

double UnitFactor(int units) {
  return units == 1 ? 10.0 : (units == 2 ? 25.4 : 1.0);
}

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
  const double px_step = step * UnitFactor(units) * v.zoom;
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
  const double wanted = 60.0 / (UnitFactor(units) * zoom);
  if (units == 1) return FirstStepAtLeast(kCmSteps, wanted);
  if (units == 2) return FirstStepAtLeast(kInchSteps, wanted);
  return FirstStepAtLeast(kMmSteps, wanted);
}

std::string RulerLabel(double value, int units) {
  if (units != 2) return FormatFixed(value, 0);
  if (value == std::floor(value)) return FormatFixed(value, 0) + "\"";
  return FormatFixed(value, 1) + "\"";
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
  const std::string text = FormatFixed(heading_deg, 1) + " deg";
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
