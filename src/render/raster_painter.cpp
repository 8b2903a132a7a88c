// Drawing calls carried out on pixels: scanline fills at pixel centres, strokes as
// dabs along Bresenham lines cut to the clip first, and a block font.
#include "render/raster_painter.h"

#include <algorithm>
#include <cmath>

#include "catalog/piece_def.h"

namespace {

// Rows of a 3 x 5 glyph from the top, the left column in the high bit.
using Glyph = std::uint8_t[5];
constexpr Glyph kDigits[10] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                               {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2},
                               {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
constexpr Glyph kCapital = {7, 7, 7, 7, 7};
constexpr Glyph kSmall = {0, 0, 7, 7, 7};
constexpr Glyph kPoint = {0, 0, 0, 0, 2};
constexpr Glyph kMinus = {0, 0, 7, 0, 0};
constexpr Glyph kPlus = {0, 2, 7, 2, 0};
constexpr Glyph kNothing = {0, 0, 0, 0, 0};

const std::uint8_t* GlyphOf(unsigned char c) {
  if (c >= '0' && c <= '9') return kDigits[c - '0'];
  if (c >= 'A' && c <= 'Z') return kCapital;
  switch (c) {
    case ' ':
      return kNothing;
    case '.':
    case ',':
      return kPoint;
    case '-':
      return kMinus;
    case '+':
      return kPlus;
    default:
      return kSmall;
  }
}

int Advance(int points) {
  return std::max(2, points * 2 / 3);
}
int LineHeight(int points) {
  return std::max(3, points * 4 / 3);
}

// The lines of a text, each as its letters' first bytes.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      lines.emplace_back();
    } else if ((c & 0xC0) != 0x80) {
      lines.back().push_back(ch);
    }
  }
  return lines;
}

int Round(double v) {
  return static_cast<int>(std::floor(std::clamp(v, -1e8, 1e8) + 0.5));
}

}  // namespace

RasterPainter::RasterPainter(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      rgb_(static_cast<std::size_t>(width_) * height_ * 3, 255),
      mask_(static_cast<std::size_t>(width_) * height_, 0) {
  ResetClip();
  mx0_ = my0_ = 1 << 30;
  mx1_ = my1_ = -1;
}

Color RasterPainter::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
  return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

void RasterPainter::Clear(Color c) {
  for (std::size_t i = 0; i < rgb_.size(); i += 3)
    rgb_[i] = c.r, rgb_[i + 1] = c.g, rgb_[i + 2] = c.b;
}

void RasterPainter::SetClip(int x, int y, int w, int h) {
  cx0_ = std::clamp(x, 0, width_), cy0_ = std::clamp(y, 0, height_);
  cx1_ = std::clamp(x + std::max(0, w), 0, width_),
  cy1_ = std::clamp(y + std::max(0, h), 0, height_);
}
void RasterPainter::ResetClip() {
  cx0_ = cy0_ = 0, cx1_ = width_, cy1_ = height_;
}
void RasterPainter::SetPen(Color color, int width, PenStyle style) {
  pen_ = true, pen_color_ = color, pen_width_ = std::max(1, width), pen_style_ = style;
}
void RasterPainter::SetTransparentPen() {
  pen_ = false;
}
void RasterPainter::SetBrush(Color color) {
  brush_ = true, brush_color_ = color;
}
void RasterPainter::SetTransparentBrush() {
  brush_ = false;
}
void RasterPainter::SetFont(int point_size, bool bold) {
  font_points_ = std::max(1, point_size), font_bold_ = bold;
}
void RasterPainter::SetTextForeground(Color color) {
  text_fg_ = color;
}
void RasterPainter::SetSolidTextBackground(Color color) {
  text_bg_ = true, text_bg_color_ = color;
}
void RasterPainter::SetTransparentTextBackground() {
  text_bg_ = false;
}

void RasterPainter::Mark(int x, int y) {
  if (x < cx0_ || y < cy0_ || x >= cx1_ || y >= cy1_) return;
  mask_[static_cast<std::size_t>(y) * width_ + x] = 1;
  mx0_ = std::min(mx0_, x), my0_ = std::min(my0_, y);
  mx1_ = std::max(mx1_, x), my1_ = std::max(my1_, y);
}

void RasterPainter::Paint(Color c) {
  for (int y = my0_; y <= my1_; ++y) {
    for (int x = mx0_; x <= mx1_; ++x) {
      const std::size_t m = static_cast<std::size_t>(y) * width_ + x;
      if (!mask_[m]) continue;
      mask_[m] = 0;
      std::uint8_t* px = &rgb_[m * 3];
      const auto blend = [&c](std::uint8_t src, std::uint8_t dst) {
        return static_cast<std::uint8_t>((src * c.a + dst * (255 - c.a) + 127) / 255);
      };
      px[0] = blend(c.r, px[0]), px[1] = blend(c.g, px[1]), px[2] = blend(c.b, px[2]);
    }
  }
  mx0_ = my0_ = 1 << 30;
  mx1_ = my1_ = -1;
}

// Odd-even fill: a pixel is inside when its centre is.
void RasterPainter::FillMarked(const std::vector<FPoint>& poly) {
  if (poly.size() < 3) return;
  double top = 1e300, bottom = -1e300;
  for (const FPoint& p : poly) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  const int y0 = std::max(cy0_, static_cast<int>(std::floor(std::max(top, -1.0))));
  const int y1 = std::min(cy1_ - 1, static_cast<int>(std::ceil(std::min(bottom, 1e8))));
  std::vector<double> xs;
  for (int y = y0; y <= y1; ++y) {
    const double yc = y + 0.5;
    xs.clear();
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const FPoint &a = poly[i], &b = poly[j];
      if ((a.y <= yc) == (b.y <= yc)) continue;
      xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
      const int from = std::max(cx0_, static_cast<int>(std::ceil(std::max(xs[k] - 0.5, -1.0))));
      const int to =
          std::min(cx1_ - 1, static_cast<int>(std::ceil(std::min(xs[k + 1] - 0.5, 1e8))) - 1);
      for (int x = from; x <= to; ++x) Mark(x, y);
    }
  }
}

