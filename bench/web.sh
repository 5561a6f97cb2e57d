#!/usr/bin/env bash
# Builds the page and a bare Qt window's page the same way (scripts/web.sh and
# the build preset web-bench) and prints their figures in a headless Chromium
# (web_bench.py, with the end-to-end tests' browser session and learner). It
# never fails because a figure is poor.
#   bash bench/web.sh [RUNS] [EXERCISES]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${WEB_TEST_PACKAGES[@]}"
bash scripts/web.sh >/dev/null
cmake --build --preset web-bench >/dev/null
PYTHONPATH=tests/e2e /usr/bin/python3 -B bench/web_bench.py build-web "${1:-10}" "${2:-100}"
