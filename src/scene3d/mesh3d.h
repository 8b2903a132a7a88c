// Plain triangle meshes for the 3D view: per-vertex positions, normals and colours with
// 32-bit indices, and the few solids the scene is built from.
#pragma once

#include <cstdint>
#include <vector>

struct Vec3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

struct Colour3 {
  float r = 0;
  float g = 0;
  float b = 0;
};

struct Mesh3D {
  std::vector<float> positions;        // x, y, z per vertex
  std::vector<float> normals;          // one unit normal per vertex
  std::vector<float> colours;          // r, g, b in 0..1 per vertex
  std::vector<std::uint32_t> indices;  // three per triangle

  bool empty() const { return indices.empty(); }
  std::uint32_t VertexCount() const { return static_cast<std::uint32_t>(positions.size() / 3); }
  std::size_t TriangleCount() const { return indices.size() / 3; }
  void clear();
  // Appends one vertex; returns its index.
  std::uint32_t Add(Vec3 p, Vec3 n, Colour3 c);
  void Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
  // A flat quad a-b-c-d (in order around its edge) with one normal and colour.
  void Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 n, Colour3 col);
  // Appends every vertex and triangle of `other`.
  void Append(const Mesh3D& other);
};

// A vertical prism over a closed outline (x, y pairs), from z0 to z1: a top face as a fan
// from the outline's mean (the outline must be convex), side walls facing outward.
void AddPrism(Mesh3D& m, const std::vector<Vec3>& outline, float z0, float z1, Colour3 top,
              Colour3 side, bool with_top = true);
// An axis-aligned box.
void AddBox(Mesh3D& m, Vec3 lo, Vec3 hi, Colour3 top, Colour3 side);

// The sphere around a mesh's vertices (centre of the bounding box, farthest vertex).
struct Sphere {
  Vec3 centre;
  float radius = 0;
};
Sphere BoundingSphere(const Mesh3D& m);
