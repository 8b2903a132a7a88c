// World connectors, mating poses and the track-system check: what track laying relies on.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "layout_builder.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"

namespace {

TEST(WorldConnectors, RotateThenTranslate) {
  const auto w = WorldConnectors(PieceAt("24188", 100, 50, 90), Def("24188"));
  ASSERT_EQ(w.size(), 2u);
  EXPECT_NEAR(w[0].x, 100, 1e-12);
  EXPECT_NEAR(w[0].y, 50, 1e-12);
  EXPECT_EQ(w[0].angle, 270);
  EXPECT_NEAR(w[1].x, 100, 1e-12);
  EXPECT_NEAR(w[1].y, 238.3, 1e-12);
  EXPECT_EQ(w[1].angle, 90);
}

TEST(WorldConnectors, HeadingWrapsIntoRange) {
  PlacedPiece p = PieceAt("24130", 0, 0, 350);
  EXPECT_DOUBLE_EQ(WorldConnectors(p, Def("24130"))[1].angle, 20);
  EXPECT_EQ(NormalizeAngle(-30), 330);
  EXPECT_EQ(NormalizeAngle(720), 0);
  EXPECT_EQ(FoldAngle(190), -170);
  EXPECT_EQ(FoldAngle(180), 180);
  EXPECT_EQ(FoldAngle(-180), 180);
}

TEST(WorldConnectors, FreeFollowsTheJointSlots) {
  PlacedPiece p = PieceAt("24611", 0, 0, 0);
  p.joints = {{7, 1}, {-1, -1}};  // slot 2 missing
  const auto w = WorldConnectors(p, Def("24611"));
  EXPECT_EQ((std::vector<bool>{w[0].free, w[1].free, w[2].free}),
            (std::vector<bool>{false, true, true}));
}

// Laying a full circle of one curve article returns to the start point and heading.
TEST(Geometry, FullCirclesClose) {
  for (int i = 0; i < Catalog::instance().count(); ++i) {
    const PieceDef& d = *Catalog::instance().at(i);
    if (d.kind != PieceKind::Curve) continue;
    const double n = 360.0 / d.angle;
    if (std::fabs(n - std::round(n)) > 1e-9) continue;
    Layout layout;
    ChainBuilder b(layout);
    b.Start(d.id, {12.5, -7.25, 15});
    for (int k = 1; k < static_cast<int>(std::round(n)); ++k) b.Append(d.id);
    const PlacedPiece& last = layout.pieces.back();
    const auto end = WorldConnectors(last, d)[1];
    EXPECT_NEAR(end.x, 12.5, 1e-9) << d.id;
    EXPECT_NEAR(end.y, -7.25, 1e-9) << d.id;
    EXPECT_NEAR(AngleGap(end.angle, 15), 0, 1e-9) << d.id;
  }
}

// A turnout's branch with the counter-curve runs parallel at the track spacing.
TEST(Geometry, TurnoutAndCounterCurveGiveTrackSpacing) {
  for (auto [turnout, sign] : {std::pair{"24611", -1.0}, std::pair{"24612", 1.0}}) {
    Layout layout;
    ChainBuilder b(layout);
    const int t = b.Start(turnout);
    // The counter-curve bends back: laid from its far end on a left branch.
    const int c = sign < 0 ? b.Append("24224", 0, t, 2) : b.Append("24224", 1, t, 2);
    const PlacedPiece& cp = layout.pieces[static_cast<std::size_t>(FindPiece(layout, c))];
    const auto ends = WorldConnectors(cp, Def("24224"));
    const Connector& out = sign < 0 ? ends[1] : ends[0];
    EXPECT_NEAR(out.y, sign * 77.5, 0.05) << turnout;
    EXPECT_NEAR(AngleGap(out.angle, 0), 0, 0.05) << turnout;
  }
}

TEST(MatePose, PutsTheConnectorOnTheTargetFacingBack) {
  const Connector w(300, 40, 30, 1);
  for (int k = 0; k < 2; ++k) {
    const Pose p = MatePose(Def("24130"), k, w);
    PlacedPiece piece = PieceAt("24130", p.x, p.y, p.heading);
    const auto c = WorldConnectors(piece, Def("24130"))[static_cast<std::size_t>(k)];
    EXPECT_NEAR(c.x, 300, 1e-9);
    EXPECT_NEAR(c.y, 40, 1e-9);
    EXPECT_NEAR(AngleGap(c.angle, 210), 0, 1e-9);
  }
  EXPECT_EQ(MatePose(Def("24130"), 2, w), Pose{});
  EXPECT_EQ(MatePose(Def("24130"), -1, w), Pose{});
}

// A K-Track straight with its free end at (180, 0) pointing 0 degrees.
std::vector<PlacedPiece> KStraight() {
  return {PieceAt("2200", 0, 0, 0)};
}

TEST(JoinCompatibility, NearAndFacingConnectorsOfOtherSystemsConflict) {
  const auto k = KStraight();
  auto at25 = CheckJoinCompatibility(Def("24188"), {205.0, 0, 0}, k);
  EXPECT_TRUE(at25.incompatible);
  EXPECT_EQ(at25.new_system, MarklinC);
  EXPECT_EQ(at25.placed_system, MarklinK);
  EXPECT_EQ(IncompatibleSystemsText(at25),
            "Marklin C-Track cannot connect to Marklin K-Track.\n\nThese track systems are not "
            "compatible.\nUse adapter track 24922 to connect C-Track to K-Track.");
  EXPECT_FALSE(CheckJoinCompatibility(Def("24188"), {205.01, 0, 0}, k).incompatible);
  // Connector 0 of the new piece points 180 + heading; 20 degrees apart is tested.
  EXPECT_TRUE(CheckJoinCompatibility(Def("24188"), {190, 0, 200}, k).incompatible);
  EXPECT_FALSE(CheckJoinCompatibility(Def("24188"), {190, 0, 199.9}, k).incompatible);
  // Same system joins; TRIX C and Märklin C are different systems.
  EXPECT_FALSE(CheckJoinCompatibility(Def("2201"), {180, 0, 0}, k).incompatible);
  EXPECT_TRUE(
      CheckJoinCompatibility(Def("62188"), {180, 0, 0}, {PieceAt("24188", 0, 0, 0)}).incompatible);
  // Unknown articles are skipped.
  EXPECT_FALSE(
      CheckJoinCompatibility(Def("24188"), {180, 0, 0}, {PieceAt("nope", 0, 0, 0)}).incompatible);
}

TEST(JoinCompatibility, TheAdapterJoinsCAtOneEndAndKAtTheOther) {
  const std::vector<PlacedPiece> adapter = {PieceAt("24922", 0, 0, 0)};
  EXPECT_FALSE(CheckJoinCompatibility(Def("2200"), {180, 0, 0}, adapter).incompatible);
  EXPECT_TRUE(CheckJoinCompatibility(Def("24188"), {180, 0, 0}, adapter).incompatible);
  EXPECT_FALSE(CheckJoinCompatibility(Def("24188"), {-188.3, 0, 0}, adapter).incompatible);
  EXPECT_TRUE(CheckJoinCompatibility(Def("2200"), {-180, 0, 0}, adapter).incompatible);
  // A joined connector is not free and takes no part.
  std::vector<PlacedPiece> joined = adapter;
  joined[0].joints = {{-1, -1}, {99, 0}};
  EXPECT_FALSE(CheckJoinCompatibility(Def("24188"), {180, 0, 0}, joined).incompatible);
}

}  // namespace
