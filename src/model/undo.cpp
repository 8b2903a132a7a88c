// Snapshots hold pieces, scenery, labels, measurements, shapes, tunnels, helices and the
// grade state; baseboard, units and next_id are never undone, and levels only by the
// snapshot of Remove Level, which carries the deck list (its undo and redo swap it too).
#include "model/undo.h"

#include <algorithm>

#include "model/layout_ops.h"

LayoutSnapshot TakeSnapshot(const Layout& l) {
  return {l.pieces,  l.scenery, l.labels,     l.measures,   l.shapes,
          l.tunnels, l.helices, l.grade_mode, l.grade_runs, std::nullopt};
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
  if (s.level_state) {
    l.levels = s.level_state->levels;
    l.active_level = s.level_state->active_level;
  }
  KeepIdsUnique(l);
}

bool Undo(Layout& layout) {
  if (layout.undo.empty()) return false;
  layout.redo.push_back(TakeSnapshot(layout));
  LayoutSnapshot s = std::move(layout.undo.back());
  if (s.level_state)
    layout.redo.back().level_state = LevelState{layout.levels, layout.active_level};
  layout.undo.pop_back();
  Restore(layout, s);
  return true;
}

bool Redo(Layout& layout) {
  if (layout.redo.empty()) return false;
  layout.undo.push_back(TakeSnapshot(layout));
  LayoutSnapshot s = std::move(layout.redo.back());
  if (s.level_state)
    layout.undo.back().level_state = LevelState{layout.levels, layout.active_level};
  layout.redo.pop_back();
  Restore(layout, s);
  return true;
}
