// Copy and paste within the canvas.
#include "edit/clipboard.h"

#include <unordered_map>

#include "edit/placement.h"
#include "model/document.h"
#include "model/layout_ops.h"

void CopySelection(const Layout& layout, CanvasClipboard& clip) {
  clip.pieces = SelectedPieces(layout);
  clip.scenery = SelectedScenery(layout);
  clip.has_shape = false;
  clip.shape = LayoutShape{};
}

void CopyShape(const Layout& layout, int shape_id, CanvasClipboard& clip) {
  for (const LayoutShape& s : layout.shapes) {
    if (s.id != shape_id) continue;
    clip.shape = s;
    clip.has_shape = true;
  }
}

std::vector<int> PasteAt(Document& doc, const CanvasClipboard& clip, Point at) {
  if (clip.empty()) return {};
  Transaction t(doc, TrMark("Paste"));
  Layout& layout = t.layout();
  double sx = 0, sy = 0;
  int n = 0;
  auto add = [&](double x, double y) {
    sx += x;
    sy += y;
    ++n;
  };
  for (const PlacedPiece& p : clip.pieces) add(p.x, p.y);
  for (const SceneryItem& s : clip.scenery) add(s.x, s.y);
  if (clip.has_shape)
    for (const Point& v : clip.shape.vertices) add(v.x, v.y);
  const double dx = n ? at.x - sx / n : 0, dy = n ? at.y - sy / n : 0;

  DeselectAll(layout);
  std::unordered_map<int, int> new_ids;
  for (const PlacedPiece& p : clip.pieces) new_ids[p.id] = TakeId(layout);
  std::vector<int> pasted;
  for (PlacedPiece p : clip.pieces) {
    p.id = new_ids.at(p.id);
    p.x += dx;
    p.y += dy;
    p.sel = true;
    p.helix = -1;  // a copied helix stub is plain track: the helix itself is not copied
    for (Joint& j : p.joints) {
      auto it = new_ids.find(j.target);
      j = it == new_ids.end() ? Joint{} : Joint{it->second, j.tconn};
    }
    pasted.push_back(p.id);
    layout.pieces.push_back(std::move(p));
  }
  for (SceneryItem s : clip.scenery) {
    s.id = TakeId(layout);
    s.x += dx;
    s.y += dy;
    s.sel = true;
    layout.scenery.push_back(std::move(s));
  }
  if (clip.has_shape) {
    LayoutShape s = clip.shape;
    s.id = TakeId(layout);
    s.sel = false;
    for (Point& v : s.vertices) {
      v.x += dx;
      v.y += dy;
    }
    layout.shapes.push_back(std::move(s));
  }
  CloseLoops(layout, pasted, kMatedMm);
  t.Commit();
  return pasted;
}
