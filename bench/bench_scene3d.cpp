// The 3D view on generated layouts: rebuilding the scene (core), and drawing one orbit
// frame with software OpenGL into a 1000 x 700 offscreen buffer at the fitted view and
// close up.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <wx/app.h>

#include "bench_gui.h"
#include "ear_clip_tessellator.h"
#include "fake_prompter.h"
#include "gui/view3d/gl_scene.h"
#include "gui/view3d/offscreen_gl.h"
#include "gui/view3d/view3d_frame.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "outlines.h"
#include "scene3d/camera.h"
#include "scene3d/outline_fill.h"

namespace {

void BM_SceneRebuild(benchmark::State& state) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  Scene3D scene;
  Camera3D camera;
  EarClipTessellator tess;
  for (auto _ : state) RebuildScene(scene, camera, layout, tess);
  state.counters["instances"] = static_cast<double>(scene.pieceInstances.size());
}
BENCHMARK(BM_SceneRebuild)->Arg(1000)->Arg(10000)->Arg(86000)->Unit(benchmark::kMillisecond);

// The top of a polygon of many points as the window and the export build it (with
// GLU): first argument 1, a star crossing itself n (n / 2 - 2) times; 0, a ragged ring
// that never does (up to 4,000 points the ring goes to GLU, the slowest case it gets).
std::vector<Point> BigOutline(bool crossing, int n) {
  return crossing ? StarOutline(n, n / 2 - 1, 1000) : RaggedRing(n, 1000);
}

void BM_FillOutline(benchmark::State& state) {
  const std::vector<Point> outline =
      BigOutline(state.range(0) != 0, static_cast<int>(state.range(1)));
  GluTessellator tess;
  std::vector<Point> points;
  std::vector<std::uint32_t> triangles;
  for (auto _ : state) FillOutline(outline, tess, points, triangles);
  state.counters["triangles"] = static_cast<double>(triangles.size() / 3);
}
BENCHMARK(BM_FillOutline)
    ->Args({1, 100000})
    ->Args({0, 100000})
    ->Args({1, 4000})
    ->Args({0, 4000})
    ->Args({0, 2000})
    ->Unit(benchmark::kMillisecond);

// The whole scene of a layout holding one such polygon, 40 mm high, on a board.
void BM_SceneRebuildBigPolygon(benchmark::State& state) {
  Layout layout;
  EnsureDefaultLevel(layout);
  layout.baseboard = {{-1200, -1200}, {1200, -1200}, {1200, 1200}, {-1200, 1200}};
  LayoutShape shape;
  shape.vertices = BigOutline(state.range(0) != 0, static_cast<int>(state.range(1)));
  shape.height = 40;
  layout.shapes.push_back(shape);
  Scene3D scene;
  Camera3D camera;
  GluTessellator tess;
  for (auto _ : state) RebuildScene(scene, camera, layout, tess);
  state.counters["triangles"] = static_cast<double>(scene.structureMesh.TriangleCount());
}
BENCHMARK(BM_SceneRebuildBigPolygon)
    ->Args({1, 100000})
    ->Args({0, 100000})
    ->Unit(benchmark::kMillisecond);

// Choosing what a frame draws (culling, detail) at the fitted view, without drawing.
void BM_PlanFrame(benchmark::State& state) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  Scene3D scene;
  Camera3D camera;
  EarClipTessellator tess;
  RebuildScene(scene, camera, layout, tess);
  DrawPlan plan;
  for (auto _ : state) {
    OrbitBy(camera, 2, 0);
    PlanDraws(scene, ComputeView(camera, scene, 1000, 700), plan);
  }
}
BENCHMARK(BM_PlanFrame)->Arg(10000)->Arg(86000)->Unit(benchmark::kMillisecond);

// One frame while orbiting: the yaw moves a little each time, as a left drag does.
void FrameBenchmark(benchmark::State& state, bool close_up) {
  OffscreenGl gl(1000, 700);
  if (!gl.error().empty()) {
    state.SkipWithError(gl.error().c_str());
    return;
  }
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  Scene3D scene;
  Camera3D camera;
  GluTessellator tess;
  RebuildScene(scene, camera, layout, tess);
  if (close_up) camera.distance = static_cast<float>(state.range(1));
  SetUpGlState();
  DrawPlan plan;
  for (auto _ : state) {
    OrbitBy(camera, 2, 0);
    DrawScene(scene, camera, 1000, 700, plan);
    glFinish();
  }
  state.counters["drawn"] = static_cast<double>(plan.pieces.size());
  state.counters["triangles"] = static_cast<double>(plan.triangles);
}

// Opening the 3D view: the scene built and its first frame drawn at the fitted view
// from nothing kept (the placements, cells and the far batch made anew).
void BM_OpenView(benchmark::State& state) {
  OffscreenGl gl(1000, 700);
  if (!gl.error().empty()) {
    state.SkipWithError(gl.error().c_str());
    return;
  }
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  SetUpGlState();
  for (auto _ : state) {
    Scene3D scene;
    Camera3D camera;
    GluTessellator tess;
    DrawPlan plan;
    RebuildScene(scene, camera, layout, tess);
    DrawScene(scene, camera, 1000, 700, plan);
    glFinish();
  }
}

void BM_OrbitFrameFit(benchmark::State& state) {
  FrameBenchmark(state, false);
}
void BM_OrbitFrameClose(benchmark::State& state) {
  FrameBenchmark(state, true);
}

// The same orbit in the 3D window on the display: paint, draw and swap buffers.
void BM_OrbitFrameWindow(benchmark::State& state) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  FakePrompter prompter;  // answers nothing: the window asks no questions
  View3DFrame* frame = View3DFrame::Open(nullptr, layout, prompter, {});
  if (!frame) {
    state.SkipWithError("no OpenGL window");
    return;
  }
  TrackGLCanvas* canvas = frame->canvas();
  for (int i = 0; i < 20; ++i) wxYield();  // shown and painted once
  if (state.range(1)) canvas->camera().distance = 800;
  for (auto _ : state) {
    OrbitBy(canvas->camera(), 2, 0);
    canvas->Refresh(false);
    canvas->Update();
    glFinish();
  }
  state.counters["drawn"] =
      static_cast<double>(canvas->lastPlan().pieces.size() + canvas->lastPlan().batched.size());
  frame->Destroy();
  wxYield();
}

}  // namespace

void RegisterScene3DBenchmarks() {
  benchmark::RegisterBenchmark("BM_OrbitFrameWindow", BM_OrbitFrameWindow)
      ->Args({1000, 0})
      ->Args({10000, 0})
      ->Args({10000, 1})
      ->Args({86000, 0})
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_OpenView", BM_OpenView)
      ->Arg(10000)
      ->Arg(86000)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_OrbitFrameFit", BM_OrbitFrameFit)
      ->Arg(1000)
      ->Arg(10000)
      ->Arg(86000)
      ->Unit(benchmark::kMillisecond);
  // Close up and at a middle distance, where most track is drawn in full detail.
  benchmark::RegisterBenchmark("BM_OrbitFrameClose", BM_OrbitFrameClose)
      ->Args({10000, 800})
      ->Args({10000, 3000})
      ->Unit(benchmark::kMillisecond);
}
