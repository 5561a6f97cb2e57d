#!/usr/bin/env bash
# Builds and runs the benchmarks and prints a table of figures. It never fails
# because a figure is poor; only a broken build or a missing display stops it.
#   bash bench/run.sh [RUNS]      (RUNS start-ups of each program, default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb libx11-dev libxdamage-dev
runs=${1:-15}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOKAZ_BUILD_BENCH=ON >/dev/null
cmake --build build --parallel "$(nproc)" --target pokaz first_frame floor_window action_bench

# A private X server on the first free display number, large enough for the
# window at scale 2.
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fdfile")"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

program=build/app/pokaz
floor=build/bench/floor_window
samples=$(mktemp)
# Alternate them so that a busy moment of the machine hits all alike. At
# scale 2 the program draws its pictures at twice the size.
for _ in $(seq "$runs"); do
    echo "pokaz $(build/bench/first_frame "$program" 2>/dev/null)" >>"$samples"
    echo "floor $(build/bench/first_frame "$floor" 2>/dev/null)" >>"$samples"
    echo "scale2 $(QT_SCALE_FACTOR=2 build/bench/first_frame "$program" 2>/dev/null)" >>"$samples"
done

summary() { # name field -> "median min max"
    grep "^$1 " "$samples" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -n |
        awk '{v[NR]=$1} END {m = NR % 2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%s %s %s", m, v[1], v[NR]}'
}
read -r p_mem _ _ <<<"$(summary pokaz peak_kb)"
read -r f_mem _ _ <<<"$(summary floor peak_kb)"
read -r s_mem _ _ <<<"$(summary scale2 peak_kb)"
startup_table() { # field title [goal]
    read -r p_med p_min p_max <<<"$(summary pokaz "$1")"
    read -r f_med f_min f_max <<<"$(summary floor "$1")"
    read -r s_med s_min s_max <<<"$(summary scale2 "$1")"
    echo
    echo "Start-up $2, $runs runs each (ms)"
    printf '%-14s %10s %10s %10s\n' "" median min max
    printf '%-14s %10.1f %10.1f %10.1f\n' pokaz "$p_med" "$p_min" "$p_max"
    printf '%-14s %10.1f %10.1f %10.1f\n' floor "$f_med" "$f_min" "$f_max"
    printf '%-14s %10.1f %10.1f %10.1f\n' "pokaz scale 2" "$s_med" "$s_min" "$s_max"
    awk -v p="$p_med" -v f="$f_med" -v goal="${3:+   (goal: at most $3)}" 'BEGIN {printf "%-14s %10.2f%s\n", "ratio", p / f, goal}'
}
startup_table mapped_ms "to the window being mapped" 1.10
startup_table startup_ms "to the first painted frame" 1.10
startup_table cpu_ms "to the first painted frame, processor time of all threads"
rm -f "$samples"

echo
echo "Peak resident memory (median, MB)"
awk -v p="$p_mem" -v f="$f_mem" 'BEGIN {
    printf "%-14s %10.1f\n%-14s %10.1f\n%-14s %10.1f   (goal: at most 4.0)\n", "pokaz", p/1024, "floor", f/1024, "difference", (p-f)/1024 }'
awk -v s="$s_mem" 'BEGIN {printf "%-14s %10.1f\n", "pokaz scale 2", s/1024}'
echo
stripped=$(mktemp)
strip -o "$stripped" "$program"
awk -v all="$(stat -c %s "$program")" -v bare="$(stat -c %s "$stripped")" \
    'BEGIN {printf "%-14s %10.1f MB, %.1f MB stripped (the pictures and fonts are inside)\n", "executable", all/1048576, bare/1048576}'
rm -f "$stripped"
echo
echo "Per action on the real window, repaint included"
build/bench/action_bench
