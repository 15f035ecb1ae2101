#!/bin/sh
# Measures what the words of a dictionary add to the program's memory, from outside it: the
# peak resident memory (VmHWM) of the program under Xvfb, started in a folder that holds a
# dictionary of 0 and of 100,000 words, read once the main window has settled, then the
# program is stopped. Prints both peaks and the bytes per word between them.
# The program is the optimised one that `make bench` builds, in the same folder.
# Usage: measure-memory.sh [BUILD_DIR] [WORDS]   (defaults: build-bench 100000)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
words=${2:-100000}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLQ_TESTS=OFF -DLQ_BENCH=ON \
    >/dev/null
cmake --build "$build" --target lexiquill lq_bench_dictionary -j 2 >/dev/null

# Peak resident kB of the program started in folder $1, once it has stopped growing.
peak_kb() {
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        cd "$1"
        "$2" &
        pid=$!
        last=-1 steady=0 tries=0
        while [ $steady -lt 4 ] && [ $tries -lt 120 ]; do
            sleep 0.5
            now=$(awk "/^VmHWM:/ { print \$2 }" /proc/$pid/status 2>/dev/null || echo 0)
            if [ "$now" = "$last" ]; then steady=$((steady + 1)); else steady=0; fi
            last=$now tries=$((tries + 1))
        done
        kill $pid
        wait $pid 2>/dev/null || true
        echo "$last"
    ' sh "$1" "$build/lexiquill"
}

measure() {
    folder=$(mktemp -d)
    "$build/bench/lq_bench_dictionary" "$folder/Lexiquill.lqd" "$1"
    peak_kb "$folder"
    rm -rf "$folder"
}

empty=$(measure 0)
full=$(measure "$words")
echo "peak resident memory with 0 words: $empty kB"
echo "peak resident memory with $words words: $full kB"
awk -v e="$empty" -v f="$full" -v n="$words" \
    'BEGIN { printf "added per word: %.1f bytes (a word record in the file: 160)\n", (f - e) * 1024 / n }'
