// Track bodies: a ballast bed, sleepers every 13 mm and two rails 16.5 mm apart laid
// along each route of a piece; the same dimensions for every track system.
#include "scene3d/track_models.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kBallastHalf = 18.7f, kBallastTop = 2.0f;
constexpr float kSleeperHalfAcross = 13.0f, kSleeperHalfAlong = 1.75f, kSleeperTop = 4.2f;
constexpr double kSleeperFirst = 6.5, kSleeperPitch = 13.0;
constexpr float kRailOffset = 8.25f, kRailHalf = 0.6f, kRailTop = 6.7f;

constexpr Colour3 kBallastTopColour{0.76f, 0.74f, 0.70f}, kBallastSide{0.58f, 0.56f, 0.52f};
constexpr Colour3 kSleeperTopColour{0.38f, 0.27f, 0.16f}, kSleeperSide{0.28f, 0.18f, 0.10f};
constexpr Colour3 kRailTopColour{0.74f, 0.74f, 0.78f}, kRailSide{0.52f, 0.52f, 0.56f};

Vec3 At(const PathSample& p, float across, float z) {
  return {static_cast<float>(p.x + across * p.sx), static_cast<float>(p.y + across * p.sy), z};
}
Vec3 Side(const PathSample& p, float sign) {
  return {static_cast<float>(sign * p.sx), static_cast<float>(sign * p.sy), 0};
}

// A band between two offsets across the path: its top, and its two walls down to z0.
void Band(Mesh3D& m, const std::vector<PathSample>& path, float from, float to, float z0, float z1,
          Colour3 top, Colour3 side, bool walls) {
  const Vec3 up{0, 0, 1};
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const PathSample &a = path[i], &b = path[i + 1];
    m.Quad(At(a, from, z1), At(b, from, z1), At(b, to, z1), At(a, to, z1), up, top);
    if (!walls) continue;
    m.Quad(At(a, from, z0), At(b, from, z0), At(b, from, z1), At(a, from, z1), Side(a, -1), side);
    m.Quad(At(a, to, z0), At(b, to, z0), At(b, to, z1), At(a, to, z1), Side(a, 1), side);
  }
  if (!walls || path.size() < 2) return;
  for (const bool end : {false, true}) {
    const PathSample& p = end ? path.back() : path.front();
    const float sign = end ? 1.0f : -1.0f;
    const Vec3 n{static_cast<float>(sign * p.tx), static_cast<float>(sign * p.ty), 0};
    m.Quad(At(p, from, z0), At(p, to, z0), At(p, to, z1), At(p, from, z1), n, side);
  }
}

// The ballast top alone as a strip with shared edges over `n` equal pieces of a route.
void TopStrip(Mesh3D& m, const TrackRoute& r, int n) {
  const double length = RouteLength(r);
  const std::uint32_t first = m.VertexCount();
  for (int i = 0; i <= n; ++i) {
    const PathSample p = RouteAt(r, length * i / n);
    m.Add(At(p, -kBallastHalf, kBallastTop), {0, 0, 1}, kBallastTopColour);
    m.Add(At(p, kBallastHalf, kBallastTop), {0, 0, 1}, kBallastTopColour);
  }
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(n); ++i) {
    const std::uint32_t a = first + 2 * i;
    m.Triangle(a, a + 2, a + 3);
    m.Triangle(a, a + 3, a + 1);
  }
}

// Far away only the ballast top shows: a straight in one piece, arcs every 15 degrees
// (a chord strays under a pixel there).
void FarTop(Mesh3D& m, const TrackRoute& r) {
  TopStrip(m, r,
           r.radius > 0 ? std::max(static_cast<int>(std::ceil(std::fabs(r.sweep) / 15.0)), 1) : 1);
}

// A piece about a pixel across shows no bend: as few chords as stay within 15 mm of the
// arc (an R1 curve of 30 degrees is one), a fraction of a pixel at that distance.
void ChordTop(Mesh3D& m, const TrackRoute& r) {
  constexpr double kMostSag = 15.0;
  int n = 1;
  if (r.radius > kMostSag) {
    const double widest = 2.0 * std::acos(1.0 - kMostSag / r.radius) * 180.0 / kPi;
    n = std::max(static_cast<int>(std::ceil(std::fabs(r.sweep) / widest)), 1);
  }
  TopStrip(m, r, n);
}

