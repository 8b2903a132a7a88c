// Layout file speed: writing and reading the text, whole-file save and load, and the
// undo snapshot of a big layout.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_file.h"

namespace {

const Layout& Big(int pieces) {
  static std::map<int, Layout> cache;
  auto it = cache.find(pieces);
  if (it == cache.end()) it = cache.emplace(pieces, MakeBigLayout(pieces)).first;
  return it->second;
}

std::filesystem::path BenchFile() {
  return std::filesystem::temp_directory_path() / "vantrel-bench-file.vtl";
}

void BM_LayoutFileText(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = LayoutFileText(l, "bench");
    bytes += text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_SaveLayout(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  const std::size_t size = LayoutFileText(l, "bench").size();
  for (auto _ : state) {
    if (!SaveLayout(l, BenchFile(), "bench").empty()) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(size * state.iterations()));
  std::filesystem::remove(BenchFile());
}

void BM_ReadLayoutText(benchmark::State& state) {
  const std::string text = LayoutFileText(Big(static_cast<int>(state.range(0))), "bench");
  for (auto _ : state) {
    Layout l;
    if (!ReadLayoutText(text, l).error.empty()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(l.pieces.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(text.size() * state.iterations()));
}

void BM_LoadLayout(benchmark::State& state) {
  const Layout& big = Big(static_cast<int>(state.range(0)));
  const std::size_t size = LayoutFileText(big, "bench").size();
  SaveLayout(big, BenchFile(), "bench");
  for (auto _ : state) {
    Layout l;
    if (!LoadLayout(l, BenchFile()).error.empty()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(l.pieces.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(size * state.iterations()));
  std::filesystem::remove(BenchFile());
}

// One undo step of a small edit: the snapshot, the change test and the step.
void BM_UndoStep(benchmark::State& state) {
  Document doc;
  Layout& l = doc.layout();
  l = Big(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Transaction t(doc, "Move");
    l.pieces[0].x += 1;
    t.Commit();
  }
  state.counters["undo_steps"] = static_cast<double>(doc.undo_steps());
}

}  // namespace

BENCHMARK(BM_LayoutFileText)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLayout)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
// Reading uses a second thread for long runs of pieces: timed by the clock on the wall.
BENCHMARK(BM_ReadLayoutText)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadLayout)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoStep)->Arg(10000)->Unit(benchmark::kMillisecond);
