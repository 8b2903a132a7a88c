// The canvas window driven by mouse events: a click selects, a drag moves the selection
// and lets the mouse go, a palette drag drops a piece joined.
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
  void Send(wxEventType type, int x, int y, bool left) { Mouse(canvas, type, x, y, left); }
  void Drag(int x0, int y0, int x1, int y1) {
    Send(wxEVT_LEFT_DOWN, x0, y0, true);
    for (int k = 1; k <= 5; ++k)
      Send(wxEVT_MOTION, x0 + (x1 - x0) * k / 5, y0 + (y1 - y0) * k / 5, true);
    Send(wxEVT_LEFT_UP, x1, y1, false);
  }
  CanvasPanel* canvas = nullptr;
};

TEST_F(CanvasWindowTest, DraggingASelectedPieceAndAPalettePiece) {
  ::Layout& l = frame->layout();
  const int a = ChainBuilder(l).Start("24188", {100, 100, 0});
  frame->document().MarkChanged(Change::Content);
  Send(wxEVT_LEFT_DOWN, 150, 100, true);
  Send(wxEVT_LEFT_UP, 150, 100, false);
  ASSERT_TRUE(Piece(l, a).sel);
  Drag(150, 100, 150, 250);
  EXPECT_NEAR(Piece(l, a).y, 250, 1e-9);
  EXPECT_TRUE(frame->modified());
  EXPECT_FALSE(canvas->HasCapture());

  canvas->BeginPieceDrag("24188");
  Send(wxEVT_MOTION, 300, 260, false);
  canvas->Update();  // paints the ghost and the snap target over the cached layout
  Send(wxEVT_LEFT_DOWN, 300, 260, true);
  Send(wxEVT_LEFT_UP, 300, 260, false);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(Piece(l, a).joints[1].target, l.pieces[1].id);
  EXPECT_FALSE(canvas->HasCapture());
}

}  // namespace
