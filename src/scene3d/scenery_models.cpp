// Scenery blocks: buildings as walls under a pitched roof, trees as a trunk under a
// crown, signals as a post with the aspect lamp, everything else as a raised slab.
#include "scene3d/scenery_models.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct HeightRow {
  const char* id;
  double height;
};

// HO-scale heights; the Z-scale signals are about half as tall.
constexpr HeightRow kHeights[] = {
    {"platform", 9},
    {"platform_island", 9},
    {"station_small", 110},
    {"station_large", 140},
    {"signal_box", 90},
    {"shed_1road", 95},
    {"shed_2road", 100},
    {"goods_shed", 75},
    {"warehouse", 120},
    {"bridge_truss_scenery", 60},
    {"bridge_arch_scenery", 90},
    {"crossing_1track", 3},
    {"crossing_2track", 3},
    {"road_straight", 2},
    {"74861", 2},
    {"72886", 95},
    {"water_tower", 130},
    {"coaling_tower", 110},
    {"tree_sm_dec", 90},
    {"tree_lg_dec", 150},
    {"tree_conifer", 130},
    {"tree_group", 140},
    {"bush", 20},
    {"car", 17},
    {"truck", 35},
    {"parking_lot", 2},
    {"ped_zone", 2},
    {"bridge_truss", 60},
    {"viaduct_pier", 100},
    {"tunnel_portal_single", 110},
    {"retaining_wall", 60},
};

Colour3 ToColour(const Rgba& c, float factor = 1.0f) {
  return {std::min(1.0f, c.r / 255.0f * factor), std::min(1.0f, c.g / 255.0f * factor),
          std::min(1.0f, c.b / 255.0f * factor)};
}

// The colour of the first filled primitive, the item's body colour.
Rgba BodyColour(const SceneryDef& def) {
  for (const ScenePrim& p : def.shapes)
    if (p.fill.a != 0 && p.type != kText && p.type != kLine) return p.fill;
  return {160, 160, 160, 255};
}

std::vector<Vec3> Ellipse(float cx, float cy, float rx, float ry, int n) {
  std::vector<Vec3> out;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * kPi * k / n;
    out.push_back(
        {cx + rx * static_cast<float>(std::cos(a)), cy + ry * static_cast<float>(std::sin(a)), 0});
  }
  return out;
}

// A pitched roof over the rectangle, its ridge along the longer side.
void Roof(Mesh3D& m, float hw, float hd, float z0, float z1, Colour3 c) {
  const Colour3 gable{c.r * 0.8f, c.g * 0.8f, c.b * 0.8f};
  if (hw >= hd) {
    const float rise = z1 - z0, len = std::hypot(hd, rise);
    m.Quad({-hw, -hd, z0}, {hw, -hd, z0}, {hw, 0, z1}, {-hw, 0, z1}, {0, -rise / len, hd / len}, c);
    m.Quad({hw, hd, z0}, {-hw, hd, z0}, {-hw, 0, z1}, {hw, 0, z1}, {0, rise / len, hd / len}, c);
    for (const float x : {-hw, hw}) {
      const Vec3 n{x < 0 ? -1.0f : 1.0f, 0, 0};
      m.Triangle(m.Add({x, -hd, z0}, n, gable), m.Add({x, hd, z0}, n, gable),
                 m.Add({x, 0, z1}, n, gable));
    }
  } else {
    const float rise = z1 - z0, len = std::hypot(hw, rise);
    m.Quad({-hw, hd, z0}, {-hw, -hd, z0}, {0, -hd, z1}, {0, hd, z1}, {-rise / len, 0, hw / len}, c);
    m.Quad({hw, -hd, z0}, {hw, hd, z0}, {0, hd, z1}, {0, -hd, z1}, {rise / len, 0, hw / len}, c);
    for (const float y : {-hd, hd}) {
      const Vec3 n{0, y < 0 ? -1.0f : 1.0f, 0};
      m.Triangle(m.Add({-hw, y, z0}, n, gable), m.Add({hw, y, z0}, n, gable),
                 m.Add({0, y, z1}, n, gable));
    }
  }
}

