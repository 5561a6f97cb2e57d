#!/usr/bin/env bash
# Installs what is missing and cross-builds Pokaz for 64-bit Windows: pokaz.exe,
# the setup program and a portable zip, in build-windows/. Qt for Windows is
# built once from Debian's own source of Debian's Qt and kept in a cache
# outside the work tree, ~/.cache/pokaz (or $POKAZ_CACHE), reused while its
# inputs stay the same; that first build takes about 20 minutes on two cores.
#   bash scripts/windows.sh [CMAKE_OPTION...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
sudo=()
((EUID == 0)) || sudo=(sudo)
cache_root=${POKAZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pokaz}

# Qt's base only, static, without what the program does not use. Tablet
# events need wintab, which Debian's source leaves out; OpenGL goes as an
# input, since turning off its feature breaks the platform plugin.
QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DINPUT_opengl=no -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF
)

# Debian's source packages, from the same mirror and suite as its binary ones.
enable_source_packages() {
    apt-cache showsrc qt6-base >/dev/null 2>&1 && return
    local sources=/etc/apt/sources.list.d/debian.sources
    local uris suite
    uris=$(awk '/^URIs:/ { print $2; exit }' "$sources")
    suite=$(awk '/^Suites:/ { print $2; exit }' "$sources")
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$uris" "$suite" | "${sudo[@]}" tee /etc/apt/sources.list.d/pokaz-source.sources >/dev/null
    "${sudo[@]}" apt-get update -qq
}

# Prints the folder of Qt for Windows, building it first when the cache has
# none for these inputs: Qt's source version, the cross compiler and the options.
qt_for_windows() {
    enable_source_packages
    local version key prefix work
    version=$(apt-cache showsrc qt6-base | awk '/^Version:/ { print $2; exit }')
    key=$( (echo "$version"; x86_64-w64-mingw32-g++-posix -dumpfullversion; printf '%s\n' "${QT_OPTIONS[@]}") \
        | sha256sum | cut -c1-12)
    prefix=$cache_root/qt-${version%%+*}-windows-$key
    if [[ -f $prefix/complete ]]; then
        echo "$prefix"
        return
    fi
    echo "Building Qt $version for Windows into $prefix (once)" >&2
    mkdir -p "$cache_root"
    work=$(mktemp -d "$cache_root/work.XXXXXX")
    (
        cd "$work"
        apt-get source --download-only qt6-base >/dev/null
        dpkg-source --no-check -x qt6-base_*.dsc src >/dev/null
        cmake -G Ninja -S src -B build "${QT_OPTIONS[@]}" \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >build.log
        cmake --build build --parallel "$(nproc)" >>build.log
        rm -rf "$prefix"
        cmake --install build >>build.log
        # The licences of Qt and of the code it carries, for the program's notice.
        mkdir -p "$prefix/licences"
        cp src/LICENSES/LGPL-3.0-only.txt "$prefix/licences/"
        for lib in double-conversion easing freetype harfbuzz-ng libpng md4c pcre2 zlib tinycbor blake2 sha3 rfc6234; do
            mkdir -p "$prefix/licences/$lib"
            find "src/src/3rdparty/$lib" -maxdepth 1 -type f \( -iname '*licen*' -o -iname '*copying*' \) \
                -exec cp {} "$prefix/licences/$lib/" \;
        done
    ) >&2 || { echo "Qt for Windows failed to build; its log is in $work/build.log" >&2; return 1; }
    touch "$prefix/complete"
    rm -rf "$work"
    echo "$prefix"
}

qt=$(qt_for_windows)
# CMake options pass on: -DBUILD_TESTING=ON adds the tests under Wine.
cmake -G Ninja -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    "$@" >/dev/null
cmake --build build-windows --parallel "$(nproc)"
ls -l build-windows/pokaz.exe build-windows/Pokaz-*
