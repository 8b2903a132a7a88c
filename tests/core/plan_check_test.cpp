// The plan check on hand-made layouts: height steps, collisions, clearance, grades, helix
// rings, what may come close, and the re-check after edits matching a check from scratch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "edit/helix_ops.h"
#include "edit/plan_check.h"
#include "layout_builder.h"
#include "model/layout_ops.h"

namespace {

int Count(const std::vector<PlanConflict>& all, ConflictKind kind) {
  return static_cast<int>(
      std::count_if(all.begin(), all.end(), [&](const PlanConflict& c) { return c.kind == kind; }));
}

// A straight of 188.3 mm at a pose and height, joined to nothing.
int Lay(Layout& l, const std::string& cat, Pose pose, double z = 0) {
  ChainBuilder b(l);
  const int id = b.Start(cat, pose);
  l.pieces.back().z = z;
  return id;
}

std::vector<std::string> Texts(const std::vector<PlanConflict>& all) {
  std::vector<std::string> out;
  for (const PlanConflict& c : all) out.push_back(ConflictText(c));
  return out;
}

TEST(PlanCheck, JoinedEndsAtDifferentHeightsAreOneStep) {
  Layout l;
  ChainBuilder b(l);
  const int first = b.Start("24188");
  const int second = b.Append("24188");
  Piece(l, second).z = 10;
  EXPECT_EQ(Texts(CheckPlan(l)),
            std::vector<std::string>{"height step 10.0 mm at joint 1 1 -> 2 0 (x=188.3, y=0.0)"});
  EXPECT_EQ(ConflictPieces(CheckPlan(l)[0]), (std::vector<int>{first, second}));
  // A step of 0.5 mm still meets; a grade's far end is where the next piece starts.
  Piece(l, second).z = 0.5;
  EXPECT_TRUE(CheckPlan(l).empty());
  Piece(l, first).grade = 3.0;
  Piece(l, second).z = 188.3 * std::sin(3.0 * kPi / 180.0);
  EXPECT_TRUE(CheckPlan(l).empty());
}

// Two loose pieces: crossing at one height (under 5 mm apart) they collide, above each
// other they need headroom (less for Z), beside each other the standard spacing.
TEST(PlanCheck, CollisionsClearanceAndSpacing) {
  using K = ConflictKind;
  const struct {
    const char* cat;
    double az;
    Pose b;
    double bz;
    std::vector<K> want;
  } cases[] = {
      {"24188", 4.9, {94, -94, 90}, 0, {K::Collision}},
      {"24188", 30, {94, -94, 90}, 0, {K::Clearance}},
      {"24188", 80, {94, -94, 90}, 0, {}},
      {"8500", 40, {55, -55, 90}, 0, {}},
      {"8500", 25, {55, -55, 90}, 0, {K::Clearance}},
      {"24188", 0, {40, 77.5, 0}, 0, {}},
      {"24188", 0, {40, 64.6, 0}, 0, {}},
      {"24188", 0, {40, 50, 0}, 0, {K::Collision}},
      {"24188", 0, {40, 0, 0}, 0, {K::Collision}},
      {"24188", 0, {40, 50, 0}, 100, {}},
  };
  for (const auto& c : cases) {
    Layout l;
    Lay(l, c.cat, {0, 0, 0}, c.az);
    Lay(l, c.cat, c.b, c.bz);
    std::vector<K> got;
    for (const PlanConflict& f : CheckPlan(l)) got.push_back(f.kind);
    EXPECT_EQ(got, c.want) << c.cat << " " << c.az << " " << c.b.y << " " << c.bz;
  }
  Layout l;
  const int a = Lay(l, "24188", {0, 0, 0});
  const int b = Lay(l, "24188", {94, -94, 90});
  EXPECT_EQ(Texts(CheckPlan(l)),
            std::vector<std::string>{"collision pieces 1 and 2 at x=94.0 y=0.0 (level 1)"});
  Piece(l, a).z = 30;
  EXPECT_EQ(ConflictPieces(CheckPlan(l).at(0)), (std::vector<int>{a, b}));  // the upper first
  Layout z;
  Lay(z, "8500", {0, 0, 0}, 25);
  Lay(z, "8500", {55, -55, 90});
  EXPECT_DOUBLE_EQ(CheckPlan(z).at(0).limit, 30.0);
}

TEST(PlanCheck, ACrossoverOfTwoTurnoutsAndItsTrackAreFine) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188", {-188.3, 0, 0});
  const int t1 = b.Append("24611");
  b.Append("24188", 0, t1, 1);
  // Turned round by its branch onto the track 77.5 mm beside.
  const int t2 = b.Append("24611", 2, t1, 2);
  b.Append("24188", 0, t2, 0);
  b.Append("24188", 1, t2, 1);
  auto found = CheckPlan(l);
  EXPECT_TRUE(found.empty()) << ConflictText(found.front());
  // Track laid over the other exit of the first turnout is not its sibling.
  const int stray = Lay(l, "24188", {188.3, -20, 0});
  found = CheckPlan(l);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.back().b, stray);
}

