#!/usr/bin/env bash
# Builds the decoders' fuzz target with clang and runs it from the 25 pictures
# as its seed corpus.   bash tests/fuzz/run.sh [RUNS]   (default 10,000,000)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev
build_preset fuzz fuzz
corpus=build-fuzz/corpus
mkdir -p "$corpus"
cp assets/*.bmp assets/*.ico "$corpus/"
# Inputs up to 4 KiB: whole icons, and bitmaps whose headers say any size.
build-fuzz/tests/fuzz/picture_file_fuzz -runs="${1:-10000000}" -max_len=4096 -artifact_prefix=build-fuzz/ \
    -print_final_stats=1 "$corpus"
