#!/usr/bin/env bash
# Checks that every include in src/ points down a floor or stays in its own subsystem: the rules
# that the build's libraries enforce (src/CMakeLists.txt), checked without a build.
#
#   a file in              may include from
#   store/                 store/
#   <subsystem>/core/      store/, <subsystem>/core/            and no Qt header
#   ui/                    store/, ui/
#   <subsystem>/           store/, ui/, <subsystem>/
#   app/ outside core/     everything
#
# Includes are written from src/ ("store/Dictionary.h"); the headers that uic generates
# (ui_*.h) are the only bare names. Prints each include that breaks a rule; exits 1 if any does.
#
#   scripts/check-floors.sh [src folder]
set -euo pipefail

cd "${1:-"$(dirname "$0")/../src"}"

# The folders a file may include from, as path prefixes; "*" for every folder.
allowed_for() {
    local top=${1%%/*}
    case $1 in
        store/*) echo "store/" ;;
        */core/*) echo "store/ $top/core/" ;;
        ui/*) echo "store/ ui/" ;;
        app/*) echo "*" ;;
        */*) echo "store/ ui/ $top/" ;;
    esac
}

is_core() {
    [[ $1 == store/* || $1 == */core/* ]]
}

faults=0
fault() {
    echo "$1: $2" >&2
    faults=$((faults + 1))
}

while IFS= read -r file; do
    allowed=$(allowed_for "$file")
    number=0
    while IFS= read -r line; do
        number=$((number + 1))
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([<\"])([^>\"]+) ]] || continue
        included=${BASH_REMATCH[2]}
        if [[ ${BASH_REMATCH[1]} == "<" ]]; then
            if is_core "$file" && [[ $included == Q* ]]; then
                fault "$file:$number" "a core file includes the Qt header <$included>"
            fi
            continue
        fi
        [[ $included == ui_*.h ]] && continue
        if [[ $included != */* || $included == .* || $included == */../* ]]; then
            fault "$file:$number" "\"$included\" is not written from src/"
            continue
        fi
        ok=false
        for prefix in $allowed; do
            if [[ $prefix == "*" || $included == "$prefix"* ]]; then
                ok=true
            fi
        done
        if ! $ok; then
            fault "$file:$number" "includes \"$included\"; it may include only from: $allowed"
        fi
    done <"$file"
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

if ((faults > 0)); then
    echo "check-floors: $faults include(s) break the floors" >&2
    exit 1
fi
echo "check-floors: every include points down a floor or stays in its subsystem"
