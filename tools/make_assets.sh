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
readonly man_width=227
readonly man_height=244

ensure_packages "${BUILD_PACKAGES[@]}" povray povray-includes librsvg2-bin

SECONDS=0
build_preset linux assets
echo "build: ${SECONDS} s"

mkdir -p "$renders"
start=$SECONDS
bash tools/povray/render_desk.sh "$renders"
bash tools/povray/render_mailbox.sh "$renders"
rsvg-convert --width "$man_width" --height "$man_height" --format png \
    --output "$renders/man.png" tools/art/man.svg
rsvg-convert --width $((man_width * 2)) --height $((man_height * 2)) --format png \
    --output "$renders/man_2x.png" tools/art/man.svg
echo "renders: $((SECONDS - start)) s"

start=$SECONDS
QT_QPA_PLATFORM=offscreen build/tools/asset_maker/asset_maker \
    --renders "$renders" --icons tools/icons --output assets \
    --contact-sheet "$sheet"
echo "asset_maker: $((SECONDS - start)) s; total ${SECONDS} s"
echo "contact sheet: $sheet"
