// The consistency report: open ends in order, every kind of broken joint and reference,
// duplicate ids, and the report's numbers (the tool test checks a whole report).
#include <gtest/gtest.h>

#include <algorithm>

#include "layout_builder.h"
#include "model/layout_check.h"
#include "model/layout_ops.h"

namespace {

// Every problem in `expected` is reported, and nothing else.
void ExpectProblems(const LayoutCheck& c, std::vector<std::string> expected) {
  std::vector<std::string> got = c.problems;
  std::sort(got.begin(), got.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(got, expected);
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
  ExpectProblems(c, {"unknown article no-such-article"});
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
  // The joint naming the missing piece hides nothing else on that piece.
  ExpectProblems(CheckLayout(l), {"joint 2 0 -> 1 1: one-sided, piece 1 does not record it",
                                  "joint 3 1 -> 42 0: piece 42 does not exist",
                                  "joint 3 4 -> 1 0: article 24188 has no connector 4",
                                  "joint 3 4 -> 1 0: one-sided, piece 1 does not record it",
                                  "joint 2 1 -> 3 9: article 24188 has no connector 9",
                                  "joint 2 1 -> 3 9: one-sided, piece 3 does not record it",
                                  "joint 3 0 -> 2 1: one-sided, piece 2 does not record it"});
  EXPECT_FALSE(CheckJointConsistency(l).empty());
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
  ExpectProblems(CheckLayout(l),
                 {"duplicate id 2: piece scenery item", "duplicate id 7: label label",
                  "grade run 2 names missing piece 55", "tunnel 8 covers missing piece 66",
                  "tunnel 8 names missing portal 99", "helix 9 names missing piece 77",
                  "helix 9 stub 2 does not belong to it", "helix 9 is missing its topR1 stub",
                  "helix 9 is missing its topR2 stub"});
}

TEST(LayoutCheck, ThreeDecimalsWithoutNegativeZero) {
  EXPECT_EQ(Mm3(-0.0001), "0.000");
  EXPECT_EQ(Mm3(-0.0006), "-0.001");
  EXPECT_EQ(Mm3(238.3), "238.300");
}

}  // namespace
