// Placing pieces: drops, the one-click extensions, automatic extras, closing loops,
// joining on release, and the grade a joined piece continues.
#include <gtest/gtest.h>

#include <cmath>

#include "canvas_events.h"
#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "edit/grades.h"
#include "edit/helix_ops.h"
#include "edit/levels.h"
#include "edit/panel_edits.h"
#include "edit/placement.h"
#include "layout_builder.h"
#include "model/layout_ops.h"

namespace {

SnapCandidate SnapAt(const Layout& l, const char* cat, Pose pose) {
  return FindSnap(Def(cat), pose, l.pieces);
}

// An empty layout on Level 1 in a document, and a prompter that answers No.
class Placing : public CanvasFixture {
 protected:
  Layout& l = layout;
};

TEST_F(Placing, DropSnappedPieceIsJoinedOnBothSidesAndSelected) {
  const int a = DropPiece(doc, Def("24188"), {0, 0, 0}, {}, ask).id;
  const SnapCandidate s = SnapAt(l, "24130", {200, 5, 0});
  const PlaceResult r = DropPiece(doc, Def("24130"), {200, 5, 0}, s, ask);
  ASSERT_TRUE(r.placed);
  EXPECT_EQ(Piece(l, r.id).joints[0], (Joint{a, 1}));
  EXPECT_EQ(Piece(l, a).joints[1], (Joint{r.id, 0}));
  EXPECT_TRUE(Piece(l, r.id).sel);
  EXPECT_FALSE(Piece(l, a).sel);
  EXPECT_TRUE(ask.shown.empty());
}

TEST_F(Placing, DropUnsnappedDropNextToAnotherSystemIsRefused) {
  DropPiece(doc, Def("2200"), {0, 0, 0}, {}, ask);
  const PlaceResult r = DropPiece(doc, Def("24188"), {190, 0, 0}, {}, ask);
  EXPECT_FALSE(r.placed);
  ASSERT_EQ(ask.shown.size(), 1u);
  EXPECT_EQ(ask.last().caption, "Incompatible Track Systems");
  EXPECT_EQ(ask.last().text,
            "Marklin C-Track cannot connect to Marklin K-Track.\n\nThese track systems are not "
            "compatible.\nUse adapter track 24922 to connect C-Track to K-Track.");
  EXPECT_EQ(ask.last().icon, PromptIcon::Warning);
  EXPECT_EQ(l.pieces.size(), 1u);
  EXPECT_EQ(doc.undo_steps(), 1u);  // the refusal took no undo step
  // Extending the K-Track piece with C-Track is refused the same way.
  l.pieces[0].sel = true;
  EXPECT_FALSE(AutoConnect(doc, "24188", ask).placed);
  EXPECT_EQ(ask.shown.size(), 2u);
  EXPECT_EQ(ask.last().caption, "Incompatible Track Systems");
  // With snapping off the same drop is allowed.
  EXPECT_TRUE(DropPiece(doc, Def("24188"), {190, 0, 0}, {}, ask, false).placed);
}

TEST_F(Placing, DropLevelIsTheTargetsOrTheHighestVisible) {
  l.levels.push_back({2, "Upper", true, 80, false, 1, 2, 3, {}});
  l.levels.push_back({3, "Hidden", false, 200, false, 1, 2, 3, {}});
  const int a = DropPiece(doc, Def("24188"), {0, 0, 0}, {}, ask).id;
  EXPECT_EQ(Piece(l, a).level, 2);
  l.pieces[0].level = 1;
  const SnapCandidate s = SnapAt(l, "24188", {190, 0, 0});
  EXPECT_EQ(Piece(l, DropPiece(doc, Def("24188"), {190, 0, 0}, s, ask).id).level, 1);
  for (Level& v : l.levels) v.visible = false;
  l.active_level = 3;
  EXPECT_EQ(DropLevel(l), 3);
}

TEST_F(Placing, DropFirstZPieceOfAnEmptyLayoutAsksForZoomOne) {
  EXPECT_TRUE(DropPiece(doc, Def("8500"), {0, 0, 0}, {}, ask).first_z_piece);
  EXPECT_FALSE(DropPiece(doc, Def("8500"), {500, 0, 0}, {}, ask).first_z_piece);
  l.pieces.clear();
  EXPECT_FALSE(DropPiece(doc, Def("24188"), {0, 0, 0}, {}, ask).first_z_piece);
}

TEST_F(Placing, DropTurntableBringsSixSpokeExtensions) {
  const PlaceResult r = DropPiece(doc, Def("74861"), {1000, 1000, 0}, {}, ask);
  ASSERT_EQ(l.pieces.size(), 7u);
  EXPECT_EQ(doc.undo_steps(), 1u);
  const PlacedPiece& t = Piece(l, r.id);
  const int expected[] = {29, 0, 1, 14, 15, 16};
  for (int k = 0; k < 6; ++k) {
    const PlacedPiece& e = l.pieces[static_cast<std::size_t>(k + 1)];
    EXPECT_EQ(e.cat, "74871");
    EXPECT_TRUE(e.free);
    EXPECT_EQ(e.joints[0], (Joint{t.id, expected[k]}));
    EXPECT_EQ(t.joints[static_cast<std::size_t>(expected[k])], (Joint{e.id, 0}));
    // The extension starts on the ring and points outward.
    const auto ring = WorldConnectors(t, Def("74861"))[static_cast<std::size_t>(expected[k])];
    const auto ext = WorldConnectors(e, Def("74871"));
    EXPECT_NEAR(ext[0].x, ring.x, 1e-9);
    EXPECT_NEAR(ext[0].y, ring.y, 1e-9);
    EXPECT_NEAR(AngleGap(ext[1].angle, ring.angle), 0, 1e-9);
  }
  EXPECT_TRUE(t.sel);
  EXPECT_EQ(CheckJointConsistency(l), "");
}

TEST_F(Placing, DropPairedRampBringsItsPartnerUnlessSnappedByItsConnectorOne) {
  const PlaceResult r = DropPiece(doc, Def("74618"), {0, 0, 0}, {}, ask);
  ASSERT_EQ(l.pieces.size(), 2u);
  const PlacedPiece& second = l.pieces[1];
  EXPECT_EQ(second.cat, "74618");
  EXPECT_EQ(second.joints[0], (Joint{r.id, 1}));
  EXPECT_NEAR(second.x, 180, 1e-9);
  EXPECT_TRUE(Piece(l, r.id).sel);
  EXPECT_EQ(doc.undo_steps(), 1u);

  l.pieces.clear();
  const int a = ChainBuilder(l).Start("24188");
  const SnapCandidate s = SnapAt(l, "74618", {-181, 1, 0});
  ASSERT_EQ(s.newConnector, 1);
  const PlaceResult one = DropPiece(doc, Def("74618"), {-181, 1, 0}, s, ask);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(Piece(l, one.id).joints[1], (Joint{a, 0}));
  EXPECT_EQ(CheckJointConsistency(l), "");
}

TEST_F(Placing, AutoConnectContinuesTheNewestSelectedPieceInItsRunningDirection) {
  ChainBuilder b(l);
  const int a = b.Start("24188");
  l.pieces[0].sel = true;
  const PlaceResult r = AutoConnect(doc, "24130", ask);
  ASSERT_TRUE(r.placed);
  EXPECT_EQ(Piece(l, r.id).joints[0], (Joint{a, 1}));
  EXPECT_TRUE(Piece(l, r.id).sel);
  EXPECT_FALSE(Piece(l, a).sel);
  const PlaceResult r2 = AutoConnect(doc, "24188", ask);
  EXPECT_EQ(Piece(l, r2.id).joints[0], (Joint{r.id, 1}));
  // With connector 1 joined the piece continues backwards from connector 0, laid by its
  // own connector 1 so that it runs the same way.
  for (auto& p : l.pieces) p.sel = p.id == a;
  const PlaceResult back = AutoConnect(doc, "24188", ask);
  EXPECT_EQ(Piece(l, back.id).joints[1], (Joint{a, 0}));
  EXPECT_NEAR(Piece(l, back.id).x, -188.3, 1e-9);
  EXPECT_NEAR(Piece(l, back.id).heading, 0, 1e-9);
  // Both ends joined: nothing happens.
  for (auto& p : l.pieces) p.sel = p.id == a;
  const std::size_t count = l.pieces.size();
  EXPECT_FALSE(AutoConnect(doc, "24188", ask).placed);
  EXPECT_EQ(l.pieces.size(), count);
  EXPECT_EQ(CheckJointConsistency(l), "");
}

TEST_F(Placing, AutoConnectTwelveCurvesCloseTheCircle) {
  l.pieces.clear();
  const int first = DropPiece(doc, Def("24130"), {0, 0, 0}, {}, ask).id;
  for (int k = 0; k < 11; ++k) ASSERT_TRUE(AutoConnect(doc, "24130", ask).placed);
  EXPECT_EQ(l.pieces.back().joints[1], (Joint{first, 0}));
  EXPECT_EQ(CheckJointConsistency(l), "");
}

TEST_F(Placing, CloneExtendsTheFreeEndWithACopy) {
  ChainBuilder b(l);
  const int a = b.Start("24188");
  const int c = b.Append("24188");
  // Connector 1 of `a` is joined: the copy extends connector 0 with its connector 1.
  const PlaceResult r = ClonePiece(doc, a, ask);
  ASSERT_TRUE(r.placed);
  EXPECT_EQ(Piece(l, r.id).joints[1], (Joint{a, 0}));
  EXPECT_TRUE(Piece(l, r.id).sel);
  // A piece joined at both ends gets nothing.
  EXPECT_FALSE(ClonePiece(doc, a, ask).placed);
  // Helix stubs are never cloned.
  l.pieces[static_cast<std::size_t>(FindPiece(l, c))].helix = 5;
  EXPECT_FALSE(ClonePiece(doc, c, ask).placed);
  EXPECT_EQ(CheckJointConsistency(l), "");
}

// A selection that did not snap is held by nothing: a joint across a gap would record
// track as joined that is not (it was once joined 1.7 mm apart and passed the check).
TEST(MoveJoin, AnUnsnappedSelectionJoinsOnlyWhereItsEndsLieOnOthers) {
  for (double gap : {0.0, 0.04, 0.06, 1.7, 3.9}) {
    Layout l = WithLevel();
    ChainBuilder b(l);
    const int fixed = b.Start("24188");
    const int moved = b.Start("24188", {188.3 + gap, 0, 0});
    l.pieces[1].sel = true;
    JoinMovedSelection(l, {}, -1);
    EXPECT_EQ(Piece(l, moved).Joined(0), gap < kMatedMm) << gap;
    EXPECT_EQ(Piece(l, fixed).Joined(1), gap < kMatedMm) << gap;
    EXPECT_EQ(CheckJointConsistency(l), "");
  }
  // Lying on another end is not enough: ends that do not face, or at other heights, stay
  // apart.
  Layout l = WithLevel();
  ChainBuilder b(l);
  b.Start("24188");
  const int turned = b.Start("24188", {188.3, 0, 180});  // its connector 1 lies on the end
  const int above = b.Start("24188", {188.3, 0, 0});
  l.pieces[2].z = 10;  // `above`
  l.pieces[1].sel = l.pieces[2].sel = true;
  JoinMovedSelection(l, {}, -1);
  EXPECT_FALSE(Piece(l, turned).Joined(0) || Piece(l, turned).Joined(1));
  EXPECT_FALSE(Piece(l, above).Joined(0));
  // Two moved ends on one free end: only one of them joins.
  Layout two = WithLevel();
  ChainBuilder tb(two);
  tb.Start("24188");
  const int m1 = tb.Start("24188", {188.3, 0, 0});
  const int m2 = tb.Start("24188", {188.32, 0.01, 0});
  two.pieces[1].sel = two.pieces[2].sel = true;
  JoinMovedSelection(two, {}, -1);
  EXPECT_TRUE(Piece(two, m1).Joined(0));
  EXPECT_FALSE(Piece(two, m2).Joined(0));
  EXPECT_EQ(CheckJointConsistency(two), "");
}

// Snapped onto the end of a climbing piece, the selection takes the snap's place and height.
TEST_F(Placing, TheMoveSnapCarriesAndLiftsTheWholeSelection) {
  ChainBuilder b(l);
  const int fixed = b.Start("24188");
  l.pieces[0].grade = 2.0;
  SetGradeRun(l, 2.0, fixed, 0);
  const int m1 = b.Start("24188", {210, 10, 5});
  const int m2 = b.Append("24130");
  for (auto& p : l.pieces) p.sel = p.id != fixed;
  SnapIndex idx;
  idx.Build(l.pieces, [](const PlacedPiece& p) { return !p.sel; });
  const SnapCandidate s = idx.FindFor(Piece(l, m1), Def("24188"));
  ASSERT_TRUE(s.found);
  JoinMovedSelection(l, s, m1);
  EXPECT_NEAR(Piece(l, m1).x, 188.3, 1e-9);
  EXPECT_NEAR(Piece(l, m1).heading, 0, 1e-9);
  EXPECT_EQ(Piece(l, m1).joints[0], (Joint{fixed, 1}));
  const double top = 188.3 * std::sin(2.0 * kPi / 180);
  EXPECT_NEAR(Piece(l, m1).z, top, 1e-9);
  EXPECT_NEAR(Piece(l, m2).z, top, 1e-9);
  // The follower stays joined and in place against the moved piece.
  const auto end = WorldConnectors(Piece(l, m1), Def("24188"))[1];
  const auto start = WorldConnectors(Piece(l, m2), Def("24130"))[0];
  EXPECT_NEAR(end.x, start.x, 1e-9);
  EXPECT_NEAR(end.y, start.y, 1e-9);
  EXPECT_EQ(CheckJointConsistency(l), "");
}

TEST(CloseLoops, EndsOfOneSystemWithin2mmOfHeightOnTheSameLevelOnly) {
  for (const double rise : {1.9, 2.1}) {
    for (const int level : {1, 2}) {
      Layout l = WithLevel();
      ChainBuilder b(l);
      b.Start("24188", {}, level);
      l.pieces[0].z = rise;
      const int n = b.Start("24188", {188.3 + 2, 0, 0});
      EXPECT_EQ(CloseLoops(l, {n}), rise < 2.0 && level == 1 ? 1 : 0) << rise << " " << level;
      EXPECT_EQ(CheckJointConsistency(l), "");
    }
  }
  // A K-Track end at the same place is not joined.
  Layout k = WithLevel();
  ChainBuilder kb(k);
  kb.Start("2200", {8.3, 0, 0});
  const int c = kb.Start("24188", {190, 0, 0});
  EXPECT_EQ(CloseLoops(k, {c}), 0);
}

// Piece 2 closes with connector 0 onto the end of straight 1; piece 3 is joined to its
// connector 1 when `joined`.
Layout Closing(bool joined) {
  Layout l = WithLevel();
  ChainBuilder b(l);
  b.Start("24188");
  b.Start("24188", {188.3, 0, 0});
  if (joined) b.Append("24188", 0, 2, 1);
  return l;
}

TEST(CloseLoops, AClosingJoinContinuesOnlyTheLeadingEndOfAGrade) {
  Layout graded = Closing(true);
  graded.pieces[0].grade = 2.0;
  SetGradeRun(graded, 2.0, 1, 0);
  graded.pieces[1].z = graded.pieces[2].z = ElevationAt(graded.pieces[0], 1);
  ASSERT_EQ(CloseLoops(graded, {2}), 1);
  EXPECT_EQ(Piece(graded, 2).grade, 2.0);
  EXPECT_EQ(graded.grade_runs[0].anchor, 2);
  // Onto a flat end an already joined piece keeps its height; one joined nowhere else
  // takes the height of the end it closes onto.
  for (const bool joined : {true, false}) {
    Layout l = Closing(joined);
    l.pieces[0].z = 1.5;
    ASSERT_EQ(CloseLoops(l, {2}), 1);
    EXPECT_EQ(Piece(l, 2).z, joined ? 0.0 : 1.5) << joined;
  }
}

TEST_F(Placing, GradesContinueOntoJoinedTrack) {
  const int a = DropPiece(doc, Def("24188"), {0, 0, 0}, {}, ask).id;
  SetGradeRun(l, 2.0, a, 0);
  l.pieces[0].grade = 2.0;
  const PlaceResult r =
      DropPiece(doc, Def("24188"), {190, 0, 0}, SnapAt(l, "24188", {190, 0, 0}), ask);
  EXPECT_NEAR(Piece(l, r.id).z, 188.3 * std::sin(2.0 * kPi / 180), 1e-9);
  EXPECT_EQ(l.grade_mode.anchor, r.id);
}

TEST(Grades, ABridgeEndsTheRunFlatAndARampContinuesIt) {
  for (const char* article : {"74620", "74613"}) {
    Layout l = WithLevel();
    ChainBuilder b(l);
    const int a = b.Start("24188");
    l.pieces[0].grade = 2.0;
    SetGradeRun(l, 2.0, a, 0);
    const int n = b.Append(article);
    ContinueGradeOnJoin(l, static_cast<std::size_t>(FindPiece(l, n)), a, 1, 0);
    const PlacedPiece& p = Piece(l, n);
    EXPECT_NEAR(p.z, 188.3 * std::sin(2.0 * kPi / 180), 1e-9) << article;
    if (std::string(article) == "74620") {
      EXPECT_EQ(p.grade, 0);
      EXPECT_TRUE(l.grade_runs.empty());
      EXPECT_FALSE(l.grade_mode.active);
    } else {
      EXPECT_EQ(p.grade, 2.0);
      EXPECT_EQ(l.grade_runs[0].anchor, n);
    }
  }
}

TEST_F(Placing, SceneryDropSelectsTheItemAndARoundhouseFacesANearTurntable) {
  const PlaceResult t = DropScenery(doc, "74861", {1000, 1000, 0});
  ASSERT_TRUE(t.placed);
  EXPECT_TRUE(l.scenery[0].sel);
  const PlaceResult r = DropScenery(doc, "72886", {1100, 1300, 50});
  ASSERT_TRUE(r.placed);
  const SceneryItem& rh = l.scenery[1];
  EXPECT_TRUE(rh.sel);
  EXPECT_FALSE(l.scenery[0].sel);
  EXPECT_EQ(rh.heading, 48);  // round(50 / 12) * 12
  const double dist = 343 * 0.5 + 349.6;
  EXPECT_NEAR(rh.x, 1000 - dist * std::sin(48 * kPi / 180), 1e-9);
  EXPECT_NEAR(rh.y, 1000 + dist * std::cos(48 * kPi / 180), 1e-9);
  // Far from any turntable it stays where it was dropped.
  EXPECT_EQ(AlignRoundhouse(l, "72886", {3000, 3000, 50}), (Pose{3000, 3000, 50}));
  EXPECT_FALSE(DropScenery(doc, "no-such-item", {0, 0, 0}).placed);
}

// A selected helix is extended at a free outer stub end, never at the end on its rings
// (a piece once landed on top of the main line there), and says so when none is free.
TEST_F(Placing, HelixExtendsAtAFreeStubExitAndJoinedTrackKeepsTheExitsHeight) {
  const int h = InsertHelix(doc, "", 0, {1000, 1000});
  for (PlacedPiece& p : l.pieces) p.sel = p.helix == h;
  const PlaceResult first = AutoConnect(doc, "24188", ask);
  ASSERT_TRUE(first.placed);
  const PlacedPiece& exit = Piece(l, first.id);
  EXPECT_EQ((Point{exit.x, exit.y}), (Point{1437.5, 1188.3}));  // the outer top stub's end
  EXPECT_EQ(exit.z, 260.0);
  const auto select_helix = [&] {
    for (PlacedPiece& p : l.pieces) p.sel = p.helix == h;
  };
  for (int i = 0; i < 3; ++i) {
    select_helix();
    ASSERT_TRUE(AutoConnect(doc, "24188", ask).placed);
  }
  select_helix();
  EXPECT_FALSE(AutoConnect(doc, "24188", ask).placed);
  EXPECT_EQ(ask.last().caption, "Extend Track");

  // Moving track joined to the exit onto a deck keeps it at the exit's height.
  const int deck = *AddLevelNamed(l, "Upper");
  DeselectAll(l);
  l.pieces[static_cast<std::size_t>(FindPiece(l, first.id))].sel = true;
  ASSERT_TRUE(ApplyLevelChoice(doc, {ShownKind::Piece, first.id}, deck));
  EXPECT_EQ(Piece(l, first.id).z, 260.0);
  EXPECT_EQ(Piece(l, first.id).level, deck);
}

}  // namespace
