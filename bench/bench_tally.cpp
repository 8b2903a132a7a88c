// Piece tally speed: it is recounted after every edit, so a big layout must stay fast.
#include <benchmark/benchmark.h>

#include "layout_builder.h"
#include "parts/cart.h"
#include "parts/tally.h"

namespace {

void BM_Tally(benchmark::State& state) {
  const Layout l = MakeBigLayout(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Tally t = ComputeTally(l);
    benchmark::DoNotOptimize(t);
  }
}

void BM_TallyRows(benchmark::State& state) {
  const Tally t = ComputeTally(MakeBigLayout(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    auto rows = TallyRows(t);
    benchmark::DoNotOptimize(rows.data());
  }
}

void BM_TallyCart(benchmark::State& state) {
  const Layout l = MakeBigLayout(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Cart c = ComputeCart(l);
    benchmark::DoNotOptimize(c.items.data());
  }
}

}  // namespace

BENCHMARK(BM_Tally)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TallyRows)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TallyCart)->Arg(10000)->Unit(benchmark::kMillisecond);
