// What a 3D frame draws when the pieces are tested by ground cell: no piece in the
// window is left out from any side, near pieces come in scene order, and a new scene
// is never drawn from the placements of the old one.
#include <gtest/gtest.h>

#include <set>

#include "ear_clip_tessellator.h"
#include "layout_builder.h"
#include "scene3d/camera.h"

namespace {

TEST(DrawPlanCells, EveryPieceInTheWindowIsDrawnFromEverySide) {
  Layout layout = MakeBigLayout(3000);
  Scene3D scene;
  Camera3D camera;
  EarClipTessellator tess;
  RebuildScene(scene, camera, layout, tess);
  DrawPlan plan;
  const Camera3D fitted = camera;
  for (const float distance : {fitted.distance, 3000.0f, 800.0f})
    for (const float yaw : {30.0f, 120.0f, 250.0f})
      for (const float pitch : {35.0f, 80.0f, 10.0f}) {
        camera = fitted;
        camera.distance = distance, camera.yaw = yaw, camera.pitch = pitch;
        camera.panX = distance < 1000 ? 3000.0f : 0.0f;
        const ViewSetup view = ComputeView(camera, scene, 1000, 700);
        PlanDraws(scene, view, plan);
        std::set<std::uint32_t> drawn(plan.batched.begin(), plan.batched.end());
        std::set<std::pair<float, float>> near;
        for (const DrawItem& item : plan.pieces)
          near.emplace(item.transform[12], item.transform[13]);
        ASSERT_EQ(near.size(), plan.pieces.size());
        std::size_t on_screen = 0;
        for (std::uint32_t k = 0; k < scene.pieceInstances.size(); ++k) {
          const ModelInstance& i = scene.pieceInstances[k];
          float px = 0, py = 0;
          if (!ProjectToWindow(view, {i.x, i.y, i.z}, px, py) || px < 0 || py < 0 || px > 1000 ||
              py > 700)
            continue;
          ++on_screen;
          EXPECT_TRUE(drawn.count(k) || near.count({i.x, i.y}))
              << "piece " << k << " at distance " << distance << " yaw " << yaw;
        }
        EXPECT_GT(on_screen, 0u);
        EXPECT_EQ(plan.culled + plan.pieces.size() + plan.batched.size(),
                  scene.pieceInstances.size());
        // Drawn in scene order: overlapping tops at the same height draw alike every frame.
        const auto order = [&](const DrawItem& item) {
          for (std::uint32_t k = 0; k < scene.pieceInstances.size(); ++k)
            if (scene.pieceInstances[k].x == item.transform[12] &&
                scene.pieceInstances[k].y == item.transform[13])
              return k;
          return 0u;
        };
        for (std::size_t n = 1; n < std::min<std::size_t>(plan.pieces.size(), 20); ++n) {
          EXPECT_LT(order(plan.pieces[n - 1]), order(plan.pieces[n]));
        }
      }
  // A piece moved and the scene built again: a close look at where it now is shows it.
  layout.pieces[0].x += 5000;
  RebuildScene(scene, camera, layout, tess);
  const ModelInstance& moved = scene.pieceInstances[0];
  camera.distance = 800;
  camera.panX = camera.centerX - moved.x;
  camera.panY = camera.centerY - moved.y;
  PlanDraws(scene, ComputeView(camera, scene, 1000, 700), plan);
  bool shown = false;
  for (const DrawItem& item : plan.pieces)
    shown = shown || (item.transform[12] == moved.x && item.transform[13] == moved.y);
  EXPECT_TRUE(shown);
}

}  // namespace
