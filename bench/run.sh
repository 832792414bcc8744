#!/usr/bin/env bash
# Runs game_bench (median of REPETITIONS, 5 by default) and prints each
# figure with the ratios the performance goals are stated in, all measured
# in this one run. Build first:
#
#     cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release
#     cmake --build build-rel -j2 --target game_bench
#     bash bench/run.sh [BIN_DIR] [REPETITIONS] [EXTRA BENCHMARK FLAGS...]
set -euo pipefail
bin=${1:-build-rel/bin}
repetitions=${2:-5}
shift 2 || true
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$bin/game_bench" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_format=json "$@" >"$out"
python3 - "$out" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}
def cpu(name):
    r = median.get(name)
    if r is None:
        return None
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[r["time_unit"]]
    return r["cpu_time"] * scale  # milliseconds
print(f"{'benchmark':32} {'CPU ms (median)':>16}")
for name in median:
    print(f"{name:32} {cpu(name):16.4f}")
def ratio(a, b, goal):
    if cpu(a) is not None and cpu(b) is not None:
        print(f"{a} / {b} = {cpu(a) / cpu(b):.2f}   (goal: at most {goal})")
print()
ratio("BM_GameFrame/shipped", "BM_FrameFloor", 2)
ratio("BM_GameFrame/100000", "BM_GameFrame/shipped", 1.5)
ratio("BM_GameFrame/10000", "BM_GameFrame/shipped", 1.5)
ratio("BM_GameUpdate/shards5000", "BM_GameUpdate/shipped", 2)
ratio("BM_MapEdit/100000", "BM_MapEdit/shipped", "in proportion to the cells changed")
ratio("BM_GameRestart/shipped", "BM_GameStart/shipped", 1)
ratio("BM_GameRestart/100000", "BM_GameStart/100000", 1)
PY
