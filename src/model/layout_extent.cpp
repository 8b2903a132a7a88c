#include "model/layout_extent.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/piece_routes.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"
#include "model/layout_ops.h"

namespace {

class ExtentBuilder {
 public:
  void Add(double x, double y) {
    if (!e_.any) {
      e_ = {x, y, x, y, true};
      return;
    }
    e_.min_x = std::min(e_.min_x, x);
    e_.min_y = std::min(e_.min_y, y);
    e_.max_x = std::max(e_.max_x, x);
    e_.max_y = std::max(e_.max_y, y);
  }
  void AddAll(const std::vector<Point>& points) {
    for (const Point& p : points) Add(p.x, p.y);
  }
  const Extent& extent() const { return e_; }

 private:
  Extent e_;
};

bool Counts(OnLevels which, const Layout& layout, int level) {
  switch (which) {
    case OnLevels::None:
      return false;
    case OnLevels::All:
      return true;
    case OnLevels::Visible:
      return LevelVisible(layout, level);
    case OnLevels::Active:
      return level == layout.active_level;
  }
  return false;
}

int BottomLevel(const Layout& layout, const Helix& helix) {
  const int bottom = FindPiece(layout, helix.bottomR1);
  return bottom >= 0 ? layout.pieces[static_cast<std::size_t>(bottom)].level : 1;
}

// A piece's position and heading: piece millimetres to layout millimetres.
bool HelixSelected(const Layout& layout, const Helix& helix) {
  return std::any_of(layout.pieces.begin(), layout.pieces.end(),
                     [&](const PlacedPiece& p) { return p.helix == helix.id && p.sel; });
}

struct PieceFrame {
  double x, y, heading, c, s;
  PieceFrame(double px, double py, double heading_deg)
      : x(px),
        y(py),
        heading(heading_deg),
        c(std::cos(DegToRad(heading_deg))),
        s(std::sin(DegToRad(heading_deg))) {}
  Point At(double px, double py) const { return {px * c - py * s + x, px * s + py * c + y}; }
};

void AddSquare(ExtentBuilder& b, Point centre, double half) {
  b.Add(centre.x - half, centre.y - half);
  b.Add(centre.x + half, centre.y + half);
}

// The piece as the plan draws it: its bands at full track width (a straight band lies in
// the squares about its ends, a curved one in those about points every 5 degrees), the
// turntable's rim and the arch over a bridge.
void AddPieceOutline(ExtentBuilder& b, const PieceDef& def, const PieceFrame& f) {
  const double hw = TrackHalfWidth(def.system);
  const auto straight = [&](double x0, double y0, double x1, double y1) {
    AddSquare(b, f.At(x0, y0), hw);
    AddSquare(b, f.At(x1, y1), hw);
  };
  // Radius r, signed sweep a (degrees), from piece point (x0, y0) heading h0 degrees.
  const auto arc = [&](double x0, double y0, double h0, double a) {
    const int n = std::max(2, static_cast<int>(std::ceil(std::fabs(a) / 5.0)));
    const double step = DegToRad(std::fabs(a)) / n, side = a >= 0 ? 1.0 : -1.0;
    const double r = def.radius, half = hw + r * (1.0 - std::cos(step / 2.0));
    const Point from = f.At(x0, y0);
    const PieceFrame start(from.x, from.y, f.heading + h0);
    for (int i = 0; i <= n; ++i)
      AddSquare(b, start.At(r * std::sin(i * step), side * r * (1.0 - std::cos(i * step))), half);
  };
  ForEachRoute(def, straight, arc);
  if (def.kind == PieceKind::Turntable) AddSquare(b, f.At(0, 0), def.length / 2.0);
  const std::vector<Connector>& k = def.connectors;
  for (const Connector& c : k) AddSquare(b, f.At(c.x, c.y), hw);
  if (!def.elevated) return;
  // The arch is half an ellipse upright on the plan, over the middle of the piece.
  if (def.kind == PieceKind::Curve) {
    const double side = k.size() >= 2 && k[1].y < 0 ? -1.0 : 1.0;
    const double half = DegToRad(std::fabs(def.angle) / 2.0), r = 0.22 * def.radius;
    const Point mid = f.At(def.radius * std::sin(half), side * def.radius * (1 - std::cos(half)));
    b.Add(mid.x - r, mid.y - r / 3.0);
    b.Add(mid.x + r, mid.y + r / 3.0);
  } else if (def.kind == PieceKind::Straight || def.kind == PieceKind::Bumper ||
             def.kind == PieceKind::StraightSpecial) {
    const Point mid = f.At(def.length / 2.0, 0);
    b.Add(mid.x - def.length / 2.0, mid.y - def.length / 8.0);
    b.Add(mid.x + def.length / 2.0, mid.y + def.length / 8.0);
  }
}

void AddHelixRings(ExtentBuilder& b, const Helix& helix, bool as_drawn) {
  const HelixDef* hd = HelixCatalog::resolve(helix.variant);
  if (!hd) return;
  const Catalog& catalog = Catalog::instance();
  const PieceDef* inner = catalog.find(hd->inner_curve_id);
  const PieceDef* outer = catalog.find(hd->outer_curve_id);
  if (!inner || !outer) return;
  const int n = static_cast<int>(hd->turns * 12.0);
  for (const auto& [radius, curve] :
       {std::pair{hd->inner_radius, inner}, {hd->outer_radius, outer}})
    for (int k = 1; k <= n; ++k) {
      const Point at = HelixRingPoint(helix, radius, HelixPieceAngle(k));
      b.Add(at.x, at.y);
      if (as_drawn) AddPieceOutline(b, *curve, PieceFrame(at.x, at.y, helix.heading - 30.0 * k));
    }
}

}  // namespace

