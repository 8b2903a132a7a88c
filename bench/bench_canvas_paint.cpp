// The canvas's own paint code drawing frames into a 1600 x 1000 bitmap through the wx
// painter, as the window does: a full repaint at the fit zoom and near, a pan step, a
// step of a carried selection and a rubber band step, on layouts of closed ovals with
// turnouts, grades, scenery, labels and a second level. And what an edit costs the window
// from the release of the mouse or the key to the repainted frame: a rubber band's
// selection, a Delete and an Undo, each with the enabling rules and a full repaint.
#include <benchmark/benchmark.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <stdexcept>

#include "bench_gui.h"
#include "edit/selection.h"
#include "fake_prompter.h"
#include "gui/draw/canvas_picture.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "render/render_overlays.h"
#include "view/view_transform.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1000;

// Every fifth row of ovals on a raised second level, grades on about every tenth oval,
// a platform by every fourth and a label by every twentieth.
Layout MakeLayout(int pieces) {
  Layout layout = MakeBigLayout(pieces);
  Level upper;
  upper.id = 2;
  upper.name = "Level 2";
  upper.height = 80;
  layout.levels.push_back(upper);
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    PlacedPiece& p = layout.pieces[i];
    if (static_cast<int>(p.y / 1100.0) % 5 == 4) {
      p.level = 2;
      p.z = 80;
    }
    if ((i / 26) % 10 == 3 && p.cat == "24130") p.grade = 2.0;
  }
  for (std::size_t i = 0; i < layout.pieces.size(); i += 260) {
    const PlacedPiece& p = layout.pieces[i];
    layout.grade_runs.push_back({2.0, p.id, 1});
  }
  int id = layout.next_id;
  for (std::size_t i = 0; i < layout.pieces.size(); i += 104) {
    const PlacedPiece& p = layout.pieces[i];
    layout.scenery.push_back({id++, "platform", p.x + 200, p.y + 250, 0, false, 1, 1, p.level});
  }
  for (std::size_t i = 0; i < layout.pieces.size(); i += 520)
    layout.labels.push_back(
        {id++, "Station " + std::to_string(i / 520), layout.pieces[i].x, layout.pieces[i].y + 450});
  layout.next_id = id;
  return layout;
}

Layout& LayoutOf(int pieces) {
  return KeptLayout(pieces, MakeLayout);
}

ViewTransform FitView(const Layout& layout) {
  ViewTransform v;
  FitToLayout(v, layout, false, kWidth, kHeight);
  return v;
}

// An ordinary working zoom over the first ovals.
constexpr ViewTransform kNearView{0.4, 60, 60};

struct Canvas {
  wxBitmap frame{kWidth, kHeight, 24};
  CanvasPicture picture;
  void Paint(
      const Layout& layout, const ViewTransform& v, CanvasGesture gesture,
      const std::function<void(Painter&)>& overlays = [](Painter&) {}) {
    wxMemoryDC dc(frame);
    picture.Paint(dc, layout, v, kWidth, kHeight, gesture, overlays);
  }
};

void Report(benchmark::State& state, const Layout& layout, const ViewTransform& v) {
  state.counters["zoom"] = v.zoom;
  state.counters["pieces"] = static_cast<double>(layout.pieces.size());
}

// The layout changed: everything is drawn again.
void FullFrame(benchmark::State& state, bool fit) {
  const Layout& layout = LayoutOf(static_cast<int>(state.range(0)));
  const ViewTransform v = fit ? FitView(layout) : kNearView;
  Canvas canvas;
  for (auto _ : state) {
    canvas.picture.Invalidate();
    canvas.Paint(layout, v, CanvasGesture::None);
  }
  Report(state, layout, v);
}

// One 50-pixel step of a pan, back and forth.
void PanStep(benchmark::State& state, bool fit) {
  const Layout& layout = LayoutOf(static_cast<int>(state.range(0)));
  ViewTransform v = fit ? FitView(layout) : kNearView;
  Canvas canvas;
  canvas.Paint(layout, v, CanvasGesture::None);
  int step = 0;
  for (auto _ : state) {
    const double d = (step++ / 8) % 2 == 0 ? -50 : 50;
    v.offset_x += d;
    v.offset_y += d / 2;
    canvas.Paint(layout, v, CanvasGesture::Pan);
  }
  Report(state, layout, v);
}

// An eighth of the pieces selected and carried 3 mm a step.
void DragStep(benchmark::State& state, bool fit) {
  Layout& layout = LayoutOf(static_cast<int>(state.range(0)));
  const ViewTransform v = fit ? FitView(layout) : kNearView;
  const std::size_t carried = layout.pieces.size() / 8;
  for (std::size_t i = 0; i < carried; ++i) layout.pieces[i].sel = true;
  Canvas canvas;
  canvas.Paint(layout, v, CanvasGesture::None);
  int step = 0;
  for (auto _ : state) {
    const double d = (step++ / 8) % 2 == 0 ? 3 : -3;
    for (std::size_t i = 0; i < carried; ++i) layout.pieces[i].x += d;
    canvas.Paint(layout, v, CanvasGesture::Move);
  }
  for (std::size_t i = 0; i < carried; ++i) layout.pieces[i].sel = false;
  Report(state, layout, v);
  state.counters["carried"] = static_cast<double>(carried);
}

