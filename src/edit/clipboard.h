// The canvas clipboard: Copy stores the selection, Paste adds a copy at a point.
#pragma once

#include <vector>

#include "model/document.h"

struct CanvasClipboard {
  std::vector<PlacedPiece> pieces;
  std::vector<SceneryItem> scenery;
  LayoutShape shape;
  bool has_shape = false;

  bool empty() const { return pieces.empty() && scenery.empty() && !has_shape; }
  void clear() { *this = CanvasClipboard{}; }
};

// Copies the selected pieces and scenery items; a held shape is dropped.
void CopySelection(const Layout& layout, CanvasClipboard& clip);
void CopyShape(const Layout& layout, int shape_id, CanvasClipboard& clip);
// Adds the clipboard's content centred on a layout point with new ids; joints between
// pasted pieces follow them, all others are freed. One undo step; the pasted pieces and
// scenery items end up selected. Returns the ids of the pasted pieces.
std::vector<int> PasteAt(Document& doc, const CanvasClipboard& clip, Point at);
