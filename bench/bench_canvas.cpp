// Canvas interaction on big layouts: the snap search of every mouse move, hit testing,
// the rubber band, and one mouse-move step of a moved selection.
#include <benchmark/benchmark.h>

#include <random>

#include "catalog/catalog.h"
#include "edit/selection.h"
#include "edit/snap.h"
#include "fake_prompter.h"
#include "interact/canvas_controller.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "render/draw_hash.h"
#include "view/hit_test.h"

namespace {

const Layout& Big(int n) {
  static Layout l10 = MakeBigLayout(10000), l50 = MakeBigLayout(50000);
  return n == 10000 ? l10 : l50;
}

// Probes near the layout's free ends, where a dragged piece looks for a snap.
std::vector<Pose> Probes(const Layout& l) {
  std::vector<Pose> out;
  std::mt19937 rng(7);
  for (int k = 0; k < 256; ++k) {
    const PlacedPiece& p = l.pieces[rng() % l.pieces.size()];
    out.push_back({p.x + static_cast<double>(rng() % 40) - 20,
                   p.y + static_cast<double>(rng() % 40) - 20, (rng() % 12) * 30.0});
  }
  return out;
}

void BM_FindSnapIndexed(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  SnapIndex index;
  index.Build(l.pieces, [](const PlacedPiece&) { return true; });
  const auto probes = Probes(l);
  const PieceDef& def = *Catalog::instance().find("24130");
  std::size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(index.Find(def, probes[k++ % probes.size()]));
}
BENCHMARK(BM_FindSnapIndexed)->Arg(10000)->Arg(50000)->Unit(benchmark::kMicrosecond);

void BM_FindSnapPlainScan(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  const auto probes = Probes(l);
  const PieceDef& def = *Catalog::instance().find("24130");
  std::size_t k = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(FindSnap(def, probes[k++ % probes.size()], l.pieces));
}
BENCHMARK(BM_FindSnapPlainScan)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SnapIndexBuild(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SnapIndex index;
    index.Build(l.pieces, [](const PlacedPiece&) { return true; });
    benchmark::DoNotOptimize(index.empty());
  }
}
BENCHMARK(BM_SnapIndexBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_HitTestPiece(benchmark::State& state) {
  Layout l = Big(10000);
  EnsureDefaultLevel(l);
  const ViewTransform v{0.4, 60, 60};
  std::mt19937 rng(3);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        HitTestPiece(l, v, static_cast<double>(rng() % 25000), static_cast<double>(rng() % 2500)));
}
BENCHMARK(BM_HitTestPiece)->Unit(benchmark::kMicrosecond);

void BM_RubberBand(benchmark::State& state) {
  Layout l = Big(10000);
  EnsureDefaultLevel(l);
  const ViewTransform v{0.4, 60, 60};
  for (auto _ : state) {
    RubberBandSelect(l, v, {100, 100}, {1300, 800});
    DeselectAll(l);
  }
}
BENCHMARK(BM_RubberBand)->Unit(benchmark::kMicrosecond);

// A thousand selected pieces of a 10k layout follow the mouse: translate plus move snap.
void BM_MoveSelectionStep(benchmark::State& state) {
  Document doc;
  Layout& l = doc.layout();
  l = Big(10000);
  EnsureDefaultLevel(l);
  FakePrompter ask;
  CanvasController canvas(doc, ask);
  canvas.SetClientSize(1400, 900);
  canvas.SetView(1.0, 0, 0);
  // The first thousand pieces are whole ovals; select them and press on the first.
  for (std::size_t i = 0; i < 1000; ++i) l.pieces[i].sel = true;
  const PlacedPiece& first = l.pieces[0];
  MouseInput m;
  m.x = first.x + 50;
  m.y = first.y;
  m.left_down = true;
  canvas.LeftDown(m);
  m.y += 10;
  canvas.Motion(m);  // starts the move
  double dy = 0;
  for (auto _ : state) {
    dy = dy > 200 ? 0 : dy + 3;
    m.y = first.y + 10 + dy;
    benchmark::DoNotOptimize(canvas.Motion(m));
  }
}
BENCHMARK(BM_MoveSelectionStep)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Every canvas paint fingerprints the layout to know whether its cached picture holds.
void BM_LayoutDrawHash(benchmark::State& state) {
  const Layout& l = Big(10000);
  const ViewTransform v{0.4, 60, 60};
  for (auto _ : state) benchmark::DoNotOptimize(LayoutDrawHash(l, {}, v, 1400, 900));
}
BENCHMARK(BM_LayoutDrawHash)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// After every change the window works out its Delete and Tunnel states; at 86k pieces with
// the first N selected (whole ovals from 1000 on) this must cost the selection, not the
// layout. Every iteration is a change of the selection as a click or a band tells it.
void BM_CommandStatesAfterChange86000(benchmark::State& state) {
  static const Layout big = MakeBigLayout(86000);
  Document doc;
  doc.layout() = big;
  for (std::size_t i = 0; i < static_cast<std::size_t>(state.range(0)); ++i)
    doc.layout().pieces[i].sel = true;
  CommandStateCache states;
  for (auto _ : state) {
    doc.Notify(Change::Selection);
    benchmark::DoNotOptimize(states.Get(doc).tunnel.enabled);
  }
}
BENCHMARK(BM_CommandStatesAfterChange86000)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
