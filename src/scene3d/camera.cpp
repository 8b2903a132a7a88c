// Camera controls, view matrices, and the per-instance culling and detail choice.
#include "scene3d/camera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;

Mat4 Translate(float x, float y, float z) {
  Mat4 m = Identity();
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return m;
}

Mat4 Scale(float x, float y, float z) {
  Mat4 m = Identity();
  m[0] = x;
  m[5] = y;
  m[10] = z;
  return m;
}

// Rotation by `deg` about an axis (0 x, 1 y, 2 z), as glRotatef turns.
Mat4 Rotate(float deg, int axis) {
  const float c = std::cos(deg * kDegToRad), s = std::sin(deg * kDegToRad);
  Mat4 m = Identity();
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  m[i * 4 + i] = c;
  m[j * 4 + j] = c;
  m[i * 4 + j] = s;  // column i, row j
  m[j * 4 + i] = -s;
  return m;
}

// Scenery sits a little into the ground; the bridges deeper.
constexpr float kSleeperWidthMm = 3.5f, kSleeperMinPx = 0.75f;
constexpr float kGaugeMm = 16.5f, kGaugeMinPx = 2.0f;
constexpr float kBallastWidthMm = 37.4f, kBallastMinPx = 1.0f;
constexpr int kFarLevel = 2, kTinyLevel = 3;

}  // namespace

Mat4 Identity() {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
  Mat4 r{};
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row) {
      float v = 0;
      for (int k = 0; k < 4; ++k) v += a[k * 4 + row] * b[col * 4 + k];
      r[col * 4 + row] = v;
    }
  return r;
}

Vec3 Transform(const Mat4& m, Vec3 p) {
  return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
          m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
          m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

ViewSetup ComputeView(const Camera3D& camera, const Scene3D& scene, int width, int height) {
  ViewSetup v;
  v.width = width;
  v.height = height;
  v.nearPlane = std::max(1.0f, camera.distance / 100.0f);
  v.farPlane = std::max(60000.0f, camera.distance + scene.diagonal);
  // Looking from (0, 0, distance) at the origin; turning by -pitch about x keeps the
  // layout's up pointing up on the screen.
  v.modelview =
      Multiply(Multiply(Translate(0, 0, -camera.distance), Rotate(-camera.pitch, 0)),
               Multiply(Rotate(camera.yaw, 2),
                        Translate(camera.panX - camera.centerX, camera.panY - camera.centerY, 0)));
  if (width < 1 || height < 1) return v;
  v.valid = true;
  const float f = 1.0f / std::tan(kFieldOfViewDeg / 2.0f * kDegToRad);
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  const float n = v.nearPlane, fa = v.farPlane;
  v.projection = Mat4{};
  v.projection[0] = f / aspect;
  v.projection[5] = f;
  v.projection[10] = (fa + n) / (n - fa);
  v.projection[11] = -1;
  v.projection[14] = 2 * fa * n / (n - fa);
  v.focalPx = f * static_cast<float>(height) / 2.0f;
  return v;
}

bool ProjectToWindow(const ViewSetup& view, Vec3 p, float& px, float& py) {
  const Vec3 e = Transform(view.modelview, p);
  if (e.z >= 0 || !view.valid) return false;
  const float ndc_x = view.projection[0] * e.x / -e.z, ndc_y = view.projection[5] * e.y / -e.z;
  px = (ndc_x + 1.0f) / 2.0f * static_cast<float>(view.width);
  py = (1.0f - ndc_y) / 2.0f * static_cast<float>(view.height);
  return true;
}

void OrbitBy(Camera3D& camera, int dx, int dy) {
  camera.yaw += 0.5f * static_cast<float>(dx);
  camera.pitch = std::clamp(camera.pitch + 0.5f * static_cast<float>(dy), -89.0f, 89.0f);
}

void PanBy(Camera3D& camera, int dx, int dy) {
  const float c = std::cos(camera.yaw * kDegToRad), s = std::sin(camera.yaw * kDegToRad);
  // Window y grows downwards and the ground's y away from the eye: a drag down pulls the
  // ground towards the eye, so the scene follows the mouse both ways.
  const float fx = static_cast<float>(dx), fy = -static_cast<float>(dy);
  camera.panX += (c * fx + s * fy) * camera.distance / 900.0f;
  camera.panY += (c * fy - s * fx) * camera.distance / 900.0f;
}

void ZoomStep(Camera3D& camera, bool zoom_in) {
  camera.distance = zoom_in ? camera.distance * 0.88f : camera.distance / 0.88f;
  camera.distance = std::clamp(camera.distance, kMinDistance, camera.maxDistance);
}

void ResetView(Camera3D& camera) {
  camera.pitch = 35;
  camera.yaw = 30;
  camera.panX = camera.panY = 0;
}

Mat4 InstanceMatrix(const ModelInstance& i) {
  return Multiply(Multiply(Translate(i.x, i.y, i.z), Rotate(i.heading, 2)),
                  Multiply(Rotate(i.reversed ? i.tilt : -i.tilt, 1), Scale(1, -1, 1)));
}

float ScenerySinkOffset(const std::string& id) {
  if (id == "bridge_arch") return -18;
  if (id == "bridge_truss") return -4;
  return -1;
}

Mat4 SceneryMatrix(const SceneryInstance& i) {
  Mat4 m =
      Multiply(Translate(i.x, i.y, i.z + ScenerySinkOffset(i.sceneryId)), Rotate(i.heading, 2));
  if (i.scaleX != 1 || i.scaleY != 1) m = Multiply(m, Scale(i.scaleX, i.scaleY, 1));
  return m;
}

int DetailLevel(float distance, float focal_px) {
  if (kSleeperWidthMm * focal_px >= kSleeperMinPx * distance) return 0;
  if (kGaugeMm * focal_px >= kGaugeMinPx * distance) return 1;
  if (kBallastWidthMm * focal_px >= kBallastMinPx * distance) return 2;
  return 3;
}

namespace {

// Eye-space distance of a sphere, or a negative value when it lies outside the view.
float VisibleDistance(const ViewSetup& v, const Mat4& to_eye, const Sphere& s, float r) {
  const Vec3 e = Transform(to_eye, s.centre);
  const float depth = -e.z;
  if (depth + r < v.nearPlane || depth - r > v.farPlane) return -1;
  // Side planes through the eye: inside when x cos + z sin <= 0 (turned per side).
  const float ty = 1.0f / v.projection[5], tx = 1.0f / v.projection[0];
  const float cy = 1.0f / std::sqrt(1 + ty * ty), sy = ty * cy;
  const float cx = 1.0f / std::sqrt(1 + tx * tx), sx = tx * cx;
  if (std::fabs(e.y) * cy + e.z * sy > r || std::fabs(e.x) * cx + e.z * sx > r) return -1;
  return std::max(v.nearPlane, std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z) - r);
}

}  // namespace

