#!/usr/bin/env bash
# Draws the desktop program's icons into app/ui/Res/ (32 px) and app/ui/Res/16/ (16 px). Run once
# after changing scripts/icons/IconPainter.cpp; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
c++ -std=c++17 -fPIC -O1 scripts/icons/IconPainter.cpp -o "$work/icon-painter" \
  $(pkg-config --cflags --libs Qt5Gui)
QT_QPA_PLATFORM=offscreen "$work/icon-painter" app/ui/Res
echo "draw-icons: icons written to app/ui/Res/ and app/ui/Res/16/"