TEST(PlanCheck, GradesSteeperThanSixDegrees) {
  Layout l;
  const int a = Lay(l, "24188", {0, 0, 0});
  Piece(l, a).grade = -6.0;
  EXPECT_TRUE(CheckPlan(l).empty());
  Piece(l, a).grade = -6.5;
  EXPECT_EQ(Count(CheckPlan(l), ConflictKind::SteepGrade), 1);
}

TEST(PlanCheck, HelixRingsAreTrackAtTheirHeights) {
  Document doc;
  InsertHelix(doc, "proses_2_5_r1r2", 0, {0, 0});
  Layout& l = doc.layout();
  const Helix h = l.helices.front();
  // Deck track joined to the stubs at the stubs' heights: the helix alone is fine.
  ChainBuilder b(l);
  b.Append("24188", 0, h.bottomR1, 1);
  const int high = b.Append("24188", 0, h.topR2, 1);
  EXPECT_EQ(Count(CheckPlan(l), ConflictKind::HeightStep), 1);
  Piece(l, high).z = 260;
  auto found = CheckPlan(l);
  EXPECT_TRUE(found.empty()) << ConflictText(found.front());
  // A straight across the rings at the top of the helix, where the first turn is 26 mm
  // up: level with it, it collides; 52 mm above it and below the next turn it lacks
  // headroom; above the helix it is fine. The helix is named by its first stub.
  const int across = Lay(l, "24188", {0, -500, 90}, 26);
  found = CheckPlan(l);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(Count(found, ConflictKind::Collision), 1);
  EXPECT_EQ(ConflictPieces(found[0]), (std::vector<int>{h.bottomR1, across}));
  Piece(l, across).z = 78;
  found = CheckPlan(l);
  ASSERT_EQ(Count(found, ConflictKind::Clearance), 1);
  EXPECT_NEAR(found[0].value, 52.0, 3.0);  // the rings climb 0.29 mm a degree
  Piece(l, across).z = 500;
  EXPECT_TRUE(CheckPlan(l).empty());
}

// Edits of every kind, each followed by an update: the kept conflicts always equal those
// of a check from scratch.
TEST(PlanCheck, ReCheckAfterEditsMatchesACheckFromScratch) {
  Layout l = MakeBigLayout(400, 5);
  PlanChecker checker;
  checker.Update(l);
  std::mt19937 rng(11);
  for (int step = 0; step < 300; ++step) {
    PlacedPiece& p = l.pieces[rng() % l.pieces.size()];
    switch (rng() % 6) {
      case 0:  // a move onto other track
        p.x += static_cast<double>(rng() % 400) - 200;
        p.y += static_cast<double>(rng() % 400) - 200;
        break;
      case 1:
        p.z = static_cast<double>(rng() % 100);
        break;
      case 2:
        p.grade = static_cast<double>(rng() % 15);
        break;
      case 3:  // a delete
        p.sel = true;
        DeleteSelected(l);
        break;
      case 4: {  // a new piece somewhere
        ChainBuilder b(l);
        b.Start(rng() % 2 ? "24188" : "24611",
                {static_cast<double>(rng() % 8000), static_cast<double>(rng() % 3000),
                 static_cast<double>(rng() % 12) * 30});
        break;
      }
      default:  // a joint cut on both sides
        if (!p.joints.empty() && p.joints[0].target != -1) {
          PlacedPiece& t = Piece(l, p.joints[0].target);
          t.joints[static_cast<std::size_t>(p.joints[0].tconn)] = Joint{};
          p.joints[0] = Joint{};
        }
        break;
    }
    ASSERT_EQ(Texts(checker.Update(l)), Texts(CheckPlan(l))) << "after step " << step;
  }
  // Moving one piece looks at it, what it is joined to and nothing else.
  l.pieces[7].x += 30;
  checker.Update(l);
  EXPECT_LE(checker.last_rechecked(), 4u);
}

}  // namespace