void Sleepers(Mesh3D& m, const TrackRoute& r) {
  const double length = RouteLength(r);
  for (double s = kSleeperFirst; s <= length; s += kSleeperPitch) {
    const PathSample c = RouteAt(r, s);
    auto corner = [&](float along, float across) {
      return Vec3{static_cast<float>(c.x + along * c.tx + across * c.sx),
                  static_cast<float>(c.y + along * c.ty + across * c.sy), 0};
    };
    AddPrism(m,
             {corner(-kSleeperHalfAlong, -kSleeperHalfAcross),
              corner(kSleeperHalfAlong, -kSleeperHalfAcross),
              corner(kSleeperHalfAlong, kSleeperHalfAcross),
              corner(-kSleeperHalfAlong, kSleeperHalfAcross)},
             kBallastTop, kSleeperTop, kSleeperTopColour, kSleeperSide);
  }
}

void Rails(Mesh3D& m, const std::vector<PathSample>& path) {
  for (const float at : {-kRailOffset, kRailOffset})
    Band(m, path, at - kRailHalf, at + kRailHalf, kSleeperTop, kRailTop, kRailTopColour, kRailSide,
         true);
}

// Turnout branches are cut where the straight route ends, like the branch connector.
double BranchAngle(const PieceDef& def, double signed_angle) {
  if (def.radius <= 0) return signed_angle;
  const double limit = std::asin(std::min(1.0, def.length / def.radius)) * 180.0 / kPi;
  return std::copysign(std::min(std::fabs(signed_angle), limit), signed_angle);
}

TrackRoute StraightRoute(double x, double y, double heading, double length) {
  TrackRoute r;
  r.x = x;
  r.y = y;
  r.heading = heading;
  r.length = length;
  return r;
}

TrackRoute ArcRoute(double x, double y, double heading, double radius, double sweep) {
  TrackRoute r = StraightRoute(x, y, heading, 0);
  r.radius = radius;
  r.sweep = sweep;
  return r;
}

// The turntable pit: a 48-sided disc in dark greys.
void TurntablePit(Mesh3D& m, double radius) {
  std::vector<Vec3> ring;
  for (int k = 0; k < 48; ++k) {
    const double a = 2.0 * kPi * k / 48.0;
    ring.push_back(
        {static_cast<float>(radius * std::cos(a)), static_cast<float>(radius * std::sin(a)), 0});
  }
  AddPrism(m, ring, 0.0f, 1.0f, {0.26f, 0.26f, 0.28f}, {0.18f, 0.18f, 0.20f});
}

}  // namespace

const Mesh3D& Model3D::ForLevel(int level) const {
  return lods[static_cast<std::size_t>(std::clamp(level, 0, static_cast<int>(lods.size()) - 1))];
}

double RouteLength(const TrackRoute& r) {
  return r.radius > 0 ? r.radius * DegToRad(std::fabs(r.sweep)) : r.length;
}

PathSample RouteAt(const TrackRoute& r, double s) {
  PathSample p;
  const double h0 = DegToRad(r.heading);
  double h = h0;
  if (r.radius > 0) {
    const double sign = r.sweep < 0 ? -1.0 : 1.0;
    const double cx = r.x - sign * r.radius * std::sin(h0),
                 cy = r.y + sign * r.radius * std::cos(h0);
    h = h0 + sign * s / r.radius;
    p.x = cx + sign * r.radius * std::sin(h);
    p.y = cy - sign * r.radius * std::cos(h);
  } else {
    p.x = r.x + s * std::cos(h0);
    p.y = r.y + s * std::sin(h0);
  }
  p.tx = std::cos(h);
  p.ty = std::sin(h);
  p.sx = -p.ty;
  p.sy = p.tx;
  return p;
}

std::vector<PathSample> SampleRoute(const TrackRoute& r) {
  const int n = r.radius > 0 ? std::max(static_cast<int>(std::floor(std::fabs(r.sweep) / 2.5)), 8)
                             : std::max(static_cast<int>(std::floor(r.length / 20.0)), 2);
  const double length = RouteLength(r);
  std::vector<PathSample> out;
  out.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) out.push_back(RouteAt(r, length * i / n));
  return out;
}

