// The static parts of the 3D scene: polygons (solid blocks, or outlines where they
// cover tunnel track), the baseboard top, what supports stand on, and the hills over
// tunnels.
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"
#include "scene3d/outline_fill.h"
#include "scene3d/scene3d.h"
#include "scene3d/track_models.h"

namespace {

// Even-odd ray crossing on layout coordinates.
bool Inside(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point &a = poly[i], &b = poly[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

Vec3 V(double x, double y, double z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// A flat face over the outline at height z, tessellated by the odd rule (a U-shaped
// outline keeps its notch) unless that would take too long. True when tessellated.
bool FlatFace(Mesh3D& m, const std::vector<Point>& outline, double z, Colour3 colour,
              PolygonTessellator& tessellator) {
  std::vector<Point> points;
  std::vector<std::uint32_t> triangles;
  const bool tessellated = FillOutline(outline, tessellator, points, triangles);
  const std::uint32_t base = m.VertexCount();
  for (const Point& p : points) m.Add(V(p.x, -p.y, z), {0, 0, 1}, colour);
  for (std::size_t i = 0; i + 2 < triangles.size(); i += 3)
    if (triangles[i] < points.size() && triangles[i + 1] < points.size() &&
        triangles[i + 2] < points.size())
      m.Triangle(base + triangles[i], base + triangles[i + 1], base + triangles[i + 2]);
  return tessellated;
}

void OutlineShape(Scene3D& scene, const LayoutShape& s, double base, double top, Colour3 c) {
  const std::size_t n = s.vertices.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point &a = s.vertices[i], &b = s.vertices[(i + 1) % n];
    scene.outlineSegments.push_back({V(a.x, -a.y, top), V(b.x, -b.y, top), c});
    if (s.height <= 0.5) continue;
    scene.outlineSegments.push_back({V(a.x, -a.y, base), V(a.x, -a.y, top), c});
    scene.outlineSegments.push_back({V(a.x, -a.y, base), V(b.x, -b.y, base), c});
  }
}

// One point of a tunnel's centre line with its side direction (3D axes).
struct RailPoint {
  double x, y, z, sx, sy;
};

// Centre-line samples of a piece's main route, entered at connector `entry`.
void AppendPieceLine(std::vector<RailPoint>& line, const PlacedPiece& p, const PieceDef& def,
                     int entry) {
  const std::vector<TrackRoute> routes = PieceRoutes(def);
  if (routes.empty()) return;
  std::vector<PathSample> samples = SampleRoute(routes.front());
  const bool backward = entry == 1;
  if (backward) std::reverse(samples.begin(), samples.end());
  const double h = DegToRad(p.heading), c = std::cos(h), s = std::sin(h);
  for (const PathSample& q : samples) {
    const Point at = ToLayout({p.x, p.y, p.heading}, q.x, q.y);
    double tx = q.tx * c - q.ty * s, ty = q.tx * s + q.ty * c;  // layout tangent
    if (backward) tx = -tx, ty = -ty;
    // 3D: y mirrored; the side is the travel direction turned a quarter to the left.
    const double dx = tx, dy = -ty;
    if (!line.empty() && std::hypot(line.back().x - at.x, line.back().y + at.y) < 0.5) continue;
    line.push_back({at.x, -at.y, p.z, -dy, dx});
  }
}

// A hill of rings of 15 points over the line, brown at the foot and green on top.
void AddHill(Mesh3D& m, const std::vector<RailPoint>& line) {
  if (line.size() < 2) return;
  const std::uint32_t first = m.VertexCount();
  for (const RailPoint& p : line)
    for (int k = 0; k <= 14; ++k) {
      const double t = k * kPi / 14.0, ct = std::cos(t), st = std::sin(t);
      m.Add(V(p.x + ct * 60.0 * p.sx, p.y + ct * 60.0 * p.sy, p.z + st * 90.0),
            V(ct * p.sx, ct * p.sy, st),
            {static_cast<float>(0.55 - 0.15 * st), static_cast<float>(0.46 + 0.09 * st),
             static_cast<float>(0.36 - 0.04 * st)});
    }
  for (std::uint32_t r = 0; r + 1 < line.size(); ++r)
    for (std::uint32_t k = 0; k < 14; ++k) {
      const std::uint32_t a = first + r * 15 + k, b = a + 15;
      m.Triangle(a, b, b + 1);
      m.Triangle(a, b + 1, a + 1);
    }
}

}  // namespace

void AddPolygons(Scene3D& scene, const Layout& layout, PolygonTessellator& tessellator) {
  std::unordered_set<int> covered;
  for (const Tunnel& t : layout.tunnels) covered.insert(t.covers.begin(), t.covers.end());
  for (const LayoutShape& s : layout.shapes) {
    if (s.vertices.size() < 3 || !LevelVisible(layout, s.level)) continue;
    bool over_tunnel = false;
    for (const PlacedPiece& p : layout.pieces)
      if (p.level == s.level && covered.count(p.id) && Inside(s.vertices, p.x, p.y)) {
        over_tunnel = true;
        break;
      }
    const Colour3 c{s.r / 255.0f, s.g / 255.0f, s.b / 255.0f};
    const Colour3 side{c.r * 0.7f, c.g * 0.7f, c.b * 0.7f};
    const double base = LevelHeight(layout, s.level), top = base + s.height;
    if (over_tunnel) {
      OutlineShape(scene, s, base, top, c);
      continue;
    }
    const bool tessellated = FlatFace(scene.structureMesh, s.vertices, top, c, tessellator);
    if (top > base && (tessellated || FannedWallsStand(s.vertices, top - base))) {
      std::vector<Vec3> outline;
      for (const Point& p : s.vertices) outline.push_back(V(p.x, -p.y, 0));
      AddPrism(scene.structureMesh, outline, static_cast<float>(base), static_cast<float>(top), c,
               side, false);
    }
  }
}

double SupportBase(const Layout& layout, double x, double y, double top) {
  double base = 0;  // the baseboard, or the ground where there is none
  for (const Level& l : layout.levels)
    if (l.visible && l.outline.size() >= 3 && l.height > base && l.height <= top &&
        Inside(l.outline, x, y))
      base = l.height;
  return base;
}

void AddBaseboard(Scene3D& scene, const Layout& layout, PolygonTessellator& tessellator) {
  scene.baseboardMesh.clear();
  if (layout.baseboard.size() < 3) return;
  FlatFace(scene.baseboardMesh, layout.baseboard, -0.5, {0.36f, 0.5f, 0.3f}, tessellator);
}

void AddTunnelHills(Scene3D& scene, const Layout& layout) {
  scene.hillMesh.clear();
  const Catalog& cat = Catalog::instance();
  const auto index = PieceIndexById(layout);
  for (const Tunnel& t : layout.tunnels) {
    std::vector<int> ids;
    std::unordered_set<int> in_tunnel;
    for (const int id : t.covers)
      if (index.count(id) && in_tunnel.insert(id).second) ids.push_back(id);
    if (ids.empty()) continue;
    auto piece = [&](int id) -> const PlacedPiece& { return layout.pieces[index.at(id)]; };
    auto neighbour = [&](int id, int conn) {
      const PlacedPiece& p = piece(id);
      return p.Joined(conn) && in_tunnel.count(p.joints[static_cast<std::size_t>(conn)].target)
                 ? p.joints[static_cast<std::size_t>(conn)].target
                 : -1;
    };
    std::unordered_set<int> done;
    // Chains start at a piece with one covered neighbour; a closed ring anywhere.
    std::vector<int> starts;
    for (const int id : ids)
      if (neighbour(id, 0) == -1 || neighbour(id, 1) == -1) starts.push_back(id);
    starts.insert(starts.end(), ids.begin(), ids.end());
    for (const int start : starts) {
      if (done.count(start)) continue;
      std::vector<RailPoint> line;
      int id = start;
      int entry = neighbour(start, 0) == -1 ? 0 : (neighbour(start, 1) == -1 ? 1 : 0);
      while (id != -1 && done.insert(id).second) {
        const PlacedPiece& p = piece(id);
        if (const PieceDef* def = cat.find(p.cat)) AppendPieceLine(line, p, *def, entry);
        const int exit = entry == 1 ? 0 : 1;
        const int next = neighbour(id, exit);
        if (next == -1) break;
        entry = p.joints[static_cast<std::size_t>(exit)].tconn;
        id = next;
      }
      AddHill(scene.hillMesh, line);
    }
  }
}
