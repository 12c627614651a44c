#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite headless.
#   scripts/test.sh              the normal build in build/ (or $BUILD_DIR)
#   scripts/test.sh --sanitize   a second tree, build-sanitize/ (or $BUILD_DIR), built with
#                                AddressSanitizer and UndefinedBehaviorSanitizer, without the
#                                benchmarks; every suite runs there and the first report fails it
set -euo pipefail
cd "$(dirname "$0")/.."
timeout=900
if [ "${1:-}" = "--sanitize" ]; then
  export BUILD_DIR=${BUILD_DIR:-build-sanitize}
  export CMAKE_ARGS="-DTERRASCOPE_SANITIZE=ON -DTERRASCOPE_BUILD_BENCH=OFF ${CMAKE_ARGS:-}"
  timeout=2700
elif [ -n "${1:-}" ]; then
  echo "usage: scripts/test.sh [--sanitize]" >&2
  exit 2
fi
scripts/setup-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --parallel 2 --timeout "$timeout"
