// Painter calls carried out on a wxDC, with the drawing state cached.
#include "gui/draw/wx_painter.h"

#include <wx/graphics.h>

#include <cmath>

#include "gui/wx_text.h"

namespace {

wxColour ToWxColour(Color c) {
  return wxColour(c.r, c.g, c.b, c.a);
}

wxPenStyle ToWxStyle(PenStyle s) {
  switch (s) {
    case PenStyle::Dot:
      return wxPENSTYLE_DOT;
    case PenStyle::LongDash:
      return wxPENSTYLE_LONG_DASH;
    case PenStyle::Solid:
      break;
  }
  return wxPENSTYLE_SOLID;
}

}  // namespace

WxPainter::WxPainter(wxDC& dc, bool antialias) : dc_(dc) {
  if (wxGraphicsContext* gc = dc_.GetGraphicsContext())
    gc->SetAntialiasMode(antialias ? wxANTIALIAS_DEFAULT : wxANTIALIAS_NONE);
}

std::uint64_t WxPainter::ColorKey(Color c) {
  return static_cast<std::uint64_t>(c.r) | static_cast<std::uint64_t>(c.g) << 8 |
         static_cast<std::uint64_t>(c.b) << 16 | static_cast<std::uint64_t>(c.a) << 24;
}

std::uint64_t WxPainter::PenKey(Color c, int width, PenStyle style) {
  return ColorKey(c) | static_cast<std::uint64_t>(static_cast<std::uint16_t>(width)) << 32 |
         static_cast<std::uint64_t>(style) << 48;
}

void WxPainter::Clear(Color background) {
  dc_.SetBackground(wxBrush(ToWxColour(background)));
  dc_.Clear();
}

void WxPainter::SetClip(int x, int y, int width, int height) {
  // A device context on a graphics context made from a native one (a PDF page) has no
  // size, and cuts every clip of its own down to nothing: clip the graphics context.
  if (wxGraphicsContext* gc = dc_.GetGraphicsContext()) {
    gc->ResetClip();
    gc->Clip(x, y, width, height);
    return;
  }
  dc_.DestroyClippingRegion();  // a new region would otherwise be cut by the old one
  dc_.SetClippingRegion(x, y, width, height);
}

void WxPainter::ResetClip() {
  if (wxGraphicsContext* gc = dc_.GetGraphicsContext())
    gc->ResetClip();
  else
    dc_.DestroyClippingRegion();
}

void WxPainter::SetPen(Color color, int width, PenStyle style) {
  const std::uint64_t key = PenKey(color, width, style);
  if (key == pen_) return;
  pen_ = key;
  auto it = pens_.find(key);
  if (it == pens_.end())
    it = pens_.emplace(key, wxPen(ToWxColour(color), width, ToWxStyle(style))).first;
  dc_.SetPen(it->second);
}

void WxPainter::SetTransparentPen() {
  if (pen_ == kNone) return;
  pen_ = kNone;
  dc_.SetPen(*wxTRANSPARENT_PEN);
}

void WxPainter::SetBrush(Color color) {
  const std::uint64_t key = ColorKey(color);
  if (key == brush_) return;
  brush_ = key;
  auto it = brushes_.find(key);
  if (it == brushes_.end()) it = brushes_.emplace(key, wxBrush(ToWxColour(color))).first;
  dc_.SetBrush(it->second);
}

void WxPainter::SetTransparentBrush() {
  if (brush_ == kNone) return;
  brush_ = kNone;
  dc_.SetBrush(*wxTRANSPARENT_BRUSH);
}

void WxPainter::SetFont(int point_size, bool bold) {
  const int key = point_size * 2 + (bold ? 1 : 0);
  if (key == font_) return;
  font_ = key;
  auto it = fonts_.find(key);
  if (it == fonts_.end())
    it = fonts_
             .emplace(key, wxFont(point_size, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL,
                                  bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL))
             .first;
  dc_.SetFont(it->second);
}

void WxPainter::SetTextForeground(Color color) {
  const std::uint64_t key = ColorKey(color);
  if (key == text_fg_) return;
  text_fg_ = key;
  dc_.SetTextForeground(ToWxColour(color));
}

