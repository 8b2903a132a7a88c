// A layout with a picture under it: opened, drawn under the grid, and opened once more
// with the picture file gone.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <array>

#include "frame_fixture.h"
#include "gui/draw/canvas_picture.h"
#include "model/layout_file.h"

namespace {

using BackgroundFrameTest = FrameFixture;

TEST_F(BackgroundFrameTest, PictureOpensUnderTheGridAndAMissingOneIsToldOnce) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxImage room(50, 50);
  room.SetRGB(wxRect(0, 0, 50, 50), 30, 160, 90);
  ASSERT_TRUE(room.SaveFile(wxString((dir / "room.png").string()), wxBITMAP_TYPE_PNG));
  Layout l;
  l.background = BackgroundImage{(dir / "room.png").string(), 0, 0, 10, 1.0, false, false};
  ASSERT_EQ(SaveLayout(l, dir / "plan.vtl", "Plan"), "");

  ASSERT_TRUE(frame->OpenLayoutFile(dir / "plan.vtl"));
  EXPECT_TRUE(prompter.shown.empty());
  // 500 mm of picture from device 60 to 260; grid lines every 40 pixels from 60.
  wxBitmap bitmap(400, 300, 24);
  {
    CanvasPicture picture;
    wxMemoryDC dc(bitmap);
    picture.Paint(dc, frame->layout(), {0.4, 60, 60}, 400, 300, CanvasGesture::None,
                  [](Painter&) {});
  }
  const wxImage drawn = bitmap.ConvertToImage();
  const auto colour = [&](int x, int y) {
    return std::array<int, 3>{drawn.GetRed(x, y), drawn.GetGreen(x, y), drawn.GetBlue(x, y)};
  };
  EXPECT_EQ(colour(150, 150), (std::array<int, 3>{30, 160, 90}));
  EXPECT_NE(colour(140, 150), colour(150, 150));  // a grid line over the picture
  EXPECT_NE(colour(300, 150), colour(150, 150));  // beside it

  std::filesystem::rename(dir / "room.png", dir / "moved.png");
  ASSERT_TRUE(frame->OpenLayoutFile(dir / "plan.vtl"));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Background Image");
  EXPECT_TRUE(frame->layout().background);
}

}  // namespace
