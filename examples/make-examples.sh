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
# An empty layout named $2 in file $1 (units: centimetres), with the levels given as
# further lines.
new() {
  f=$1
  {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<layout name="%s" version="1" units="1">\n' "$2"
    shift 2
    if [ $# -gt 0 ]; then
      printf '  <levels active="1">\n'
      printf '    %s\n' "$@"
      printf '  </levels>\n'
    fi
    printf '</layout>\n'
  } > "$f"
}
# The id of the newest piece.
last() { grep -o '<piece id="[0-9]*"' "$f" | tail -n 1 | grep -o '[0-9]*'; }
# A 30-degree K-Track curve entered at its far end, so that it turns the other way: dropped
# where its connector 1 meets the open end of piece $1, as a drag from the palette snaps.
reversed_curve() {
  local x y a
  read -r x y a < <("$T" check "$f" | awk -v id="$1" '$1 == "open" && $2 == id {
    sub("x=", "", $4); sub("y=", "", $5); sub("angle=", "", $6); print $4, $5, $6 }')
  e drop 2221 $(awk -v x="$x" -v y="$y" -v a="$a" 'BEGIN {
    pi = atan2(0, -1); h = a + 150; r = h * pi / 180
    dx = 360 * sin(pi / 6); dy = 360 * (1 - cos(pi / 6))
    printf "%.4f %.4f %.4f", x - (dx * cos(r) - dy * sin(r)), y - (dx * sin(r) + dy * cos(r)), h % 360 }')
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

# ---- K-Track figure eight: one diagonal crosses the other on a bridge --------------------
# The track falls at 1.5 degrees from the bridge round the right-hand loop and along the
# lower diagonal, and climbs back at 2.4 degrees round the left-hand loop.
new k-track-figure-eight.vtl "K-Track figure eight over a bridge"
side() { e extend 2209; e extend 2200; e extend 2200; e extend 2202; }
e drop 2209 0 0 330
e set-height 8.66
e start-grade down 1.5
e extend 2200; e extend 2200; e extend 2202
for i in $(seq 8); do e extend 2221; done
side; side
reversed_curve "$(last)"
e start-grade up 2.4
for i in $(seq 7); do e extend 2221; done
e extend 2202; e extend 2200; e extend 2200; e extend 2209
sel; e drop tree_group 700 0 0
sel; e drop tree_conifer -700 0 0
sel; e drop water_tower -300 -420 0
sel

# ---- Two decks joined by a helix, the upper line through a tunnel -------------------------
new two-decks-helix-tunnel.vtl "Two decks with helix and tunnel" \
  '<level id="1" name="Lower deck" visible="1" height="0.0000" trackcolor="0" r="180" g="180" b="180"/>'
e helix proses_2_5_r1r2 1000 600
# Lower deck: from the inner bottom stub round to a station; the outer stub ends at a stop.
e drop 24130 640 788.3 90
e extend 24130; e extend 24130
for i in 1 2 3 4 5; do e extend 24188; done; e extend 24977
e drop 24977 562.5 788.3 90
# Upper deck: the palette extends the helix at its outer top stub.
sel 4; for i in 1 2 3 4 5; do e extend 24188; done
for i in 1 2 3; do e extend 24130; done
for i in 1 2 3 4 5 6; do e extend 24188; done; e extend 24977
# The upper deck gets its own level, made in Manage Levels, and takes its track.
sed -i 's|  </levels>|    <level id="2" name="Upper deck" visible="1" height="260.0000" trackcolor="0" r="200" g="170" b="120"/>\n  </levels>|' "$f"
sel $(seq 16 30); e level 2
sel 17 18 19; e tunnel
# Scenery is dropped on the highest shown deck; the lower station's platform and building
# are moved down to the lower deck with the Level choice.
sel; e drop platform -200 1085 0; e level 1
sel; e drop station_small -200 1260 0; e level 1
sel; e drop tree_group 1600 1300 0
sel; e drop tree_conifer 1300 1250 0
sel; e drop tree_lg_dec 1320 1450 0
sel; e drop goods_shed 300 2200 0
sel
