// Shape constructors and angle helpers for catalog articles.
#include "catalog/piece_def.h"

#include <algorithm>
#include <cmath>

double NormalizeAngle(double deg) {
  if (!std::isfinite(deg)) return 0.0;
  double r = std::fmod(deg, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r -= 360.0;
  return r;
}

double FoldAngle(double deg) {
  double r = NormalizeAngle(deg);
  return r > 180.0 ? r - 360.0 : r;
}

double AngleGap(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

static PieceDef Base(int system, const std::string& id, const std::string& name, PieceKind kind) {
  PieceDef d;
  d.id = id;
  d.name = name;
  d.system = system;
  d.kind = kind;
  return d;
}

PieceDef MakeStraight(int system, const std::string& id, const std::string& name, double length) {
  PieceDef d = Base(system, id, name, PieceKind::Straight);
  d.length = length;
  d.connectors = {Connector(0, 0, 180, 0), Connector(length, 0, 0, 1)};
  return d;
}

PieceDef MakeCurve(int system, const std::string& id, const std::string& name, double radius,
                   double angle) {
  PieceDef d = Base(system, id, name, PieceKind::Curve);
  const double a = DegToRad(angle);
  d.length = a * radius;
  d.radius = radius;
  d.angle = angle;
  d.connectors = {Connector(0, 0, 180, 0),
                  Connector(radius * std::sin(a), radius * (1 - std::cos(a)), angle, 1)};
  return d;
}

PieceDef MakeTurnout(int system, const std::string& id, const std::string& name, PieceKind kind,
                     double length, double radius, double angle) {
  PieceDef d = Base(system, id, name, kind);
  // A branch longer than the straight route is cut off where the route ends.
  const double dx = std::min(length, radius * std::sin(DegToRad(angle)));
  const double phi = std::asin(std::min(1.0, dx / radius)) * 180.0 / kPi;
  const double e = (1 - std::cos(DegToRad(phi))) * radius;
  const bool left = kind == PieceKind::LeftTurnout;
  d.length = length;
  d.radius = radius;
  d.angle = left ? -angle : angle;
  d.connectors = {Connector(0, 0, 180, 0), Connector(length, 0, 0, 1),
                  left ? Connector(dx, -e, 360 - phi, 2) : Connector(dx, e, phi, 2)};
  return d;
}

PieceDef MakeBumper(int system, const std::string& id, const std::string& name, double length) {
  PieceDef d = Base(system, id, name, PieceKind::Bumper);
  d.length = length;
  d.connectors = {Connector(0, 0, 180, 0)};
  return d;
}

int EffectiveSystem(const PieceDef& def, int i) {
  if (i >= 0 && i < static_cast<int>(def.connector_systems.size())) return def.connector_systems[i];
  return def.system;
}
