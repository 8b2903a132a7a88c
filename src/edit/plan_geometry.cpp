// Centre lines of pieces and helix rings as height-carrying segments, and the closest
// approach of two segments in plan with the heights there.
#include "edit/plan_geometry.h"

#include <algorithm>
#include <cmath>

#include "catalog/piece_routes.h"
#include "edit/grades.h"
#include "model/layout_extent.h"

namespace {

// Piece millimetres to layout millimetres, and the height at a distance along the run.
class RouteBuilder {
 public:
  RouteBuilder(const PlacedPiece& piece, const PieceDef& def, std::vector<Segment3>& out)
      : def_(def),
        out_(out),
        x_(piece.x),
        y_(piece.y),
        c_(std::cos(DegToRad(piece.heading))),
        s_(std::sin(DegToRad(piece.heading))),
        z0_(ElevationAt(piece, 0)),
        z1_(ElevationAt(piece, 1)),
        run_(RunLength(def)) {}

  void Line(double x0, double y0, double x1, double y1) {
    out_.push_back({At(x0, y0), At(x1, y1), Height(x0), Height(x1)});
  }
  // An arc of the piece's radius from piece point (x0, y0) leaving at `h0` degrees,
  // sweeping `a` degrees (positive bends toward +y).
  void Arc(double x0, double y0, double h0, double a) {
    const double r = def_.radius;
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(a) / kChordDeg)));
    const double step = DegToRad(std::fabs(a)) / n, side = a >= 0 ? 1.0 : -1.0;
    const double hc = std::cos(DegToRad(h0)), hs = std::sin(DegToRad(h0));
    double px = x0, py = y0;
    for (int i = 1; i <= n; ++i) {
      const double u = r * std::sin(i * step), v = side * r * (1.0 - std::cos(i * step));
      const double qx = x0 + u * hc - v * hs, qy = y0 + u * hs + v * hc;
      Line(px, py, qx, qy);
      px = qx;
      py = qy;
    }
  }

 private:
  Point At(double px, double py) const { return {px * c_ - py * s_ + x_, px * s_ + py * c_ + y_}; }
  double Height(double px) const {
    if (run_ <= 0) return z0_;
    return z0_ + (z1_ - z0_) * std::clamp(px / run_, 0.0, 1.0);
  }

  const PieceDef& def_;
  std::vector<Segment3>& out_;
  double x_, y_, c_, s_, z0_, z1_, run_;
};

struct Closest {
  double s, t;
};

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// Parameter of the point of segment a-b nearest to p.
double Project(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  if (len2 <= 1e-12) return 0.0;
  return Clamp01(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2);
}

// The closest point pair of two segments in plan.
Closest ClosestPair(const Segment3& p, const Segment3& q) {
  const double d1x = p.b.x - p.a.x, d1y = p.b.y - p.a.y;
  const double d2x = q.b.x - q.a.x, d2y = q.b.y - q.a.y;
  const double rx = p.a.x - q.a.x, ry = p.a.y - q.a.y;
  const double a = d1x * d1x + d1y * d1y, e = d2x * d2x + d2y * d2y, f = d2x * rx + d2y * ry;
  if (a <= 1e-12 && e <= 1e-12) return {0, 0};
  if (a <= 1e-12) return {0, Clamp01(f / e)};
  const double c = d1x * rx + d1y * ry;
  if (e <= 1e-12) return {Clamp01(-c / a), 0};
  const double b = d1x * d2x + d1y * d2y, denom = a * e - b * b;
  double s = denom > 1e-12 ? Clamp01((b * f - c * e) / denom) : 0.0;
  double t = (b * s + f) / e;
  if (t < 0) {
    t = 0;
    s = Clamp01(-c / a);
  } else if (t > 1) {
    t = 1;
    s = Clamp01((b - c) / a);
  }
  return {s, t};
}

Point Lerp(Point a, Point b, double u) {
  return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u};
}

}  // namespace

void PieceCentreLines(const PlacedPiece& piece, const PieceDef& def, std::vector<Segment3>& out) {
  RouteBuilder r(piece, def, out);
  ForEachRoute(
      def, [&](double x0, double y0, double x1, double y1) { r.Line(x0, y0, x1, y1); },
      [&](double x0, double y0, double h0, double a) { r.Arc(x0, y0, h0, a); });
  if (def.kind != PieceKind::Turntable) return;
  // The bridge turns: it may stand at any angle over the pit.
  for (int i = 0; i < 6; ++i) {
    const double a = DegToRad(30.0 * i), dx = def.radius * std::cos(a);
    const double dy = def.radius * std::sin(a);
    r.Line(-dx, -dy, dx, dy);
  }
}

void HelixCentreLines(const Helix& helix, const HelixDef& def, double base,
                      std::vector<Segment3>& out) {
  const int pieces = static_cast<int>(std::trunc(def.turns * 12.0));
  if (pieces < 1) return;
  const double sweep = 30.0 * pieces;
  const int n = static_cast<int>(std::ceil(sweep / kChordDeg));
  for (const double radius : {def.inner_radius, def.outer_radius}) {
    // The climb starts where the bottom stubs meet the rings, at 180 degrees.
    Point prev = HelixRingPoint(helix, radius, 180.0);
    double prev_z = base;
    for (int i = 1; i <= n; ++i) {
      const Point at = HelixRingPoint(helix, radius, 180.0 + sweep * i / n);
      const double z = base + def.rise * i / n;
      out.push_back({prev, at, prev_z, z});
      prev = at;
      prev_z = z;
    }
  }
}

Approach ClosestApproach(const Segment3& p, const Segment3& q, double reach, double same) {
  Approach out;
  const Closest best = ClosestPair(p, q);
  // The closest pair, and each end against the other segment: along parallel track the
  // heights differ most and least at the ends of the stretch they share.
  const Closest candidates[] = {best,
                                {0, Project(p.a, q.a, q.b)},
                                {1, Project(p.b, q.a, q.b)},
                                {Project(q.a, p.a, p.b), 0},
                                {Project(q.b, p.a, p.b), 1}};
  bool first = true;
  for (const Closest& c : candidates) {
    const Point pp = Lerp(p.a, p.b, c.s), qq = Lerp(q.a, q.b, c.t);
    const double d = std::hypot(pp.x - qq.x, pp.y - qq.y);
    if (first) {
      out.distance = d;
      out.at = Lerp(pp, qq, 0.5);
      first = false;
    }
    if (!(d < reach)) continue;
    out.near = true;
    const double zp = p.za + (p.zb - p.za) * c.s, zq = q.za + (q.zb - q.za) * c.t;
    const double dz = std::fabs(zp - zq);
    if (dz < same) {
      if (!out.touches || d < out.touch_distance) {
        out.touches = true;
        out.touch_distance = d;
        out.touch_at = Lerp(pp, qq, 0.5);
      }
    } else if (!out.over || dz < out.clearance) {
      out.over = true;
      out.clearance = dz;
      out.clearance_at = Lerp(pp, qq, 0.5);
      out.first_above = zp > zq;
    }
  }
  return out;
}
