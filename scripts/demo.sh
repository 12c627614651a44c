#!/usr/bin/env bash
# Builds Terrascope and writes the built-in synthetic survey into a work folder (./demo-work, or the
# folder given as the first argument), then lists what was generated.
set -euo pipefail
cd "$(dirname "$0")/.."
WORK_DIR=${1:-demo-work}
BUILD_DIR=${BUILD_DIR:-build}
scripts/setup-deps.sh
scripts/build.sh --target terrascope-cli
CLI="$BUILD_DIR/app/cli/terrascope-cli"
"$CLI" demo "$WORK_DIR"
# Process the recordings, export the tensor-processed station 3 as an EDI file and compute the line's depth section
# over a flat 100 m surface.
"$CLI" process "$WORK_DIR/demo.HMT"
"$CLI" export edi "$WORK_DIR/demo.HMT" --line 1 --station 3 --out "$WORK_DIR/line1-station3.edi"
printf '0 100\n1000 100\n' > "$WORK_DIR/line1-topography.dat"
"$CLI" section "$WORK_DIR/demo.HMT" --line 1 --topo "$WORK_DIR/line1-topography.dat" \
  --min-topo -2000 --out "$WORK_DIR/line1-section.dat"
echo
echo "Files in $WORK_DIR:"
find "$WORK_DIR" -type f -printf '%10s  %P\n' | sort -k2
