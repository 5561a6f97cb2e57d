#!/usr/bin/env bash
# Builds and runs the benchmarks and prints a table of figures. It never fails
# because a figure is poor; only a broken build or a missing display stops it.
#   bash bench/run.sh [RUNS] [--windows]
# RUNS start-ups of each program, default 15; --windows adds the Windows
# program and a bare Qt window built the same way, under Wine in one prefix,
# and the sizes of the Windows files.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb libx11-dev libxdamage-dev
runs=${1:-15}

build_preset linux bench

# Everything the run makes goes in one scratch folder, removed at the end.
scratch=$(mktemp -d)
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    if [[ -n ${WINEPREFIX:-} ]]; then /usr/lib/wine/wineserver64 -k 2>/dev/null || true; fi
    rm -rf "$scratch"
}
xvfb=
trap cleanup EXIT
# A private X server on the first free display number, large enough for the
# window at scale 2.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$scratch/display")"
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

samples=$scratch/samples
# measure NAME COMMAND...: one start-up's figures as a line of samples; a
# failed measurement stops the run with what the tool and the program said.
measure() {
    local name=$1 figures
    shift
    if ! figures=$(build/bench/first_frame "$@" 2>"$scratch/said"); then
        echo "$name: the measurement failed:" >&2
        cat "$scratch/said" >&2
        exit 1
    fi
    echo "$name $figures" >>"$samples"
}

program=build/app/pokaz
floor=build/bench/floor_window
# Alternate them so that a busy moment of the machine hits all alike. At
# scale 2 the program draws its pictures at twice the size.
for _ in $(seq "$runs"); do
    measure pokaz "$program"
    measure floor "$floor"
    QT_SCALE_FACTOR=2 measure scale2 "$program"
done

if [[ ${2:-} == --windows ]]; then
    ensure_packages "${WINDOWS_TEST_PACKAGES[@]}"
    bash scripts/windows.sh >/dev/null
    cmake --build --preset windows-bench >/dev/null
    export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wine=/usr/lib/wine/wine64
    $wine wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
    # The Wine server stays up, so that each start-up is the program's own;
    # a first start of each leaves Wine's own fonts and display set up.
    /usr/lib/wine/wineserver64 -p
    for _ in 0 $(seq "$runs"); do
        measure wine_pokaz $wine build-windows/pokaz.exe
        measure wine_floor $wine build-windows/floor_window.exe
    done
    sed -i '0,/^wine_pokaz/{/^wine_pokaz/d}; 0,/^wine_floor/{/^wine_floor/d}' "$samples"
fi

summary() { # name field -> "median min max"
    grep "^$1 " "$samples" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -n |
        awk '{v[NR]=$1} END {m = NR % 2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%s %s %s", m, v[1], v[NR]}'
}
startup_table() { # field title goal program floor [other...]: the rows, and the ratio of the first two
    echo
    echo "Start-up $2, $runs runs each (ms)"
    printf '%-14s %10s %10s %10s\n' "" median min max
    local name
    for name in "${@:4}"; do
        printf '%-14s %10.1f %10.1f %10.1f\n' "${name//_/ }" $(summary "$name" "$1")
    done
    read -r p _ _ <<<"$(summary "$4" "$1")"
    read -r f _ _ <<<"$(summary "$5" "$1")"
    awk -v p="$p" -v f="$f" -v goal="${3:+   (goal: at most $3)}" 'BEGIN {printf "%-14s %10.2f%s\n", "ratio", p / f, goal}'
}
for names in "pokaz floor scale2" ${2:+"wine_pokaz wine_floor"}; do
    startup_table mapped_ms "to the window being mapped" 1.10 $names
    startup_table startup_ms "to the first painted frame" 1.10 $names
    startup_table cpu_ms "to the first painted frame, processor time of all threads" "" $names
done
read -r p_mem _ _ <<<"$(summary pokaz peak_kb)"
read -r f_mem _ _ <<<"$(summary floor peak_kb)"
read -r s_mem _ _ <<<"$(summary scale2 peak_kb)"

echo
echo "Peak resident memory (median, MB)"
awk -v p="$p_mem" -v f="$f_mem" 'BEGIN {
    printf "%-14s %10.1f\n%-14s %10.1f\n%-14s %10.1f   (goal: at most 4.0)\n", "pokaz", p/1024, "floor", f/1024, "difference", (p-f)/1024 }'
awk -v s="$s_mem" 'BEGIN {printf "%-14s %10.1f\n", "pokaz scale 2", s/1024}'
echo
stripped=$scratch/stripped
strip -o "$stripped" "$program"
awk -v all="$(stat -c %s "$program")" -v bare="$(stat -c %s "$stripped")" \
    'BEGIN {printf "%-14s %10.1f MB, %.1f MB stripped (the pictures and fonts are inside)\n", "executable", all/1048576, bare/1048576}'
if [[ ${2:-} == --windows ]]; then
    for file in build-windows/pokaz.exe build-windows/Pokaz-*-setup.exe build-windows/Pokaz-*-windows.zip; do
        awk -v n="$(stat -c %s "$file")" -v f="${file#build-windows/}" 'BEGIN {printf "%-26s %6.1f MB\n", f, n/1048576}'
    done
fi
echo
echo "Per action on the real window, repaint included"
build/bench/action_bench
