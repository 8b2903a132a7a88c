// Autofill: the ends it joins, its refusals, the rows it offers and the chains it lays,
// for straights alone and with curves.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "edit/autofill.h"
#include "edit/autofill_curves.h"
#include "edit/fill_chain.h"
#include "edit/grades.h"
#include "fake_prompter.h"
#include "interact/canvas_controller.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"
#include "temp_dir.h"
#include "tool_run.h"

namespace {

class AutofillTest : public ::testing::Test {
 protected:
  Document doc;
  Layout& layout = doc.layout();
  FakePrompter prompter;
  int a = -1;
  int b = -1;

  // Two unjoined pieces, both selected.
  void Pair(const std::string& ca, Pose pa, const std::string& cb, Pose pb) {
    layout = WithLevel();
    prompter = FakePrompter{};
    ChainBuilder builder(layout);
    a = builder.Start(ca, pa);
    b = builder.Start(cb, pb);
    for (PlacedPiece& p : layout.pieces) p.sel = true;
  }
  const PlacedPiece& P(int id) const { return Piece(layout, id); }
  // Consistent, and the only open ends are A's outer end and B's.
  void ExpectClosed(const Layout& l) const {
    const LayoutCheck c = CheckLayout(l);
    EXPECT_TRUE(c.problems.empty()) << c.problems.front();
    ASSERT_EQ(c.open_ends.size(), 2u);
    EXPECT_EQ(c.open_ends[0].piece, a);
    EXPECT_EQ(c.open_ends[0].conn, 0);
    EXPECT_EQ(c.open_ends[1].piece, b);
  }
  // Places every offered row in turn, each on a copy of the layout.
  void ExpectEveryRowCloses(bool with_curves) {
    const Layout start = layout;
    AutofillOutcome r =
        with_curves ? AutofillGapWithCurves(doc, prompter) : AutofillGap(doc, prompter);
    const std::vector<std::string> rows = prompter.last_rows;
    ASSERT_FALSE(rows.empty());
    for (std::size_t k = 0; k < rows.size(); ++k) {
      layout = start;
      prompter.rows.push_back(k);
      r = with_curves ? AutofillGapWithCurves(doc, prompter) : AutofillGap(doc, prompter);
      EXPECT_TRUE(r.placed) << rows[k];
      SCOPED_TRACE(rows[k]);
      ExpectClosed(layout);
    }
  }
};

TEST_F(AutofillTest, TheGapBetweenTwoStraightsIsOfferedAndClosed) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  prompter.rows.push_back(0);
  EXPECT_TRUE(AutofillGap(doc, prompter).placed);
  EXPECT_EQ(prompter.last().caption + ": " + prompter.last().text,
            "Autofill Gap: Gap: 360.0 mm. Select fill:");
  ASSERT_GE(prompter.last_rows.size(), 2u);
  EXPECT_EQ(prompter.last_rows[0], "24360  (360.0 mm)");
  EXPECT_EQ(prompter.last_rows[1], "24188 + 24172  (360.0 mm)");
  ASSERT_EQ(layout.pieces.size(), 3u);
  ExpectClosed(layout);
  EXPECT_TRUE(P(a).sel && P(b).sel && !layout.pieces[2].sel);  // the selection stays
  // Other gaps, cancelled; 1.5 mm longer than a 24188 still takes it alone, 1.6 mm not.
  for (const auto& [bx, row] :
       {std::pair{659.1, "24236 + 24236  (472.0 mm)"}, std::pair{378.1, "24188  (188.3 mm)"}}) {
    Pair("24188", {0, 0, 0}, "24188", {bx, 0, 0});
    AutofillGap(doc, prompter);
    ASSERT_FALSE(prompter.last_rows.empty());
    EXPECT_EQ(prompter.last_rows[0], row);
    EXPECT_EQ(layout.pieces.size(), 2u);
  }
  Pair("24188", {0, 0, 0}, "24188", {378.2, 0, 0});
  AutofillGap(doc, prompter);
  for (const std::string& row : prompter.last_rows) EXPECT_NE(row, "24188  (188.3 mm)");
}

