// Laying a fill chain: every piece goes through MatePose, exactly as the search laid it,
// and every joint is written on both pieces.
#include "edit/fill_chain.h"

#include "catalog/catalog.h"
#include "edit/grades.h"
#include "edit/placement.h"
#include "model/layout_ops.h"
#include "model/world_connectors.h"

namespace {

// The definition and the connectors a chain piece enters and leaves by; null for an
// unknown article or one without two ends.
const PieceDef* Ends(const ChainPiece& p, int& entry, int& exit) {
  const PieceDef* def = Catalog::instance().find(p.id);
  if (!def || def->connectors.size() < 2) return nullptr;
  entry = p.reversed ? 1 : 0;
  exit = 1 - entry;
  return def;
}

}  // namespace

Connector ChainEnd(const Connector& from, const std::vector<ChainPiece>& chain) {
  Connector cursor = from;
  for (const ChainPiece& p : chain) {
    int entry = 0, exit = 1;
    const PieceDef* def = Ends(p, entry, exit);
    if (!def) continue;
    cursor = WorldConnectorsAt(*def, MatePose(*def, entry, cursor))[static_cast<std::size_t>(exit)];
  }
  return cursor;
}

std::vector<int> InsertFillChain(Layout& layout, int a_id, int ia, int b_id, int ib,
                                 const std::vector<ChainPiece>& chain) {
  const Catalog& catalog = Catalog::instance();
  const int ai = FindPiece(layout, a_id);
  const int bi = FindPiece(layout, b_id);
  if (ai < 0 || bi < 0) return {};
  const PieceDef* adef = catalog.find(layout.pieces[static_cast<std::size_t>(ai)].cat);
  const PieceDef* bdef = catalog.find(layout.pieces[static_cast<std::size_t>(bi)].cat);
  if (!adef || !bdef || ia < 0 || ib < 0 || ia >= static_cast<int>(adef->connectors.size()) ||
      ib >= static_cast<int>(bdef->connectors.size()))
    return {};

  std::size_t prev = static_cast<std::size_t>(ai);
  int prev_conn = ia;
  Connector cursor = WorldConnectors(layout.pieces[prev], *adef)[static_cast<std::size_t>(ia)];
  std::vector<int> laid;
  for (const ChainPiece& c : chain) {
    int entry = 0, exit = 1;
    const PieceDef* def = Ends(c, entry, exit);
    if (!def) continue;
    const Pose pose = MatePose(*def, entry, cursor);
    PlacedPiece p;
    p.cat = def->id;
    p.x = pose.x;
    p.y = pose.y;
    p.heading = pose.heading;
    p.level = layout.pieces[prev].level;
    SizeJoints(p, *def);
    p.id = TakeId(layout);
    const int prev_id = layout.pieces[prev].id;
    layout.pieces.push_back(std::move(p));
    const std::size_t n = layout.pieces.size() - 1;
    JoinBoth(layout, n, entry, prev, prev_conn);
    ContinueGradeOnJoin(layout, n, prev_id, prev_conn, entry);
    laid.push_back(layout.pieces[n].id);
    cursor = WorldConnectors(layout.pieces[n], *def)[static_cast<std::size_t>(exit)];
    prev = n;
    prev_conn = exit;
  }
  if (laid.empty()) return laid;
  // Only connectors that meet are joined: the end must lie on B's connector and face it.
  const std::size_t b = static_cast<std::size_t>(FindPiece(layout, b_id));
  const Connector cb = WorldConnectors(layout.pieces[b], *bdef)[static_cast<std::size_t>(ib)];
  const double dx = cb.x - cursor.x, dy = cb.y - cursor.y;
  if (cb.free && dx * dx + dy * dy < kAutoJoinMm * kAutoJoinMm &&
      AngleGap(cb.angle, cursor.angle) >= kLoopCloseMinDeg)
    JoinBoth(layout, prev, prev_conn, b, ib);
  return laid;
}
