// Printing on paper: the printed area, the page counts and offsets, the page limits,
// and that printing leaves the layout as it was.
#include "print/print_layout.h"
#include "print/pdf_request.h"

#include <gtest/gtest.h>

#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "recording_painter.h"

namespace {

Layout Baseboard2400x1200() {
  Layout l;
  EnsureDefaultLevel(l);
  l.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  return l;
}

PrintOptions Scale(int n) {
  PrintOptions o;
  o.scaling = PrintScaling::ActualScale;
  o.scale_n = n;
  return o;
}

// A4 at 600 dpi.
constexpr int kA4Short = 4960;
constexpr int kA4Long = 7016;

TEST(PrintPages, TrueScaleOnA4BothWays) {
  const Layout l = Baseboard2400x1200();
  const PrintBounds b = ComputePrintBounds(l, Scale(1));
  EXPECT_EQ(b.max_x - b.min_x, 2400);
  struct Case {
    int n, portrait, landscape;
  };
  for (const Case c : {Case{1, 65, 63}, Case{5, 3, 4}, Case{10, 2, 1}, Case{87, 1, 1}}) {
    EXPECT_EQ(PageCount(PlanPages(b, Scale(c.n), kA4Short, kA4Long, 600)), c.portrait) << c.n;
    EXPECT_EQ(PageCount(PlanPages(b, Scale(c.n), kA4Long, kA4Short, 600)), c.landscape) << c.n;
  }
  const PagePlan p = PlanPages(b, Scale(1), kA4Short, kA4Long, 600);
  EXPECT_EQ(p.across, 13);
  EXPECT_EQ(p.down, 5);
  // A3 landscape at 300 dpi (4961 x 3508): 2400 mm at 11.81 px/mm over 4564 px.
  EXPECT_EQ(PlanPages(b, Scale(1), 4961, 3508, 300).across, 7);
  EXPECT_EQ(PlanPages(b, Scale(1), 4961, 3508, 0).scale, 300 / 25.4);  // unknown dpi
}

TEST(PrintPages, FitPercentageAndAnExactFit) {
  const Layout l = Baseboard2400x1200();
  const PrintBounds b = ComputePrintBounds(l, PrintOptions{});
  const PagePlan fit = PlanPages(b, PrintOptions{}, 1000, 1000, 600);
  EXPECT_EQ(PageCount(fit), 1);
  EXPECT_DOUBLE_EQ(fit.scale, 920.0 / 2400);
  PrintOptions twice;
  twice.scaling = PrintScaling::Percentage;
  twice.percent = 200;
  const PagePlan p = PlanPages(b, twice, 1000, 1000, 600);
  EXPECT_DOUBLE_EQ(p.scale, 2 * fit.scale);
  EXPECT_EQ(p.across, 2);
  EXPECT_EQ(p.down, 1);
  // 100 % fills the usable width exactly: one page, not two.
  twice.percent = 100;
  EXPECT_EQ(PageCount(PlanPages(b, twice, 1000, 1000, 600)), 1);
  // The layout exactly as wide as the usable width at 1 : 1.
  const PrintBounds exact{0, 0, 920 * 25.4 / 600, 10};
  EXPECT_EQ(PlanPages(exact, Scale(1), 1000, 1000, 600).across, 1);
}

TEST(PrintPages, BoundsStartAtTheFirstPointAndFollowTheOptions) {
  Layout l;
  EnsureDefaultLevel(l);
  const PrintBounds empty = ComputePrintBounds(l, PrintOptions{});
  EXPECT_EQ(empty.max_x, 1000);
  EXPECT_EQ(empty.min_y, 0);
  ChainBuilder(l).Start("24188", {5000, 5000, 0});
  SceneryItem s;
  s.x = 5100;
  s.y = 5050;
  s.level = 2;
  l.scenery.push_back(s);
  PlacedPiece other = l.pieces[0];
  other.id = 9;
  other.level = 2;
  other.x = -300;
  l.pieces.push_back(other);
  const PrintBounds active = ComputePrintBounds(l, PrintOptions{});
  EXPECT_EQ(active.min_x, 5000);
  EXPECT_EQ(active.min_y, 5000);
  EXPECT_EQ(active.max_y, 5050);  // the scenery of another level counts
  PrintOptions all;
  all.levels = PrintLevels::All;
  EXPECT_EQ(ComputePrintBounds(l, all).min_x, -300);
}

TEST(PrintPages, TilesAndTheCentredSinglePage) {
  const PrintBounds b{100, 50, 2500, 1250};
  const PagePlan p = PlanPages(b, Scale(1), 1000, 2000, 600);
  ASSERT_GT(p.across, 2);
  // Page 2 is the next 920-pixel tile to the right; page across+1 the next row down.
  const PageOffset first = PageOffsetFor(p, b, 1);
  EXPECT_DOUBLE_EQ(first.x, 40 - 100 * p.scale);
  EXPECT_DOUBLE_EQ(first.y, 80 - 50 * p.scale);
  EXPECT_NEAR(PageOffsetFor(p, b, 2).x, first.x - 920, 1e-9);
  EXPECT_NEAR(PageOffsetFor(p, b, p.across + 1).y, first.y - 1840, 1e-9);
  // One page: centred within the margins.
  const PagePlan fit = PlanPages(b, PrintOptions{}, 1000, 1000, 600);
  const PageOffset c = PageOffsetFor(fit, b, 1);
  EXPECT_NEAR(c.x + 100 * fit.scale, 40, 1e-9);  // 2400 mm fill the width
  EXPECT_NEAR(c.y + 50 * fit.scale, (920 - 1200 * fit.scale) / 2 + 40, 1e-9);
}

TEST(PrintPages, HugePrintoutsAreAskedAboutOrRefused) {
  const PrintBounds b{0, 0, 100000, 100000};  // 100 m at 1 : 1
  const PagePlan huge = PlanPages(b, Scale(1), 4960, 7016, 600);
  EXPECT_GT(huge.pages, 150000);
  FakePrompter prompter;
  EXPECT_FALSE(ConfirmPageCount(huge, prompter));
  EXPECT_EQ(prompter.shown.at(0).kind, "notify");
  const PagePlan many = PlanPages({0, 0, 3000, 3000}, Scale(1), 4960, 7016, 600);
  ASSERT_GT(many.pages, 100);
  prompter.answers.push_back(PromptAnswer::Yes);
  EXPECT_TRUE(ConfirmPageCount(many, prompter));
  EXPECT_TRUE(prompter.shown.at(1).default_no);
  EXPECT_TRUE(ConfirmPageCount(PlanPages(b, PrintOptions{}, 4960, 7016, 600), prompter));
  EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST(PrintPages, PrintingDrawsACopyAndLeavesTheLayoutAlone) {
  Layout l = Baseboard2400x1200();
  Level upper;
  upper.id = 2;
  upper.visible = false;
  l.levels.push_back(upper);
  l.undo.resize(3);
  const std::vector<Level> levels = l.levels;
  PrintOptions all;
  all.levels = PrintLevels::All;
  all.baseboard = false;
  const Layout printed = PrintedLayout(l, all);
  EXPECT_TRUE(printed.levels[1].visible);
  EXPECT_FALSE(printed.show_baseboard);
  EXPECT_FALSE(printed.show_grid);
  EXPECT_TRUE(printed.undo.empty());
  const Layout active = PrintedLayout(l, PrintOptions{});
  EXPECT_TRUE(active.levels[0].visible);
  EXPECT_FALSE(active.levels[1].visible);
  EXPECT_EQ(l.levels, levels);
  EXPECT_TRUE(l.show_baseboard);

  EXPECT_EQ(GreyOf({255, 0, 0, 7}), (Color{76, 76, 76, 7}));
  RecordingPainter rec;
  GreyPainter grey(rec);
  grey.SetBrush({0, 0, 255});
  grey.DrawRectangle(0, 0, 1, 1);
  ASSERT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(rec.calls[0].state.brush, (Color{29, 29, 29}));
}

TEST(PdfRequest, OptionsPaperAndOrientation) {
  PdfRequest r;
  EXPECT_EQ(ParsePdfArguments({"in.vtl", "out.pdf"}, r), "");
  EXPECT_EQ(r.options, PrintOptions{});
  EXPECT_FALSE(r.portrait);
  int w = 0, h = 0;
  PaperPixels(r.paper, r.portrait, 600, w, h);
  EXPECT_EQ(w, 7016);
  EXPECT_EQ(h, 4961);
  ASSERT_EQ(ParsePdfArguments({"in.vtl", "--scale", "87", "out.pdf", "--all-levels", "--grayscale",
                               "--grid", "--no-baseboard", "--paper", "letter", "--portrait"},
                              r),
            "");
  EXPECT_EQ(r.pdf_file, "out.pdf");
  EXPECT_EQ(r.options.scaling, PrintScaling::ActualScale);
  EXPECT_EQ(r.options.scale_n, 87);
  EXPECT_TRUE(r.options.levels == PrintLevels::All && r.options.color == PrintColor::Greyscale &&
              r.options.grid);
  EXPECT_FALSE(r.options.baseboard);
  EXPECT_STREQ(r.paper.name, "letter");
  EXPECT_TRUE(r.portrait);
  EXPECT_NE(ParsePdfArguments({"a", "b", "--scale", "0"}, r), "");
  EXPECT_NE(ParsePdfArguments({"a", "b", "--percent"}, r), "");
  EXPECT_NE(ParsePdfArguments({"a", "b", "--paper", "a5"}, r), "");
  EXPECT_NE(ParsePdfArguments({"a", "b", "--bogus"}, r), "");
  EXPECT_NE(ParsePdfArguments({"a"}, r), "");
}

}  // namespace
