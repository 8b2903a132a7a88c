// Snap search: distances, angles, systems, ties, and the grid index against the plain scan.
#include <gtest/gtest.h>

#include <random>

#include "catalog/catalog.h"
#include "edit/snap.h"
#include "layout_builder.h"
#include "model/layout_ops.h"

namespace {

// A C-Track straight whose free end 1 is at (188.3, 0) pointing 0 degrees.
std::vector<PlacedPiece> OneStraight() {
  return {PieceAt("24188", 0, 0, 0, 7)};
}

SnapCandidate Both(const PieceDef& def, Pose pose, const std::vector<PlacedPiece>& pieces) {
  SnapIndex index;
  index.Build(pieces, [](const PlacedPiece&) { return true; });
  const SnapCandidate plain = FindSnap(def, pose, pieces);
  EXPECT_EQ(index.Find(def, pose), plain);
  return plain;
}

TEST(Snap, ReachIs25mm) {
  const SnapCandidate s = Both(Def("24188"), {188.3 + 25.0, 0, 0}, OneStraight());
  ASSERT_TRUE(s.found);
  EXPECT_EQ((std::vector<int>{s.targetPiece, s.targetConnector, s.newConnector}),
            (std::vector<int>{7, 1, 0}));
  EXPECT_NEAR(s.x, 188.3, 1e-9);
  EXPECT_NEAR(s.y, 0, 1e-9);
  EXPECT_NEAR(s.heading, 0, 1e-9);
  EXPECT_NEAR(s.distance, 25.0, 1e-9);
  EXPECT_FALSE(Both(Def("24188"), {188.3 + 25.01, 0, 0}, OneStraight()).found);
}

TEST(Snap, EndsPointingTheSameWayNeverMate) {
  // Connector 0 points 180 + heading; the target end points 0.
  EXPECT_TRUE(Both(Def("24188"), {190, 0, 200}, OneStraight()).found);     // 20 degrees apart
  EXPECT_FALSE(Both(Def("24188"), {190, 0, 199.9}, OneStraight()).found);  // 19.9 apart
  EXPECT_FALSE(Both(Def("24188"), {188.3, 0, 180}, OneStraight()).found);  // same direction
}

TEST(Snap, SystemsMixOnlyThroughTheAdapter) {
  EXPECT_FALSE(Both(Def("2200"), {190, 0, 0}, OneStraight()).found);   // K next to C
  EXPECT_FALSE(Both(Def("62188"), {190, 0, 0}, OneStraight()).found);  // TRIX next to Märklin C
  const std::vector<PlacedPiece> adapter = {PieceAt("24922", 0, 0, 0)};
  EXPECT_TRUE(Both(Def("2200"), {185, 0, 0}, adapter).found);    // K at the K end
  EXPECT_FALSE(Both(Def("24188"), {185, 0, 0}, adapter).found);  // C at the K end
  const SnapCandidate c = Both(Def("24188"), {-190, 0, 0}, adapter);
  ASSERT_TRUE(c.found);
  EXPECT_EQ(c.targetConnector, 0);
  EXPECT_EQ(c.newConnector, 1);
}

TEST(Snap, EqualDistancesKeepTheEarlierPair) {
  // Two pieces whose free ends lie 10 mm either side of the new piece's connector 0.
  std::vector<PlacedPiece> two = {PieceAt("24188", -188.3, -10, 0, 5),
                                  PieceAt("24188", -188.3, 10, 0, 3)};
  SnapCandidate s = Both(Def("24188"), {0, 0, 0}, two);
  ASSERT_TRUE(s.found);
  EXPECT_EQ(s.targetPiece, 5);  // placed first, whatever its id
  std::swap(two[0], two[1]);
  s = Both(Def("24188"), {0, 0, 0}, two);
  EXPECT_EQ(s.targetPiece, 3);
}

TEST(Snap, RotatingACurveChangesWhichEndSnaps) {
  // A 30 degree R1 curve dropped near the straight's free end at (188.3, 0).
  const PieceDef& curve = Def("24130");
  const SnapCandidate forward = Both(curve, {195, 0, 0}, OneStraight());
  ASSERT_TRUE(forward.found);
  EXPECT_EQ(forward.newConnector, 0);
  PlacedPiece placed = PieceAt("24130", forward.x, forward.y, forward.heading, 9);
  EXPECT_GT(WorldConnectors(placed, curve)[1].y, 1.0);  // bends toward +y
  // Turned by 150 degrees (five steps of 30) its connector 1 comes near the end instead,
  // and the curve bends the other way.
  const SnapCandidate back = Both(curve, {193.3 + 180.0, -48.23, 150}, OneStraight());
  ASSERT_TRUE(back.found);
  EXPECT_EQ(back.newConnector, 1);
  placed = PieceAt("24130", back.x, back.y, back.heading, 9);
  const auto ends = WorldConnectors(placed, curve);
  EXPECT_NEAR(ends[1].x, 188.3, 1e-9);
  EXPECT_NEAR(ends[1].y, 0, 1e-9);
  EXPECT_LT(ends[0].y, -1.0);
}

TEST(Snap, JoinedEndsAreNotOffered) {
  std::vector<PlacedPiece> p = OneStraight();
  p[0].joints = {{-1, -1}, {99, 0}};
  EXPECT_FALSE(Both(Def("24188"), {190, 0, 0}, p).found);
}

// The grid index gives exactly what the plain scan gives, ties included.
TEST(Snap, IndexMatchesThePlainScanOnRandomLayouts) {
  const char* const kArticles[] = {"24188", "24130", "24611", "24230",
                                   "24640", "74861", "2200",  "24922"};
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    Layout l = MakeBigLayout(300, seed);
    // Scatter loose pieces on a coarse grid so that many ends coincide exactly (ties).
    for (int k = 0; k < 100; ++k) {
      PlacedPiece p = PieceAt(kArticles[rng() % 8], (rng() % 20) * 94.15, (rng() % 20) * 94.15,
                              (rng() % 12) * 30.0, 10000 + k);
      l.pieces.push_back(p);
    }
    SnapIndex index;
    index.Build(l.pieces, [](const PlacedPiece&) { return true; });
    std::uniform_real_distribution<double> coord(-100, 2000);
    for (int q = 0; q < 300; ++q) {
      const PieceDef& def = Def(kArticles[rng() % 8]);
      // Half of the probes sit exactly on grid points, where ties happen.
      const Pose pose = q % 2
                            ? Pose{coord(rng), coord(rng), (rng() % 24) * 15.0}
                            : Pose{(rng() % 20) * 94.15, (rng() % 20) * 94.15, (rng() % 12) * 30.0};
      ASSERT_EQ(index.Find(def, pose), FindSnap(def, pose, l.pieces))
          << "seed " << seed << " probe " << q;
    }
  }
}

TEST(Snap, NearListsIndexedEndsInLayoutOrder) {
  std::vector<PlacedPiece> p = {PieceAt("24188", 0, 0, 0, 4), PieceAt("24188", 190, 0, 0, 2)};
  SnapIndex index;
  index.Build(p, [](const PlacedPiece&) { return true; });
  const auto near = index.Near(189, 0, 4.0);
  ASSERT_EQ(near.size(), 2u);
  EXPECT_EQ((std::vector<int>{near[0].piece, near[0].conn, near[1].piece, near[1].conn}),
            (std::vector<int>{4, 1, 2, 0}));
  EXPECT_TRUE(index.Near(184.2, 0, 4.0).empty());  // 4.1 and 5.8 mm away
  EXPECT_EQ(index.Near(184.31, 0, 4.0).size(), 1u);
}

}  // namespace
