// Internal to the built-in scenery rows: a small sketching helper that appends plan-view
// primitives to an item, the shared palette, and the per-item drawing functions.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalog/scenery_catalog.h"

namespace scenery_rows {

using Pt = std::pair<double, double>;

constexpr Rgba kNone{0, 0, 0, 0};  // no fill or no outline
constexpr Rgba Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
  return Rgba{r, g, b, a};
}

// Colours shared by several items; every outline is drawn 1 pixel wide.
constexpr Rgba kWhitePaint = Rgb(236, 236, 230);
constexpr Rgba kYellowPaint = Rgb(226, 196, 70);
constexpr Rgba kAsphalt = Rgb(112, 112, 115);
constexpr Rgba kAsphaltEdge = Rgb(82, 82, 86);
constexpr Rgba kRail = Rgb(70, 70, 76);
constexpr Rgba kConcrete = Rgb(186, 183, 176);
constexpr Rgba kConcreteEdge = Rgb(120, 117, 110);
constexpr Rgba kStone = Rgb(168, 158, 142);
constexpr Rgba kStoneEdge = Rgb(105, 96, 84);

// Appends primitives to one item's drawing, in drawing order.
class Sketch {
 public:
  explicit Sketch(SceneryDef& def) : shapes_(def.shapes) {}

  void Rect(double x, double y, double w, double h, Rgba fill, Rgba outline = kNone);
  void Ellipse(double x, double y, double w, double h, Rgba fill, Rgba outline = kNone);
  void Circle(double cx, double cy, double r, Rgba fill, Rgba outline = kNone) {
    Ellipse(cx - r, cy - r, 2 * r, 2 * r, fill, outline);
  }
  void Polygon(std::vector<Pt> points, Rgba fill, Rgba outline = kNone);
  void OutlineRect(double x, double y, double w, double h, Rgba outline);
  void OutlineEllipse(double x, double y, double w, double h, Rgba outline);
  void Line(double x1, double y1, double x2, double y2, Rgba colour);
  void Text(double cx, double cy, double height, const std::string& text, Rgba colour);

 private:
  std::vector<ScenePrim>& shapes_;
};

// A fresh item with its key, name, palette group and footprint; no primitives yet.
SceneryDef NewItem(const char* id, const char* name, int category, double width, double depth);

// Corners of a rectangle with rounded corners, each corner arc in `steps` segments.
std::vector<Pt> RoundedRectPoints(double x, double y, double w, double h, double r, int steps = 3);

// Buildings, stations and railway structures (the buildings file).
void DrawStationSmall(Sketch& s);
void DrawStationLarge(Sketch& s);
void DrawSignalBox(Sketch& s);
void DrawEngineShed(Sketch& s, int roads);
void DrawGoodsShed(Sketch& s);
void DrawWarehouse(Sketch& s);
void DrawTurntable(Sketch& s);
void DrawRoundhouse(Sketch& s);
void DrawWaterTower(Sketch& s);
void DrawCoalingTower(Sketch& s);

}  // namespace scenery_rows
