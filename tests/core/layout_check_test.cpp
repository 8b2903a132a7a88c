// The consistency report: open ends from the catalog geometry, every kind of broken
// joint and reference, duplicate ids, and track length per system.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout_builder.h"
#include "model/layout_check.h"
#include "model/layout_ops.h"

namespace {

bool HasProblem(const LayoutCheck& c, const std::string& text) {
  return std::find(c.problems.begin(), c.problems.end(), text) != c.problems.end();
}

TEST(LayoutCheck, JoinedChainHasTwoOpenEndsAndItsLength) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188", {100, 50, 90});
  b.Append("24188");
  b.Append("24130");
  const LayoutCheck c = CheckLayout(l);
  EXPECT_TRUE(c.problems.empty()) << c.problems.front();
  ASSERT_EQ(c.open_ends.size(), 2u);
  EXPECT_EQ(c.open_ends[0].piece, 1);
  EXPECT_EQ(c.open_ends[0].conn, 0);
  EXPECT_NEAR(c.open_ends[0].x, 100, 1e-9);
  EXPECT_NEAR(c.open_ends[0].y, 50, 1e-9);
  EXPECT_NEAR(c.open_ends[0].angle, 270, 1e-9);
  EXPECT_EQ(c.open_ends[1].piece, 3);
  EXPECT_EQ(c.open_ends[1].conn, 1);
  ASSERT_EQ(c.lengths.size(), 1u);
  EXPECT_EQ(c.lengths[0].system, 0);
  EXPECT_NEAR(c.lengths[0].mm, 2 * 188.3 + 2 * 3.14159265358979 * 360 / 12, 1e-6);
  const std::string report = CheckReportText(l, c);
  EXPECT_NE(report.find("pieces 3\n"), std::string::npos);
  EXPECT_NE(report.find("open 1 0 x=100.000 y=50.000 angle=270.000\n"), std::string::npos);
  EXPECT_NE(report.find("track length Marklin C-Track 565.096 mm\n"), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 11), "consistent\n");
}

TEST(LayoutCheck, OpenEndsAreSortedByPieceIdThenConnector) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188");
  b.Start("24611", {0, 500, 0});  // a turnout: three ends
  std::swap(l.pieces[0], l.pieces[1]);
  l.pieces.push_back(l.pieces[0]);
  l.pieces.back().cat = "no-such-article";
  l.pieces.back().id = 0;
  const LayoutCheck c = CheckLayout(l);
  std::vector<std::pair<int, int>> order;
  for (const OpenEnd& e : c.open_ends) order.emplace_back(e.piece, e.conn);
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}}));
  EXPECT_EQ(c.unknown_articles, std::vector<std::string>{"no-such-article"});
  EXPECT_TRUE(HasProblem(c, "unknown article no-such-article"));
}

TEST(LayoutCheck, EveryBrokenJointIsNamed) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188");
  b.Append("24188");
  b.Append("24188");
  l.pieces[0].joints[1] = {};      // 2 -> 1 is now one-sided
  l.pieces[2].SetJoint(1, 42, 0);  // names a piece that is not there
  l.pieces[2].SetJoint(4, 1, 0);   // a straight has no connector 4
  l.pieces[1].SetJoint(1, 3, 9);   // the other straight has no connector 9
  const LayoutCheck c = CheckLayout(l);
  EXPECT_TRUE(HasProblem(c, "joint 2 0 -> 1 1: one-sided, piece 1 does not record it"));
  EXPECT_TRUE(HasProblem(c, "joint 3 1 -> 42 0: piece 42 does not exist"));
  EXPECT_TRUE(HasProblem(c, "joint 3 4 -> 1 0: article 24188 has no connector 4"));
  EXPECT_TRUE(HasProblem(c, "joint 2 1 -> 3 9: article 24188 has no connector 9"));
  EXPECT_TRUE(HasProblem(c, "joint 3 0 -> 2 1: one-sided, piece 2 does not record it"));
  // The joint naming the missing piece hides nothing else on that piece.
  EXPECT_EQ(c.problems.size(), 7u);
  EXPECT_EQ(CheckJointConsistency(l).empty(), false);
}

TEST(LayoutCheck, DuplicateIdsAndDanglingReferences) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188");
  b.Append("24188");
  l.scenery = {{2, "tree", 0, 0, 0, false, 1, 1, 1}};
  l.labels = {{7, "a", 0, 0, false}, {7, "b", 0, 0, false}};
  l.grade_runs = {{2.0, 1, 1}, {2.0, 55, 0}};
  l.tunnels = {{8, -1, 99, 1, -1, {1, 66}}};
  l.helices = {{9, 0, 0, 0, kDefaultHelixId, 2, 77, -1, -1}};
  const LayoutCheck c = CheckLayout(l);
  EXPECT_TRUE(HasProblem(c, "duplicate id 2: piece scenery item"));
  EXPECT_TRUE(HasProblem(c, "duplicate id 7: label label"));
  EXPECT_TRUE(HasProblem(c, "grade run 2 names missing piece 55"));
  EXPECT_TRUE(HasProblem(c, "tunnel 8 covers missing piece 66"));
  EXPECT_TRUE(HasProblem(c, "tunnel 8 names missing portal 99"));
  EXPECT_TRUE(HasProblem(c, "helix 9 names missing piece 77"));
  EXPECT_EQ(c.problems.size(), 6u);
  const std::string report = CheckReportText(l, c);
  EXPECT_NE(report.find("problem: grade run 2 names missing piece 55\n"), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 13), "6 problem(s)\n");
}

TEST(LayoutCheck, ThreeDecimalsWithoutNegativeZero) {
  EXPECT_EQ(Mm3(-0.0001), "0.000");
  EXPECT_EQ(Mm3(-0.0006), "-0.001");
  EXPECT_EQ(Mm3(238.3), "238.300");
}

}  // namespace
