// The picture under the plan: its path kept beside the layout file and its scale from
// two points.
#include <gtest/gtest.h>

#include "canvas_events.h"
#include "fake_prompter.h"
#include "model/background.h"
#include "model/layout_file.h"
#include "temp_dir.h"

namespace {

TEST(BackgroundImage, FileKeepsThePathRelativeAndSaveAsRewritesIt) {
  TempDir dir;
  std::filesystem::create_directories(dir / "club/plans");
  Layout l;
  l.background =
      BackgroundImage{(dir / "club/room.png").string(), -120.5, 40, 12.5, 0.75, true, true};
  ASSERT_EQ(SaveLayout(l, dir / "club/yard.vtl", "Yard"), "");
  EXPECT_NE(dir.Read("club/yard.vtl")
                .find(R"(  <background path="room.png" x="-120.5000" y="40.0000" scale="12.5000" )"
                      R"(opacity="0.7500" locked="1" print="1"/>)"),
            std::string::npos);
  Layout back;
  ASSERT_EQ(LoadLayout(back, dir / "club/yard.vtl").error, "");
  EXPECT_EQ(back.background, l.background);
  // Saved elsewhere, the path leads from there to the same picture.
  ASSERT_EQ(SaveLayout(back, dir / "club/plans/copy.vtl", "Yard"), "");
  EXPECT_NE(dir.Read("club/plans/copy.vtl").find(R"(path="../room.png")"), std::string::npos);
  Layout again;
  ASSERT_EQ(LoadLayout(again, dir / "club/plans/copy.vtl").error, "");
  EXPECT_EQ(again.background, l.background);
  // A picture on no path from the layout's folder is kept absolute.
  EXPECT_EQ(StoredImagePath("/scans/room.png", ""), "/scans/room.png");
}

TEST(BackgroundImage, TwoPointsOfKnownDistanceSetTheScaleAboutTheFirst) {
  BackgroundImage image;
  image.x = -100;
  image.y = 50;
  const Point a{0, 50}, b{0, 150};  // drawn 100 mm apart
  const auto scaled = ScaledBetween(image, a, b, 2500);
  ASSERT_TRUE(scaled);
  EXPECT_DOUBLE_EQ(scaled->mm_per_px, 25);
  EXPECT_DOUBLE_EQ(scaled->x, -2500);  // 100 mm left of the first point becomes 2.5 m
  EXPECT_DOUBLE_EQ(scaled->y, 50);
  EXPECT_FALSE(ScaledBetween(image, a, a, 2500));
  EXPECT_FALSE(ScaledBetween(image, a, b, 0));
}

TEST(BackgroundImage, SetScaleTakesTwoClicksAndTheDistanceInTheLayoutsUnit) {
  Document doc;
  FakePrompter ask;
  CanvasController canvas(doc, ask);
  canvas.SetView(1.0, 0, 0);  // screen pixels = layout millimetres
  doc.layout().units = 1;     // centimetres
  doc.layout().background = BackgroundImage{"room.png", 0, 0, 1, 0.5, true, false};
  canvas.BeginBackgroundScale();
  EXPECT_EQ(ask.shown.size(), 1u);  // refused while locked
  doc.layout().background->locked = false;
  canvas.BeginBackgroundScale();
  canvas.LeftDown(At(10, 0));
  ask.texts = {"250"};
  canvas.LeftDown(At(10, 100));
  EXPECT_DOUBLE_EQ(doc.layout().background->mm_per_px, 25);
  EXPECT_DOUBLE_EQ(doc.layout().background->x, -240);
  EXPECT_TRUE(doc.modified());
  EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
