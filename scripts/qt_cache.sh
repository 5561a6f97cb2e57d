# Qt's base for another platform, built once by build_qt.sh from Debian's own
# source of the installed Qt, and kept outside the work tree in ~/.cache/pokaz
# (or $POKAZ_CACHE) under a key of every input of that build: the source
# version, the compiler, the options, the toolchain file and build_qt.sh
# itself, but their comments. A failed build caches nothing. Sourced by the scripts that
# cross-build, after packages.sh.

QT_CACHE=${POKAZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pokaz}

# What every cross-built Qt leaves out: Qt's base only, static and release,
# without the modules the program does not use, and with the libraries Qt
# carries in place of the build machine's.
QT_LEAN_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF
)

as_root() {
    if ((EUID == 0)); then "$@"; else sudo "$@"; fi
}

# The deb-src entry of the repository that apt says the installed Qt came
# from, unless apt knows that source already.
enable_qt_source() {
    local version=$1 origin uri where
    apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version" && return
    origin=$(apt-cache policy qt6-base-dev | awk '/^ \*\*\* / { mine = 1; next } mine && $2 ~ /:\/\// { print $2, $3; exit }')
    read -r uri where <<<"$origin"
    if [[ -z $uri || $where != */* ]]; then
        echo "apt names no repository for the installed qt6-base-dev $version, so its source cannot be fetched" >&2
        return 1
    fi
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: %s\n' \
        "$uri" "${where%%/*}" "${where#*/}" /usr/share/keyrings/debian-archive-keyring.gpg |
        as_root tee /etc/apt/sources.list.d/pokaz-source.sources >/dev/null
    as_root apt-get update -qq
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"; then
        echo "$uri $where has no source of qt6-base $version, the installed Qt; upgrade qt6-base-dev" >&2
        return 1
    fi
}

# qt_for PLATFORM TOOLCHAIN_FILE COMPILER_VERSION [QT_OPTION...]: sets QT_PREFIX
# to the folder of Qt for PLATFORM, building it first when the cache has none
# for these inputs; a new build takes the place of the platform's older ones.
qt_for() {
    local platform=$1 toolchain=$2 compiler=$3
    shift 3
    local version key here log
    version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    here=$(dirname "${BASH_SOURCE[0]}")
    # Comments and the options' order change no build.
    key=$( (echo "$version" "$compiler"; printf '%s\n' "$@" | LC_ALL=C sort; grep -hv '^[[:space:]]*#' "$toolchain" "$here/build_qt.sh") |
        sha256sum | cut -c1-12)
    QT_PREFIX=$QT_CACHE/qt-${version%%+*}-$platform-$key
    [[ -f $QT_PREFIX/complete ]] && return
    enable_qt_source "$version"
    mkdir -p "$QT_CACHE"
    log=$QT_CACHE/qt-$platform.log
    # Left by a build that was killed: a partial install and whole build trees.
    rm -rf "$QT_PREFIX" "$QT_PREFIX".work.*
    echo "Building Qt $version for $platform into $QT_PREFIX (once; its log: $log)" >&2
    if ! bash "$here/build_qt.sh" "$version" "$toolchain" "$QT_PREFIX" "$@" >"$log" 2>&1; then
        rm -rf "$QT_PREFIX"
        echo "Qt for $platform failed to build, and nothing was cached; the end of its log, $log:" >&2
        tail -n 20 "$log" >&2
        return 1
    fi
    find "$QT_CACHE" -mindepth 1 -maxdepth 1 -name "qt-*-$platform-*" ! -path "$QT_PREFIX" -exec rm -rf {} +
}

# build_with_qt FOLDER TOOLCHAIN_FILE [CMAKE_OPTION...]: the program built in
# FOLDER against the Qt of QT_PREFIX, with TOOLCHAIN_FILE under Qt's own. A
# folder configured against another Qt, such as one a changed key replaced,
# starts afresh: the toolchain it was first configured with stays in its
# CMakeSystem.cmake.
build_with_qt() {
    local folder=$1 toolchain=$2
    shift 2
    [[ ! -f $folder/CMakeCache.txt ]] || grep -qs "$QT_PREFIX/" "$folder"/CMakeFiles/*/CMakeSystem.cmake || rm -rf "$folder"
    cmake -G Ninja -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
        "$@" >/dev/null
    cmake --build "$folder" --parallel "$(nproc)"
}
