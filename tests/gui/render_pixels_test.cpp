// The layout picture on a real memory device context: colours read back from pixels,
// and the picture export run through the program itself.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cstdio>
#include <string>

#include "canvas/render.h"
#include "canvas/wx_painter.h"
#include "temp_dir.h"

namespace {

constexpr int kW = 400, kH = 300;

Layout Plain() {
  Layout l;
  l.levels.push_back(Level{});
  l.show_grid = false;
  l.show_labels = false;
  return l;
}

int AddPiece(Layout& l, const std::string& cat, double x, double y) {
  PlacedPiece p;
  p.id = l.next_id++;
  p.cat = cat;
  p.x = x;
  p.y = y;
  l.pieces.push_back(p);
  return p.id;
}

wxImage Render(const Layout& l, ViewTransform v = {1.0, 0, 0}) {
  wxBitmap bitmap(kW, kH, 24);
  {
    wxMemoryDC dc(bitmap);
    WxPainter painter(dc);
    RenderContext rc;
    DrawLayout(rc, painter, l, v, kW, kH);
  }
  return bitmap.ConvertToImage();
}

Color Pixel(const wxImage& img, int x, int y) {
  return {img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)};
}

// A straight at (50, 100) heading 0: its band's centre is at device (144, 100).
Color StraightCentre(const std::string& cat, void (*change)(PlacedPiece&, Layout&) = nullptr) {
  Layout l = Plain();
  AddPiece(l, cat, 50, 100);
  if (change) change(l.pieces[0], l);
  return Pixel(Render(l), 144, 100);
}

int NonWhiteInRow(const wxImage& img, int y) {
  int n = 0;
  for (int x = 0; x < img.GetWidth(); ++x) n += Pixel(img, x, y) != Color{255, 255, 255};
  return n;
}

std::string RunVantrel(const std::string& args, int& status) {
  const std::string cmd = std::string(VANTREL_EXE) + " " + args + " 2>&1";
  FILE* f = popen(cmd.c_str(), "r");
  std::string out;
  char buf[512];
  while (f && fgets(buf, sizeof buf, f)) out += buf;
  status = f ? pclose(f) : -1;
  return out;
}

}  // namespace

TEST(RenderPixels, TrackFillsBySystemStateAndElevation) {
  EXPECT_EQ(StraightCentre("24188"), (Color{210, 210, 205}));
  EXPECT_EQ(StraightCentre("2200"), (Color{215, 200, 175}));
  EXPECT_EQ(StraightCentre("24188", [](PlacedPiece& p, Layout&) { p.sel = true; }),
            (Color{180, 200, 230}));
  EXPECT_EQ(StraightCentre("24188", [](PlacedPiece& p, Layout&) { p.z = 30; }),
            (Color{232, 215, 132}));
  EXPECT_EQ(StraightCentre("24188", [](PlacedPiece& p, Layout&) { p.z = 60; }),
            (Color{255, 220, 60}));
  EXPECT_EQ(StraightCentre("24188", [](PlacedPiece& p, Layout&) { p.z = 120; }),
            (Color{180, 110, 0}));
  EXPECT_EQ(StraightCentre("24188",
                           [](PlacedPiece& p, Layout& l) {
                             l.tunnels.push_back({50, -1, -1, -1, -1, {p.id}});
                           }),
            (Color{216, 216, 214}));
  EXPECT_EQ(StraightCentre("24188",
                           [](PlacedPiece&, Layout& l) {
                             l.levels[0].trackcolor = true;
                             l.levels[0].r = 30;
                             l.levels[0].g = 140;
                             l.levels[0].b = 90;
                           }),
            (Color{30, 140, 90}));
  EXPECT_EQ(StraightCentre("24188",
                           [](PlacedPiece& p, Layout&) {
                             p.has_color = true;
                             p.color = {200, 40, 120};
                           }),
            (Color{200, 40, 120}));
}

TEST(RenderPixels, GridOnlyBetweenItsSpacingLimits) {
  Layout l = Plain();
  l.show_grid = true;
  EXPECT_EQ(NonWhiteInRow(Render(l, {0.059, 0.5, 0.5}), 50), 0);
  EXPECT_GT(NonWhiteInRow(Render(l, {0.06, 0.5, 0.5}), 50), 40);
  EXPECT_GT(NonWhiteInRow(Render(l, {4.0, 0.5, 0.5}), 50), 0);
  EXPECT_EQ(NonWhiteInRow(Render(l, {4.001, 100.5, 100.5}), 50), 0);
}