std::vector<TrackRoute> PieceRoutes(const PieceDef& def) {
  std::vector<TrackRoute> routes;
  switch (def.kind) {
    case PieceKind::Curve:
      routes.push_back(ArcRoute(0, 0, 0, def.radius, def.angle));
      break;
    case PieceKind::LeftTurnout:
    case PieceKind::RightTurnout:
      routes.push_back(StraightRoute(0, 0, 0, def.length));
      if (def.radius <= 0) break;
      if (def.kind == PieceKind::LeftTurnout && def.connectors.size() >= 4) {  // three-way
        for (const double side : {-1.0, 1.0})
          routes.push_back(
              ArcRoute(0, 0, 0, def.radius, BranchAngle(def, side * std::fabs(def.angle))));
      } else {
        routes.push_back(ArcRoute(0, 0, 0, def.radius, BranchAngle(def, def.angle)));
      }
      break;
    case PieceKind::CurvedTurnout:
    case PieceKind::CurvedTurnoutSpaced: {
      double s = def.length;
      if (def.kind == PieceKind::CurvedTurnout)
        s = def.connectors.size() >= 3 ? std::fabs(def.connectors[2].x - def.connectors[1].x)
                                       : 77.5;
      routes.push_back(ArcRoute(0, 0, 0, def.radius, def.angle));
      routes.push_back(StraightRoute(0, 0, 0, s));
      routes.push_back(ArcRoute(s, 0, 0, def.radius, def.angle));
      break;
    }
    case PieceKind::Crossing:
    case PieceKind::DoubleSlip:
      if (def.kind == PieceKind::Crossing ||
          (def.connectors.size() >= 2 && std::fabs(def.connectors[1].y) < 1))
        routes.push_back(StraightRoute(0, 0, 0, def.length));
      if (def.connectors.size() >= 4) {
        const Connector &a = def.connectors[2], &b = def.connectors[3];
        routes.push_back(StraightRoute(a.x, a.y, def.angle, Distance(a.x, a.y, b.x, b.y)));
      }
      if (def.kind == PieceKind::DoubleSlip && def.radius > 0) {
        const double sweep = BranchAngle(def, std::fabs(def.angle));
        routes.push_back(ArcRoute(0, 0, 0, def.radius, sweep));
        routes.push_back(ArcRoute(def.length, 0, 180, def.radius, sweep));
      }
      break;
    case PieceKind::Turntable:
      routes.push_back(StraightRoute(-def.radius, 0, 0, 2 * def.radius));  // the bridge
      break;
    default:
      routes.push_back(StraightRoute(0, 0, 0, def.length));
      break;
  }
  return routes;
}

Model3D BuildTrackModel(const PieceDef& def) {
  Model3D model;
  model.lods.resize(kTrackDetailLevels);
  Mesh3D &full = model.lods[0], &bare = model.lods[1], &top = model.lods[2], &tiny = model.lods[3];
  if (def.kind == PieceKind::Turntable)
    for (Mesh3D* m : {&full, &bare, &top, &tiny}) TurntablePit(*m, def.radius);
  for (const TrackRoute& r : PieceRoutes(def)) {
    if (RouteLength(r) <= 0) continue;
    const std::vector<PathSample> path = SampleRoute(r);
    for (Mesh3D* m : {&full, &bare})
      Band(*m, path, -kBallastHalf, kBallastHalf, 0, kBallastTop, kBallastTopColour, kBallastSide,
           true);
    FarTop(top, r);
    ChordTop(tiny, r);
    Sleepers(full, r);
    Rails(full, path);
    Rails(bare, path);
  }
  model.bound = BoundingSphere(full);
  return model;
}

Model3D BuildBumperModel(const PieceDef& def) {
  PieceDef track = def;
  track.kind = PieceKind::Straight;
  track.length = std::max(def.length, 20.0);
  Model3D model = BuildTrackModel(track);
  const float end = static_cast<float>(track.length);
  for (Mesh3D& m : model.lods)
    AddBox(m, {end - 12.0f, -14.0f, kBallastTop}, {end, 14.0f, 16.0f}, {0.78f, 0.20f, 0.16f},
           {0.55f, 0.12f, 0.10f});
  model.bound = BoundingSphere(model.full());
  return model;
}

Model3D BuildPieceModel(const PieceDef& def) {
  return def.kind == PieceKind::Bumper ? BuildBumperModel(def) : BuildTrackModel(def);
}
