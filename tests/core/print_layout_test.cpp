// Printing on paper: the printed area, the page counts and offsets, the page limits,
// and that printing leaves the layout as it was.
#include "print/print_layout.h"
#include "print/pdf_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/track_system.h"
#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "recording_painter.h"

namespace {

Layout Baseboard2400x1200() {
  Layout l = WithLevel();
  l.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  return l;
}

PrintOptions Scale(int n) {
  return {.scaling = PrintScaling::ActualScale, .scale_n = n, .shown = {}};
}

// 100 mm square: 1000 x 1000 pixels at 254 dpi, 10 pixels to the millimetre.
constexpr Paper kSquare{"square", 100, 100};

TEST(PrintPages, PagesInPixelsAtTheirResolutionOr300DpiWhenUnknown) {
  const Layout l = Baseboard2400x1200();
  const PrintBounds b = ComputePrintBounds(l, Scale(1));
  const PagePlan p = PlanPages(b, Scale(1), kA4Paper, true, 600);
  EXPECT_EQ(p.width, 4961);  // 4960.6 pixels, rounded
  EXPECT_EQ(p.height, 7016);
  EXPECT_EQ(PlanPages(b, Scale(1), kA4Paper, false, 0).scale, 300 / 25.4);
}

// Fit to Page cut off helix rings, the outer half of edge track and scenery: the
// printed area held piece ends and scenery positions only.
TEST(PrintBounds, HoldWhatThePrintedLevelsDrawAsItIsDrawn) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .outline = {}});
  EXPECT_EQ(ComputePrintBounds(l, PrintOptions{}).max_x, 1000);  // nothing: a square metre
  ChainBuilder(l).Start("24188", {5000, 5000, 0});
  const double hw = TrackHalfWidth(MarklinC);
  const PrintBounds piece = ComputePrintBounds(l, PrintOptions{});
  EXPECT_NEAR(piece.min_y, 5000 - hw, 1e-9);
  EXPECT_NEAR(piece.max_y, 5000 + hw, 1e-9);
  // No bottom piece: on level 1; turned so that no ring piece starts leftmost.
  l.helices.push_back({.cx = 2000, .cy = 5000, .heading = 10});
  l.scenery.push_back({.id = 50, .item = "platform", .x = 3000, .y = 8000, .heading = 90});
  l.labels.push_back({51, "Yard", 4000, 3000});
  ChainBuilder(l).Start("24188", {-3000, 5000, 0}, 2);
  l.scenery.push_back({.id = 52, .item = "platform", .x = 9000, .y = 5000, .level = 2});
  l.shapes.push_back({.vertices = {{0, -4000}, {10, -4000}, {0, -3990}}, .level = 2, .label = {}});
  const PrintBounds active = ComputePrintBounds(l, PrintOptions{});
  const double outer = HelixCatalog::resolve(l.helices[0].variant)->outer_radius;
  EXPECT_NEAR(active.min_x, 2000 - outer - hw, 1.0);
  EXPECT_EQ(active.min_y, 3000);
  EXPECT_NEAR(active.max_x, 5188.3 + hw, 1e-9);
  EXPECT_NEAR(active.max_y, 8115, 1e-9);  // the platform turned upright
  PrintOptions all{.levels = PrintLevels::All, .shown = {}};
  const PrintBounds every = ComputePrintBounds(l, all);
  EXPECT_NEAR(every.min_x, -3000 - hw, 1e-9);
  EXPECT_EQ(every.min_y, -4000);
  EXPECT_NEAR(every.max_x, 9115, 1e-9);
  l.baseboard = {{0, 0}, {0, 9000}, {10, 9000}};
  EXPECT_EQ(ComputePrintBounds(l, all).max_y, 9000);
  all.baseboard = false;
  EXPECT_NEAR(ComputePrintBounds(l, all).max_y, 8115, 1e-9);
}

// A layout that reaches the edges of its printed area with everything a page draws:
// track along the board's edge, a helix over it, turned scenery, a label in the corner,
// a measurement, and the board's edge lengths.
Layout ShelfToTheEdges() {
  Layout l = Baseboard2400x1200();
  ChainBuilder c(l);
  c.Start("24188", {0, 1000, 270});
  c.Append("24188");
  l.helices.push_back({.cx = 2300, .cy = 300});
  l.scenery.push_back({.id = 50, .item = "platform", .x = 1200, .y = 1250, .heading = 30});
  l.labels.push_back({51, "Yard", 2400, 1200});
  l.measures.push_back({.start = {0, -100}, .end = {2400, -100}, .label_offset = {}});
  return l;
}

