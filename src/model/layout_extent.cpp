#include "model/layout_extent.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
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

void AddHelixRings(ExtentBuilder& b, const Helix& helix) {
  const HelixDef* hd = HelixCatalog::resolve(helix.variant);
  if (!hd) return;
  const Catalog& catalog = Catalog::instance();
  if (!catalog.find(hd->inner_curve_id) || !catalog.find(hd->outer_curve_id)) return;
  const int n = static_cast<int>(hd->turns * 12.0);
  for (const double radius : {hd->inner_radius, hd->outer_radius})
    for (int k = 1; k <= n; ++k) {
      const Point at = HelixRingPoint(helix, radius, HelixPieceAngle(k));
      b.Add(at.x, at.y);
    }
}

}  // namespace

Extent LayoutExtent(const Layout& layout, const ExtentFilter& filter) {
  ExtentBuilder b;
  const Catalog& catalog = Catalog::instance();
  if (filter.pieces != OnLevels::None)
    for (const PlacedPiece& p : layout.pieces) {
      if (!Counts(filter.pieces, layout, p.level)) continue;
      const PieceDef* def = catalog.find(p.cat);
      if (!def) continue;
      const double h = DegToRad(p.heading);
      b.Add(p.x, p.y);
      b.Add(p.x + def->length * std::cos(h), p.y + def->length * std::sin(h));
    }
  if (filter.scenery != OnLevels::None)
    for (const SceneryItem& s : layout.scenery) {
      if (!Counts(filter.scenery, layout, s.level)) continue;
      if (!filter.scenery_footprints) {
        b.Add(s.x, s.y);
        continue;
      }
      const SceneryDef* def = SceneryCatalog::instance().find(s.item);
      if (!def) continue;
      b.Add(s.x, s.y);
      b.Add(s.x + def->width, s.y - def->depth);
    }
  if (filter.helices != OnLevels::None)
    for (const Helix& h : layout.helices) {
      if (filter.helices != OnLevels::All &&
          !Counts(filter.helices, layout, BottomLevel(layout, h)))
        continue;
      if (filter.helix_rings) {
        AddHelixRings(b, h);
      } else {
        b.Add(h.cx - 500.0, h.cy - 500.0);
        b.Add(h.cx + 500.0, h.cy + 500.0);
      }
    }
  if (filter.drawings) {
    for (const LayoutShape& s : layout.shapes)
      if (s.vertices.size() >= 3) b.AddAll(s.vertices);
    for (const LayoutLabel& l : layout.labels) b.Add(l.x, l.y);
    for (const Measurement& m : layout.measures) {
      b.Add(m.start.x, m.start.y);
      b.Add(m.end.x, m.end.y);
    }
    for (const Level& l : layout.levels)
      if (l.outline.size() >= 3) b.AddAll(l.outline);
  }
  if (filter.baseboard == ExtentFilter::Board::Always ||
      (filter.baseboard == ExtentFilter::Board::Outline && layout.baseboard.size() >= 3))
    b.AddAll(layout.baseboard);
  return b.extent();
}

Point HelixRingPoint(const Helix& helix, double radius, double angle_deg) {
  const double turn = DegToRad(helix.heading), c = std::cos(turn), s = std::sin(turn);
  const double a = DegToRad(angle_deg), lx = radius * std::cos(a), ly = radius * std::sin(a);
  return {helix.cx + lx * c - ly * s, helix.cy + lx * s + ly * c};
}
