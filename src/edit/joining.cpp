// Joins made without a snap: closing a loop onto an end a new piece meets, and the ends
// a moved selection leaves next to unselected track.
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "catalog/catalog.h"
#include "edit/grades.h"
#include "edit/placement.h"
#include "model/layout_ops.h"

namespace {

constexpr double kLoopCloseMaxRiseMm = 2.0;  // ends at different heights are not joined

// The free end of another piece that connector `w` of piece `self` closes onto, as
// (index, connector); (-1, -1) when none.
std::pair<int, int> ClosingEnd(const Layout& layout, std::size_t self, const PieceDef& def,
                               const Connector& w, double reach) {
  const Catalog& catalog = Catalog::instance();
  const PlacedPiece& me = layout.pieces[self];
  const double my_z = ElevationAt(me, w.index);
  std::vector<Connector> theirs;
  for (std::size_t k = 0; k < layout.pieces.size(); ++k) {
    const PlacedPiece& q = layout.pieces[k];
    if (k == self || q.level != me.level) continue;
    const PieceDef* qd = catalog.find(q.cat);
    if (!qd) continue;
    WorldConnectorsInto(q, *qd, theirs);
    for (const Connector& c : theirs) {
      if (!c.free || EffectiveSystem(*qd, c.index) != EffectiveSystem(def, w.index)) continue;
      const double dx = c.x - w.x, dy = c.y - w.y;
      if (dx * dx + dy * dy >= reach * reach) continue;
      if (AngleGap(c.angle, w.angle) < kLoopCloseMinDeg) continue;
      if (std::fabs(ElevationAt(q, c.index) - my_z) > kLoopCloseMaxRiseMm) continue;
      return {static_cast<int>(k), c.index};
    }
  }
  return {-1, -1};
}

}  // namespace

int CloseLoops(Layout& layout, const std::vector<int>& new_ids, double reach) {
  int joins = 0;
  for (int id : new_ids) {
    const int pi = FindPiece(layout, id);
    if (pi < 0) continue;
    const std::size_t p = static_cast<std::size_t>(pi);
    const PieceDef* def = Catalog::instance().find(layout.pieces[p].cat);
    if (!def) continue;
    for (const Connector& w : WorldConnectors(layout.pieces[p], *def)) {
      if (!w.free) continue;
      const auto [qi, qc] = ClosingEnd(layout, p, *def, w, reach);
      if (qi < 0) continue;
      // The piece's elevation was set by its first join; a second one only continues a
      // grade whose leading end it closes onto.
      const bool had_joint =
          std::any_of(layout.pieces[p].joints.begin(), layout.pieces[p].joints.end(),
                      [](const Joint& j) { return j.target != -1; });
      const int qid = layout.pieces[static_cast<std::size_t>(qi)].id;
      const bool continue_grade = !had_joint || RunContinuesAt(layout, qid, qc);
      JoinBoth(layout, p, w.index, static_cast<std::size_t>(qi), qc);
      if (continue_grade) ContinueGradeOnJoin(layout, p, qid, qc, w.index);
      ++joins;
    }
  }
  return joins;
}

