// Plan views of the built-in buildings, stations and railway structures: roofs with
// their ridges, lit from the top left (upper and left roof planes light, the others dark).
#include <algorithm>
#include <cmath>

#include "catalog/scenery_rows.h"

namespace scenery_rows {
namespace {

struct Roofing {
  Rgba light, dark, edge, ridge;
};
constexpr Roofing kRedTiles{Rgb(180, 102, 82), Rgb(148, 80, 64), Rgb(92, 48, 38), Rgb(112, 58, 46)};
constexpr Roofing kBrownTiles{Rgb(162, 114, 86), Rgb(134, 92, 68), Rgb(86, 58, 42),
                              Rgb(100, 68, 50)};
constexpr Roofing kSlate{Rgb(128, 133, 142), Rgb(100, 105, 114), Rgb(62, 64, 70), Rgb(72, 74, 80)};
constexpr Roofing kTarPaper{Rgb(118, 116, 112), Rgb(94, 92, 88), Rgb(58, 56, 54), Rgb(66, 64, 62)};
constexpr Roofing kZinc{Rgb(176, 182, 182), Rgb(150, 156, 156), Rgb(98, 104, 104),
                        Rgb(112, 118, 118)};
constexpr Roofing kConcreteRoof{Rgb(194, 191, 184), Rgb(166, 163, 156), Rgb(112, 110, 104),
                                Rgb(128, 126, 120)};
constexpr Rgba kBrick = Rgb(150, 82, 64);
constexpr Rgba kBrickEdge = Rgb(88, 46, 36);
constexpr Rgba kPaving = Rgb(180, 175, 170);
constexpr Rgba kPavingEdge = Rgb(120, 115, 110);
constexpr Rgba kPlatformEdge = Rgb(220, 200, 100);
constexpr Rgba kTimber = Rgb(156, 126, 90);
constexpr Rgba kTimberEdge = Rgb(98, 78, 54);
constexpr Rgba kSleeper = Rgb(112, 92, 72);

// A gable roof: two planes meeting at a ridge along x (or along y).
void GableRoof(Sketch& s, double x, double y, double w, double h, const Roofing& r,
               bool ridge_along_x = true) {
  if (ridge_along_x) {
    s.Rect(x, y, w, h / 2, r.light);
    s.Rect(x, y + h / 2, w, h / 2, r.dark);
    s.Line(x, y + h / 2, x + w, y + h / 2, r.ridge);
  } else {
    s.Rect(x, y, w / 2, h, r.light);
    s.Rect(x + w / 2, y, w / 2, h, r.dark);
    s.Line(x + w / 2, y, x + w / 2, y + h, r.ridge);
  }
  s.OutlineRect(x, y, w, h, r.edge);
}

// A hipped roof: four planes, the ridge along the longer side, hips to the corners.
void HipRoof(Sketch& s, double x, double y, double w, double h, const Roofing& r) {
  const double x2 = x + w, y2 = y + h;
  const double inset = std::min(w, h) / 2;
  const Pt tl{x, y}, tr{x2, y}, bl{x, y2}, br{x2, y2};
  Pt a, b;  // ridge ends, a at the top-left end
  if (w >= h) {
    a = {x + inset, y + inset};
    b = {x2 - inset, y + inset};
    s.Polygon({tl, tr, b, a}, r.light);
    s.Polygon({tl, a, bl}, r.light);
    s.Polygon({bl, a, b, br}, r.dark);
    s.Polygon({tr, b, br}, r.dark);
  } else {
    a = {x + inset, y + inset};
    b = {x + inset, y2 - inset};
    s.Polygon({tl, a, b, bl}, r.light);
    s.Polygon({tl, tr, a}, r.light);
    s.Polygon({tr, a, b, br}, r.dark);
    s.Polygon({bl, b, br}, r.dark);
  }
  const Pt near_a[2] = {tl, w >= h ? bl : tr};
  const Pt near_b[2] = {br, w >= h ? tr : bl};
  for (const Pt& c : near_a) s.Line(c.first, c.second, a.first, a.second, r.ridge);
  for (const Pt& c : near_b) s.Line(c.first, c.second, b.first, b.second, r.ridge);
  if (a != b) s.Line(a.first, a.second, b.first, b.second, r.ridge);
  s.OutlineRect(x, y, w, h, r.edge);
}

void Chimney(Sketch& s, double x, double y, double size = 6) {
  s.Rect(x, y, size, size, kBrick, kBrickEdge);
  s.Rect(x + size * 0.25, y + size * 0.25, size * 0.5, size * 0.5, Rgb(50, 44, 42));
}

// A pair of rails along x with a few sleepers.
void RailStub(Sketch& s, double x0, double x1, double yc) {
  for (double x = x0 + 2; x < x1; x += 5) s.Rect(x, yc - 12, 2.5, 24, kSleeper);
  s.Line(x0, yc - 8.25, x1, yc - 8.25, Rgb(70, 70, 76));
  s.Line(x0, yc + 8.25, x1, yc + 8.25, Rgb(70, 70, 76));
}

// A strip of platform along the bottom edge with its yellow edge line.
void PlatformStrip(Sketch& s, double y, double w, double h) {
  s.Rect(0, y, w, h, kPaving, kPavingEdge);
  s.Rect(0, y + h - 7, w, 7, kPlatformEdge);
}

// A platform canopy: a light roof with the frame lines of its supports.
void Canopy(Sketch& s, double x, double y, double w, double h, bool gable) {
  if (gable) {
    GableRoof(s, x, y, w, h, kZinc);
  } else {
    s.Rect(x, y, w, h, kZinc.light, kZinc.edge);
  }
  for (double fx = x + 30; fx < x + w - 10; fx += 30) s.Line(fx, y, fx, y + h, kZinc.ridge);
}

}  // namespace

// A rural station: hipped main building, a lower goods wing, canopy over the platform.
void DrawStationSmall(Sketch& s) {
  PlatformStrip(s, 96, 308, 44);
  GableRoof(s, 186, 26, 104, 70, kRedTiles);
  HipRoof(s, 18, 8, 168, 88, kRedTiles);
  Chimney(s, 76, 30);
  Chimney(s, 124, 62);
  Canopy(s, 40, 96, 128, 24, false);
  s.Rect(212, 106, 16, 4, kTimber, kTimberEdge);
}

// A town station: a tall centre block with a clock turret, two wings, an entrance canopy
// on the street side and a long gabled canopy over the platform.
void DrawStationLarge(Sketch& s) {
  PlatformStrip(s, 124, 550, 61);
  GableRoof(s, 40, 30, 160, 94, kSlate);
  GableRoof(s, 350, 30, 160, 94, kSlate);
  HipRoof(s, 196, 6, 158, 118, kSlate);
  s.Circle(275, 65, 10, kZinc.dark, kZinc.edge);  // the clock turret
  s.Circle(275, 65, 2.5, kZinc.edge);
  Chimney(s, 90, 44);
  Chimney(s, 450, 44);
  Chimney(s, 120, 96);
  Chimney(s, 420, 96);
  s.Rect(240, 0, 70, 6, kZinc.light, kZinc.edge);
  Canopy(s, 30, 126, 490, 40, true);
}

// A small signal box with an outside stair.
void DrawSignalBox(Sketch& s) {
  s.Rect(2, 28, 9, 18, kTimber, kTimberEdge);
  for (double y = 31; y < 46; y += 3) s.Line(2, y, 11, y, kTimberEdge);
  HipRoof(s, 11, 4, 47, 42, kRedTiles);
  Chimney(s, 40, 12, 5);
}

// One gabled hall per road with a smoke vent along its ridge; the tracks, 77.5 mm apart,
// enter from x = 0.
void DrawEngineShed(Sketch& s, int roads) {
  constexpr Roofing kVent{Rgb(136, 134, 128), Rgb(80, 78, 74), Rgb(48, 46, 44), Rgb(56, 54, 52)};
  const double depth = 80.0 * roads, hall = (depth - 8) / roads;
  for (int r = 0; r < roads; ++r) {
    RailStub(s, 0, 14, depth / 2 + (r - (roads - 1) / 2.0) * 77.5);
    const double y = 4 + hall * r;
    GableRoof(s, 14, y, 284, hall, kTarPaper);
    GableRoof(s, 40, y + hall / 2 - 6, 232, 12, kVent);
  }
  Chimney(s, 282, 10);
}

// A goods shed whose roof overhangs the timber loading ramp on the track side, with a
// brick office at one end.
void DrawGoodsShed(Sketch& s) {
  s.Rect(4, 50, 192, 28, kTimber, kTimberEdge);
  for (double y = 56; y < 78; y += 6) s.Line(4, y, 196, y, Rgb(132, 104, 72));
  GableRoof(s, 52, 4, 140, 62, kBrownTiles);
  GableRoof(s, 10, 8, 42, 52, kRedTiles, false);
  Chimney(s, 36, 14, 5);
}

// A long warehouse: slate roof divided by brick fire walls, skylights, loading dock.
void DrawWarehouse(Sketch& s) {
  s.Rect(6, 162, 388, 34, kConcreteRoof.light, kConcreteRoof.edge);
  for (double x = 54; x < 390; x += 97) s.Rect(x - 14, 162, 28, 4, Rgb(64, 64, 68));
  GableRoof(s, 6, 6, 388, 156, kSlate);
  for (double x = 6; x < 394; x += 97) {
    for (double y : {26.0, 124.0}) {
      s.Rect(x + 18, y, 20, 12, Rgb(176, 192, 200), kSlate.edge);
      s.Rect(x + 59, y, 20, 12, Rgb(176, 192, 200), kSlate.edge);
    }
  }
  for (double x = 103; x < 390; x += 97) s.Rect(x - 1.5, 6, 3, 156, kBrick, kBrickEdge);
}

namespace {

constexpr Rgba kSteelGrey = Rgb(84, 88, 94);
constexpr Rgba kSteelEdge = Rgb(46, 48, 52);

// A point on the ray `deg` degrees from +y (towards +x), `dist` from (cx, cy).
Pt Polar(double cx, double cy, double dist, double deg) {
  const double t = deg * kPi / 180;
  return {cx + dist * std::sin(t), cy + dist * std::cos(t)};
}

// A rectangle of `length` × `width` centred on `centre`, turned to the ray `deg`.
std::vector<Pt> TurnedRect(Pt centre, double length, double width, double deg) {
  const double t = deg * kPi / 180, ux = std::sin(t), uy = std::cos(t);
  const double l = length / 2, w = width / 2;
  const auto at = [&](double along, double across) {
    return Pt{centre.first + along * ux + across * uy, centre.second + along * uy - across * ux};
  };
  return {at(-l, -w), at(l, -w), at(l, w), at(-l, w)};
}

}  // namespace

// The pit with its circular running rail, the bridge with its deck and rails, the
// operator's cabin, and the 30 track connections every 12 degrees around the rim.
void DrawTurntable(Sketch& s) {
  constexpr double c = 139;
  s.Circle(c, c, 139, kConcreteRoof.dark, kConcreteRoof.edge);
  s.Circle(c, c, 132, Rgb(122, 114, 100), kConcreteRoof.edge);
  s.OutlineEllipse(c - 118, c - 118, 236, 236, Rgb(70, 70, 76));
  for (int k = 0; k < 30; ++k) {
    const Pt p = Polar(c, c, 132, 12.0 * k), q = Polar(c, c, 139, 12.0 * k);
    s.Line(p.first, p.second, q.first, q.second, Rgb(70, 70, 76));
  }
  s.Rect(3, c - 16, 272, 32, kSteelGrey, kSteelEdge);
  s.Rect(3, c - 11, 272, 22, Rgb(120, 102, 80), kSteelEdge);
  s.Line(3, c - 8.25, 275, c - 8.25, Rgb(60, 60, 66));
  s.Line(3, c + 8.25, 275, c + 8.25, Rgb(60, 60, 66));
  for (double x : {15.0, 251.0}) s.Rect(x, c - 18, 12, 36, kSteelGrey, kSteelEdge);
  HipRoof(s, 192, c - 38, 26, 20, kRedTiles);
  s.Circle(c, c, 6, Rgb(60, 62, 66), kSteelEdge);
}

// Three stalls on the turntable's 12-degree spokes: the turntable centre lies 349.6 mm
// in front of the building's front edge (above y = 0). Front and back walls are chords
// square to each stall; the workshop behind the middle stall has the boiler chimney.
void DrawRoundhouse(Sketch& s) {
  constexpr double kCx = 193, kCy = -349.6;
  constexpr double kFront = 366, kRidge = 493, kBack = 620;
  const double half_stall = std::cos(6 * kPi / 180);
  const auto corner = [&](double chord, double deg) {
    return Polar(kCx, kCy, chord / half_stall, deg);
  };
  const double walls[4] = {-18, -6, 6, 18};
  std::vector<Pt> front_plane, back_plane, outline;
  for (double deg : walls) front_plane.push_back(corner(kFront, deg));
  for (int i = 3; i >= 0; --i) front_plane.push_back(corner(kRidge, walls[i]));
  for (double deg : walls) back_plane.push_back(corner(kRidge, deg));
  for (int i = 3; i >= 0; --i) back_plane.push_back(corner(kBack, walls[i]));
  for (double deg : walls) outline.push_back(corner(kFront, deg));
  for (int i = 3; i >= 0; --i) outline.push_back(corner(kBack, walls[i]));

  for (double axis : {-12.0, 0.0, 12.0}) {
    for (double side : {-8.25, 8.25}) {
      const double t = axis * kPi / 180;
      const double from = (-kCy + side * std::sin(t)) / std::cos(t);
      const Pt p = Polar(kCx + side * std::cos(t), kCy - side * std::sin(t), from, axis);
      const Pt q = Polar(kCx + side * std::cos(t), kCy - side * std::sin(t), kFront, axis);
      s.Line(p.first, p.second, q.first, q.second, Rgb(70, 70, 76));
    }
  }
  GableRoof(s, 140, 268, 106, 66, kRedTiles, false);
  s.Polygon(front_plane, kTarPaper.light);
  s.Polygon(back_plane, kTarPaper.dark);
  for (int i = 0; i < 3; ++i) {
    const Pt r0 = corner(kRidge, walls[i]), r1 = corner(kRidge, walls[i + 1]);
    s.Line(r0.first, r0.second, r1.first, r1.second, kTarPaper.ridge);
  }
  for (double axis : {-12.0, 0.0, 12.0}) {
    s.Polygon(TurnedRect(Polar(kCx, kCy, 558, axis), 60, 26, axis), Rgb(172, 186, 192),
              kTarPaper.edge);
    s.Polygon(TurnedRect(Polar(kCx, kCy, 430, axis), 14, 14, axis), Rgb(62, 60, 58),
              kTarPaper.edge);
  }
  for (double deg : {-6.0, 6.0}) {
    const Pt p = corner(kFront, deg), q = corner(kBack, deg);
    s.Line(p.first, p.second, q.first, q.second, kBrickEdge);
  }
  s.Polygon(outline, kNone, kTarPaper.edge);
  s.Circle(218, 312, 8, kBrick, kBrickEdge);
  s.Circle(218, 312, 4.5, Rgb(40, 36, 34));
}

// A round tank under a conical roof, with the gallery around it.
void DrawWaterTower(Sketch& s) {
  s.Circle(25, 25, 24.5, Rgb(150, 146, 140), kSteelEdge);
  s.Circle(25, 25, 21, kSlate.dark, kSlate.edge);
  std::vector<Pt> lit{{25, 25}};
  for (int i = 0; i <= 16; ++i) lit.push_back(Polar(25, 25, 21, 135 + 180.0 * i / 16));
  s.Polygon(lit, kSlate.light);
  for (int k = 0; k < 8; ++k) {
    const Pt p = Polar(25, 25, 21, 22.5 + 45 * k);
    s.Line(25, 25, p.first, p.second, kSlate.ridge);
  }
  s.OutlineEllipse(4, 4, 42, 42, kSlate.edge);
  s.Circle(25, 25, 3, Rgb(70, 72, 78), kSlate.edge);
}

// A concrete bunker tower with chutes over the track on its right, fed by an inclined
// skip hoist from the coal store beside it.
void DrawCoalingTower(Sketch& s) {
  s.Rect(2, 50, 44, 28, kConcreteRoof.light, kConcreteRoof.edge);
  s.Rect(6, 54, 36, 20, Rgb(46, 44, 44));
  for (Pt p : {Pt{13, 60}, Pt{25, 67}, Pt{34, 59}}) {
    s.Ellipse(p.first - 6, p.second - 4, 12, 8, Rgb(66, 64, 62));
  }
  for (double y : {14.0, 32.0}) s.Rect(66, y, 10, 7, kSteelGrey, kSteelEdge);
  const std::vector<Pt> hoist = TurnedRect({26, 44}, 40, 6, 135);
  s.Polygon(hoist, kSteelGrey, kSteelEdge);
  for (int i = 1; i < 10; ++i) {
    const double k = i / 10.0;
    const auto mix = [k](Pt a, Pt b) {
      return Pt{a.first + k * (b.first - a.first), a.second + k * (b.second - a.second)};
    };
    const Pt p = mix(hoist[0], hoist[1]), q = mix(hoist[3], hoist[2]);
    s.Line(p.first, p.second, q.first, q.second, kSteelEdge);
  }
  HipRoof(s, 24, 4, 46, 46, kConcreteRoof);
}

}  // namespace scenery_rows
