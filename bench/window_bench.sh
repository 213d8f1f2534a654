#!/usr/bin/env bash
# Whole-window timings: a default run under Xvfb (xcb) and offscreen, and the
# time from process start to the mapped window under Xvfb.
# Usage: bench/window_bench.sh BUILD_DIR
set -euo pipefail
build=$(readlink -f "${1:-build/test}")
here=$(dirname "$(readlink -f "$0")")
source "$here/../scripts/lib/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb

args=(--benchmark_repetitions=10 --benchmark_report_aggregates_only=true)
echo "== xcb (Xvfb)"
QT_QPA_PLATFORM=xcb "$build/bench/kurvix_window_bench" "${args[@]}"
echo "== offscreen"
QT_QPA_PLATFORM=offscreen "$build/bench/kurvix_window_bench" "${args[@]}"
echo "== start-up (xcb, Xvfb)"
python3 "$here/startup_time.py" 10 "$build/ui/kurvix"