void WxPainter::SetSolidTextBackground(Color color) {
  const std::uint64_t key = ColorKey(color);
  if (key == text_bg_) return;
  text_bg_ = key;
  dc_.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
  dc_.SetTextBackground(ToWxColour(color));
}

void WxPainter::SetTransparentTextBackground() {
  if (text_bg_ == kNone) return;
  text_bg_ = kNone;
  dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
}

int WxPainter::ToWxPoints(const IPoint* points, int count) {
  // Zoomed out, many curve points fall on the same pixel; a repeated point adds an
  // empty segment that changes nothing but costs the rasteriser time.
  points_.clear();
  for (int i = 0; i < count; ++i) {
    if (i > 0 && points[i] == points[i - 1]) continue;
    points_.emplace_back(points[i].x, points[i].y);
  }
  return static_cast<int>(points_.size());
}

void WxPainter::DrawPolygon(const IPoint* points, int count) {
  const int n = ToWxPoints(points, count);
  if (n == 1) {
    dc_.DrawPoint(points_[0]);
    return;
  }
  if (n < 2) return;
  dc_.DrawPolygon(n, points_.data(), 0, 0, wxODDEVEN_RULE);
}

void WxPainter::DrawLine(IPoint a, IPoint b) {
  dc_.DrawLine(a.x, a.y, b.x, b.y);
}

void WxPainter::DrawLines(const IPoint* points, int count) {
  const int n = ToWxPoints(points, count);
  if (n >= 2) dc_.DrawLines(n, points_.data());
}

void WxPainter::DrawPolylines(const IPoint* points, const int* counts, int n) {
  wxGraphicsContext* gc = dc_.GetGraphicsContext();
  if (!gc) {
    Painter::DrawPolylines(points, counts, n);
    return;
  }
  // One path stroked once: thousands of short lines cost one rasterisation.
  wxGraphicsPath path = gc->CreatePath();
  bool any = false;
  for (int i = 0; i < n; points += counts[i], ++i) {
    const int count = ToWxPoints(points, counts[i]);
    if (count < 2) continue;
    path.MoveToPoint(points_[0].x, points_[0].y);
    for (int k = 1; k < count; ++k) path.AddLineToPoint(points_[k].x, points_[k].y);
    any = true;
  }
  if (any) gc->StrokePath(path);
}

void WxPainter::DrawCircle(IPoint centre, int radius) {
  dc_.DrawCircle(centre.x, centre.y, radius);
}

void WxPainter::DrawRectangle(int x, int y, int width, int height) {
  dc_.DrawRectangle(x, y, width, height);
}

void WxPainter::DrawRoundedRectangle(int x, int y, int width, int height, double radius) {
  dc_.DrawRoundedRectangle(x, y, width, height, radius);
}

void WxPainter::DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                                double end_deg) {
  // An empty box would leave a graphics context with a singular transform.
  if (width <= 0 || height <= 0) return;
  dc_.DrawEllipticArc(x, y, width, height, start_deg, end_deg);
}

IPoint WxPainter::TextExtent(const std::string& text) {
  std::string key(1, static_cast<char>(font_ & 0x7f));
  key += static_cast<char>((font_ >> 7) & 0x7f);
  key += text;
  auto it = extents_->find(key);
  if (it != extents_->end()) return it->second;
  wxCoord w = 0, h = 0;
  dc_.GetTextExtent(ToWx(text), &w, &h);
  const IPoint ext{w, h};
  if (extents_->size() > 4096) extents_->clear();
  extents_->emplace(std::move(key), ext);
  return ext;
}

void WxPainter::DrawText(const std::string& text, int x, int y) {
  dc_.DrawText(ToWx(text), x, y);
}

void WxPainter::DrawRotatedText(const std::string& text, int x, int y, double angle_deg) {
  dc_.DrawRotatedText(ToWx(text), x, y, angle_deg);
}

void PaperPainter::SetFont(int point_size, bool bold) {
  WxPainter::SetFont(static_cast<int>(std::lround(point_size * font_scale_)), bold);
}
