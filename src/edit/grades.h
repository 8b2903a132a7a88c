// Elevation of placed track: grade runs that climb or descend, the elevation a piece
// takes when it is joined to the open end of a run, and the grade commands.
#pragma once

#include <string>

#include "catalog/piece_def.h"
#include "model/document.h"
#include "model/layout.h"

// The steepest grade the panel offers and above which a piece is flagged.
inline constexpr double kMaxGradeDeg = 6.0;
// Grades closer to zero than this count as flat.
inline constexpr double kFlatGradeDeg = 0.001;

// Straight-line advance of a piece: its length, or for a curve or turnout the x of
// connector 1.
double RunLength(const PieceDef& def);
// Elevation of a placed piece at one of its connectors.
double ElevationAt(const PlacedPiece& piece, int connector);
// A grade as the properties panel and the plan write it: "+2.00 deg (3.5%)".
std::string GradeText(double grade_deg);
// A run anchored on the piece continues only at its leading end: connector 0 of a piece
// that climbs from connector 1 (`rev`), any other connector otherwise.
bool RunContinuesAt(const Layout& layout, int piece_id, int connector);
// After piece `new_index` was joined by connector n to connector t of piece `target_id`:
// it takes the elevation of that end, continues a run anchored there (a bridge ends it).
void ContinueGradeOnJoin(Layout& layout, std::size_t new_index, int target_id, int t, int n);
// Adds a run or updates the one anchored on `anchor`.
void SetGradeRun(Layout& layout, double deg, int anchor, int conn);
// Removes every run anchored on `anchor`.
void RemoveGradeRuns(Layout& layout, int anchor);

// What a grade command did: `changed` when it ran (as one undo step, or none when it
// changed nothing), and the text for status field 0 (empty: leave it).
struct GradeOutcome {
  bool changed = false;
  std::string status;
};

// "Start Grade" on a piece: a run of `deg` (signed, up positive) anchored on it. The
// piece keeps the elevation of its joined end; a piece joined only by connector 1 climbs
// from there (`rev`). One undo step.
GradeOutcome StartGrade(Document& doc, int piece_id, double deg);
// "End Grade": the piece becomes flat at the elevation of the end it was entered at, the
// flat track after it follows, and the run it belongs to ends. One undo step.
GradeOutcome EndGrade(Document& doc, int piece_id);
// "Recalc": the piece's elevation from the piece before it, then the flat track after it
// follows. One undo step.
GradeOutcome RecalculateForward(Document& doc, int piece_id);
// The height field: sets the piece's elevation to `mm` (clamped to 0 ... 10,000) and the
// flat track after it follows. One undo step.
GradeOutcome SetPieceHeight(Document& doc, int piece_id, double mm);
// The height field on a helix: the bottom stubs at `mm` (clamped as above), the top stubs
// a rise higher, and the flat track joined to them follows. One undo step.
GradeOutcome SetHelixBaseHeight(Document& doc, int helix_id, double mm);
