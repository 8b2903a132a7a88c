// The 3D scene built from hand-made layouts: instances and their placement, piers,
// helix rings and columns, tunnel hills, polygons, hidden levels, the camera fit and
// controls, and which instances a frame draws at which detail.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "ear_clip_tessellator.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "scene3d/camera.h"
#include "scene3d/scene3d.h"
#include "scene3d/scenery_models.h"
#include "scene3d/track_models.h"

namespace {

struct Built {
  Scene3D scene;
  Camera3D camera;
};

Built Build(const Layout& layout) {
  Built b;
  EarClipTessellator tess;
  RebuildScene(b.scene, b.camera, layout, tess);
  return b;
}

// Vertices of one pier prism: 18 side quads and a top fan of 18 points plus its centre.
constexpr std::uint32_t kPierVertices = 18 * 4 + 19;

float MaxZ(const Mesh3D& m) {
  float z = -1e9f;
  for (std::size_t i = 2; i < m.positions.size(); i += 3) z = std::max(z, m.positions[i]);
  return z;
}

TEST(Scene3D, PiecesBecomeMirroredInstancesOfOneSharedModel) {
  Layout layout = WithLevel();
  ChainBuilder b(layout);
  b.Start("24188", {100, 50, 90});
  b.Append("24188");
  layout.pieces[1].z = 12;
  layout.pieces[1].grade = 2.5;
  layout.pieces[1].rev = true;
  const Built s = Build(layout);
  ASSERT_EQ(s.scene.pieceInstances.size(), 2u);
  EXPECT_EQ(s.scene.pieceModels.size(), 1u);
  const ModelInstance& i = s.scene.pieceInstances[1];
  EXPECT_NEAR(i.x, 100, 1e-3);
  EXPECT_NEAR(i.y, -(50 + 188.3), 1e-3);
  EXPECT_NEAR(i.z, 12, 1e-6);
  EXPECT_NEAR(i.heading, -90, 1e-6);
  EXPECT_FLOAT_EQ(i.tilt, 2.5f);
  EXPECT_TRUE(i.reversed);
  EXPECT_NEAR(i.length, 188.3, 1e-4);
  // Fitted to the two pieces (376.6 mm along -y).
  EXPECT_NEAR(s.camera.distance, 1.8 * 376.6, 1e-2);
  // The placed model: its far end lands where the layout says, tilted upward when the
  // piece is not reversed.
  const Mat4 m = InstanceMatrix(s.scene.pieceInstances[0]);
  const Vec3 far = Transform(m, {188.3f, 0, 0});
  EXPECT_NEAR(far.x, 100, 1e-3);
  EXPECT_NEAR(far.y, -(50 + 188.3), 1e-3);
  ModelInstance up = s.scene.pieceInstances[0];
  up.tilt = 3;
  EXPECT_GT(Transform(InstanceMatrix(up), {188.3f, 0, 0}).z, 9.0f);
}

TEST(Scene3D, TrackModelHasSleepersOnlyCloseUpAndIsOneQuadFarAway) {
  Layout layout = WithLevel();
  ChainBuilder(layout).Start("24188");
  const Built s = Build(layout);
  const Model3D& model = s.scene.pieceModels.at("24188");
  ASSERT_EQ(model.lods.size(), 4u);
  EXPECT_GT(model.lods[0].TriangleCount(), model.lods[1].TriangleCount() + 100);
  EXPECT_EQ(model.lods[2].TriangleCount(), 2u);  // far away a straight is one quad
  EXPECT_GT(MaxZ(model.lods[0]), MaxZ(model.lods[2]));
  for (const char* id : {"24611", "24671", "24640", "24624", "74861", "24977", "24630", "24130"}) {
    const PieceDef* def = Catalog::instance().find(id);
    ASSERT_NE(def, nullptr) << id;
    EXPECT_FALSE(BuildPieceModel(*def).full().empty()) << id;
  }
  EXPECT_EQ(BuildPieceModel(*Catalog::instance().find("24130")).lods[3].TriangleCount(), 2u);
}

TEST(Scene3D, PiersStandUnderRaisedBridgesAndAreShared) {
  Layout layout = WithLevel();
  ChainBuilder b(layout);
  b.Start("74620");
  b.Append("74620");
  for (PlacedPiece& p : layout.pieces) p.z = 0;  // on its level: no piers
  EXPECT_TRUE(Build(layout).scene.structureMesh.empty());
  for (PlacedPiece& p : layout.pieces) p.z = 100;
  Built s = Build(layout);
  EXPECT_EQ(s.scene.structureMesh.VertexCount(), 3 * kPierVertices);  // three, not four
  EXPECT_FLOAT_EQ(MaxZ(s.scene.structureMesh), 100.0f);
  // Rebuilding gives the same scene; a deleted bridge takes its piers along.
  EarClipTessellator tess;
  RebuildScene(s.scene, s.camera, layout, tess);
  EXPECT_EQ(s.scene.structureMesh.VertexCount(), 3 * kPierVertices);
  layout.pieces.pop_back();
  layout.pieces[0].joints.clear();
  RebuildScene(s.scene, s.camera, layout, tess);
  EXPECT_EQ(s.scene.structureMesh.VertexCount(), 2 * kPierVertices);
}

// A helix centred at (1000, 500) on `level`, its bottom at z, and a bridge piece on the
// same level 100 mm higher, away from the helix.
Layout RaisedHelixAndBridge(int level, double z) {
  Layout layout = WithLevel();
  layout.levels.push_back({2, "Upper", true, 260, false, 180, 180, 180, {}});
  const int bottom = ChainBuilder(layout).Start("24188", {0, 0, 0}, level);
  layout.pieces[0].z = z;
  layout.helices.push_back({.id = TakeId(layout), .cx = 1000, .cy = 500, .bottomR1 = bottom});
  ChainBuilder(layout).Start("74620", {3000, 0, 0}, level);
  layout.pieces.back().z = z + 100;
  return layout;
}

// The lowest point of the bridge's two piers and of the thirteen helix columns after
// them.
std::pair<float, float> SupportFeet(const Layout& layout) {
  const Mesh3D& m = Build(layout).scene.structureMesh;
  EXPECT_EQ(m.VertexCount(), 2 * kPierVertices + 13u * 20);
  std::pair<float, float> feet{1e9f, 1e9f};
  for (std::uint32_t v = 0; v < m.VertexCount(); ++v) {
    float& foot = v < 2 * kPierVertices ? feet.first : feet.second;
    foot = std::min(foot, m.positions[v * 3 + 2]);
  }
  return feet;
}

TEST(Scene3D, PiersAndHelixColumnsRunDownToTheDeckBelowOrTheGround) {
  using Feet = std::pair<float, float>;
  // Raised on the 0 mm level, or on the 260 mm level without an outline: nothing is
  // under them but the ground.
  EXPECT_EQ(SupportFeet(RaisedHelixAndBridge(1, 60)), Feet(0, 0));
  Layout upper = RaisedHelixAndBridge(2, 260);
  EXPECT_EQ(SupportFeet(upper), Feet(0, 0));
  // A deck under the helix only holds its columns; one under both holds both.
  upper.levels[1].outline = {{400, -100}, {1600, -100}, {1600, 1100}, {400, 1100}};
  EXPECT_EQ(SupportFeet(upper), Feet(0, 260));
  upper.levels[1].outline = {{-100, -600}, {3400, -600}, {3400, 1100}, {-100, 1100}};
  EXPECT_EQ(SupportFeet(upper), Feet(260, 260));
  // Raised on the 0 mm level above that deck: down to the deck while it is shown.
  Layout over = RaisedHelixAndBridge(1, 300);
  over.levels[1].outline = upper.levels[1].outline;
  EXPECT_EQ(SupportFeet(over), Feet(260, 260));
  over.levels[1].visible = false;
  EXPECT_EQ(SupportFeet(over), Feet(0, 0));
}

TEST(Scene3D, HelixRingsClimbAndUnknownKitsFallBackToTheDefault) {
  Layout layout = WithLevel();
  const int bottom = ChainBuilder(layout).Start("24188", {0, 0, 0});
  layout.pieces[0].z = 10;
  layout.helices.push_back(
      {.id = TakeId(layout), .cx = 1000, .cy = 500, .variant = "no_such_kit", .bottomR1 = bottom});
  const Built s = Build(layout);
  // 2.5 turns x 12 per ring, two rings, plus the straight.
  ASSERT_EQ(s.scene.pieceInstances.size(), 1u + 2 * 30);
  const ModelInstance& first = s.scene.pieceInstances[1];
  EXPECT_EQ(first.pieceId, "24130");
  // k = 1: a = -120 deg on the 360 mm ring.
  EXPECT_NEAR(first.x, 1000 + 360 * std::cos(-120 * kPi / 180), 1e-3);
  EXPECT_NEAR(first.y, -(500 + 360 * std::sin(-120 * kPi / 180)), 1e-3);
  EXPECT_NEAR(first.heading, 30, 1e-4);
  EXPECT_NEAR(s.scene.pieceInstances[30].z, 10 + 260, 1e-3);
  EXPECT_EQ(s.scene.pieceInstances[31].pieceId, "24230");
  EXPECT_LT(first.tilt, 0);
  // Thirteen columns up to the top of the rise.
  EXPECT_EQ(s.scene.structureMesh.VertexCount(), 13u * 20);
  EXPECT_FLOAT_EQ(MaxZ(s.scene.structureMesh), 270.0f);
  layout.levels[0].visible = false;
  EXPECT_TRUE(Build(layout).scene.pieceInstances.empty());
}

TEST(Scene3D, HiddenLevelsLeaveThingsOutOfTheSceneAndTheFit) {
  Layout layout = WithLevel();
  layout.levels.push_back({.id = 2, .visible = false, .height = 80, .outline = {}});
  ChainBuilder(layout).Start("24188", {5000, 0, 0}, 2);
  layout.scenery.push_back({.item = "tree_sm_dec", .level = 2});
  Built s = Build(layout);
  EXPECT_TRUE(s.scene.pieceInstances.empty());
  EXPECT_TRUE(s.scene.sceneryInstances.empty());
  EXPECT_FLOAT_EQ(s.camera.distance, 800);  // untouched
  layout.levels[1].visible = true;
  layout.scenery[0].scalex = 2;
  s = Build(layout);
  ASSERT_EQ(s.scene.sceneryInstances.size(), 1u);
  EXPECT_FLOAT_EQ(s.scene.sceneryInstances[0].z, 80);
  EXPECT_FLOAT_EQ(s.scene.sceneryInstances[0].scaleX, 2);
}

TEST(Scene3D, EveryScenerySortHasAHeightAndABlockModel) {
  for (const SceneryDef& def : SceneryCatalog::instance().all()) {
    EXPECT_GT(SceneryHeight(def), 0) << def.id;
    const Model3D m = BuildSceneryModel(def);
    EXPECT_FALSE(m.full().empty()) << def.id;
    EXPECT_NEAR(MaxZ(m.full()), SceneryHeight(def), 1e-3) << def.id;
  }
}

TEST(Scene3D, TunnelHillFollowsTheCoveredChain) {
  Layout layout = WithLevel();
  ChainBuilder b(layout);
  const int a = b.Start("24188");
  const int c = b.Append("24188");
  for (PlacedPiece& p : layout.pieces) p.z = 20;
  // Covered in any order: the chain is followed by joints.
  layout.tunnels.push_back({.id = TakeId(layout), .covers = {c, a}});
  const Built s = Build(layout);
  // 10 centre points per straight, the shared joint once: 19 rings of 15.
  EXPECT_EQ(s.scene.hillMesh.VertexCount(), 19u * 15);
  EXPECT_EQ(s.scene.hillMesh.TriangleCount(), 18u * 14 * 2);
  EXPECT_FLOAT_EQ(MaxZ(s.scene.hillMesh), 110.0f);
  // The rings run from one end of the chain to the other in order.
  const float first = s.scene.hillMesh.positions[0], last = s.scene.hillMesh.positions[18 * 15 * 3];
  EXPECT_NEAR(std::fabs(last - first), 376.6, 1e-3);
  EXPECT_NEAR(std::fabs(s.scene.hillMesh.positions[15 * 3] - first), 188.3 / 9, 1e-3);
}

TEST(Scene3D, PolygonsAreSolidOrOutlinesOverTunnelTrack) {
  Layout layout = WithLevel();
  LayoutShape u;  // U-shaped, the notch between x 100 and 200 down to y 100
  u.vertices = {{0, 0}, {100, 0}, {100, 100}, {200, 100}, {200, 0}, {300, 0}, {300, 200}, {0, 200}};
  u.height = 30;
  layout.shapes.push_back(u);
  Built s = Build(layout);
  const Mesh3D& m = s.scene.structureMesh;
  // The top covers the U's area and nothing of its notch.
  double top_area = 0;
  for (std::size_t i = 0; i + 2 < m.indices.size(); i += 3) {
    const float* p = &m.positions[0];
    const std::uint32_t a = m.indices[i], b = m.indices[i + 1], c = m.indices[i + 2];
    if (p[a * 3 + 2] != 30 || p[b * 3 + 2] != 30 || p[c * 3 + 2] != 30) continue;
    if (m.normals[a * 3 + 2] != 1) continue;
    top_area += std::fabs((p[b * 3] - p[a * 3]) * (p[c * 3 + 1] - p[a * 3 + 1]) -
                          (p[c * 3] - p[a * 3]) * (p[b * 3 + 1] - p[a * 3 + 1])) /
                2;
  }
  EXPECT_NEAR(top_area, 300 * 200 - 100 * 100, 1e-3);
  EXPECT_TRUE(s.scene.outlineSegments.empty());
  // Track in a tunnel inside the shape: outlines only, three per edge.
  const int piece = ChainBuilder(layout).Start("24188", {20, 150, 0});
  layout.tunnels.push_back({.covers = {piece}});
  s = Build(layout);
  EXPECT_EQ(s.scene.outlineSegments.size(), 8u * 3);
  layout.shapes[0].height = 0.5;
  s = Build(layout);
  EXPECT_EQ(s.scene.outlineSegments.size(), 8u);  // top edges only
}

TEST(Scene3D, ABoardAloneIsTessellatedAndFramedWhole) {
  Layout layout = WithLevel();
  layout.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  Built s = Build(layout);
  EXPECT_EQ(s.scene.baseboardMesh.TriangleCount(), 2u);
  EXPECT_FLOAT_EQ(s.scene.baseboardMesh.positions[2], -0.5f);
  EXPECT_FLOAT_EQ(s.camera.centerX, 1200);
  EXPECT_FLOAT_EQ(s.camera.centerY, -600);
  // Every corner of the board lies inside the first view of the window.
  const ViewSetup v = ComputeView(s.camera, s.scene, 1000, 700);
  for (const Point& c : layout.baseboard) {
    float px = -1, py = -1;
    ASSERT_TRUE(ProjectToWindow(v, {static_cast<float>(c.x), static_cast<float>(-c.y), 0}, px, py));
    EXPECT_TRUE(px > 0 && px < 1000 && py > 0 && py < 700) << c.x << "," << c.y;
  }
  // A deck's outline is framed the same way.
  layout.baseboard.clear();
  layout.levels[0].outline = {{5000, 0}, {6000, 0}, {6000, 500}};
  s = Build(layout);
  EXPECT_FLOAT_EQ(s.camera.centerX, 5500);
  EXPECT_FLOAT_EQ(s.camera.centerY, -250);
}

TEST(Scene3D, GroundGridCoversTheLayoutInWholeSteps) {
  Layout layout = WithLevel();
  using Grid = std::array<float, 5>;  // min x, min y, max x, max y, step
  const auto grid = [&] {
    const GroundGrid g = Build(layout).scene.grid;
    return Grid{g.minX, g.minY, g.maxX, g.maxY, g.step};
  };
  EXPECT_EQ(grid(), (Grid{-1000, -1000, 1000, 1000, 100}));
  // The board with a 500 mm margin, 3D y mirrored; at least 2 m deep; whole steps out.
  layout.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  EXPECT_EQ(grid(), (Grid{-500, -1700, 2900, 500, 100}));
  layout.baseboard = {{0, 0}, {2450, 0}, {2450, 730}, {0, 730}};
  EXPECT_EQ(grid(), (Grid{-500, -1400, 3000, 700, 100}));
  // A track 40 m away, on a hidden level too, and 1 m steps across 41 m.
  ChainBuilder(layout).Start("24188", {40000, 0, 0});
  layout.levels[0].visible = false;
  EXPECT_EQ(grid(), (Grid{-1000, -2000, 41000, 1000, 1000}));
}

TEST(Camera3D, ControlsClampAndResetAndWideLayoutsStayInView) {
  Camera3D c;
  for (int i = 0; i < 100; ++i) OrbitBy(c, 3, 10);
  EXPECT_LT(c.pitch, 90);  // never over the top
  for (int i = 0; i < 100; ++i) ZoomStep(c, false);
  const float farthest = c.distance;
  for (int i = 0; i < 100; ++i) ZoomStep(c, true);
  EXPECT_LT(c.distance, farthest / 100);
  EXPECT_GT(c.distance, 0);
  c.panX = 120;
  ResetView(c);
  EXPECT_EQ(c.pitch, Camera3D{}.pitch);
  EXPECT_EQ(c.panX, 0);
  // A 40 m layout: fitted beyond 15 m, zooming out stops at the fit, the far plane
  // reaches past the whole layout.
  Layout layout = WithLevel();
  ChainBuilder(layout).Start("24188", {0, 0, 0});
  ChainBuilder(layout).Start("24188", {40000, 0, 0});
  Built s = Build(layout);
  EXPECT_NEAR(s.camera.distance, 1.8 * 40188.3, 0.1);
  ZoomStep(s.camera, false);
  EXPECT_FLOAT_EQ(s.camera.distance, s.camera.maxDistance);
  const ViewSetup v = ComputeView(s.camera, s.scene, 1000, 700);
  EXPECT_GE(v.farPlane, s.camera.distance + 40000);
  EXPECT_NEAR(v.nearPlane, s.camera.distance / 100, 1e-2);
}

TEST(Camera3D, PanningMovesTheSceneWithTheMouseHoweverTheViewIsTurned) {
  // How far the scene's origin moves in a 1000 x 700 window when the view turned by
  // `yaw` is panned.
  const auto moved = [](float yaw, float dx, float dy) {
    Camera3D c;
    c.yaw = yaw;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    EXPECT_TRUE(ProjectToWindow(ComputeView(c, Scene3D{}, 1000, 700), {0, 0, 0}, x0, y0));
    PanBy(c, dx, dy);
    EXPECT_TRUE(ProjectToWindow(ComputeView(c, Scene3D{}, 1000, 700), {0, 0, 0}, x1, y1));
    return std::pair{x1 - x0, y1 - y0};
  };
  const float vertical = moved(0, 0, 10).second;
  EXPECT_GT(vertical, 3);  // down with the mouse
  for (const float yaw : {0.0f, 30.0f, 90.0f, 135.0f, 200.0f, -60.0f}) {
    // Ten pixels right: the scene follows by about as much, and only sideways.
    const auto [rx, ry] = moved(yaw, 10, 0);
    EXPECT_NEAR(rx, 10, 2) << yaw;
    EXPECT_NEAR(ry, 0, 0.01) << yaw;
    // Up and down: straight up or down the screen, as far whichever way the view turns.
    const auto [ux, uy] = moved(yaw, 0, 10);
    EXPECT_NEAR(ux, 0, 0.01) << yaw;
    EXPECT_NEAR(uy, vertical, 0.01) << yaw;
  }
}

// The drawn corners of the one scenery item of `layout`: its model placed as the frame
// places it.
void SceneryBox(const Layout& layout, float& width, float& depth) {
  const Built s = Build(layout);
  DrawPlan plan;
  PlanDraws(s.scene, ComputeView(s.camera, s.scene, 1000, 700), plan);
  ASSERT_EQ(plan.scenery.size(), 1u);
  const Mesh3D& m = *plan.scenery[0].mesh;
  float x0 = 1e9f, x1 = -1e9f, y0 = 1e9f, y1 = -1e9f;
  for (std::size_t i = 0; i + 2 < m.positions.size(); i += 3) {
    const Vec3 p = Transform(plan.scenery[0].transform,
                             {m.positions[i], m.positions[i + 1], m.positions[i + 2]});
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  width = x1 - x0;
  depth = y1 - y0;
}

TEST(Scene3D, SceneryScaledOnOneAxisIsDrawnStretchedAlongIt) {
  Layout layout = WithLevel();
  layout.scenery.push_back({.item = "signal_box", .x = 500, .y = 300});
  float w1, d1, w, d;
  SceneryBox(layout, w1, d1);
  ASSERT_GT(w1, 10);
  ASSERT_GT(d1, 10);
  layout.scenery[0].scalex = 2;
  layout.scenery[0].scaley = 0.5;
  SceneryBox(layout, w, d);
  EXPECT_NEAR(w, 2 * w1, 1e-3);
  EXPECT_NEAR(d, d1 / 2, 1e-3);
  // Turned a quarter, the item's own depth lies along x.
  layout.scenery[0].heading = 90;
  SceneryBox(layout, w, d);
  EXPECT_NEAR(w, d1 / 2, 1e-3);
  EXPECT_NEAR(d, 2 * w1, 1e-3);
}

TEST(Camera3D, FramesDrawOnlyWhatIsInViewAndFarTrackCoarsely) {
  const Layout layout = MakeBigLayout(2000);
  Built s = Build(layout);
  DrawPlan plan;
  PlanDraws(s.scene, ComputeView(s.camera, s.scene, 1000, 700), plan);
  EXPECT_EQ(plan.perLevel[3], 2000);  // the fit shows everything far away, as ballast tops
  ASSERT_EQ(plan.batched.size(), 2000u);
  const ModelInstance& first = s.scene.pieceInstances[0];
  const Mesh3D& top = s.scene.pieceModels.at(first.pieceId).lods[3];
  const Vec3 corner = Transform(InstanceMatrix(first), {top.positions[0], top.positions[1], 2});
  EXPECT_NEAR(plan.batch.positions[0], corner.x, 1e-2);
  EXPECT_NEAR(plan.batch.positions[1], corner.y, 1e-2);
  EXPECT_EQ(plan.batch.TriangleCount(), plan.triangles);
  // The ranges cover the batch in order, each over at most 4096 vertices.
  std::uint32_t next = 0;
  for (const IndexRange& r : plan.batchRanges) {
    EXPECT_EQ(r.first, next);
    EXPECT_LT(r.maxVertex - r.minVertex, kBatchRangeVertices);
    for (std::uint32_t i = r.first; i < r.first + r.count; ++i)
      EXPECT_TRUE(plan.batch.indices[i] >= r.minVertex && plan.batch.indices[i] <= r.maxVertex);
    next = r.first + r.count;
  }
  EXPECT_EQ(next, plan.batch.indices.size());
  s.camera.distance = 800;  // close up on the middle
  PlanDraws(s.scene, ComputeView(s.camera, s.scene, 1000, 700), plan);
  EXPECT_LT(plan.pieces.size(), 100u);
  EXPECT_GT(plan.perLevel[0], 0);
  EXPECT_EQ(plan.culled + static_cast<int>(plan.pieces.size() + plan.batched.size()), 2000);
  PlanDraws(s.scene, ComputeView(s.camera, s.scene, 0, 700), plan);
  EXPECT_TRUE(plan.pieces.empty());
}

}  // namespace
