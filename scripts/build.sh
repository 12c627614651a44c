#!/usr/bin/env bash
# Configures and builds Terrascope into ./build (or $BUILD_DIR); $CMAKE_ARGS adds configure options.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
# shellcheck disable=SC2086  # CMAKE_ARGS holds several options
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
