#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the Debian package, and
# checks that both give a desktop program: the executable and its command
# line, a valid desktop entry and metainfo with release 2.00, the icon theme's
# icons (the window icon's, and the same drawn large at each SIZE), a manual
# page, a package that lintian passes and that names its runtime libraries
# (the end-to-end runs open the window).
#   install_test.sh BUILD_DIR ASSET_DIR SIZE...
set -euo pipefail
build=$1 assets=$2 scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@" >/dev/null 2>&1; then echo "ok: $what"; else fail "$what"; fi; }

app_id=org.pokaz.Pokaz prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/$app_id.desktop metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
check "desktop entry is valid" desktop-file-validate "$desktop"
# What a menu reads: a program called Pokaz, started without a terminal, with the window icon.
for entry in Type=Application Name=Pokaz Exec=pokaz "Icon=$app_id" Terminal=false; do
    check "desktop entry says $entry" grep -qx "$entry" "$desktop"
done
check "metainfo is valid" appstreamcli validate --no-net "$metainfo"
check "metainfo names release 2.00" grep -q '<release version="2.00"' "$metainfo"
# What a software centre reads: the entry it launches, the command it provides, the same name.
field() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo"; }
check "metainfo launches the installed desktop entry" test -f "$prefix/share/applications/$(field launchable)"
check "metainfo's command is installed" test -x "$prefix/bin/$(field binary)"
check "metainfo and desktop entry give one name" test "$(field name)" = "$(sed -n 's/^Name=//p' "$desktop")"
# The theme's icons: the window icon's two images, then the large ones, each a
# PNG of its size with some pixels drawn and some transparent.
theme=$prefix/share/icons/hicolor
for size in 16 32 "${@:3}"; do
    check "${size}x${size} icon is a ${size}x${size} PNG drawn on a transparent ground" test "$(convert \
        "$theme/${size}x${size}/apps/$app_id.png" -format '%m %wx%h %A ' -write info: -alpha extract \
        -format '%[fx:mean > 0 && mean < 1]' info:)" = "PNG ${size}x${size} True 1"
done
for frame in 0 1; do
    check "the window icon's image $frame is the theme's, pixel for pixel" test "$(compare -metric AE \
        "$theme/$((32 >> frame))x$((32 >> frame))/apps/$app_id.png" "$assets/Form_Pokaz.ico[$frame]" null: 2>&1)" = 0
done
check "the scalable icon is an SVG drawing" grep -q '<svg' "$theme/scalable/apps/$app_id.svg"

# The command line answers without a display.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$prefix/bin/pokaz" "$@"; }
check "--version after Qt's own options, without a display" \
    test "$(headless -platform offscreen -reverse --version)" = "Pokaz 2.00"
# --help and the manual page offer the same options, and each is accepted.
help_options=$(headless --help | grep -oE -- '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '-{1,2}[a-z-]+' | sort)
manual_options=$(zcat "$prefix/share/man/man1/pokaz.1.gz" | sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/{/^\.TP/{n;p}}' |
    sed 's/\\-/-/g' | grep -oE -- '-{1,2}[a-z-]+' | sort)
check "--help and the manual page offer the same options" test -n "$help_options" -a "$help_options" = "$manual_options"
for option in $manual_options; do
    check "$option is accepted" test -n "$(headless "$option")"
done
check "an unknown option is refused with status 2" test "$(headless --frobnicate 2>/dev/null; echo $?)" = 2

# The Debian package.
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/*.deb)
lintian --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 || fail "lintian: $(cat "$scratch/lintian")"
check "package version is 2.00" test "$(dpkg-deb -f "$deb" Version)" = 2.00
check "package pulls in Qt's widgets" grep -q libqt6widgets6 <<<"$(dpkg-deb -f "$deb" Depends)"
check "package recommends Qt's Wayland platform and GTK theme" test "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland, qt6-gtk-platformtheme"

echo "install test: $failures failed"
[ "$failures" = 0 ]
