// Hit tests, click selection, chains, rubber band, locks and deleting graded track.
#include <gtest/gtest.h>

#include <tuple>

#include "catalog/catalog.h"
#include "edit/selection.h"
#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "view/hit_test.h"

namespace {

// Screen = layout millimetres.
const ViewTransform kUnit{1.0, 0.0, 0.0};

int Hit(const Layout& l, double x, double y) {
  return HitTestPiece(l, kUnit, x, y);
}

std::vector<int> Selected(const Layout& l) {
  std::vector<int> ids;
  for (const auto& p : l.pieces)
    if (p.sel) ids.push_back(p.id);
  return ids;
}

// A layout and a builder laying track on it.
class Track : public testing::Test {
 protected:
  Layout l;
  ChainBuilder b{l};
};
using HitTest = Track;
using Select = Track;
using RubberBand = Track;
using Locks = Track;

TEST_F(HitTest, StraightBandAndEnds) {
  const int s = b.Start("24188", {100, 100, 0});
  for (const auto& [x, y, hit] : {std::tuple{150.0, 120.0, true},
                                  {150.0, 120.5, false},
                                  {95.0, 100.0, true},
                                  {94.5, 100.0, false},
                                  {293.3, 100.0, true}})
    EXPECT_EQ(Hit(l, x, y), hit ? s : -1) << x << " " << y;
  // Z track is narrower; rotated pieces are tested in their own frame.
  Layout z, r;
  const int zs = ChainBuilder(z).Start("8500"), rs = ChainBuilder(r).Start("24188", {0, 0, 90});
  EXPECT_EQ(std::tuple(Hit(z, 50, 7.0), Hit(z, 50, 7.5), Hit(r, 0, 150), Hit(r, 150, 0)),
            std::tuple(zs, -1, rs, -1));
}

TEST_F(HitTest, CurvesFollowTheirArcWidenedThreeDegrees) {
  const int c = b.Start("24130");  // R 360 about (0, 360), 30 degrees
  auto on_arc = [](double deg, double r) {
    const double a = deg * kPi / 180;
    return std::pair{r * std::sin(a), 360 - r * std::cos(a)};
  };
  for (const auto& [deg, r, hit] : {std::tuple{15.0, 360.0, true},
                                    {15.0, 384.5, true},
                                    {15.0, 385.5, false},
                                    {32.9, 360.0, true},
                                    {33.1, 360.0, false},
                                    {-2.9, 360.0, true}}) {
    const auto [x, y] = on_arc(deg, r);
    EXPECT_EQ(Hit(l, x, y), hit ? c : -1) << deg << " " << r;
  }
  // The chord's middle, well inside the bend, is not on the track.
  EXPECT_EQ(Hit(l, 90, 60), -1);
}

TEST_F(HitTest, TurntableAndSpacedCurvedTurnout) {
  const int t = b.Start("74861", {0, 0, 0});
  EXPECT_EQ(Hit(l, 199, 0), t);  // 378 / 2 + 10
  EXPECT_EQ(Hit(l, 0, -199.5), -1);
  Layout k;
  const int s = ChainBuilder(k).Start("2269");  // K right curved turnout, spacing 64.6
  EXPECT_EQ(Hit(k, 30, 24), s);                 // the straight box is w + 5 wide here
  // On the second arc, which starts 64.6 mm ahead.
  const double a = 25 * kPi / 180;
  EXPECT_EQ(Hit(k, 64.6 + 360 * std::sin(a), 360 - 360 * std::cos(a)), s);
}

TEST_F(HitTest, HigherLevelsWinThenTheNearestPosition) {
  l.levels = {Level{}, Level{2, "Top", true, 100, false, 0, 0, 0, {}}};
  const int low = b.Start("24188", {0, 0, 0});
  const int high = b.Start("24188", {50, 0, 0}, 2);
  EXPECT_EQ(Hit(l, 100, 0), high);
  l.levels[1].height = 0;
  EXPECT_EQ(Hit(l, 20, 0), low);  // equal heights: the position nearer the click
  EXPECT_EQ(Hit(l, 60, 0), high);
  l.levels[1].visible = false;
  EXPECT_EQ(Hit(l, 100, 0), low);
  l.pieces[0].cat = "unknown";
  EXPECT_EQ(Hit(l, 100, 0), -1);
}

TEST_F(Select, ClickCtrlAndPlain) {
  const int a = b.Start("24188");
  const int c = b.Append("24188");
  ClickSelectPiece(l, a, false, false);
  EXPECT_EQ(Selected(l), (std::vector<int>{a}));
  ClickSelectPiece(l, c, true, false);
  EXPECT_EQ(Selected(l), (std::vector<int>{a, c}));
  ClickSelectPiece(l, a, false, false);  // already selected: the selection stays
  EXPECT_EQ(Selected(l), (std::vector<int>{a, c}));
  ClickSelectPiece(l, a, true, false);
  EXPECT_EQ(Selected(l), (std::vector<int>{c}));
}

TEST_F(Select, ShiftPicksTheShortestChainAroundALoop) {
  std::vector<int> ring{b.Start("24130")};
  for (int k = 0; k < 11; ++k) ring.push_back(b.Append("24130"));
  JoinBoth(l, 11, 1, 0, 0);
  ClickSelectPiece(l, ring[1], false, false);
  ClickSelectPiece(l, ring[10], false, true);  // the short way round: 1, 0, 11, 10
  EXPECT_EQ(Selected(l), (std::vector<int>{ring[0], ring[1], ring[10], ring[11]}));
  EXPECT_EQ(ChainPath(l, ring[2], ring[5]).size(), 4u);
}

TEST_F(Select, ShiftOnAnUnconnectedPieceTogglesIt) {
  const int a = b.Start("24188");
  const int far = b.Start("24188", {1000, 1000, 0});
  ClickSelectPiece(l, far, false, true);  // nothing selected yet: selects it
  EXPECT_EQ(Selected(l), (std::vector<int>{far}));
  ClickSelectPiece(l, a, false, false);
  ClickSelectPiece(l, far, false, true);
  EXPECT_EQ(Selected(l), (std::vector<int>{a, far}));
  ClickSelectPiece(l, far, false, true);  // the anchor is now `far` itself
  EXPECT_EQ(Selected(l), (std::vector<int>{a, far}));
}

TEST_F(Select, HelicesAndTurntablesAreSelectedWhole) {
  const int t = b.Start("74861");
  const int spoke = b.Append("74871", 0, t, 3);
  b.Start("24188", {2000, 0, 0});
  for (int k = 0; k < 4; ++k) {
    b.Start("24188", {4000.0 + 100 * k, 0, 0});
    l.pieces.back().helix = 77;
  }
  ClickSelectPiece(l, t, false, false);
  EXPECT_EQ(Selected(l), (std::vector<int>{t, spoke}));
  ClickSelectPiece(l, l.pieces[5].id, false, false);
  EXPECT_EQ(Selected(l).size(), 4u);
  ClickSelectPiece(l, l.pieces[5].id, true, false);  // toggling one stub off is undone
  EXPECT_EQ(Selected(l).size(), 4u);
}

TEST_F(RubberBand, PositionsNotBodiesAndTinyBandsAreClicks) {
  l.levels = {Level{}};
  const int a = b.Start("24188", {100, 100, 0});
  b.Start("24188", {300, 100, 0});
  EXPECT_TRUE(RubberBandIsClick({0, 0}, {4, 4}));
  EXPECT_FALSE(RubberBandIsClick({0, 0}, {4, 40}));
  RubberBandSelect(l, kUnit, {98, 80}, {102, 120});  // 4 x 40 around the first position
  EXPECT_EQ(Selected(l), (std::vector<int>{a}));
  DeselectAll(l);
  RubberBandSelect(l, kUnit, {120, 80}, {280, 120});  // over the body only
  EXPECT_TRUE(Selected(l).empty());
  RubberBandSelect(l, kUnit, {100, 100}, {300, 100});  // edges count
  EXPECT_EQ(Selected(l).size(), 2u);
  DeselectAll(l);
  l.levels[0].visible = false;
  RubberBandSelect(l, kUnit, {0, 0}, {1000, 1000});
  EXPECT_TRUE(Selected(l).empty());
}

TEST_F(Locks, HelixAndTunnelMessages) {
  for (int k = 0; k < 4; ++k) {
    b.Start("24188", {100.0 * k, 0, 0});
    l.pieces.back().helix = 50;
  }
  const int t1 = b.Start("24188", {0, 500, 0});
  const int t2 = b.Append("24188");
  b.Start("24188", {0, 1000, 0});
  l.helices = {{.id = 50}};
  l.scenery = {{.id = 60, .item = {}}, {.id = 61, .item = {}}};
  l.tunnels.push_back({70, 60, 61, t1, t2, {t1, t2}});
  FakePrompter ask;
  l.pieces[0].sel = true;
  EXPECT_FALSE(CheckLocks(l, "delete", ask));
  EXPECT_EQ(ask.last().caption, "Helix track is locked");
  EXPECT_EQ(ask.last().text,
            "Selection includes track that is part of a helix. Helix track cannot be deleted "
            "individually.");
  EXPECT_FALSE(CheckLocks(l, "rotate", ask));
  EXPECT_EQ(ask.last().text,
            "Selection includes track that is part of a helix. Helix track cannot be rotated "
            "individually.");
  DeselectAll(l);
  l.scenery[1].sel = true;  // a portal alone
  EXPECT_FALSE(CheckLocks(l, "delete", ask));
  EXPECT_EQ(ask.last().caption, "Tunnel is locked");
  DeselectAll(l);
  l.pieces[6].sel = true;
  EXPECT_TRUE(CheckLocks(l, "delete", ask));
}

TEST(Delete, GradedQuestionAndPairedPartners) {
  Document doc;
  Layout& l = doc.layout();
  ChainBuilder b(l);
  b.Start("74618");
  b.Append("74618");
  const int other = b.Append("24188");
  l.pieces[0].sel = true;
  l.pieces[0].grade = 1.5;
  FakePrompter ask;
  ask.answers = {PromptAnswer::No};
  EXPECT_FALSE(DeleteSelection(doc, ask));
  EXPECT_EQ(ask.last().caption, "Delete");
  EXPECT_EQ(ask.last().text, "Selection includes graded pieces. Delete?");
  EXPECT_EQ(l.pieces.size(), 3u);
  ask.answers = {PromptAnswer::Yes};
  ASSERT_TRUE(DeleteSelection(doc, ask));
  ASSERT_EQ(l.pieces.size(), 1u);  // the joined ramp partner went too
  EXPECT_EQ(l.pieces[0].id, other);
  EXPECT_FALSE(l.pieces[0].Joined(0));
}

}  // namespace
