// Track centre lines in three dimensions, for the plan check: every route of a placed
// piece and the rings of a helix as straight segments carrying the height of the track
// at both ends, and how close two such segments come.
#pragma once

#include <vector>

#include "catalog/helix_catalog.h"
#include "catalog/piece_def.h"
#include "model/layout.h"

struct Segment3 {
  Point a;
  Point b;
  double za = 0;
  double zb = 0;
};

// Curves are cut into chords of at most this many degrees (0.8 mm off the arc at R1).
inline constexpr double kChordDeg = 7.5;

// The centre line of every route of a piece (a turnout's straight and branches, a
// crossing's two straights, a turntable's bridge all round), appended to `out`. The
// height climbs with the piece's grade from connector 0 to the run's far end.
void PieceCentreLines(const PlacedPiece& piece, const PieceDef& def, std::vector<Segment3>& out);

// The rings of a helix from its bottom stubs at `base` round to its top stubs a rise
// higher, appended to `out`.
void HelixCentreLines(const Helix& helix, const HelixDef& def, double base,
                      std::vector<Segment3>& out);

// Where two segments come closest in plan (within `reach`), the height difference there.
struct Approach {
  bool near = false;          // some point pair lies closer than `reach` in plan
  double distance = 0;        // in plan, at the closest point pair
  Point at;                   // midway between that pair
  bool touches = false;       // somewhere within reach the heights differ by less than `same`
  double touch_distance = 0;  // the smallest plan distance where they do
  Point touch_at;
  bool over = false;     // somewhere within reach they are at least `same` apart
  double clearance = 0;  // the smallest such height difference
  Point clearance_at;
  bool first_above = false;  // there, the first segment is the upper one
};
Approach ClosestApproach(const Segment3& p, const Segment3& q, double reach, double same);
