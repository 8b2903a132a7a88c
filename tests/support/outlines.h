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
