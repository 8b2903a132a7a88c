// What lies under a point of the canvas: pieces, helix rings, scenery items.
#pragma once

#include "model/layout.h"
#include "view/view_transform.h"

// The piece under a screen point, or -1: pieces on the highest level win, then the one
// whose position is nearest the click.
int HitTestPiece(const Layout& layout, const ViewTransform& view, double sx, double sy);
// The helix whose ring band (inner radius +- 25 mm) holds the point, or -1.
int HitTestHelixRing(const Layout& layout, const ViewTransform& view, double sx, double sy);
// The scenery item whose footprint holds the point (topmost first), or -1.
int HitTestScenery(const Layout& layout, const ViewTransform& view, double sx, double sy);
// The first piece of a helix in layout order, or -1.
int FirstHelixPiece(const Layout& layout, int helix_id);
// The level a helix is on: that of its first piece, else 1.
int HelixLevel(const Layout& layout, int helix_id);
