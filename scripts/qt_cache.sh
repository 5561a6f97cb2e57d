# Qt's base for another platform, built once by build_qt.sh from Debian's own
# source of the installed Qt, and kept outside the work tree in ~/.cache/pokaz
# (or $POKAZ_CACHE) under a key of every input of that build: the source
# version, the compiler, the options, the toolchain file and build_qt.sh
# itself, but their comments. A failed build caches nothing, and one run at a
# time builds or removes there. Sourced by the scripts that cross-build, after
# packages.sh, from the top of the work tree.

QT_CACHE=${POKAZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pokaz}

# What every cross-built Qt leaves out: Qt's base only, static and release,
# optimised for size, without the modules and features the program does not
# use (style sheets, rich text, dock widgets, date editing, gestures), and
# with the libraries Qt carries in place of the build machine's.
QT_LEAN_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_optimize_size=ON
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_style_stylesheet=OFF -DFEATURE_cssparser=OFF -DFEATURE_texthtmlparser=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF
    -DFEATURE_dockwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_datetimeparser=OFF
    -DFEATURE_gestures=OFF
)

# The deb-src entry through which apt fetches Qt's source; it goes again once
# the source is unpacked.
QT_SOURCE_ENTRY=/etc/apt/sources.list.d/pokaz-qt-source.sources

as_root() {
    if ((EUID == 0)); then "$@"; else sudo "$@"; fi
}

# True if apt knows the source of qt6-base VERSION.
qt_source_known() {
    local versions
    versions=$(apt-cache showsrc qt6-base 2>/dev/null) || true
    grep -qx "Version: $1" <<<"$versions"
}

# The deb-src entry of the repository that apt says the installed Qt came
# from, unless apt knows that source already.
enable_qt_source() {
    local version=$1 policy origin uri where
    qt_source_known "$version" && return
    policy=$(apt-cache policy qt6-base-dev)
    origin=$(awk '/^ \*\*\* / { mine = 1; next } mine && $2 ~ /:\/\// { print $2, $3; exit }' <<<"$policy")
    read -r uri where <<<"$origin"
    if [[ -z $uri || $where != */* ]]; then
        echo "apt names no repository for the installed qt6-base-dev $version, so its source cannot be fetched" >&2
        return 1
    fi
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: %s\n' \
        "$uri" "${where%%/*}" "${where#*/}" /usr/share/keyrings/debian-archive-keyring.gpg |
        as_root tee "$QT_SOURCE_ENTRY" >/dev/null
    as_root apt-get update -qq
    if ! qt_source_known "$version"; then
        echo "$uri $where has no source of qt6-base $version, the installed Qt; upgrade qt6-base-dev" >&2
        return 1
    fi
}

# use_preset PRESET: exports the environment of the configure preset PRESET
# (CMakePresets.json) and sets QT_TOOLCHAIN to its platform's toolchain file,
# so that Qt is built for the platform as the program is.
use_preset() {
    local facts
    facts=$(python3 - "$1" "$PWD" <<'PYTHON'
import json, shlex, sys
name, top = sys.argv[1:]
with open("CMakePresets.json") as file:
    presets = {p["name"]: p for p in json.load(file)["configurePresets"]}

def merged(name, key):  # a preset's own values over those it inherits
    preset, values = presets[name], {}
    parents = preset.get("inherits", [])
    for parent in reversed([parents] if isinstance(parents, str) else parents):
        values.update(merged(parent, key))
    return values | preset.get(key, {})

def say(value):
    return shlex.quote(value.replace("${sourceDir}", top))

for key, value in merged(name, "environment").items():
    print(f"export {key}={say(value)}")
print(f"QT_TOOLCHAIN={say(merged(name, 'cacheVariables')['QT_CHAINLOAD_TOOLCHAIN_FILE'])}")
PYTHON
    )
    eval "$facts"
}

# qt_for PLATFORM COMPILER_VERSION [QT_OPTION...]: sets QT_PREFIX to the
# folder of Qt for PLATFORM, building it first with QT_TOOLCHAIN and the
# platform's patches (qt-patches/PLATFORM/) when the cache has none for these
# inputs; a new build takes the place of the platform's older ones.
qt_for() {
    local platform=$1 compiler=$2
    shift 2
    local version key here patches lock
    version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    here=$(dirname "${BASH_SOURCE[0]}")
    patches=$here/qt-patches/$platform
    # Comments and the options' order change no build.
    key=$( (echo "$version" "$compiler"; printf '%s\n' "$@" | LC_ALL=C sort; grep -hv '^[[:space:]]*#' "$QT_TOOLCHAIN" "$here/build_qt.sh"
        find "$patches" -name '*.patch' -exec cat {} + 2>/dev/null || true) | sha256sum | cut -c1-12)
    QT_PREFIX=$QT_CACHE/qt-${version%%+*}-$platform-$key
    mkdir -p "$QT_CACHE"
    # A run that builds in the cache or clears it is waited for.
    exec {lock}>"$QT_CACHE/lock"
    flock "$lock"
    [[ -f $QT_PREFIX/complete ]] || build_qt "$platform" "$version" "$here" "$patches" "$@"
    exec {lock}>&-
}

# build_qt PLATFORM VERSION SCRIPT_DIR PATCH_DIR [QT_OPTION...]: qt_for's build, under its lock.
build_qt() {
    local platform=$1 version=$2 here=$3 patches=$4 log=$QT_CACHE/qt-$1.log status
    shift 4
    enable_qt_source "$version" || return
    # Left by a build that was killed: a partial install and whole build trees.
    rm -rf "$QT_PREFIX" "$QT_PREFIX".work.*
    echo "Building Qt $version for $platform into $QT_PREFIX (once; its log: $log)" >&2
    bash "$here/build_qt.sh" "$version" "$QT_TOOLCHAIN" "$QT_PREFIX" "$patches" "$@" >"$log" 2>&1 && status=0 || status=$?
    [[ ! -f $QT_SOURCE_ENTRY ]] || as_root rm -f "$QT_SOURCE_ENTRY"
    if ((status != 0)); then
        rm -rf "$QT_PREFIX"
        echo "Qt for $platform failed to build, and nothing was cached; the end of its log, $log:" >&2
        tail -n 20 "$log" >&2
        return 1
    fi
    find "$QT_CACHE" -mindepth 1 -maxdepth 1 -name "qt-*-$platform-*" ! -path "$QT_PREFIX" -exec rm -rf {} +
}

# build_with_qt PRESET: the program built in the tree of the configure and
# build presets PRESET, build-PRESET/, against the Qt of QT_PREFIX, with the
# steps that tools/build_cache.py keeps in the cache beside it. A tree
# configured against another Qt, such as one a changed key replaced, starts
# afresh: its compiler checks and Qt's packages were found there.
build_with_qt() {
    local preset=$1 cached
    cached=$(cat "build-$preset/CMakeCache.txt" 2>/dev/null) || true
    [[ -z $cached ]] || grep -qxF "POKAZ_QT_PREFIX:PATH=$QT_PREFIX" <<<"$cached" || rm -rf "build-$preset"
    build_preset "$preset" "$preset" -DPOKAZ_QT_PREFIX:PATH="$QT_PREFIX" -DPOKAZ_BUILD_CACHE:PATH="$QT_CACHE/builds"
}
