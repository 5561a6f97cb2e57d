#!/usr/bin/env bash
# Regenerates the 25 picture files in assets/ from their sources: renders the
# desk and mailbox scenes with POV-Ray, rasterises the cartoon, reads the icon
# drawings, and writes the bitmaps and icons with asset_maker. Also writes a
# contact sheet of every scene into build/pictures/ for review.
#
# Usage: bash tools/make_assets.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

readonly renders=build/pictures/renders
readonly sheet=build/pictures/contact_sheet.png
readonly maker=build/tools/asset_maker/asset_maker

ensure_packages "${BUILD_PACKAGES[@]}" povray povray-includes librsvg2-bin

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
echo "asset_maker: $((SECONDS - start)) s; total ${SECONDS} s"
echo "contact sheet: $sheet"
