#!/usr/bin/env bash
# Installs what is missing, builds Pokaz with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_preset linux linux
ctest --preset linux --parallel "$(nproc)"

# The program's tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
build_preset asan asan
ctest --preset asan --parallel "$(nproc)"

# The Windows program, cross-built and tested under Wine.
ensure_packages "${WINDOWS_TEST_PACKAGES[@]}"
bash scripts/windows.sh
ctest --preset windows

# The web page, built for the browser and tested in its three engines.
ensure_packages "${WEB_TEST_PACKAGES[@]}"
bash scripts/web.sh
ctest --preset web
