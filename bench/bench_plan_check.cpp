// The plan check on big layouts: a full check, and the re-check after one piece moved
// (what the conflict marks do after every edit).
#include <benchmark/benchmark.h>

#include "edit/plan_check.h"
#include "layout_builder.h"

namespace {

const Layout& Big(int n) {
  static Layout l10 = MakeBigLayout(10000), l86 = MakeBigLayout(86000);
  return n == 10000 ? l10 : l86;
}

void BM_PlanCheckFull(benchmark::State& state) {
  const Layout& l = Big(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(CheckPlan(l).size());
}
BENCHMARK(BM_PlanCheckFull)->Arg(10000)->Arg(86000)->Unit(benchmark::kMillisecond);

// One piece moved 30 mm and back again, each step followed by a re-check.
void BM_PlanCheckAfterMovingOnePiece(benchmark::State& state) {
  Layout l = Big(static_cast<int>(state.range(0)));
  PlanChecker checker;
  checker.Update(l);
  PlacedPiece& moved = l.pieces[l.pieces.size() / 2];
  double step = 30;
  for (auto _ : state) {
    moved.x += step;
    step = -step;
    benchmark::DoNotOptimize(checker.Update(l).size());
  }
}
BENCHMARK(BM_PlanCheckAfterMovingOnePiece)->Arg(10000)->Arg(86000)->Unit(benchmark::kMillisecond);

}  // namespace
