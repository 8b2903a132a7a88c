// Models of catalog pieces in the piece's own frame (origin at connector 0, y the
// layout's way, z up): ballast, sleepers and rails along every route of the piece.
#pragma once

#include <string>
#include <vector>

#include "catalog/piece_def.h"
#include "scene3d/scene3d.h"

// One centre line of a piece: a straight or an arc (sweep > 0 bends toward +y).
struct TrackRoute {
  double x = 0, y = 0, heading = 0;  // start, heading in degrees
  double length = 0;                 // straight
  double radius = 0;                 // arc when > 0
  double sweep = 0;                  // arc sweep, signed degrees
};

// A point on a route with its unit tangent and the horizontal side vector (+y of the
// tangent's frame).
struct PathSample {
  double x = 0, y = 0;
  double tx = 1, ty = 0;
  double sx = 0, sy = 1;
};

double RouteLength(const TrackRoute& r);
PathSample RouteAt(const TrackRoute& r, double s);
// Sample points: straights in max(floor(L / 20), 2) pieces, arcs in
// max(floor(|sweep| / 2.5), 8) pieces.
std::vector<PathSample> SampleRoute(const TrackRoute& r);

// The routes a piece contributes to its model, by kind.
std::vector<TrackRoute> PieceRoutes(const PieceDef& def);

// Levels of detail: full, without sleepers, ballast top only, ballast top along chords.
inline constexpr int kTrackDetailLevels = 4;
Model3D BuildTrackModel(const PieceDef& def);
Model3D BuildBumperModel(const PieceDef& def);
// The model for a definition by its kind.
Model3D BuildPieceModel(const PieceDef& def);
