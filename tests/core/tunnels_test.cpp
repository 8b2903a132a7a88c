// Tunnels over selected chains (the analysis, placing and removing, the locks) and
// helices placed from the palette.
#include <gtest/gtest.h>

#include <cmath>

#include "canvas_events.h"
#include "catalog/helix_catalog.h"
#include "edit/helix_ops.h"
#include "edit/selection.h"
#include "edit/transform.h"
#include "edit/tunnels.h"
#include "layout_builder.h"
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "temp_dir.h"
#include "tool_run.h"

namespace {

// Three joined straights at x = 0, 188.3 and 376.6 (ids 1, 2, 3), all selected.
Layout ThreeStraights() {
  Layout l = WithLevel();
  ChainBuilder b(l);
  b.Start("24188");
  b.Append("24188");
  b.Append("24188");
  for (PlacedPiece& p : l.pieces) p.sel = true;
  return l;
}

void Select(Layout& l, std::initializer_list<int> ids) {
  DeselectAll(l);
  for (int id : ids) Piece(l, id).sel = true;
}

const SceneryItem& Scenery(const Layout& l, int id) {
  return l.scenery[static_cast<std::size_t>(FindScenery(l, id))];
}

// ThreeStraights() in a document.
class Tunnels : public CanvasFixture {
 protected:
  Tunnels() { l = ThreeStraights(); }
  Layout& l = layout;
};

template <typename Placed>
void ExpectPose(const Placed& p, Pose want) {
  EXPECT_NEAR(p.x, want.x, 1e-9);
  EXPECT_NEAR(p.y, want.y, 1e-9);
  EXPECT_NEAR(p.heading, want.heading, 1e-9);
}

TEST_F(Tunnels, AChainWithTwoEndsAndItsOutwardConnectors) {
  // The last piece's joint list holds only its inward joint: connector 1 is free all
  // the same.
  ASSERT_EQ(l.pieces[2].joints.size(), 1u);
  const TunnelAnalysis a = AnalyzeTunnelSelection(l);
  EXPECT_TRUE(a.enabled && !a.inTunnel);
  EXPECT_EQ((std::vector<int>{a.pieceA, a.connA, a.pieceB, a.connB}),
            (std::vector<int>{1, 0, 3, 1}));
  EXPECT_EQ(a.covers, (std::vector<int>{1, 2, 3}));
  // A joint to unselected track counts as outward.
  Select(l, {1, 2});
  EXPECT_EQ(AnalyzeTunnelSelection(l).connB, 1);
}

TEST_F(Tunnels, EachStopDisablesTheCommand) {
  ChainBuilder b(l);
  const int far = b.Start("24188", {0, 500, 0});
  Select(l, {1});
  EXPECT_FALSE(AnalyzeTunnelSelection(l).enabled);  // fewer than two
  Select(l, {1, 3});
  EXPECT_FALSE(AnalyzeTunnelSelection(l).enabled);  // not connected
  Select(l, {2, far});
  EXPECT_FALSE(AnalyzeTunnelSelection(l).enabled);

  // A turnout with track on all three legs: three ends.
  Layout y;
  ChainBuilder yb(y);
  const int turnout = yb.Start("24611");
  const int before = yb.Append("24188", 1, turnout, 0);
  const int straight = yb.Append("24188", 0, turnout, 1);
  const int branch = yb.Append("24188", 0, turnout, 2);
  Select(y, {before, turnout, straight});
  EXPECT_TRUE(AnalyzeTunnelSelection(y).enabled);
  Select(y, {before, turnout, straight, branch});
  EXPECT_FALSE(AnalyzeTunnelSelection(y).enabled);

  // A bumper at an end has no connector left to carry a portal.
  Layout bumper;
  ChainBuilder bb(bumper);
  const int s = bb.Start("24188");
  const int stop = bb.Append("24977", 0, s, 1);
  Select(bumper, {s, stop});
  EXPECT_FALSE(AnalyzeTunnelSelection(bumper).enabled);
}

TEST_F(Tunnels, ExistingTunnelsAreRecognisedOrProtected) {
  ChainBuilder(l).Append("24188", 0, 3);  // id 4
  Select(l, {1, 2});
  ASSERT_TRUE(ToggleTunnel(doc));
  const int tunnel = l.tunnels[0].id;
  EXPECT_EQ(AnalyzeTunnelSelection(l).tunnelId, tunnel);
  EXPECT_EQ(TunnelTool(l).label, "Remove Tunnel");
  // One covered piece plus other track overlaps the tunnel.
  Select(l, {2, 3});
  EXPECT_FALSE(AnalyzeTunnelSelection(l).enabled);
  Select(l, {1, 2, 3});
  EXPECT_FALSE(AnalyzeTunnelSelection(l).enabled);
  EXPECT_EQ(TunnelTool(l).label, "Tunnel");
  Select(l, {3, 4});
  EXPECT_TRUE(AnalyzeTunnelSelection(l).enabled);  // a second tunnel beside it
}

TEST_F(Tunnels, ATunnelWhoseTrackIsNoLongerOneChainCanStillBeRemoved) {
  ASSERT_TRUE(ToggleTunnel(doc));
  // The middle joint is lost (an older file): the covered track is two stretches.
  l.pieces[0].joints[1] = {};
  l.pieces[1].joints[0] = {};
  ASSERT_TRUE(ToggleTunnel(doc));
  EXPECT_TRUE(l.tunnels.empty() && l.scenery.empty());
}

TEST_F(Tunnels, PlacesPortalsAtTheOuterEndsThenRemovesThemExactly) {
  const std::string before = LayoutFileText(l, "T");
  const std::vector<PlacedPiece> pieces = l.pieces;
  ASSERT_TRUE(ToggleTunnel(doc));
  ASSERT_EQ(l.tunnels, (std::vector<Tunnel>{{6, 4, 5, 1, 3, {1, 2, 3}}}));
  EXPECT_EQ(Scenery(l, 4).item, "tunnel_portal_single");
  ExpectPose(Scenery(l, 4), {0, 0, 180});
  ExpectPose(Scenery(l, 5), {564.9, 0, 0});
  EXPECT_EQ(l.pieces, pieces);  // the track stays as it was, still selected
  EXPECT_EQ(CheckLayout(l).problems, std::vector<std::string>{});

  ASSERT_TRUE(ToggleTunnel(doc));
  EXPECT_EQ(LayoutFileText(l, "T"), before);
  // Undo brings the tunnel back, then takes it away again.
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(l.scenery.size(), 2u);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(LayoutFileText(l, "T"), before);
  EXPECT_FALSE(doc.CanUndo());
  // With the command disabled nothing changes, not even the undo history.
  Select(l, {1, 3});
  EXPECT_FALSE(ToggleTunnel(doc));
  EXPECT_FALSE(doc.CanUndo());
}

TEST(ToggleTunnel, PortalsStandOnTheirEndPiecesLevel) {
  Document doc;
  Layout& l = doc.layout();
  ChainBuilder b(l);
  b.Start("24188", {0, 0, 90}, 2);
  b.Append("24188");
  SelectAll(l);
  ASSERT_TRUE(ToggleTunnel(doc));
  ASSERT_EQ(l.scenery.size(), 2u);
  EXPECT_EQ(l.scenery[0].level + l.scenery[1].level, 4);
  ExpectPose(l.scenery[0], {0, 0, 270});
  ExpectPose(l.scenery[1], {0, 376.6, 90});
}

TEST_F(Tunnels, CoveredTrackAndPortalsAreLocked) {
  ASSERT_TRUE(ToggleTunnel(doc));
  const std::string locked =
      "Selection includes tunnel track or portals. Remove the tunnel first, ";
  Select(l, {2});
  EXPECT_FALSE(DeleteSelection(doc, ask));
  EXPECT_EQ(ask.last().caption, "Tunnel is locked");
  EXPECT_EQ(ask.last().text, locked + "then delete.");
  EXPECT_FALSE(RotateSelectionStep(doc, ask));
  EXPECT_EQ(ask.last().text, locked + "then rotate.");
  EXPECT_FALSE(WheelRotateSelection(doc, 15, ask));
  EXPECT_EQ(ask.last().text, locked + "then rotate.");
  EXPECT_FALSE(MoveAllowed(l, ask));
  EXPECT_EQ(ask.last().text, locked + "then move.");
  EXPECT_EQ(doc.undo_steps(), 1u);  // only the tunnel's own step
}

TEST_F(Tunnels, TrackThatIsNotOneChainAndUnknownHelicesAreProblems) {
  ASSERT_TRUE(ToggleTunnel(doc));
  InsertHelix(doc, "", 0, {2000, 0});
  EXPECT_EQ(CheckLayout(l).problems, std::vector<std::string>{});
  l.pieces[1].joints[1] = {};
  l.pieces[2].joints[0] = {};
  l.pieces.push_back({.id = 99, .cat = "24188", .color = {}, .helix = 42, .joints = {}});
  EXPECT_EQ(CheckLayout(l).problems,
            (std::vector<std::string>{"tunnel 6 covers pieces that are not one connected chain",
                                      "piece 99 names missing helix 42"}));
}

// --- Helices

using HelixTest = CanvasFixture;

TEST_F(HelixTest, PaletteDoubleClickPlacesTangentStubsBesideEachOther) {
  const CanvasEffects e = canvas.InsertHelixAt("proses_2_5_r1r2", 0, {500, 500});
  EXPECT_TRUE(e.modified);
  EXPECT_EQ(e.status[1], "Pieces: 4");
  ASSERT_EQ(layout.helices.size(), 1u);
  const Helix h = layout.helices[0];
  // The record takes its id first and is appended after its four stubs.
  EXPECT_EQ(h, (Helix{1, 500, 500, 0, "proses_2_5_r1r2", 2, 3, 4, 5}));
  const struct {
    int id;
    double x, z;
  } want[] = {
      {h.bottomR1, 140, 0}, {h.bottomR2, 62.5, 0}, {h.topR1, 860, 260}, {h.topR2, 937.5, 260}};
  for (const auto& w : want) {
    const PlacedPiece& p = P(w.id);
    EXPECT_EQ(p.cat, "24188");
    ExpectPose(p, {w.x, 500, 90});  // along the ring, not across it
    EXPECT_EQ(p.z, w.z);
    EXPECT_EQ(p.helix, h.id);
  }
  EXPECT_EQ(CheckLayout(layout).problems, std::vector<std::string>{});
  // An angle turns positions and stubs; headings stay in [0, 360).
  InsertHelix(doc, "", 90, {500, 500});
  ExpectPose(P(layout.helices[1].bottomR1), {500, 140, 180});
  ExpectPose(P(layout.helices[1].topR2), {500, 937.5, 180});
  InsertHelix(doc, "", -60, {0, 0});
  EXPECT_EQ(layout.helices[2].heading, 300);
  EXPECT_EQ(P(layout.helices[2].topR1).heading, 30);
}

TEST_F(HelixTest, DragDropsTheHelixWhereTheMouseIsAndUnknownKitsFallBack) {
  canvas.SetView(2.0, 100, 50);
  canvas.BeginHelixDrag("proses_9_r9r9");
  EXPECT_EQ(canvas.gesture(), CanvasGesture::PaletteDrag);
  EXPECT_TRUE(canvas.LeftDown({900, 650, {}, true}).modified);
  EXPECT_EQ(canvas.gesture(), CanvasGesture::None);
  ASSERT_EQ(layout.helices.size(), 1u);
  const Helix& h = layout.helices[0];
  EXPECT_EQ((std::pair{h.cx, h.cy}), (std::pair{400.0, 300.0}));
  EXPECT_EQ(h.variant, HelixCatalog::default_id);
  // A different kit has its own radii and rise.
  InsertHelix(doc, "proses_4_5_r4r5", 0, {0, 0});
  EXPECT_NEAR(P(layout.helices[1].bottomR2).x, -643.6, 1e-9);
  EXPECT_EQ(P(layout.helices[1].topR1).z, 420);
}

// --- From the command line: the operations reach the commands above.

TEST(TunnelTool, TunnelAndHelixOperations) {
  TempDir dir;
  const std::string a = (dir / "a.vtl").string(), b = (dir / "b.vtl").string();
  ASSERT_EQ(SaveLayout(ThreeStraights(), a, "Three"), "");
  EXPECT_EQ(RunTool({"edit", a, b, "tunnel"}).status, 0);
  Layout l;
  ASSERT_EQ(LoadLayout(l, b).error, "");
  EXPECT_EQ(l.tunnels.size(), 1u);
  EXPECT_EQ(RunTool({"edit", a, b, "helix", "proses_3_5_r2r3", "0", "0", "45"}).status, 0);
  ASSERT_EQ(LoadLayout(l, b).error, "");
  EXPECT_EQ(l.helices.at(0).heading, 45);
}

}  // namespace
