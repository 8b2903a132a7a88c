// The built-in scenery rows in catalog order: platforms, signals, bridges, roads,
// trees, vehicles and civil structures (buildings live in scenery_rows_buildings.cpp).
#include <cmath>

#include "catalog/scenery_rows.h"
#include "catalog/text_mark.h"

namespace scenery_rows {

namespace {

ScenePrim Prim(std::uint8_t type, Rgba fill, Rgba outline, double a, double b, double c, double d) {
  ScenePrim p;
  p.type = type;
  p.fill = fill;
  p.stroke = outline;
  p.stroke_width = outline.a == 0 ? 0 : 1;
  p.a = a;
  p.b = b;
  p.c = c;
  p.d = d;
  return p;
}

}  // namespace

void Sketch::Rect(double x, double y, double w, double h, Rgba fill, Rgba outline) {
  shapes_.push_back(Prim(kFilledRect, fill, outline, x, y, w, h));
}

void Sketch::Ellipse(double x, double y, double w, double h, Rgba fill, Rgba outline) {
  shapes_.push_back(Prim(kFilledEllipse, fill, outline, x, y, w, h));
}

void Sketch::Polygon(std::vector<Pt> points, Rgba fill, Rgba outline) {
  ScenePrim p = Prim(kPolygon, fill, outline, 0, 0, 0, 0);
  p.points = std::move(points);
  shapes_.push_back(std::move(p));
}

void Sketch::OutlineRect(double x, double y, double w, double h, Rgba outline) {
  shapes_.push_back(Prim(kOutlinedRect, kNone, outline, x, y, w, h));
}

void Sketch::OutlineEllipse(double x, double y, double w, double h, Rgba outline) {
  shapes_.push_back(Prim(kOutlinedEllipse, kNone, outline, x, y, w, h));
}

// A line carries its colour as the outline; its fill stays transparent.
void Sketch::Line(double x1, double y1, double x2, double y2, Rgba colour) {
  shapes_.push_back(Prim(kLine, kNone, colour, x1, y1, x2, y2));
}

// Text is drawn in its fill colour; `height` is the letter height in mm.
void Sketch::Text(double cx, double cy, double height, const std::string& text, Rgba colour) {
  ScenePrim p = Prim(kText, colour, kNone, cx, cy, 0, height);
  p.text = text;
  shapes_.push_back(std::move(p));
}

SceneryDef NewItem(const char* id, const char* name, int category, double width, double depth) {
  SceneryDef def;
  def.id = id;
  def.name = name;
  def.category = category;
  def.width = width;
  def.depth = depth;
  return def;
}

std::vector<Pt> RoundedRectPoints(double x, double y, double w, double h, double r, int steps) {
  // Corner centres clockwise from the top-left (y grows downward), each with its arc start.
  const double cx[4] = {x + r, x + w - r, x + w - r, x + r};
  const double cy[4] = {y + r, y + r, y + h - r, y + h - r};
  std::vector<Pt> points;
  for (int corner = 0; corner < 4; ++corner) {
    const double start = kPi + corner * kPi / 2;
    for (int i = 0; i <= steps; ++i) {
      const double t = start + (kPi / 2) * i / steps;
      points.emplace_back(cx[corner] + r * std::cos(t), cy[corner] + r * std::sin(t));
    }
  }
  return points;
}

namespace {

constexpr Rgba kPlatformPaving = Rgb(180, 175, 170);
constexpr Rgba kPlatformOutline = Rgb(120, 115, 110);
constexpr Rgba kPlatformEdge = Rgb(220, 200, 100);
constexpr Rgba kPlatformJoint = Rgb(150, 145, 140, 80);

SceneryDef Platform() {
  SceneryDef def = NewItem("platform", TrMark("Platform"), kPlatforms, 230, 60);
  Sketch s(def);
  s.Rect(0, 0, 230, 60, kPlatformPaving, kPlatformOutline);
  s.Rect(0, 52, 230, 8, kPlatformEdge);
  for (double x : {40.0, 80.0, 120.0, 160.0, 190.0}) s.Line(x, 0, x, 60, kPlatformJoint);
  return def;
}

SceneryDef IslandPlatform() {
  SceneryDef def =
      NewItem("platform_island", TrMark("Island platform 460mm"), kPlatforms, 460, 120);
  Sketch s(def);
  s.Rect(0, 0, 460, 120, kPlatformPaving, kPlatformOutline);
  s.Rect(0, 0, 460, 8, kPlatformEdge);
  s.Rect(0, 112, 460, 8, kPlatformEdge);
  s.Rect(0, 54, 460, 12, Rgb(200, 195, 190));
  for (double x = 40; x < 460; x += 40) s.Line(x, 0, x, 120, kPlatformJoint);
  return def;
}

// ---- signals: a post beside the track with its aspect in the stop or clear colour -------

constexpr Rgba kStopAspect = Rgb(220, 40, 40);
constexpr Rgba kClearAspect = Rgb(60, 200, 80);
constexpr Rgba kSignalDark = Rgb(34, 34, 38);
constexpr Rgba kMast = Rgb(88, 90, 96);

SceneryDef SignalItem(const char* id, const char* name, bool z) {
  const double size = z ? 12 : 20;
  SceneryDef def = NewItem(id, name, kSignals, size, size);
  def.z_scale = z;
  return def;
}

// Seen from above a semaphore arm at stop shows its full length; raised to clear it
// looks shorter.
SceneryDef SemaphoreSignal(const char* id, const char* name, bool clear, bool z) {
  SceneryDef def = SignalItem(id, name, z);
  const double u = def.width / 20.0;
  const Rgba aspect = clear ? kClearAspect : kStopAspect;
  const double tip = clear ? 8.5 : 4.0;
  Sketch s(def);
  s.Rect(5.5 * u, 11.5 * u, 9 * u, 7 * u, kConcrete, kConcreteEdge);
  s.Rect(8.8 * u, tip * u, 2.4 * u, (15 - tip) * u, aspect, kSignalDark);
  s.Circle(10 * u, tip * u, 2.8 * u, aspect, kSignalDark);
  s.Circle(10 * u, 15 * u, 2.2 * u, kMast, kSignalDark);
  return def;
}

// A colour-light signal: a dark signal screen with one large lens.
SceneryDef ColorLightSignal(const char* id, const char* name, bool clear, bool z) {
  SceneryDef def = SignalItem(id, name, z);
  const double u = def.width / 20.0;
  Sketch s(def);
  s.Rect(3 * u, 3 * u, 14 * u, 14 * u, kConcrete, kConcreteEdge);
  s.Polygon(RoundedRectPoints(5 * u, 4.5 * u, 10 * u, 11 * u, 2.5 * u), Rgb(46, 46, 50),
            kSignalDark);
  s.Circle(10 * u, 10 * u, 3.6 * u, clear ? kClearAspect : kStopAspect, kSignalDark);
  return def;
}

// ---- bridges -----------------------------------------------------------------------

// A low Warren truss: two chords with gusset plates, floor beams across the deck.
SceneryDef SceneryTrussBridge() {
  SceneryDef def =
      NewItem("bridge_truss_scenery", TrMark("Truss bridge (scenery)"), kBridges, 188, 64);
  constexpr Rgba kSteel = Rgb(98, 118, 108);
  constexpr Rgba kSteelEdge = Rgb(52, 66, 60);
  Sketch s(def);
  s.Rect(0, 0, 10, 64, kStone, kStoneEdge);
  s.Rect(178, 0, 10, 64, kStone, kStoneEdge);
  s.Rect(8, 8, 172, 48, Rgb(104, 98, 90), Rgb(66, 62, 58));
  for (int i = 1; i < 8; ++i) {
    const double x = 8 + 21.5 * i;
    s.Line(x, 8, x, 56, Rgb(78, 74, 68));
  }
  s.Rect(6, 2, 176, 6, kSteel, kSteelEdge);
  s.Rect(6, 56, 176, 6, kSteel, kSteelEdge);
  for (int i = 0; i <= 8; ++i) {
    const double x = 8 + 21.5 * i;
    s.Rect(x - 2, 1, 4, 8, kSteel, kSteelEdge);
    s.Rect(x - 2, 55, 4, 8, kSteel, kSteelEdge);
  }
  return def;
}

// A masonry viaduct: parapets with refuges over the piers, ballast between them.
SceneryDef ArchBridge() {
  SceneryDef def =
      NewItem("bridge_arch_scenery", TrMark("Arch bridge (scenery)"), kBridges, 360, 64);
  constexpr Rgba kParapet = Rgb(186, 176, 160);
  Sketch s(def);
  s.Rect(0, 0, 360, 64, kStone, kStoneEdge);
  s.Rect(0, 10, 360, 44, Rgb(140, 133, 122));
  s.Rect(0, 0, 360, 7, kParapet, kStoneEdge);
  s.Rect(0, 57, 360, 7, kParapet, kStoneEdge);
  for (double x = 20; x < 360; x += 20) {
    s.Line(x, 0, x, 7, Rgb(120, 110, 96, 150));
    s.Line(x, 57, x, 64, Rgb(120, 110, 96, 150));
  }
  for (double x : {90.0, 180.0, 270.0}) {
    s.Rect(x - 8, 0, 16, 10, kParapet, kStoneEdge);
    s.Rect(x - 8, 54, 16, 10, kParapet, kStoneEdge);
  }
  return def;
}

// A through truss: portal frames at both ends and X bracing over the track.
SceneryDef SteelTrussBridge() {
  SceneryDef def =
      NewItem("bridge_truss", TrMark("Steel truss bridge (1 track)"), kSpecial, 188, 80);
  constexpr Rgba kSteel = Rgb(128, 82, 68);
  constexpr Rgba kSteelEdge = Rgb(76, 44, 36);
  Sketch s(def);
  s.Rect(0, 0, 8, 80, kStone, kStoneEdge);
  s.Rect(180, 0, 8, 80, kStone, kStoneEdge);
  s.Rect(6, 10, 176, 60, Rgb(96, 94, 92), Rgb(60, 58, 56));
  s.Rect(4, 3, 180, 8, kSteel, kSteelEdge);
  s.Rect(4, 69, 180, 8, kSteel, kSteelEdge);
  for (int i = 0; i < 4; ++i) {
    const double x0 = 14 + 40 * i, x1 = x0 + 40;
    s.Line(x0, 11, x1, 69, kSteel);
    s.Line(x0, 69, x1, 11, kSteel);
  }
  for (int i = 0; i <= 4; ++i) {
    const double x = 14 + 40 * i;
    const double w = (i == 0 || i == 4) ? 8 : 3;  // the end portals are heavier
    s.Rect(x - w / 2, 3, w, 74, kSteel, kSteelEdge);
  }
  return def;
}

// ---- roads -------------------------------------------------------------------------

constexpr Rgba kPavement = Rgb(172, 166, 158);

// Edge lines and the centre line of the road between y0 and y1.
void RoadMarkings(Sketch& s, double y0, double y1) {
  s.Line(15, y0, 15, y1, kWhitePaint);
  s.Line(105, y0, 105, y1, kWhitePaint);
  s.Line(60, y0, 60, y1, kYellowPaint);
}

// Tracks run along x, 77.5 mm apart; the road runs along y between two footpaths.
// Traffic keeps right, so each approach has its stop line on its own half.
SceneryDef LevelCrossing(const char* id, const char* name, int tracks) {
  const double depth = 80.0 * tracks;
  SceneryDef def = NewItem(id, name, kRoads, 120, depth);
  Sketch s(def);
  s.Rect(0, 0, 120, depth, kAsphalt, kAsphaltEdge);
  s.Rect(0, 0, 12, depth, kPavement, kAsphaltEdge);
  s.Rect(108, 0, 12, depth, kPavement, kAsphaltEdge);
  const double first = depth / 2 - (tracks - 1) * 77.5 / 2;
  const double top = first - 17, bottom = first + (tracks - 1) * 77.5 + 17;
  for (int t = 0; t < tracks; ++t) {
    const double yc = first + t * 77.5;
    s.Rect(0, yc - 17, 120, 34, Rgb(150, 146, 138), Rgb(104, 100, 94));
    for (double x : {40.0, 80.0}) s.Line(x, yc - 17, x, yc + 17, Rgb(118, 114, 108));
    s.Line(0, yc - 8.25, 120, yc - 8.25, kRail);
    s.Line(0, yc + 8.25, 120, yc + 8.25, kRail);
  }
  RoadMarkings(s, 2, top - 12);
  for (int t = 1; t < tracks; ++t) {
    const double gap = first + t * 77.5 - 38.75;
    s.Line(60, gap - 8, 60, gap + 8, kYellowPaint);
  }
  RoadMarkings(s, bottom + 12, depth - 2);
  s.Rect(15, top - 10, 45, 3, kWhitePaint);
  s.Rect(60, bottom + 7, 45, 3, kWhitePaint);
  for (double x : {6.0, 114.0}) {
    s.Circle(x, top - 5, 2.5, Rgb(196, 60, 52), kWhitePaint);
    s.Circle(x, bottom + 5, 2.5, Rgb(196, 60, 52), kWhitePaint);
  }
  return def;
}

// Dashes repeat every 188/6 mm so that joined road pieces continue the pattern.
SceneryDef RoadStraight() {
  SceneryDef def = NewItem("road_straight", TrMark("Road straight 188mm"), kRoads, 188, 60);
  Sketch s(def);
  s.Rect(0, 0, 188, 60, kAsphalt, kAsphaltEdge);
  s.Line(0, 4, 188, 4, kWhitePaint);
  s.Line(0, 56, 188, 56, kWhitePaint);
  const double period = 188.0 / 6;
  for (int i = 0; i < 6; ++i) {
    const double x = period * i + period / 4;
    s.Line(x, 30, x + period / 2, 30, kWhitePaint);
  }
  return def;
}

// ---- trees and bushes: crowns of overlapping leaf clusters, lit from the top left ----

struct Foliage {
  Rgba outline, dark, mid, light;
};
constexpr Foliage kLimeGreen{Rgb(56, 82, 42), Rgb(82, 116, 60), Rgb(102, 138, 72),
                             Rgb(124, 156, 88)};
constexpr Foliage kOakGreen{Rgb(46, 70, 38), Rgb(70, 102, 54), Rgb(90, 124, 64), Rgb(110, 142, 76)};
constexpr Foliage kShrubGreen{Rgb(60, 84, 44), Rgb(92, 120, 64), Rgb(112, 142, 76),
                              Rgb(144, 170, 100)};
constexpr Foliage kFirGreen{Rgb(24, 46, 32), Rgb(38, 70, 48), Rgb(52, 90, 60), Rgb(74, 112, 76)};

// A round deciduous crown of radius r: an outlined ring of lobes, a filled core, a
// lighter cluster and highlights towards the light.
void Crown(Sketch& s, double cx, double cy, double r, int lobes, const Foliage& f) {
  const double lobe = 0.36 * r;
  for (int i = 0; i < lobes; ++i) {
    const double t = 2 * kPi * i / lobes + 0.3;
    s.Circle(cx + (r - lobe) * std::cos(t), cy + (r - lobe) * std::sin(t), lobe, f.dark, f.outline);
  }
  s.Circle(cx, cy, 0.8 * r, f.dark);
  const double mx = cx - 0.1 * r, my = cy - 0.1 * r;
  s.Circle(mx, my, 0.4 * r, f.mid);
  for (int i = 0; i < lobes - 2; ++i) {
    const double t = 2 * kPi * i / (lobes - 2) + 0.9;
    s.Circle(mx + 0.36 * r * std::cos(t), my + 0.36 * r * std::sin(t), 0.3 * r, f.mid);
  }
  s.Circle(cx - 0.28 * r, cy - 0.26 * r, 0.2 * r, f.light);
  s.Circle(cx - 0.02 * r, cy - 0.4 * r, 0.14 * r, f.light);
  s.Circle(cx - 0.42 * r, cy + 0.02 * r, 0.13 * r, f.light);
}

std::vector<Pt> StarPoints(double cx, double cy, double rx, double ry, int tips, double inner,
                           double turn) {
  std::vector<Pt> points;
  for (int i = 0; i < 2 * tips; ++i) {
    const double t = kPi * i / tips + turn;
    const double k = (i % 2 == 0) ? 1.0 : inner;
    points.emplace_back(cx + k * rx * std::cos(t), cy + k * ry * std::sin(t));
  }
  return points;
}

// A conifer from above: a dark many-pointed star with a lighter tip in the middle.
void ConiferCrown(Sketch& s, double cx, double cy, double rx, double ry) {
  s.Polygon(StarPoints(cx, cy, rx, ry, 13, 0.74, 0), kFirGreen.dark, kFirGreen.outline);
  s.Polygon(StarPoints(cx - 0.06 * rx, cy - 0.06 * ry, 0.66 * rx, 0.66 * ry, 9, 0.68, 0.2),
            kFirGreen.mid);
  s.Polygon(StarPoints(cx - 0.1 * rx, cy - 0.1 * ry, 0.3 * rx, 0.3 * ry, 6, 0.6, 0.5),
            kFirGreen.light);
}

SceneryDef SmallTree() {
  SceneryDef def = NewItem("tree_sm_dec", TrMark("Deciduous tree (small)"), kNature, 34, 34);
  Sketch s(def);
  Crown(s, 17, 17, 17, 7, kLimeGreen);
  return def;
}

SceneryDef LargeTree() {
  SceneryDef def = NewItem("tree_lg_dec", TrMark("Deciduous tree (large)"), kNature, 57, 57);
  Sketch s(def);
  Crown(s, 28.5, 28.5, 28.5, 9, kOakGreen);
  return def;
}

SceneryDef ConiferTree() {
  SceneryDef def = NewItem("tree_conifer", TrMark("Conifer tree"), kNature, 23, 40);
  Sketch s(def);
  ConiferCrown(s, 11.5, 20, 11.5, 20);
  return def;
}

SceneryDef TreeGroup() {
  SceneryDef def = NewItem("tree_group", TrMark("Tree group (3 mixed)"), kNature, 115, 80);
  Sketch s(def);
  ConiferCrown(s, 92, 24, 20, 20);
  Crown(s, 88, 61, 18, 7, kLimeGreen);
  Crown(s, 38, 42, 34, 9, kOakGreen);
  return def;
}

SceneryDef Bush() {
  SceneryDef def = NewItem("bush", TrMark("Bush / shrub"), kNature, 23, 17);
  const Pt lobes[] = {{6, 9}, {11.5, 6}, {17, 9}, {9, 11.5}, {14.5, 11.5}};
  Sketch s(def);
  for (const Pt& p : lobes) s.Circle(p.first, p.second, 5.2, kShrubGreen.dark, kShrubGreen.outline);
  s.Ellipse(4, 5, 15, 9, kShrubGreen.dark);
  s.Circle(9, 8, 3.2, kShrubGreen.mid);
  s.Circle(14.5, 8.5, 3.0, kShrubGreen.mid);
  s.Circle(8, 7, 1.6, kShrubGreen.light);
  s.Circle(12.5, 5.5, 1.3, kShrubGreen.light);
  return def;
}

// ---- vehicles: bodies with rounded corners, glass towards the front (+x) -------------

constexpr Rgba kGlass = Rgb(64, 76, 88);

SceneryDef Car() {
  SceneryDef def = NewItem("car", TrMark("Car"), kVehicles, 50, 20);
  constexpr Rgba kBody = Rgb(138, 52, 48);
  Sketch s(def);
  s.Rect(32, 0, 2.5, 20, Rgb(40, 40, 44));  // the mirrors either side
  s.Polygon(RoundedRectPoints(0.5, 1, 49, 18, 4.5), kBody, Rgb(70, 28, 26));
  s.Polygon({{30, 3.4}, {37.5, 2.4}, {37.5, 17.6}, {30, 16.6}}, kGlass);
  s.Polygon({{9.5, 2.8}, {15, 3.4}, {15, 16.6}, {9.5, 17.2}}, kGlass);
  s.Polygon(RoundedRectPoints(14.5, 3.2, 16, 13.6, 2), Rgb(154, 62, 56), Rgb(96, 38, 34));
  s.Rect(47.2, 3.4, 1.4, 3, Rgb(236, 228, 190));
  s.Rect(47.2, 13.6, 1.4, 3, Rgb(236, 228, 190));
  return def;
}

SceneryDef Truck() {
  SceneryDef def = NewItem("truck", TrMark("Truck"), kVehicles, 80, 25);
  constexpr Rgba kCab = Rgb(68, 94, 126);
  Sketch s(def);
  s.Rect(56, 5, 7, 15, Rgb(50, 50, 54));
  s.Rect(0, 1, 58, 23, Rgb(196, 192, 182), Rgb(110, 106, 98));
  for (double x = 8; x < 58; x += 8) s.Line(x, 1.5, x, 23.5, Rgb(164, 160, 150));
  s.Rect(73, 0, 2.5, 25, Rgb(40, 40, 44));
  s.Polygon(RoundedRectPoints(61, 1.5, 18.5, 22, 3), kCab, Rgb(36, 50, 70));
  s.Polygon({{72, 3.2}, {77.5, 2.6}, {77.5, 22.4}, {72, 21.8}}, kGlass);
  s.Rect(62.5, 3.5, 8.5, 18, Rgb(82, 110, 142));
  return def;
}

// ---- town and civil structures -----------------------------------------------------

// Ten bays along the top edge, the aisle below with the parking sign.
SceneryDef ParkingLot() {
  SceneryDef def = NewItem("parking_lot", TrMark("Parking lot (10 spaces)"), kSpecial, 250, 120);
  Sketch s(def);
  s.Rect(0, 0, 250, 120, kAsphalt, kAsphaltEdge);
  s.Rect(0, 0, 250, 7, Rgb(122, 146, 88), kAsphaltEdge);
  for (int i = 0; i <= 10; ++i) {
    const double x = 5 + 24 * i;
    s.Line(x, 7, x, 60, kWhitePaint);
  }
  s.Polygon(RoundedRectPoints(214, 80, 26, 26, 4), Rgb(44, 84, 150), Rgb(236, 236, 230));
  s.Text(227, 93, 20, "P", Rgb(246, 246, 240));
  return def;
}

// Large paving slabs, a bench and a round planter with a small tree.
SceneryDef PedestrianZone() {
  SceneryDef def = NewItem("ped_zone", TrMark("Pedestrian zone"), kSpecial, 115, 57);
  constexpr Rgba kJoint = Rgb(168, 156, 136, 170);
  Sketch s(def);
  s.Rect(0, 0, 115, 57, Rgb(198, 186, 166), Rgb(140, 128, 110));
  for (int i = 1; i < 10; ++i) s.Line(11.5 * i, 0, 11.5 * i, 57, kJoint);
  for (int i = 1; i < 5; ++i) s.Line(0, 11.4 * i, 115, 11.4 * i, kJoint);
  s.Circle(86, 26, 13, kConcrete, kConcreteEdge);
  s.Circle(86, 26, 10.5, Rgb(110, 92, 70));
  Crown(s, 86, 26, 10, 7, kLimeGreen);
  s.Rect(20, 41, 20, 6, Rgb(146, 108, 72), Rgb(92, 66, 44));
  s.Line(20, 44, 40, 44, Rgb(112, 82, 54));
  s.Circle(52, 12, 2, Rgb(70, 72, 76), Rgb(40, 40, 44));
  return def;
}

// The top of a concrete pier: the wider footing, the cap, and four bearings under the
// two spans that meet here.
SceneryDef ViaductPier() {
  SceneryDef def = NewItem("viaduct_pier", TrMark("Viaduct pier (concrete)"), kSpecial, 40, 60);
  Sketch s(def);
  s.Polygon(RoundedRectPoints(0, 0, 40, 60, 10), Rgb(164, 161, 154), kConcreteEdge);
  s.Polygon(RoundedRectPoints(5, 5, 30, 50, 7), Rgb(194, 191, 184), kConcreteEdge);
  for (double y : {16.0, 38.0}) {
    s.Rect(9, y, 8, 6, Rgb(104, 104, 108), Rgb(64, 64, 68));
    s.Rect(23, y, 8, 6, Rgb(104, 104, 108), Rgb(64, 64, 68));
  }
  s.Line(20, 8, 20, 52, kConcreteEdge);
  return def;
}

// The track leaves the hill towards +x. The hill hides the track on the left; the
// portal wall with its arch ring, and the wing walls, leave the approach open.
SceneryDef TunnelPortal() {
  SceneryDef def =
      NewItem("tunnel_portal_single", TrMark("Tunnel portal (1 track)"), kTunnels, 40, 80);
  constexpr Rgba kArch = Rgb(184, 174, 156);
  Sketch s(def);
  s.Rect(0, 0, 20, 80, Rgb(112, 122, 86));
  s.Ellipse(2, 8, 12, 14, Rgb(96, 110, 72));
  s.Ellipse(4, 54, 13, 16, Rgb(96, 110, 72));
  s.Polygon({{20, 2}, {39.5, 0.5}, {39.5, 5}, {22, 10}}, kStone, kStoneEdge);
  s.Polygon({{20, 78}, {39.5, 79.5}, {39.5, 75}, {22, 70}}, kStone, kStoneEdge);
  // The arch ring of voussoirs around the dark mouth, as if folded down flat.
  const auto arch = [](double bulge, double half, int i) {
    const double t = kPi * i / 12;
    return Pt{24 + bulge * std::sin(t), 40 - half * std::cos(t)};
  };
  std::vector<Pt> ring, mouth;
  for (int i = 0; i <= 12; ++i) {
    ring.push_back(arch(8, 21, i));
    mouth.push_back(arch(4, 14, i));
  }
  s.Polygon(ring, kArch, kStoneEdge);
  for (int i = 1; i < 12; ++i) {
    const Pt p = arch(4, 14, i), q = arch(8, 21, i);
    s.Line(p.first, p.second, q.first, q.second, kStoneEdge);
  }
  s.Polygon(mouth, Rgb(44, 42, 40), kStoneEdge);
  s.Rect(16, 1, 8, 78, kStone, kStoneEdge);
  for (double y = 9; y < 78; y += 9) s.Line(16, y, 24, y, Rgb(128, 118, 104));
  return def;
}

// The wall's coping seen from above, the bank it holds on the far side and its footing.
SceneryDef RetainingWall() {
  SceneryDef def = NewItem("retaining_wall", TrMark("Retaining wall 188mm"), kSpecial, 188, 30);
  Sketch s(def);
  s.Rect(0, 0, 188, 19, Rgb(124, 138, 90));
  for (double x : {30.0, 96.0, 150.0}) Crown(s, x, 9, 7.5, 6, kShrubGreen);
  s.Rect(0, 25, 188, 5, Rgb(142, 134, 120), kStoneEdge);
  s.Rect(0, 18, 188, 8, kStone, kStoneEdge);
  for (double x = 23.5; x < 188; x += 23.5) s.Line(x, 18, x, 26, Rgb(128, 118, 104));
  return def;
}

// Builds one row from a drawing function.
SceneryDef Drawn(SceneryDef def, void (*draw)(Sketch&)) {
  Sketch s(def);
  draw(s);
  return def;
}

}  // namespace
}  // namespace scenery_rows