// At 96 dpi the recording painter measures text as a printer does: a point is 1/72 inch.
constexpr double kRecorderDpi = 96;

// Article labels printed at screen size times the print scale: at 1 : 1 a 24188 label
// was 249 x 57 mm over a 188 x 38 mm piece, and in Fit to Page labels hid the track.
TEST(PrintPages, ArticleLabelsHaveAPaperSizeOfTheirOwnAndNeverOutgrowTheirPiece) {
  Layout l = ShelfToTheEdges();
  l.grade_runs.push_back({2.0, l.pieces[0].id, 0});
  const LabelRoom room = PaperLabelRoom(*Catalog::instance().find("24188"));
  for (const PrintOptions& o : {Scale(1), Scale(10), PrintOptions{}, Scale(200)}) {
    const PagePlan plan = PlanPrint(l, o, kA4Paper, false, kRecorderDpi);
    int labels = 0, grades = 0;
    for (int page = 1; page <= PageCount(plan); ++page) {
      RenderContext rc;
      RecordingPainter rec;
      DrawPrintPage(rc, rec, PrintedLayout(l, o), "", o, plan, page);
      for (const PaintCall* c : rec.Find(Op::Text)) {
        // The grade beside a piece is as large as its label, not the zoom's size.
        if (c->text == "+2.0 deg") {
          ++grades;
          EXPECT_EQ(c->state.font_size, kPaperLabelPoints);
        }
        if (c->text != "24188") continue;
        ++labels;
        EXPECT_LE(c->state.font_size, kPaperLabelPoints);
        if (o.scaling == PrintScaling::ActualScale) {
          EXPECT_EQ(c->state.font_size, kPaperLabelPoints);
        }
        EXPECT_LE(PaintCall::TextWidth(c->text, c->state.font_size), room.length * plan.scale);
        EXPECT_LE(PaintCall::TextHeight(c->state.font_size), room.width * plan.scale);
      }
    }
    // At 1 : 200 a piece is smaller on paper than a label can be read: none is printed.
    EXPECT_EQ(labels > 0, o.scaling != PrintScaling::ActualScale || o.scale_n < 200) << o.scale_n;
    EXPECT_EQ(grades > 0, labels > 0) << o.scale_n;
  }
}

// Nothing stands in the margins but the header and, where sheets join, the marks that
// go on from the edges of the drawing area.
TEST(PrintPages, PagesAreHeadedAndTiledPagesNamedAndMarkedWhereTheyJoin) {
  Layout l = ShelfToTheEdges();
  l.levels[0].name = "Lower deck";
  EXPECT_EQ(PageName(PagePlan{}, 27), "AA1");  // one page across
  EXPECT_EQ(PageName(PagePlan{}, 28), "AB1");
  const PagePlan grid{.bounds = {}, .across = 3, .down = 2, .pages = 6};
  const PrintOptions all{.levels = PrintLevels::All, .shown = {}};
  EXPECT_EQ(PageHeader(l, "Shelf", PrintOptions{}, PagePlan{}, 1), "Shelf \u2014 Lower deck");
  EXPECT_EQ(PageHeader(l, "", all, PagePlan{}, 1), "all levels");
  EXPECT_EQ(PageHeader(l, "Shelf", PrintOptions{}, grid, 5),
            "Shelf \u2014 Lower deck \u2014 page B2 of 3 \u00d7 2");

  // Fit to Page on one sheet either way round draws the whole layout inside the margins;
  // a true scale tiles it.
  const PrintOptions fit{.levels = PrintLevels::All, .shown = {}};
  for (const auto& [o, portrait] :
       {std::pair{fit, true}, std::pair{fit, false}, std::pair{Scale(5), true}}) {
    const PagePlan plan = PlanPrint(l, o, kA4Paper, portrait, kRecorderDpi);
    ASSERT_EQ(PageCount(plan) == 1, o.scaling == PrintScaling::FitToPage);
    const PageArea a = PrintableArea(plan);
    const int right = a.x + a.width, bottom = a.y + a.height;
    int drawn = 0;
    for (int page = 1; page <= PageCount(plan); ++page) {
      RenderContext rc;
      RecordingPainter rec;
      DrawPrintPage(rc, rec, PrintedLayout(l, o), "Shelf", o, plan, page);
      const int column = (page - 1) % plan.across, row = (page - 1) / plan.across;
      int headers = 0, marks = 0;
      for (const PaintCall& c : rec.calls) {
        int x0, y0, x1, y1;
        c.Bounds(x0, y0, x1, y1);
        if (c.op == Op::Text) {  // as the recording painter measures it
          x1 = x0 + PaintCall::TextWidth(c.text, c.state.font_size);
          y1 = y0 + PaintCall::TextHeight(c.state.font_size);
        }
        if (c.state.clipped) {
          ++drawn;
          EXPECT_TRUE(c.state.clip_x == a.x && c.state.clip_y == a.y && c.state.clip_w == a.width &&
                      c.state.clip_h == a.height);
          if (o.scaling != PrintScaling::FitToPage) continue;
          const int pen = 2;  // outlines reach half their pen beyond their points
          EXPECT_TRUE(x0 >= a.x - pen && y0 >= a.y - pen && x1 <= right + pen && y1 <= bottom + pen)
              << "call " << static_cast<int>(c.op) << " " << c.text << " at " << x0 << "," << y0
              << "-" << x1 << "," << y1 << (portrait ? " portrait" : " landscape");
          continue;
        }
        EXPECT_TRUE(x0 >= 0 && y0 >= 0 && x1 <= plan.width && y1 <= plan.height);
        // The header and the join marks: where they go the golden page shows.
        ++(c.op == Op::Text ? headers : marks);
      }
      EXPECT_EQ(headers, 1);
      const int joins =
          (column > 0) + (column + 1 < plan.across) + (row > 0) + (row + 1 < plan.down);
      EXPECT_EQ(marks, 2 * joins) << PageName(plan, page);
    }
    EXPECT_GT(drawn, 50);
  }
}

