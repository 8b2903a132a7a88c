// Building the selection with clicks, chains and the rubber band; the helix and tunnel
// locks; deleting the selection.
#pragma once

#include <string>
#include <vector>

#include "app/prompter.h"
#include "model/document.h"
#include "view/view_transform.h"

// A left press on a piece: Ctrl toggles it, Shift selects the chain from the last
// selected piece to it, a plain click selects it (its whole helix, or a turntable with
// everything joined to it). Selections are then widened to whole helices.
void ClickSelectPiece(Layout& layout, int piece_id, bool ctrl, bool shift);
// The fewest-pieces path through joints from one piece to another, both included;
// empty when they are not connected.
std::vector<int> ChainPath(const Layout& layout, int from, int to);
// Selects the pieces and scenery items on visible levels whose positions lie in the
// screen rectangle between a and b (edges included).
void RubberBandSelect(Layout& layout, const ViewTransform& view, IPoint a, IPoint b);
// A band below 5 pixels both ways was a click.
bool RubberBandIsClick(IPoint a, IPoint b);

// The selected pieces are exactly the pieces of one helix and no scenery is selected.
bool IsWholeHelixSelection(const Layout& layout, int* helix_id = nullptr);
// Refuses (with a message) to delete or rotate helix track, tunnel track or portals
// individually; `action` is "delete" or "rotate".
bool CheckLocks(const Layout& layout, const std::string& action, Prompter& prompter);
// Delete key and Edit > Delete: the locks (a whole helix may go), the graded question,
// paired partners, then the layout's delete. True when something was deleted.
bool DeleteSelection(Document& doc, Prompter& prompter);
