// The 3D scene as plain data: shared models of catalog pieces and scenery items, the
// instances placing them, static meshes, outline lines, and the camera.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/layout.h"
#include "model/layout_extent.h"
#include "scene3d/mesh3d.h"

// A shared model with its coarser stand-ins for far views: lods[0] is the full model,
// lods[k] the one drawn at detail level k (the last one for every coarser level).
struct Model3D {
  std::vector<Mesh3D> lods;
  Sphere bound;  // around the full model, in model coordinates
  const Mesh3D& ForLevel(int level) const;
  const Mesh3D& full() const { return lods.front(); }
};

// One drawn copy of a catalog piece model.
struct ModelInstance {
  std::string pieceId;
  float x = 0, y = 0, z = 0;  // y already mirrored
  float heading = 0;          // degrees about the vertical axis
  float tilt = 0;             // the grade as an angle in degrees
  float length = 0;
  bool reversed = false;  // when false the tilt is applied with the opposite sign
};

struct SceneryInstance {
  std::string sceneryId;
  float x = 0, y = 0, z = 0;
  float heading = 0;
  float scaleX = 1, scaleY = 1;
};

struct LineSegment3D {
  Vec3 a;
  Vec3 b;
  Colour3 colour;
};

// The ground grid: lines every `step` mm from the minimum to the maximum in x and in y
// (3D axes), whole steps from the origin.
struct GroundGrid {
  float minX = -1000, minY = -1000, maxX = 1000, maxY = 1000;
  float step = 100;
};

// The grid under a layout of extent `e` (layout axes): the extent with a 500 mm margin,
// at least 2 m either way, out to whole steps of 100 mm, or of 1 m, 10 m ... once that
// would draw more than 200 lines across. Nothing counted: 2 m square about the origin.
GroundGrid GridUnder(const Extent& e);

struct Scene3D {
  std::map<std::string, Model3D> pieceModels;
  std::vector<ModelInstance> pieceInstances;
  Mesh3D structureMesh;  // piers, helix columns, solid polygons
  Mesh3D baseboardMesh;
  Mesh3D hillMesh;
  std::vector<LineSegment3D> outlineSegments;
  std::map<std::string, Model3D> sceneryModels;
  std::vector<SceneryInstance> sceneryInstances;
  GroundGrid grid;            // covers every object of the layout on any level
  float diagonal = 0;         // of the fitted bounds; 0 when nothing was fitted
  std::uint64_t version = 0;  // counts rebuilds, so that caches of a frame know their scene
};

inline constexpr float kMinDistance = 50.0f;
inline constexpr float kMaxDistance = 15000.0f;

struct Camera3D {
  float pitch = 35, yaw = 30, distance = 800;
  float panX = 0, panY = 0;
  float centerX = 0, centerY = 0;
  float maxDistance = kMaxDistance;  // raised by the fit of a layout larger than that
};

// Splits one closed contour into triangles by the odd winding rule. `points` receives
// the contour's points in order followed by any points made where edges cross;
// `triangles` three indices into `points` per triangle.
class PolygonTessellator {
 public:
  virtual ~PolygonTessellator() = default;
  virtual void Triangulate(const std::vector<Point>& contour, std::vector<Point>& points,
                           std::vector<std::uint32_t>& triangles) = 0;
};

// Rebuilds the whole scene from the layout and fits the camera to what is placed on the
// shown levels, else to the baseboard, decks and drawings (with none of them either, the
// camera keeps its centre and distance).
void RebuildScene(Scene3D& scene, Camera3D& camera, const Layout& layout,
                  PolygonTessellator& tessellator);
