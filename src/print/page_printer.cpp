#include "print/page_printer.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "model/layout_ops.h"

namespace {

// How far in page pixels from its origin a piece may draw at `zoom` pixels per mm: at
// least as far as the drawing's own culling looks (outline, arch, pens, contact box,
// dots, turntable text and label), with room to spare.
double PieceReachPx(const PieceDef& def, double zoom, bool labels) {
  double reach = def.length;
  for (const Connector& k : def.connectors) reach = std::max(reach, std::hypot(k.x, k.y));
  if (def.radius > 0 && std::fabs(def.angle) >= 180.0)
    reach = std::max(reach, 2.0 * def.radius + def.length);
  reach += std::fabs(def.radius) * 0.25 + TrackHalfWidth(def.system) + 4.0;
  double pad = 8.0 + zoom * 2.0 + std::max(3.0, zoom * 8.0) + std::max(3.0, zoom * 3.0);
  if (def.kind == PieceKind::Turntable) pad += 8.0 * std::max(8.0, zoom * 11.0);
  if (labels) pad += static_cast<double>(def.id.size() + 2) * std::max(6.0, zoom * 9.0);
  return reach * zoom + pad + 16.0;
}

// Pieces joined to a helix piece, directly or through other pieces that are not part of
// a helix, and the helix pieces themselves: drawing sorts them by what the whole group
// is joined to, so every page draws from all of them.
std::vector<bool> HelixGroups(const Layout& layout) {
  std::vector<bool> in(layout.pieces.size(), false);
  std::vector<std::size_t> queue;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].helix != -1) in[i] = true, queue.push_back(i);
  if (queue.empty()) return in;
  std::unordered_map<int, std::size_t> index;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) index.emplace(layout.pieces[i].id, i);
  while (!queue.empty()) {
    const PlacedPiece& p = layout.pieces[queue.back()];
    queue.pop_back();
    for (const Joint& j : p.joints) {
      const auto it = j.target == -1 ? index.end() : index.find(j.target);
      if (it == index.end() || in[it->second]) continue;
      in[it->second] = true;
      if (layout.pieces[it->second].helix == -1) queue.push_back(it->second);
    }
  }
  return in;
}

}  // namespace

PagePrinter::PagePrinter(const Layout& layout, std::string name, const PrintOptions& options)
    : printed_(PrintedLayout(layout, options)), name_(std::move(name)), options_(options) {
  page_.scenery = printed_.scenery;
  page_.labels = printed_.labels;
  page_.measures = printed_.measures;
  page_.shapes = printed_.shapes;
  page_.tunnels = printed_.tunnels;
  page_.helices = printed_.helices;
  page_.next_id = printed_.next_id;
  page_.levels = printed_.levels;
  page_.active_level = printed_.active_level;
  page_.baseboard = printed_.baseboard;
  page_.units = printed_.units;
  page_.grade_runs = printed_.grade_runs;
  page_.grade_mode = printed_.grade_mode;
  page_.background = printed_.background;
  const std::vector<bool> helix = HelixGroups(printed_);
  std::unordered_set<int> anchors;
  for (const GradeRun& run : printed_.grade_runs) anchors.insert(run.anchor);
  for (std::size_t i = 0; i < printed_.pieces.size(); ++i)
    if (helix[i] || anchors.count(printed_.pieces[i].id))
      everywhere_.push_back(static_cast<std::uint32_t>(i));
}

int PagePrinter::pages() const {
  return std::min(PageCount(plan_), kMostPages);
}

