// The grade commands: Start Grade, End Grade, Recalc and the height field, on chains laid
// forward and backwards, curves and helices; each one undo step.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/panel_edits.h"
#include "edit/placement.h"
#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_ops.h"

namespace {

const double kSin2 = std::sin(2.0 * kPi / 180);

class GradeTest : public testing::Test {
 protected:
  GradeTest() : build(l) { EnsureDefaultLevel(l); }
  PlacedPiece& P(int id) { return l.pieces[static_cast<std::size_t>(FindPiece(l, id))]; }
  // The palette's double-click on the selection: the path every join of the run takes.
  int Extend(const char* article) {
    const PlaceResult r = AutoConnect(doc, article, ask);
    EXPECT_TRUE(r.placed);
    return r.id;
  }
  void SelectOnly(int id) {
    for (PlacedPiece& p : l.pieces) p.sel = p.id == id;
  }

  Document doc;

  Layout& l = doc.layout();
  ChainBuilder build;
  FakePrompter ask;
};

TEST_F(GradeTest, StartGradeAnchorsARunThatJoinedTrackClimbs) {
  const int a = build.Start("24188");
  P(a).z = 5;
  SelectOnly(a);
  const GradeOutcome r = StartGrade(doc, a, 2.0);
  EXPECT_EQ(r.status, "Elevation: UP 2.0 deg");
  EXPECT_EQ(P(a).z, 5);  // the start keeps its elevation; its far end rises
  EXPECT_EQ(l.grade_runs, (std::vector<GradeRun>{{2.0, a, 0}}));
  Extend("24188");
  const int c = Extend("24188");
  EXPECT_NEAR(P(c).z, 5 + 2 * 188.3 * kSin2, 1e-9);
  EXPECT_EQ(l.grade_mode.anchor, c);
  EXPECT_EQ(StartGrade(doc, c, -1.5).status, "Elevation: DOWN 1.5 deg");
  EXPECT_EQ(l.grade_runs.size(), 1u);  // the run on c is updated, not doubled
  EXPECT_EQ(StartGrade(doc, 999, 2.0).changed, false);
}

TEST_F(GradeTest, APieceLaidBackwardsRisesAtItsFreeEnd) {
  // b is joined to a only by its connector 1, as extending from connector 0 lays it.
  const int a = build.Start("24188");
  const int b = build.Append("24188", 1, a, 0);
  StartGrade(doc, b, 2.0);
  EXPECT_TRUE(P(b).rev);
  EXPECT_NEAR(ElevationAt(P(b), 1), 0, 1e-9);  // no step at the joint
  EXPECT_NEAR(ElevationAt(P(b), 0), 188.3 * kSin2, 1e-9);
  SelectOnly(b);
  const int c = Extend("24188");  // continues from b's free connector 0
  EXPECT_NEAR(ElevationAt(P(c), 1), ElevationAt(P(b), 0), 1e-9);
  EXPECT_NEAR(ElevationAt(P(c), 0), 2 * 188.3 * kSin2, 1e-9);
  EXPECT_EQ(l.grade_mode.anchor, c);
}

TEST_F(GradeTest, TrackJoinedBehindTheStartDoesNotContinueTheRun) {
  const int a = build.Start("24188");
  StartGrade(doc, a, 3.0);
  SelectOnly(a);
  const int ahead = Extend("24188");  // at connector 1: the leading end
  SelectOnly(a);
  const int behind = Extend("24188");  // at connector 0: behind the start
  EXPECT_EQ(P(ahead).grade, 3.0);
  EXPECT_EQ(P(behind).grade, 0);
  EXPECT_EQ(l.grade_mode.anchor, ahead);
  // A piece that closes onto the trailing end of an anchor keeps the elevation it has.
  EXPECT_FALSE(RunContinuesAt(l, ahead, 0));
  EXPECT_TRUE(RunContinuesAt(l, ahead, 1));
}

TEST_F(GradeTest, EndGradeLevelsTheRunAndTheFlatTrackAfterIt) {
  const int a = build.Start("24188");
  StartGrade(doc, a, 2.0);
  SelectOnly(a);
  Extend("24188");
  const int c = Extend("24188");
  const int d = build.Append("24188", 0, c, 1);  // flat track laid after the run
  const int e = build.Append("24188", 0, d, 1);
  P(e).grade = 1.0;  // a graded piece stops the walk
  P(e).z = 77;
  EXPECT_EQ(EndGrade(doc, c).status, "Grade ended - subsequent pieces will be flat");
  EXPECT_EQ(P(c).grade, 0);
  EXPECT_NEAR(P(c).z, 2 * 188.3 * kSin2, 1e-9);  // the end of the piece before it
  EXPECT_NEAR(P(d).z, 2 * 188.3 * kSin2, 1e-9);
  EXPECT_EQ(P(e).z, 77);
}

TEST_F(GradeTest, EndGradeInsideARunEndsTheRunItBelongsTo) {
  const int a = build.Start("24188");
  StartGrade(doc, a, 2.0);
  SelectOnly(a);
  const int b = Extend("24188");
  const int c = Extend("24188");
  ASSERT_EQ(l.grade_runs, (std::vector<GradeRun>{{2.0, c, 1}}));  // the run's anchor moved on
  EndGrade(doc, b);
  EXPECT_TRUE(l.grade_runs.empty());
  EXPECT_EQ(P(b).grade, 0);
  EXPECT_NEAR(P(b).z, 188.3 * kSin2, 1e-9);  // where a ends
  EXPECT_EQ(P(c).grade, 2.0);                // a graded piece stops the levelling walk
}

TEST_F(GradeTest, FlatTrackNeverRewritesAHelixStub) {
  const int helix = InsertHelix(doc, "", 0, {0, 0});
  ASSERT_GT(helix, 0);
  const Helix& h = l.helices.front();
  ASSERT_TRUE(SetHelixBaseHeight(doc, helix, 40).changed);
  const double bottom = P(h.bottomR1).z;
  const double top = P(h.topR1).z;
  ASSERT_GT(top, bottom + 100);
  // Flat straights on both sides of each bottom stub, then heights set that would
  // carry on into the stubs.
  for (const int stub : {h.bottomR1, h.topR1}) {
    for (int conn = 0; conn < 2; ++conn) {
      if (P(stub).Joined(conn)) continue;
      const int d = build.Append("24188", 1, stub, conn);
      SetPieceHeight(doc, d, 5);
      const int e = build.Append("24188", 0, d, 0);
      SetPieceHeight(doc, e, 7);
      EndGrade(doc, e);
    }
  }
  EXPECT_DOUBLE_EQ(P(h.bottomR1).z, bottom);
  EXPECT_DOUBLE_EQ(P(h.topR1).z, top);
}

TEST_F(GradeTest, EndGradeFollowsAChainLaidBackwards) {
  // Each piece joined by its connector 1 to connector 0 of the one before: the run
  // climbs through `rev` pieces, and the walks must leave each by connector 0.
  const int a = build.Start("24188");
  SelectOnly(a);
  Extend("24188");  // at a's connector 1
  const int s = build.Append("24188", 1, a, 0);
  StartGrade(doc, s, 2.0);
  SelectOnly(s);
  const int t = Extend("24188");
  const int u = build.Append("24188", 1, t, 0);  // flat track after the run
  EndGrade(doc, t);
  const double end_of_s = ElevationAt(P(s), 0);
  EXPECT_NEAR(end_of_s, 188.3 * kSin2, 1e-9);
  EXPECT_NEAR(P(t).z, end_of_s, 1e-9);
  EXPECT_NEAR(P(u).z, end_of_s, 1e-9);
  EXPECT_EQ(P(a).z, 0);  // nothing behind the run moves
}

TEST_F(GradeTest, RecalcTakesTheElevationFromThePieceBeforeAlongTheChord) {
  const int a = build.Start("24130");
  StartGrade(doc, a, 3.0);
  SelectOnly(a);
  const int b = Extend("24130");
  const int c = build.Append("24188", 0, b, 1);  // flat
  P(a).z = 50;
  EXPECT_TRUE(RecalculateForward(doc, b).changed);
  // A 30 degree R1 curve advances 180 mm, not its 188.5 mm arc.
  EXPECT_NEAR(P(b).z, 50 + 180.0 * std::sin(3.0 * kPi / 180), 1e-9);
  EXPECT_NEAR(P(c).z, ElevationAt(P(b), 1), 1e-9);
}

TEST_F(GradeTest, HeightFieldSetsAPieceOrAHelixBaseInTheDisplayUnit) {
  const int a = build.Start("24188");
  const int b = build.Append("24188");
  l.units = 1;
  EXPECT_TRUE(ApplyHeightText(doc, {ShownKind::Piece, a}, " 12,5 "));
  EXPECT_DOUBLE_EQ(P(a).z, 125);
  EXPECT_DOUBLE_EQ(P(b).z, 125);
  for (const char* bad : {"", "abc", "1e400"})
    EXPECT_FALSE(ApplyHeightText(doc, {ShownKind::Piece, a}, bad)) << bad;
  EXPECT_TRUE(ApplyHeightText(doc, {ShownKind::Piece, a}, "5000"));
  EXPECT_DOUBLE_EQ(P(a).z, 10'000);  // at most 10 m
  EXPECT_TRUE(ApplyHeightText(doc, {ShownKind::Piece, a}, "-3"));
  EXPECT_DOUBLE_EQ(P(a).z, 0);
  EXPECT_FALSE(ApplyHeightText(doc, {ShownKind::Pieces, -1}, "3"));

  l.units = 2;
  const int h = InsertHelix(doc, "", 0, {1000, 0});
  const Helix& helix = l.helices.back();
  const int out = build.Append("24188", 0, helix.topR1, 1);
  ASSERT_TRUE(ApplyHeightText(doc, {ShownKind::Helix, h}, "2"));
  const double rise = HelixCatalog::find(HelixCatalog::default_id)->rise;
  EXPECT_DOUBLE_EQ(P(helix.bottomR1).z, 50.8);
  EXPECT_DOUBLE_EQ(P(helix.topR2).z, 50.8 + rise);
  EXPECT_DOUBLE_EQ(P(out).z, 50.8 + rise);
}

}  // namespace
