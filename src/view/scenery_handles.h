// The eight sizing handles around a scenery item's footprint: 0 top-left, 1 top, 2 top-
// right, 3 right, 4 bottom-right, 5 bottom, 6 bottom-left, 7 left (in the item's own
// axes); handle h is anchored at its opposite (h + 4) mod 8.
#pragma once

#include <array>

#include "catalog/scenery_catalog.h"
#include "model/layout.h"
#include "view/view_transform.h"

std::array<Point, 8> SceneryHandles(const SceneryItem& item, const SceneryDef& def);
inline int OppositeHandle(int h) {
  return (h + 4) % 8;
}
// The handle of the item within 5 pixels of a device point, or -1.
int HitSceneryHandle(const SceneryItem& item, const SceneryDef& def, const ViewTransform& v,
                     double sx, double sy);

struct SceneryResize {
  double scalex = 1.0;
  double scaley = 1.0;
  Point center;
};
// Dragging handle h to `to` while its opposite handle stays at `anchor`: the scale
// factors (clamped to 0.1 ... 10.0) and the new centre.
SceneryResize ResizeByHandle(const SceneryItem& start, const SceneryDef& def, int h, Point anchor,
                             Point to);