TEST(PrintPages, FitPercentagesTilesAndTheCentredSinglePage) {
  const PrintBounds b{100, 50, 2500, 1250};
  const PagePlan fit = PlanPages(b, PrintOptions{}, kSquare, true, 254);
  EXPECT_EQ(PageCount(fit), 1);
  EXPECT_DOUBLE_EQ(fit.scale, 920.0 / 2400);
  // One page: centred within the margins.
  const PageOffset c = PageOffsetFor(fit, 1);
  EXPECT_NEAR(c.x + 100 * fit.scale, 40, 1e-9);  // 2400 mm fill the width
  EXPECT_NEAR(c.y + 50 * fit.scale, (920 - 1200 * fit.scale) / 2 + 40, 1e-9);
  PrintOptions twice{.scaling = PrintScaling::Percentage, .percent = 200, .shown = {}};
  const PagePlan p = PlanPages(b, twice, kSquare, true, 254);
  EXPECT_DOUBLE_EQ(p.scale, 2 * fit.scale);
  EXPECT_EQ(p.across, 2);
  EXPECT_EQ(p.down, 1);
  // 100 % fills the usable width exactly: one page, not two.
  twice.percent = 100;
  EXPECT_EQ(PageCount(PlanPages(b, twice, kSquare, true, 254)), 1);

  const PagePlan tiles = PlanPages(b, Scale(1), {"tall", 100, 200}, true, 254);
  ASSERT_GT(tiles.across, 2);
  // Page 2 is the next 920-pixel tile to the right; page across+1 the next row down.
  const PageOffset first = PageOffsetFor(tiles, 1);
  EXPECT_DOUBLE_EQ(first.x, 40 - 100 * tiles.scale);
  EXPECT_DOUBLE_EQ(first.y, 80 - 50 * tiles.scale);
  EXPECT_NEAR(PageOffsetFor(tiles, 2).x, first.x - 920, 1e-9);
  EXPECT_NEAR(PageOffsetFor(tiles, tiles.across + 1).y, first.y - 1840, 1e-9);
}

