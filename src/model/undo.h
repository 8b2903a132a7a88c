// Undo and redo by whole-content snapshots kept inside the layout.
#pragma once

#include "model/layout.h"

inline constexpr std::size_t kUndoLimit = 50;

LayoutSnapshot TakeSnapshot(const Layout& layout);
// Before every change: saves the content (at most 50 steps kept) and empties redo.
void PushSnapshot(Layout& layout);
// Withdraws the snapshot of an operation that was refused after taking it.
void DropLastSnapshot(Layout& layout);
void Restore(Layout& layout, const LayoutSnapshot& snapshot);
bool Undo(Layout& layout);  // false when there is nothing to undo
bool Redo(Layout& layout);
inline bool CanUndo(const Layout& layout) {
  return !layout.undo.empty();
}
inline bool CanRedo(const Layout& layout) {
  return !layout.redo.empty();
}
