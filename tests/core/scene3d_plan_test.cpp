// Frames tested by ground cell leave out no piece in the window, and none placed anew.
#include <gtest/gtest.h>

#include <set>

#include "ear_clip_tessellator.h"
#include "layout_builder.h"
#include "scene3d/camera.h"

namespace {

// Whether instance `k` is in the frame: in the far batch or drawn near where it stands.
bool Drawn(const DrawPlan& plan, const ModelInstance& i, std::uint32_t k) {
  for (const DrawItem& item : plan.pieces)
    if (item.transform[12] == i.x && item.transform[13] == i.y) return true;
  return std::find(plan.batched.begin(), plan.batched.end(), k) != plan.batched.end();
}

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
        for (std::uint32_t k = 0; k < scene.pieceInstances.size(); k += 7) {
          const ModelInstance& i = scene.pieceInstances[k];
          float x = 0, y = 0;
          const bool shown = ProjectToWindow(view, {i.x, i.y, i.z}, x, y) && x >= 0 && y >= 0 &&
                             x <= 1000 && y <= 700;
          EXPECT_TRUE(!shown || Drawn(plan, i, k)) << k << " at " << distance << ", " << yaw;
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
  EXPECT_TRUE(Drawn(plan, moved, 0));
}

}  // namespace
