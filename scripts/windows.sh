#!/usr/bin/env bash
# Installs what is missing and cross-builds Pokaz for 64-bit Windows: pokaz.exe,
# the setup program, a portable zip and the tests under Wine, in build-windows/
# (the preset "windows"). Qt for Windows is built once (qt_cache.sh); that
# first build takes about 20 minutes on two cores.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/qt_cache.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

use_preset windows
# Tablet events need wintab, which Debian's source leaves out; OpenGL goes as
# an input, since turning off its feature breaks the platform plugin. No
# graphics view, nor the MIME database (only the browser's drag code wants
# it). Table views stay, since Qt 6.4's Vista style casts to them unguarded;
# Direct2D too: without it Qt leaves out the DirectWrite font database that
# its Windows platform plugin still calls for.
QT_OPTIONS=("${QT_LEAN_OPTIONS[@]}" -DFEATURE_static_runtime=ON -DINPUT_opengl=no -DFEATURE_tabletevent=OFF
    -DFEATURE_graphicsview=OFF -DFEATURE_mimetype=OFF)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
qt_for windows "mingw-w64 $compiler" "${QT_OPTIONS[@]}"

build_with_qt windows
ls -l build-windows/pokaz.exe build-windows/Pokaz-*
