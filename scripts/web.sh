#!/usr/bin/env bash
# Installs what is missing and builds Pokaz as a web page in build-web/: the
# page, the program as WebAssembly, each also compressed, and a zip of the lot
# for a static web host. Qt for WebAssembly is built once (qt_cache.sh); that
# first build takes about half an hour on two cores.
#   bash scripts/web.sh [CMAKE_OPTION...]
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/qt_cache.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WEB_PACKAGES[@]}"

# Qt finds Emscripten through an SDK's layout, which Debian's package does not
# have: $EMSDK/.emscripten names the root under $EMSDK that holds emcc.
export EMSDK=$QT_CACHE/emsdk
mkdir -p "$EMSDK/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$EMSDK/.emscripten"
ln -sf /usr/bin/emcc "$EMSDK/upstream/emscripten/emcc"
# Emscripten's optimiser loads Debian's acorn, wherever the node it runs is from.
export NODE_PATH=/usr/share/nodejs

toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
# The browser gives one thread; the page draws through WebGL, so OpenGL
# stays. No documents, movies or picture formats the program never reads.
# (Qt 6.4's widgets do not build without item views.)
QT_OPTIONS=("${QT_LEAN_OPTIONS[@]}" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DFEATURE_thread=OFF
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF)
compiler=$(emcc -dumpversion)
qt_for web "$toolchain" "emscripten $compiler" "${QT_OPTIONS[@]}"

# CMake options pass on: -DBUILD_TESTING=ON adds the tests in the browser.
build_with_qt build-web "$toolchain" "$@"
ls -l build-web/index.html build-web/pokaz.wasm build-web/pokaz-web-*.zip
