// World connectors: rotate about the piece origin, then translate.
#include "model/world_connectors.h"

#include <cmath>

void WorldConnectorsInto(const PlacedPiece& piece, const PieceDef& def,
                         std::vector<Connector>& out) {
  out.clear();
  const double t = DegToRad(piece.heading);
  const double c = std::cos(t), s = std::sin(t);
  for (const Connector& k : def.connectors) {
    Connector w;
    w.x = k.x * c - k.y * s + piece.x;
    w.y = k.x * s + k.y * c + piece.y;
    w.angle = NormalizeAngle(k.angle + piece.heading);
    w.free = !piece.Joined(k.index);
    w.index = k.index;
    out.push_back(w);
  }
}

std::vector<Connector> WorldConnectors(const PlacedPiece& piece, const PieceDef& def) {
  std::vector<Connector> out;
  out.reserve(def.connectors.size());
  WorldConnectorsInto(piece, def, out);
  return out;
}

std::vector<Connector> WorldConnectorsAt(const PieceDef& def, const Pose& pose) {
  PlacedPiece p;
  p.x = pose.x;
  p.y = pose.y;
  p.heading = pose.heading;
  return WorldConnectors(p, def);
}

Point ToLayout(const Pose& pose, double px, double py) {
  const double t = DegToRad(pose.heading);
  const double c = std::cos(t), s = std::sin(t);
  return {px * c - py * s + pose.x, px * s + py * c + pose.y};
}

void PlacedPiece::SetJoint(int i, int target, int tconn) {
  if (i < 0) return;
  if (i >= static_cast<int>(joints.size())) joints.resize(static_cast<std::size_t>(i) + 1);
  joints[static_cast<std::size_t>(i)] = {target, tconn};
}

Pose MatePose(const PieceDef& def, int k, const Connector& w) {
  if (k < 0 || k >= static_cast<int>(def.connectors.size())) return {};
  const Connector& c = def.connectors[static_cast<std::size_t>(k)];
  const double heading = NormalizeAngle(NormalizeAngle(w.angle + 180.0) - c.angle);
  const double t = DegToRad(heading);
  return {w.x - (c.x * std::cos(t) - c.y * std::sin(t)),
          w.y - (c.x * std::sin(t) + c.y * std::cos(t)), heading};
}