// The preview planned on the printer's page in pixels and the PDF on the paper at
// 600 dpi, each rounded its own way: a layout just at a page boundary came out a page
// longer in one of them.
TEST(PrintPages, EveryResolutionCountsTheSamePagesAtPageBoundaries) {
  for (const char* name : {"a4", "a3", "letter"})
    for (const bool portrait : {true, false}) {
      const Paper paper = *FindPaper(name);
      const double usable_w = 0.92 * (portrait ? paper.width_mm : paper.height_mm);
      const double usable_h = 0.92 * (portrait ? paper.height_mm : paper.width_mm);
      for (const int n : {1, 10, 87})
        for (const int pages : {1, 2, 3})
          for (const double off : {-0.01, -1e-6, 0.0, 1e-6, 0.01}) {
            const PrintBounds b{-50, 20, -50 + pages * usable_w * n + off,
                                20 + pages * usable_h * n + off};
            const PagePlan pdf = PlanPages(b, Scale(n), paper, portrait, kPdfDpi);
            if (off == 0.0 || std::fabs(off) > 1e-3) {
              EXPECT_EQ(pdf.across, pages + (off > 0)) << name << " 1:" << n << " " << off;
              EXPECT_EQ(pdf.down, pages + (off > 0)) << name << " 1:" << n << " " << off;
            }
            for (const double dpi : {72.0, 96.0, 150.0, 300.0, 360.0, 720.0, 1200.0}) {
              const PagePlan other = PlanPages(b, Scale(n), paper, portrait, dpi);
              EXPECT_EQ(other.across, pdf.across) << name << " 1:" << n << " at " << dpi;
              EXPECT_EQ(other.down, pdf.down) << name << " 1:" << n << " at " << dpi;
            }
          }
    }
}

TEST(PrintPages, APrintersPageIsTheNamedPaperWithinTwoMillimetres) {
  // A4 as printers report it, 595 x 841 points.
  const PaperOnPage a4 = PaperOfPage(kA4Paper, 595 * 25.4 / 72, 841 * 25.4 / 72);
  EXPECT_STREQ(a4.paper.name, "a4");
  EXPECT_TRUE(a4.portrait);
  EXPECT_FALSE(PaperOfPage(kA4Paper, 297, 210).portrait);
  // Letter chosen in the print dialog is planned as the page it is.
  const PaperOnPage letter = PaperOfPage(kA4Paper, 279.4, 215.9);
  EXPECT_EQ(letter.paper.width_mm, 215.9);
  EXPECT_EQ(letter.paper.height_mm, 279.4);
  EXPECT_FALSE(letter.portrait);
}

// Up to 100 pages print without a question, up to 2,000 after one (No the default),
// more never.
TEST(PrintPages, ThePageCountIsAskedAboveAHundredAndRefusedAboveTwoThousand) {
  const auto plan = [](int across, int down) {
    return PagePlan{.bounds = {}, .across = across, .down = down, .pages = 1.0 * across * down};
  };
  FakePrompter silent;
  EXPECT_TRUE(ConfirmPageCount(plan(10, 10), silent));
  EXPECT_TRUE(silent.shown.empty());

  for (const PagePlan& asked : {plan(101, 1), plan(40, 50)}) {
    FakePrompter no, yes;
    yes.answers.push_back(PromptAnswer::Yes);
    EXPECT_FALSE(ConfirmPageCount(asked, no));
    EXPECT_TRUE(ConfirmPageCount(asked, yes));
    ASSERT_EQ(yes.shown.size(), 1u);
    EXPECT_EQ(yes.shown[0].kind, "yesno");
    EXPECT_TRUE(yes.shown[0].default_no);
    const std::string count = std::to_string(asked.across * asked.down) + " pages (" +
                              std::to_string(asked.across) + " across, " +
                              std::to_string(asked.down) + " down)";
    EXPECT_NE(yes.shown[0].text.find(count), std::string::npos) << yes.shown[0].text;
  }

  FakePrompter refused;
  refused.answers.push_back(PromptAnswer::Yes);  // never asked
  EXPECT_FALSE(ConfirmPageCount(plan(2001, 1), refused));
  ASSERT_EQ(refused.shown.size(), 1u);
  EXPECT_EQ(refused.shown[0].kind, "notify");
  EXPECT_NE(refused.shown[0].text.find("2001 pages; at most 2000"), std::string::npos);
}

