// A Painter on an RGB pixel buffer in memory: the layout drawn without a display, a
// toolkit or system fonts, the same picture on every machine. Shapes are filled by
// scanline at pixel centres without smoothing; text is drawn in a tiny built-in block
// font (digits in 3 x 5 cells, other letters as blocks), measured by its letter count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/painter.h"

class RasterPainter : public Painter {
 public:
  RasterPainter(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  // Three bytes a pixel, red first, rows from the top.
  const std::vector<std::uint8_t>& pixels() const { return rgb_; }
  Color At(int x, int y) const;

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
  void DrawCircle(IPoint centre, int radius) override;
  void DrawRectangle(int x, int y, int width, int height) override;
  void DrawRoundedRectangle(int x, int y, int width, int height, double radius) override;
  void DrawEllipticArc(int x, int y, int width, int height, double start_deg,
                       double end_deg) override;
  IPoint TextExtent(const std::string& text) override;
  void DrawText(const std::string& text, int x, int y) override;
  void DrawRotatedText(const std::string& text, int x, int y, double angle_deg) override;

 private:
  struct FPoint {
    double x, y;
  };
  // Pixels are first marked in a mask, then painted once, so a translucent colour
  // blends once however often a pixel is covered.
  void Mark(int x, int y);
  void Paint(Color c);
  void FillMarked(const std::vector<FPoint>& polygon);
  void StrokeMarked(const std::vector<FPoint>& path, bool closed);
  void Dab(int x, int y, int diameter);
  void Text(const std::string& text, int x, int y, double angle_deg);

  int width_, height_;
  std::vector<std::uint8_t> rgb_;
  std::vector<std::uint8_t> mask_;
  int mx0_, my0_, mx1_, my1_;  // the marked pixels' box
  int cx0_, cy0_, cx1_, cy1_;  // clip, end exclusive

  bool pen_ = true;
  Color pen_color_{0, 0, 0};
  int pen_width_ = 1;
  PenStyle pen_style_ = PenStyle::Solid;
  bool brush_ = true;
  Color brush_color_{255, 255, 255};
  int font_points_ = 10;
  bool font_bold_ = false;
  Color text_fg_{0, 0, 0};
  bool text_bg_ = false;
  Color text_bg_color_{255, 255, 255};
};
