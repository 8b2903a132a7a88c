// Whole-content snapshots: what an undo step keeps and puts back. Only the document and
// its transactions use them.
#pragma once

#include "model/layout.h"

LayoutSnapshot TakeSnapshot(const Layout& layout);
// Puts the snapshot's content back (and its decks when it holds them); ids handed out
// since stay used.
void Restore(Layout& layout, const LayoutSnapshot& snapshot);
// The layout's content is the snapshot's, apart from which objects are selected.
bool SameContentIgnoringSelection(const LayoutSnapshot& snapshot, const Layout& layout);
// The same objects are selected in the layout as in the snapshot (of the same content).
bool SameSelection(const LayoutSnapshot& snapshot, const Layout& layout);
