// Whole-document operations. Bulk work builds id sets once; no nested id searches.
#include "model/layout_ops.h"
#include "catalog/text_mark.h"

#include <algorithm>
#include <unordered_set>

int TakeId(Layout& layout) {
  return layout.next_id++;
}

int HighestId(const Layout& layout) {
  int top = 0;
  for (const auto& p : layout.pieces) top = std::max(top, p.id);
  for (const auto& s : layout.scenery) top = std::max(top, s.id);
  for (const auto& l : layout.labels) top = std::max(top, l.id);
  for (const auto& s : layout.shapes) top = std::max(top, s.id);
  for (const auto& t : layout.tunnels) top = std::max(top, t.id);
  for (const auto& h : layout.helices) top = std::max(top, h.id);
  for (const auto& m : layout.measures) top = std::max(top, m.id);
  return top;
}

void RecomputeNextId(Layout& layout) {
  layout.next_id = HighestId(layout) + 1;
}

void RecomputeGradeMode(Layout& layout) {
  GradeMode m;
  if (!layout.grade_runs.empty()) {
    const GradeRun& r = layout.grade_runs.back();
    m = {true, r.deg, r.anchor, r.conn};
  }
  layout.grade_mode = m;
}

void EnsureDefaultLevel(Layout& layout) {
  if (!layout.levels.empty()) return;
  Level l;
  l.id = 1;
  l.name = TrMark("Level 1");
  l.r = 180;
  l.g = 200;
  l.b = 220;
  layout.levels.push_back(l);
}

const Level* FindLevel(const Layout& layout, int id) {
  for (const Level& l : layout.levels)
    if (l.id == id) return &l;
  return nullptr;
}

bool LevelVisible(const Layout& layout, int level_id) {
  const Level* l = FindLevel(layout, level_id);
  return !l || l->visible;
}

double LevelHeight(const Layout& layout, int level_id) {
  const Level* l = FindLevel(layout, level_id);
  return l ? l->height : 0.0;
}

int FindPiece(const Layout& layout, int id) {
  // New pieces take ever higher ids and go to the end, so the list is nearly always in
  // id order: a binary search finds the piece then, and a scan finds it otherwise.
  const auto& pieces = layout.pieces;
  std::size_t lo = 0, hi = pieces.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (pieces[mid].id == id) return static_cast<int>(mid);
    if (pieces[mid].id < id)
      lo = mid + 1;
    else
      hi = mid;
  }
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (pieces[i].id == id) return static_cast<int>(i);
  return -1;
}

int FindScenery(const Layout& layout, int id) {
  for (std::size_t i = 0; i < layout.scenery.size(); ++i)
    if (layout.scenery[i].id == id) return static_cast<int>(i);
  return -1;
}

std::unordered_map<int, std::size_t> PieceIndexById(const Layout& layout) {
  std::unordered_map<int, std::size_t> m;
  m.reserve(layout.pieces.size());
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) m.emplace(layout.pieces[i].id, i);
  return m;
}

void SelectAll(Layout& layout) {
  for (auto& p : layout.pieces) p.sel = true;
  for (auto& s : layout.scenery) s.sel = true;
}

void DeselectAll(Layout& layout) {
  for (auto& p : layout.pieces) p.sel = false;
  for (auto& s : layout.scenery) s.sel = false;
  for (auto& l : layout.labels) l.sel = false;
  for (auto& m : layout.measures) m.sel = false;
  for (auto& s : layout.shapes) s.sel = false;
}

std::vector<PlacedPiece> SelectedPieces(const Layout& layout) {
  std::vector<PlacedPiece> out;
  for (const auto& p : layout.pieces)
    if (p.sel) out.push_back(p);
  return out;
}

std::vector<SceneryItem> SelectedScenery(const Layout& layout) {
  std::vector<SceneryItem> out;
  for (const auto& s : layout.scenery)
    if (s.sel) out.push_back(s);
  return out;
}

bool AnyPieceOrScenerySelected(const Layout& layout) {
  return std::any_of(layout.pieces.begin(), layout.pieces.end(), [](auto& p) { return p.sel; }) ||
         std::any_of(layout.scenery.begin(), layout.scenery.end(), [](auto& s) { return s.sel; });
}

bool AnythingSelected(const Layout& layout) {
  auto sel = [](const auto& v) {
    return std::any_of(v.begin(), v.end(), [](const auto& o) { return o.sel; });
  };
  return sel(layout.pieces) || sel(layout.scenery) || sel(layout.labels) || sel(layout.measures) ||
         sel(layout.shapes);
}