// The rubber band grows over an unchanged layout.
void BandStep(benchmark::State& state, bool fit) {
  const Layout& layout = LayoutOf(static_cast<int>(state.range(0)));
  const ViewTransform v = fit ? FitView(layout) : kNearView;
  Canvas canvas;
  canvas.Paint(layout, v, CanvasGesture::None);
  int step = 0;
  for (auto _ : state) {
    step = (step + 7) % 500;
    canvas.Paint(layout, v, CanvasGesture::RubberBand, [&](Painter& p) {
      DrawRubberBand(p, {200, 150}, {700 + step, 500 + step / 2});
    });
  }
  Report(state, layout, v);
}

// The window after a change: the enabling rules asked again and the frame drawn anew.
struct EditedWindow {
  Document doc;
  CommandStateCache states;
  Canvas canvas;
  ViewTransform view;
  FakePrompter prompter;

  explicit EditedWindow(int pieces) {
    doc.layout() = LayoutOf(pieces);
    view = FitView(doc.layout());
    canvas.Paint(doc.layout(), view, CanvasGesture::None);
  }
  // A band over the left eighth of the layout.
  void Band() { RubberBandSelect(doc.layout(), view, {0, 0}, {kWidth / 8, kHeight}); }
  void Redraw() {
    benchmark::DoNotOptimize(states.Get(doc).del);
    canvas.picture.Invalidate();
    canvas.Paint(doc.layout(), view, CanvasGesture::None);
  }
  void Delete() {
    prompter.answers.assign(4, PromptAnswer::Yes);
    if (!DeleteSelection(doc, prompter)) throw std::runtime_error("nothing deleted");
  }
};

// One edit timed from the input to the repainted frame: `before` and the way back to the
// start (Undo, then nothing selected) are not timed.
template <class Before, class Edit>
void TimeEdit(benchmark::State& state, Before before, Edit edit, bool undo_after) {
  EditedWindow w(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    before(w);
    state.ResumeTiming();
    edit(w);
    w.Redraw();
    state.PauseTiming();
    if (undo_after) w.doc.Undo();
    DeselectAll(w.doc.layout());
    state.ResumeTiming();
  }
}

void BM_EditBandRelease(benchmark::State& state) {
  TimeEdit(
      state, [](EditedWindow&) {}, [](EditedWindow& w) { w.Band(); }, false);
}

void BM_EditDelete(benchmark::State& state) {
  TimeEdit(
      state, [](EditedWindow& w) { w.Band(); }, [](EditedWindow& w) { w.Delete(); }, true);
}

void BM_EditUndo(benchmark::State& state) {
  TimeEdit(
      state,
      [](EditedWindow& w) {
        w.Band();
        w.Delete();
      },
      [](EditedWindow& w) { w.doc.Undo(); }, false);
}

void BM_CanvasFullFit(benchmark::State& s) {
  FullFrame(s, true);
}
void BM_CanvasFullNear(benchmark::State& s) {
  FullFrame(s, false);
}
void BM_CanvasPanFit(benchmark::State& s) {
  PanStep(s, true);
}
void BM_CanvasPanNear(benchmark::State& s) {
  PanStep(s, false);
}
void BM_CanvasDragFit(benchmark::State& s) {
  DragStep(s, true);
}
void BM_CanvasDragNear(benchmark::State& s) {
  DragStep(s, false);
}
void BM_CanvasBandFit(benchmark::State& s) {
  BandStep(s, true);
}

}  // namespace

void RegisterCanvasPaintBenchmarks() {
  using Fn = void (*)(benchmark::State&);
  const std::pair<const char*, Fn> cases[] = {
      {"BM_CanvasFullFit", BM_CanvasFullFit}, {"BM_CanvasFullNear", BM_CanvasFullNear},
      {"BM_CanvasPanFit", BM_CanvasPanFit},   {"BM_CanvasPanNear", BM_CanvasPanNear},
      {"BM_CanvasDragFit", BM_CanvasDragFit}, {"BM_CanvasDragNear", BM_CanvasDragNear},
      {"BM_CanvasBandFit", BM_CanvasBandFit}, {"BM_EditBandRelease", BM_EditBandRelease},
      {"BM_EditDelete", BM_EditDelete},       {"BM_EditUndo", BM_EditUndo}};
  for (const auto& [name, fn] : cases)
    benchmark::RegisterBenchmark(name, fn)->Arg(10000)->Arg(86000)->Unit(benchmark::kMillisecond);
}
