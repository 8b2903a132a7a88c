// The picture under the plan: its path beside the layout file and its scale from two points.
#include <gtest/gtest.h>

#include "model/background.h"

namespace {

TEST(BackgroundImage, PathIsKeptRelativeToTheLayoutFileAndFoundAgain) {
  struct Case {
    const char* image;
    const char* layout;
    const char* stored;
  };
  for (const Case& c : {Case{"/plans/rooms/cellar.png", "/plans/cellar.vtl", "rooms/cellar.png"},
                        Case{"/scans/cellar.png", "/plans/cellar.vtl", "../scans/cellar.png"},
                        Case{"/scans/cellar.png", "", "/scans/cellar.png"}}) {
    EXPECT_EQ(StoredImagePath(c.image, c.layout), c.stored) << c.layout;
    EXPECT_EQ(OpenedImagePath(c.stored, c.layout), c.image) << c.layout;
  }
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

}  // namespace
