#!/usr/bin/env bash
# Pictures of the desktop program for the README: builds, writes the demo work folder, processes
# the demo project's curves, then runs the real program under Xvfb on it with its screenshot
# tour (the project opened, a station shown, the system menu, a context menu, the Options menu,
# a dark theme, the minimised ribbon, a recording's time series and its stacked calibrated
# spectra). The PNGs go to docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
BUILD_DIR=${BUILD_DIR:-build}
scripts/setup-deps.sh >/dev/null
BUILD_DIR="$BUILD_DIR" scripts/build.sh --target terrascope terrascope-cli >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli="$root/$BUILD_DIR/app/cli/terrascope-cli"
"$cli" demo "$work/demo-work" >/dev/null
# The regression estimator, so that the curves carry their error bars in the pictures.
"$cli" process "$work/demo-work/demo.HMT" --estimator regression >/dev/null 2>&1

mkdir -p docs/screenshots
# A settings folder of its own, so the pictures show the default look whatever this machine's
# user chose.
export XDG_CONFIG_HOME="$work/config"
cd "$work/demo-work"
xvfb-run --auto-servernum --server-args="-screen 0 1920x1200x24" \
  "$root/$BUILD_DIR/app/ui/terrascope" --screenshots "$root/docs/screenshots" demo.HMT
echo "screenshots: pictures written to docs/screenshots/"
