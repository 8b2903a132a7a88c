#include "edit/place_block.h"

#include <algorithm>
#include <unordered_map>

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

bool PlaceBlock(Document& doc, const LoadedBlock& block) {
  Layout& layout = doc.layout();
  if (block.pieces.empty() && block.scenery.empty()) return false;
  double min_x = 1e9;
  double min_y = 1e9;
  for (const PlacedPiece& p : block.pieces) {
    min_x = std::min(min_x, p.x);
    min_y = std::min(min_y, p.y);
  }
  for (const SceneryItem& s : block.scenery) {
    min_x = std::min(min_x, s.x);
    min_y = std::min(min_y, s.y);
  }
  if (min_x >= 1e8) min_x = 0;
  if (min_y >= 1e8) min_y = 0;

  Transaction t(doc, "Place Block");
  DeselectAll(layout);
  std::unordered_map<int, int> new_ids;
  std::vector<PlacedPiece> pieces = block.pieces;
  for (PlacedPiece& p : pieces) {
    new_ids[p.id] = layout.next_id;
    p.id = layout.next_id++;
  }
  const int piece_level = UsableLevel(layout, 1);
  for (PlacedPiece& p : pieces) {
    p.x -= min_x;
    p.y -= min_y;
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
    s.x -= min_x;
    s.y -= min_y;
    s.level = UsableLevel(layout, s.level);
    s.sel = true;
    layout.scenery.push_back(std::move(s));
  }
  t.Commit();
  return true;
}
