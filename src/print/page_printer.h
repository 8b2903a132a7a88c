// Printing page after page: the printed copy of a layout is made once, its pieces are
// sorted once into the pages they may touch, and each page is drawn from only those, so
// a printout of hundreds of pages costs what is on them, not pages x pieces. The PDF
// export and the printout share it; a progress callback may stop it between pages.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "print/print_layout.h"

// Told before each page is drawn: the page (1-based) and how many pages there are.
// Returning false stops the printout before that page.
using PageProgress = std::function<bool(int page, int pages)>;

class PagePrinter {
 public:
  // `layout` is the user's; it is copied once as PrintedLayout and never changed.
  PagePrinter(const Layout& layout, std::string name, const PrintOptions& options);

  // Sorts the pieces into the pages of `plan` (again when the plan changes).
  void Plan(const PagePlan& plan);
  const PagePlan& plan() const { return plan_; }
  // The pages printed: the plan's count, at most kMostPages.
  int pages() const;

  // Asks `progress` (when set) whether to go on; then draws page `page` as DrawPrintPage
  // draws it from the whole printed layout, in grey when the options say. False, and
  // nothing drawn, when the progress said stop.
  bool DrawPage(Painter& painter, int page, const PageProgress& progress = {});

  // What page `page` is drawn from: the printed layout with only the pieces that may
  // touch the page (in their order), and those every page needs (helix groups, grade
  // anchors). The same object is refilled for every page.
  const Layout& PageLayout(int page);
  // What draws the background picture under each page (when the layout prints it).
  void SetUnderlay(RenderContext::Underlay underlay) { rc_.underlay = std::move(underlay); }

 private:
  const Layout printed_;
  const std::string name_;
  const PrintOptions options_;
  PagePlan plan_;
  RenderContext rc_;
  // Pieces by page: page p's pieces are piece_of_[first_[p - 1] .. first_[p]).
  std::vector<std::uint32_t> first_;
  std::vector<std::uint32_t> piece_of_;
  std::vector<std::uint32_t> everywhere_;  // on every page
  Layout page_;                            // the printed layout without its pieces
  int page_filled_ = 0;
};

// A painter that passes drawing on with the outlines of polygons and lines thinned to
// what shows at the page's resolution: a point that lies within `tolerance` pixels of
// the line its kept neighbours make is left out. A PDF page then carries fewer path
// points for the same picture.
class OutlineThinner : public ForwardingPainter {
 public:
  explicit OutlineThinner(Painter& inner, double tolerance = 0.5)
      : ForwardingPainter(inner), tolerance_(tolerance) {}
  void DrawPolygon(const IPoint* points, int count) override;
  void DrawLines(const IPoint* points, int count) override;
  // Each polyline thinned like DrawLines.
  void DrawPolylines(const IPoint* points, const int* counts, int n) override {
    Painter::DrawPolylines(points, counts, n);
  }

 private:
  // The kept points of points[0 .. count) in `kept_`: the first and the last always.
  void Thin(const IPoint* points, int count);

  double tolerance_;
  std::vector<IPoint> kept_;
};
