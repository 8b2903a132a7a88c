// Layout millimetres to device pixels and back, the zoom steps and "fit".
#include "view/view_transform.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"

namespace {

// Device coordinates far outside any screen are pinned so the conversion to int
// stays defined; such points are off every surface either way.
constexpr double kDeviceLimit = 1.0e9;

int ToDeviceInt(double v) {
  if (!(v > -kDeviceLimit)) return static_cast<int>(-kDeviceLimit);  // NaN lands here too
  if (v > kDeviceLimit) return static_cast<int>(kDeviceLimit);
  return static_cast<int>(std::trunc(v));
}

double ClampZoom(double z) {
  return std::clamp(z, kMinZoom, kMaxZoom);
}

struct Bounds {
  double min_x = 1e9, min_y = 1e9, max_x = -1e9, max_y = -1e9;
  bool any = false;
  void Add(double x, double y) {
    min_x = std::min(min_x, x);
    min_y = std::min(min_y, y);
    max_x = std::max(max_x, x);
    max_y = std::max(max_y, y);
    any = true;
  }
  void AddAll(const std::vector<Point>& pts) {
    for (const Point& p : pts) Add(p.x, p.y);
  }
};

// Pieces give their origin and the point `length` ahead, scenery its position, a
// helix its centre +- 500 mm; unless pieces only: shapes and level outlines their
// vertices, labels their anchor, measurements both ends, a shown baseboard its corners.
Bounds ContentBounds(const Layout& layout, bool pieces_only) {
  Bounds b;
  const Catalog& catalog = Catalog::instance();
  for (const PlacedPiece& p : layout.pieces) {
    const PieceDef* def = catalog.find(p.cat);
    if (!def) continue;
    const double h = DegToRad(p.heading);
    b.Add(p.x, p.y);
    b.Add(p.x + def->length * std::cos(h), p.y + def->length * std::sin(h));
  }
  for (const SceneryItem& s : layout.scenery) b.Add(s.x, s.y);
  for (const Helix& h : layout.helices) {
    b.Add(h.cx - 500.0, h.cy - 500.0);
    b.Add(h.cx + 500.0, h.cy + 500.0);
  }
  if (pieces_only) return b;
  for (const LayoutShape& s : layout.shapes)
    if (s.vertices.size() >= 3) b.AddAll(s.vertices);
  for (const LayoutLabel& l : layout.labels) b.Add(l.x, l.y);
  for (const Measurement& m : layout.measures) {
    b.Add(m.start.x, m.start.y);
    b.Add(m.end.x, m.end.y);
  }
  for (const Level& l : layout.levels)
    if (l.outline.size() >= 3) b.AddAll(l.outline);
  if (layout.show_baseboard && layout.baseboard.size() >= 3) b.AddAll(layout.baseboard);
  return b;
}

}  // namespace

IPoint ToDevice(const ViewTransform& v, double x, double y) {
  return {ToDeviceInt(v.zoom * x + v.offset_x), ToDeviceInt(v.zoom * y + v.offset_y)};
}

Point ToLayoutPoint(const ViewTransform& v, double sx, double sy) {
  return {(sx - v.offset_x) / v.zoom, (sy - v.offset_y) / v.zoom};
}

void ZoomAbout(ViewTransform& v, double factor, double sx, double sy) {
  const Point w = ToLayoutPoint(v, sx, sy);
  v.zoom = ClampZoom(v.zoom * factor);
  v.offset_x = sx - w.x * v.zoom;
  v.offset_y = sy - w.y * v.zoom;
}

void ZoomBy(ViewTransform& v, double factor, int client_width, int client_height) {
  ZoomAbout(v, factor, client_width / 2, client_height / 2);
}

void FitToLayout(ViewTransform& v, const Layout& layout, bool pieces_only, int client_width,
                 int client_height) {
  // A layout with nothing that has a position (or only unknown articles) gets the
  // start view rather than a view of the empty bounds.
  const Bounds b = ContentBounds(layout, pieces_only);
  if (!b.any) {
    v = ViewTransform{};
    return;
  }
  const double w = std::max(1.0, b.max_x - b.min_x);
  const double h = std::max(1.0, b.max_y - b.min_y);
  const double avail_w = client_width - 160.0, avail_h = client_height - 160.0;
  v.zoom = std::max(0.05, std::min({avail_w / w, avail_h / h, kMaxZoom}));
  v.offset_x = 80.0 - v.zoom * b.min_x + (avail_w - v.zoom * w) / 2.0;
  v.offset_y = 80.0 - v.zoom * b.min_y + (avail_h - v.zoom * h) / 2.0;
  // Coordinates near the limits of a double give infinite sizes: shown like empty.
  if (!std::isfinite(v.offset_x) || !std::isfinite(v.offset_y) || !std::isfinite(v.zoom))
    v = ViewTransform{};
}
