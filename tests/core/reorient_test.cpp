// Flip and Mirror: geometry at the joint, heights, joints on both pieces, refusals, undo.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "edit/grades.h"
#include "edit/reorient.h"
#include "fake_prompter.h"
#include "layout_builder.h"
#include "model/layout_ops.h"

namespace {

// The side of the line through `a` along its heading on which `b` lies.
double Side(const Connector& a, const Connector& b) {
  const double t = DegToRad(a.angle);
  return std::cos(t) * (b.y - a.y) - std::sin(t) * (b.x - a.x);
}

class Reorient : public testing::Test {
 protected:
  const PlacedPiece& Piece(int id) { return ::Piece(doc.layout(), id); }
  Connector End(int id, int k) {
    const PlacedPiece& p = Piece(id);
    return WorldConnectors(p, *Catalog::instance().find(p.cat))[static_cast<std::size_t>(k)];
  }
  void Select(std::initializer_list<int> ids) {
    for (PlacedPiece& p : doc.layout().pieces)
      p.sel = std::find(ids.begin(), ids.end(), p.id) != ids.end();
  }

  Document doc;
  ChainBuilder b{doc.layout()};
  FakePrompter prompter;
};

TEST_F(Reorient, FlippedCurveRejoinsByItsOtherEndAndTurnsTheOtherWay) {
  const int straight = b.Start("24188", {100, 50, 30});
  const int curve = b.Append("24130");
  const Connector joint = End(straight, 1);
  const double free_before = End(curve, 1).angle;
  Select({curve});
  const Layout before = doc.layout();

  EXPECT_TRUE(FlipSelected(doc, prompter).changed);
  EXPECT_TRUE(prompter.shown.empty());
  const PlacedPiece& c = Piece(curve);
  EXPECT_FALSE(c.Joined(0));
  ASSERT_TRUE(c.Joined(1));
  EXPECT_EQ(c.joints[1].target, straight);
  EXPECT_EQ(Piece(straight).joints[1].tconn, 1);
  const Connector on_joint = End(curve, 1);
  EXPECT_NEAR(on_joint.x, joint.x, 1e-6);
  EXPECT_NEAR(on_joint.y, joint.y, 1e-6);
  EXPECT_NEAR(AngleGap(on_joint.angle, joint.angle + 180), 0, 1e-6);
  EXPECT_NEAR(AngleGap(End(curve, 0).angle, free_before), 60, 1e-6);
  EXPECT_EQ(CheckJointConsistency(doc.layout()), "");
  EXPECT_EQ(doc.UndoLabel(), "Flip");

  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.layout().pieces, before.pieces);
}

TEST_F(Reorient, AFlippedGradedPieceKeepsTheHeightAtTheJointAndClimbsAway) {
  b.Start("24188");
  const int curve = b.Append("24130");
  PlacedPiece& p = doc.layout().pieces.back();
  p.z = 10;
  p.grade = 2;
  const double far_before = ElevationAt(p, 1);
  Select({curve});
  ASSERT_TRUE(FlipSelected(doc, prompter).changed);
  EXPECT_NEAR(ElevationAt(Piece(curve), 1), 10, 1e-9);
  EXPECT_NEAR(ElevationAt(Piece(curve), 0), far_before, 1e-9);
}

TEST_F(Reorient, AFlippedTurnoutOnItsPointsBranchesToTheOtherSide) {
  b.Start("24188");
  const int turnout = b.Append("24611");
  const double side_before = Side(End(turnout, 0), End(turnout, 2));
  Select({turnout});
  ASSERT_TRUE(FlipSelected(doc, prompter).changed);
  EXPECT_TRUE(Piece(turnout).Joined(1));
  // Seen from the joint, the branch now leaves on the other hand.
  EXPECT_LT(Side(End(turnout, 1), End(turnout, 2)) * side_before, 0);
}

TEST_F(Reorient, FlipRefusesWithoutChangingAnything) {
  const int a = b.Start("24188");
  const int middle = b.Append("24188");
  b.Append("24188");
  struct Case {
    std::initializer_list<int> select;
    const char* text;
  };
  for (const Case& c : {Case{{a, middle}, "Select one piece to flip."},
                        Case{{middle},
                             "The piece is joined at more than one end. Only a piece hanging "
                             "on one joint can be flipped."}}) {
    Select(c.select);
    const Layout before = doc.layout();
    prompter.shown.clear();
    EXPECT_FALSE(FlipSelected(doc, prompter).changed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Flip");
    EXPECT_EQ(prompter.shown[0].text, c.text);
    EXPECT_EQ(doc.layout().pieces, before.pieces);
    EXPECT_FALSE(doc.CanUndo());
  }
}

TEST_F(Reorient, AMirroredTurnoutBecomesTheOtherHandOnTheSameJoint) {
  const int straight = b.Start("24188", {0, 0, 45});
  const int turnout = b.Append("24611");
  const int curve = b.Start("24130", {500, 500, 0});
  const Connector joint = End(turnout, 0);
  Select({turnout, curve});

  const ReorientOutcome r = MirrorSelected(doc, prompter);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.status, "No opposite hand for 24130; left as they are.");
  EXPECT_EQ(Piece(turnout).cat, "24612");
  EXPECT_EQ(Piece(curve).cat, "24130");
  const Connector now = End(turnout, 0);
  EXPECT_NEAR(now.x, joint.x, 1e-6);
  EXPECT_NEAR(now.y, joint.y, 1e-6);
  EXPECT_NEAR(AngleGap(now.angle, joint.angle), 0, 1e-6);
  EXPECT_EQ(Piece(turnout).joints[0].target, straight);
  EXPECT_EQ(CheckJointConsistency(doc.layout()), "");
  EXPECT_EQ(doc.UndoLabel(), "Mirror");
}

TEST(Mirror, FindsEachHandsCounterpartByGeometry) {
  const Catalog& catalog = Catalog::instance();
  for (auto [a, b] : {std::pair{"24611", "24612"}, {"24671", "24672"}, {"24771", "24772"}}) {
    const auto c = OppositeHand(*catalog.find(a));
    ASSERT_TRUE(c) << a;
    EXPECT_EQ(c->def->id, b);
    EXPECT_EQ(OppositeHand(*catalog.find(b))->def->id, a);
  }
  for (const char* alone : {"24188", "24130", "24630", "74620"})
    EXPECT_FALSE(OppositeHand(*catalog.find(alone))) << alone;
}

}  // namespace