void Tree(Mesh3D& m, float cx, float cy, float rx, float ry, float h, bool conifer) {
  const Colour3 bark{0.35f, 0.24f, 0.14f}, green{0.20f, 0.42f, 0.18f};
  const float trunk = std::max(1.5f, std::min(rx, ry) * 0.15f);
  AddPrism(m, Ellipse(cx, cy, trunk, trunk, 6), 0, h * 0.35f, bark, bark);
  const int n = 10;
  // Crown: a widening then narrowing stack (a cone for conifers).
  const float levels[][2] = {{0.25f, 0.6f}, {0.5f, 1.0f}, {0.8f, 0.75f}, {1.0f, 0.0f}};
  const float conic[][2] = {{0.2f, 1.0f}, {1.0f, 0.0f}};
  std::vector<std::pair<float, float>> rings;
  if (conifer)
    for (const auto& r : conic) rings.emplace_back(r[0], r[1]);
  else
    for (const auto& r : levels) rings.emplace_back(r[0], r[1]);
  for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
    const auto [z0, s0] = rings[i];
    const auto [z1, s1] = rings[i + 1];
    for (int k = 0; k < n; ++k) {
      const double a0 = 2.0 * kPi * k / n, a1 = 2.0 * kPi * (k + 1) / n;
      auto p = [&](double a, float s, float z) {
        return Vec3{cx + rx * s * static_cast<float>(std::cos(a)),
                    cy + ry * s * static_cast<float>(std::sin(a)), h * z};
      };
      const double am = (a0 + a1) / 2;
      const Vec3 normal{static_cast<float>(std::cos(am)), static_cast<float>(std::sin(am)), 0.5f};
      m.Quad(p(a0, s0, z0), p(a1, s0, z0), p(a1, s1, z1), p(a0, s1, z1), normal, green);
    }
  }
}

}  // namespace

double SceneryHeight(const SceneryDef& def) {
  if (def.category == kSignals) return def.z_scale ? 30 : 60;
  for (const HeightRow& row : kHeights)
    if (def.id == row.id) return row.height;
  return 20;
}

Model3D BuildSceneryModel(const SceneryDef& def) {
  Model3D model;
  model.lods.resize(1);
  Mesh3D& m = model.lods[0];
  const float hw = static_cast<float>(def.width / 2), hd = static_cast<float>(def.depth / 2);
  const float h = static_cast<float>(SceneryHeight(def));
  const Rgba body = BodyColour(def);
  if (def.category == kSignals) {
    const float post = std::max(0.8f, hw * 0.12f);
    AddBox(m, {-post, -post, 0}, {post, post, h}, {0.3f, 0.3f, 0.3f}, {0.25f, 0.25f, 0.27f});
    Rgba aspect = body;
    for (const ScenePrim& p : def.shapes)
      if ((p.fill.r == 220 && p.fill.g == 40) || (p.fill.r == 60 && p.fill.g == 200))
        aspect = p.fill;
    AddBox(m, {-post * 2, -post * 2, h * 0.8f}, {post * 2, post * 2, h}, ToColour(aspect),
           ToColour(aspect, 0.8f));
  } else if (def.category == kNature) {
    const bool conifer = def.id == "tree_conifer";
    if (def.id == "tree_group") {
      Tree(m, -hw * 0.5f, hd * 0.2f, hw * 0.35f, hd * 0.45f, h * 0.8f, false);
      Tree(m, hw * 0.1f, -hd * 0.3f, hw * 0.35f, hd * 0.5f, h, true);
      Tree(m, hw * 0.6f, hd * 0.3f, hw * 0.3f, hd * 0.45f, h * 0.7f, false);
    } else {
      Tree(m, 0, 0, hw, hd, h, conifer);
    }
  } else if (def.category == kBuildings || def.category == kStations || def.id == "72886") {
    const float eaves = h * 0.65f;
    AddBox(m, {-hw, -hd, 0}, {hw, hd, eaves}, {0.72f, 0.66f, 0.58f}, {0.72f, 0.66f, 0.58f});
    Roof(m, hw, hd, eaves, h, ToColour(body, 0.9f));
  } else if (def.id == "water_tower") {
    AddPrism(m, Ellipse(0, 0, hw * 0.45f, hd * 0.45f, 12), 0, h * 0.6f, {0.6f, 0.55f, 0.5f},
             {0.55f, 0.5f, 0.45f});
    AddPrism(m, Ellipse(0, 0, hw, hd, 16), h * 0.6f, h, ToColour(body), ToColour(body, 0.75f));
  } else {
    AddBox(m, {-hw, -hd, 0}, {hw, hd, h}, ToColour(body), ToColour(body, 0.75f));
  }
  model.bound = BoundingSphere(m);
  return model;
}
