#!/usr/bin/env bash
# Builds Terrascope and writes the built-in synthetic survey into a work folder (./demo-work, or the
# folder given as the first argument), then lists what was generated.
set -euo pipefail
cd "$(dirname "$0")/.."
WORK_DIR=${1:-demo-work}
BUILD_DIR=${BUILD_DIR:-build}
scripts/setup-deps.sh
scripts/build.sh --target terrascope-cli
"$BUILD_DIR/app/cli/terrascope-cli" demo "$WORK_DIR"
echo
echo "Files in $WORK_DIR:"
find "$WORK_DIR" -type f -printf '%10s  %P\n' | sort -k2
