#!/usr/bin/env bash
# Installs what is missing, builds Pokaz with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build -DBUILD_TESTING=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

# The same tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DPOKAZ_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"

# The Windows program, cross-built and tested under Wine.
ensure_packages "${WINDOWS_TEST_PACKAGES[@]}"
bash scripts/windows.sh -DBUILD_TESTING=ON
ctest --test-dir build-windows --output-on-failure

# The web page, built for the browser and tested in a headless Chromium.
ensure_packages "${WEB_TEST_PACKAGES[@]}"
bash scripts/web.sh -DBUILD_TESTING=ON
ctest --test-dir build-web --output-on-failure
