// The track-system check made before an unsnapped drop.
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "model/world_connectors.h"

namespace {
constexpr double kNearMm = 25.0;       // connectors this close may mate
constexpr double kOppositeDeg = 20.0;  // and must point at least this far apart
}  // namespace

JoinCompatibility CheckJoinCompatibility(const PieceDef& def, const Pose& pose,
                                         const std::vector<PlacedPiece>& pieces) {
  const Catalog& catalog = Catalog::instance();
  const std::vector<Connector> mine = WorldConnectorsAt(def, pose);
  std::vector<Connector> theirs;
  for (const PlacedPiece& p : pieces) {
    const PieceDef* pd = catalog.find(p.cat);
    if (!pd) continue;
    WorldConnectorsInto(p, *pd, theirs);
    for (const Connector& j : theirs) {
      if (!j.free) continue;
      for (const Connector& i : mine) {
        if (Distance(i.x, i.y, j.x, j.y) > kNearMm) continue;
        if (AngleGap(i.angle, j.angle) < kOppositeDeg) continue;
        const int a = EffectiveSystem(def, i.index), b = EffectiveSystem(*pd, j.index);
        if (a != b) return {true, a, b};
      }
    }
  }
  return {};
}

std::string IncompatibleSystemsText(const JoinCompatibility& c) {
  return TrackSystemName(c.new_system) + " cannot connect to " + TrackSystemName(c.placed_system) +
         ".\n\nThese track systems are not compatible.\nUse adapter track 24922 to connect "
         "C-Track to K-Track.";
}
