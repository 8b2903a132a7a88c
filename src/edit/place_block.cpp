#include "edit/place_block.h"

#include <algorithm>
#include <unordered_map>

#include "catalog/text_mark.h"
#include "model/layout_ops.h"

namespace {
bool LevelExists(const Layout& layout, int id) {
  return std::any_of(layout.levels.begin(), layout.levels.end(),
                     [id](const Level& l) { return l.id == id; });
}
int UsableLevel(const Layout& layout, int wanted) {
  return layout.levels.empty() || LevelExists(layout, wanted) ? wanted : layout.active_level;
}
}  // namespace

bool PlaceBlock(Document& doc, const LoadedBlock& block, std::optional<Point> centre) {
  Layout& layout = doc.layout();
  if (block.pieces.empty() && block.scenery.empty()) return false;
  double min_x = 1e9;
  double min_y = 1e9;
  double max_x = -1e9;
  double max_y = -1e9;
  const auto extend = [&](double x, double y) {
    min_x = std::min(min_x, x);
    min_y = std::min(min_y, y);
    max_x = std::max(max_x, x);
    max_y = std::max(max_y, y);
  };
  for (const PlacedPiece& p : block.pieces) extend(p.x, p.y);
  for (const SceneryItem& s : block.scenery) extend(s.x, s.y);
  // The block moves by (-dx, -dy): its lower corner to the origin, or its middle to `centre`.
  double dx = min_x >= 1e8 ? 0 : min_x;
  double dy = min_y >= 1e8 ? 0 : min_y;
  if (centre) {
    dx = 0.5 * (min_x + max_x) - centre->x;
    dy = 0.5 * (min_y + max_y) - centre->y;
  }

  Transaction t(doc, TrMark("Place Block"));
  DeselectAll(layout);
  std::unordered_map<int, int> new_ids;
  std::vector<PlacedPiece> pieces = block.pieces;
  for (PlacedPiece& p : pieces) {
    new_ids[p.id] = layout.next_id;
    p.id = layout.next_id++;
  }
  const int piece_level = UsableLevel(layout, 1);
  for (PlacedPiece& p : pieces) {
    p.x -= dx;
    p.y -= dy;
    p.level = piece_level;
    p.sel = true;
    for (Joint& j : p.joints) {
      const auto found = new_ids.find(j.target);
      j = found == new_ids.end() ? Joint{} : Joint{found->second, j.tconn};
    }
    layout.pieces.push_back(std::move(p));
  }
  for (SceneryItem s : block.scenery) {
    s.id = layout.next_id++;
    s.x -= dx;
    s.y -= dy;
    s.level = UsableLevel(layout, s.level);
    s.sel = true;
    layout.scenery.push_back(std::move(s));
  }
  t.Commit();
  return true;
}
