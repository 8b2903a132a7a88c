// Printing page by page: each page drawn from the pieces sorted to it draws exactly what
// the page drawn from the whole layout does; outlines lose only what does not show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "layout_builder.h"
#include "print/page_printer.h"
#include "print/pdf_request.h"
#include "recording_painter.h"

namespace {

TEST(PagePrinter, EveryTiledPageDrawsWhatTheWholeLayoutDraws) {
  Layout layout = MakeBigLayout(600);
  // A helix group is drawn by its whole oval; a grade marker by its anchor.
  layout.pieces[30].helix = 7;
  layout.grade_runs.push_back({2.5, layout.pieces[200].id, 0});
  for (const bool labels : {true, false}) {
    const PrintOptions options{
        .scaling = PrintScaling::ActualScale, .scale_n = 10, .shown = {.labels = labels}};
    const PagePlan plan = PlanPrint(layout, options, kA4Paper, false, kPdfDpi);
    PagePrinter printer(layout, "Shelf", options);
    printer.Plan(plan);
    const Layout printed = PrintedLayout(layout, options);
    RenderContext rc;
    std::size_t fewest = layout.pieces.size();
    for (int page = 1; page <= printer.pages(); ++page) {
      RecordingPainter whole, culled;
      DrawPrintPage(rc, whole, printed, "Shelf", options, plan, page);
      ASSERT_TRUE(printer.DrawPage(culled, page));
      ASSERT_EQ(culled.calls, whole.calls) << "page " << page << " labels " << labels;
      fewest = std::min(fewest, printer.PageLayout(page).pieces.size());
    }
    EXPECT_LT(fewest, layout.pieces.size() / 4);  // the pages do not each draw everything
  }
}

TEST(OutlineThinner, LeavesOutOnlyPointsWithinHalfAPixelOfTheOutline) {
  // A band along a quarter circle of 400 px in 60 steps.
  std::vector<IPoint> band;
  for (const int r : {400, -390})
    for (int i = 0; i <= 60; ++i) {
      const double a = 1.5707963 * (r > 0 ? i : 60 - i) / 60;
      band.push_back({static_cast<int>(std::lround(std::abs(r) * std::cos(a))),
                      static_cast<int>(std::lround(std::abs(r) * std::sin(a)))});
    }
  RecordingPainter out;
  OutlineThinner(out).DrawPolygon(band.data(), static_cast<int>(band.size()));
  const std::vector<IPoint>& kept = out.calls.at(0).pts;
  EXPECT_LT(kept.size(), band.size() / 2);
  for (const IPoint& p : band) {
    double nearest = 1e9;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      const IPoint a = kept[i], b = kept[(i + 1) % kept.size()];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double t = std::clamp(
          ((p.x - a.x) * dx + (p.y - a.y) * dy) / std::max(dx * dx + dy * dy, 1.0), 0.0, 1.0);
      nearest = std::min(nearest, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    EXPECT_LE(nearest, 0.5) << p.x << "," << p.y;
  }
}

}  // namespace
