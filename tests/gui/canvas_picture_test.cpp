// The canvas picture reused through a gesture shows what a picture drawn afresh shows:
// a pan that shifts it and draws the uncovered strips, and a carried selection drawn
// over the layout without it.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <cstring>

#include "gui/draw/canvas_picture.h"
#include "layout_builder.h"

namespace {

constexpr int kW = 500, kH = 360;

wxImage Frame(CanvasPicture& picture, const Layout& l, const ViewTransform& v, CanvasGesture g) {
  wxBitmap bitmap(kW, kH, 24);
  {
    wxMemoryDC dc(bitmap);
    picture.Paint(dc, l, v, kW, kH, g, [](Painter&) {});
  }
  return bitmap.ConvertToImage();
}

// Pixels that differ. A shifted picture may put a point a pixel off where its position
// falls within rounding of a whole pixel; a strip drawn wrong differs in thousands.
int Differing(const wxImage& a, const wxImage& b) {
  int n = 0;
  for (int i = 0; i < kW * kH * 3; i += 3)
    n += std::memcmp(a.GetData() + i, b.GetData() + i, 3) != 0;
  return n;
}

TEST(CanvasPicture, ReusedPictureMatchesAFreshOne) {
  Layout l = MakeBigLayout(400);
  l.labels.push_back({l.next_id++, "Yard", 1900, 700});
  CanvasPicture kept;
  ViewTransform v{0.25, 20, 40};
  Frame(kept, l, v, CanvasGesture::None);
  // Panned up and left in steps: the right and bottom strips come into view.
  for (int step = 0; step < 3; ++step) {
    v.offset_x -= 70;
    v.offset_y -= 45;
    const wxImage panned = Frame(kept, l, v, CanvasGesture::Pan);
    CanvasPicture fresh;
    EXPECT_LT(Differing(panned, Frame(fresh, l, v, CanvasGesture::None)), 200) << step;
  }
  // The first oval carried to the empty row below the next one.
  for (PlacedPiece& p : l.pieces) p.sel = p.x < 1500;
  kept.Invalidate();
  Frame(kept, l, v, CanvasGesture::Move);
  for (PlacedPiece& p : l.pieces)
    if (p.sel) p.x += 1600, p.y += 1100;
  const wxImage carried = Frame(kept, l, v, CanvasGesture::Move);
  CanvasPicture fresh;
  EXPECT_EQ(Differing(carried, Frame(fresh, l, v, CanvasGesture::None)), 0);
}

}  // namespace
