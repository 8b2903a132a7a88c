// The drawing surface the layout is painted on: device pixels, pens, brushes, text.
// The GUI implements it on a wxDC; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

#include "view/device_point.h"

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Color&, const Color&) = default;
};

enum class PenStyle { Solid, Dot, LongDash };

class Painter {
 public:
  virtual ~Painter() = default;

  // Fills the whole surface with the background colour.
  virtual void Clear(Color background) = 0;

  // Everything drawn from here on shows only inside the rectangle, until ResetClip.
  virtual void SetClip(int x, int y, int width, int height) = 0;
  virtual void ResetClip() = 0;

  virtual void SetPen(Color color, int width, PenStyle style = PenStyle::Solid) = 0;
  virtual void SetTransparentPen() = 0;
  virtual void SetBrush(Color color) = 0;
  virtual void SetTransparentBrush() = 0;

  // Default family, normal style; bold is weight 700, normal 400.
  virtual void SetFont(int point_size, bool bold) = 0;
  virtual void SetTextForeground(Color color) = 0;
  // A solid text background in this colour; the transparent one draws text only.
  virtual void SetSolidTextBackground(Color color) = 0;
  virtual void SetTransparentTextBackground() = 0;

  // Filled with the brush (odd-even rule) and outlined with the pen.
  virtual void DrawPolygon(const IPoint* points, int count) = 0;
  virtual void DrawLine(IPoint a, IPoint b) = 0;
  // Open polyline through the points with the pen.
  virtual void DrawLines(const IPoint* points, int count) {
    for (int i = 1; i < count; ++i) DrawLine(points[i - 1], points[i]);
  }
  // Many open polylines with the pen: `counts[i]` points each, one after the other.
  virtual void DrawPolylines(const IPoint* points, const int* counts, int n) {
    for (int i = 0; i < n; points += counts[i], ++i) DrawLines(points, counts[i]);
  }
  virtual void DrawCircle(IPoint centre, int radius) = 0;
  virtual void DrawRectangle(int x, int y, int width, int height) = 0;
  virtual void DrawRoundedRectangle(int x, int y, int width, int height, double radius) = 0;
  // Arc of the ellipse inscribed in the box, counter-clockwise from start to end degrees
  // (the device context convention: 0 at three o'clock, 90 at twelve).
  virtual void DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                               double end_deg) = 0;

  // Width and height of the text in the current font.
  virtual IPoint TextExtent(const std::string& text) = 0;
  // Top-left corner of the text at (x, y).
  virtual void DrawText(const std::string& text, int x, int y) = 0;
  // Rotated counter-clockwise by angle degrees about its top-left corner.
  virtual void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) = 0;
};

// A painter that passes every call on to another; a filter derives from it and overrides
// only what it changes.
class ForwardingPainter : public Painter {
 public:
  explicit ForwardingPainter(Painter& inner) : inner_(inner) {}
  void Clear(Color background) override { inner_.Clear(background); }
  void SetClip(int x, int y, int width, int height) override {
    inner_.SetClip(x, y, width, height);
  }
  void ResetClip() override { inner_.ResetClip(); }
  void SetPen(Color color, int width, PenStyle style) override {
    inner_.SetPen(color, width, style);
  }
  void SetTransparentPen() override { inner_.SetTransparentPen(); }
  void SetBrush(Color color) override { inner_.SetBrush(color); }
  void SetTransparentBrush() override { inner_.SetTransparentBrush(); }
  void SetFont(int point_size, bool bold) override { inner_.SetFont(point_size, bold); }
  void SetTextForeground(Color color) override { inner_.SetTextForeground(color); }
  void SetSolidTextBackground(Color color) override { inner_.SetSolidTextBackground(color); }
  void SetTransparentTextBackground() override { inner_.SetTransparentTextBackground(); }
  void DrawPolygon(const IPoint* points, int count) override { inner_.DrawPolygon(points, count); }
  void DrawLine(IPoint a, IPoint b) override { inner_.DrawLine(a, b); }
  void DrawLines(const IPoint* points, int count) override { inner_.DrawLines(points, count); }
  void DrawPolylines(const IPoint* points, const int* counts, int n) override {
    inner_.DrawPolylines(points, counts, n);
  }
  void DrawCircle(IPoint centre, int radius) override { inner_.DrawCircle(centre, radius); }
  void DrawRectangle(int x, int y, int width, int height) override {
    inner_.DrawRectangle(x, y, width, height);
  }
  void DrawRoundedRectangle(int x, int y, int width, int height, double radius) override {
    inner_.DrawRoundedRectangle(x, y, width, height, radius);
  }
  void DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                       double end_deg) override {
    inner_.DrawEllipticArc(x, y, width, height, start_deg, end_deg);
  }
  IPoint TextExtent(const std::string& text) override { return inner_.TextExtent(text); }
  void DrawText(const std::string& text, int x, int y) override { inner_.DrawText(text, x, y); }
  void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) override {
    inner_.DrawRotatedText(text, x, y, angle_deg);
  }

 protected:
  Painter& inner_;
};
