#!/usr/bin/env bash
# Regenerates the 25 picture files in assets/ from their sources: renders the
# desk and mailbox scenes with POV-Ray, rasterises the cartoon, reads the icon
# drawings, and writes the bitmaps and icons with asset_maker. Also writes a
# contact sheet of every scene into build/pictures/ for review, and the window
# icon drawn large, as PNG files in their folder of assets/.
#
# Usage: bash tools/make_assets.sh [--app-icons]
#   --app-icons: only the large icons, which need neither the build nor POV-Ray.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

readonly renders=build/pictures/renders
readonly sheet=build/pictures/contact_sheet.png
readonly maker=build/tools/asset_maker/asset_maker

# Each large icon as "SIZE FILE DRAWING", from the manifest's appIcons.
readonly list_app_icons='
import json, os
with open("assets/manifest.json") as manifest:
    icons = json.load(manifest)["appIcons"]
drawing = os.path.normpath(os.path.join("assets", icons["drawing"]))
for size in icons["sizes"]:
    print(size, os.path.join("assets", icons["folder"], icons["file"].replace("{size}", str(size))), drawing)
'

# Rasterised afresh at each size, with none left over from an earlier list,
# and recompressed losslessly: optipng keeps every pixel.
make_app_icons() {
    local listing size file drawing
    listing=$(python3 -c "$list_app_icons")
    read -r _ file _ <<<"$listing"
    mkdir -p "$(dirname "$file")"
    rm -f "$(dirname "$file")"/*.png
    while read -r size file drawing; do
        rsvg-convert --width "$size" --height "$size" --format png --output "$file" "$drawing"
        optipng -quiet -o7 -strip all "$file"
    done <<<"$listing"
}

readonly icon_packages=(librsvg2-bin optipng python3)
if [ "${1:-}" = --app-icons ]; then
    ensure_packages "${icon_packages[@]}"
    make_app_icons
    exit
fi
ensure_packages "${BUILD_PACKAGES[@]}" povray povray-includes "${icon_packages[@]}"

SECONDS=0
build_preset linux assets
echo "build: ${SECONDS} s"

# The cartoon at each size asset_maker will read it at.
rasterise_man() {
    local name=$1 size width height
    size=$(QT_QPA_PLATFORM=offscreen "$maker" --render-size "$name")
    read -r width height <<<"$size"
    rsvg-convert --width "$width" --height "$height" --format png --output "$renders/$name" tools/art/man.svg
}

mkdir -p "$renders"
start=$SECONDS
bash tools/povray/render_desk.sh "$renders"
bash tools/povray/render_mailbox.sh "$renders"
rasterise_man man.png
rasterise_man man_2x.png
echo "renders: $((SECONDS - start)) s"

start=$SECONDS
QT_QPA_PLATFORM=offscreen "$maker" \
    --renders "$renders" --icons tools/icons --output assets \
    --contact-sheet "$sheet"
make_app_icons
echo "asset_maker and the large icons: $((SECONDS - start)) s; total ${SECONDS} s"
echo "contact sheet: $sheet"
