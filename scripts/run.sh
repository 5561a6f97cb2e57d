#!/usr/bin/env bash
# Installs what is missing, builds Pokaz and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
build_preset linux program
exec build/app/pokaz
