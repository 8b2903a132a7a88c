// The extent of a layout: the smallest box around the points of the objects that
// count. Zoom to Fit, printing and the 3D view's framing each count their own objects
// and measure them here.
#pragma once

#include "model/layout.h"

struct Extent {
  double min_x = 0;
  double min_y = 0;
  double max_x = 0;
  double max_y = 0;
  bool any = false;  // false: nothing counted, and the box is all zeros
};

// Which of the objects that lie on a level count.
enum class OnLevels {
  None,     // none at all
  All,      // on any level
  Visible,  // on a visible level, or on a level that does not exist
  Active,   // on the active level only
};

struct ExtentFilter {
  // Pieces of known articles: the origin and the point `length` ahead along the heading.
  OnLevels pieces = OnLevels::All;
  // Scenery items: the position. With footprints, only items of known articles count,
  // each with the point width along x and depth against y from it too.
  OnLevels scenery = OnLevels::All;
  bool scenery_footprints = false;
  // Helices: a 1000 mm square about the centre; with rings, the position of every ring
  // piece of a helix whose kit and curves are known instead. A helix lies on the level
  // of its bottom piece (level 1 when that piece is gone).
  OnLevels helices = OnLevels::None;
  bool helix_rings = false;
  // Shapes and level outlines of three or more vertices, labels, both measurement ends.
  bool drawings = false;
  // Everything as the plan draws it: pieces (and the pieces of helix rings) by their
  // bands at full track width, the turntable's rim and a bridge's arch; scenery items of
  // known articles by their rectangle, scaled, centred on the position and turned with
  // it; shapes on visible levels and outlines of visible levels only.
  bool as_drawn = false;
  // The baseboard: not at all, every vertex when it is an outline of three or more (as
  // it is drawn), or every vertex.
  enum class Board { None, Outline, Always } baseboard = Board::None;
  // Only what is selected: pieces, scenery items, shapes, labels and measurements (never
  // level outlines or the baseboard).
  bool selected_only = false;
};

Extent LayoutExtent(const Layout& layout, const ExtentFilter& filter);

// The point at `angle_deg` on a ring of `radius` about a helix's centre, the angle taken
// in the helix's own frame (turned by its heading).
Point HelixRingPoint(const Helix& helix, double radius, double angle_deg);
// Ring piece k (1 ... trunc(turns x 12)) lies 30 degrees further round than the one
// before, the first 30 degrees past straight below the centre.
inline double HelixPieceAngle(int k) {
  return -90.0 - 30.0 * k;
}