void MergeFarInstances(const Scene3D& scene, const std::vector<std::uint32_t>& instances,
                       const std::vector<std::uint8_t>& levels, Mesh3D& out,
                       std::vector<IndexRange>& ranges) {
  for (std::size_t j = 0; j < instances.size(); ++j) {
    const ModelInstance& i = scene.pieceInstances[instances[j]];
    const auto it = scene.pieceModels.find(i.pieceId);
    if (it == scene.pieceModels.end()) continue;
    const Mesh3D& m = it->second.ForLevel(levels[j]);
    const Mat4 t = InstanceMatrix(i);
    Mat4 turn = t;  // the normals turn (and mirror) with the model but do not move
    turn[12] = turn[13] = turn[14] = 0;
    const std::uint32_t base = out.VertexCount();
    if (ranges.empty() || base + m.VertexCount() - ranges.back().minVertex > kBatchRangeVertices)
      ranges.push_back({static_cast<std::uint32_t>(out.indices.size()), 0, base, base});
    for (std::size_t v = 0; v + 2 < m.positions.size(); v += 3) {
      const Vec3 p = Transform(t, {m.positions[v], m.positions[v + 1], m.positions[v + 2]});
      const Vec3 n = Transform(turn, {m.normals[v], m.normals[v + 1], m.normals[v + 2]});
      out.positions.insert(out.positions.end(), {p.x, p.y, p.z});
      out.normals.insert(out.normals.end(), {n.x, n.y, n.z});
      out.colours.insert(out.colours.end(), m.colours.begin() + static_cast<std::ptrdiff_t>(v),
                         m.colours.begin() + static_cast<std::ptrdiff_t>(v + 3));
    }
    for (const std::uint32_t idx : m.indices) out.indices.push_back(base + idx);
    ranges.back().count += static_cast<std::uint32_t>(m.indices.size());
    ranges.back().maxVertex = std::max(ranges.back().maxVertex, out.VertexCount() - 1);
  }
}

