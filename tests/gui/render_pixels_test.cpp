// The layout picture on a real memory device context agrees with the raster painter's
// (whose pictures are stored), and the picture export run through the program itself.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "gui/draw/wx_painter.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "render/raster_painter.h"
#include "render/render.h"
#include "run_vantrel.h"
#include "temp_dir.h"

namespace {

constexpr int kW = 400, kH = 300;

// Without grid and labels unless asked for.
wxImage Render(const Layout& l, ViewTransform v = {1.0, 0, 0},
               DrawSwitches show = {false, false, true}) {
  wxBitmap bitmap(kW, kH, 24);
  {
    wxMemoryDC dc(bitmap);
    WxPainter painter(dc);
    RenderContext rc;
    rc.show = show;
    DrawLayout(rc, painter, l, v, kW, kH);
  }
  return bitmap.ConvertToImage();
}

Color Pixel(const wxImage& img, int x, int y) {
  return {img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)};
}

}  // namespace

// Inside every band and under a translucent shape both painters give the same colour.
TEST(RenderPixels, FillsAgreeWithTheRasterPainter) {
  Layout l = WithLevel();
  l.levels.push_back({.id = 2, .trackcolor = true, .r = 30, .g = 140, .b = 90, .outline = {}});
  const char* cats[] = {"24188", "2200", "24188", "24188", "24188", "24188", "24188", "24188"};
  for (int i = 0; i < 8; ++i) {
    PlacedPiece& p = l.pieces.emplace_back();
    p.id = i + 1, p.cat = cats[i], p.x = 10 + i % 2 * 200, p.y = 20 + i / 2 * 70;
  }
  l.pieces[2].sel = true;
  l.pieces[3].z = 30;
  l.pieces[4].z = 120;
  l.pieces[5].level = 2;
  l.pieces[6].has_color = true, l.pieces[6].color = {200, 40, 120};
  l.tunnels.push_back({50, -1, -1, -1, -1, {8}});
  l.shapes.push_back({.vertices = {{0, 290}, {400, 290}, {400, 300}, {0, 300}}, .label = {}});
  const wxImage wx = Render(l);
  RasterPainter raster(kW, kH);
  RenderContext rc;
  rc.show = {false, false, true};
  DrawLayout(rc, raster, l, {1.0, 0, 0}, kW, kH);
  for (const PlacedPiece& p : l.pieces) {
    const int x = static_cast<int>(p.x) + 94, y = static_cast<int>(p.y);
    EXPECT_EQ(Pixel(wx, x, y), raster.At(x, y)) << "piece " << p.id;
  }
  const Color a = Pixel(wx, 300, 295), b = raster.At(300, 295);
  EXPECT_NEAR(a.r, b.r, 2);
  EXPECT_NEAR(a.g, b.g, 2);
  EXPECT_NEAR(a.b, b.b, 2);
}

TEST(RenderPixels, JoinDotPenMatchesTheToolkitsLightness) {
  for (const Color c : {Color{60, 180, 60}, Color{255, 140, 0}, Color{10, 200, 255}}) {
    for (const int amount : {70, 130}) {
      const wxColour wx = wxColour(c.r, c.g, c.b).ChangeLightness(amount);
      EXPECT_EQ(ChangeLightness(c, amount), (Color{wx.Red(), wx.Green(), wx.Blue()})) << amount;
    }
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
  // The picture fitted as the raster painter's is: the same colours inside the bands.
  Layout l;
  ASSERT_EQ(LoadLayout(l, std::string(VANTREL_TEST_DATA) + "/render_export.vtl").error, "");
  ViewTransform v;
  FitToLayout(v, l, false, 500, 400);
  RasterPainter raster(500, 400);
  RenderContext rc;
  DrawLayout(rc, raster, l, v, 500, 400);
  for (const IPoint at : {IPoint{200, 90}, IPoint{200, 330}, IPoint{10, 10}})
    EXPECT_EQ(Pixel(img, at.x, at.y), raster.At(at.x, at.y)) << at.x << "," << at.y;
  const std::string svg = (dir / "layout.svg").string();
  RunVantrel(std::string("--export-svg ") + VANTREL_TEST_DATA + "/render_export.vtl " + svg,
             status);
  ASSERT_EQ(status, 0);
  EXPECT_NE(TempDir::ReadFile(svg).find("</svg>"), std::string::npos);
}

// Refusals are one line, as every export's: scripts read that line.
TEST(PictureExport, RefusesWithAClearMessage) {
  TempDir dir;
  const std::string data = std::string(VANTREL_TEST_DATA) + "/render_export.vtl ";
  const std::string png = (dir / "a.png").string(), pdf = (dir / "a.pdf").string();
  const std::pair<std::string, std::string> cases[] = {
      {"--export-pdf " + data + pdf + " --scale 0", "usage: vantrel --export-pdf"},
      {"--export-pdf " + data + pdf + " --paper a9", "usage: vantrel --export-pdf"},
      {"--export-pdf " + (dir / "missing.vtl").string() + " " + pdf, "Cannot read "},
      {"--export-png " + (dir / "missing.vtl").string() + " " + png, "Cannot open file: "},
      {"--export-png " + data + png + " --size 12x9000", "Bad picture size \"12x9000\""},
      {"--export-png " + data + (dir / "no-such-folder" / "a.png").string(), "Cannot write "},
      {"--export-svg " + data, "usage:"},
  };
  for (const auto& [args, message] : cases) {
    int status = 0;
    const std::string log = RunVantrel(args, status);
    EXPECT_NE(status, 0) << args;
    EXPECT_NE(log.find(message), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  }
}
