// Snapshots hold pieces, scenery, labels, measurements, shapes, tunnels, helices and the
// grade state; baseboard, units and next_id are never undone, and levels only by the
// snapshots of the steps that change them (Remove Level, a level's height).
#include "model/snapshot.h"

#include <algorithm>

#include "model/layout_ops.h"

LayoutSnapshot TakeSnapshot(const Layout& l) {
  return {l.pieces,  l.scenery, l.labels,     l.measures,   l.shapes,
          l.tunnels, l.helices, l.grade_mode, l.grade_runs, std::nullopt};
}

namespace {
// Content restored after a file was opened may hold ids above the counter the file gave;
// the counter moves past them so that no id is ever handed out twice.
void KeepIdsUnique(Layout& l) {
  const int next = l.next_id;
  RecomputeNextId(l);
  l.next_id = std::max(l.next_id, next);
}

// Equal lists, where an element may differ from its partner in `sel` only.
template <typename T>
bool SameIgnoringSel(const std::vector<T>& a, const std::vector<T>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (a[i].sel == b[i].sel) return false;
    T flipped = a[i];
    flipped.sel = b[i].sel;
    if (!(flipped == b[i])) return false;
  }
  return true;
}
template <typename T>
bool SameSel(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](const T& x, const T& y) { return x.sel == y.sel; });
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

bool SameContentIgnoringSelection(const LayoutSnapshot& s, const Layout& l) {
  return s.grade_mode == l.grade_mode && s.grade_runs == l.grade_runs && s.tunnels == l.tunnels &&
         s.helices == l.helices && SameIgnoringSel(s.pieces, l.pieces) &&
         SameIgnoringSel(s.scenery, l.scenery) && SameIgnoringSel(s.labels, l.labels) &&
         SameIgnoringSel(s.measures, l.measures) && SameIgnoringSel(s.shapes, l.shapes);
}

bool SameSelection(const LayoutSnapshot& s, const Layout& l) {
  return SameSel(s.pieces, l.pieces) && SameSel(s.scenery, l.scenery) &&
         SameSel(s.labels, l.labels) && SameSel(s.measures, l.measures) &&
         SameSel(s.shapes, l.shapes);
}
