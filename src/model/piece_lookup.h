// Finds pieces by id without a walk over the layout, for questions asked again and again
// (the window's controls after every change). Every answer is checked against the layout,
// so a lookup kept across changes never gives a wrong piece: the index is rebuilt only
// when a piece is no longer where it was, which moving, selecting or colouring never does.
#pragma once

#include <cstddef>
#include <unordered_map>

#include "model/layout.h"

class PieceLookup {
 public:
  // The position of the piece `id` in `layout.pieces`, or -1 when there is none.
  int Find(const Layout& layout, int id);

 private:
  void Rebuild(const Layout& layout);
  std::unordered_map<int, std::size_t> at_;
};