TEST_F(AutofillTest, FillsUseOnePlainStraightPerLength) {
  std::vector<std::string> ids;
  for (const PieceDef* d : FillStraights(MarklinC)) ids.push_back(d->id);
  // No bridges, ramps, circuit track, adapter or spoke extension; 24997 is as long as 24094.
  EXPECT_EQ(ids, (std::vector<std::string>{"24360", "24236", "24229", "24188", "24172", "24094",
                                           "24077", "24071", "24064"}));
}

TEST_F(AutofillTest, EndsThatDoNotFaceOnOneLineAreRefusedAndDeselected) {
  struct Case {
    Pose b;
    std::string text;
  };
  const Case cases[] = {
      // Offset sideways: facing, but no straight reaches B.
      {{548.3, 77.5, 0},
       "Gap is 368.2mm. No combination of catalog straights fills it within tolerance."},
      // Beside each other, pointing opposite ways: not facing at all.
      {{188.3, 60, 0}, "Could not find facing free connectors on the two selected pieces."},
      // 160 degrees apart, even though the distance is one 24188.
      {{376.6, 0, 20},
       "Gap is 188.3mm. No combination of catalog straights fills it within tolerance."},
      {{189.2, 0, 0}, "The two pieces are already touching - no gap to fill."},
      {{189.3, 0, 0},
       "Gap is 1.0mm. No combination of catalog straights fills it within tolerance."},
  };
  for (const Case& c : cases) {
    Pair("24188", {0, 0, 0}, "24188", c.b);
    EXPECT_TRUE(AutofillGap(doc, prompter).deselected);
    ASSERT_EQ(prompter.shown.size(), 1u) << c.text;
    EXPECT_EQ(prompter.last().text, c.text);
    EXPECT_EQ(layout.pieces.size(), 2u);
    EXPECT_FALSE(AnythingSelected(layout));
  }
}

TEST_F(AutofillTest, SystemsAreThoseOfTheEndsThatWouldMeet) {
  const auto line = [](const char* cat, int system) {
    return std::string("  - ") + cat + " (" + TrackSystemName(system) + ")";
  };
  const std::string head =
      "Autofill can only run on pieces of the same track series.\n\nSelected pieces:\n";
  // C-Track and TRIX C-Track; then a C-Track end facing the adapter's K-Track end.
  Pair("24188", {0, 0, 0}, "62188", {548.3, 0, 0});
  EXPECT_FALSE(AutofillGap(doc, prompter).deselected);
  EXPECT_EQ(prompter.last().caption, "Autofill - Mixed Track Systems");
  EXPECT_EQ(prompter.last().text, head + line("24188", MarklinC) + "\n" + line("62188", TrixC));
  EXPECT_TRUE(P(a).sel && P(b).sel);
  Pair("24188", {0, 0, 0}, "24922", {728.3, 0, 180});
  AutofillGap(doc, prompter);
  EXPECT_EQ(prompter.last().text, head + line("24188", MarklinC) + "\n" + line("24922", MarklinK));

  // The adapter's K-Track end is filled with K-Track; of the 180 mm articles only 2200.
  Pair("24922", {0, 0, 0}, "2200", {540, 0, 0});
  prompter.rows.push_back(0);
  EXPECT_TRUE(AutofillGap(doc, prompter).placed);
  EXPECT_EQ(prompter.last_rows[0], "2200 + 2200  (360.0 mm)");
  for (const std::string& row : prompter.last_rows)
    EXPECT_EQ(row.find("229"), std::string::npos) << row;
  ExpectClosed(layout);
}

