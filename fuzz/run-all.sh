#!/usr/bin/env bash
# Builds every fuzz target with clang (address and undefined-behaviour sanitizers) and runs
# each for MINUTES minutes, FUZZ_JOBS (default two) at a time at the lowest priority. A target starts from its
# corpus in the source tree and keeps what it finds new in build/fuzz/work/TARGET; inputs
# that fail are kept in build/fuzz/findings/TARGET, the output in build/fuzz/logs/TARGET.log.
# Prints executions, executions per second (of wall-clock and of the target's own processor
# time) and findings per target, marking the targets that run fewer than 1,000 executions a
# second of processor time (they find little); exits 1 when any target found something.
#
# Usage: [FUZZ_JOBS=N] fuzz/run-all.sh MINUTES [TARGET...]   (MINUTES may be a fraction: 0.5)
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+([.][0-9]+)?$ ]]; then
    echo "usage: $0 MINUTES [TARGET...]" >&2
    exit 2
fi
seconds=$(awk -v m="$1" 'BEGIN { s = int(m * 60); print s < 1 ? 1 : s }')
shift
jobs=${FUZZ_JOBS:-2}
if [[ ! $jobs =~ ^[1-9][0-9]*$ ]]; then
    echo "FUZZ_JOBS must be a positive number" >&2
    exit 2
fi

build=build/fuzz
cores=$(nproc)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVANTREL_FUZZ=ON -DVANTREL_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" >/dev/null
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    mapfile -t targets < <(ls "$build/fuzz-corpora")
fi
nice -n 19 cmake --build "$build" -j"$((cores < 6 ? cores : 6))" --target "${targets[@]}" >/dev/null

export QT_QPA_PLATFORM=offscreen
# A use after free shows within one input: a small quarantine of freed memory serves, and it
# spares every run the page faults of fresh memory (the readers of large records run twice as
# fast with it).
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
    local target=$1 work=$build/work/$1 findings=$build/findings/$1
    local -a corpora
    mkdir -p "$work" "$findings" "$build/logs"
    IFS=";" read -r -a corpora < "$build/fuzz-corpora/$target" || true  # no line end
    # The target's own processor time: on a busy machine its share of a core is less than one.
    (
        nice -n 19 "$build/bin/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$findings/" "$work" "${corpora[@]}" \
            >"$build/logs/$target.log" 2>&1 || true
        times >"$build/logs/$target.cpu"
    )
}

# Seconds of processor time from the last line of `times`, the children's ("1m2.500s 0m0.250s").
cpu_seconds() {
    awk 'END { t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } print t }' "$1" 2>/dev/null || echo 0
}

for target in "${targets[@]}"; do
    if [[ ! -f $build/fuzz-corpora/$target || ! -x $build/bin/$target ]]; then
        echo "no fuzz target $target" >&2
        exit 2
    fi
    rm -rf "$build/findings/$target"
done

echo "running ${#targets[@]} targets for ${seconds} s each, ${jobs} at a time"
running=0
for target in "${targets[@]}"; do
    if ((running == jobs)); then
        wait -n || true
        running=$((running - 1))
    fi
    run_one "$target" &
    running=$((running + 1))
done
wait

found=0
# exec/s counts wall-clock time; exec/cpu-s the target's own processor time, which is what one
# core gives it alone, and what the mark below 1,000 goes by.
printf '%-34s %12s %10s %11s %9s\n' target executions exec/s exec/cpu-s findings
for target in "${targets[@]}"; do
    log=$build/logs/$target.log
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    rate=$(awk '/stat::average_exec_per_sec/ { print $2 }' "$log")
    # A run stopped by a finding prints no statistics: its last status line counts.
    runs=${runs:-$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)}
    cpu=$(cpu_seconds "$build/logs/$target.cpu")
    core_rate=$(awk -v r="${runs:-0}" -v c="$cpu" 'BEGIN { print (c > 0 ? int(r / c) : 0) }')
    count=$(find "$build/findings/$target" -type f | wc -l)
    found=$((found + count))
    slow=""
    if ((core_rate < 1000)); then
        slow="  below 1000 exec/s"
    fi
    printf '%-34s %12s %10s %11s %9s%s\n' "$target" "${runs:-?}" "${rate:-?}" "$core_rate" "$count" "$slow"
    find "$build/findings/$target" -type f -printf '    %p\n'
done
exit $((found > 0))
