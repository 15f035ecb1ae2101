#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds each.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS
# Each target starts from its seed corpus in fuzz/corpus/<name>/ (the target's name without
# "_fuzz"), copied to a scratch folder under BUILD_DIR so the repository stays as it is.
# Findings land in BUILD_DIR/fuzz-findings/; any finding fails the run.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 64
fi
build=$(cd "$1" && pwd)
seconds=$2
repo=$(cd "$(dirname "$0")/.." && pwd)

mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name '*_fuzz' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build/fuzz" >&2
    exit 1
fi

failed=0
for target in "${targets[@]}"; do
    name=$(basename "$target")
    seeds="$repo/fuzz/corpus/${name%_fuzz}"
    scratch="$build/fuzz-corpus/$name"
    findings="$build/fuzz-findings/$name"
    rm -rf "$scratch"
    mkdir -p "$scratch" "$findings"
    if [ -d "$seeds" ]; then
        cp -r "$seeds"/. "$scratch"/
    fi
    echo "== $name for ${seconds}s"
    if "$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$scratch" >"$build/fuzz-findings/$name.log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^Done ' "$build/fuzz-findings/$name.log" || true
        echo "$name: nothing found"
    else
        tail -n 40 "$build/fuzz-findings/$name.log"
        echo "$name: FOUND A PROBLEM (see $findings and $build/fuzz-findings/$name.log)"
        failed=1
    fi
done
exit $failed
