// The Tunnel tool follows the selection in the window, and covered track cannot be
// deleted from the canvas or the Edit menu.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/toolbar.h>

#include "frame_fixture.h"
#include "gui/frame/main_frame.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "model/layout_ops.h"

namespace {

class TunnelWindowTest : public FrameFixture {
 protected:
  TunnelWindowTest() {
    ChainBuilder b(frame->layout());
    b.Start("24188", {100, 100, 0});
    b.Append("24188");
    b.Append("24188");
    frame->document().MarkChanged(Change::Content);
    frame->canvas()->Apply(frame->canvas()->controller().SetView(1.0, 0, 0));
  }
  wxString TunnelLabel() { return frame->GetToolBar()->FindById(kCmdTunnel)->GetLabel(); }
  void Click(int x, int y, bool ctrl = false) {
    Mouse(frame->canvas(), wxEVT_LEFT_DOWN, x, y, true, false, ctrl);
    Mouse(frame->canvas(), wxEVT_LEFT_UP, x, y, false, false, ctrl);
  }
};

TEST_F(TunnelWindowTest, TheToolFollowsTheSelection) {
  EXPECT_FALSE(Enabled(kCmdTunnel));
  Click(200, 100);
  Click(550, 100, true);
  Click(400, 100, true);  // the whole chain
  EXPECT_TRUE(Enabled(kCmdTunnel));
  EXPECT_EQ(TunnelLabel(), "Tunnel");

  frame->RunCommand(kCmdTunnel);
  ::Layout& l = frame->layout();
  ASSERT_EQ(l.tunnels.size(), 1u);
  EXPECT_EQ(TunnelLabel(), "Remove Tunnel");
  frame->RunCommand(kCmdTunnel);
  EXPECT_TRUE(l.tunnels.empty());
  EXPECT_EQ(TunnelLabel(), "Tunnel");
  EXPECT_TRUE(Enabled(kCmdTunnel));  // the same chain can be tunnelled again
}

TEST_F(TunnelWindowTest, DeletingACoveredPieceSaysTheTunnelIsLocked) {
  SelectAll(frame->layout());
  frame->RunCommand(kCmdTunnel);
  Click(400, 400);
  Click(400, 100);
  ASSERT_EQ(SelectedPieces(frame->layout()).size(), 1u);
  wxCommandEvent key(wxEVT_MENU, kCmdCanvasDelete);  // the canvas's Delete accelerator
  frame->canvas()->ProcessWindowEvent(key);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.last().caption, "Tunnel is locked");
  frame->RunCommand(kCmdDelete);
  EXPECT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(frame->layout().pieces.size(), 3u);
}

}  // namespace
