#!/usr/bin/env bash
# Installs what is missing, builds Pokaz and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build --target pokaz
exec build/app/pokaz
