#!/usr/bin/env bash
# Compares a benchmark run with the results kept in bench/baseline.json (Google
# Benchmark's compare.py, from the libbenchmark-tools package) and names every case more
# than 20 % slower than there; exits 1 when there is any.
#
#   scripts/bench-compare.sh                 runs build/bench/vantrel_bench (under xvfb-run
#                                            when there is no display) and compares
#   scripts/bench-compare.sh results.json    compares a run made with --benchmark_out
#
# BENCH names another benchmark program, BASELINE another baseline, LIMIT another
# allowed slow-down (0.20 = 20 %). Extra benchmark options follow the file as `-- ...`.
set -euo pipefail
cd "$(dirname "$0")/.."
baseline="${BASELINE:-bench/baseline.json}"
limit="${LIMIT:-0.20}"
compare=/usr/share/benchmark/compare.py
[ -f "$compare" ] || { echo "$compare is missing: install libbenchmark-tools" >&2; exit 2; }
[ -f "$baseline" ] || { echo "no baseline at $baseline" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
results="${1:-}"
[ "$results" = "--" ] && results=""
[ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
if [ -z "$results" ]; then
  results="$work/results.json"
  run=("${BENCH:-build/bench/vantrel_bench}" --benchmark_out="$results"
       --benchmark_out_format=json "$@")
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1600x1000x24" "${run[@]}"
  else
    "${run[@]}"
  fi
fi

/usr/bin/python3 "$compare" --no-color -d "$work/diff.json" benchmarks "$baseline" "$results"

# compare.py gives each case's relative change of real time (+0.25: 25 % slower).
/usr/bin/python3 - "$work/diff.json" "$limit" <<'PY'
import json, sys
cases = json.load(open(sys.argv[1]))
limit = float(sys.argv[2])
slower = []
for case in cases:
    if case.get("run_type") == "aggregate" and case.get("aggregate_name") != "mean":
        continue
    for m in case.get("measurements", []):
        if m.get("time", 0) > limit:
            slower.append((case["name"], m["time"], m["real_time"], m["real_time_other"],
                           case.get("time_unit", "")))
if not slower:
    print(f"No case is more than {limit:.0%} slower than the baseline.")
    sys.exit(0)
print(f"\n{len(slower)} case(s) more than {limit:.0%} slower than the baseline:")
for name, change, old, new, unit in slower:
    print(f"  {name}: {change:+.0%} ({old:.4g} -> {new:.4g} {unit})")
sys.exit(1)
PY
