#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time, starting from its seed corpus. Any crash, leak, undefined
# behaviour or broken property fails the run.
# Usage: run_fuzzers.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(readlink -f "$here/../..")
build=$1
seconds=${2:-15}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKURVIX_FUZZ=ON -DKURVIX_BUILD_UI=OFF -DKURVIX_BUILD_TESTS=OFF -DKURVIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/artifacts"
summary=()
for target in text_to_number number_to_text power_text plot_sample; do
    work=$(mktemp -d)
    log="$build/$target.log"
    echo "fuzzing $target for ${seconds} s"
    if ! "$build/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/${target}-" "$work" "$here/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "FAIL: $target (reproducer in $build/artifacts/)"
        exit 1
    fi
    execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    secs=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
    summary+=("$target: $execs executions in ${seconds} s ($secs per second)")
    rm -rf "$work"
done
printf '%s\n' "${summary[@]}"
