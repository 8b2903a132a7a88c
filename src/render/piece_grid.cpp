// Building and searching the grid of piece positions.
#include "render/piece_grid.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "render/render.h"

namespace {

struct Box {
  double x0, y0, x1, y1;
};

}  // namespace

void PieceGrid::Build(const Layout& layout) {
  const Catalog& catalog = Catalog::instance();
  pieces_ = layout.pieces.size();
  unfiled_.clear();
  longest_id_ = 0;
  std::vector<Box> boxes(pieces_);
  Box all{1e300, 1e300, -1e300, -1e300};
  for (std::size_t i = 0; i < pieces_; ++i) {
    const PlacedPiece& p = layout.pieces[i];
    const PieceDef* def = catalog.find(p.cat);
    const double r = def ? PieceReachMm(*def) : 0.0;
    if (!def || !std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > 1e9 ||
        std::fabs(p.y) > 1e9) {
      unfiled_.push_back(i);
      boxes[i] = {0, 0, -1, -1};
      continue;
    }
    longest_id_ = std::max(longest_id_, def->id.size());
    boxes[i] = {p.x - r, p.y - r, p.x + r, p.y + r};
    all = {std::min(all.x0, boxes[i].x0), std::min(all.y0, boxes[i].y0),
           std::max(all.x1, boxes[i].x1), std::max(all.y1, boxes[i].y1)};
  }
  if (all.x1 < all.x0) {
    cols_ = rows_ = 0;
    start_.assign(1, 0);
    items_.clear();
    return;
  }
  // About two pieces a cell on a layout of even density, never finer than 250 mm.
  const double w = all.x1 - all.x0, h = all.y1 - all.y0;
  const double filed = static_cast<double>(pieces_ - unfiled_.size());
  cell_ = std::max(250.0, std::sqrt(w * h * 2.0 / std::max(1.0, filed)));
  cols_ = std::max(1, std::min(4096, static_cast<int>(w / cell_) + 1));
  rows_ = std::max(1, std::min(4096, static_cast<int>(h / cell_) + 1));
  cell_ = std::max({cell_, w / cols_ * 1.000001, h / rows_ * 1.000001});
  min_x_ = all.x0;
  min_y_ = all.y0;
  const auto col = [&](double x) {
    return std::clamp(static_cast<int>((x - min_x_) / cell_), 0, cols_ - 1);
  };
  const auto row = [&](double y) {
    return std::clamp(static_cast<int>((y - min_y_) / cell_), 0, rows_ - 1);
  };
  const std::size_t cells = static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_);
  start_.assign(cells + 1, 0);
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) {
      for (std::size_t c = 0; c < cells; ++c) start_[c + 1] += start_[c];
      items_.resize(start_[cells]);
    }
    std::vector<std::size_t> fill;
    if (pass == 1) fill.assign(start_.begin(), start_.end() - 1);
    for (std::size_t i = 0; i < pieces_; ++i) {
      const Box& b = boxes[i];
      if (b.x1 < b.x0) continue;
      for (int r = row(b.y0); r <= row(b.y1); ++r)
        for (int c = col(b.x0); c <= col(b.x1); ++c) {
          const std::size_t cell =
              static_cast<std::size_t>(r) * cols_ + static_cast<std::size_t>(c);
          if (pass == 0)
            ++start_[cell + 1];
          else
            items_[fill[cell]++] = i;
        }
    }
  }
}

bool PieceGrid::Find(double x0, double y0, double x1, double y1,
                     std::vector<std::size_t>& out) const {
  if (cols_ == 0) {
    out.insert(out.end(), unfiled_.begin(), unfiled_.end());
    return true;
  }
  const double gx1 = min_x_ + cols_ * cell_, gy1 = min_y_ + rows_ * cell_;
  if (x0 <= min_x_ && y0 <= min_y_ && x1 >= gx1 && y1 >= gy1) return false;
  const std::size_t before = out.size();
  out.insert(out.end(), unfiled_.begin(), unfiled_.end());
  if (x1 >= min_x_ && y1 >= min_y_ && x0 <= gx1 && y0 <= gy1) {
    const int c0 = std::clamp(static_cast<int>(std::floor((x0 - min_x_) / cell_)), 0, cols_ - 1);
    const int c1 = std::clamp(static_cast<int>(std::floor((x1 - min_x_) / cell_)), 0, cols_ - 1);
    const int r0 = std::clamp(static_cast<int>(std::floor((y0 - min_y_) / cell_)), 0, rows_ - 1);
    const int r1 = std::clamp(static_cast<int>(std::floor((y1 - min_y_) / cell_)), 0, rows_ - 1);
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) {
        const std::size_t cell = static_cast<std::size_t>(r) * cols_ + static_cast<std::size_t>(c);
        out.insert(out.end(), items_.begin() + static_cast<std::ptrdiff_t>(start_[cell]),
                   items_.begin() + static_cast<std::ptrdiff_t>(start_[cell + 1]));
      }
  }
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(before), out.end());
  out.erase(std::unique(out.begin() + static_cast<std::ptrdiff_t>(before), out.end()), out.end());
  return true;
}
