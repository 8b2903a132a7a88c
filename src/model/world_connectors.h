// Connectors of a placed piece in layout coordinates, and the track-system check
// made before a piece is dropped next to others.
#pragma once

#include <functional>
#include <vector>

#include "catalog/piece_def.h"
#include "model/layout.h"

struct Pose {
  double x = 0;
  double y = 0;
  double heading = 0;
  friend bool operator==(const Pose&, const Pose&) = default;
};

// One world connector per definition connector, in definition order; `free` tells
// whether the piece's joint slot there is open.
std::vector<Connector> WorldConnectors(const PlacedPiece& piece, const PieceDef& def);
// Same, without allocating: fills `out`.
void WorldConnectorsInto(const PlacedPiece& piece, const PieceDef& def,
                         std::vector<Connector>& out);
// Connectors of `def` placed at `pose` with nothing joined.
std::vector<Connector> WorldConnectorsAt(const PieceDef& def, const Pose& pose);

// The pose at which connector k of `def` sits on `w` and points the opposite way;
// the zero pose when k is not a connector of `def`.
Pose MatePose(const PieceDef& def, int k, const Connector& w);

// A piece-frame point carried into layout coordinates.
Point ToLayout(const Pose& pose, double px, double py);

inline constexpr double kSnapDistanceMm = 25.0;   // connectors this close may mate
inline constexpr double kSnapMinAngleDeg = 20.0;  // ends pointing the same way never mate

// Free connector j of a known placed piece and connector i of `def` at `pose` that lie
// within 25 mm and point at least 20 degrees apart, in the order the snap search decides
// them (placed pieces in layout order, then j, then i). `visit` returns false to stop.
void ForEachNearFacingPair(
    const PieceDef& def, const Pose& pose, const std::vector<PlacedPiece>& pieces,
    const std::function<bool(const PlacedPiece& placed, const PieceDef& placed_def,
                             const Connector& j, const Connector& i, double distance)>& visit);

struct JoinCompatibility {
  bool incompatible = false;
  int new_system = 0;     // system of the new piece's connector
  int placed_system = 0;  // system of the placed piece's connector
};

// Free connectors of the new piece within 25 mm of a free connector of a placed piece,
// and not pointing the same way, must belong to the same track system.
JoinCompatibility CheckJoinCompatibility(const PieceDef& def, const Pose& pose,
                                         const std::vector<PlacedPiece>& pieces);

// Text of the refusal shown when a drop would join two track systems.
std::string IncompatibleSystemsText(const JoinCompatibility& c);
