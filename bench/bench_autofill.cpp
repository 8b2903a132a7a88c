// Autofill speed: the straight solver and the curve search behind the autofill dialog,
// each over 1,000 random gaps of up to 3 m per track system; the counters report the
// slowest gap, which must stay under 10 ms (straights) and 0.5 s (curves).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "catalog/track_system.h"
#include "edit/autofill.h"
#include "edit/autofill_curves.h"

namespace {

constexpr int kGaps = 1000;
constexpr double kMaxGapMm = 3000.0;
const int kSystems[] = {MarklinC, MarklinK, MarklinZ, TrixC};

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_AutofillStraightSlowest(benchmark::State& state) {
  const int system = kSystems[state.range(0)];
  const std::vector<const PieceDef*> straights = FillStraights(system);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> gap(1.0, kMaxGapMm);
  double slowest = 0;
  for (auto _ : state) {
    for (int i = 0; i < kGaps; ++i) {
      const double g = gap(rng);
      const auto t0 = std::chrono::steady_clock::now();
      auto s = SolveStraightFill(straights, g);
      benchmark::DoNotOptimize(s.data());
      slowest = std::max(slowest, Seconds(std::chrono::steady_clock::now() - t0));
    }
  }
  state.counters["slowest_ms"] = slowest * 1000.0;
  state.SetLabel(TrackSystemName(system));
}

// Half the gaps are arbitrary (an end anywhere within 3 m, pointing anywhere: mostly no
// solution, so the whole search runs); half end where a random chain of the system's
// pieces ends, so that solutions exist.
Connector RandomEnd(int system, std::mt19937& rng, bool reachable) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  if (!reachable) {
    const double r = kMaxGapMm * std::sqrt(unit(rng)), a = 2 * kPi * unit(rng);
    return Connector(r * std::cos(a), r * std::sin(a), 360.0 * unit(rng), 0);
  }
  std::vector<ChainPiece> pieces;
  const std::vector<const PieceDef*> curves = FillCurves(system);
  const std::vector<const PieceDef*> straights = FillStraights(system);
  Connector end;
  do {
    pieces.clear();
    const int n = 1 + static_cast<int>(rng() % 6);
    for (int k = 0; k < n; ++k) {
      const bool curve = !curves.empty() && rng() % 2 == 0;
      const auto& from = curve ? curves : straights;
      pieces.push_back({from[rng() % from.size()]->id, curve && rng() % 2 == 0});
    }
    end = ChainEnd(Connector(0, 0, 0, 0), pieces);
  } while (std::hypot(end.x, end.y) > kMaxGapMm);
  end.angle = NormalizeAngle(end.angle + 180.0);  // B's connector faces the chain's end
  return end;
}

void BM_AutofillCurvesSlowest(benchmark::State& state) {
  const int system = kSystems[state.range(0)];
  std::mt19937 rng(5);
  std::vector<Connector> ends;
  for (int i = 0; i < kGaps; ++i) ends.push_back(RandomEnd(system, rng, i % 2 == 1));
  const Connector from(0, 0, 0, 0);
  double slowest = 0, total = 0;
  int solved = 0;
  for (auto _ : state) {
    for (const Connector& to : ends) {
      const auto t0 = std::chrono::steady_clock::now();
      const std::vector<CurveFill> fills = SolveCurvedGap(system, from, to);
      std::vector<std::string> rows;
      for (const CurveFill& f : fills) rows.push_back(CurveFillRowText(f));
      benchmark::DoNotOptimize(rows.data());
      const double s = Seconds(std::chrono::steady_clock::now() - t0);
      slowest = std::max(slowest, s);
      total += s;
      solved += fills.empty() ? 0 : 1;
    }
  }
  state.counters["slowest_ms"] = slowest * 1000.0;
  state.counters["mean_ms"] = total * 1000.0 / kGaps;
  state.counters["solved"] = solved;
  state.SetLabel(TrackSystemName(system));
}

}  // namespace

BENCHMARK(BM_AutofillStraightSlowest)
    ->DenseRange(0, 3)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutofillCurvesSlowest)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