void LoadBuiltInScenery(SceneryCatalog& catalog) {
  using namespace scenery_rows;
  catalog.clear();
  catalog.add(Platform());
  catalog.add(IslandPlatform());
  catalog.add(Drawn(NewItem("station_small", TrMark("Station Gueglingen"), kStations, 308, 140),
                    DrawStationSmall));
  catalog.add(Drawn(NewItem("station_large", TrMark("Station Schwarzburg"), kStations, 550, 185),
                    DrawStationLarge));
  catalog.add(
      Drawn(NewItem("signal_box", TrMark("Signal box"), kBuildings, 60, 50), DrawSignalBox));
  catalog.add(Drawn(NewItem("shed_1road", TrMark("Engine shed (1 road)"), kBuildings, 300, 80),
                    [](Sketch& s) { DrawEngineShed(s, 1); }));
  catalog.add(Drawn(NewItem("shed_2road", TrMark("Engine shed (2 roads)"), kBuildings, 300, 160),
                    [](Sketch& s) { DrawEngineShed(s, 2); }));
  catalog.add(
      Drawn(NewItem("goods_shed", TrMark("Goods shed"), kBuildings, 200, 80), DrawGoodsShed));
  catalog.add(
      Drawn(NewItem("warehouse", TrMark("Warehouse"), kBuildings, 400, 200), DrawWarehouse));
  catalog.add(SemaphoreSignal("signal_semaphore_stop", TrMark("Semaphore (Stop)"), false, false));
  catalog.add(SemaphoreSignal("signal_semaphore_clear", TrMark("Semaphore (Clear)"), true, false));
  catalog.add(ColorLightSignal("signal_color_stop", TrMark("Color light (Stop)"), false, false));
  catalog.add(ColorLightSignal("signal_color_clear", TrMark("Color light (Clear)"), true, false));
  catalog.add(
      SemaphoreSignal("signal_z_semaphore_stop", TrMark("Semaphore Z (Stop)"), false, true));
  catalog.add(
      SemaphoreSignal("signal_z_semaphore_clear", TrMark("Semaphore Z (Clear)"), true, true));
  catalog.add(ColorLightSignal("signal_z_color_stop", TrMark("Color light Z (Stop)"), false, true));
  catalog.add(
      ColorLightSignal("signal_z_color_clear", TrMark("Color light Z (Clear)"), true, true));
  catalog.add(SceneryTrussBridge());
  catalog.add(ArchBridge());
  catalog.add(LevelCrossing("crossing_1track", TrMark("Level crossing (1 track)"), 1));
  catalog.add(LevelCrossing("crossing_2track", TrMark("Level crossing (2 tracks)"), 2));
  catalog.add(RoadStraight());
  catalog.add(Drawn(NewItem("74861", TrMark("Turntable 74861 (pit 278mm)"), kSpecial, 278, 278),
                    DrawTurntable));
  // The roundhouse has no palette group of its own; it is listed under "Other".
  catalog.add(
      Drawn(NewItem("72886", TrMark("Roundhouse 72886 (3-stall)"), 10, 386, 343), DrawRoundhouse));
  catalog.add(
      Drawn(NewItem("water_tower", TrMark("Water tower"), kSpecial, 50, 50), DrawWaterTower));
  catalog.add(
      Drawn(NewItem("coaling_tower", TrMark("Coaling tower"), kSpecial, 80, 80), DrawCoalingTower));
  catalog.add(SmallTree());
  catalog.add(LargeTree());
  catalog.add(ConiferTree());
  catalog.add(TreeGroup());
  catalog.add(Bush());
  catalog.add(Car());
  catalog.add(Truck());
  catalog.add(ParkingLot());
  catalog.add(PedestrianZone());
  catalog.add(SteelTrussBridge());
  catalog.add(ViaductPier());
  catalog.add(TunnelPortal());
  catalog.add(RetainingWall());
}
