// Mesh building blocks: vertices, quads, prisms and bounding spheres.
#include "scene3d/mesh3d.h"

#include <algorithm>
#include <cmath>

void Mesh3D::clear() {
  positions.clear();
  normals.clear();
  colours.clear();
  indices.clear();
}

std::uint32_t Mesh3D::Add(Vec3 p, Vec3 n, Colour3 c) {
  const std::uint32_t i = VertexCount();
  positions.insert(positions.end(), {p.x, p.y, p.z});
  normals.insert(normals.end(), {n.x, n.y, n.z});
  colours.insert(colours.end(), {c.r, c.g, c.b});
  return i;
}

void Mesh3D::Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  indices.insert(indices.end(), {a, b, c});
}

void Mesh3D::Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 n, Colour3 col) {
  const std::uint32_t i = Add(a, n, col);
  Add(b, n, col);
  Add(c, n, col);
  Add(d, n, col);
  Triangle(i, i + 1, i + 2);
  Triangle(i, i + 2, i + 3);
}

void Mesh3D::Append(const Mesh3D& other) {
  const std::uint32_t base = VertexCount();
  positions.insert(positions.end(), other.positions.begin(), other.positions.end());
  normals.insert(normals.end(), other.normals.begin(), other.normals.end());
  colours.insert(colours.end(), other.colours.begin(), other.colours.end());
  for (std::uint32_t i : other.indices) indices.push_back(base + i);
}

void AddPrism(Mesh3D& m, const std::vector<Vec3>& outline, float z0, float z1, Colour3 top,
              Colour3 side, bool with_top) {
  const std::size_t n = outline.size();
  if (n < 3) return;
  double area2 = 0;
  Vec3 mid;
  for (std::size_t i = 0; i < n; ++i) {
    const Vec3& a = outline[i];
    const Vec3& b = outline[(i + 1) % n];
    area2 += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    mid.x += a.x / static_cast<float>(n);
    mid.y += a.y / static_cast<float>(n);
  }
  // Outward normal of edge a->b: the edge turned a quarter away from the inside.
  const float turn = area2 >= 0 ? 1.0f : -1.0f;
  for (std::size_t i = 0; i < n; ++i) {
    const Vec3& a = outline[i];
    const Vec3& b = outline[(i + 1) % n];
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float len = std::hypot(ex, ey);
    if (len <= 0) continue;
    const Vec3 normal{turn * ey / len, -turn * ex / len, 0};
    m.Quad({a.x, a.y, z0}, {b.x, b.y, z0}, {b.x, b.y, z1}, {a.x, a.y, z1}, normal, side);
  }
  if (!with_top) return;
  const Vec3 up{0, 0, 1};
  if (n == 4) {
    const Vec3 &a = outline[0], &b = outline[1], &c = outline[2], &d = outline[3];
    m.Quad({a.x, a.y, z1}, {b.x, b.y, z1}, {c.x, c.y, z1}, {d.x, d.y, z1}, up, top);
    return;
  }
  const std::uint32_t c = m.Add({mid.x, mid.y, z1}, up, top);
  const std::uint32_t first = m.VertexCount();
  for (const Vec3& p : outline) m.Add({p.x, p.y, z1}, up, top);
  for (std::uint32_t i = 0; i < n; ++i)
    m.Triangle(c, first + i, first + static_cast<std::uint32_t>((i + 1) % n));
}

void AddBox(Mesh3D& m, Vec3 lo, Vec3 hi, Colour3 top, Colour3 side) {
  AddPrism(m, {{lo.x, lo.y, 0}, {hi.x, lo.y, 0}, {hi.x, hi.y, 0}, {lo.x, hi.y, 0}}, lo.z, hi.z, top,
           side);
}

Sphere BoundingSphere(const Mesh3D& m) {
  Sphere s;
  if (m.positions.empty()) return s;
  Vec3 lo{m.positions[0], m.positions[1], m.positions[2]}, hi = lo;
  for (std::size_t i = 0; i + 2 < m.positions.size(); i += 3) {
    lo = {std::min(lo.x, m.positions[i]), std::min(lo.y, m.positions[i + 1]),
          std::min(lo.z, m.positions[i + 2])};
    hi = {std::max(hi.x, m.positions[i]), std::max(hi.y, m.positions[i + 1]),
          std::max(hi.z, m.positions[i + 2])};
  }
  s.centre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
  float r2 = 0;
  for (std::size_t i = 0; i + 2 < m.positions.size(); i += 3) {
    const float dx = m.positions[i] - s.centre.x, dy = m.positions[i + 1] - s.centre.y,
                dz = m.positions[i + 2] - s.centre.z;
    r2 = std::max(r2, dx * dx + dy * dy + dz * dz);
  }
  s.radius = std::sqrt(r2);
  return s;
}
