// Choosing how a flat face is split, counting where an outline meets itself, and the
// fan that stands in for the tessellator.
#include "scene3d/outline_fill.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

double Orient(const Point& a, const Point& b, const Point& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

int Sign(double v) {
  return (v > 0) - (v < 0);
}

// Whether segments ab and cd share a point; their boxes are known to overlap.
bool SegmentsMeet(const Point& a, const Point& b, const Point& c, const Point& d) {
  const int o1 = Sign(Orient(a, b, c)), o2 = Sign(Orient(a, b, d));
  const int o3 = Sign(Orient(c, d, a)), o4 = Sign(Orient(c, d, b));
  // Else they cross, one ends on the other, or they lie on one line with boxes overlapping.
  return o1 * o2 <= 0 && o3 * o4 <= 0;
}

// The outline without repeated points (a point equal to the one before it, or the
// last equal to the first): a zero-length edge is no edge.
std::vector<Point> WithoutRepeats(const std::vector<Point>& outline) {
  std::vector<Point> out;
  out.reserve(outline.size());
  for (const Point& p : outline)
    if (out.empty() || !(p == out.back())) out.push_back(p);
  while (out.size() > 1 && out.back() == out.front()) out.pop_back();
  return out;
}

}  // namespace

int CountCrossings(const std::vector<Point>& outline, int most) {
  const std::vector<Point> p = WithoutRepeats(outline);
  const std::size_t n = p.size();
  if (n < 3) return 0;
  const auto next = [n](std::size_t i) { return i + 1 == n ? 0 : i + 1; };
  int count = 0;
  // Neighbours meet beyond their shared point only where the outline turns straight back.
  for (std::size_t i = 0; i < n && count <= most; ++i) {
    const Point &a = p[i], &b = p[next(i)], &c = p[next(next(i))];
    if (Orient(a, b, c) == 0 && (a.x - b.x) * (c.x - b.x) + (a.y - b.y) * (c.y - b.y) > 0) ++count;
  }
  // Other pairs: edges taken by their left ends, each tested against those starting
  // before its right end.
  struct Box {
    double x0, x1, y0, y1;
  };
  std::vector<Box> box(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Point &a = p[i], &b = p[next(i)];
    box[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
  }
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t l, std::size_t r) { return box[l].x0 < box[r].x0; });
  for (std::size_t k = 0; k < n && count <= most; ++k) {
    const std::size_t i = order[k];
    for (std::size_t m = k + 1; m < n && box[order[m]].x0 <= box[i].x1; ++m) {
      const std::size_t j = order[m];
      if (next(i) == j || next(j) == i) continue;  // neighbours, counted above
      if (box[j].y0 > box[i].y1 || box[i].y0 > box[j].y1) continue;
      if (SegmentsMeet(p[i], p[next(i)], p[j], p[next(j)]) && ++count > most) break;
    }
  }
  return std::min(count, most + 1);
}

bool TessellatesExactly(const std::vector<Point>& outline) {
  return outline.size() <= kTessellatedMostPoints &&
         CountCrossings(outline, kTessellatedMostCrossings) <= kTessellatedMostCrossings;
}

void FanTriangles(const std::vector<Point>& outline, std::vector<Point>& points,
                  std::vector<std::uint32_t>& triangles) {
  points = outline;
  triangles.clear();
  const std::size_t n = outline.size();
  if (n < 3) return;
  Point mean;
  for (const Point& q : outline) {
    mean.x += q.x / static_cast<double>(n);
    mean.y += q.y / static_cast<double>(n);
  }
  const auto centre = static_cast<std::uint32_t>(n);
  points.push_back(mean);
  triangles.reserve(3 * n);
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t j = i + 1 == n ? 0 : i + 1;
    const double area2 = Orient(mean, outline[i], outline[j]);
    if (area2 > 0)
      triangles.insert(triangles.end(), {centre, i, j});
    else if (area2 < 0)
      triangles.insert(triangles.end(), {centre, j, i});
  }
}

bool FillOutline(const std::vector<Point>& outline, PolygonTessellator& tessellator,
                 std::vector<Point>& points, std::vector<std::uint32_t>& triangles) {
  if (!TessellatesExactly(outline)) {
    FanTriangles(outline, points, triangles);
    return false;
  }
  tessellator.Triangulate(outline, points, triangles);
  return true;
}

bool FannedWallsStand(const std::vector<Point>& outline, double height) {
  if (outline.empty()) return true;
  double x0 = outline[0].x, x1 = x0, y0 = outline[0].y, y1 = y0, length = 0;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const Point &a = outline[i], &b = outline[i + 1 == outline.size() ? 0 : i + 1];
    x0 = std::min(x0, a.x), x1 = std::max(x1, a.x), y0 = std::min(y0, a.y), y1 = std::max(y1, a.y);
    length += std::hypot(b.x - a.x, b.y - a.y);
  }
  const double extent = std::max(x1 - x0, y1 - y0);
  return length * height <= kFannedMostWallShare * extent * extent;
}
