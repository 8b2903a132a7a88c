// The canvas window driven by mouse events: a selected piece is dragged away and back
// and re-joins; a palette drag snaps and drops joined.
#include <gtest/gtest.h>
#include <wx/app.h>

#include "frame_fixture.h"
#include "gui/frame/main_frame.h"
#include "layout_builder.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "temp_dir.h"

namespace {

class CanvasWindowTest : public FrameFixture {
 protected:
  CanvasWindowTest() {
    canvas = frame->canvas();
    canvas->Apply(canvas->controller().SetView(1.0, 0, 0));  // pixels = millimetres
  }
  void Send(wxEventType type, int x, int y, bool left) {
    wxMouseEvent e(type);
    e.m_x = x;
    e.m_y = y;
    e.m_leftDown = left;
    e.SetEventObject(canvas);
    canvas->ProcessWindowEvent(e);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Send(wxEVT_LEFT_DOWN, x0, y0, true);
    for (int k = 1; k <= 5; ++k)
      Send(wxEVT_MOTION, x0 + (x1 - x0) * k / 5, y0 + (y1 - y0) * k / 5, true);
    Send(wxEVT_LEFT_UP, x1, y1, false);
  }
  const PlacedPiece& P(int id) {
    const ::Layout& l = frame->layout();
    return l.pieces[static_cast<std::size_t>(FindPiece(l, id))];
  }
  CanvasPanel* canvas = nullptr;
};

TEST_F(CanvasWindowTest, DraggingASelectedPieceMovesItAndItRejoins) {
  ::Layout& l = frame->layout();
  ChainBuilder b(l);
  const int a = b.Start("24188", {100, 100, 0});
  const int c = b.Append("24188");
  frame->document().MarkChanged(Change::Content);
  Send(wxEVT_LEFT_DOWN, 350, 100, true);  // select the second piece
  Send(wxEVT_LEFT_UP, 350, 100, false);
  ASSERT_TRUE(P(c).sel);
  Drag(350, 100, 350, 250);
  EXPECT_NEAR(P(c).y, 250, 1e-9);
  EXPECT_FALSE(P(a).Joined(1));
  EXPECT_FALSE(canvas->HasCapture());
  Drag(350, 250, 356, 104);  // near the open end again: snaps back and joins
  EXPECT_EQ(P(a).joints[1], (Joint{c, 0}));
  EXPECT_TRUE(frame->modified());
  frame->RunCommand(2002);  // Undo
  frame->RunCommand(2002);
  EXPECT_NEAR(P(c).y, 100, 1e-9);
  EXPECT_EQ(P(a).joints[1], (Joint{c, 0}));
}

TEST_F(CanvasWindowTest, PaletteDragSnapsAndDropsJoined) {
  ::Layout& l = frame->layout();
  const int a = ChainBuilder(l).Start("24188", {100, 100, 0});
  frame->document().MarkChanged(Change::Content);
  canvas->BeginPieceDrag("24188");
  Send(wxEVT_MOTION, 300, 110, false);
  canvas->Update();  // paints the ghost and the snap target over the cached layout
  Send(wxEVT_LEFT_DOWN, 300, 110, true);
  Send(wxEVT_LEFT_UP, 300, 110, false);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(P(a).joints[1].target, l.pieces[1].id);
  EXPECT_FALSE(canvas->HasCapture());
}

}  // namespace