Extent LayoutExtent(const Layout& layout, const ExtentFilter& filter) {
  ExtentBuilder b;
  const Catalog& catalog = Catalog::instance();
  if (filter.pieces != OnLevels::None)
    for (const PlacedPiece& p : layout.pieces) {
      if (!Counts(filter.pieces, layout, p.level) || (filter.selected_only && !p.sel)) continue;
      const PieceDef* def = catalog.find(p.cat);
      if (!def) continue;
      const double h = DegToRad(p.heading);
      b.Add(p.x, p.y);
      if (filter.as_drawn)
        AddPieceOutline(b, *def, PieceFrame(p.x, p.y, p.heading));
      else
        b.Add(p.x + def->length * std::cos(h), p.y + def->length * std::sin(h));
    }
  if (filter.scenery != OnLevels::None)
    for (const SceneryItem& s : layout.scenery) {
      if (!Counts(filter.scenery, layout, s.level) || (filter.selected_only && !s.sel)) continue;
      if (!filter.scenery_footprints && !filter.as_drawn) {
        b.Add(s.x, s.y);
        continue;
      }
      const SceneryDef* def = SceneryCatalog::instance().find(s.item);
      if (!def) continue;
      b.Add(s.x, s.y);
      if (!filter.as_drawn) {
        b.Add(s.x + def->width, s.y - def->depth);
        continue;
      }
      const PieceFrame f(s.x, s.y, s.heading);
      const double hx = s.scalex * def->width / 2.0, hy = s.scaley * def->depth / 2.0;
      for (const double sx : {-hx, hx})
        for (const double sy : {-hy, hy}) b.Add(f.At(sx, sy).x, f.At(sx, sy).y);
    }
  if (filter.helices != OnLevels::None)
    for (const Helix& h : layout.helices) {
      if (filter.helices != OnLevels::All &&
          !Counts(filter.helices, layout, BottomLevel(layout, h)))
        continue;
      if (filter.selected_only && !HelixSelected(layout, h)) continue;
      if (filter.helix_rings) {
        AddHelixRings(b, h, filter.as_drawn);
      } else {
        b.Add(h.cx - 500.0, h.cy - 500.0);
        b.Add(h.cx + 500.0, h.cy + 500.0);
      }
    }
  if (filter.drawings) {
    const bool all = !filter.selected_only;
    for (const LayoutShape& s : layout.shapes)
      if ((all || s.sel) && s.vertices.size() >= 3 &&
          (!filter.as_drawn || LevelVisible(layout, s.level)))
        b.AddAll(s.vertices);
    for (const LayoutLabel& l : layout.labels)
      if (all || l.sel) b.Add(l.x, l.y);
    for (const Measurement& m : layout.measures) {
      if (!all && !m.sel) continue;
      b.Add(m.start.x, m.start.y);
      b.Add(m.end.x, m.end.y);
    }
    if (all)
      for (const Level& l : layout.levels)
        if (l.outline.size() >= 3 && (!filter.as_drawn || l.visible)) b.AddAll(l.outline);
  }
  if (!filter.selected_only &&
      (filter.baseboard == ExtentFilter::Board::Always ||
       (filter.baseboard == ExtentFilter::Board::Outline && layout.baseboard.size() >= 3)))
    b.AddAll(layout.baseboard);
  return b.extent();
}

Point HelixRingPoint(const Helix& helix, double radius, double angle_deg) {
  const double turn = DegToRad(helix.heading), c = std::cos(turn), s = std::sin(turn);
  const double a = DegToRad(angle_deg), lx = radius * std::cos(a), ly = radius * std::sin(a);
  return {helix.cx + lx * c - ly * s, helix.cy + lx * s + ly * c};
}
