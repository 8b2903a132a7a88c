// View > Show Heights: one label a joint with the height there, grades on graded pieces.
#include <gtest/gtest.h>

#include "edit/grades.h"
#include "interact/height_labels.h"
#include "layout_builder.h"

namespace {

TEST(PlanHeights, OneLabelAJointInTheLayoutsUnitAndTheGradeOfGradedPieces) {
  Layout layout;
  ChainBuilder b(layout);
  b.Start("24188");
  b.Append("24188");
  b.Append("24188");
  PlacedPiece& middle = layout.pieces[1];
  middle.z = 20;
  middle.grade = 2;
  layout.pieces[2].z = ElevationAt(middle, 1);
  layout.units = 1;  // cm
  ViewTransform v;
  v.zoom = 1;
  std::vector<HeightLabel> labels = HeightLabels(layout, v, 1600, 1000);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, "0.0 cm");
  EXPECT_EQ(labels[0].at.x, 248);       // 60 px offset + 188.3 mm
  EXPECT_EQ(labels[1].text, "2.7 cm");  // 20 mm + sin 2 deg x 188.3 mm
  EXPECT_EQ(labels[2].text, "+2.00 deg (3.5%)");
  EXPECT_TRUE(labels[2].grade);

  v.zoom = kHeightLabelsMinZoom / 2;
  EXPECT_TRUE(HeightLabels(layout, v, 1600, 1000).empty());
  v.zoom = 1;
  v.offset_x = -5000;  // the layout lies far left of the surface
  EXPECT_TRUE(HeightLabels(layout, v, 1600, 1000).empty());
}

}  // namespace
