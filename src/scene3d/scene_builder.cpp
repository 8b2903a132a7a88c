// Turns the layout into the 3D scene: piece and scenery instances over shared models,
// bridge piers, helix rings and columns, polygons, baseboard, tunnel hills and the
// camera fit. Layout y is mirrored (3D y = -layout y) and headings negated.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "model/layout_extent.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"
#include "scene3d/scene3d.h"
#include "scene3d/scenery_models.h"
#include "scene3d/track_models.h"

// Polygons, the baseboard, the height a support stands on and the tunnel hills
// (scene_static.cpp).
void AddPolygons(Scene3D& scene, const Layout& layout, PolygonTessellator& tessellator);
void AddBaseboard(Scene3D& scene, const Layout& layout, PolygonTessellator& tessellator);
// What holds up a support at layout point (x, y) whose top is at `top`: the highest
// visible deck (a level with an outline) under the point that is not above the top,
// else the baseboard or the ground, both at 0.
double SupportBase(const Layout& layout, double x, double y, double top);
void AddTunnelHills(Scene3D& scene, const Layout& layout);

namespace {

Vec3 V(double x, double y, double z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// Pier positions already used, hashed on a grid so that the search stays local.
class PierSet {
 public:
  // True (and remembered) when no pier stands within 2 mm in x and in y.
  bool Claim(double x, double y) {
    const std::int64_t cx = Cell(x), cy = Cell(y);
    for (std::int64_t i = cx - 1; i <= cx + 1; ++i)
      for (std::int64_t j = cy - 1; j <= cy + 1; ++j) {
        const auto it = cells_.find(Key(i, j));
        if (it == cells_.end()) continue;
        for (const Point& p : it->second)
          if (std::fabs(p.x - x) <= 2.0 && std::fabs(p.y - y) <= 2.0) return false;
      }
    cells_[Key(cx, cy)].push_back({x, y});
    return true;
  }

 private:
  static std::int64_t Cell(double v) { return static_cast<std::int64_t>(std::floor(v / 4.0)); }
  static std::int64_t Key(std::int64_t i, std::int64_t j) { return i * 73856093 ^ j * 19349663; }
  std::unordered_map<std::int64_t, std::vector<Point>> cells_;
};

// A stadium-shaped pier: two half-circles of radius 11 mm, 7 mm either side of the
// centre along `angle`.
void AddPier(Mesh3D& m, double x, double y, double angle, double base, double top) {
  if (top - base < 2.0) return;
  std::vector<Vec3> outline;
  const double ux = std::cos(angle), uy = std::sin(angle);
  for (const double side : {1.0, -1.0}) {
    const double cx = x + side * 7.0 * ux, cy = y + side * 7.0 * uy;
    for (int k = 0; k <= 8; ++k) {
      const double a = angle + (side > 0 ? -kPi / 2 : kPi / 2) + k * kPi / 8;
      outline.push_back(V(cx + 11.0 * std::cos(a), cy + 11.0 * std::sin(a), 0));
    }
  }
  AddPrism(m, outline, static_cast<float>(base), static_cast<float>(top), {0.80f, 0.80f, 0.78f},
           {0.62f, 0.62f, 0.60f});
}

void AddPiers(Scene3D& scene, const Layout& layout) {
  const Catalog& cat = Catalog::instance();
  std::unordered_set<int> elevated;
  for (const PlacedPiece& p : layout.pieces)
    if (const PieceDef* d = cat.find(p.cat); d && d->elevated) elevated.insert(p.id);
  PierSet used;
  for (const PlacedPiece& p : layout.pieces) {
    if (!elevated.count(p.id) || !LevelVisible(layout, p.level)) continue;
    const PieceDef& def = *cat.find(p.cat);
    const double top = p.z;
    const double angle = kPi / 2 - DegToRad(p.heading);
    Point far{def.length, 0};
    if (def.radius > 0 && def.connectors.size() >= 2)
      far = {def.connectors[1].x, def.connectors[1].y};
    const Point end = ToLayout({p.x, p.y, p.heading}, far.x, far.y);
    const bool shared_start = p.Joined(0) && elevated.count(p.joints[0].target);
    if (!shared_start && used.Claim(p.x, -p.y))
      AddPier(scene.structureMesh, p.x, -p.y, angle, SupportBase(layout, p.x, p.y, top), top);
    if (used.Claim(end.x, -end.y))
      AddPier(scene.structureMesh, end.x, -end.y, angle, SupportBase(layout, end.x, end.y, top),
              top);
  }
}

void AddPieceModel(Scene3D& scene, const PieceDef& def) {
  if (!scene.pieceModels.count(def.id)) scene.pieceModels.emplace(def.id, BuildPieceModel(def));
}

void AddPieces(Scene3D& scene, const Layout& layout) {
  const Catalog& cat = Catalog::instance();
  scene.pieceInstances.reserve(layout.pieces.size());
  for (const PlacedPiece& p : layout.pieces) {
    const PieceDef* def = cat.find(p.cat);
    if (!def || !LevelVisible(layout, p.level)) continue;
    AddPieceModel(scene, *def);
    ModelInstance i;
    i.pieceId = p.cat;
    i.x = static_cast<float>(p.x);
    i.y = static_cast<float>(-p.y);
    i.z = static_cast<float>(p.z);
    i.heading = static_cast<float>(-p.heading);
    i.tilt = static_cast<float>(p.grade);
    i.length = static_cast<float>(def->length);
    i.reversed = p.rev;
    scene.pieceInstances.push_back(i);
  }
}

void AddHelix(Scene3D& scene, const Layout& layout, const Helix& helix) {
  const HelixDef* hd = HelixCatalog::resolve(helix.variant);
  if (!hd) return;
  const int bottom = FindPiece(layout, helix.bottomR1);
  const PlacedPiece* first =
      bottom >= 0 ? &layout.pieces[static_cast<std::size_t>(bottom)] : nullptr;
  if (!LevelVisible(layout, first ? first->level : 1)) return;
  const Catalog& cat = Catalog::instance();
  const PieceDef* inner = cat.find(hd->inner_curve_id);
  const PieceDef* outer = cat.find(hd->outer_curve_id);
  if (!inner || !outer) return;
  AddPieceModel(scene, *inner);
  AddPieceModel(scene, *outer);
  const int n = static_cast<int>(hd->turns * 12.0);
  const double rise = n > 0 ? hd->rise / n : 0.0;
  const double base = first ? first->z : 0.0;
  for (const auto& [radius, id] : {std::pair{hd->inner_radius, hd->inner_curve_id},
                                   std::pair{hd->outer_radius, hd->outer_curve_id}}) {
    const double arc = radius * kPi / 6.0;
    const double pitch =
        arc > 0.001 ? std::asin(std::clamp(rise / arc, -1.0, 1.0)) * 180.0 / kPi : 0.0;
    for (int k = 1; k <= n; ++k) {
      const double a = HelixPieceAngle(k);
      const Point at = HelixRingPoint(helix, radius, a);
      ModelInstance i;
      i.pieceId = id;
      i.x = static_cast<float>(at.x);
      i.y = static_cast<float>(-at.y);
      i.z = static_cast<float>(base + k * rise);
      i.heading = static_cast<float>(-(a + 90.0 + helix.heading));
      i.tilt = static_cast<float>(-pitch);
      i.length = static_cast<float>(arc);
      scene.pieceInstances.push_back(i);
    }
  }
  if (hd->rise < 2.0) return;
  std::vector<double> angles;
  for (int i = 0; i < 12; ++i) angles.push_back(i * 30.0 - 90.0);
  angles.push_back(90.0);
  // Each column stands on what lies under the lowest ring: a deck the helix climbs
  // through holds none of them.
  for (const double a : angles) {
    const Point at = HelixRingPoint(helix, hd->outer_radius, a);
    AddBox(scene.structureMesh, V(at.x - 3.5, -at.y - 3.5, SupportBase(layout, at.x, at.y, base)),
           V(at.x + 3.5, -at.y + 3.5, base + hd->rise), {0.55f, 0.40f, 0.24f},
           {0.45f, 0.31f, 0.18f});
  }
}

void AddScenery(Scene3D& scene, const Layout& layout) {
  const SceneryCatalog& cat = SceneryCatalog::instance();
  for (const SceneryItem& item : layout.scenery) {
    const SceneryDef* def = cat.find(item.item);
    if (!def || !LevelVisible(layout, item.level)) continue;
    if (!scene.sceneryModels.count(def->id))
      scene.sceneryModels.emplace(def->id, BuildSceneryModel(*def));
    SceneryInstance i;
    i.sceneryId = item.item;
    i.x = static_cast<float>(item.x);
    i.y = static_cast<float>(-item.y);
    i.z = static_cast<float>(LevelHeight(layout, item.level));
    i.heading = static_cast<float>(-item.heading);
    i.scaleX = static_cast<float>(item.scalex);
    i.scaleY = static_cast<float>(item.scaley);
    scene.sceneryInstances.push_back(i);
  }
}

}  // namespace

GroundGrid GridUnder(const Extent& e) {
  constexpr double kMargin = 500, kMinSide = 2000, kMaxLines = 200;
  double lo[2] = {e.min_x - kMargin, -e.max_y - kMargin};
  double hi[2] = {e.max_x + kMargin, -e.min_y + kMargin};
  double step = 100;
  for (int i = 0; i < 2; ++i) {
    const double missing = kMinSide - (hi[i] - lo[i]);
    if (missing > 0) lo[i] -= missing / 2, hi[i] += missing / 2;
    while ((hi[i] - lo[i]) / step > kMaxLines) step *= 10;
  }
  GroundGrid g;
  g.step = static_cast<float>(step);
  g.minX = static_cast<float>(std::floor(lo[0] / step) * step);
  g.minY = static_cast<float>(std::floor(lo[1] / step) * step);
  g.maxX = static_cast<float>(std::ceil(hi[0] / step) * step);
  g.maxY = static_cast<float>(std::ceil(hi[1] / step) * step);
  return g;
}

void RebuildScene(Scene3D& scene, Camera3D& camera, const Layout& layout,
                  PolygonTessellator& tessellator) {
  // Everything goes, the static meshes too: a deleted bridge must take its piers along.
  scene.pieceInstances.clear();
  scene.pieceModels.clear();
  scene.sceneryInstances.clear();
  scene.sceneryModels.clear();
  scene.structureMesh.clear();
  scene.outlineSegments.clear();
  ++scene.version;
  AddPieces(scene, layout);
  AddPiers(scene, layout);
  for (const Helix& h : layout.helices) AddHelix(scene, layout, h);
  AddPolygons(scene, layout, tessellator);
  AddScenery(scene, layout);
  // Framed on what is drawn: pieces, helix rings and scenery footprints of the shown
  // levels; with none of them, on the baseboard, the decks and the drawings, so that a
  // layout not yet laid shows its whole board. 3D y is layout -y.
  ExtentFilter drawn;
  drawn.pieces = drawn.scenery = drawn.helices = OnLevels::Visible;
  drawn.scenery_footprints = drawn.helix_rings = true;
  Extent e = LayoutExtent(layout, drawn);
  if (!e.any) {
    ExtentFilter ground;
    ground.pieces = ground.scenery = OnLevels::None;
    ground.drawings = true;
    ground.baseboard = ExtentFilter::Board::Outline;
    e = LayoutExtent(layout, ground);
  }
  if (e.any) {
    const float min_x = static_cast<float>(e.min_x), max_x = static_cast<float>(e.max_x);
    const float min_y = static_cast<float>(-e.max_y), max_y = static_cast<float>(-e.min_y);
    const float w = max_x - min_x, h = max_y - min_y;
    camera.centerX = (min_x + max_x) / 2;
    camera.centerY = (min_y + max_y) / 2;
    camera.distance = std::max(1.8f * std::max(w, h), 400.0f);
    camera.maxDistance = std::max(kMaxDistance, camera.distance);
    scene.diagonal = std::hypot(w, h);
  }
  ExtentFilter everything;
  everything.helices = OnLevels::All;
  everything.scenery_footprints = everything.helix_rings = everything.drawings = true;
  everything.baseboard = ExtentFilter::Board::Outline;
  scene.grid = GridUnder(LayoutExtent(layout, everything));
  AddBaseboard(scene, layout, tessellator);
  AddTunnelHills(scene, layout);
}
