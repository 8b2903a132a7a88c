// Printing page by page: each page drawn from the pieces sorted to it draws exactly what
// the page drawn from the whole layout does, the progress can stop the printout, and
// outlines are thinned only by what does not show.
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
  // A helix group sorts its whole oval under the rings, wherever the oval's pieces lie;
  // a grade marker stands beside its anchor.
  layout.pieces[30].helix = 7;
  layout.grade_runs.push_back({2.5, layout.pieces[200].id, 0});
  for (const bool labels : {true, false}) {
    PrintOptions options;
    options.scaling = PrintScaling::ActualScale;
    options.scale_n = 10;
    options.shown.labels = labels;
    const PagePlan plan = PlanPrint(layout, options, kA4Paper, false, kPdfDpi);
    ASSERT_GT(PageCount(plan), 6);
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

TEST(PagePrinter, ProgressCountsThePagesAndStopsBeforeAPage) {
  const Layout layout = MakeBigLayout(300);
  PrintOptions options;
  options.scaling = PrintScaling::ActualScale;
  options.color = PrintColor::Greyscale;
  PagePrinter printer(layout, "", options);
  printer.Plan(PlanPrint(layout, options, kA4Paper, false, kPdfDpi));
  std::vector<std::pair<int, int>> told;
  const PageProgress stop_at_3 = [&](int page, int pages) {
    told.emplace_back(page, pages);
    return page < 3;
  };
  int page = 1;
  RecordingPainter painter;
  while (page <= printer.pages() && printer.DrawPage(painter, page, stop_at_3)) ++page;
  EXPECT_EQ(page, 3);
  ASSERT_EQ(told.size(), 3u);
  EXPECT_EQ(told[2], std::make_pair(3, printer.pages()));
  const std::size_t drawn = painter.calls.size();
  EXPECT_FALSE(printer.DrawPage(painter, 3, stop_at_3));
  EXPECT_EQ(painter.calls.size(), drawn);  // a stopped page draws nothing
  for (const PaintCall& c : painter.calls) EXPECT_EQ(c.state.pen, GreyOf(c.state.pen));
}

TEST(OutlineThinner, LeavesOutOnlyPointsWithinHalfAPixelOfTheOutline) {
  // A band along a quarter circle of 400 px in 60 steps, with a square corner at each
  // end, and points repeated where rounding put two on one pixel.
  std::vector<IPoint> band;
  for (const int r : {400, 390}) {
    std::vector<IPoint> arc;
    for (int i = 0; i <= 60; ++i) {
      const double a = 1.5707963 * i / 60;
      arc.push_back({static_cast<int>(std::lround(r * std::cos(a))),
                     static_cast<int>(std::lround(r * std::sin(a)))});
      if (i % 7 == 0) arc.push_back(arc.back());
    }
    if (r != 400) std::reverse(arc.begin(), arc.end());
    band.insert(band.end(), arc.begin(), arc.end());
  }
  RecordingPainter out;
  OutlineThinner thin(out);
  thin.DrawPolygon(band.data(), static_cast<int>(band.size()));
  ASSERT_EQ(out.calls.size(), 1u);
  const std::vector<IPoint>& kept = out.calls[0].pts;
  EXPECT_LT(kept.size(), band.size() / 2);
  EXPECT_GE(kept.size(), 8u);
  EXPECT_EQ(kept.front(), band.front());
  EXPECT_EQ(kept.back(), band.back());
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
  // Lines keep their ends; a triangle stays whole.
  const IPoint line[] = {{0, 0}, {5, 0}, {10, 0}, {10, 10}};
  thin.DrawLines(line, 4);
  EXPECT_EQ(out.calls[1].pts, (std::vector<IPoint>{{0, 0}, {10, 0}, {10, 10}}));
  thin.DrawPolygon(line + 1, 3);
  EXPECT_EQ(out.calls[2].pts.size(), 3u);
}

}  // namespace
