// Hit tests work in the piece's own frame: the point is turned back by the heading.
#include "view/hit_test.h"

#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"
#include "model/layout_ops.h"

namespace {

constexpr double kHalfWidth = 20.0;  // hit band either side of the track centre, mm
constexpr double kHalfWidthZ = 7.0;
constexpr double kEndSlack = 5.0;     // beyond the ends and the curve band
constexpr double kArcSlackDeg = 3.0;  // curves are widened at each end
constexpr double kHelixBandMm = 25.0;

// On an arc of radius r, swept angle a (signed), starting at the piece origin heading 0.
bool OnArc(double lx, double ly, double r, double a, double w) {
  const double cy = a >= 0 ? r : -r;
  const double d = Distance(lx, ly, 0, cy);
  if (d < r - w - kEndSlack || d > r + w + kEndSlack) return false;
  // The angle swept from the start point (0, 0) to the point, about the centre.
  double swept = std::atan2(lx, a >= 0 ? cy - ly : ly - cy) * 180.0 / kPi;
  const double span = std::fabs(a);
  return swept >= -kArcSlackDeg && swept <= span + kArcSlackDeg;
}

bool PieceHit(const PieceDef& def, double lx, double ly) {
  const double w = def.system == MarklinZ ? kHalfWidthZ : kHalfWidth;
  switch (def.kind) {
    case PieceKind::Turntable:
      return Distance(lx, ly, 0, 0) <= def.length * 0.5 + 10.0;
    case PieceKind::Curve:
      if (def.radius > 0) return OnArc(lx, ly, def.radius, def.angle, w);
      break;
    case PieceKind::CurvedTurnoutSpaced:
      if (lx >= -kEndSlack && lx <= def.length + kEndSlack && std::fabs(ly) <= w + kEndSlack)
        return true;
      if (OnArc(lx, ly, def.radius, def.angle, w)) return true;
      return OnArc(lx - def.length, ly, def.radius, def.angle, w);
    default:
      break;
  }
  return lx >= -kEndSlack && lx <= def.length + kEndSlack && ly >= -w && ly <= w;
}

// Cheap rejection: no part of a piece lies farther from its origin than this.
double Reach(const PieceDef& def) {
  double r = def.length;
  for (const Connector& c : def.connectors) r = std::max(r, std::hypot(c.x, c.y));
  return r + kHalfWidth + 2 * kEndSlack;
}

}  // namespace

int HitTestPiece(const Layout& layout, const ViewTransform& view, double sx, double sy) {
  const Point at = ToLayoutPoint(view, sx, sy);
  const Catalog& catalog = Catalog::instance();
  int best = -1;
  double best_height = 0, best_dist = 0;
  for (std::size_t k = layout.pieces.size(); k-- > 0;) {
    const PlacedPiece& p = layout.pieces[k];
    const PieceDef* def = catalog.find(p.cat);
    if (!def || !LevelVisible(layout, p.level)) continue;
    const double dx = at.x - p.x, dy = at.y - p.y;
    if (std::fabs(dx) > Reach(*def) || std::fabs(dy) > Reach(*def)) continue;
    const double t = DegToRad(-p.heading);
    const double lx = dx * std::cos(t) - dy * std::sin(t);
    const double ly = dx * std::sin(t) + dy * std::cos(t);
    if (!PieceHit(*def, lx, ly)) continue;
    const double height = LevelHeight(layout, p.level);
    const IPoint dev = ToDevice(view, p.x, p.y);
    const double dist = Distance(sx, sy, dev.x, dev.y);
    if (best < 0 || height > best_height + 0.001 ||
        (std::fabs(height - best_height) <= 0.001 && dist < best_dist)) {
      best = p.id;
      best_height = height;
      best_dist = dist;
    }
  }
  return best;
}

int FirstHelixPiece(const Layout& layout, int helix_id) {
  for (const PlacedPiece& p : layout.pieces)
    if (p.helix == helix_id) return p.id;
  return -1;
}

int HelixLevel(const Layout& layout, int helix_id) {
  for (const PlacedPiece& p : layout.pieces)
    if (p.helix == helix_id) return p.level;
  return 1;
}

int HitTestHelixRing(const Layout& layout, const ViewTransform& view, double sx, double sy) {
  const Point at = ToLayoutPoint(view, sx, sy);
  for (const Helix& h : layout.helices) {
    const HelixDef* def = HelixCatalog::resolve(h.variant);
    if (!def || !LevelVisible(layout, HelixLevel(layout, h.id))) continue;
    const double d = Distance(at.x, at.y, h.cx, h.cy);
    if (std::fabs(d - def->inner_radius) <= kHelixBandMm) return h.id;
  }
  return -1;
}

int HitTestScenery(const Layout& layout, const ViewTransform& view, double sx, double sy) {
  const Point at = ToLayoutPoint(view, sx, sy);
  for (std::size_t k = layout.scenery.size(); k-- > 0;) {
    const SceneryItem& s = layout.scenery[k];
    const SceneryDef* def = SceneryCatalog::instance().find(s.item);
    if (!def || !LevelVisible(layout, s.level)) continue;
    const double t = DegToRad(-s.heading);
    const double dx = at.x - s.x, dy = at.y - s.y;
    const double lx = dx * std::cos(t) - dy * std::sin(t);
    const double ly = dx * std::sin(t) + dy * std::cos(t);
    if (std::fabs(lx) <= std::fabs(s.scalex) * def->width / 2 &&
        std::fabs(ly) <= std::fabs(s.scaley) * def->depth / 2)
      return s.id;
  }
  return -1;
}
