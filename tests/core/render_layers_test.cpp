// Rules of the layers that the pictures do not show: when the grid and the board's
// lengths are left out, hidden levels, culling, ruler steps, and numbers from a file
// far outside any screen.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "layout_builder.h"
#include "recording_painter.h"
#include "render/raster_painter.h"
#include "render/render_overlays.h"

namespace {

TEST(Grid, DrawnOnlyFrom6To400PixelSpacing) {
  const auto lines = [](ViewTransform v) {
    return Paint(WithLevel(), v).Find(Op::Line).size();  // with the origin's cross
  };
  EXPECT_EQ(lines({0.059, 60, 60}), 0u);  // 5.9 px
  EXPECT_GT(lines({0.06, 60, 60}), 2u);
  EXPECT_GT(lines({4.0, 60, 60}), 2u);
  EXPECT_EQ(lines({4.001, 60, 60}), 0u);     // 400.1 px
  EXPECT_GT(lines({1.0, 1e30, -1e30}), 0u);  // a far-away view still ends the loop
  EXPECT_TRUE(Paint(WithLevel(), {1.0, 100, 100}, 1400, 900, true, kNoGrid).Find(Op::Line).empty());
}

TEST(Baseboard, EdgesShorterThan10mmHaveNoLength) {
  Layout l = WithLevel();
  l.baseboard = {{0, 0}, {9.99, 0}, {0, 400}};
  EXPECT_EQ(Paint(l).Texts(), (std::vector<std::string>{"400 mm", "400 mm"}));
  l.baseboard[1].x = 10.0;
  EXPECT_EQ(Paint(l).Texts(), (std::vector<std::string>{"10 mm", "400 mm", "400 mm"}));
  EXPECT_TRUE(Paint(l, {1.0, 100, 100}, 1400, 900, true, DrawSwitches{.baseboard = false})
                  .Find(Op::Polygon)
                  .empty());
}

TEST(Levels, HiddenLevelHidesPiecesShapesAndScenery) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .visible = false, .outline = {}});
  AddPiece(l, "24188", 0, 0, 0, 2);
  l.shapes.push_back({.vertices = {{0, 0}, {100, 0}, {100, 100}}, .level = 2, .label = {}});
  l.scenery.push_back({.id = 50, .item = "platform", .x = 100, .y = 100, .level = 2});
  AddPiece(l, "no-such-article");
  l.scenery.push_back({51, "no-such-item", 0, 0});
  EXPECT_EQ(Paint(l, {1.0, 100, 100}, 1400, 900, true, kNoGrid).calls.size(),
            1u);                                                   // the clear only
  l.pieces[0].level = l.shapes[0].level = l.scenery[0].level = 7;  // no such level: shown
  EXPECT_GT(Paint(l, {1.0, 100, 100}, 1400, 900, true, kNoGrid).calls.size(), 3u);
}

// The calls of a culled and an unculled drawing that touch an 800 x 600 screen are the same.
void ExpectCullingExact(const Layout& l, const ViewTransform& v, bool efficient,
                        DrawSwitches show = {}) {
  const RecordingPainter culled = Paint(l, v, 800, 600, true, show);
  const RecordingPainter full = Paint(l, v, 800, 600, false, show);
  const auto on_screen = [](const RecordingPainter& rec) {
    std::vector<PaintCall> out;
    for (const PaintCall& c : rec.calls) {
      int x0, y0, x1, y1;
      c.Bounds(x0, y0, x1, y1);
      if (c.op == Op::Clear || (x1 >= 0 && x0 < 800 && y1 >= 0 && y0 < 600)) out.push_back(c);
    }
    return out;
  };
  const std::vector<PaintCall> a = on_screen(culled), b = on_screen(full);
  EXPECT_GT(b.size(), 20u) << v.zoom;
  if (efficient) {
    EXPECT_LT(culled.calls.size(), full.calls.size() / 2) << v.zoom;
  }
  EXPECT_TRUE(a == b) << "zoom " << v.zoom << ": " << a.size() << " vs " << b.size();
}

TEST(DrawLayout, CullingDrawsExactlyWhatIsOnScreen) {
  const ViewTransform views[] = {{0.5, -3000, 100}, {0.2, -500, -50}, {2.0, -9000, -400}};
  Layout l = MakeBigLayout(400);
  for (int i = 0; i < 40; ++i) l.scenery.push_back({1000 + i, "platform", i * 300.0, 200, 30});
  l.pieces[5].sel = true;
  // Short pieces just left of the screen in the second view: only their labels reach in.
  for (int i = 0; i < 20; ++i) AddPiece(l, "8502", 2455, 1000 + 100.0 * i);
  for (const ViewTransform& v : views) ExpectCullingExact(l, v, true);
  // Pieces pointing into the view, their origins swept leftward off its edge two
  // pixels apart: a reach or padding too small drops one that still shows.
  for (const ViewTransform& v : views) {
    Layout sweep = WithLevel();
    for (double px = -420; px < 0; px += 2) {
      for (const char* cat : {"24188", "24130", "24611", "8502", "74861"})
        AddPiece(sweep, cat, (px - v.offset_x) / v.zoom, (300 + px - v.offset_y) / v.zoom);
    }
    // Without labels: their room would hide a reach too small.
    ExpectCullingExact(sweep, v, false, {.labels = false});
  }
}

TEST(Rulers, StepAndLabelsInEachUnit) {
  EXPECT_DOUBLE_EQ(RulerStep(0, 0.05), 500);  // none is large enough: the last
  EXPECT_DOUBLE_EQ(RulerStep(1, 1.0), 10);
  EXPECT_DOUBLE_EQ(RulerStep(2, 10.0), 0.25);
  EXPECT_EQ(RulerLabel(0.5, 2) + RulerLabel(6, 2) + RulerLabel(150, 1), "0.5\"6\"150");
}

TEST(DrawLayout, ExtremeNumbersFromAFileDrawWithoutFault) {
  // Positions, scales and offsets far outside any screen must neither hang nor hit
  // undefined conversions (the sanitizer build checks the latter).
  Layout l = WithLevel();
  AddPiece(l, "24188", 1e300, -1e300);
  AddPiece(l, "24130", std::nan(""), 0);
  l.scenery.push_back({40, "platform", 100, 100, 0, false, 1e300, std::nan("")});
  l.shapes.push_back({.vertices = {{-1e300, 0}, {1e300, 0}, {0, 1e300}}, .label = {}});
  l.measures.push_back({41, {-1e300, 0}, {1e300, 0}, {0, 0}, false});
  l.baseboard = {{0, 0}, {1e12, 0}, {1e12, 1e12}};
  for (const ViewTransform v : {ViewTransform{1.0, 0, 0}, ViewTransform{0.5, 1e30, -1e30}}) {
    EXPECT_FALSE(Paint(l, v).calls.empty());
    RecordingPainter rulers;
    DrawRulers(rulers, v, 2, 800, 600);
    EXPECT_FALSE(rulers.calls.empty());
    // The raster painter cuts what it is given to its pixels.
    RasterPainter raster(80, 60);
    RenderContext rc;
    DrawLayout(rc, raster, l, v, 80, 60);
    DrawRulers(raster, v, 2, 80, 60);
  }
}

}  // namespace
