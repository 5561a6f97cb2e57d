#!/usr/bin/env bash
# A Qt build that fails is never cached, for either port, and two runs never
# build at once. windows.sh and web.sh run side by side into one scratch
# cache, with stand-ins for apt, dpkg and the compilers, and a cmake whose
# Qt build takes a second and fails: no network, no Qt. Each must fail and
# name its log; the cache keeps nothing but the logs and the lock, and the
# two builds follow one another.
#   qt_cache_test.sh SOURCE_DIR
set -uo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$scratch/bin/$1" && chmod +x "$scratch/bin/$1"; }
mkdir "$scratch/bin"
stand_in dpkg-query 'case "$*" in *Status*) echo "install ok installed" ;; *) echo 6.4.2+dfsg-10 ;; esac'
stand_in apt-cache 'echo "Version: 6.4.2+dfsg-10"'
stand_in apt-get 'touch qt6-base_6.4.2+dfsg-10.dsc'
# Qt's source as far as the build's last steps read it: the licences.
libraries=$(sed -n 's/^bundled=(\(.*\))$/\1/p' "$1/scripts/build_qt.sh")
stand_in dpkg-source "mkdir -p src/LICENSES && touch src/LICENSES/LGPL-3.0-only.txt &&
    for lib in $libraries; do mkdir -p src/src/3rdparty/\$lib && touch src/src/3rdparty/\$lib/LICENSE; done"
stand_in emcc 'echo 3.1.6'
stand_in x86_64-w64-mingw32-g++-posix 'echo 12'
stand_in cmake "[ \"\$1\" != --build ] && exit; echo \"start \$PPID\" >>$scratch/builds; sleep 1; echo \"end \$PPID\" >>$scratch/builds; exit 1"

# The scripts as they are, but Emscripten's toolchain file, which need not be installed here.
mkdir "$scratch/src" && cp -r "$1/scripts" "$1/cmake" "$1/CMakePresets.json" "$scratch/src/"
touch "$scratch/Emscripten.cmake"
sed -i "s|/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake|$scratch/Emscripten.cmake|" "$scratch/src/CMakePresets.json"
export PATH=$scratch/bin:$PATH POKAZ_CACHE=$scratch/cache
failures=0
for port in windows web; do
    bash "$scratch/src/scripts/$port.sh" >"$scratch/$port.out" 2>&1 &
    eval "${port}_run=$!"
done
for port in windows web; do
    run=${port}_run
    wait "${!run}"
    status=$? log=$POKAZ_CACHE/qt-$port.log
    if ((status == 0)) || ! grep -q "^== build" "$log" || ! grep -qF "$log" "$scratch/$port.out"; then
        echo "FAIL: $port.sh ended with status $status, or its log $log is not named:"
        cat "$scratch/$port.out"
        failures=$((failures + 1))
    fi
done
left=$(cd "$POKAZ_CACHE" && find . -mindepth 1 ! -name 'qt-*.log' ! -name lock)
[[ -z $left ]] || { echo "FAIL: left in the cache: $left"; failures=$((failures + 1)); }
# Each build's start is followed by its own end before the other starts.
order=$(awk '{ print $1 }' "$scratch/builds" | tr '\n' ' ')
pairs=$(awk 'NR % 2 == 1 { p = $2 } NR % 2 == 0 && $2 != p { bad = 1 } END { print bad ? "interleaved" : "paired" }' "$scratch/builds")
[[ $order == "start end start end " && $pairs == paired ]] ||
    { echo "FAIL: the two builds overlapped:"; cat "$scratch/builds"; failures=$((failures + 1)); }
((failures == 0)) && echo "qt cache test: both ports' failed builds cached nothing, one after the other"
exit $((failures > 0))
