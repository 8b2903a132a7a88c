// Snap search. The grid cells are larger than the snap distance, so every connector
// within reach lies in the 3 x 3 cells around a point; candidates found there are then
// decided in layout order exactly as the plain scan decides them.
#include "edit/snap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalog/catalog.h"

namespace {

constexpr double kCellMm = 32.0;  // > 25 mm, so rounding never spans two cells

std::int64_t Cell(double v) {
  return static_cast<std::int64_t>(std::floor(v / kCellMm));
}

// One pair that passes the tests replaces the best when strictly nearer.
bool Mates(const Connector& mine, int my_system, double x, double y, double angle, int system,
           double best, double& dist) {
  if (my_system != system) return false;
  dist = Distance(mine.x, mine.y, x, y);
  if (dist > kSnapDistanceMm) return false;
  if (AngleGap(mine.angle, angle) < kSnapMinAngleDeg) return false;
  return dist < best;
}

SnapCandidate Candidate(const PieceDef& def, int i, const Connector& target, int piece,
                        double dist) {
  const Pose p = MatePose(def, i, target);
  return {true, piece, target.index, i, p.x, p.y, p.heading, dist};
}

}  // namespace

SnapCandidate FindSnap(const PieceDef& def, const Pose& pose,
                       const std::vector<PlacedPiece>& pieces) {
  SnapCandidate best;
  ForEachNearFacingPair(def, pose, pieces,
                        [&](const PlacedPiece& p, const PieceDef& pd, const Connector& j,
                            const Connector& i, double d) {
                          // Systems must match; ties keep the earlier pair.
                          if (EffectiveSystem(def, i.index) == EffectiveSystem(pd, j.index) &&
                              (!best.found || d < best.distance))
                            best = Candidate(def, i.index, j, p.id, d);
                          return true;
                        });
  return best;
}

void SnapIndex::Build(const std::vector<PlacedPiece>& pieces, const Filter& include) {
  entries_.clear();
  cells_.clear();
  const Catalog& catalog = Catalog::instance();
  std::vector<Connector> ends;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const PlacedPiece& p = pieces[k];
    const PieceDef* pd = catalog.find(p.cat);
    if (!pd || !include(p)) continue;
    WorldConnectorsInto(p, *pd, ends);
    for (const Connector& c : ends) {
      if (!c.free) continue;
      const auto n = static_cast<std::uint32_t>(entries_.size());
      entries_.push_back(
          {static_cast<int>(k), p.id, c.index, EffectiveSystem(*pd, c.index), c.x, c.y, c.angle});
      cells_[Key(Cell(c.x), Cell(c.y))].push_back(n);
    }
  }
}

SnapCandidate SnapIndex::Search(const PieceDef& def, const std::vector<Connector>& mine) const {
  // (entry, connector of the moving piece) pairs near enough to be looked at.
  std::vector<std::pair<std::uint32_t, int>> near;
  for (const Connector& i : mine) {
    if (!i.free) continue;
    const std::int64_t cx = Cell(i.x), cy = Cell(i.y);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        auto it = cells_.find(Key(cx + dx, cy + dy));
        if (it == cells_.end()) continue;
        for (std::uint32_t e : it->second) near.emplace_back(e, i.index);
      }
  }
  // Decide in the plain scan's order: piece, its connector, then the moving connector.
  std::sort(near.begin(), near.end(), [&](const auto& a, const auto& b) {
    const Entry& ea = entries_[a.first];
    const Entry& eb = entries_[b.first];
    if (ea.order != eb.order) return ea.order < eb.order;
    if (ea.conn != eb.conn) return ea.conn < eb.conn;
    return a.second < b.second;
  });
  SnapCandidate best;
  double best_dist = std::numeric_limits<double>::max();
  for (const auto& [e, i] : near) {
    const Entry& t = entries_[e];
    const Connector& c = mine[static_cast<std::size_t>(i)];
    double d = 0;
    if (!Mates(c, EffectiveSystem(def, i), t.x, t.y, t.angle, t.system, best_dist, d)) continue;
    best_dist = d;
    best = Candidate(def, i, Connector(t.x, t.y, t.angle, t.conn), t.piece, d);
  }
  return best;
}

SnapCandidate SnapIndex::Find(const PieceDef& def, const Pose& pose) const {
  if (entries_.empty()) return {};
  return Search(def, WorldConnectorsAt(def, pose));
}

SnapCandidate SnapIndex::FindFor(const PlacedPiece& piece, const PieceDef& def) const {
  if (entries_.empty()) return {};
  return Search(def, WorldConnectors(piece, def));
}

std::vector<SnapIndex::Entry> SnapIndex::Near(double x, double y, double radius) const {
  std::vector<Entry> out;
  const std::int64_t cx = Cell(x), cy = Cell(y);
  for (std::int64_t dx = -1; dx <= 1; ++dx)
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      auto it = cells_.find(Key(cx + dx, cy + dy));
      if (it == cells_.end()) continue;
      for (std::uint32_t e : it->second) {
        const Entry& t = entries_[e];
        const double ddx = t.x - x, ddy = t.y - y;
        if (ddx * ddx + ddy * ddy < radius * radius) out.push_back(t);
      }
    }
  std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
    return a.order != b.order ? a.order < b.order : a.conn < b.conn;
  });
  return out;
}
