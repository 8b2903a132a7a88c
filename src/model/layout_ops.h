// Operations on the whole layout document: ids, levels, selection, insertion, deletion.
#pragma once

#include <unordered_map>
#include <vector>

#include "model/layout.h"

// Hands out the next object id.
int TakeId(Layout& layout);
// The largest object id in use (0 for an empty layout).
int HighestId(const Layout& layout);
// next_id = 1 + the largest id of pieces, scenery, labels, shapes, tunnels, helices.
void RecomputeNextId(Layout& layout);
// grade_mode follows the last grade run, or is inactive.
void RecomputeGradeMode(Layout& layout);
// A layout always has a level: appends "Level 1" (colour 180, 200, 220) when there is none.
void EnsureDefaultLevel(Layout& layout);
// Level record by id, or null.
const Level* FindLevel(const Layout& layout, int id);
// A piece on an unknown level counts as visible; only an existing hidden level hides.
bool LevelVisible(const Layout& layout, int level_id);
double LevelHeight(const Layout& layout, int level_id);

// Index of the piece with this id, or -1.
int FindPiece(const Layout& layout, int id);
int FindScenery(const Layout& layout, int id);
// id -> position in layout.pieces, built once per bulk operation.
std::unordered_map<int, std::size_t> PieceIndexById(const Layout& layout);

void SelectAll(Layout& layout);    // pieces and scenery items
void DeselectAll(Layout& layout);  // every kind of object
std::vector<PlacedPiece> SelectedPieces(const Layout& layout);
std::vector<SceneryItem> SelectedScenery(const Layout& layout);
bool AnyPieceOrScenerySelected(const Layout& layout);
bool AnythingSelected(const Layout& layout);
// Selecting one piece of a helix selects all of its pieces.
void ExpandHelixSelection(Layout& layout);

// File > New and Close: empties the placed content, resets next_id, the baseboard, its
// dialog's last inputs, the unit (millimetres) and the levels to one "Level 1".
void ClearForNew(Layout& layout);

// Gives the piece the next id and appends it; returns the id.
int InsertPiece(Layout& layout, PlacedPiece piece);
int InsertScenery(Layout& layout, SceneryItem item);

// Writes a join on both pieces (by position in layout.pieces).
void JoinBoth(Layout& layout, std::size_t a, int ca, std::size_t b, int cb);
// Frees both sides of every joint between a selected and an unselected piece.
void CutSelectionJoints(Layout& layout);

// The one delete: removes every selected piece, scenery item, label, measurement and
// shape; frees joints naming removed pieces, drops their grade runs, tunnel covers and
// helix references, and helices and tunnels left empty. Returns false (and changes
// nothing) when nothing is selected.
bool DeleteSelected(Layout& layout);
// DeleteSelected without the check: removes the selected objects and every reference to
// the removed pieces and scenery items.
void RemoveSelectedContent(Layout& layout);
