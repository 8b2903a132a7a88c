// The layout's plain operations: New, delete and the extent.
#include <gtest/gtest.h>

#include "catalog/helix_catalog.h"
#include "layout_builder.h"
#include "model/layout_extent.h"
#include "model/layout_ops.h"

namespace {

// New keeps nothing of the last layout but one fresh level.
TEST(Layout, NewLeavesOneFreshLevel) {
  Layout l;
  ChainBuilder b(l);
  b.Start("24188");
  b.Append("24188");
  l.levels = {Level{}, Level{.id = 3, .outline = {}}};
  l.active_level = 3;
  l.baseboard = {{0, 0}, {10, 0}, {10, 10}};
  l.grade_runs = {{2.0, 1, 0}};
  RecomputeGradeMode(l);
  ClearForNew(l);
  EXPECT_TRUE(l.pieces.empty() && l.baseboard.empty() && l.grade_runs.empty());
  ASSERT_EQ(l.levels.size(), 1u);
  EXPECT_EQ(l.active_level, 1);
  EXPECT_EQ(l.next_id, 1);
  EXPECT_FALSE(l.grade_mode.active);
}

TEST(Extent, EachFilterCountsItsOwnObjects) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .visible = false, .outline = {}});
  ChainBuilder(l).Start("24188", {0, 0, 0});
  ChainBuilder(l).Start("24188", {1000, 0, 90}, 2);
  ChainBuilder(l).Start("no-such-article", {-5000, -5000, 0});
  l.scenery.push_back({.id = 50, .item = "platform", .x = 100, .y = 500, .level = 2});
  l.scenery.push_back({.id = 51, .item = "no-such-item", .x = -700, .y = 0, .level = 1});
  const Helix h{.cx = 3000, .cy = 3000};
  l.helices.push_back(h);  // no bottom piece: on level 1
  l.labels.push_back({7, "Yard", 0, -900});
  l.baseboard = {{-50, 0}, {0, 0}};
  const auto box = [&](const ExtentFilter& f) {
    const Extent e = LayoutExtent(l, f);
    return std::vector<double>{e.min_x, e.min_y, e.max_x, e.max_y};
  };
  // Known pieces' ends and every scenery position, on every level.
  EXPECT_EQ(box({}), (std::vector<double>{-700, 0, 1000, 500}));
  EXPECT_EQ(box({.pieces = OnLevels::Active, .scenery = OnLevels::None}),
            (std::vector<double>{0, 0, 188.3, 0}));
  // Footprints: known items only, reaching width along x and depth against y.
  l.levels[1].visible = true;
  EXPECT_EQ(box({.pieces = OnLevels::None, .scenery_footprints = true}),
            (std::vector<double>{100, 440, 330, 500}));
  l.levels[1].visible = false;
  EXPECT_EQ(
      box({.pieces = OnLevels::Visible, .scenery = OnLevels::Visible, .scenery_footprints = true}),
      (std::vector<double>{0, 0, 188.3, 0}));
  // A helix: its square, or its whole outer ring.
  EXPECT_EQ(box({.helices = OnLevels::All})[2], 3500);
  const double outer = HelixCatalog::resolve(h.variant)->outer_radius;
  const Extent rings = LayoutExtent(l, {.pieces = OnLevels::None,
                                        .scenery = OnLevels::None,
                                        .helices = OnLevels::Visible,
                                        .helix_rings = true});
  EXPECT_NEAR(rings.min_x, 3000 - outer, 1e-9);
  EXPECT_NEAR(rings.max_y, 3000 + outer, 1e-9);
  // Drawings, and a baseboard of two vertices only when always counted.
  EXPECT_EQ(box({.drawings = true, .baseboard = ExtentFilter::Board::Outline})[1], -900);
  EXPECT_EQ(box({.baseboard = ExtentFilter::Board::Outline})[0], -700);
  EXPECT_EQ(box({.pieces = OnLevels::None,
                 .scenery = OnLevels::None,
                 .baseboard = ExtentFilter::Board::Always})[0],
            -50);
  EXPECT_FALSE(LayoutExtent(l, {.pieces = OnLevels::None, .scenery = OnLevels::None}).any);
}

TEST(Delete, LeavesNoJointToAMissingPieceAndCleansRunsHelicesAndTunnels) {
  Layout l = WithLevel();
  ChainBuilder b(l);
  const int a = b.Start("24188");
  const int m = b.Append("24188");
  const int z = b.Append("24188");
  l.grade_runs = {{2.0, m, 0}, {1.0, z, 0}, {-1.0, a, 1}};
  l.helices = {{.id = 50}};
  l.pieces[1].helix = 50;  // only the middle piece belongs to the helix
  l.scenery = {{.id = 60, .item = {}}, {.id = 61, .item = {}}};
  l.tunnels.push_back({70, 60, 61, m, m, {m}});
  l.next_id = 80;
  l.labels.resize(2);
  l.measures.resize(2);
  l.shapes.resize(2);
  l.pieces[1].sel = l.labels[0].sel = l.measures[1].sel = l.shapes[0].sel = true;
  ASSERT_TRUE(DeleteSelected(l));
  EXPECT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(l.labels.size() + l.measures.size() + l.shapes.size(), 3u);
  EXPECT_EQ(CheckJointConsistency(l), "");
  EXPECT_FALSE(l.pieces[0].Joined(1));
  EXPECT_FALSE(l.pieces[1].Joined(0));
  ASSERT_EQ(l.grade_runs.size(), 2u);
  EXPECT_EQ(l.grade_runs[0].anchor, z);
  EXPECT_EQ(l.grade_mode, (GradeMode{true, -1.0, a, 1}));  // the last run left
  EXPECT_TRUE(l.helices.empty());
  EXPECT_TRUE(l.tunnels.empty());  // it covered nothing else
  EXPECT_TRUE(l.scenery.empty());  // so its portals went with it
  EXPECT_FALSE(DeleteSelected(l)) << "nothing selected";
}

}  // namespace
