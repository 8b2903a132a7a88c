// Autofill: closing the gap between the open ends of two selected pieces with catalog
// track, either with straights alone ("Autofill Gap...") or with a chain of curves and
// straights ("Autofill Gap with Curves...").
#pragma once

#include <string>
#include <vector>

#include "app/prompter.h"
#include "catalog/piece_def.h"
#include "model/document.h"

inline constexpr double kFillToleranceMm = 1.5;   // a fill may end this far from B
inline constexpr double kFillEpsilon = 1e-9;      // keeps the tolerance itself inside
inline constexpr double kTouchingMm = 1.0;        // ends closer than this need no fill
inline constexpr double kFacingMinDeg = 150.0;    // ends at least this far apart face
inline constexpr double kStraightMinDeg = 170.0;  // ends a straight fill can join
inline constexpr std::size_t kFillRows = 12;      // rows offered in the dialog

// One combination of straights, longest first, and its total length.
struct FillSolution {
  std::vector<std::string> ids;
  double total = 0;
};

// The catalog straights a fill of `system` may use, longest first: no bridges or ramps,
// no circuit tracks, neither the spoke extension nor the adapter. Of articles of equal
// length only the first in catalog order is kept.
std::vector<const PieceDef*> FillStraights(int system);

// Combinations of the candidates whose total lies within 1.5 mm of `gap`, fewest pieces
// first, then nearest the gap; at most 12.
std::vector<FillSolution> SolveStraightFill(const std::vector<const PieceDef*>& candidates,
                                            double gap);

// "24188 + 24188 + 24094  (470.8 mm)"
std::string FillRowText(const FillSolution& solution);

// A free connector of each selected piece: ia on A (the one earlier in the layout) and ib
// on B, with their world connectors and distance.
struct GapEnds {
  bool found = false;
  int ia = -1;
  int ib = -1;
  Connector ca;
  Connector cb;
  double distance = 0;
};

// The nearest pair of free connectors whose directions differ by at least 150 degrees and,
// unless they touch, that each lie ahead of the other; the first pair wins ties.
GapEnds FindFacingEnds(const PlacedPiece& a, const PieceDef& adef, const PlacedPiece& b,
                       const PieceDef& bdef);
// The nearest pair of free connectors, whatever their directions; first on ties.
GapEnds FindNearestEnds(const PlacedPiece& a, const PieceDef& adef, const PlacedPiece& b,
                        const PieceDef& bdef);

struct AutofillOutcome {
  bool placed = false;      // a chain was laid (one undo step)
  bool deselected = false;  // refused with the selection cleared
};

// "Autofill Gap...": the two selected pieces' facing ends joined by straights chosen in
// the "Autofill Gap" dialog.
AutofillOutcome AutofillGap(Document& doc, Prompter& prompter);
// "Autofill Gap with Curves...": the two selected pieces' nearest ends joined by a chain
// of the system's curves and straights chosen in the same dialog.
AutofillOutcome AutofillGapWithCurves(Document& doc, Prompter& prompter);
