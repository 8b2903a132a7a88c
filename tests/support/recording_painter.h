// A Painter that records every drawing call with the pen, brush, font and text colours
// in force, so drawing rules can be checked without a display.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "layout_builder.h"
#include "render/painter.h"
#include "render/render.h"

struct PaintState {
  bool pen_none = false;
  Color pen{0, 0, 0};
  int pen_width = 1;
  PenStyle pen_style = PenStyle::Solid;
  bool brush_none = false;
  Color brush{255, 255, 255};
  int font_size = 10;
  bool font_bold = false;
  Color text{0, 0, 0};
  bool text_bg_solid = false;
  Color text_bg{255, 255, 255};
  bool clipped = false;  // drawing shows only inside the clip rectangle
  int clip_x = 0, clip_y = 0, clip_w = 0, clip_h = 0;
  friend bool operator==(const PaintState&, const PaintState&) = default;
};

enum class Op { Clear, Polygon, Line, Lines, Circle, Rect, RoundedRect, Arc, Text, RotatedText };

struct PaintCall {
  Op op = Op::Clear;
  PaintState state;
  std::vector<IPoint> pts;  // polygon, line ends, centre, or top-left corner
  int w = 0, h = 0;         // rectangle and arc box size, or circle radius in w
  double a0 = 0, a1 = 0;    // arc angles, text angle
  std::string text;
  friend bool operator==(const PaintCall&, const PaintCall&) = default;

  // Device bounding box (inclusive), text sized as RecordingPainter measures it.
  void Bounds(int& x0, int& y0, int& x1, int& y1) const {
    x0 = y0 = 1 << 30;
    x1 = y1 = -(1 << 30);
    auto add = [&](int x, int y) {
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    };
    for (const IPoint& p : pts) add(p.x, p.y);
    if (op == Op::Circle) {
      add(pts[0].x - w, pts[0].y - w);
      add(pts[0].x + w, pts[0].y + w);
    } else if (op == Op::Rect || op == Op::RoundedRect || op == Op::Arc) {
      add(pts[0].x + w, pts[0].y + h);
    } else if (op == Op::Text || op == Op::RotatedText) {
      const int ext = std::max(TextWidth(text, state.font_size), TextHeight(state.font_size));
      add(pts[0].x + ext, pts[0].y + ext);
      if (op == Op::RotatedText) add(pts[0].x - ext, pts[0].y - ext);
    }
  }
  static int TextWidth(const std::string& s, int size) {
    return static_cast<int>(s.size()) * size * 2 / 3;
  }
  static int TextHeight(int size) { return size * 4 / 3; }
};

class RecordingPainter : public Painter {
 public:
  std::vector<PaintCall> calls;
  PaintState state;
  std::map<std::string, int> measured;  // how often each text was measured

  void Clear(Color background) override {
    PaintState s = state;
    s.brush = background;
    calls.push_back({Op::Clear, s, {}, 0, 0, 0, 0, {}});
  }
  void SetClip(int x, int y, int w, int h) override {
    state.clipped = true, state.clip_x = x, state.clip_y = y, state.clip_w = w, state.clip_h = h;
  }
  void ResetClip() override { state.clipped = false; }
  void SetPen(Color color, int width, PenStyle style = PenStyle::Solid) override {
    state.pen_none = false, state.pen = color, state.pen_width = width, state.pen_style = style;
  }
  void SetTransparentPen() override { state.pen_none = true; }
  void SetBrush(Color color) override { state.brush_none = false, state.brush = color; }
  void SetTransparentBrush() override { state.brush_none = true; }
  void SetFont(int size, bool bold) override { state.font_size = size, state.font_bold = bold; }
  void SetTextForeground(Color color) override { state.text = color; }
  void SetSolidTextBackground(Color c) override { state.text_bg_solid = true, state.text_bg = c; }
  void SetTransparentTextBackground() override { state.text_bg_solid = false; }

  void DrawPolygon(const IPoint* points, int count) override {
    Add(Op::Polygon, std::vector<IPoint>(points, points + count));
  }
  void DrawLine(IPoint a, IPoint b) override { Add(Op::Line, {a, b}); }
  void DrawLines(const IPoint* points, int count) override {
    Add(Op::Lines, std::vector<IPoint>(points, points + count));
  }
  void DrawCircle(IPoint centre, int radius) override { Add(Op::Circle, {centre}, radius); }
  void DrawRectangle(int x, int y, int w, int h) override { Add(Op::Rect, {{x, y}}, w, h); }
  void DrawRoundedRectangle(int x, int y, int w, int h, double radius) override {
    Add(Op::RoundedRect, {{x, y}}, w, h, radius);
  }
  void DrawEllipticArc(int x, int y, int w, int h, double start, double end) override {
    Add(Op::Arc, {{x, y}}, w, h, start, end);
  }
  IPoint TextExtent(const std::string& text) override {
    ++measured[text];
    return {PaintCall::TextWidth(text, state.font_size), PaintCall::TextHeight(state.font_size)};
  }
  void DrawText(const std::string& text, int x, int y) override {
    Add(Op::Text, {{x, y}}, 0, 0, 0, 0, text);
  }
  void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) override {
    Add(Op::RotatedText, {{x, y}}, 0, 0, angle_deg, 0, text);
  }

  std::vector<const PaintCall*> Find(Op op) const {
    std::vector<const PaintCall*> out;
    for (const PaintCall& c : calls)
      if (c.op == op) out.push_back(&c);
    return out;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const PaintCall& c : calls)
      if (c.op == Op::Text || c.op == Op::RotatedText) out.push_back(c.text);
    return out;
  }

 private:
  void Add(Op op, std::vector<IPoint> pts, int w = 0, int h = 0, double a0 = 0, double a1 = 0,
           std::string text = {}) {
    calls.push_back({op, state, std::move(pts), w, h, a0, a1, std::move(text)});
  }
};

// The whole layout drawn on a recording surface; a drawing without the grid.
inline constexpr DrawSwitches kNoGrid{false, true, true};

inline RecordingPainter Paint(const Layout& l, ViewTransform v = {1.0, 100, 100}, int w = 1400,
                              int h = 900, bool cull = true, DrawSwitches show = {}) {
  RenderContext rc;
  rc.cull = cull;
  rc.show = show;
  RecordingPainter rec;
  DrawLayout(rc, rec, l, v, w, h);
  return rec;
}
