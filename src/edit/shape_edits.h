// The two small dialogs opened by a double-click: a shape's properties and the size of a
// scenery item, as plain operations.
#pragma once

#include <string>

#include "model/document.h"

struct ShapeProps {
  std::string name;
  Rgb color;
  int opacity_percent = 55;  // 0 ... 100
  double height = 0;         // in the display unit, up to 5000
  bool outline = true;
};

// Control characters become blanks, so the field shows what the file will hold.
std::string BlankControls(std::string text);

ShapeProps ShapePropsOf(const LayoutShape& shape, int units);
// OK of "Shape Properties": one undo step; false when the shape is gone.
bool ApplyShapeProps(Document& doc, int shape_id, const ShapeProps& props);

inline constexpr double kMinSceneryScale = 0.1;
inline constexpr double kMaxSceneryScale = 10.0;
// OK of "Resize Scenery" (each factor raised to at least 0.1) and "Reset to Default"
// (1.0 x 1.0): one undo step each; false when the item is gone.
bool ResizeScenery(Document& doc, int item_id, double scale_x, double scale_y);
