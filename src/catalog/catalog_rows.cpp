// The built-in track catalog: every article of the four track systems, in palette
// order, with the measured connectors of the pieces no shape constructor describes.
#include <cmath>
#include <initializer_list>

#include "catalog/catalog.h"
#include "catalog/track_system.h"

namespace {

enum : unsigned { kElevated = 1, kPaired = 2, kRamp = 4 };

struct XYA {
  double x, y, angle;
};

// Connector 0 is always (0, 0, 180); the rest are given in order.
std::vector<Connector> Ends(const std::vector<XYA>& rest) {
  std::vector<Connector> out{Connector(0, 0, 180, 0)};
  for (const XYA& c : rest) out.emplace_back(c.x, c.y, c.angle, static_cast<int>(out.size()));
  return out;
}

PieceDef Explicit(int system, const char* id, const char* name, PieceKind kind, double length,
                  double radius, double angle, const std::vector<XYA>& rest) {
  PieceDef d;
  d.id = id;
  d.name = name;
  d.system = system;
  d.kind = kind;
  d.length = length;
  d.radius = radius;
  d.angle = angle;
  d.connectors = Ends(rest);
  return d;
}

PieceDef ExplicitRing(int system, const char* id, const char* name, PieceKind kind, double length,
                      double radius, double angle, std::vector<Connector> connectors) {
  PieceDef d = Explicit(system, id, name, kind, length, radius, angle, std::vector<XYA>{});
  d.connectors = std::move(connectors);
  return d;
}

PieceDef WithFlags(PieceDef d, unsigned flags) {
  d.elevated = (flags & kElevated) != 0;
  d.paired = (flags & kPaired) != 0;
  d.ramp = (flags & kRamp) != 0;
  return d;
}

PieceDef WithSystems(PieceDef d, std::vector<int> systems) {
  d.connector_systems = std::move(systems);
  return d;
}

// Both exits leave at the curve's end angle, the second one `spacing` further along x.
std::vector<XYA> SpacedCurvedTurnoutEnds(double radius, double angle, double spacing) {
  const double a = DegToRad(std::fabs(angle));
  const double side = angle < 0 ? -1.0 : 1.0;
  const double x1 = radius * std::sin(a);
  const double y1 = side * radius * (1 - std::cos(a));
  const double out = NormalizeAngle(angle);
  return {{x1, y1, out}, {x1 + spacing, y1, out}};
}

// The diagonal route crosses the main route at its midpoint.
std::vector<XYA> CrossingAtMidpoint(double length, double half, double angle) {
  const double a = DegToRad(angle);
  return {{length, 0, 0},
          {half - half * std::cos(a), -half * std::sin(a), 180 + angle},
          {half + half * std::cos(a), half * std::sin(a), angle}};
}

// The turntable's connectors sit on the pit ring; its origin is the pit centre.
std::vector<Connector> TurntableRing(double radius, double spacing, int count) {
  std::vector<Connector> out;
  for (int k = 0; k < count; ++k) {
    const double a = spacing * k;
    out.emplace_back(radius * std::cos(DegToRad(a)), radius * std::sin(DegToRad(a)), a, k);
  }
  return out;
}

}  // namespace

