#!/usr/bin/env bash
# The main job on the built-in synthetic survey: installs what is missing, builds the command-line
# program, writes the demo work folder (./demo-work, or the folder given as the first argument),
# processes every recording in scalar mode and again in tensor mode, exports station 3 as an EDI
# file and the line's depth section, prints how far each station's recovered curves lie from the
# synthetic earth models, runs the line through the two stand-in 2-D inversion programs, and draws
# every station's curves and the three sections as PNG images in the work folder's plots/.
set -euo pipefail
cd "$(dirname "$0")/.."
WORK_DIR=${1:-demo-work}
BUILD_DIR=${BUILD_DIR:-build}
start=$(date +%s)

scripts/setup-deps.sh
scripts/build.sh --target terrascope-cli inversion_nlcg inversion_nlls
CLI="$(cd "$BUILD_DIR/app/cli" && pwd)/terrascope-cli"

# A folder left by an earlier run of this script is replaced; any other existing project is kept.
if [ -e "$WORK_DIR/demo.HMT" ]; then
  if [ -e "$WORK_DIR/demo-model.txt" ]; then
    rm -rf "$WORK_DIR"
  else
    echo "demo: $WORK_DIR holds a project that this script did not write; name another folder" >&2
    exit 1
  fi
fi
PROJECT="$WORK_DIR/demo.HMT"

echo
echo "== Writing the demo work folder"
"$CLI" demo "$WORK_DIR"

echo
echo "== Scalar processing: plain estimator, segments of 16384 samples, 30 segments per recording"
"$CLI" process "$PROJECT"

echo
echo "== Tensor processing of every recording with Ex, Ey, Hx and Hy"
"$CLI" process "$PROJECT" --mode tensor

echo
echo "== Station 1: its stored curves (terrascope-cli curve), every sixth row"
"$CLI" curve "$PROJECT" --line 1 --station 1 | awk 'NR == 1 || NR % 6 == 0'
echo "== Station 3: its tensor results (terrascope-cli curve --tensor), every sixth row"
"$CLI" curve "$PROJECT" --line 1 --station 3 --tensor | awk 'NR == 1 || NR % 6 == 0'

echo
echo "== Exports: station 3 as an EDI file; the line's depth section over a flat 100 m surface"
"$CLI" export edi "$PROJECT" --line 1 --station 3 --out "$WORK_DIR/line1-station3.edi"
printf '0 100\n1000 100\n' > "$WORK_DIR/line1-topography.dat"
"$CLI" section "$PROJECT" --line 1 --topo "$WORK_DIR/line1-topography.dat" \
  --min-topo -2000 --out "$WORK_DIR/line1-section.dat"
ls -l "$WORK_DIR/line1-station3.edi" "$WORK_DIR/line1-section.dat"

echo
echo "== Recovered curves against the synthetic earth models"
status=0
"$CLI" compare "$PROJECT" || status=$?

echo
echo "== 2-D inversion runs of line 1 through the stand-in programs (laterally constrained smooth 1-D inversion, not 2-D)"
for method in nlcg nlls; do
  "$CLI" invert "$method" "$PROJECT" --line 1 --out "$WORK_DIR/line1-$method.dat"
done

echo
echo "== Plots: each station's curves with its earth model, the depth section and both inversions"
mkdir -p "$WORK_DIR/plots"
for station in 1 2 3 4 5 6 7; do
  "$CLI" plot curve "$PROJECT" --line 1 --station "$station" \
    --out "$WORK_DIR/plots/line1-station$station.png"
done
for table in section nlcg nlls; do
  "$CLI" plot section "$WORK_DIR/line1-$table.dat" --out "$WORK_DIR/plots/line1-$table.png"
done
echo
echo "Demo finished in $(( $(date +%s) - start )) s; work folder: $WORK_DIR"
exit $status
