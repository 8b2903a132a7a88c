// Elevation of placed track: grade runs that climb or descend, and the elevation a
// piece takes when it is joined to the open end of a run.
#pragma once

#include "catalog/piece_def.h"
#include "model/layout.h"

// Straight-line advance of a piece: its length, or for a curve or turnout the x of
// connector 1.
double RunLength(const PieceDef& def);
// Elevation of a placed piece at one of its connectors.
double ElevationAt(const PlacedPiece& piece, int connector);
// After piece `new_index` was joined by connector n to connector t of piece `target_id`:
// it takes the elevation of that end, continues a run anchored there (a bridge ends it).
void ContinueGradeOnJoin(Layout& layout, std::size_t new_index, int target_id, int t, int n);
// Adds a run or updates the one anchored on `anchor`.
void SetGradeRun(Layout& layout, double deg, int anchor, int conn);
// Removes every run anchored on `anchor`.
void RemoveGradeRuns(Layout& layout, int anchor);
