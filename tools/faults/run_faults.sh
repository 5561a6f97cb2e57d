#!/usr/bin/env bash
# Applies each fault of faults.tsv alone to a scratch copy of this work tree,
# builds it, runs the test suite and prints which tests caught the fault.
#
#   bash tools/faults/run_faults.sh [--windows] [NAME...]
#
# With --windows it takes the faults marked "windows", which only the Windows
# suite can see: the copy's Windows program is configured once by its
# scripts/windows.sh (with the Qt for Windows of the cache), rebuilt for each
# fault and tested under Wine. Only the unchanged copy's windows.sh runs, so a
# fault in the Qt build's script never builds Qt; its test builds into a
# scratch cache.
#
# Environment: FAULT_DIR (scratch copy, kept for incremental builds; default
# /var/tmp/pokaz-faults), FAULT_SKIP (ctest -E regex of tests not run; by
# default memcheck, which looks for leaks, not behaviour; the install test
# runs, since it catches the faults of the desktop entry, metainfo and manual),
# FAULT_FIRST=1 (the quick tests first, and the slow ones, the end-to-end,
# install and monkey runs, only for a fault that the quick ones miss).
set -uo pipefail
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
scratch=${FAULT_DIR:-/var/tmp/pokaz-faults}
skip=${FAULT_SKIP:-memcheck}
list="$top/tools/faults/faults.tsv"
suite=linux
if [ "${1:-}" = --windows ]; then
    suite=windows
    shift
fi

# Copies only what differs, so the scratch build stays incremental.
sync_tree() {
    mkdir -p "$scratch/src"
    (cd "$top" && git ls-files -co --exclude-standard) | while IFS= read -r file; do
        [ -f "$top/$file" ] || continue
        if ! cmp -s "$top/$file" "$scratch/src/$file"; then
            mkdir -p "$(dirname "$scratch/src/$file")"
            cp "$top/$file" "$scratch/src/$file"
        fi
    done
    # Files gone from the work tree go from the copy too.
    (cd "$scratch/src" && find . -path ./build-windows -prune -o -type f -print | sed 's|^\./||' | sort) >"$scratch/present"
    (cd "$top" && git ls-files -co --exclude-standard | sort) >"$scratch/wanted"
    comm -23 "$scratch/present" "$scratch/wanted" | (cd "$scratch/src" && xargs -r rm -f)
}

build() {
    if [ $suite = windows ]; then
        [ -f "$scratch/src/build-windows/CMakeCache.txt" ] ||
            bash "$scratch/src/scripts/windows.sh" -DBUILD_TESTING=ON >"$scratch/build.log" 2>&1 || return
        cmake --build "$scratch/src/build-windows" >"$scratch/build.log" 2>&1
        return
    fi
    cmake -S "$scratch/src" -B "$scratch/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null &&
        cmake --build "$scratch/build" --parallel "$(nproc)" >"$scratch/build.log" 2>&1
}

slow='e2e|install|monkey'
# The names of the failing tests, space-separated; "none" when all pass.
failing_tests() {
    local out failed
    if [ $suite = windows ]; then
        out=$(ctest --test-dir "$scratch/src/build-windows" --timeout 300 2>&1)
    elif [ "${FAULT_FIRST:-}" = 1 ]; then
        out=$(ctest --test-dir "$scratch/build" -E "$skip|$slow" --timeout 300 --parallel "$(nproc)" 2>&1)
        grep -q 'The following tests FAILED' <<<"$out" ||
            out=$(ctest --test-dir "$scratch/build" -E "$skip" -R "$slow" --timeout 300 --parallel "$(nproc)" 2>&1)
    else
        out=$(ctest --test-dir "$scratch/build" -E "$skip" --timeout 300 --parallel "$(nproc)" 2>&1)
    fi
    failed=$(printf '%s\n' "$out" | sed -n '/The following tests FAILED/,$p' | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' | tr '\n' ' ')
    echo "${failed:-none}"
}

sync_tree
build || { echo "the unchanged tree does not build; see $scratch/build.log" >&2; exit 2; }
baseline=$(failing_tests)
[ "$baseline" = none ] || { echo "the unchanged tree fails: $baseline" >&2; exit 2; }

uncaught=0
printf '| fault | what it breaks | caught by |\n|---|---|---|\n'
while IFS=$'\t' read -r name file program what only; do
    case "$name" in '#'*|'') continue ;; esac
    [ "${only:-linux}" = $suite ] || continue
    if (($# > 0)) && [[ " $* " != *" $name "* ]]; then continue; fi
    target="$scratch/src/$file"
    cp "$target" "$scratch/original"
    sed -i "$program" "$target"
    if cmp -s "$target" "$scratch/original"; then
        result="(does not apply: the line is gone)"
    elif ! build; then
        result="(does not compile)"
    else
        result=$(failing_tests)
    fi
    cp "$scratch/original" "$target" && touch "$target"
    [ "$result" = none ] && uncaught=$((uncaught + 1))
    printf '| %s | %s | %s |\n' "$name" "$what" "$result"
done <"$list"
build
echo "uncaught: $uncaught"
exit $((uncaught > 0))
