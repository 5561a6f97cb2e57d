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
mkdir "$scratch/bin" "$scratch/src"
stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$scratch/bin/$1" && chmod +x "$scratch/bin/$1"; }
stand_in dpkg-query 'case "$*" in *Status*) echo "install ok installed" ;; *) echo 6.4.2+dfsg-10 ;; esac'
stand_in apt-cache 'echo "Version: 6.4.2+dfsg-10"'
stand_in apt-get 'touch qt6-base_6.4.2+dfsg-10.dsc'
# Qt's source as far as the build's last steps read it: the licences.
libraries=$(sed -n 's/^bundled=(\(.*\))$/\1/p' "$1/scripts/build_qt.sh")
stand_in dpkg-source "mkdir -p src/LICENSES && touch src/LICENSES/LGPL-3.0-only.txt &&
    for lib in $libraries; do mkdir -p src/src/3rdparty/\$lib && touch src/src/3rdparty/\$lib/LICENSE; done"
# What is patched, kept: each port's own patches and no other.
stand_in patch "cat >>$scratch/patched"
for compiler in emcc x86_64-w64-mingw32-g++-posix; do stand_in $compiler 'echo 12'; done
stand_in cmake "[ \"\$1\" != --build ] && exit; echo \$PPID >>$scratch/builds; sleep 1; echo \$PPID >>$scratch/builds; exit 1"
# The scripts as they are, but for Emscripten's toolchain file, which need not be installed here.
cp -r "$1/scripts" "$1/cmake" "$1/CMakePresets.json" "$scratch/src/" && touch "$scratch/Emscripten.cmake"
sed -i "s|/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake|$scratch/Emscripten.cmake|" "$scratch/src/CMakePresets.json"

export PATH=$scratch/bin:$PATH POKAZ_CACHE=$scratch/cache
bash "$scratch/src/scripts/windows.sh" >"$scratch/windows" 2>&1 & windows=$!
bash "$scratch/src/scripts/web.sh" >"$scratch/web" 2>&1 & web=$!
failures=()
for port in windows web; do
    wait "${!port}" && failures+=("$port.sh succeeded")
    grep -qs "^== build" "$POKAZ_CACHE/qt-$port.log" && grep -qF "$POKAZ_CACHE/qt-$port.log" "$scratch/$port" ||
        failures+=("$port.sh did not name the log of a failed build: $(cat "$scratch/$port")")
done
cat "$1"/scripts/qt-patches/web/*.patch | cmp -s - "$scratch/patched" || failures+=("not the browser's patches alone applied")
left=$(find "$POKAZ_CACHE" -mindepth 1 -maxdepth 1 ! -name 'qt-*.log' ! -name lock)
[[ -z $left ]] || failures+=("left in the cache: $left")
# Each build's start is followed by its own end before the other starts.
[[ $(sed -n '1p;3p' "$scratch/builds") == $(sed -n '2p;4p' "$scratch/builds") && $(wc -l <"$scratch/builds") == 4 ]] ||
    failures+=("the two builds overlapped: $(cat "$scratch/builds")")
((${#failures[@]} == 0)) || { printf 'FAIL: %s\n' "${failures[@]}"; exit 1; }
echo "qt cache test: both ports' failed builds cached nothing, one after the other"
