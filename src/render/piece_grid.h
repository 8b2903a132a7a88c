// Where the pieces of a layout lie: a grid of square cells over the layout, each listing
// the pieces whose reach touches it, so that drawing a part of a big layout visits the
// pieces there and not every piece.
#pragma once

#include <cstddef>
#include <vector>

#include "model/layout.h"

class PieceGrid {
 public:
  // Files every piece of a known article under the cells its reach touches.
  void Build(const Layout& layout);
  // Appends to `out`, ascending and once each, the position of every piece whose reach
  // touches the rectangle (layout millimetres); false, leaving `out` alone, when the
  // rectangle holds the whole grid, so that every piece is a candidate.
  bool Find(double x0, double y0, double x1, double y1, std::vector<std::size_t>& out) const;
  // The longest article id among the pieces filed, for the labels' room.
  std::size_t longest_id() const { return longest_id_; }

 private:
  double min_x_ = 0, min_y_ = 0, cell_ = 1;
  int cols_ = 0, rows_ = 0;
  std::vector<std::size_t> start_;    // cell -> first entry in items_; one more at the end
  std::vector<std::size_t> items_;    // piece positions, ascending within a cell
  std::vector<std::size_t> unfiled_;  // pieces of unknown articles
  std::size_t longest_id_ = 0;
  std::size_t pieces_ = 0;
};
