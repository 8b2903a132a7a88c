// The canvas driven by synthetic pointer and key events: drags from the palette, moves
// with their guards, rotations, panning and zooming, each edit one undo step.
#include <gtest/gtest.h>

#include <cmath>

#include "canvas_events.h"
#include "catalog/catalog.h"
#include "edit/transform.h"
#include "layout_builder.h"
#include "recording_painter.h"

namespace {

class CanvasTest : public CanvasFixture {
 protected:
  CanvasTest() { GradedMoveConfirmed() = false; }
};

TEST_F(CanvasTest, PaletteDragSnapsAndDropsJoinedOrWhereTheMouseIsWithSnapOff) {
  ChainBuilder b(layout);
  const int a = b.Start("24188", {100, 100, 0});
  CanvasEffects e = canvas.BeginPieceDrag("24188");
  EXPECT_TRUE(e.capture && e.focus);
  EXPECT_EQ(canvas.gesture(), CanvasGesture::PaletteDrag);
  canvas.Motion(At(300, 110));
  EXPECT_NEAR(canvas.GhostPose()->x, 288.3, 1e-9);  // shown where it will join
  e = canvas.LeftDown(At(300, 110, {}, true));
  EXPECT_TRUE(e.modified && e.release);
  EXPECT_EQ(e.status[1], "Pieces: 2");
  EXPECT_EQ(canvas.gesture(), CanvasGesture::None);
  EXPECT_EQ(P(a).joints[1].target, layout.pieces[1].id);
  ASSERT_TRUE(doc.Undo());
  canvas.state().snap = false;
  canvas.BeginPieceDrag("24188");
  canvas.Motion(At(300, 110));
  EXPECT_EQ(canvas.GhostPose()->x, 300);
  canvas.LeftDown(At(300, 110, {}, true));
  EXPECT_EQ(layout.pieces[1].x, 300);
  EXPECT_FALSE(layout.pieces[1].Joined(0));
}

TEST_F(CanvasTest, AutoConnectWithoutSelectionStartsADragTurnedByWheelRightClickAndKey) {
  canvas.AutoConnect("24130");
  EXPECT_EQ(canvas.gesture(), CanvasGesture::PaletteDrag);
  canvas.Wheel(At(400, 400), 120);
  EXPECT_EQ(canvas.GhostPose()->heading, 30);
  canvas.Wheel(At(400, 400, {false, true, false}), -120);
  EXPECT_EQ(canvas.GhostPose()->heading, 15);
  canvas.RightDown(At(400, 400));
  EXPECT_EQ(canvas.GhostPose()->heading, 45);
  canvas.KeyDown(CanvasKey::R, {});
  EXPECT_EQ(canvas.GhostPose()->heading, 75);
  const CanvasEffects e = canvas.KeyDown(CanvasKey::Escape, {});
  EXPECT_TRUE(e.release);
  EXPECT_FALSE(canvas.GhostPose());
  EXPECT_TRUE(layout.pieces.empty());
}

TEST_F(CanvasTest, FirstZPieceSetsZoomOne) {
  canvas.SetView(0.4, 10, 10);
  canvas.BeginPieceDrag("8500");
  canvas.LeftDown(At(500, 500, {}, true));
  EXPECT_EQ(canvas.view(), (ViewTransform{1.0, 60.0, 60.0}));
}

TEST_F(CanvasTest, DraggingAPieceCutsItsJointsAndDroppingItNearAnEndRejoins) {
  ChainBuilder b(layout);
  const int a = b.Start("24188", {100, 100, 0});
  Drag(150, 100, 152, 103);  // a wiggle of 13 squared pixels moves nothing
  EXPECT_EQ(P(a).x, 100);
  const int c = b.Append("24188");
  Drag(350, 100, 350, 300);  // press on the second piece and pull it away
  EXPECT_NEAR(P(c).y, 300, 1e-9);
  EXPECT_FALSE(P(c).Joined(0));
  EXPECT_FALSE(P(a).Joined(1));
  EXPECT_EQ(doc.undo_steps(), 1u);
  // Bring it back near the open end: the move snap joins it exactly.
  Drag(350, 300, 360, 108);
  EXPECT_EQ(P(c).joints[0], (Joint{a, 1}));
}

TEST_F(CanvasTest, APartialHelixMoveIsRefused) {
  ChainBuilder b(layout);
  for (int k = 0; k < 4; ++k) {
    b.Start("24188", {100, 100.0 + 100 * k, 0});
    layout.pieces.back().helix = 9;
  }
  layout.helices.push_back({.id = 9});
  layout.pieces[0].sel = layout.pieces[1].sel = layout.pieces[2].sel = true;
  canvas.LeftDown(At(150, 200, {}, true));  // press on a selected stub keeps the selection
  for (int k = 0; k < 4; ++k) layout.pieces[static_cast<std::size_t>(k)].sel = k < 3;
  canvas.Motion(At(150, 260, {}, true));
  ASSERT_FALSE(ask.shown.empty());
  EXPECT_EQ(ask.last().caption, "Helix partially selected");
  EXPECT_EQ(ask.last().text,
            "Selection contains part of a helix. Either select the whole helix (click any of its "
            "stubs) or exclude it from the selection before moving.");
  canvas.LeftUp(At(150, 260));
  EXPECT_EQ(layout.pieces[1].y, 200);
  EXPECT_EQ(doc.undo_steps(), 0u);
  // After a plain click on a stub all four are selected and the helix moves with them.
  DeselectAll(layout);
  Drag(150, 200, 150, 260);
  EXPECT_EQ(layout.pieces[3].y, 460);
  EXPECT_EQ(layout.helices[0].cy, 60);
}

TEST_F(CanvasTest, GradedMoveQuestionIsRememberedAfterYesOnly) {
  const int a = ChainBuilder(layout).Start("24188", {100, 100, 0});
  layout.pieces[0].grade = 2;
  ask.answers = {PromptAnswer::No};
  Drag(150, 100, 150, 200);
  EXPECT_EQ(ask.last().caption, "Move");
  EXPECT_EQ(
      ask.last().text,
      "Selection includes graded pieces. Moving will break joints and leave the chain's "
      "elevation inconsistent.\n\nMove anyway? (This warning will not appear again this session.)");
  EXPECT_TRUE(ask.last().default_no);
  EXPECT_EQ(P(a).y, 100);
  ask.answers = {PromptAnswer::Yes};
  Drag(150, 100, 150, 200);
  const std::size_t asked = ask.shown.size();
  Drag(150, 200, 150, 300);
  EXPECT_EQ(P(a).y, 300);
  EXPECT_EQ(ask.shown.size(), asked);  // not asked again this run
}

TEST_F(CanvasTest, RubberBandSelectsWithItsOverlayEscapeClearsAndDeleteDeletes) {
  ChainBuilder b(layout);
  const int a = b.Start("24188", {100, 100, 0});
  b.Start("24188", {100, 400, 0});
  RecordingPainter p;
  auto drawn = [&] {
    p.calls.clear();
    canvas.DrawOverlays(p);
    return p.calls.size();
  };
  EXPECT_EQ(drawn(), 0u);
  canvas.LeftDown(At(50, 50, {}, true));
  canvas.Motion(At(120, 150, {}, true));
  EXPECT_EQ(canvas.gesture(), CanvasGesture::RubberBand);
  ASSERT_EQ(drawn(), 1u);
  EXPECT_EQ(p.calls[0].pts[0], (IPoint{50, 50}));
  EXPECT_EQ(p.calls[0].w, 70);
  EXPECT_EQ(p.calls[0].h, 100);
  canvas.LeftUp(At(120, 150));
  EXPECT_EQ(drawn(), 0u);
  EXPECT_TRUE(P(a).sel);
  EXPECT_FALSE(layout.pieces[1].sel);
  EXPECT_TRUE(canvas.KeyDown(CanvasKey::Escape, {}).properties);
  EXPECT_FALSE(P(a).sel);
  layout.pieces[1].sel = true;
  EXPECT_TRUE(canvas.KeyDown(CanvasKey::Delete, {}).modified);
  EXPECT_EQ(layout.pieces.size(), 1u);
  canvas.BeginSceneryDrag("platform");
  EXPECT_GT(drawn(), 0u);
  canvas.KeyDown(CanvasKey::Escape, {});
  EXPECT_EQ(drawn(), 0u);
}

TEST_F(CanvasTest, CtrlWheelTurnsTheSelection) {
  const int a = ChainBuilder(layout).Start("24188", {100, 100, 0});
  layout.pieces[0].sel = true;
  canvas.Wheel(At(10, 10, {true, false, false}), 120);
  EXPECT_NEAR(P(a).heading, 15, 1e-9);
  canvas.Wheel(At(10, 10, {true, true, false}), -120);
  EXPECT_NEAR(P(a).heading, 10, 1e-9);
  // The pivot is the middle of the piece's box, so the middle stays put.
  const auto ends = WorldConnectors(P(a), *Catalog::instance().find("24188"));
  EXPECT_NEAR((ends[0].x + ends[1].x) / 2, 194.15, 1e-9);
  EXPECT_NEAR((ends[0].y + ends[1].y) / 2, 100, 1e-9);
  // Without Ctrl the wheel zooms about the mouse even with a selection.
  canvas.Wheel(At(200, 100), 120);
  EXPECT_NEAR(canvas.view().zoom, 1.15, 1e-12);
  EXPECT_NEAR(canvas.view().offset_x, 200 - 200 * 1.15, 1e-9);
  EXPECT_NEAR(canvas.view().offset_y, 100 - 100 * 1.15, 1e-9);
}

TEST_F(CanvasTest, AltDragSnapsToRightAnglesAndFlashes) {
  const int a = ChainBuilder(layout).Start("24188", {100, 100, 0});
  layout.pieces[0].sel = true;
  // The pivot is the piece's position; turn the mouse by 88.5 degrees around it.
  const double r = 100, t = 88.5 * kPi / 180;
  canvas.LeftDown(At(200, 100, {false, false, true}, true));
  const MouseInput near_right =
      At(100 + r * std::cos(t), 100 + r * std::sin(t), {false, false, true}, true);
  EXPECT_EQ(canvas.gesture(), CanvasGesture::Rotate);
  EXPECT_TRUE(canvas.Motion(near_right).start_flash);
  EXPECT_NEAR(P(a).heading, 90, 1e-9);
  EXPECT_FALSE(canvas.Motion(near_right).start_flash);  // flashes once...
  EXPECT_TRUE(canvas.FlashTimerFired().repaint);
  EXPECT_TRUE(canvas.Motion(near_right).start_flash);  // ...until the flash has ended
  canvas.LeftUp(At(100, 200));
  EXPECT_EQ(canvas.gesture(), CanvasGesture::None);
  const AltRotation off = AltDragRotation(0, 0, 87.9);
  EXPECT_FALSE(off.right_angle);
  EXPECT_NEAR(off.target, 87.9, 1e-9);
  EXPECT_EQ(AltDragRotation(10, 0, 351).target, 0);  // 361 folds to 1, snapping to 0
}

TEST_F(CanvasTest, AltRightClickTurns30AboutTheFirstPieceAndTurningCutsStaleJoints) {
  ChainBuilder b(layout);
  const int a = b.Start("24188", {100, 100, 0});
  const int c = b.Append("24188");
  layout.pieces[0].sel = layout.pieces[1].sel = true;
  layout.scenery.push_back({30, "platform", 100, 300, 0, true, 1, 1, 1});
  layout.scenery.push_back({31, "car", 100, 400, 0, true, 1, 1, 1});
  canvas.RightDown(At(0, 0, {false, false, true}));
  EXPECT_NEAR(P(a).x, 100, 1e-9);
  EXPECT_NEAR(P(a).heading, 30, 1e-9);
  EXPECT_NEAR(P(c).heading, 30, 1e-9);
  EXPECT_EQ(P(a).joints[1], (Joint{c, 0}));          // still meeting, still joined
  EXPECT_NEAR(layout.scenery[0].heading, 30, 1e-9);  // platforms and signals turn 30
  EXPECT_NEAR(layout.scenery[1].heading, 15, 1e-9);  // everything else 15
  // Turned away from unselected track, a piece leaves no stale joint behind.
  P(a).sel = false;
  canvas.Wheel(At(0, 0, {true, false, false}), 120);
  EXPECT_FALSE(P(a).Joined(1));
  EXPECT_EQ(CheckJointConsistency(layout), "");
}

TEST_F(CanvasTest, RightClickMenus) {
  ChainBuilder b(layout);
  const int a = b.Start("24188", {100, 100, 0});
  const int c = b.Start("24188", {100, 300, 0});
  CanvasEffects e = canvas.RightDown(At(150, 100));
  EXPECT_EQ(e.menu, CanvasMenu::Piece);
  EXPECT_FALSE(e.menu_autofill);
  EXPECT_TRUE(P(a).sel);
  layout.pieces[1].sel = true;
  e = canvas.RightDown(At(150, 300));
  EXPECT_TRUE(e.menu_autofill);
  canvas.CopySelection();
  e = canvas.RightDown(At(600, 600));
  EXPECT_EQ(e.menu, CanvasMenu::Paste);
  canvas.Paste();
  ASSERT_EQ(layout.pieces.size(), 4u);
  EXPECT_NEAR((layout.pieces[2].x + layout.pieces[3].x) / 2, 600, 1e-9);
  EXPECT_NEAR((layout.pieces[2].y + layout.pieces[3].y) / 2, 600, 1e-9);
  EXPECT_TRUE(layout.pieces[2].sel && !P(c).sel);
  // An empty-canvas press empties the clipboard; then a right click only deselects.
  canvas.LeftDown(At(900, 10, {}, true));
  canvas.LeftUp(At(900, 10));
  e = canvas.RightDown(At(600, 600));
  EXPECT_EQ(e.menu, CanvasMenu::None);
}

TEST_F(CanvasTest, PanningByMiddleButtonCtrlAndSpace) {
  canvas.MiddleDown(At(100, 100));
  canvas.Motion(At(102, 101));  // inside the 3-pixel dead zone
  EXPECT_EQ(canvas.view().offset_x, 0);
  canvas.Motion(At(150, 120));
  EXPECT_EQ(canvas.view().offset_x, 50);
  EXPECT_EQ(canvas.view().offset_y, 20);
  EXPECT_EQ(canvas.MiddleUp(At(150, 120)).cursor, CanvasCursor::Default);
  canvas.KeyDown(CanvasKey::Space, {});
  canvas.LeftDown(At(0, 0, {}, true));
  canvas.Motion(At(1, 2, {}, true));  // no dead zone for Space
  EXPECT_EQ(canvas.view().offset_x, 51);
  canvas.LeftUp(At(1, 2));
  canvas.KeyUp(CanvasKey::Space);
  const CanvasEffects e = canvas.Motion(At(10, 20));
  EXPECT_EQ(e.status[2], "-41 mm,  -2 mm");
  EXPECT_EQ(CanvasController::PositionText(254, 25.4, 2), "10.00 in,  1.00 in");
  EXPECT_EQ(CanvasController::PositionText(254, 25.4, 1), "25.4 cm,  2.5 cm");
}

TEST_F(CanvasTest, DoubleClickClonesAndSwallowsOnlyItsOwnPress) {
  const int a = ChainBuilder(layout).Start("24188", {100, 100, 0});
  canvas.LeftDown(At(150, 100, {}, true));
  canvas.LeftUp(At(150, 100));
  canvas.LeftDClick(At(150, 100));
  ASSERT_EQ(layout.pieces.size(), 2u);
  EXPECT_EQ(P(a).joints[1].target, layout.pieces[1].id);
  EXPECT_TRUE(canvas.state().ignoreNextPress);
  canvas.LeftUp(At(150, 100));
  EXPECT_FALSE(canvas.state().ignoreNextPress);
}

TEST_F(CanvasTest, SceneryDragDropsAndMovesWithoutThreshold) {
  canvas.BeginSceneryDrag("platform");
  canvas.Motion(At(400, 400));
  canvas.RightDown(At(400, 400));
  EXPECT_EQ(canvas.GhostPose()->heading, 15);
  canvas.LeftDown(At(400, 400, {}, true));
  ASSERT_EQ(layout.scenery.size(), 1u);
  EXPECT_EQ(layout.scenery[0].x, 400);
  EXPECT_TRUE(layout.scenery[0].sel);
  canvas.LeftUp(At(400, 400));
  Drag(400, 400, 402, 401);  // two pixels: scenery moves at once
  EXPECT_EQ(layout.scenery[0].x, 402);
}

}  // namespace