void ExpandHelixSelection(Layout& layout) {
  std::unordered_set<int> helices;
  for (const auto& p : layout.pieces)
    if (p.sel && p.helix != -1) helices.insert(p.helix);
  if (helices.empty()) return;
  for (auto& p : layout.pieces)
    if (p.helix != -1 && helices.count(p.helix)) p.sel = true;
}

void ClearForNew(Layout& layout) {
  layout.pieces.clear();
  layout.scenery.clear();
  layout.labels.clear();
  layout.measures.clear();
  layout.shapes.clear();
  layout.tunnels.clear();
  layout.helices.clear();
  layout.grade_runs.clear();
  layout.next_id = 1;
  layout.baseboard.clear();
  layout.lastshape = LastShape{};
  layout.background.reset();
  layout.units = 0;
  layout.levels.clear();
  EnsureDefaultLevel(layout);
  layout.active_level = 1;
  RecomputeGradeMode(layout);
}

int InsertPiece(Layout& layout, PlacedPiece piece) {
  piece.id = TakeId(layout);
  layout.pieces.push_back(std::move(piece));
  return layout.pieces.back().id;
}

int InsertScenery(Layout& layout, SceneryItem item) {
  item.id = TakeId(layout);
  layout.scenery.push_back(std::move(item));
  return layout.scenery.back().id;
}

void JoinBoth(Layout& layout, std::size_t a, int ca, std::size_t b, int cb) {
  PlacedPiece& pa = layout.pieces[a];
  PlacedPiece& pb = layout.pieces[b];
  pa.SetJoint(ca, pb.id, cb);
  pb.SetJoint(cb, pa.id, ca);
}

void CutSelectionJoints(Layout& layout) {
  const auto index = PieceIndexById(layout);
  for (auto& p : layout.pieces) {
    for (Joint& j : p.joints) {
      if (j.target == -1) continue;
      auto it = index.find(j.target);
      if (it == index.end()) continue;
      if (layout.pieces[it->second].sel != p.sel) j = Joint{};
    }
  }
}

namespace {

template <typename T>
void EraseSelected(std::vector<T>& v) {
  v.erase(std::remove_if(v.begin(), v.end(), [](const T& o) { return o.sel; }), v.end());
}

}  // namespace

bool DeleteSelected(Layout& layout) {
  if (!AnythingSelected(layout)) return false;
  RemoveSelectedContent(layout);
  return true;
}

void RemoveSelectedContent(Layout& layout) {
  std::unordered_set<int> gone_pieces, gone_scenery;
  for (const auto& p : layout.pieces)
    if (p.sel) gone_pieces.insert(p.id);
  for (const auto& s : layout.scenery)
    if (s.sel) gone_scenery.insert(s.id);

  EraseSelected(layout.pieces);
  EraseSelected(layout.labels);
  EraseSelected(layout.measures);
  EraseSelected(layout.shapes);

  for (auto& p : layout.pieces)
    for (Joint& j : p.joints)
      if (j.target != -1 && gone_pieces.count(j.target)) j = Joint{};

  std::erase_if(layout.grade_runs,
                [&](const GradeRun& r) { return gone_pieces.count(r.anchor) > 0; });
  RecomputeGradeMode(layout);

  // Helices: forget removed stubs; a helix with no pieces left goes.
  std::unordered_set<int> live_helices;
  for (const auto& p : layout.pieces)
    if (p.helix != -1) live_helices.insert(p.helix);
  for (auto& h : layout.helices)
    for (int* stub : {&h.bottomR1, &h.bottomR2, &h.topR1, &h.topR2})
      if (gone_pieces.count(*stub)) *stub = -1;
  std::erase_if(layout.helices, [&](const Helix& h) { return !live_helices.count(h.id); });

  // Tunnels: forget removed pieces and portals; a tunnel that covers nothing any more
  // goes with its portals, which would otherwise stay locked for good.
  for (auto& t : layout.tunnels) {
    std::erase_if(t.covers, [&](int id) { return gone_pieces.count(id) > 0; });
    if (gone_pieces.count(t.anchorA)) t.anchorA = -1;
    if (gone_pieces.count(t.anchorB)) t.anchorB = -1;
    if (gone_scenery.count(t.portalA)) t.portalA = -1;
    if (gone_scenery.count(t.portalB)) t.portalB = -1;
    if (t.covers.empty()) {
      gone_scenery.insert(t.portalA);
      gone_scenery.insert(t.portalB);
    }
  }
  std::erase_if(layout.tunnels, [](const Tunnel& t) { return t.covers.empty(); });
  std::erase_if(layout.scenery,
                [&](const SceneryItem& s) { return s.sel || gone_scenery.count(s.id); });
}
