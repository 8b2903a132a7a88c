// Finding the open connector a moving piece snaps to, by a plain scan and by a grid
// index of free connectors that gives exactly the same answer much faster.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "catalog/piece_def.h"
#include "model/layout.h"
#include "model/world_connectors.h"

struct SnapCandidate {
  bool found = false;
  int targetPiece = -1;
  int targetConnector = -1;
  int newConnector = -1;
  double x = 0;
  double y = 0;
  double heading = 0;
  double distance = 0;

  Pose pose() const { return {x, y, heading}; }
  friend bool operator==(const SnapCandidate&, const SnapCandidate&) = default;
};

// The reference search: every free connector of every known piece, in layout order;
// the nearest pair within 25 mm of equal track system and at least 20 degrees apart
// wins, ties keeping the earlier pair.
SnapCandidate FindSnap(const PieceDef& def, const Pose& pose,
                       const std::vector<PlacedPiece>& pieces);

// Free connectors of a chosen set of pieces in grid cells. Find() returns what FindSnap
// returns over that set, tie-breaking included.
class SnapIndex {
 public:
  using Filter = std::function<bool(const PlacedPiece&)>;
  void Build(const std::vector<PlacedPiece>& pieces, const Filter& include);
  SnapCandidate Find(const PieceDef& def, const Pose& pose) const;
  // Same for a placed piece at its own pose, using only its free connectors.
  SnapCandidate FindFor(const PlacedPiece& piece, const PieceDef& def) const;
  bool empty() const { return entries_.empty(); }

  struct Entry {
    int order;  // position in the layout: earlier pieces win ties
    int piece;
    int conn;
    int system;
    double x, y, angle;
  };
  // Indexed connectors closer than `radius` (at most 25 mm) to a point, in layout order
  // (piece, then connector).
  std::vector<Entry> Near(double x, double y, double radius) const;

 private:
  static std::int64_t Key(std::int64_t cx, std::int64_t cy) {
    return (cx << 32) ^ (cy & 0xffffffff);
  }
  SnapCandidate Search(const PieceDef& def, const std::vector<Connector>& mine) const;

  std::vector<Entry> entries_;
  std::unordered_map<std::int64_t, std::vector<std::uint32_t>> cells_;
};