TEST_F(AutofillTest, FillContinuesTheGradeOfAAndLeavesAFlatAFlat) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  layout.pieces[0].z = 10;
  StartGrade(doc, a, 2.0);
  prompter.rows.push_back(0);
  ASSERT_TRUE(AutofillGap(doc, prompter).placed);
  const PlacedPiece& fill = layout.pieces[2];
  EXPECT_NEAR(fill.z, 10 + 188.3 * std::sin(DegToRad(2.0)), 1e-9);
  EXPECT_EQ(fill.grade, 2.0);
  ASSERT_EQ(layout.grade_runs.size(), 1u);
  EXPECT_EQ(layout.grade_runs[0].anchor, fill.id);

  // Through an S whose second curve is laid backwards, the climb goes on evenly.
  Pair("24188", {0, 0, 0}, "24188", {548.3, 77.5, 0});
  StartGrade(doc, a, 2.0);
  prompter.rows.push_back(0);
  ASSERT_TRUE(AutofillGapWithCurves(doc, prompter).placed);
  ASSERT_EQ(layout.pieces.size(), 4u);
  EXPECT_TRUE(layout.pieces[3].rev);
  const double run = 188.3 + 2 * 437.5 * std::sin(DegToRad(24.3));
  EXPECT_NEAR(ElevationAt(layout.pieces[3], 0), run * std::sin(DegToRad(2.0)), 1e-9);
  EXPECT_EQ(layout.grade_runs[0], (GradeRun{2.0, layout.pieces[3].id, 0}));

  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  layout.pieces[0].z = 10;
  prompter.rows.push_back(0);
  ASSERT_TRUE(AutofillGap(doc, prompter).placed);
  EXPECT_EQ(layout.pieces[2].z, 10.0);
  EXPECT_EQ(layout.pieces[2].grade, 0.0);
  EXPECT_EQ(P(a).z, 10.0);
}

TEST_F(AutofillTest, AChainIsJoinedToBOnlyWhereItMeetsB) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  const std::vector<int> laid = InsertFillChain(layout, a, 1, b, 0, {{"24188", false}});
  ASSERT_EQ(laid.size(), 1u);
  EXPECT_TRUE(P(laid[0]).Joined(0));
  EXPECT_FALSE(P(laid[0]).Joined(1) || P(b).Joined(0));
  EXPECT_TRUE(CheckLayout(layout).problems.empty());
  EXPECT_TRUE(InsertFillChain(layout, a, 0, b, 1, {{"no-such", false}}).empty());
}

TEST_F(AutofillTest, CurvesCloseAQuarterCircleAnSAndAUTurn) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 360, 90});
  AutofillGapWithCurves(doc, prompter);
  EXPECT_EQ(prompter.last().text, "Gap: 509.1 mm. Select fill:");
  ASSERT_FALSE(prompter.last_rows.empty());
  EXPECT_EQ(prompter.last_rows[0], "24130 + 24130 + 24130  (0.00 mm, 0.0°)");
  ExpectEveryRowCloses(true);

  Pair("24188", {0, 0, 0}, "24188", {548.3, 77.5, 0});
  ExpectEveryRowCloses(true);

  // Turning back beside itself, with the ends 71.7 mm apart along the track.
  Pair("24188", {0, 0, 0}, "24360", {-100, 720, 0});
  ExpectEveryRowCloses(true);
  // The longest C-Track gap no straights fill, and a gap of the straight command.
  Pair("24188", {0, 0, 0}, "24188", {188.3 + 389.1, 0, 0});
  EXPECT_TRUE(AutofillGap(doc, prompter).deselected);
  Pair("24188", {0, 0, 0}, "24188", {188.3 + 389.1, 0, 0});
  ExpectEveryRowCloses(true);
  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  ExpectEveryRowCloses(false);
}

// What no chain reaches, and a gap within the tolerance, which straights refuse too.
TEST_F(AutofillTest, CurvesRefuseWhatNoChainReaches) {
  Pair("24188", {0, 0, 0}, "24188", {198.3, 0, 90});
  EXPECT_TRUE(AutofillGapWithCurves(doc, prompter).deselected);
  EXPECT_EQ(prompter.last().caption, "Autofill - No Solution");
  EXPECT_EQ(prompter.last().text,
            "Gap is 10.0mm. No chain of catalog curves and straights joins the two ends within "
            "1.5 mm and 0.5°.");
  EXPECT_FALSE(AnythingSelected(layout));
  for (const double gap : {1.0, 1.5}) {
    SCOPED_TRACE(gap);
    Pair("24188", {0, 0, 0}, "24188", {188.3 + gap, 0, 0});
    EXPECT_TRUE(AutofillGapWithCurves(doc, prompter).deselected);
    EXPECT_EQ(prompter.last().caption, "Autofill - No Solution");
    EXPECT_TRUE(prompter.last_rows.empty());
    EXPECT_EQ(layout.pieces.size(), 2u);
  }
}