TEST(RenderPixels, HiddenLevelHidesPiecesShapesAndScenery) {
  Layout l = Plain();
  Level upper;
  upper.id = 2;
  l.levels.push_back(upper);
  AddPiece(l, "24188", 50, 100);
  l.pieces[0].level = 2;
  LayoutShape shape;
  shape.vertices = {{20, 200}, {120, 200}, {120, 280}};
  shape.level = 2;
  shape.a = 255;
  l.shapes.push_back(shape);
  SceneryItem item{60, "platform", 300, 100};
  item.level = 2;
  l.scenery.push_back(item);
  const wxImage shown = Render(l);
  EXPECT_EQ(Pixel(shown, 144, 100), (Color{210, 210, 205}));
  EXPECT_EQ(Pixel(shown, 100, 250), (Color{120, 170, 110}));
  EXPECT_EQ(Pixel(shown, 300, 95), (Color{180, 175, 170}));
  l.levels[1].visible = false;
  const wxImage hidden = Render(l);
  for (const auto& [x, y] : {std::pair{144, 100}, {100, 250}, {300, 95}})
    EXPECT_EQ(Pixel(hidden, x, y), (Color{255, 255, 255})) << x << "," << y;
}

TEST(RenderPixels, ShapeOpacityBlendsWithWhatIsBelow) {
  Layout l = Plain();
  LayoutShape shape;
  shape.vertices = {{20, 20}, {200, 20}, {200, 200}};
  l.shapes.push_back(shape);  // (120, 170, 110) at alpha 140
  const Color c = Pixel(Render(l), 150, 60);
  EXPECT_NEAR(c.r, 255 - (255 - 120) * 140 / 255, 2);
  EXPECT_NEAR(c.g, 255 - (255 - 170) * 140 / 255, 2);
  EXPECT_NEAR(c.b, 255 - (255 - 110) * 140 / 255, 2);
}

TEST(RenderPixels, JoinDotPenMatchesTheToolkitsLightness) {
  for (const Color c : {Color{60, 180, 60}, Color{255, 140, 0}, Color{10, 200, 255}}) {
    const wxColour wx = wxColour(c.r, c.g, c.b).ChangeLightness(70);
    EXPECT_EQ(ChangeLightness(c, 70), (Color{wx.Red(), wx.Green(), wx.Blue()}));
    const wxColour light = wxColour(c.r, c.g, c.b).ChangeLightness(130);
    EXPECT_EQ(ChangeLightness(c, 130), (Color{light.Red(), light.Green(), light.Blue()}));
  }
}

TEST(PictureExport, WritesTheFittedPictureAsPng) {
  TempDir dir;
  const std::string out = (dir / "layout.png").string();
  int status = -1;
  const std::string log = RunVantrel(std::string("--export-png ") + VANTREL_TEST_DATA +
                                         "/render_export.vtl " + out + " --size 500x400",
                                     status);
  ASSERT_EQ(status, 0) << log;
  wxImage img;
  ASSERT_TRUE(img.LoadFile(out, wxBITMAP_TYPE_PNG));
  EXPECT_EQ(img.GetWidth(), 500);
  EXPECT_EQ(img.GetHeight(), 400);
  // Fitted at zoom 0.8 with offsets (174.68, 80): the C straight's band around y 80,
  // the K straight's around y 320, white in the margin.
  EXPECT_EQ(Pixel(img, 200, 90), (Color{210, 210, 205}));
  EXPECT_EQ(Pixel(img, 200, 330), (Color{215, 200, 175}));
  EXPECT_EQ(Pixel(img, 10, 10), (Color{255, 255, 255}));
  const std::string svg = (dir / "layout.svg").string();
  RunVantrel(std::string("--export-svg ") + VANTREL_TEST_DATA + "/render_export.vtl " + svg,
             status);
  ASSERT_EQ(status, 0);
  const std::string text = TempDir::ReadFile(svg);
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("</svg>"), std::string::npos);
}

TEST(PictureExport, RefusesWithAClearMessage) {
  TempDir dir;
  const std::string data = std::string(VANTREL_TEST_DATA) + "/render_export.vtl ";
  int status = 0;
  std::string log = RunVantrel(
      "--export-png " + (dir / "missing.vtl").string() + " " + (dir / "a.png").string(), status);
  EXPECT_NE(status, 0);
  EXPECT_NE(log.find("Cannot open file: "), std::string::npos) << log;
  log = RunVantrel("--export-png " + data + (dir / "a.png").string() + " --size 12x9000", status);
  EXPECT_NE(status, 0);
  EXPECT_NE(log.find("Bad picture size \"12x9000\""), std::string::npos) << log;
  log = RunVantrel("--export-png " + data + (dir / "no-such-folder" / "a.png").string(), status);
  EXPECT_NE(status, 0);
  EXPECT_NE(log.find("Cannot write "), std::string::npos) << log;
  log = RunVantrel("--export-svg " + data, status);
  EXPECT_NE(status, 0);
  EXPECT_NE(log.find("usage:"), std::string::npos) << log;
}
