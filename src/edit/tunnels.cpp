// Tunnel analysis and the Tunnel command. An existing tunnel is recognised before the
// chain is tested, so a tunnel whose track no longer forms one chain can still go.
#include "edit/tunnels.h"

#include <algorithm>
#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/text_mark.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "model/piece_lookup.h"
#include "model/world_connectors.h"

namespace {

// Selected piece id -> its place in the layout.
using SelectedIds = std::unordered_map<int, std::size_t>;

// The first connector of the article, in connector order, that is free or joined to a
// piece outside the selection; -1 when there is none. Connectors past the end of the
// joint list are free.
int OutwardConnector(const PlacedPiece& p, const SelectedIds& selected) {
  const PieceDef* def = Catalog::instance().find(p.cat);
  if (!def) return -1;
  for (int c = 0; c < static_cast<int>(def->connectors.size()); ++c) {
    const int target = p.Joined(c) ? p.joints[static_cast<std::size_t>(c)].target : -1;
    if (target == -1 || !selected.count(target)) return c;
  }
  return -1;
}

// The tunnel covers exactly the selection. Covered ids of pieces that are gone (a damaged
// file) do not keep a tunnel in place.
bool IsTheSelection(const Layout& layout, const Tunnel& t, const SelectedIds& selected,
                    PieceLookup& ids) {
  if (t.covers.size() < selected.size()) return false;
  std::unordered_set<int> covered;
  for (int id : t.covers)
    if (selected.count(id)) covered.insert(id);
  if (covered.size() != selected.size()) return false;
  return std::none_of(t.covers.begin(), t.covers.end(),
                      [&](int id) { return !selected.count(id) && ids.Find(layout, id) >= 0; });
}

}  // namespace

TunnelAnalysis AnalyzeTunnelSelection(const Layout& layout) {
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].sel) chosen.push_back(i);
  PieceLookup ids;
  return AnalyzeTunnelSelection(layout, chosen, ids);
}

TunnelAnalysis AnalyzeTunnelSelection(const Layout& layout, const std::vector<std::size_t>& chosen,
                                      PieceLookup& ids) {
  TunnelAnalysis a;
  if (chosen.empty()) return a;
  SelectedIds selected;
  selected.reserve(chosen.size());
  for (std::size_t i : chosen) selected.emplace(layout.pieces[i].id, i);

  for (const Tunnel& t : layout.tunnels) {
    if (!IsTheSelection(layout, t, selected, ids)) continue;
    a.enabled = a.inTunnel = true;
    a.tunnelId = t.id;
    return a;
  }
  if (chosen.size() < 2) return a;

  // One connected stretch: everything selected is reached from the first selected piece.
  std::unordered_set<int> reached{layout.pieces[chosen[0]].id};
  std::deque<std::size_t> queue{chosen[0]};
  while (!queue.empty()) {
    const PlacedPiece& p = layout.pieces[queue.front()];
    queue.pop_front();
    for (const Joint& j : p.joints) {
      if (j.target == -1 || reached.count(j.target)) continue;
      const auto it = selected.find(j.target);
      if (it == selected.end()) continue;
      reached.insert(j.target);
      queue.push_back(it->second);
    }
  }
  if (reached.size() < selected.size()) return a;

  for (const Tunnel& t : layout.tunnels)
    for (int id : t.covers)
      if (selected.count(id)) return a;

  std::vector<std::size_t> ends;
  for (std::size_t i : chosen) {
    const auto& joints = layout.pieces[i].joints;
    const auto inside = std::count_if(joints.begin(), joints.end(), [&](const Joint& j) {
      return j.target != -1 && selected.count(j.target);
    });
    if (inside <= 1) ends.push_back(i);
  }
  if (ends.size() != 2) return a;
  const PlacedPiece& end_a = layout.pieces[ends[0]];
  const PlacedPiece& end_b = layout.pieces[ends[1]];
  const int conn_a = OutwardConnector(end_a, selected);
  const int conn_b = OutwardConnector(end_b, selected);
  if (conn_a == -1 || conn_b == -1) return a;

  a.enabled = true;
  a.pieceA = end_a.id;
  a.pieceB = end_b.id;
  a.connA = conn_a;
  a.connB = conn_b;
  for (std::size_t i : chosen) a.covers.push_back(layout.pieces[i].id);
  return a;
}

namespace {

bool PlaceTunnel(Layout& layout, const TunnelAnalysis& a) {
  const int ia = FindPiece(layout, a.pieceA), ib = FindPiece(layout, a.pieceB);
  if (ia < 0 || ib < 0) return false;
  const Catalog& catalog = Catalog::instance();
  const PlacedPiece& end_a = layout.pieces[static_cast<std::size_t>(ia)];
  const PlacedPiece& end_b = layout.pieces[static_cast<std::size_t>(ib)];
  const PieceDef* def_a = catalog.find(end_a.cat);
  const PieceDef* def_b = catalog.find(end_b.cat);
  if (!def_a || !def_b) return false;
  // Each portal stands at its end's outward connector, on that piece's level.
  auto portal = [&](const PlacedPiece& end, const PieceDef& def, int conn) {
    const Connector w = WorldConnectors(end, def)[static_cast<std::size_t>(conn)];
    SceneryItem s;
    s.item = kTunnelPortalId;
    s.x = w.x;
    s.y = w.y;
    s.heading = w.angle;
    s.level = end.level;
    return s;
  };
  SceneryItem portal_a = portal(end_a, *def_a, a.connA);
  SceneryItem portal_b = portal(end_b, *def_b, a.connB);

  Tunnel t;
  portal_a.id = t.portalA = TakeId(layout);
  layout.scenery.push_back(std::move(portal_a));
  portal_b.id = t.portalB = TakeId(layout);
  layout.scenery.push_back(std::move(portal_b));
  t.id = TakeId(layout);
  t.anchorA = a.pieceA;
  t.anchorB = a.pieceB;
  t.covers = a.covers;
  layout.tunnels.push_back(std::move(t));
  return true;
}

bool RemoveTunnel(Layout& layout, int tunnel_id) {
  const auto t = std::find_if(layout.tunnels.begin(), layout.tunnels.end(),
                              [&](const Tunnel& x) { return x.id == tunnel_id; });
  if (t == layout.tunnels.end()) return false;
  const int pa = t->portalA, pb = t->portalB;
  std::erase_if(layout.scenery,
                [&](const SceneryItem& s) { return s.id != -1 && (s.id == pa || s.id == pb); });
  layout.tunnels.erase(t);
  return true;
}

}  // namespace

bool ToggleTunnel(Document& doc) {
  const TunnelAnalysis a = AnalyzeTunnelSelection(doc.layout());
  if (!a.enabled) return false;
  Transaction t(doc, a.inTunnel ? TrMark("Remove Tunnel") : TrMark("Tunnel"));
  if (!(a.inTunnel ? RemoveTunnel(t.layout(), a.tunnelId) : PlaceTunnel(t.layout(), a)))
    return false;
  t.Commit();
  return true;
}

TunnelToolState TunnelTool(const Layout& layout) {
  return TunnelTool(AnalyzeTunnelSelection(layout));
}

TunnelToolState TunnelTool(const TunnelAnalysis& a) {
  return {a.enabled, a.inTunnel ? TrMark("Remove Tunnel") : "Tunnel"};
}
