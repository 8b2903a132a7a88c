// The 3D window opened from the main window: one window however often the command
// runs, rebuilt by edits, and mouse buttons pressed together never capture twice.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/statusbr.h>

#include <wx/image.h>

#include <cmath>

#include "frame_fixture.h"
#include "gui/export/scene_export.h"
#include "gui/view3d/gl_scene.h"
#include "gui/view3d/view3d_frame.h"
#include "interact/commands.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "outlines.h"
#include "scene3d/outline_fill.h"
#include "temp_dir.h"

namespace {

int g_assertions = 0;
void CountAssertion(const wxString&, int, const wxString&, const wxString&, const wxString&) {
  ++g_assertions;
}

class View3DTest : public FrameFixture {
 protected:
  void Send(wxEventType type, bool left, bool right) {
    Mouse(frame->view3d()->canvas(), type, 300, 200, left, right);
  }
};

TEST_F(View3DTest, CommandOpensOneWindowThatFollowsEdits) {
  frame->RunCommand(kCmd3DView);
  wxYield();
  View3DFrame* view = frame->view3d();
  ASSERT_NE(view, nullptr) << (prompter.shown.empty() ? "" : prompter.shown.back().text);
  EXPECT_TRUE(view->HasFlag(wxFRAME_FLOAT_ON_PARENT));
  EXPECT_TRUE(view->canvas()->scene().pieceInstances.empty());
  view->canvas()->Update();  // a first paint sets up GL and draws

  ChainBuilder(frame->layout()).Start("24188");
  frame->document().MarkChanged(Change::Content);
  EXPECT_EQ(view->canvas()->scene().pieceInstances.size(), 1u);
  frame->RunCommand(kCmd3DView);  // the same window again
  EXPECT_EQ(frame->view3d(), view);

  // Left and right held together, then released: no second capture, no assertion.
  g_assertions = 0;
  wxAssertHandler_t previous = wxSetAssertHandler(CountAssertion);
  Send(wxEVT_LEFT_DOWN, true, false);
  Send(wxEVT_RIGHT_DOWN, true, true);
  Send(wxEVT_MOTION, true, true);
  Send(wxEVT_RIGHT_UP, true, false);
  Send(wxEVT_LEFT_UP, false, false);
  wxSetAssertHandler(previous);
  EXPECT_EQ(g_assertions, 0);
  EXPECT_FALSE(view->canvas()->HasCapture());

  view->Close();
  wxYield();
  EXPECT_EQ(frame->view3d(), nullptr);
}

// Mean picture row of the brown sleepers, or -1 when there are none.
double SleeperRow(const wxImage& img) {
  double rows = 0;
  int count = 0;
  for (int y = 0; y < img.GetHeight(); ++y)
    for (int x = 0; x < img.GetWidth(); ++x) {
      const int r = img.GetRed(x, y), g = img.GetGreen(x, y), b = img.GetBlue(x, y);
      if (r > 60 && r > g + 20 && g > b + 10) {
        rows += y;
        ++count;
      }
    }
  return count ? rows / count : -1;
}

TEST(SceneExport, OneStraightNearTheMiddleHigherWhenRaisedAndABoard) {
  TempDir dir;
  Layout layout = WithLevel();
  ChainBuilder(layout).Start("24188");
  ASSERT_EQ(SaveLayout(layout, dir / "one.vtl", "one"), "");
  layout.pieces[0].z = 100;
  ASSERT_EQ(SaveLayout(layout, dir / "raised.vtl", "raised"), "");
  ASSERT_EQ(ExportScenePicture(dir / "one.vtl", dir / "one.png", {500, 350}), "");
  ASSERT_EQ(ExportScenePicture(dir / "raised.vtl", dir / "raised.png", {500, 350}), "");
  wxImage one, raised;
  ASSERT_TRUE(one.LoadFile((dir / "one.png").string(), wxBITMAP_TYPE_PNG));
  ASSERT_TRUE(raised.LoadFile((dir / "raised.png").string(), wxBITMAP_TYPE_PNG));
  EXPECT_EQ(one.GetSize(), wxSize(500, 350));
  const double flat = SleeperRow(one), up = SleeperRow(raised);
  EXPECT_GT(flat, 350 * 0.25);
  EXPECT_LT(flat, 350 * 0.75);
  EXPECT_GE(up, 0);
  EXPECT_LT(up, flat - 20);
  EXPECT_NE(ExportScenePicture(dir / "missing.vtl", dir / "x.png", {500, 350}).find("Cannot read"),
            std::string::npos);

  layout.pieces.clear();
  layout.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  ASSERT_EQ(SaveLayout(layout, dir / "board.vtl", "board"), "");
  ASSERT_EQ(ExportScenePicture(dir / "board.vtl", dir / "board.png", {1000, 700}), "");
  wxImage img;
  ASSERT_TRUE(img.LoadFile((dir / "board.png").string(), wxBITMAP_TYPE_PNG));
  // The middle of the picture is the middle of the board: green, without grid dots.
  int grid = 0;
  for (int y = 300; y < 400; ++y)
    for (int x = 420; x < 580; ++x)
      if (img.GetGreen(x, y) < img.GetRed(x, y) + 20) ++grid;
  EXPECT_EQ(grid, 0);
}

// An outline of a few hundred points, concave everywhere, still goes to GLU whole.
TEST(GluTessellatorTest, AConcaveCombOfManyPointsIsFilledExactly) {
  GluTessellator tess;
  std::vector<Point> points;
  std::vector<std::uint32_t> triangles;
  EXPECT_TRUE(FillOutline(Comb(75), tess, points, triangles));
  EXPECT_NEAR(FilledArea(points, triangles), 75 * 5 * 1000 + 745 * 100, 1e-6);
}

}  // namespace