void RasterPainter::Dab(int x, int y, int d) {
  if (d <= 1) return Mark(x, y);
  const int lo = -(d / 2);
  const double mid = lo + (d - 1) / 2.0, r2 = d * d / 4.0 + 0.5;
  for (int j = lo; j < lo + d; ++j)
    for (int i = lo; i < lo + d; ++i)
      if ((i - mid) * (i - mid) + (j - mid) * (j - mid) <= r2) Mark(x + i, y + j);
}

// The path with the pen: each segment cut to the clip (widened by the pen), then
// stepped pixel by pixel; dashes run on across the corners.
void RasterPainter::StrokeMarked(const std::vector<FPoint>& path, bool closed) {
  const std::size_t n = path.size();
  if (n < 2) return;
  const int w = pen_width_;
  int on = 1 << 30, off = 0;
  if (pen_style_ == PenStyle::Dot) on = w, off = 2 * w;
  if (pen_style_ == PenStyle::LongDash) on = 9 * w, off = 5 * w;
  long step = 0;
  const double m = w + 1.0;
  const double left = cx0_ - m, right = cx1_ + m, up = cy0_ - m, down = cy1_ + m;
  for (std::size_t s = 0; s + 1 < n + (closed ? 1 : 0); ++s) {
    FPoint a = path[s], b = path[(s + 1) % n];
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
      continue;
    // Liang-Barsky against the widened clip.
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    bool visible = true;
    for (const auto& [p, q] : {std::pair{-dx, a.x - left}, std::pair{dx, right - a.x},
                               std::pair{-dy, a.y - up}, std::pair{dy, down - a.y}}) {
      if (p == 0) {
        if (q < 0) visible = false;
        continue;
      }
      const double t = q / p;
      if (p < 0)
        t0 = std::max(t0, t);
      else
        t1 = std::min(t1, t);
    }
    if (!visible || t0 > t1) continue;
    int x = Round(a.x + t0 * dx), y = Round(a.y + t0 * dy);
    const int x1 = Round(a.x + t1 * dx), y1 = Round(a.y + t1 * dy);
    const int ddx = std::abs(x1 - x), ddy = -std::abs(y1 - y);
    const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    int err = ddx + ddy;
    for (;;) {
      if (step++ % (on + off) < on) Dab(x, y, w);
      if (x == x1 && y == y1) break;
      const int e2 = 2 * err;
      if (e2 >= ddy) err += ddy, x += sx;
      if (e2 <= ddx) err += ddx, y += sy;
    }
  }
}

void RasterPainter::DrawPolygon(const IPoint* points, int count) {
  std::vector<FPoint> poly;
  for (int i = 0; i < count; ++i) poly.push_back({double(points[i].x), double(points[i].y)});
  if (brush_) FillMarked(poly), Paint(brush_color_);
  if (pen_) StrokeMarked(poly, true), Paint(pen_color_);
}

void RasterPainter::DrawLine(IPoint a, IPoint b) {
  DrawLines(std::vector<IPoint>{a, b}.data(), 2);
}

void RasterPainter::DrawLines(const IPoint* points, int count) {
  if (!pen_) return;
  std::vector<FPoint> path;
  for (int i = 0; i < count; ++i) path.push_back({double(points[i].x), double(points[i].y)});
  StrokeMarked(path, false);
  Paint(pen_color_);
}

