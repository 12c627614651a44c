#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --timeout 900
