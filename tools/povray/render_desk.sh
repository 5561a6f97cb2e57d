#!/usr/bin/env bash
# Renders the desk pictures of Pokaz from desk.pov into OUTDIR:
#   desk.png                       all drawers closed, empty desk top
#   desk_drawer1.png..desk_drawer5.png   one drawer pulled out
#   desk_paper_blank.png, desk_paper_written.png   sheet on the desk top
#   desk_pencils.png               pen holder on the back of the desk top
# Every file is the full 640 x 478 canvas. The variants are rendered only
# around the rectangle the program cuts out of them and pasted over
# desk.png, so outside that rectangle they are desk.png exactly. Beside each
# one, NAME_2x.png: the same picture at 1280 x 956, the render before it is
# halved, with its variant pasted over desk_2x.png the same way.
#
# Antialiasing: each picture is rendered at twice the size without POV-Ray's
# adaptive antialiasing and scaled down by averaging 2 x 2 blocks, so every
# pixel depends only on its own rays and the variants match desk.png
# wherever the scene is unchanged.
#
# Usage: render_desk.sh OUTDIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi

readonly SRC_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$1"
readonly OUT_DIR="$(cd "$1" && pwd)"
readonly FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
readonly POV_INCLUDE=/usr/share/povray-3.7/include
readonly W=640 H=478 SS=2

# Tools: POV-Ray, the DejaVu font for the drawer labels, ImageMagick.
missing=()
command -v povray >/dev/null || missing+=(povray)
[[ -f "$FONT" ]] || missing+=(fonts-dejavu-core)
command -v convert >/dev/null || missing+=(imagemagick)
if ((${#missing[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

# Debian's POV-Ray only reads and writes below the current directory, /tmp
# and its own include folder, so the scene and the font are copied into a
# private working folder under /tmp and rendered from there.
WORK="$(mktemp -d /tmp/render_desk.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
cp "$SRC_DIR"/desk*.pov "$SRC_DIR"/desk*.inc "$FONT" "$WORK"/
cd "$WORK"

# povray_render SCENE OUT.png WIDTH HEIGHT [extra options...]
povray_render() {
  local scene=$1 out=$2 width=$3 height=$4
  shift 4
  if ! povray +I"$scene" +O"$out" +W"$width" +H"$height" +L"$POV_INCLUDE" \
      +FN8 -A -J -D -V -P +WT2 "$@" >"$out.log" 2>&1; then
    tail -n 30 "$out.log" >&2
    echo "render_desk.sh: POV-Ray failed on $scene $*" >&2
    exit 1
  fi
}

# Halve a supersampled render by averaging 2 x 2 blocks.
downscale() {
  convert "$1" -scale "$W"x"$H"\! -depth 8 PNG24:"$2"
}

povray_render desk_photo.pov desk_photo.png 400 420 +A0.05 +AM2 +R3

povray_render desk.pov desk_2x.png $((W * SS)) $((H * SS))
downscale desk_2x.png desk.png

# variant NAME "X Y WIDTH HEIGHT" Declare=... : render the rectangle (with a
# small margin) and paste exactly the rectangle over desk.png.
variant() {
  local name=$1 rect=$2
  shift 2
  local x y w h
  read -r x y w h <<<"$rect"
  local margin=2
  local x0=$(( x - margin < 0 ? 0 : x - margin ))
  local y0=$(( y - margin < 0 ? 0 : y - margin ))
  local x1=$(( x + w + margin > W ? W : x + w + margin ))
  local y1=$(( y + h + margin > H ? H : y + h + margin ))
  povray_render desk.pov "$name"_full.png $((W * SS)) $((H * SS)) \
    +SC$((x0 * SS + 1)) +EC$((x1 * SS)) +SR$((y0 * SS + 1)) +ER$((y1 * SS)) "$@"
  downscale "$name"_full.png "$name"_half.png
  convert desk.png \( "$name"_half.png -crop "${w}x${h}+${x}+${y}" +repage \) \
    -geometry "+${x}+${y}" -composite -depth 8 PNG24:"$name".png
  convert desk_2x.png \( "$name"_full.png \
    -crop "$((w * SS))x$((h * SS))+$((x * SS))+$((y * SS))" +repage \) \
    -geometry "+$((x * SS))+$((y * SS))" -composite -depth 8 PNG24:"$name"_2x.png
}

variant desk_drawer1        "0 228 204 138"   Declare=OpenDrawer=1
variant desk_drawer2        "0 284 207 111"   Declare=OpenDrawer=2
variant desk_drawer3        "0 339 209 138"   Declare=OpenDrawer=3
variant desk_drawer4        "193 217 254 166" Declare=OpenDrawer=4
variant desk_drawer5        "415 229 225 110" Declare=OpenDrawer=5
variant desk_paper_blank    "271 168 98 32"   Declare=Paper=1
variant desk_paper_written  "271 168 98 32"   Declare=Paper=2
variant desk_pencils        "437 104 43 68"   Declare=Pencils=1

for f in desk desk_drawer{1..5} desk_paper_blank desk_paper_written desk_pencils; do
  cp "$f.png" "$f"_2x.png "$OUT_DIR"/
done
echo "render_desk.sh: wrote 9 pictures and their 2x pictures to $OUT_DIR"
