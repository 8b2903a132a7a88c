// The layout picture on a real memory device context: colours read back from pixels,
// and the picture export run through the program itself.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cstdio>
#include <string>

#include "gui/draw/wx_painter.h"
#include "render/render.h"
#include "temp_dir.h"

namespace {

constexpr int kW = 400, kH = 300;

Layout Plain() {
  Layout l;
  l.levels.push_back(Level{});
  return l;
}

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

// A straight at (50, 100) heading 0, changed by `change`: its band's centre pixel.
Color StraightCentre(const std::string& cat, void (*change)(PlacedPiece&, Layout&) = nullptr) {
  Layout l = Plain();
  PlacedPiece& p = l.pieces.emplace_back();
  p.id = 1, p.cat = cat, p.x = 50, p.y = 100;
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
  using Change = void (*)(PlacedPiece&, Layout&);
  const std::pair<Change, Color> cases[] = {
      {[](PlacedPiece& p, Layout&) { p.sel = true; }, {180, 200, 230}},
      {[](PlacedPiece& p, Layout&) { p.z = 30; }, {232, 215, 132}},
      {[](PlacedPiece& p, Layout&) { p.z = 60; }, {255, 220, 60}},
      {[](PlacedPiece& p, Layout&) { p.z = 120; }, {180, 110, 0}},
      {[](PlacedPiece& p, Layout& l) {
         l.tunnels.push_back({50, -1, -1, -1, -1, {p.id}});
       },
       {216, 216, 214}},
      {[](PlacedPiece&, Layout& l) {
         l.levels[0].trackcolor = true;
         l.levels[0].r = 30, l.levels[0].g = 140, l.levels[0].b = 90;
       },
       {30, 140, 90}},
      {[](PlacedPiece& p, Layout&) {
         p.has_color = true, p.color = {200, 40, 120};
       },
       {200, 40, 120}},
  };
  EXPECT_EQ(StraightCentre("24188"), (Color{210, 210, 205}));
  EXPECT_EQ(StraightCentre("2200"), (Color{215, 200, 175}));
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(StraightCentre("24188", cases[i].first), cases[i].second) << "case " << i;
}

TEST(RenderPixels, GridOnlyBetweenItsSpacingLimits) {
  const Layout l = Plain();
  const DrawSwitches grid{true, false, true};
  EXPECT_EQ(NonWhiteInRow(Render(l, {0.059, 0.5, 0.5}, grid), 50), 0);
  EXPECT_GT(NonWhiteInRow(Render(l, {0.06, 0.5, 0.5}, grid), 50), 40);
  EXPECT_GT(NonWhiteInRow(Render(l, {4.0, 0.5, 0.5}, grid), 50), 0);
  EXPECT_EQ(NonWhiteInRow(Render(l, {4.001, 100.5, 100.5}), 50), 0);
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
  const std::string png = (dir / "a.png").string();
  const std::pair<std::string, std::string> cases[] = {
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
  }
}
