#!/usr/bin/env bash
# Installs what is missing and builds Pokaz as a web page in build-web/page/:
# the page, the program as WebAssembly, each also compressed, and a zip of the
# lot for a static web host; the tests in the browser come with it (the preset
# "web"). Qt for WebAssembly is built once (qt_cache.sh); that first build
# takes about 12 minutes on two cores.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/qt_cache.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}"

use_preset web
# The browser gives one thread; the page draws through WebGL, so OpenGL
# stays. No documents, movies or picture formats the program never reads, no
# table views. (Qt 6.4's widgets do not build without item views.)
QT_OPTIONS=("${QT_LEAN_OPTIONS[@]}" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DFEATURE_thread=OFF
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_tableview=OFF)
compiler=$(emcc -dumpversion)
qt_for web "emscripten $compiler" "${QT_OPTIONS[@]}"

build_with_qt web
ls -l build-web/page/index.html build-web/page/pokaz.wasm build-web/page/pokaz-web-*.zip
