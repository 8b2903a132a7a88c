// Scenery items drawn from their catalog primitives, and the rings of a helix.
#include <algorithm>
#include <cmath>

#include "render/render.h"
#include "render/render_internal.h"

using namespace render_detail;

namespace {

Color ToColor(const Rgba& c) {
  return {c.r, c.g, c.b, c.a};
}

Color SelectedTint(Color c) {
  auto ch = [](std::uint8_t v, int add) {
    return static_cast<std::uint8_t>(std::min(255.0, std::trunc(0.7 * v + add)));
  };
  return {ch(c.r, 30), ch(c.g, 48), ch(c.b, 66), c.a};
}

// The item frame: primitive millimetres scaled, centred on the footprint and turned.
struct ItemFrame {
  Frame f;
  double sx, sy, half_w, half_h;
  Point At(double px, double py) const { return f.At(sx * px - half_w, sy * py - half_h); }
};

void EllipsePoints(std::vector<IPoint>& out, const ViewTransform& v, const ItemFrame& item,
                   const ScenePrim& prim) {
  const double larger_radius = std::max(prim.c * item.sx, prim.d * item.sy) / 2.0;
  // Clamped before the conversion (NaN too): item scales come from layout files.
  double segments = std::trunc(larger_radius * v.zoom);
  if (!(segments >= 12.0)) segments = 12.0;
  const int n = static_cast<int>(std::min(segments, 64.0));
  const double cx = prim.a + prim.c / 2.0, cy = prim.b + prim.d / 2.0;
  out.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = 2.0 * kPi * i / n;
    out[static_cast<std::size_t>(i)] =
        Dev(v, item.At(cx + prim.c / 2.0 * std::cos(t), cy + prim.d / 2.0 * std::sin(t)));
  }
}

void DrawPrimitive(RenderContext& rc, Painter& p, const ScenePrim& prim, const ItemFrame& item,
                   const ViewTransform& v, bool selected) {
  Color fill = ToColor(prim.fill);
  if (selected) fill = SelectedTint(fill);
  const bool has_fill = prim.fill.a != 0;
  if (has_fill)
    p.SetBrush(fill);
  else
    p.SetTransparentBrush();
  if (prim.stroke.a != 0 && prim.stroke_width > 0)
    p.SetPen(ToColor(prim.stroke), prim.stroke_width);
  else
    p.SetTransparentPen();
  switch (prim.type) {
    case kOutlinedRect:
    case kFilledRect:
      if (prim.type == kOutlinedRect) p.SetTransparentBrush();
      RotatedRect(rc.points, v, item.f, item.sx * prim.a - item.half_w,
                  item.sy * prim.b - item.half_h, item.sx * (prim.a + prim.c) - item.half_w,
                  item.sy * (prim.b + prim.d) - item.half_h);
      p.DrawPolygon(rc.points.data(), 4);
      return;
    case kOutlinedEllipse:
    case kFilledEllipse:
      if (prim.type == kOutlinedEllipse) p.SetTransparentBrush();
      EllipsePoints(rc.points, v, item, prim);
      p.DrawPolygon(rc.points.data(), static_cast<int>(rc.points.size()));
      return;
    case kPolygon:
      if (prim.points.size() < 3) return;
      rc.points.clear();
      for (const auto& [x, y] : prim.points) rc.points.push_back(Dev(v, item.At(x, y)));
      p.DrawPolygon(rc.points.data(), static_cast<int>(rc.points.size()));
      return;
    case kLine:
      p.SetPen(has_fill ? fill : ToColor(prim.stroke), std::max(1, prim.stroke_width));
      p.SetTransparentBrush();
      p.DrawLine(Dev(v, item.At(prim.a, prim.b)), Dev(v, item.At(prim.c, prim.d)));
      return;
    case kText:
      p.SetFont(std::max(8, static_cast<int>(std::trunc(prim.d * v.zoom))), true);
      p.SetTextForeground(fill);
      p.SetTransparentTextBackground();
      DrawCentredText(p, prim.text, Dev(v, item.At(prim.a, prim.b)));
      return;
    default:
      return;
  }
}

ItemFrame MakeItemFrame(const SceneryDef& def, const Pose& pose, double scale_x, double scale_y) {
  return {Frame(pose.x, pose.y, pose.heading), scale_x, scale_y, scale_x * def.width / 2.0,
          scale_y * def.depth / 2.0};
}

}  // namespace

void DrawSceneryItem(RenderContext& rc, Painter& p, const SceneryDef& def, const Pose& pose,
                     const ViewTransform& v, bool selected, double scale_x, double scale_y) {
  const ItemFrame item = MakeItemFrame(def, pose, scale_x, scale_y);
  for (const ScenePrim& prim : def.shapes) DrawPrimitive(rc, p, prim, item, v, selected);
  if (!selected) return;
  p.SetPen({40, 100, 200}, 1, PenStyle::Dot);
  p.SetTransparentBrush();
  RotatedRect(rc.points, v, item.f, -item.half_w, -item.half_h, item.half_w, item.half_h);
  p.DrawPolygon(rc.points.data(), 4);
}

bool SceneryMayBeVisible(const RenderContext& rc, const SceneryDef& def, const Pose& pose,
                         const ViewTransform& v, double scale_x, double scale_y) {
  if (!rc.cull || rc.width <= 0 || rc.height <= 0) return true;
  const ItemFrame item = MakeItemFrame(def, pose, scale_x, scale_y);
  double reach = std::hypot(item.half_w, item.half_h);
  double pad = 6.0;
  auto add = [&](double px, double py) {
    reach = std::max(reach, std::hypot(scale_x * px - item.half_w, scale_y * py - item.half_h));
  };
  for (const ScenePrim& prim : def.shapes) {
    pad = std::max(pad, 6.0 + prim.stroke_width);
    if (prim.type == kLine) {
      add(prim.a, prim.b);
      add(prim.c, prim.d);
    } else if (prim.type == kPolygon) {
      for (const auto& [x, y] : prim.points) add(x, y);
    } else {
      add(prim.a, prim.b);
      add(prim.a + prim.c, prim.b + prim.d);
      add(prim.a + prim.c, prim.b);
      add(prim.a, prim.b + prim.d);
    }
    if (prim.type == kText)
      pad = std::max(
          pad, static_cast<double>(prim.text.size() + 2) * std::max(8.0, prim.d * v.zoom) * 1.5);
  }
  const double r = reach * v.zoom + pad;
  return MayTouchArea(rc, v.zoom * pose.x + v.offset_x, v.zoom * pose.y + v.offset_y, r);
}

void DrawHelixRing(RenderContext& rc, Painter& p, const Helix& helix, const HelixDef& hd,
                   double radius, const PieceDef& curve, const ViewTransform& v, int level,
                   bool selected) {
  const int n = static_cast<int>(std::trunc(hd.turns * 12.0));
  if (n < 1) return;
  PlacedPiece piece;
  piece.cat = curve.id;
  piece.level = level;
  for (int k = 1; k <= n; ++k) {
    const double at = DegToRad(-90.0 - 30.0 * k + helix.heading);
    piece.x = helix.cx + radius * std::cos(at);
    piece.y = helix.cy + radius * std::sin(at);
    piece.heading = NormalizeAngle(-30.0 * k + helix.heading);
    if (!PieceMayBeVisible(rc, piece, curve, v, false)) continue;
    DrawPiece(rc, p, piece, curve, v, selected, false, false);
  }
}