namespace {

// Whether a sphere lies wholly inside the view (the same planes as VisibleDistance).
bool WhollyInView(const ViewSetup& v, const Mat4& to_eye, const Sphere& s) {
  const Vec3 e = Transform(to_eye, s.centre);
  const float depth = -e.z, r = s.radius;
  if (depth - r < v.nearPlane || depth + r > v.farPlane) return false;
  const float ty = 1.0f / v.projection[5], tx = 1.0f / v.projection[0];
  const float cy = 1.0f / std::sqrt(1 + ty * ty), sy = ty * cy;
  const float cx = 1.0f / std::sqrt(1 + tx * tx), sx = tx * cx;
  return std::fabs(e.y) * cy + e.z * sy <= -r && std::fabs(e.x) * cx + e.z * sx <= -r;
}

// About this many instances share a cell: few enough that a cell near the eye costs
// little to test piece by piece, many enough that a frame tests few cells.
constexpr float kInstancesPerCell = 128;

void PlaceInstances(const Scene3D& scene, DrawPlan& plan) {
  plan.placedVersion = scene.version;
  plan.placed.assign(scene.pieceInstances.size(), {});
  plan.cells.clear();
  float lo_x = 0, lo_y = 0, hi_x = 0, hi_y = 0;
  bool any = false;
  const Model3D* model = nullptr;
  const std::string* model_id = nullptr;
  for (std::size_t k = 0; k < scene.pieceInstances.size(); ++k) {
    const ModelInstance& i = scene.pieceInstances[k];
    if (!model_id || *model_id != i.pieceId) {  // runs of one article are common
      const auto it = scene.pieceModels.find(i.pieceId);
      model = it == scene.pieceModels.end() ? nullptr : &it->second;
      model_id = &i.pieceId;
    }
    if (!model || model->full().empty()) continue;
    DrawPlan::Placed& p = plan.placed[k];
    p.transform = InstanceMatrix(i);
    p.model = model;
    p.bound = {Transform(p.transform, model->bound.centre), model->bound.radius};
    lo_x = any ? std::min(lo_x, p.bound.centre.x) : p.bound.centre.x;
    hi_x = any ? std::max(hi_x, p.bound.centre.x) : p.bound.centre.x;
    lo_y = any ? std::min(lo_y, p.bound.centre.y) : p.bound.centre.y;
    hi_y = any ? std::max(hi_y, p.bound.centre.y) : p.bound.centre.y;
    any = true;
  }
  if (!any) return;
  const float cells = std::max(1.0f, static_cast<float>(plan.placed.size()) / kInstancesPerCell);
  const float side = std::max(std::sqrt((hi_x - lo_x) * (hi_y - lo_y) / cells), 100.0f);
  const int nx = std::clamp(static_cast<int>((hi_x - lo_x) / side) + 1, 1, 256);
  const int ny = std::clamp(static_cast<int>((hi_y - lo_y) / side) + 1, 1, 256);
  std::vector<DrawPlan::Cell> grid(static_cast<std::size_t>(nx * ny));
  for (std::uint32_t k = 0; k < plan.placed.size(); ++k) {
    const DrawPlan::Placed& p = plan.placed[k];
    if (!p.model) continue;
    const int cx = std::clamp(static_cast<int>((p.bound.centre.x - lo_x) / side), 0, nx - 1);
    const int cy = std::clamp(static_cast<int>((p.bound.centre.y - lo_y) / side), 0, ny - 1);
    DrawPlan::Cell& c = grid[static_cast<std::size_t>(cy * nx + cx)];
    c.instances.push_back(k);
    const Mesh3D& far = p.model->ForLevel(kFarLevel);
    if (!far.empty()) {
      c.far.push_back(k);
      c.farTriangles[0] += far.TriangleCount();
      c.farTriangles[1] += p.model->ForLevel(kTinyLevel).TriangleCount();
    }
  }
  for (DrawPlan::Cell& c : grid) {
    if (c.instances.empty()) continue;
    Vec3 lo = plan.placed[c.instances[0]].bound.centre, hi = lo;
    for (const std::uint32_t k : c.instances) {
      const Sphere& b = plan.placed[k].bound;
      lo = {std::min(lo.x, b.centre.x - b.radius), std::min(lo.y, b.centre.y - b.radius),
            std::min(lo.z, b.centre.z - b.radius)};
      hi = {std::max(hi.x, b.centre.x + b.radius), std::max(hi.y, b.centre.y + b.radius),
            std::max(hi.z, b.centre.z + b.radius)};
    }
    c.bound.centre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
    for (const std::uint32_t k : c.instances) {
      const Sphere& b = plan.placed[k].bound;
      const float dx = b.centre.x - c.bound.centre.x, dy = b.centre.y - c.bound.centre.y,
                  dz = b.centre.z - c.bound.centre.z;
      c.bound.radius = std::max(c.bound.radius, std::sqrt(dx * dx + dy * dy + dz * dz) + b.radius);
    }
    plan.cells.push_back(std::move(c));
  }
  std::sort(plan.cells.begin(), plan.cells.end(),
            [](const DrawPlan::Cell& a, const DrawPlan::Cell& b) {
              return a.instances[0] < b.instances[0];
            });
}

}  // namespace

