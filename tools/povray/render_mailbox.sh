#!/bin/bash
# Renders the two mailbox pictures of the street scene from mailbox.pov:
#   OUTDIR/mailbox.png       flap closed (the mailbox background picture)
#   OUTDIR/mailbox_open.png  flap swung up (the open-slot picture is cut
#                            from it at 75,64 105x57)
#   OUTDIR/mailbox_2x.png, OUTDIR/mailbox_open_2x.png  the same at twice the
#                            size, 430 x 474, for screens scaled above 100 %
# Both come from the same scene, only FlapOpen differs, so everything outside
# the slot is identical in the two files. Antialiasing uses a fixed, unjittered
# sample grid so repeated runs give the same pixels.
#
# Usage: render_mailbox.sh OUTDIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi

readonly out_dir=$1
readonly script_dir=$(cd "$(dirname "$0")" && pwd)
readonly width=215
readonly height=237
readonly font_dir=/usr/share/fonts/truetype/dejavu
readonly font_file=$font_dir/DejaVuSans-Bold.ttf

install_missing() {
    local packages=()
    command -v povray >/dev/null || packages+=(povray)
    [[ -f $font_file ]] || packages+=(fonts-dejavu-core)
    if [[ ${#packages[@]} -gt 0 ]]; then
        apt-get install -y "${packages[@]}" ||
            { apt-get update && apt-get install -y "${packages[@]}"; }
    fi
}

# render FLAP_OPEN OUTPUT_FILE SCALE
render() {
    local log
    log=$(mktemp)
    # +AM2 with threshold 0 samples every pixel on the same 5x5 grid; -J
    # turns jitter off. Without this, adaptive antialiasing would depend on
    # neighbouring pixels and the two renders could differ around the slot.
    if ! (cd "$script_dir" && povray -D +I"mailbox.pov" +O"$2" \
            +W$((width * $3)) +H$((height * $3)) +FN8 +A0.0 +AM2 +R3 -J \
            Declare=FlapOpen="$1" +L"$font_dir" >"$log" 2>&1); then
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

install_missing
mkdir -p "$out_dir"
out_abs=$(cd "$out_dir" && pwd)

for scale in 1 2; do
    suffix=$([[ $scale == 1 ]] || echo "_${scale}x")
    render 0 "$out_abs/mailbox$suffix.png" "$scale" &
    closed_pid=$!
    render 1 "$out_abs/mailbox_open$suffix.png" "$scale" &
    open_pid=$!
    wait "$closed_pid"
    wait "$open_pid"
done
