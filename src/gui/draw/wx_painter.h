// The Painter on a wxWidgets device context (canvas, printout, preview, picture files).
// Keeps the pen, brush and font in force so repeated settings cost nothing.
#pragma once

#include <wx/dc.h>
#include <wx/font.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/painter.h"

class WxPainter : public Painter {
 public:
  // `antialias` applies where the device context draws through a graphics context
  // (the GTK 3 window and memory contexts); others draw as they do.
  explicit WxPainter(wxDC& dc, bool antialias = kDefaultAntialias);
  WxPainter(const WxPainter&) = delete;
  WxPainter& operator=(const WxPainter&) = delete;

  // Text sizes measured, by font and text. A painter keeps its own unless given one
  // that outlives it, as the canvas does from frame to frame on the same kind of surface.
  using TextExtents = std::unordered_map<std::string, IPoint>;
  void ShareTextExtents(TextExtents& extents) { extents_ = &extents; }

  // Measured on a 1400 x 900 memory context (bench_paint, 10k pieces at the fit zoom):
  // 36 ms with antialiasing, 25 ms without. Both are well inside a frame budget and
  // smooth curves, arcs and text read better, so it stays on.
  static constexpr bool kDefaultAntialias = true;

  void Clear(Color background) override;
  void SetClip(int x, int y, int width, int height) override;
  void ResetClip() override;
  void SetPen(Color color, int width, PenStyle style = PenStyle::Solid) override;
  void SetTransparentPen() override;
  void SetBrush(Color color) override;
  void SetTransparentBrush() override;
  void SetFont(int point_size, bool bold) override;
  void SetTextForeground(Color color) override;
  void SetSolidTextBackground(Color color) override;
  void SetTransparentTextBackground() override;
  void DrawPolygon(const IPoint* points, int count) override;
  void DrawLine(IPoint a, IPoint b) override;
  void DrawLines(const IPoint* points, int count) override;
  void DrawPolylines(const IPoint* points, const int* counts, int n) override;
  void DrawCircle(IPoint centre, int radius) override;
  void DrawRectangle(int x, int y, int width, int height) override;
  void DrawRoundedRectangle(int x, int y, int width, int height, double radius) override;
  void DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                       double end_deg) override;
  IPoint TextExtent(const std::string& text) override;
  void DrawText(const std::string& text, int x, int y) override;
  void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) override;

 private:
  static constexpr std::uint64_t kNone = ~std::uint64_t{0};
  static std::uint64_t PenKey(Color c, int width, PenStyle style);
  static std::uint64_t ColorKey(Color c);
  // Copies the points without consecutive repeats into points_; returns their count.
  int ToWxPoints(const IPoint* points, int count);

  wxDC& dc_;
  // What the device context holds now; kNone before the first setting.
  std::uint64_t pen_ = kNone - 1;
  std::uint64_t brush_ = kNone - 1;
  int font_ = -1;  // size * 2 + bold
  std::uint64_t text_fg_ = kNone;
  std::uint64_t text_bg_ = kNone - 1;  // kNone: transparent background
  std::unordered_map<std::uint64_t, wxPen> pens_;
  std::unordered_map<std::uint64_t, wxBrush> brushes_;
  std::unordered_map<int, wxFont> fonts_;
  TextExtents own_extents_;
  TextExtents* extents_ = &own_extents_;  // key: font, then the text
  std::vector<wxPoint> points_;
};

// The painter of a printed page at `dpi` pixels per inch. Toolkit fonts are sized for a
// 96 dpi screen; on paper a point is 1/72 inch, so font sizes grow from screen to page
// pixels. Everything else passes through.
class PaperPainter : public WxPainter {
 public:
  PaperPainter(wxDC& dc, double dpi) : WxPainter(dc), font_scale_(dpi / 96.0) {}
  void SetFont(int point_size, bool bold) override;

 private:
  double font_scale_;
};