// The rows of a curve fill, in order: fewer pieces, then fewer curves, then (among equals)
// the wider curves first; and no two rows name the same articles (mirror images).
TEST(CurveFillRanking, FewestCurvesThenWidestRadiusAndNoMirrorTwins) {
  const Catalog& catalog = Catalog::instance();
  int ties_on_radius = 0;
  for (const Pose& b : {Pose{548.3, 360, 90}, Pose{548.3, 77.5, 0}, Pose{800, 700, 90},
                        Pose{700, -155, 0}, Pose{-100, 720, 180}, Pose{188.3 + 389.1, 0, 0}}) {
    SCOPED_TRACE(b.x);
    const PieceDef& straight = *catalog.find("24188");
    const Connector from = WorldConnectorsAt(straight, {0, 0, 0})[1];
    const Connector to = WorldConnectorsAt(straight, b)[0];
    const std::vector<CurveFill> rows = SolveCurvedGap(MarklinC, from, to);
    ASSERT_FALSE(rows.empty());
    struct Rank {
      std::size_t pieces;
      int curves = 0;
      double radius = 1e9;  // smallest of its curves, from the catalog
    };
    std::vector<Rank> ranks;
    for (const CurveFill& f : rows) {
      Rank& r = ranks.emplace_back(Rank{f.pieces.size()});
      for (const ChainPiece& p : f.pieces)
        if (const PieceDef* d = catalog.find(p.id); d->kind == PieceKind::Curve)
          ++r.curves, r.radius = std::min(r.radius, d->radius);
    }
    for (std::size_t k = 1; k < rows.size(); ++k) {
      const Rank& x = ranks[k - 1];
      const Rank& y = ranks[k];
      ASSERT_LE(x.pieces, y.pieces) << CurveFillRowText(rows[k]);
      if (x.pieces != y.pieces) continue;
      ASSERT_LE(x.curves, y.curves) << CurveFillRowText(rows[k]);
      if (x.curves != y.curves || rows[k - 1].hand_changes != rows[k].hand_changes) continue;
      EXPECT_GE(x.radius, y.radius) << CurveFillRowText(rows[k]);
      ties_on_radius += x.radius != y.radius;
    }
    std::set<std::string> articles;
    for (const CurveFill& f : rows) {
      const std::string text = CurveFillRowText(f);
      EXPECT_TRUE(articles.insert(text.substr(0, text.find("  ("))).second) << text;
    }
  }
  EXPECT_GT(ties_on_radius, 0) << "the gaps must include rows told apart by their radius";
}

TEST_F(AutofillTest, TheCanvasMenuRefreshesAfterPlacing) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 0, 0});
  CanvasController canvas(doc, prompter);
  prompter.rows.push_back(0);
  CanvasEffects e = canvas.Autofill(false);
  EXPECT_TRUE(e.modified && e.content && e.repaint && e.properties);
  e = canvas.Autofill(true);  // the ends now touch
  EXPECT_FALSE(e.modified);
  EXPECT_TRUE(e.properties && e.repaint);
}

TEST_F(AutofillTest, TheToolPrintsTheRowsAndSavesTheChosenOne) {
  Pair("24188", {0, 0, 0}, "24188", {548.3, 77.5, 0});
  TempDir dir;
  const std::string in = (dir / "gap.vtl").string(), out = (dir / "out.vtl").string();
  ASSERT_EQ(SaveLayout(layout, in, "Gap"), "");
  ToolRun r = RunTool({"edit", in, out, "autofill-curves", "--row", "1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("dialog: Autofill Gap: Gap: 368.2 mm. Select fill:\nrow 1: 24224", 0), 0u)
      << r.out;
  r = RunTool({"edit", in, out, "autofill"});
  // A refusal that clears the stored selection is still a refusal.
  EXPECT_EQ(r.status, 1);
}

}  // namespace
