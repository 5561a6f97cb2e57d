#!/usr/bin/env bash
# Builds Qt's base for another platform from Debian's source of one version of
# Debian's Qt, against the host tools of the installed Qt, and installs it into
# PREFIX, together with the licences of Qt and of the code it carries. The
# patches of PATCH_DIR, if any, go into the source first. Writes
# PREFIX/complete as its very last step; any failing step ends it at once,
# and whatever happens its work folder goes.
#   bash scripts/build_qt.sh VERSION TOOLCHAIN_FILE PREFIX PATCH_DIR [QT_OPTION...]
# Run as a process of its own, so that no caller's `||` or `$(...)` can turn
# off its errexit.
set -euo pipefail
shopt -s inherit_errexit
version=$1 toolchain=$2 prefix=$3 patches=$(realpath -m "$4")
shift 4
shopt -s nullglob

# The code Qt carries, each under a licence of its own that goes beside a
# program linked with it.
bundled=(double-conversion easing freetype harfbuzz-ng libpng md4c pcre2 zlib tinycbor blake2 sha3 rfc6234)

work=$(mktemp -d "$prefix.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
cd "$work"
echo "== source qt6-base $version"
apt-get source --download-only "qt6-base=$version"
dpkg-source --no-check -x qt6-base_*.dsc src >/dev/null
for patch in "$patches"/*.patch; do
    echo "== patch $(basename "$patch")"
    patch -d src -p1 --forward --batch <"$patch"
done
echo "== configure"
cmake -G Ninja -S src -B build "$@" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
echo "== build"
cmake --build build --parallel "$(nproc)"
echo "== install"
rm -rf "$prefix"
cmake --install build
mkdir -p "$prefix/licences"
cp src/LICENSES/LGPL-3.0-only.txt "$prefix/licences/"
for lib in "${bundled[@]}"; do
    mkdir -p "$prefix/licences/$lib"
    find "src/src/3rdparty/$lib" -maxdepth 1 -type f \( -iname '*licen*' -o -iname '*copying*' \) \
        -exec cp {} "$prefix/licences/$lib/" \;
    [[ -n $(ls "$prefix/licences/$lib") ]] || { echo "no licence found for $lib" >&2; exit 1; }
done
touch "$prefix/complete"
