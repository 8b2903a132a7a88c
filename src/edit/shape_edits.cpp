// Shape properties and scenery sizes.
#include "edit/shape_edits.h"

#include <algorithm>
#include <cmath>

#include "model/document.h"
#include "model/units.h"

std::string BlankControls(std::string text) {
  for (char& ch : text)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) ch = ' ';
  return text;
}

ShapeProps ShapePropsOf(const LayoutShape& s, int units) {
  ShapeProps p;
  p.name = BlankControls(s.label);
  p.color = {s.r, s.g, s.b};
  p.opacity_percent = static_cast<int>(std::lround(s.a * 100.0 / 255.0));
  p.height = s.height / Units::Of(units).factor();
  p.outline = s.outline;
  return p;
}

bool ApplyShapeProps(Document& doc, int shape_id, const ShapeProps& props) {
  Layout& layout = doc.layout();
  auto it = std::find_if(layout.shapes.begin(), layout.shapes.end(),
                         [&](const LayoutShape& s) { return s.id == shape_id; });
  if (it == layout.shapes.end()) return false;
  Transaction t(doc, TrMark("Shape Properties"));
  it->label = BlankControls(props.name);
  it->r = props.color.r;
  it->g = props.color.g;
  it->b = props.color.b;
  it->a = static_cast<std::uint8_t>(std::lround(std::clamp(props.opacity_percent, 0, 100) * 2.55));
  const double h = std::isfinite(props.height) ? std::clamp(props.height, 0.0, 5000.0) : 0.0;
  it->height = h * Units::Of(layout.units).factor();
  it->outline = props.outline;
  t.Commit();
  return true;
}

bool ResizeScenery(Document& doc, int item_id, double scale_x, double scale_y) {
  Layout& layout = doc.layout();
  auto it = std::find_if(layout.scenery.begin(), layout.scenery.end(),
                         [&](const SceneryItem& s) { return s.id == item_id; });
  if (it == layout.scenery.end()) return false;
  const auto clamp = [](double v) {
    return std::isfinite(v) ? std::clamp(v, kMinSceneryScale, kMaxSceneryScale) : 1.0;
  };
  Transaction t(doc, TrMark("Resize Scenery"));
  it->scalex = clamp(scale_x);
  it->scaley = clamp(scale_y);
  t.Commit();
  return true;
}
