# Debian packages the project needs, a function that installs the missing ones
# and one that builds a preset's tree. Sourced by every script that builds;
# quick when everything is there.

BUILD_PACKAGES=(cmake g++ ninja-build ccache qt6-base-dev fonts-wine)
# Cross-building for Windows, and running what it built under Wine.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix perl dpkg-dev nsis python3)
WINDOWS_TEST_PACKAGES=(wine64 python3-pefile)
# Building the web page with Debian's Emscripten, and trying it in Chromium,
# Firefox and WebKitGTK: Firefox draws WebGL through Mesa's EGL and software
# renderer, which it loads only when it runs; WebKit's MiniBrowser runs on an
# Xvfb, where xdotool gives the right-click its driver cannot.
WEB_PACKAGES=(emscripten binaryen node-acorn brotli perl dpkg-dev python3)
WEB_TEST_PACKAGES=(chromium firefox-esr libegl1 libgl1-mesa-dri webkit2gtk-driver xvfb xdotool python3-websocket python3-pil)
TEST_PACKAGES=(xvfb xdotool imagemagick strace valgrind desktop-file-utils appstream dpkg-dev file lintian openbox x11-utils dbus at-spi2-core python3-pyatspi python3-pil python3-xlib
    sway grim wayvnc qt6-wayland xwayland x11-xserver-utils)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=()
        ((EUID == 0)) || sudo=(sudo)
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# build_preset CONFIGURE BUILD [CMAKE_OPTION...]: configures the tree of the
# configure preset CONFIGURE (CMakePresets.json) and builds the build preset BUILD.
build_preset() {
    local configure=$1 build=$2
    shift 2
    cmake --preset "$configure" "$@" >/dev/null
    cmake --build --preset "$build"
}
