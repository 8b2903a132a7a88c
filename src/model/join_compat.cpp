// The track-system check made before an unsnapped drop.
#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "model/translate.h"
#include "model/world_connectors.h"

void ForEachNearFacingPair(
    const PieceDef& def, const Pose& pose, const std::vector<PlacedPiece>& pieces,
    const std::function<bool(const PlacedPiece&, const PieceDef&, const Connector&,
                             const Connector&, double)>& visit) {
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
        const double d = Distance(i.x, i.y, j.x, j.y);
        if (d > kSnapDistanceMm || AngleGap(i.angle, j.angle) < kSnapMinAngleDeg) continue;
        if (!visit(p, *pd, j, i, d)) return;
      }
    }
  }
}

JoinCompatibility CheckJoinCompatibility(const PieceDef& def, const Pose& pose,
                                         const std::vector<PlacedPiece>& pieces) {
  JoinCompatibility result;
  ForEachNearFacingPair(
      def, pose, pieces,
      [&](const PlacedPiece&, const PieceDef& pd, const Connector& j, const Connector& i, double) {
        const int a = EffectiveSystem(def, i.index), b = EffectiveSystem(pd, j.index);
        if (a == b) return true;
        result = {true, a, b};
        return false;
      });
  return result;
}

std::string IncompatibleSystemsText(const JoinCompatibility& c) {
  return TrackSystemName(c.new_system) + Tr(" cannot connect to ") +
         TrackSystemName(c.placed_system) +
         Tr(".\n\nThese track systems are not compatible.\nUse adapter track 24922 to connect "
            "C-Track to K-Track.");
}
