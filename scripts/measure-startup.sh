#!/bin/sh
# Times the program from exec to its visible main window under Xvfb, started in a folder that
# holds a dictionary of 0, 100,000 and 1,000,000 words; prints each time (the best of a few
# runs, since the shared machine's load varies) and the ratios the start-up goals are about.
# The program is the optimised one that `make bench` builds, in the same folder.
# Usage: measure-startup.sh [BUILD_DIR] [RUNS]   (defaults: build-bench 3)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-3}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLQ_TESTS=OFF -DLQ_BENCH=ON \
    >/dev/null
cmake --build "$build" --target lexiquill lq_bench_dictionary -j 2 >/dev/null

# Milliseconds from exec to the first moment the window is mapped, in folder $1. The window is
# looked for in a tight loop (each look takes a few milliseconds), then the program is stopped.
window_ms() {
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        cd "$1"
        start=$(date +%s%N)
        "$2" &
        pid=$!
        tries=0
        until xdotool search --onlyvisible --name "^Lexiquill\$" >/dev/null 2>&1; do
            tries=$((tries + 1))
            if [ $tries -gt 20000 ]; then
                echo "no window" >&2
                break
            fi
        done
        end=$(date +%s%N)
        kill $pid
        wait $pid 2>/dev/null || true
        echo $(( (end - start) / 1000000 ))
    ' sh "$1" "$build/lexiquill"
}

best_ms() {
    folder=$(mktemp -d)
    "$build/bench/lq_bench_dictionary" "$folder/Lexiquill.lqd" "$1"
    best=
    i=0
    while [ $i -lt "$runs" ]; do
        t=$(window_ms "$folder")
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
        i=$((i + 1))
    done
    rm -rf "$folder"
    echo "$best"
}

empty=$(best_ms 0)
hundred=$(best_ms 100000)
million=$(best_ms 1000000)
echo "visible window with 0 words: $empty ms"
echo "visible window with 100,000 words: $hundred ms"
echo "visible window with 1,000,000 words: $million ms"
awk -v e="$empty" -v h="$hundred" -v m="$million" 'BEGIN {
    printf "100,000 words against an empty start: %.2fx (goal: at most 1.2x)\n", h / e
    printf "1,000,000 words: %.2f s (goal: under 0.5 s)\n", m / 1000
}'
