// Outlines of many points for the 3D faces: a star that crosses itself everywhere and a
// ragged ring that never does.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "model/layout.h"

// The regular star {n/k} about (0, 0): point i at i * k / n of a turn. With n and k
// sharing no factor and 1 < k < n / 2, every edge crosses 2 (k - 1) others, n (k - 1)
// crossings in all, each of two edges.
inline std::vector<Point> StarOutline(int n, int k, double radius) {
  std::vector<Point> out;
  out.reserve(static_cast<std::size_t>(n));
  const double turn = 2 * 3.14159265358979323846 / n;
  for (int i = 0; i < n; ++i) {
    const double a = turn * static_cast<double>((static_cast<std::int64_t>(i) * k) % n);
    out.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return out;
}

// A simple outline of n points at steadily growing angles about (0, 0), each at a
// radius between `radius` and 1.1 x `radius` drawn at random (deterministic): a sweep
// line crosses it thousands of times.
inline std::vector<Point> RaggedRing(int n, double radius) {
  std::vector<Point> out;
  out.reserve(static_cast<std::size_t>(n));
  std::uint32_t state = 12345;
  const double turn = 2 * 3.14159265358979323846 / n;
  for (int i = 0; i < n; ++i) {
    state = state * 1664525u + 1013904223u;
    const double r = radius * (1 + 0.1 * (state >> 8) / double(1u << 24));
    out.push_back({r * std::cos(turn * i), r * std::sin(turn * i)});
  }
  return out;
}

// A comb of `teeth` teeth 5 wide and 1000 high, 10 apart, on a back 100 deep: 4 points
// a tooth and 2 for the back, 5000 * teeth + 100 * (10 * teeth - 5) in area.
inline std::vector<Point> Comb(int teeth) {
  std::vector<Point> out;
  for (int i = 0; i < teeth; ++i) {
    const double x = 10.0 * i;
    out.insert(out.end(), {{x, 0}, {x, 1000}, {x + 5, 1000}, {x + 5, 0}});
  }
  out.insert(out.end(), {{10.0 * teeth - 5, -100}, {0, -100}});
  return out;
}

inline double TriangleArea(const Point& a, const Point& b, const Point& c) {
  return ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

// The area the triangles cover, each counted once.
inline double FilledArea(const std::vector<Point>& points,
                         const std::vector<std::uint32_t>& triangles) {
  double area = 0;
  for (std::size_t i = 0; i + 2 < triangles.size(); i += 3)
    area += std::fabs(
        TriangleArea(points[triangles[i]], points[triangles[i + 1]], points[triangles[i + 2]]));
  return area;
}
