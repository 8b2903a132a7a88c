// The 3D camera: mouse and key controls, the projection and model-view matrices of a
// frame, and which model each instance draws with (culled when off screen, coarser
// when far away).
#pragma once

#include <array>
#include <vector>

#include "scene3d/scene3d.h"

// Column-major 4 x 4 matrix, as OpenGL loads it.
using Mat4 = std::array<float, 16>;
Mat4 Identity();
Mat4 Multiply(const Mat4& a, const Mat4& b);
Vec3 Transform(const Mat4& m, Vec3 p);

inline constexpr float kFieldOfViewDeg = 40.0f;

struct ViewSetup {
  bool valid = false;  // false for a zero-sized area: no projection is set up
  int width = 0, height = 0;
  float nearPlane = 1, farPlane = 60000;
  Mat4 projection{};
  Mat4 modelview{};
  float focalPx = 1;  // pixels per unit of size at unit distance
};

// The frame's view: perspective 40 degrees, near max(1, distance / 100), far
// max(60000, distance + scene diagonal); the eye looks down from above at positive pitch.
ViewSetup ComputeView(const Camera3D& camera, const Scene3D& scene, int width, int height);
// Window pixel (origin top-left) of a world point; false when it lies behind the eye.
bool ProjectToWindow(const ViewSetup& view, Vec3 p, float& px, float& py);

// Controls. Left drag: yaw 0.5 deg per pixel, pitch clamped to +-89. Right drag: pan
// in the ground plane. Wheel: distance x or / 0.88 within [50, maxDistance]. R: reset.
void OrbitBy(Camera3D& camera, int dx, int dy);
void PanBy(Camera3D& camera, int dx, int dy);
void ZoomStep(Camera3D& camera, bool zoom_in);
void ResetView(Camera3D& camera);

// Placement of a piece model (translate, turn, tilt, mirror y) and a scenery model
// (translate with its sink offset, turn, scale).
Mat4 InstanceMatrix(const ModelInstance& instance);
Mat4 SceneryMatrix(const SceneryInstance& instance);
float ScenerySinkOffset(const std::string& scenery_id);

struct DrawItem {
  const Mesh3D* mesh = nullptr;
  Mat4 transform{};
};

// A run of triangles over a run of vertices: drawn by itself, a software renderer
// handles a few thousand vertices at a time without allocating anew each frame.
struct IndexRange {
  std::uint32_t first = 0, count = 0;  // in the index array
  std::uint32_t minVertex = 0, maxVertex = 0;
};
inline constexpr std::uint32_t kBatchRangeVertices = 4096;

struct DrawPlan {
  std::vector<DrawItem> scenery;  // list order
  std::vector<DrawItem> pieces;   // list order, nearer than the coarsest detail
  // Far pieces are drawn as one mesh in world coordinates: thousands of tiny draws
  // cost more than their triangles. Kept while the same instances stay far.
  std::vector<std::uint32_t> batched;     // instance indices in `batch`
  std::vector<std::uint8_t> batchLevels;  // the detail level each is merged at
  Mesh3D batch;
  std::vector<IndexRange> batchRanges;  // covering `batch` in order
  std::uint64_t batchVersion = 0;
  std::array<int, 4> perLevel{};  // pieces drawn at each detail level
  int culled = 0;
  std::size_t triangles = 0;

  // Worked out once per scene (by its version), not per frame: each piece instance's
  // placement, model and bound in the world, and the instances by ground cell with a
  // bound around each cell, so that a frame tests cells first and a cell wholly in view
  // and far away goes to the batch without testing its pieces.
  struct Placed {
    Mat4 transform{};
    const Model3D* model = nullptr;
    Sphere bound;  // in the world
  };
  struct Cell {
    Sphere bound;                               // around the bounds of all its instances
    std::vector<std::uint32_t> instances;       // with a model, in scene order
    std::vector<std::uint32_t> far;             // those with a far model to draw
    std::array<std::size_t, 2> farTriangles{};  // of their models at the two far levels
  };
  std::uint64_t placedVersion = 0;
  std::vector<Placed> placed;
  std::vector<Cell> cells;  // in the order of their first instance
  // Counts the merges of `batch`, so that a drawing keeping it in a buffer of its own
  // knows when to load it again; the buffer names and `batchLoaded` are the drawing's.
  std::uint64_t batchMerges = 0;
  std::uint32_t batchBuffer = 0;
  std::uint32_t batchIndexBuffer = 0;
  std::uint64_t batchLoaded = 0;
};

// Detail level of a piece instance at `distance` from the eye: 0 while a sleeper is
// wider than about a pixel, 1 while the rails are two or more pixels apart, 2 while the
// ballast is a pixel wide or more, else 3. Levels 2 and 3 are drawn in the far batch.
int DetailLevel(float distance, float focal_px);
// Fills `plan` with the instances inside the view at their detail level.
void PlanDraws(const Scene3D& scene, const ViewSetup& view, DrawPlan& plan);
// Appends the model of each listed piece instance at its level (2 or 3), placed in the
// world. Ranges of at most kBatchRangeVertices vertices each (or one instance) are
// recorded.
void MergeFarInstances(const Scene3D& scene, const std::vector<std::uint32_t>& instances,
                       const std::vector<std::uint8_t>& levels, Mesh3D& out,
                       std::vector<IndexRange>& ranges);
