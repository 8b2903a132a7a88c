#!/usr/bin/env bash
# Renders the program's three pictures from the example layouts with its own 3D export
# (needs a display: run under xvfb-run) and ImageMagick: 101 the splash, 102 the splash
# corner and Buy Track help, 103 the help dialog.
set -euo pipefail
cd "$(dirname "$0")"
V=${VANTREL:-../../build/src/vantrel}
EX=../../examples
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$V" --export-3d "$EX/two-decks-helix-tunnel.vtl" "$tmp/101.png" --size 900x600
"$V" --export-3d "$EX/c-track-oval-station.vtl" "$tmp/102.png" --size 450x510
"$V" --export-3d "$EX/k-track-figure-eight.vtl" "$tmp/103.png" --size 660x368
convert "$tmp/101.png" -quality 88 picture101.jpg
convert "$tmp/102.png" -quality 88 picture102.jpg
convert "$tmp/103.png" -rotate 90 -quality 88 picture103.jpg
