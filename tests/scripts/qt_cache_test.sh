#!/usr/bin/env bash
# A Qt build that fails is never cached: windows.sh, with a cmake that
# configures nothing and fails to build, into a scratch cache, must fail,
# name the build's log and leave nothing in the cache but that log.
#   qt_cache_test.sh SOURCE_DIR
set -uo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/bin" && printf '#!/bin/sh\n[ "$1" != --build ]\n' >"$scratch/bin/cmake" && chmod +x "$scratch/bin/cmake"
PATH=$scratch/bin:$PATH POKAZ_CACHE=$scratch/cache bash "$1/scripts/windows.sh" >"$scratch/out" 2>&1
status=$? log=$scratch/cache/qt-windows.log
left=$(cd "$scratch/cache" && find . -mindepth 1 ! -name qt-windows.log)
((status != 0)) && [[ -z $left ]] && grep -q "^== build" "$log" && grep -qF "$log" "$scratch/out" ||
    { echo "FAIL: status $status, left in the cache: ${left:-nothing}"; cat "$scratch/out"; exit 1; }
echo "qt cache test: a failed build cached nothing"
