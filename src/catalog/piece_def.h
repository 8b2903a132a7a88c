// A catalog article: its shape numbers and the connectors other pieces join to,
// plus the shape constructors that derive connectors from a few numbers.
#pragma once

#include <cmath>
#include <string>
#include <vector>

// One end of a piece. Piece coordinates: mm, y downward, angle in degrees
// pointing out of the piece through the joint.
struct Connector {
  double x = 0;
  double y = 0;
  double angle = 0;
  bool free = true;
  int index = 0;

  Connector() = default;
  Connector(double cx, double cy, double cangle, int cindex)
      : x(cx), y(cy), angle(cangle), free(true), index(cindex) {}
};

// What a piece is, for drawing, 3D models, hit tests and the fill search. Not stored in
// layout files.
enum class PieceKind : int {
  Straight = 0,
  Curve = 1,
  LeftTurnout = 2,
  RightTurnout = 3,
  CurvedTurnout = 4,
  DoubleSlip = 5,
  Bumper = 6,
  StraightSpecial = 7,
  Crossing = 8,
  Turntable = 10,
  CurvedTurnoutSpaced = 11,
};

struct PieceDef {
  std::string id;
  std::string name;
  int system = 0;
  PieceKind kind = PieceKind::Straight;
  double length = 0;
  double radius = 0;
  double angle = 0;
  std::vector<Connector> connectors;
  bool elevated = false;
  bool paired = false;
  bool ramp = false;
  std::vector<int> connector_systems;

  friend bool operator==(const PieceDef&, const PieceDef&) = default;
};

inline bool operator==(const Connector& a, const Connector& b) {
  return a.x == b.x && a.y == b.y && a.angle == b.angle && a.free == b.free && a.index == b.index;
}

// Angle arithmetic shared by the whole program.
constexpr double kPi = 3.14159265358979323846;
inline double DegToRad(double deg) {
  return deg * kPi / 180.0;
}
inline double Distance(double ax, double ay, double bx, double by) {
  const double dx = ax - bx, dy = ay - by;
  return std::sqrt(dx * dx + dy * dy);
}
// Brings an angle into [0, 360).
double NormalizeAngle(double deg);
// Folds a signed angle difference into (-180, 180].
double FoldAngle(double deg);
// Absolute difference of two directions, folded into [0, 180].
double AngleGap(double a, double b);

PieceDef MakeStraight(int system, const std::string& id, const std::string& name, double length);
PieceDef MakeCurve(int system, const std::string& id, const std::string& name, double radius,
                   double angle);
PieceDef MakeTurnout(int system, const std::string& id, const std::string& name, PieceKind kind,
                     double length, double radius, double angle);
PieceDef MakeBumper(int system, const std::string& id, const std::string& name, double length);

// Track system of one connector: adapters carry a system per connector.
int EffectiveSystem(const PieceDef& def, int i);
