// Scenery sizing handles and the resize they drive.
#include "view/scenery_handles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSide[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 10.0;
constexpr double kPi = 3.14159265358979323846;

Point Rotate(double x, double y, double deg) {
  const double a = deg * kPi / 180.0, c = std::cos(a), s = std::sin(a);
  return {x * c - y * s, x * s + y * c};
}

}  // namespace

std::array<Point, 8> SceneryHandles(const SceneryItem& item, const SceneryDef& def) {
  const double w = def.width * item.scalex / 2, h = def.depth * item.scaley / 2;
  std::array<Point, 8> out{};
  for (std::size_t i = 0; i < 8; ++i) {
    const Point r = Rotate(kSide[i][0] * w, kSide[i][1] * h, item.heading);
    out[i] = {item.x + r.x, item.y + r.y};
  }
  return out;
}

int HitSceneryHandle(const SceneryItem& item, const SceneryDef& def, const ViewTransform& v,
                     double sx, double sy) {
  const auto handles = SceneryHandles(item, def);
  for (int i = 0; i < 8; ++i) {
    const IPoint d =
        ToDevice(v, handles[static_cast<std::size_t>(i)].x, handles[static_cast<std::size_t>(i)].y);
    if (std::abs(sx - d.x) <= 5 && std::abs(sy - d.y) <= 5) return i;
  }
  return -1;
}

SceneryResize ResizeByHandle(const SceneryItem& start, const SceneryDef& def, int h, Point anchor,
                             Point to) {
  const int ux = kSide[h][0], uy = kSide[h][1];
  const Point d = Rotate(to.x - anchor.x, to.y - anchor.y, -start.heading);
  SceneryResize r;
  r.scalex = start.scalex;
  r.scaley = start.scaley;
  // Past the anchor the size would be zero or negative: the smallest scale holds.
  if (ux != 0 && def.width > 0) r.scalex = std::clamp(ux * d.x / def.width, kMinScale, kMaxScale);
  if (uy != 0 && def.depth > 0) r.scaley = std::clamp(uy * d.y / def.depth, kMinScale, kMaxScale);
  const Point c =
      Rotate(ux * def.width * r.scalex / 2, uy * def.depth * r.scaley / 2, start.heading);
  // A side handle keeps the centre on the anchor's axis.
  r.center = {anchor.x + c.x, anchor.y + c.y};
  return r;
}