// A 1 MB label cost 1.5 s on every page and its estimated size made a printout of
// thousands of pages: now each page draws the labels it meets, laid out once.
TEST(PrintPages, LabelsAreDrawnOnThePagesTheyMeetAndLaidOutOncePerPrintout) {
  Layout l = Baseboard2400x1200();
  const PrintOptions o = Scale(10);
  const PagePlan plan = PlanPages({0, 0, 2400, 1200}, o, kA4Paper, true, 600);
  ASSERT_EQ(plan.across, 2);
  ASSERT_EQ(plan.down, 1);
  // "Yard" stands far left of the second page; "Sidings" starts 20 pixels left of it
  // and reaches onto it.
  const PageOffset second = PageOffsetFor(plan, 2);
  l.labels.push_back({1, "Yard", 100, 100});
  l.labels.push_back({2, "Sidings", (-20 - second.x) / plan.scale, 100});
  const Layout printed = PrintedLayout(l, o);
  RenderContext rc;
  std::map<std::string, int> measured;
  std::vector<std::vector<std::string>> texts(3);
  for (const int page : {1, 2, 1, 2}) {
    RecordingPainter rec;
    DrawPrintPage(rc, rec, printed, "", o, plan, page);
    texts[static_cast<std::size_t>(page)] = rec.Texts();
    for (const auto& [text, count] : rec.measured) measured[text] += count;
    for (const PaintCall* c : rec.Find(Op::Text)) {
      if (c->text == "Sidings" && page == 2) {
        EXPECT_LT(c->pts[0].x, 0);
      }
    }
  }
  const auto has = [&](int page, const std::string& text) {
    const std::vector<std::string>& t = texts[static_cast<std::size_t>(page)];
    return std::find(t.begin(), t.end(), text) != t.end();
  };
  EXPECT_TRUE(has(1, "Yard"));
  EXPECT_TRUE(has(1, "Sidings"));
  EXPECT_FALSE(has(2, "Yard"));
  EXPECT_TRUE(has(2, "Sidings"));
  EXPECT_EQ(measured["Yard"], 1);
  EXPECT_EQ(measured["Sidings"], 1);

  // The printed area makes room for a label as it is drawn, not for all of its text.
  Layout huge = Baseboard2400x1200();
  huge.labels.push_back({1, std::string(1 << 20, 'x'), 100, 100});
  Layout cut = Baseboard2400x1200();
  cut.labels.push_back({1, std::string(2000, 'x') + "\u2026", 100, 100});
  EXPECT_EQ(PlanPrint(huge, o, kA4Paper, true, 600).bounds,
            PlanPrint(cut, o, kA4Paper, true, 600).bounds);
}

TEST(PrintPages, PiecesTooSmallForAFillAreLinesAsWideAsTheirBand) {
  const Layout printed = PrintedLayout(MakeBigLayout(2000), PrintOptions{});
  const PagePlan plan = PlanPrint(printed, PrintOptions{}, kA4Paper, false, 600);
  RenderContext rc;
  RecordingPainter rec;
  DrawPrintPage(rc, rec, printed, "", PrintOptions{}, plan, 1);
  EXPECT_TRUE(rec.Find(Op::Polygon).empty());
  ASSERT_FALSE(rec.Find(Op::Lines).empty());
  EXPECT_EQ(rec.Find(Op::Lines)[0]->state.pen_width, std::lround(37.4 * plan.scale));
}

TEST(PrintPages, PrintingDrawsACopyAndLeavesTheLayoutAlone) {
  Layout l = Baseboard2400x1200();
  l.levels.push_back({.id = 2, .visible = false, .outline = {}});
  const std::vector<Level> levels = l.levels;
  PrintOptions all{.levels = PrintLevels::All, .baseboard = false, .shown = {}};
  const Layout printed = PrintedLayout(l, all);
  EXPECT_TRUE(printed.levels[1].visible);
  EXPECT_TRUE(PrintedSwitches(all) == (DrawSwitches{false, true, false}));
  all.grid = true;
  all.shown.labels = false;
  EXPECT_TRUE(PrintedSwitches(all) == (DrawSwitches{true, false, false}));
  all.shown.grid = false;  // the window hides its grid: so does the printout
  EXPECT_FALSE(PrintedSwitches(all).grid);
  const Layout active = PrintedLayout(l, PrintOptions{});
  EXPECT_TRUE(active.levels[0].visible);
  EXPECT_FALSE(active.levels[1].visible);
  EXPECT_EQ(l.levels, levels);
}

TEST(PdfRequest, OptionsPaperAndOrientation) {
  PdfRequest r;
  EXPECT_EQ(ParsePdfArguments({"in.vtl", "out.pdf"}, r), "");
  EXPECT_EQ(r.options, PrintOptions{});
  const PagePixels landscape = PaperPixels(r.paper, r.portrait, 600);
  EXPECT_EQ(landscape.width, 7016);
  EXPECT_EQ(landscape.height, 4961);
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
