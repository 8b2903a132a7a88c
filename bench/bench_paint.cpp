// Painting big layouts onto a 1400 x 900 memory device context: a full repaint at the
// fit zoom and at zoom 1, and the frame of an unchanged layout (cached picture blitted,
// rubber band on top).
#include <benchmark/benchmark.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "bench_gui.h"
#include "gui/draw/wx_painter.h"
#include "layout_builder.h"
#include "render/render.h"
#include "render/render_overlays.h"
#include "view/view_transform.h"

namespace {

constexpr int kWidth = 1400, kHeight = 900;

ViewTransform FitView(const Layout& layout) {
  ViewTransform v;
  FitToLayout(v, layout, false, kWidth, kHeight);
  return v;
}

// One full repaint as the canvas does it: a memory context on the cached picture,
// a fresh painter, the whole layout.
void Repaint(wxBitmap& target, RenderContext& rc, const Layout& layout, const ViewTransform& v,
             bool antialias) {
  wxMemoryDC dc(target);
  WxPainter painter(dc, antialias);
  // As the canvas draws: small pieces simply, with a grid of the pieces built afresh.
  rc.simplify = rc.keep_piece_index = rc.pieces_stale = true;
  DrawLayout(rc, painter, layout, v, kWidth, kHeight);
}

void PaintBenchmark(benchmark::State& state, bool fit, bool antialias) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  const ViewTransform v = fit ? FitView(layout) : ViewTransform{1.0, 60, 60};
  wxBitmap target(kWidth, kHeight, 24);
  RenderContext rc;
  for (auto _ : state) Repaint(target, rc, layout, v, antialias);
  state.counters["zoom"] = v.zoom;
  state.counters["pieces"] = static_cast<double>(layout.pieces.size());
}

void BM_PaintFit(benchmark::State& state) {
  PaintBenchmark(state, true, WxPainter::kDefaultAntialias);
}
void BM_PaintZoom1(benchmark::State& state) {
  PaintBenchmark(state, false, WxPainter::kDefaultAntialias);
}
void BM_PaintFitAliased(benchmark::State& state) {
  PaintBenchmark(state, true, false);
}

// The layout did not change: blit its cached picture and draw the rubber band.
void BM_UnchangedFrame(benchmark::State& state) {
  const Layout& layout = KeptBigLayout(static_cast<int>(state.range(0)));
  wxBitmap cache(kWidth, kHeight, 24), frame(kWidth, kHeight, 24);
  RenderContext rc;
  Repaint(cache, rc, layout, FitView(layout), WxPainter::kDefaultAntialias);
  int step = 0;
  for (auto _ : state) {
    wxMemoryDC dc(frame);
    dc.DrawBitmap(cache, 0, 0);
    WxPainter painter(dc);
    step = (step + 7) % 400;
    DrawRubberBand(painter, {200, 150}, {600 + step, 500 + step / 2});
  }
}

}  // namespace

void RegisterPaintBenchmarks() {
  for (int n : {1000, 10000}) {
    benchmark::RegisterBenchmark("BM_PaintFit", BM_PaintFit)->Arg(n)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintZoom1", BM_PaintZoom1)
        ->Arg(n)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintFitAliased", BM_PaintFitAliased)
        ->Arg(n)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("BM_UnchangedFrame", BM_UnchangedFrame)
      ->Arg(10000)
      ->Unit(benchmark::kMillisecond);
}