void PlanDraws(const Scene3D& scene, const ViewSetup& view, DrawPlan& plan) {
  plan.scenery.clear();
  plan.pieces.clear();
  std::vector<std::uint32_t> far;
  std::vector<std::uint8_t> far_levels;
  plan.perLevel = {};
  plan.culled = 0;
  plan.triangles = 0;
  if (!view.valid) {
    plan.batched.clear();
    plan.batchLevels.clear();
    plan.batch.clear();
    plan.batchRanges.clear();
    ++plan.batchMerges;
    return;
  }
  for (const SceneryInstance& s : scene.sceneryInstances) {
    const auto it = scene.sceneryModels.find(s.sceneryId);
    if (it == scene.sceneryModels.end() || it->second.full().empty()) continue;
    const Mat4 m = SceneryMatrix(s);
    const float r =
        it->second.bound.radius * std::max({std::fabs(s.scaleX), std::fabs(s.scaleY), 1.0f});
    if (VisibleDistance(view, Multiply(view.modelview, m), it->second.bound, r) < 0) {
      ++plan.culled;
      continue;
    }
    plan.scenery.push_back({&it->second.full(), m});
    plan.triangles += it->second.full().TriangleCount();
  }
  if (plan.placedVersion != scene.version || plan.placed.size() != scene.pieceInstances.size())
    PlaceInstances(scene, plan);
  // Near pieces are drawn in scene order, whichever cell they come from.
  std::vector<std::pair<std::uint32_t, DrawItem>> near;
  for (const DrawPlan::Cell& cell : plan.cells) {
    const float cd = VisibleDistance(view, view.modelview, cell.bound, cell.bound.radius);
    if (cd < 0) {
      plan.culled += static_cast<int>(cell.instances.size());
      continue;
    }
    // Every instance lies inside the cell's bound, so none is nearer than the cell.
    const int cell_level = std::min(DetailLevel(cd, view.focalPx), kTinyLevel);
    if (cell_level >= kFarLevel && WhollyInView(view, view.modelview, cell.bound)) {
      far.insert(far.end(), cell.far.begin(), cell.far.end());
      far_levels.insert(far_levels.end(), cell.far.size(), static_cast<std::uint8_t>(cell_level));
      plan.perLevel[static_cast<std::size_t>(cell_level)] += static_cast<int>(cell.far.size());
      plan.triangles += cell.farTriangles[static_cast<std::size_t>(cell_level - kFarLevel)];
      continue;
    }
    for (const std::uint32_t k : cell.instances) {
      const DrawPlan::Placed& p = plan.placed[k];
      const float d = VisibleDistance(view, view.modelview, p.bound, p.bound.radius);
      if (d < 0) {
        ++plan.culled;
        continue;
      }
      const int level = std::min(DetailLevel(d, view.focalPx), kTinyLevel);
      const Mesh3D& mesh = p.model->ForLevel(level);
      if (mesh.empty()) continue;
      ++plan.perLevel[static_cast<std::size_t>(level)];
      plan.triangles += mesh.TriangleCount();
      if (level >= kFarLevel) {
        far.push_back(k);
        far_levels.push_back(static_cast<std::uint8_t>(level));
      } else {
        near.emplace_back(k, DrawItem{&mesh, p.transform});
      }
    }
  }
  std::sort(near.begin(), near.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [k, item] : near) plan.pieces.push_back(item);
  if (far != plan.batched || far_levels != plan.batchLevels || plan.batchVersion != scene.version) {
    plan.batch.clear();
    plan.batchRanges.clear();
    MergeFarInstances(scene, far, far_levels, plan.batch, plan.batchRanges);
    plan.batched = std::move(far);
    plan.batchLevels = std::move(far_levels);
    plan.batchVersion = scene.version;
    ++plan.batchMerges;
  }
}
