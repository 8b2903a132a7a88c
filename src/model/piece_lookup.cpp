// The checked id index: a hit is confirmed by the piece at that place, a miss by a walk.
#include "model/piece_lookup.h"

#include "model/layout_ops.h"

int PieceLookup::Find(const Layout& layout, int id) {
  if (const auto it = at_.find(id);
      it != at_.end() && it->second < layout.pieces.size() && layout.pieces[it->second].id == id)
    return static_cast<int>(it->second);
  // Not where the index says, or not in it: the pieces changed since it was built, or the
  // id names no piece (a damaged file).
  const int at = FindPiece(layout, id);
  if (at >= 0) Rebuild(layout);
  return at;
}

void PieceLookup::Rebuild(const Layout& layout) {
  at_.clear();
  at_.reserve(layout.pieces.size());
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) at_.emplace(layout.pieces[i].id, i);
}