void LoadBuiltInCatalog(Catalog& c) {
  using enum PieceKind;
  c.clear();
  c.add(MakeStraight(MarklinC, "24188", "24188 - 188.3mm", 188.3));
  c.add(MakeStraight(MarklinC, "24172", "24172 - 171.7mm", 171.7));
  c.add(MakeStraight(MarklinC, "24360", "24360 - 360mm", 360));
  c.add(WithFlags(MakeStraight(MarklinC, "74636", "74636 Arch Bridge 360mm", 360), kElevated));
  c.add(WithFlags(MakeStraight(MarklinC, "74620", "74620 Truss Bridge 180mm", 188.3), kElevated));
  c.add(WithFlags(MakeCurve(MarklinC, "74623", "74623 Curved Ramp R2 30deg", 437.5, 30),
                  kElevated | kRamp));
  c.add(WithFlags(MakeCurve(MarklinC, "74613", "74613 Curved Ramp R1 30deg", 360, 30),
                  kElevated | kRamp));
  c.add(WithFlags(MakeStraight(MarklinC, "74618", "74618 Straight Ramp 180mm (pair)", 180),
                  kElevated | kPaired | kRamp));
  c.add(MakeStraight(MarklinC, "24229", "24229 - 229mm", 229));
  c.add(MakeStraight(MarklinC, "24236", "24236 - 236mm", 236));
  c.add(MakeStraight(MarklinC, "24094", "24094 - 94.2mm", 94.2));
  c.add(MakeStraight(MarklinC, "24077", "24077 - 77.5mm", 77.5));
  c.add(MakeStraight(MarklinC, "24071", "24071 - 71mm", 71));
  c.add(MakeStraight(MarklinC, "24064", "24064 - 64mm", 64));
  c.add(MakeCurve(MarklinC, "24130", "24130 (30°) R1 - 360mm (14-3/16)", 360, 30));
  c.add(MakeCurve(MarklinC, "24230", "24230 (30°) R2 - 437.5mm (17-1/4)", 437.5, 30));
  c.add(MakeCurve(MarklinC, "24330", "24330 (30°) R3 - 515mm (20-1/4)", 515, 30));
  c.add(MakeCurve(MarklinC, "24315", "24315 (15°) R3 - 515mm (20-1/4)", 515, 15));
  c.add(MakeCurve(MarklinC, "24430", "24430 (30°) R4 - 579.3mm (22-13/16)", 579.3, 30));
  c.add(MakeCurve(MarklinC, "24530", "24530 (30°) R5 - 643.6mm (25-11/32)", 643.6, 30));
  c.add(MakeCurve(MarklinC, "24115", "24115 (15°) R1 - 360mm (14-3/16)", 360, 15));
  c.add(MakeCurve(MarklinC, "24107", "24107 (7.5°) R1 - 360mm (14-3/16)", 360, 7.5));
  c.add(MakeCurve(MarklinC, "24224", "24224 (24.3°) R2 - 437.5mm (17-1/4)", 437.5, 24.3));
  c.add(MakeCurve(MarklinC, "24206", "24206 (5.7°) R2 - 437.5mm (17-1/4)", 437.5, 5.7));
  c.add(MakeCurve(MarklinC, "24207", "24207 (7.5°) R2 - 437.5mm (17-1/4)", 437.5, 7.5));
  c.add(MakeCurve(MarklinC, "24294", "24294 (15°) R2 - 437.5mm (17-1/4) Circuit", 437.5, 15));
  c.add(MakeStraight(MarklinC, "24994", "24994 - 94.2mm Circuit", 94.2));
  c.add(MakeCurve(MarklinC, "24215", "24215 (15°) R2 - 437.5mm (17-1/4)", 437.5, 15));
  c.add(MakeCurve(MarklinC, "24912", "24912 (12.1°) R9 - 1114.6mm (43-7/8)", 1114.6, 12.1));
  c.add(Explicit(MarklinC, "24611", "24611 Left Turnout R2=437.5mm 24.3°", LeftTurnout, 188.3,
                 437.5, -24.3, {{188.3, 0, 0}, {180.04, -38.76, 335.7}}));
  c.add(Explicit(MarklinC, "24612", "24612 Right Turnout R2=437.5mm 24.3°", RightTurnout, 188.3,
                 437.5, 24.3, {{188.3, 0, 0}, {180.04, 38.76, 24.3}}));
  c.add(Explicit(MarklinC, "24630", "24630 Three-Way Turnout 2x24.3°", LeftTurnout, 188.3, 437.5,
                 24.3, {{188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}}));
  c.add(Explicit(MarklinC, "24671", "24671 Left Curved Turnout (R360)", CurvedTurnout, 257.5, 360,
                 -30, {{180, -48.2, 330}, {257.5, -48.2, 330}}));
  c.add(Explicit(MarklinC, "24672", "24672 Right Curved Turnout (R360)", CurvedTurnout, 257.5, 360,
                 30, {{180, 48.2, 30}, {257.5, 48.2, 30}}));
  c.add(Explicit(MarklinC, "24740", "24740 Wide-Angle Crossing 12.1° 236.1mm", Crossing, 236.1, 0,
                 12.1, {{236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}}));
  c.add(Explicit(MarklinC, "24649", "24649 Crossing 48.6° 103.3mm", Crossing, 103.3, 0, 48.6,
                 {{103.3, 0, 0}, {17.49, -38.74, 228.6}, {85.81, 38.74, 48.6}}));
  c.add(Explicit(MarklinC, "24640", "24640 Crossing 24.3° 188.3mm", Crossing, 188.3, 0, 24.3,
                 {{188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}}));
  c.add(Explicit(MarklinC, "24624", "24624 Double Slip Switch 24.3°", DoubleSlip, 188.3, 437.4,
                 24.3, {{188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}}));
  c.add(Explicit(MarklinC, "24720", "24720 Double Slip Switch slim 12.1°", DoubleSlip, 236.1,
                 1114.6, 12.1, {{236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}}));
  c.add(Explicit(MarklinC, "24711", "24711 Slim Left Turnout (R1114.6)", LeftTurnout, 231.74,
                 1114.6, -12, {{231.74, 0, 0}, {231.74, -24.36, 348}}));
  c.add(Explicit(MarklinC, "24712", "24712 Slim Right Turnout (R1114.6)", RightTurnout, 231.74,
                 1114.6, 12, {{231.74, 0, 0}, {231.74, 24.36, 12}}));
  c.add(Explicit(MarklinC, "24771", "24771 Slim Left Curved Turnout (R515)", CurvedTurnout, 321.5,
                 515, -30, {{257.5, -69, 330}, {321.5, -69, 330}}));
  c.add(Explicit(MarklinC, "24772", "24772 Slim Right Curved Turnout (R515)", CurvedTurnout, 321.5,
                 515, 30, {{257.5, 69, 30}, {321.5, 69, 30}}));
  c.add(Explicit(MarklinC, "24977", "24977 Bumper Stop", Bumper, 48.3, 0, 0, {}));
  c.add(Explicit(MarklinC, "24978", "24978 Bumper Stop with Light", Bumper, 48.3, 0, 0, {}));
  c.add(MakeStraight(MarklinC, "24997", "24997 Uncoupler 94.2mm", 94.2));
  c.add(WithSystems(MakeStraight(MarklinC, "24922", "24922 Adapter C-Track to K-Track 180mm", 180),
                    {MarklinC, MarklinK}));
  c.add(ExplicitRing(MarklinC, "74861", "74861 Turntable (pit 278mm)", Turntable, 378, 139, 12,
                     TurntableRing(139, 12, 30)));
  c.add(MakeStraight(MarklinC, "74871", "74871 Turntable Spoke Extension 57.5mm", 57.5));

  c.add(MakeStraight(TrixC, "62064", "62064 Straight 64.3mm / 2-9/16\"", 64.3));
  c.add(MakeStraight(TrixC, "62071", "62071 Straight 70.8mm / 2-13/16\"", 70.8));
  c.add(MakeStraight(TrixC, "62077", "62077 Straight 77.5mm / 3-1/16\"", 77.5));
  c.add(MakeStraight(TrixC, "62094", "62094 Straight 94.2mm / 3-3/4\"", 94.2));
  c.add(MakeStraight(TrixC, "62172", "62172 Straight 171.7mm / 6-3/4\"", 171.7));
  c.add(MakeStraight(TrixC, "62188", "62188 Straight 188.3mm / 7-3/8\"", 188.3));
  c.add(MakeStraight(TrixC, "62229", "62229 Straight 229.3mm / 9\"", 229.3));
  c.add(MakeStraight(TrixC, "62236", "62236 Straight 236.1mm / 9-5/16\"", 236.1));
  c.add(MakeStraight(TrixC, "62360", "62360 Straight 360mm / 14-3/16\"", 360));
  c.add(MakeCurve(TrixC, "62107", "62107 (7.5deg) R1 - 360mm", 360, 7.5));
  c.add(MakeCurve(TrixC, "62115", "62115 (15deg) R1 - 360mm", 360, 15));
  c.add(MakeCurve(TrixC, "62130", "62130 (30deg) R1 - 360mm", 360, 30));
  c.add(MakeCurve(TrixC, "62206", "62206 (5.7deg) R2 - 437.5mm", 437.5, 5.7));
  c.add(MakeCurve(TrixC, "62207", "62207 (7.5deg) R2 - 437.5mm", 437.5, 7.5));
  c.add(MakeCurve(TrixC, "62215", "62215 (15deg) R2 - 437.5mm", 437.5, 15));
  c.add(MakeCurve(TrixC, "62224", "62224 (24.3deg) R2 - 437.5mm", 437.5, 24.3));
  c.add(MakeCurve(TrixC, "62230", "62230 (30deg) R2 - 437.5mm", 437.5, 30));
  c.add(MakeCurve(TrixC, "62315", "62315 (15deg) R3 - 515mm", 515, 15));
  c.add(MakeCurve(TrixC, "62330", "62330 (30deg) R3 - 515mm", 515, 30));
  c.add(MakeCurve(TrixC, "62912", "62912 (12.1deg) R9 - 1114.6mm", 1114.6, 12.1));
  c.add(Explicit(TrixC, "62611", "62611 Left Turnout R2=437.5mm 24.3deg", LeftTurnout, 188.3, 437.5,
                 -24.3, {{188.3, 0, 0}, {180.04, -38.76, 335.7}}));
  c.add(Explicit(TrixC, "62612", "62612 Right Turnout R2=437.5mm 24.3deg", RightTurnout, 188.3,
                 437.5, 24.3, {{188.3, 0, 0}, {180.04, 38.76, 24.3}}));
  c.add(Explicit(TrixC, "62671", "62671 Left Curved Turnout", CurvedTurnout, 257.5, 437.5, -24.3,
                 {{180, -38.76, 335.7}, {257.5, -38.76, 335.7}}));
  c.add(Explicit(TrixC, "62672", "62672 Right Curved Turnout", CurvedTurnout, 257.5, 437.5, 24.3,
                 {{180, 38.76, 24.3}, {257.5, 38.76, 24.3}}));
  c.add(Explicit(TrixC, "62630", "62630 Three-Way Turnout 2x24.3deg", LeftTurnout, 188.3, 437.5,
                 24.3, {{188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}}));
  {  // the TRIX double slip has the geometry of 24624
    PieceDef d = *c.find("24624");
    d.id = "62624";
    d.name = "62624 Double Slip Switch 24.3deg";
    d.system = TrixC;
    c.add(d);
  }
  c.add(Explicit(TrixC, "62977", "62977 Track End with Bumper 80.5mm", Bumper, 80.5, 0, 0, {}));
  c.add(MakeStraight(TrixC, "62997", "62997 Uncoupler Track 94.2mm", 94.2));
  c.add(WithFlags(MakeStraight(TrixC, "62636", "62636 Arch Bridge 360mm", 360), kElevated));
  c.add(WithFlags(MakeStraight(TrixC, "62620", "62620 Truss Bridge 188mm", 188.3), kElevated));
  c.add(WithFlags(MakeCurve(TrixC, "62623", "62623 Curved Ramp R2 30deg", 437.5, 30),
                  kElevated | kRamp));
  c.add(WithFlags(MakeCurve(TrixC, "62613", "62613 Curved Ramp R1 30deg", 360, 30),
                  kElevated | kRamp));

  c.add(MakeStraight(MarklinZ, "8500", "8500 Straight 110mm / 4-3/8\"", 110));
  c.add(MakeStraight(MarklinZ, "8501", "8501 Straight 55mm / 2-3/16\" (half)", 55));
  c.add(MakeStraight(MarklinZ, "8502", "8502 Straight 27.5mm / 1-1/8\" (qtr)", 27.5));
  c.add(MakeStraight(MarklinZ, "8503", "8503 Straight 55mm / 2-3/16\"", 55));
  c.add(MakeStraight(MarklinZ, "8504", "8504 Straight 25mm / 1\"", 25));
  c.add(MakeStraight(MarklinZ, "8505", "8505 Straight 220mm / 8-13/16\"", 220));
  c.add(MakeStraight(MarklinZ, "8506", "8506 Straight 112.8mm / 4-7/16\"", 112.8));
  c.add(MakeStraight(MarklinZ, "8507", "8507 Straight 112.8mm / 4-7/16\"", 112.8));
  c.add(MakeStraight(MarklinZ, "8587", "8587 Uncoupler 55mm / 2-3/16\"", 55));
  c.add(MakeStraight(MarklinZ, "8588", "8588 Isolating Track 55mm / 2-3/16\"", 55));
  c.add(MakeStraight(MarklinZ, "8590", "8590 Feeder Track 110mm / 4-3/8\"", 110));
  c.add(MakeStraight(MarklinZ, "8598", "8598 Isolating Track 55mm / 2-3/16\"", 55));
  c.add(MakeCurve(MarklinZ, "8510", "8510 Curve R1=145mm 45deg", 145, 45));
  c.add(MakeCurve(MarklinZ, "8511", "8511 Curve R1=145mm 30deg", 145, 30));
  c.add(MakeCurve(MarklinZ, "8520", "8520 Curve R2=195mm 45deg", 195, 45));
  c.add(MakeCurve(MarklinZ, "8521", "8521 Curve R2=195mm 30deg", 195, 30));
  c.add(MakeCurve(MarklinZ, "8529", "8529 Circuit Curve R2=195mm 45deg", 195, 45));
  c.add(MakeCurve(MarklinZ, "8530", "8530 Curve R3=220mm 45deg", 220, 45));
  c.add(MakeCurve(MarklinZ, "8531", "8531 Curve R3=220mm 30deg", 220, 30));
  c.add(MakeCurve(MarklinZ, "8539", "8539 Circuit Curve R3=220mm 45deg", 220, 45));
  c.add(MakeCurve(MarklinZ, "8591", "8591 Turnout Branch Curve R4=490mm 13deg", 490, 13));
  c.add(MakeTurnout(MarklinZ, "8562", "8562 Electric Left Turnout 110mm 13deg", LeftTurnout, 110,
                    490, 13));
  c.add(MakeTurnout(MarklinZ, "8563", "8563 Electric Right Turnout 110mm 13deg", RightTurnout, 110,
                    490, 13));
  c.add(MakeTurnout(MarklinZ, "8565", "8565 Manual Left Turnout 110mm 13deg", LeftTurnout, 110, 490,
                    13));
  c.add(MakeTurnout(MarklinZ, "8566", "8566 Manual Right Turnout 110mm 13deg", RightTurnout, 110,
                    490, 13));
  c.add(Explicit(MarklinZ, "8568", "8568 Electric Left Curved Turnout R=195mm 30deg",
                 CurvedTurnoutSpaced, 25, 195, -30, SpacedCurvedTurnoutEnds(195, -30, 25)));
  c.add(Explicit(MarklinZ, "8569", "8569 Electric Right Curved Turnout R=195mm 30deg",
                 CurvedTurnoutSpaced, 25, 195, 30, SpacedCurvedTurnoutEnds(195, 30, 25)));
  c.add(Explicit(MarklinZ, "8559", "8559 Crossing 112.8mm 13deg", Crossing, 112.8, 0, 13,
                 CrossingAtMidpoint(112.8, 56.4, 13)));
  c.add(Explicit(MarklinZ, "8560", "8560 Double Slip Switch 13°", DoubleSlip, 112.8, 501.4424, 13,
                 {{112.8, 0, 0}, {0, -12.8519, 193}, {112.8, 12.8519, 13}}));
  c.add(Explicit(MarklinZ, "8991", "8991 Track Bumper 15mm", Bumper, 15, 0, 0, {}));
  c.add(WithFlags(MakeStraight(MarklinZ, "8975", "8975 Arch Bridge 220mm", 220), kElevated));
  c.add(WithFlags(MakeStraight(MarklinZ, "89759", "89759 Girder Bridge 110mm", 110), kElevated));
  c.add(WithFlags(MakeStraight(MarklinZ, "8976", "8976 Straight Ramp 110mm", 110),
                  kElevated | kRamp));
  c.add(WithFlags(MakeCurve(MarklinZ, "8977", "8977 Curved Ramp R1=145mm 45deg", 145, 45),
                  kElevated | kRamp));

  c.add(MakeStraight(MarklinK, "2200", "2200 Straight Track Length 180 mm / 7-3/32\"", 180));
  c.add(MakeStraight(MarklinK, "2201", "2201 Straight Track Length 90 mm / 3-9/16\"", 90));
  c.add(MakeStraight(MarklinK, "2202", "2202 Straight Track Length 45 mm / 1-3/4\"", 45));
  c.add(MakeStraight(MarklinK, "2203", "2203 Straight Track Length 30 mm / 1-3/16\"", 30));
  c.add(MakeStraight(MarklinK, "2204", "2204 Straight Track Length 22.5 mm / 7/8\"", 22.5));
  c.add(MakeStraight(MarklinK, "2205", "2205 Flex Track Length 900 mm / 35-7/16\"", 900));
  c.add(MakeStraight(MarklinK, "2206", "2206 Straight Track Length 168.9 mm / 6-5/8\"", 168.9));
  c.add(MakeStraight(MarklinK, "2207", "2207 Straight Track Length 156 mm / 6-1/8\"", 156));
  c.add(MakeStraight(MarklinK, "2208", "2208 Straight Track Length 35.1 mm / 1-3/8\"", 35.1));
  c.add(MakeStraight(MarklinK, "2209", "2209 Straight Track Length 217.9 mm / 8-9/16\"", 217.9));
  c.add(MakeStraight(MarklinK, "2293", "2293 Straight Track Length 41.3 mm / 1-5/8\"", 41.3));
  c.add(MakeStraight(MarklinK, "2290", "2290 Straight Feeder Track Length 180 mm / 7-3/32\"", 180));
  c.add(MakeStraight(MarklinK, "2291", "2291 Adapter Track for M Track Length 180 mm / 7-3/32\"",
                     180));
  c.add(MakeStraight(MarklinK, "2292", "2292 Straight Feeder Track Length 180 mm / 7-3/32\"", 180));
  c.add(MakeStraight(MarklinK, "2295", "2295 Contact Track Set Length 2 x 90 mm / 3-9/16\"", 90));
  c.add(
      MakeStraight(MarklinK, "2297", "2297 Straight Uncoupler Track Length 90 mm / 3-9/16\"", 90));
  c.add(MakeStraight(MarklinK, "2299", "2299 Straight Circuit Track Length 90 mm / 3-9/16\"", 90));
  c.add(MakeCurve(MarklinK, "2210", "2210 Curved Track R0=295.4mm 45deg", 295.4, 45));
  c.add(MakeCurve(MarklinK, "2229", "2229 Curved Circuit Track Radius 360 mm", 360, 45));
  c.add(MakeCurve(MarklinK, "2221", "2221 Curved Track R1=360mm 30deg", 360, 30));
  c.add(MakeCurve(MarklinK, "2223", "2223 Curved Track Radius 15° (R2=424.6 mm / 16-3/4\")", 424.6,
                  15));
  c.add(MakeCurve(MarklinK, "2224", "2224 Curved Track Radius 7° (R2=424.6 mm / 16-3/4\")", 424.6,
                  7.5));
  c.add(MakeCurve(MarklinK, "2239", "2239 Curved Circuit Track Radius 424.6 mm / 16-3/4\"", 424.6,
                  30));
  c.add(MakeCurve(MarklinK, "2231", "2231 Curved Track R2=424.6mm 30deg", 424.6, 30));
  c.add(MakeCurve(MarklinK, "2232", "2232 Curved Track R2=424.6mm 22.5deg", 424.6, 22.5));
  c.add(MakeCurve(MarklinK, "2233", "2233 Curved Track Radius 15° (R3=515 mm)", 515, 15));
  c.add(MakeCurve(MarklinK, "2234", "2234 Curved Track Radius 7° (R3=515 mm)", 515, 7.5));
  c.add(MakeCurve(MarklinK, "2235", "2235 Curved Track Radius 3° (R3=515 mm)", 515, 3));
  c.add(MakeCurve(MarklinK, "2241", "2241 Curved Track Radius 30° (R4=573.6 mm)", 573.6, 30));
  c.add(MakeCurve(MarklinK, "2251", "2251 Curved Track Radius 30° (R4=573.6 mm)", 573.6, 30));
  c.add(MakeCurve(MarklinK, "2274",
                  "2274 Curved Track Length 14°26' (R=902.4 mm) - Complementary to 22715/22716",
                  902.4, 14.4333));
  c.add(Explicit(MarklinK, "2257", "2257 Crossing Length 225 mm / 8-7/8\"", Crossing, 225, 0, 22.5,
                 {{225, 0, 0}, {8.56, -43.05, 202.5}, {216.44, 43.05, 22.5}}));
  c.add(Explicit(MarklinK, "2258", "2258 Crossing Length 90 mm / 3-9/16\"", Crossing, 90, 0, 45,
                 {{90, 0, 0}, {13.18, -31.82, 225}, {76.82, 31.82, 45}}));
  c.add(Explicit(MarklinK, "2259", "2259 Crossing Length 168.9 mm / 6-5/8\"", Crossing, 168.9, 0,
                 22.5, {{168.9, 0, 0}, {6.43, -32.32, 202.5}, {162.47, 32.32, 22.5}}));
  c.add(MakeTurnout(MarklinK, "2262", "2262 Left Turnout Length 168.9 mm / 6-5/8\"", LeftTurnout,
                    168.9, 424.6, 22.5));
  c.add(MakeTurnout(MarklinK, "2263", "2263 Right Turnout Length 168.9 mm / 6-5/8\"", RightTurnout,
                    168.9, 424.6, 22.5));
  c.add(MakeTurnout(MarklinK, "2265", "2265 Left Turnout Length 168.9 mm / 6-5/8\" (manual)",
                    LeftTurnout, 168.9, 424.6, 22.5));
  c.add(MakeTurnout(MarklinK, "2266", "2266 Right Turnout Length 168.9 mm / 6-5/8\" (manual)",
                    RightTurnout, 168.9, 424.6, 22.5));
  c.add(Explicit(MarklinK, "2269",
                 "2269 Right Curved Turnout Outer Curve 30° Spacing 64.6 mm / 2-1/2\"",
                 CurvedTurnoutSpaced, 64.6, 360, 30, {{180, 48.23, 30}, {244.6, 48.23, 30}}));
  c.add(Explicit(MarklinK, "2268",
                 "2268 Left Curved Turnout Outer Curve 30° Spacing 64.6 mm / 2-1/2\"",
                 CurvedTurnoutSpaced, 64.6, 360, -30, {{180, -48.23, 330}, {244.6, -48.23, 330}}));
  c.add(Explicit(MarklinK, "2270",
                 "2270 Symmetrical Three-Way Turnout Length 168.9 mm / Radius 424.6 mm / 16-3/4\"",
                 LeftTurnout, 168.9, 424.6, 22.5,
                 {{168.9, 0, 0}, {162.49, 32.32, 22.5}, {162.49, -32.32, 337.5}}));
  c.add(MakeTurnout(MarklinK, "22715",
                    "22715 Left Turnout Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"",
                    LeftTurnout, 225, 902.4, 14.3));
  c.add(MakeTurnout(MarklinK, "22716",
                    "22716 Right Turnout Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"",
                    RightTurnout, 225, 902.4, 14.3));
  c.add(Explicit(MarklinK, "2260", "2260 Double Slip Switch Length 168.9 mm / 6-5/8\"", DoubleSlip,
                 168.9, 424.6, 22.5,
                 {{168.9, 0, 0}, {6.41, -32.32, 202.5}, {162.49, 32.32, 22.5}}));
  c.add(Explicit(MarklinK, "2275",
                 "2275 Double Slip Switch Length 225 mm / 8-7/8\" / Radius 902.4 mm / 35-1/2\"",
                 DoubleSlip, 225, 902.4, 14.3,
                 {{225, 0, 0}, {3.49, -27.79, 194.3}, {221.51, 27.79, 14.3}}));
  c.add(MakeBumper(MarklinK, "7389", "7389 Track Bumper", 60));
  c.add(MakeBumper(MarklinK, "7391", "7391 Track Bumper", 40));
  c.add(WithFlags(MakeStraight(MarklinK, "7263", "7263 Arch Bridge 360mm", 360), kElevated));
  c.add(WithFlags(MakeStraight(MarklinK, "7262", "7262 Truss Bridge 180mm", 180), kElevated));
  c.add(WithFlags(MakeCurve(MarklinK, "7569", "7569 Curved Ramp R2 30deg", 424.6, 30),
                  kElevated | kRamp));
  c.add(WithFlags(MakeCurve(MarklinK, "7267", "7267 Curved Ramp R1 45deg", 360, 45),
                  kElevated | kRamp));
}