void PagePrinter::Plan(const PagePlan& plan) {
  plan_ = plan;
  page_filled_ = 0;
  first_.clear();
  piece_of_.clear();
  const int across = std::max(plan.across, 1), down = std::max(plan.down, 1);
  // One page, or more than are ever printed: every page draws from the whole layout.
  if (plan.pages <= 1 || plan.pages > kMostPages) return;
  const PageArea area = PrintableArea(plan);
  const double w = std::max(area.width, 1), h = std::max(area.height, 1);
  const Catalog& catalog = Catalog::instance();
  // The pages a piece may touch, as a range of columns and rows.
  struct Span {
    int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
  };
  std::vector<Span> spans(printed_.pieces.size());
  std::vector<std::uint32_t> count(static_cast<std::size_t>(across * down) + 1, 0);
  for (std::size_t i = 0; i < printed_.pieces.size(); ++i) {
    const PlacedPiece& p = printed_.pieces[i];
    const PieceDef* def = catalog.find(p.cat);
    if (!def || !LevelVisible(printed_, p.level)) continue;
    const double r = PieceReachPx(*def, plan.scale, options_.shown.labels);
    // Page pixels of the piece's origin on the first page; a page further on sees it
    // shifted by whole drawing areas.
    const double x = plan.scale * (p.x - plan.bounds.min_x) + area.x;
    const double y = plan.scale * (p.y - plan.bounds.min_y) + area.y;
    Span& s = spans[i];
    s.c0 = std::max(0, static_cast<int>(std::floor((x - r - plan.width) / w)));
    s.c1 = std::min(across - 1, static_cast<int>(std::floor((x + r) / w)));
    s.r0 = std::max(0, static_cast<int>(std::floor((y - r - plan.height) / h)));
    s.r1 = std::min(down - 1, static_cast<int>(std::floor((y + r) / h)));
    for (int row = s.r0; row <= s.r1; ++row)
      for (int col = s.c0; col <= s.c1; ++col)
        ++count[static_cast<std::size_t>(row * across + col)];
  }
  first_.assign(count.size(), 0);
  for (std::size_t k = 1; k < count.size(); ++k) first_[k] = first_[k - 1] + count[k - 1];
  piece_of_.resize(first_.back());
  std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const Span& s = spans[i];
    for (int row = s.r0; row <= s.r1; ++row)
      for (int col = s.c0; col <= s.c1; ++col)
        piece_of_[next[static_cast<std::size_t>(row * across + col)]++] =
            static_cast<std::uint32_t>(i);
  }
}

const Layout& PagePrinter::PageLayout(int page) {
  if (first_.empty() || page < 1 || page >= static_cast<int>(first_.size())) return printed_;
  if (page_filled_ == page) return page_;
  page_filled_ = page;
  page_.pieces.clear();
  const auto begin = piece_of_.begin() + first_[static_cast<std::size_t>(page - 1)];
  const auto end = piece_of_.begin() + first_[static_cast<std::size_t>(page)];
  // Both lists are in layout order; merged, the page draws in the layout's order.
  auto a = begin;
  auto b = everywhere_.begin();
  while (a != end || b != everywhere_.end()) {
    std::uint32_t i;
    if (b == everywhere_.end() || (a != end && *a < *b)) {
      i = *a++;
    } else {
      if (a != end && *a == *b) ++a;
      i = *b++;
    }
    page_.pieces.push_back(printed_.pieces[i]);
  }
  return page_;
}

bool PagePrinter::DrawPage(Painter& painter, int page, const PageProgress& progress) {
  if (progress && !progress(page, pages())) return false;
  const Layout& drawn = PageLayout(page);
  if (options_.color == PrintColor::Greyscale) {
    GreyPainter grey(painter);
    DrawPrintPage(rc_, grey, drawn, name_, options_, plan_, page);
  } else {
    DrawPrintPage(rc_, painter, drawn, name_, options_, plan_, page);
  }
  return true;
}

namespace {

// Distance of p from the segment a-b, in pixels.
double SegmentDistance(IPoint p, IPoint a, IPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y, px = p.x - a.x, py = p.y - a.y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(px - t * dx, py - t * dy);
}

// A run between kept points is never longer than this, so that a long outline costs
// time in proportion to its points.
constexpr int kLongestRun = 64;

}  // namespace

void OutlineThinner::Thin(const IPoint* points, int count) {
  kept_.clear();
  if (count <= 0) return;
  kept_.push_back(points[0]);
  int anchor = 0;
  for (int j = 2; j < count; ++j) {
    bool fits = j - anchor <= kLongestRun;
    for (int k = anchor + 1; k < j && fits; ++k)
      fits = SegmentDistance(points[k], points[anchor], points[j]) <= tolerance_;
    if (fits) continue;
    anchor = j - 1;
    kept_.push_back(points[anchor]);
  }
  if (count > 1) kept_.push_back(points[count - 1]);
}

void OutlineThinner::DrawPolygon(const IPoint* points, int count) {
  Thin(points, count);
  if (kept_.size() < 3) return inner_.DrawPolygon(points, count);  // too small to thin
  inner_.DrawPolygon(kept_.data(), static_cast<int>(kept_.size()));
}

void OutlineThinner::DrawLines(const IPoint* points, int count) {
  Thin(points, count);
  inner_.DrawLines(kept_.data(), static_cast<int>(kept_.size()));
}