namespace {

// The whole selection follows the snapped piece rigidly, helices included.
void ApplyMoveSnap(Layout& layout, const SnapCandidate& snap, int snap_piece) {
  const Catalog& catalog = Catalog::instance();
  int mi = FindPiece(layout, snap_piece);
  if (mi < 0 || !layout.pieces[static_cast<std::size_t>(mi)].sel) {
    mi = -1;
    for (std::size_t i = 0; i < layout.pieces.size() && mi < 0; ++i)
      if (layout.pieces[i].sel) mi = static_cast<int>(i);
  }
  const int ti = FindPiece(layout, snap.targetPiece);
  if (mi < 0 || ti < 0) return;
  const std::size_t m = static_cast<std::size_t>(mi), t = static_cast<std::size_t>(ti);
  const PieceDef* mdef = catalog.find(layout.pieces[m].cat);
  const PieceDef* tdef = catalog.find(layout.pieces[t].cat);
  if (!mdef || !tdef || snap.targetConnector >= static_cast<int>(tdef->connectors.size()) ||
      snap.newConnector >= static_cast<int>(mdef->connectors.size()))
    return;
  const Connector target =
      WorldConnectors(layout.pieces[t], *tdef)[static_cast<std::size_t>(snap.targetConnector)];
  const Pose mate = MatePose(*mdef, snap.newConnector, target);
  const PlacedPiece moved = layout.pieces[m];
  const double delta = mate.heading - moved.heading;
  const double c = std::cos(DegToRad(delta)), s = std::sin(DegToRad(delta));
  auto carry = [&](double& x, double& y) {
    const double dx = x - moved.x, dy = y - moved.y;
    x = dx * c - dy * s + mate.x;
    y = dx * s + dy * c + mate.y;
  };
  std::unordered_set<int> helices;
  for (PlacedPiece& p : layout.pieces) {
    if (!p.sel) continue;
    carry(p.x, p.y);
    p.heading = NormalizeAngle(p.heading + delta);
    if (p.helix != -1) helices.insert(p.helix);
    if (const PieceDef* d = catalog.find(p.cat)) SizeJoints(p, *d);
  }
  // The snapped piece lands exactly on the mate pose, free of rounding.
  layout.pieces[m].x = mate.x;
  layout.pieces[m].y = mate.y;
  layout.pieces[m].heading = mate.heading;
  for (Helix& h : layout.helices) {
    if (!helices.count(h.id)) continue;
    carry(h.cx, h.cy);
    h.heading = NormalizeAngle(h.heading + delta);
  }
  JoinBoth(layout, m, snap.newConnector, t, snap.targetConnector);
  if (layout.pieces[m].helix != -1) return;
  const double z0 = layout.pieces[m].z;
  ContinueGradeOnJoin(layout, m, snap.targetPiece, snap.targetConnector, snap.newConnector);
  const double dz = layout.pieces[m].z - z0;
  if (std::fabs(dz) <= 0.001) return;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (i != m && layout.pieces[i].sel && layout.pieces[i].helix == -1) layout.pieces[i].z += dz;
}

}  // namespace

void JoinMovedSelection(Layout& layout, const SnapCandidate& move_snap, int move_snap_piece) {
  if (move_snap.found) ApplyMoveSnap(layout, move_snap, move_snap_piece);
  // Ends left within 4 mm of a facing free end of unselected track at their height, on a
  // visible level, join; each end takes the first such end in layout order, so every join
  // stays two-sided. A selection that did not snap is held by nothing: its ends join only
  // where they lie exactly on another end.
  const double reach = move_snap.found ? kAutoJoinMm : kMatedMm;
  SnapIndex free_ends;
  free_ends.Build(layout.pieces,
                  [&](const PlacedPiece& p) { return !p.sel && LevelVisible(layout, p.level); });
  if (free_ends.empty()) return;
  const Catalog& catalog = Catalog::instance();
  std::unordered_set<long long> used;
  auto key = [](int piece, int conn) {
    return (static_cast<long long>(piece) << 32) | static_cast<unsigned>(conn);
  };
  const auto index = PieceIndexById(layout);
  std::vector<Connector> mine;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    if (!layout.pieces[i].sel) continue;
    const PieceDef* def = catalog.find(layout.pieces[i].cat);
    if (!def) continue;
    WorldConnectorsInto(layout.pieces[i], *def, mine);
    for (const Connector& w : mine) {
      if (!w.free) continue;
      const double z = ElevationAt(layout.pieces[i], w.index);
      for (const SnapIndex::Entry& e : free_ends.Near(w.x, w.y, reach)) {
        if (used.count(key(e.piece, e.conn)) || e.system != EffectiveSystem(*def, w.index) ||
            AngleGap(e.angle, w.angle) < kLoopCloseMinDeg ||
            std::fabs(ElevationAt(layout.pieces[index.at(e.piece)], e.conn) - z) >
                kLoopCloseMaxRiseMm)
          continue;
        used.insert(key(e.piece, e.conn));
        JoinBoth(layout, i, w.index, index.at(e.piece), e.conn);
        break;
      }
    }
  }
}
