#!/usr/bin/env bash
# Installs what is missing, builds Pokaz with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