void RasterPainter::DrawCircle(IPoint c, int radius) {
  const double r = std::fabs(static_cast<double>(radius));
  if (brush_) {
    const int y0 = std::max(cy0_, static_cast<int>(std::max(c.y - r, -1.0)));
    const int y1 = std::min(cy1_ - 1, static_cast<int>(std::min(c.y + r, 1e8)));
    const int x0 = std::max(cx0_, static_cast<int>(std::max(c.x - r, -1.0)));
    const int x1 = std::min(cx1_ - 1, static_cast<int>(std::min(c.x + r, 1e8)));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (double(x - c.x) * (x - c.x) + double(y - c.y) * (y - c.y) <= r * r + 0.25) Mark(x, y);
    Paint(brush_color_);
  }
  if (pen_) {
    const int n = std::clamp(static_cast<int>(r * 4), 8, 720);
    std::vector<FPoint> ring;
    for (int i = 0; i < n; ++i)
      ring.push_back({c.x + r * std::cos(2 * kPi * i / n), c.y + r * std::sin(2 * kPi * i / n)});
    StrokeMarked(ring, true);
    Paint(pen_color_);
  }
}

void RasterPainter::DrawRectangle(int x, int y, int w, int h) {
  DrawRoundedRectangle(x, y, w, h, 0);
}

void RasterPainter::DrawRoundedRectangle(int x, int y, int w, int h, double radius) {
  if (w < 0) x += w, w = -w;
  if (h < 0) y += h, h = -h;
  if (w == 0 || h == 0) return;
  // Filled over the pixels [x, x + w) x [y, y + h), outlined on its border pixels.
  const auto outline = [&](double x0, double y0, double x1, double y1) {
    const double r = std::clamp(radius, 0.0, std::min(x1 - x0, y1 - y0) / 2);
    std::vector<FPoint> out;
    const FPoint corners[] = {
        {x1 - r, y0 + r}, {x0 + r, y0 + r}, {x0 + r, y1 - r}, {x1 - r, y1 - r}};
    for (int k = 0; k < 4; ++k)
      for (int i = 0; i <= (r > 0 ? 4 : 0); ++i) {
        const double a = kPi / 2 * (k + i / 4.0);
        out.push_back({corners[k].x + r * std::cos(a), corners[k].y - r * std::sin(a)});
      }
    return out;
  };
  if (brush_) FillMarked(outline(x, y, x + w, y + h)), Paint(brush_color_);
  if (pen_) StrokeMarked(outline(x, y, x + w - 1, y + h - 1), true), Paint(pen_color_);
}

void RasterPainter::DrawEllipticArc(int x, int y, int w, int h, double start, double end) {
  while (end < start) end += 360;
  const double cx = x + w / 2.0, cy = y + h / 2.0;
  const int n = std::clamp(static_cast<int>((end - start) / 5), 4, 144);
  std::vector<FPoint> arc;
  for (int i = 0; i <= n; ++i) {
    const double a = DegToRad(start + (end - start) * i / n);
    arc.push_back({cx + w / 2.0 * std::cos(a), cy - h / 2.0 * std::sin(a)});
  }
  if (brush_) {
    std::vector<FPoint> pie = arc;
    pie.push_back({cx, cy});
    FillMarked(pie);
    Paint(brush_color_);
  }
  if (pen_) StrokeMarked(arc, false), Paint(pen_color_);
}

IPoint RasterPainter::TextExtent(const std::string& text) {
  std::size_t widest = 0;
  const std::vector<std::string> lines = Lines(text);
  for (const std::string& l : lines) widest = std::max(widest, l.size());
  return {static_cast<int>(widest) * Advance(font_points_),
          static_cast<int>(lines.size()) * LineHeight(font_points_)};
}

void RasterPainter::DrawText(const std::string& text, int x, int y) {
  Text(text, x, y, 0);
}

void RasterPainter::DrawRotatedText(const std::string& text, int x, int y, double angle_deg) {
  Text(text, x, y, angle_deg);
}

// Each letter in a cell of its advance by the line height, the glyph's 3 x 5 cells
// within it; turned counter-clockwise about the text's top-left corner.
void RasterPainter::Text(const std::string& text, int x, int y, double angle_deg) {
  const double a = DegToRad(angle_deg), c = std::cos(a), s = std::sin(a);
  const auto to = [&](double u, double v) -> FPoint {
    return {x + u * c + v * s, y - u * s + v * c};
  };
  const auto quad = [&](double u0, double v0, double u1, double v1) {
    FillMarked({to(u0, v0), to(u1, v0), to(u1, v1), to(u0, v1)});
  };
  const int adv = Advance(font_points_), lh = LineHeight(font_points_);
  if (text_bg_) {
    const IPoint e = TextExtent(text);
    quad(0, 0, e.x, e.y);
    Paint(text_bg_color_);
  }
  const double gw = std::max(1.0, (adv - 1) / 3.0), gh = std::max(1.0, (lh - 2) / 5.0);
  const double bold = font_bold_ ? gw / 4 : 0;
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const double v = l * lh + (lh - 5 * gh) / 2;
    for (std::size_t k = 0; k < lines[l].size(); ++k) {
      const std::uint8_t* g = GlyphOf(static_cast<unsigned char>(lines[l][k]));
      const double u = k * adv;
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
          if (g[row] & (4 >> col))
            quad(u + col * gw, v + row * gh, u + (col + 1) * gw + bold, v + (row + 1) * gh);
    }
  }
  Paint(text_fg_);
}
