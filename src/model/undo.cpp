// Snapshots hold pieces, scenery, labels, measurements, shapes, tunnels, helices and the
// grade state; levels, baseboard, units and next_id are never undone.
#include "model/undo.h"

#include <algorithm>

#include "model/layout_ops.h"

LayoutSnapshot TakeSnapshot(const Layout& l) {
  return {l.pieces,  l.scenery, l.labels,     l.measures,  l.shapes,
          l.tunnels, l.helices, l.grade_mode, l.grade_runs};
}

void PushSnapshot(Layout& layout) {
  layout.undo.push_back(TakeSnapshot(layout));
  while (layout.undo.size() > kUndoLimit) layout.undo.pop_front();
  layout.redo.clear();
}

void DropLastSnapshot(Layout& layout) {
  if (!layout.undo.empty()) layout.undo.pop_back();
}

namespace {
// Content restored after a file was opened may hold ids above the counter the file gave;
// the counter moves past them so that no id is ever handed out twice.
void KeepIdsUnique(Layout& l) {
  const int next = l.next_id;
  RecomputeNextId(l);
  l.next_id = std::max(l.next_id, next);
}
}  // namespace

void Restore(Layout& l, const LayoutSnapshot& s) {
  l.pieces = s.pieces;
  l.scenery = s.scenery;
  l.labels = s.labels;
  l.measures = s.measures;
  l.shapes = s.shapes;
  l.tunnels = s.tunnels;
  l.helices = s.helices;
  l.grade_mode = s.grade_mode;
  l.grade_runs = s.grade_runs;
  KeepIdsUnique(l);
}

bool Undo(Layout& layout) {
  if (layout.undo.empty()) return false;
  layout.redo.push_back(TakeSnapshot(layout));
  LayoutSnapshot s = std::move(layout.undo.back());
  layout.undo.pop_back();
  Restore(layout, s);
  return true;
}

bool Redo(Layout& layout) {
  if (layout.redo.empty()) return false;
  layout.undo.push_back(TakeSnapshot(layout));
  LayoutSnapshot s = std::move(layout.redo.back());
  layout.redo.pop_back();
  Restore(layout, s);
  return true;
}
