#!/usr/bin/env bash
# Applies each fault of faults.tsv alone to a scratch copy of this work tree,
# builds it, runs the test suite and prints which tests caught the fault.
#
#   bash tools/faults/run_faults.sh [--windows | --web] [NAME...]
#
# With --windows or --web it takes the faults marked "windows" or "web", which
# only the Windows program under Wine or the page in the browser can show: the
# copy's tree of that platform is configured once by its scripts/windows.sh or
# scripts/web.sh (with the Qt of the cache), rebuilt for each fault and tested
# by its test preset. Only the unchanged copy's script runs, so a fault in the
# Qt build's scripts never builds Qt; their test builds into a scratch cache.
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
case "${1:-}" in --windows | --web) suite=${1#--}; shift ;; esac

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
    (cd "$scratch/src" && find . \( -path ./build -o -path './build-*' \) -prune -o -type f -print | sed 's|^\./||' | sort) >"$scratch/present"
    (cd "$top" && git ls-files -co --exclude-standard | sort) >"$scratch/wanted"
    comm -23 "$scratch/present" "$scratch/wanted" | (cd "$scratch/src" && xargs -r rm -f)
}

# The copy's tree of the suite's platform, build/ or build-PLATFORM/.
tree=$scratch/src/build
[ $suite = linux ] || tree=$scratch/src/build-$suite
build() {
    if [ $suite = linux ]; then
        (cd "$scratch/src" && cmake --preset linux >/dev/null && cmake --build --preset linux) >"$scratch/build.log" 2>&1
        return
    fi
    [ -f "$tree/CMakeCache.txt" ] || bash "$scratch/src/scripts/$suite.sh" >"$scratch/build.log" 2>&1 || return
    (cd "$scratch/src" && cmake --build --preset $suite) >"$scratch/build.log" 2>&1
}

slow='e2e|install|monkey'
# The names of the failing tests, space-separated; "none" when all pass.
failing_tests() {
    local out failed
    if [ $suite != linux ]; then
        out=$(ctest --test-dir "$tree" -E "$skip" 2>&1)
    elif [ "${FAULT_FIRST:-}" = 1 ]; then
        out=$(ctest --test-dir "$tree" -E "$skip|$slow" --timeout 300 --parallel "$(nproc)" 2>&1)
        grep -q 'The following tests FAILED' <<<"$out" ||
            out=$(ctest --test-dir "$tree" -E "$skip" -R "$slow" --timeout 300 --parallel "$(nproc)" 2>&1)
    else
        out=$(ctest --test-dir "$tree" -E "$skip" --timeout 300 --parallel "$(nproc)" 2>&1)
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
