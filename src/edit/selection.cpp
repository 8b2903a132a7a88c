// Selection rules. Breadth-first search visits neighbours in connector order, so the
// chain chosen among equally short ones is stable.
#include "edit/selection.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "model/layout_ops.h"
#include "model/translate.h"

namespace {

constexpr const char* kTurntable = "74861";

bool CoveredByTunnel(const Layout& layout, int piece_id) {
  for (const Tunnel& t : layout.tunnels)
    if (std::find(t.covers.begin(), t.covers.end(), piece_id) != t.covers.end()) return true;
  return false;
}

bool IsPortal(const Layout& layout, int scenery_id) {
  for (const Tunnel& t : layout.tunnels)
    if (t.portalA == scenery_id || t.portalB == scenery_id) return true;
  return false;
}

void SelectWithNeighbours(Layout& layout, std::size_t i) {
  layout.pieces[i].sel = true;
  const auto index = PieceIndexById(layout);
  for (const Joint& j : layout.pieces[i].joints) {
    auto it = index.find(j.target);
    if (j.target != -1 && it != index.end()) layout.pieces[it->second].sel = true;
  }
}

}  // namespace

std::vector<int> ChainPath(const Layout& layout, int from, int to) {
  const auto index = PieceIndexById(layout);
  if (!index.count(from) || !index.count(to)) return {};
  std::unordered_map<int, int> parent{{from, from}};
  std::deque<int> queue{from};
  while (!queue.empty()) {
    const int id = queue.front();
    queue.pop_front();
    if (id == to) break;
    for (const Joint& j : layout.pieces[index.at(id)].joints) {
      if (j.target == -1 || !index.count(j.target) || parent.count(j.target)) continue;
      parent.emplace(j.target, id);
      queue.push_back(j.target);
    }
  }
  if (!parent.count(to)) return {};
  std::vector<int> path{to};
  for (int id = to; id != from;) path.push_back(id = parent.at(id));
  return path;
}

void ClickSelectPiece(Layout& layout, int piece_id, bool ctrl, bool shift) {
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0) return;
  const std::size_t p = static_cast<std::size_t>(pi);
  if (ctrl && !shift) {
    layout.pieces[p].sel = !layout.pieces[p].sel;
  } else if (shift) {
    int anchor = -1;
    for (const PlacedPiece& q : layout.pieces)
      if (q.sel) anchor = q.id;
    if (anchor == -1 || anchor == piece_id) {
      layout.pieces[p].sel = true;
    } else {
      const std::vector<int> path = ChainPath(layout, anchor, piece_id);
      if (path.empty()) layout.pieces[p].sel = !layout.pieces[p].sel;
      const auto index = PieceIndexById(layout);
      for (int id : path) layout.pieces[index.at(id)].sel = true;
    }
  } else if (!layout.pieces[p].sel) {
    DeselectAll(layout);
    if (layout.pieces[p].helix != -1) {
      for (PlacedPiece& q : layout.pieces)
        if (q.helix == layout.pieces[p].helix) q.sel = true;
    } else if (layout.pieces[p].cat == kTurntable) {
      SelectWithNeighbours(layout, p);
    } else {
      layout.pieces[p].sel = true;
    }
  }
  ExpandHelixSelection(layout);
}

bool RubberBandIsClick(IPoint a, IPoint b) {
  return std::abs(a.x - b.x) < 5 && std::abs(a.y - b.y) < 5;
}

void RubberBandSelect(Layout& layout, const ViewTransform& view, IPoint a, IPoint b) {
  const int x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
  const int y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
  auto inside = [&](double x, double y) {
    const IPoint d = ToDevice(view, x, y);
    return d.x >= x0 && d.x <= x1 && d.y >= y0 && d.y <= y1;
  };
  for (PlacedPiece& p : layout.pieces)
    if (LevelVisible(layout, p.level) && inside(p.x, p.y)) p.sel = true;
  for (SceneryItem& s : layout.scenery)
    if (LevelVisible(layout, s.level) && inside(s.x, s.y)) s.sel = true;
  ExpandHelixSelection(layout);
}

bool IsWholeHelixSelection(const Layout& layout, int* helix_id) {
  int helix = -1;
  for (const PlacedPiece& p : layout.pieces) {
    if (!p.sel) continue;
    if (p.helix == -1 || (helix != -1 && p.helix != helix)) return false;
    helix = p.helix;
  }
  if (helix == -1) return false;
  for (const PlacedPiece& p : layout.pieces)
    if (p.helix == helix && !p.sel) return false;
  for (const SceneryItem& s : layout.scenery)
    if (s.sel) return false;
  if (helix_id) *helix_id = helix;
  return true;
}

bool CheckLocks(const Layout& layout, const std::string& action, Prompter& prompter) {
  bool helix = false, tunnel = false;
  for (const PlacedPiece& p : layout.pieces) {
    if (!p.sel) continue;
    helix = helix || p.helix != -1;
    tunnel = tunnel || CoveredByTunnel(layout, p.id);
  }
  for (const SceneryItem& s : layout.scenery)
    if (s.sel) tunnel = tunnel || IsPortal(layout, s.id);
  if (helix) {
    const std::string verb = action == TrMark("delete") ? TrMark("deleted")
                             : action == "flip"         ? "flipped"
                             : action == "mirror"       ? "mirrored"
                                                        : TrMark("rotated");
    prompter.Notify(TrMark("Helix track is locked"),
                    Tr("Selection includes track that is part of a helix. Helix track cannot be ") +
                        verb + Tr(" individually."),
                    PromptIcon::Information);
    return false;
  }
  if (tunnel) {
    prompter.Notify(
        TrMark("Tunnel is locked"),
        Tr("Selection includes tunnel track or portals. Remove the tunnel first, then ") + action +
            ".",
        PromptIcon::Information);
    return false;
  }
  return true;
}

bool DeleteSelection(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  if (!AnythingSelected(layout)) return false;
  // Deleting a whole helix is allowed: all of its pieces and nothing else but labels,
  // measurements or shapes. Part of a helix would leave it without stubs.
  if (!IsWholeHelixSelection(layout) && !CheckLocks(layout, TrMark("delete"), prompter))
    return false;
  const bool graded =
      std::any_of(layout.pieces.begin(), layout.pieces.end(),
                  [](const PlacedPiece& p) { return p.sel && std::fabs(p.grade) > 0.001; });
  if (graded &&
      !prompter.AskYesNo(TrMark("Delete"), TrMark("Selection includes graded pieces. Delete?"),
                         PromptIcon::Question, false))
    return false;
  Transaction t(doc, TrMark("Delete"));
  // A paired ramp goes with its joined partner.
  const Catalog& catalog = Catalog::instance();
  const auto index = PieceIndexById(layout);
  std::vector<std::size_t> partners;
  for (const PlacedPiece& p : layout.pieces) {
    const PieceDef* d = catalog.find(p.cat);
    if (!p.sel || !d || !d->paired) continue;
    for (const Joint& j : p.joints) {
      auto it = index.find(j.target);
      if (j.target == -1 || it == index.end()) continue;
      const PieceDef* pd = catalog.find(layout.pieces[it->second].cat);
      if (pd && pd->paired) partners.push_back(it->second);
    }
  }
  for (std::size_t i : partners) layout.pieces[i].sel = true;
  if (!DeleteSelected(layout)) return false;
  t.Commit();
  return true;
}
