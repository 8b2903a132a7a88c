// The routes a train can take over a piece, in the piece's own millimetres: straight
// lines and arcs of the piece's radius. The plan's extent and the plan check walk them.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "catalog/piece_def.h"

// Calls line(x0, y0, x1, y1) for each straight route and arc(x0, y0, h0, a) for each
// curved one: from piece point (x0, y0) leaving at h0 degrees, sweeping a degrees
// (positive bends toward +y), of radius def.radius. A turntable has no fixed route.
template <class Line, class Arc>
void ForEachRoute(const PieceDef& def, Line&& line, Arc&& arc) {
  const bool curved = def.radius > 0;
  // Turnout branches end where the straight route does.
  const double branch_limit =
      curved ? std::asin(std::min(1.0, def.length / def.radius)) * 180.0 / kPi : 0.0;
  const auto branch = [&](double a) {
    return std::copysign(std::min(std::fabs(a), branch_limit), a);
  };
  const std::vector<Connector>& k = def.connectors;
  switch (def.kind) {
    case PieceKind::Curve:
      if (curved) arc(0.0, 0.0, 0.0, def.angle);
      break;
    case PieceKind::LeftTurnout:
    case PieceKind::RightTurnout:
      line(0.0, 0.0, def.length, 0.0);
      if (curved && def.kind == PieceKind::LeftTurnout && k.size() >= 4) {  // three-way
        arc(0.0, 0.0, 0.0, branch(std::fabs(def.angle)));
        arc(0.0, 0.0, 0.0, branch(-std::fabs(def.angle)));
      } else if (curved) {
        arc(0.0, 0.0, 0.0, branch(def.angle));
      }
      break;
    case PieceKind::CurvedTurnout:
    case PieceKind::CurvedTurnoutSpaced: {
      double ahead = def.length;
      if (def.kind == PieceKind::CurvedTurnout)
        ahead = k.size() >= 3 ? std::fabs(k[2].x - k[1].x) : 77.5;
      if (curved) arc(0.0, 0.0, 0.0, def.angle);
      line(0.0, 0.0, ahead, 0.0);
      if (curved) arc(ahead, 0.0, 0.0, def.angle);
      break;
    }
    case PieceKind::Crossing:
    case PieceKind::DoubleSlip:
      line(0.0, 0.0, def.length, 0.0);
      if (k.size() >= 4) line(k[2].x, k[2].y, k[3].x, k[3].y);
      if (def.kind == PieceKind::DoubleSlip && curved) {
        arc(0.0, 0.0, 0.0, branch(std::fabs(def.angle)));
        arc(def.length, 0.0, 180.0, branch(std::fabs(def.angle)));
      }
      break;
    case PieceKind::Turntable:
      break;
    case PieceKind::Straight:
    case PieceKind::Bumper:
    case PieceKind::StraightSpecial:
    default:
      line(0.0, 0.0, def.length, 0.0);
      break;
  }
}
