#!/usr/bin/env bash
# Builds the example layouts with vantrel-tool, one editing operation at a time, the way a
# user would in the window: drop a first piece, extend the selected piece from the palette,
# click another piece to select it, drop scenery. Run from anywhere after a build.
set -euo pipefail
cd "$(dirname "$0")"
T=${VANTREL_TOOL:-../build/src/vantrel-tool}
# One operation on the file being made; a refusal stops the script.
e() { "$T" edit "$f" "$f" "$@" > /dev/null; }
# Selects the pieces or scenery items with the given ids (a click, then Ctrl+clicks).
sel() {
  sed -i -E 's/sel="1"/sel="0"/g' "$f"
  for id in "$@"; do sed -i -E "s/(<(piece|sceneryitem) id=\"$id\" .*)sel=\"0\"/\1sel=\"1\"/" "$f"; done
}
# An empty layout named $2 in file $1.
new() {
  f=$1
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<layout name="%s" version="1" units="1">\n</layout>\n' "$2" > "$f"
}

# ---- C-Track oval with a station and two sidings -------------------------------------
new c-track-oval-station.vtl "C-Track oval with station"
e drop 24188 0 0 0
e extend 24611
for i in 1 2 3; do e extend 24188; done
for i in $(seq 6); do e extend 24130; done
for i in $(seq 5); do e extend 24188; done
for i in $(seq 6); do e extend 24130; done
sel 2; e extend 24224; e extend 24611; e extend 24188; e extend 24188; e extend 24977
sel 24; e extend 24224; e extend 24188; e extend 24977
sel; e drop platform 560 62 0
sel; e drop station_small 560 175 0
sel; e drop tree_group 250 420 0
sel; e drop tree_conifer 880 400 0
sel; e drop signal_box 300 -95 0
sel
