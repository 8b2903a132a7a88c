// Drawing one placed track piece: its colours, its bands by kind, the marks of bridges,
// contact track and the turntable, and its article label and join dots.
#include <algorithm>
#include <cmath>

#include "catalog/track_system.h"
#include "render/render.h"
#include "render/render_internal.h"

using namespace render_detail;

namespace {

constexpr Color kSelectedFill{180, 200, 230};
constexpr Color kSelectedOutline{40, 100, 200};
constexpr Color kPlainFill{210, 210, 205};
constexpr Color kKTrackFill{215, 200, 175};
constexpr Color kPlainOutline{120, 120, 115};

bool IsStraightKind(PieceKind kind) {
  switch (kind) {
    case PieceKind::Curve:
    case PieceKind::LeftTurnout:
    case PieceKind::RightTurnout:
    case PieceKind::CurvedTurnout:
    case PieceKind::CurvedTurnoutSpaced:
    case PieceKind::Crossing:
    case PieceKind::DoubleSlip:
    case PieceKind::Turntable:
      return false;
    default:
      return true;
  }
}

Color ElevationTint(double z) {
  const double t = std::min(1.0, z / 120.0);
  auto ch = [](double c) { return static_cast<std::uint8_t>(std::trunc(c)); };
  if (t < 0.5) {
    const double u = 2.0 * t;
    return {ch(210 + 45 * u), ch(210 + 10 * u), ch(205 - 145 * u)};
  }
  const double u = 2.0 * (t - 0.5);
  return {ch(255 - 75 * u), ch(220 - 110 * u), ch(60 - 60 * u)};
}

Color FadeTowardGrey(Color c) {
  auto ch = [](std::uint8_t v) { return static_cast<std::uint8_t>(std::trunc(0.4 * v + 132)); };
  return {ch(c.r), ch(c.g), ch(c.b), c.a};
}

// On paper an article label is 9 points (letters about 2.5 mm tall), shrunk to fit a
// piece `long_px` by `wide_px`, and left out below a 2 mm line.
constexpr double kSmallestPaperLabelMm = 2.0;

// Sets the font for an article label on paper; false when it is left out.
bool SetPaperLabelFont(const RenderContext& rc, Painter& p, const std::string& text, double long_px,
                       double wide_px) {
  p.SetFont(kPaperLabelPoints, true);
  const IPoint full = p.TextExtent(text);
  if (full.x <= 0 || full.y <= 0) return false;
  const double shrink = std::min({1.0, long_px / full.x, wide_px / full.y});
  if (full.y * shrink < kSmallestPaperLabelMm * rc.paper_px_per_mm) return false;
  const int points = static_cast<int>(std::floor(kPaperLabelPoints * shrink));
  if (points == kPaperLabelPoints) return true;
  if (points < 1) return false;
  p.SetFont(points, true);
  const IPoint small = p.TextExtent(text);
  return small.x <= long_px && small.y <= wide_px;
}

// Turnout branches are cut at the straight route's end like the branch connector.
double BranchAngle(const PieceDef& def, double signed_angle) {
  const double limit = std::asin(std::min(1.0, def.length / def.radius)) * 180.0 / kPi;
  return std::copysign(std::min(std::fabs(signed_angle), limit), signed_angle);
}

void Band(Painter& p, const std::vector<IPoint>& pts, Color fill) {
  p.SetBrush(fill);
  p.DrawPolygon(pts.data(), static_cast<int>(pts.size()));
}

// Straight band from connector 2 to connector 3, at the crossing angle.
void DiagonalBand(RenderContext& rc, Painter& p, const PieceDef& def, const Frame& f,
                  const ViewTransform& v, double hw, Color fill) {
  if (def.connectors.size() < 4) return;
  const Connector& a = def.connectors[2];
  const Connector& b = def.connectors[3];
  const Point start = f.At(a.x, a.y);
  const Frame diag(start.x, start.y, NormalizeAngle(def.angle + f.heading));
  StraightBand(rc.points, v, diag, Distance(a.x, a.y, b.x, b.y), hw);
  Band(p, rc.points, fill);
}

// The two slip curves of a double slip: from connector 0 forward and from connector 1
// backward, both bending toward the diagonal route's far end.
void SlipCurves(RenderContext& rc, Painter& p, const PieceDef& def, const Frame& f,
                const ViewTransform& v, double hw, Color lighter, Color outline) {
  const double sweep = BranchAngle(def, std::fabs(def.angle));
  const Frame first = f;
  Frame second = f.Ahead(def.length);
  second = Frame(second.x, second.y, NormalizeAngle(f.heading + 180.0));
  CurveBand(rc.points, v, first, def.radius, sweep, hw);
  CurveBand(rc.points2, v, second, def.radius, sweep, hw);
  p.SetTransparentPen();
  Band(p, rc.points, lighter);
  Band(p, rc.points2, lighter);
  p.SetPen(outline, 1);
  for (const std::vector<IPoint>* pts : {&rc.points, &rc.points2}) {
    const int half = static_cast<int>(pts->size()) / 2;
    p.DrawLines(pts->data(), half);         // outer edge
    p.DrawLines(pts->data() + half, half);  // inner edge
    p.DrawLine((*pts)[0], (*pts)[pts->size() - 1]);
    p.DrawLine((*pts)[static_cast<std::size_t>(half - 1)], (*pts)[static_cast<std::size_t>(half)]);
  }
}

void DrawTurntable(const RenderContext& rc, Painter& p, const PlacedPiece& piece,
                   const PieceDef& def, const Frame& f, const ViewTransform& v, bool selected,
                   PieceColors col) {
  const IPoint centre = ToDevice(v, piece.x, piece.y);
  p.SetPen(col.outline, 1);
  p.SetBrush({220, 215, 210});
  p.DrawCircle(centre, DevLen(v, def.length / 2.0));
  p.SetBrush(col.fill);
  p.DrawCircle(centre, DevLen(v, def.radius));
  p.SetPen(selected ? Color{40, 100, 200} : Color{80, 60, 40}, 3);
  p.DrawLine(Dev(v, f.At(-def.radius, 0)), Dev(v, f.At(def.radius, 0)));
  p.SetPen({100, 80, 60}, 2);
  for (const Connector& k : def.connectors) {
    if (!piece.Joined(k.index)) continue;
    const double a = DegToRad(k.angle + piece.heading);
    const Point from = f.At(k.x, k.y);
    const double reach = def.length / 2.0 - std::hypot(k.x, k.y);
    p.DrawLine(Dev(v, from), Dev(v, {from.x + reach * std::cos(a), from.y + reach * std::sin(a)}));
  }
  int dot = static_cast<int>(std::trunc(v.zoom * 3.0));
  if (dot < 3) dot = 2;
  p.SetTransparentPen();
  p.SetBrush({160, 140, 100});
  for (const Connector& k : def.connectors) p.DrawCircle(Dev(v, f.At(k.x, k.y)), dot);
  if (rc.paper_px_per_mm <= 0) {
    p.SetFont(std::max(8, static_cast<int>(std::trunc(v.zoom * 11.0))), true);
  } else {
    const double rim = def.length * v.zoom;
    if (!SetPaperLabelFont(rc, p, "74861", rim, rim)) return;
  }
  p.SetTextForeground(selected ? Color{40, 100, 200} : Color{60, 60, 60});
  p.SetTransparentTextBackground();
  // The text turns with the piece; the device angle runs counter-clockwise.
  const IPoint at = Dev(v, {piece.x - 30.0 * f.s, piece.y + 30.0 * f.c});
  p.DrawRotatedText("74861", at.x, at.y, -piece.heading);
}

// Two-way turnouts: the straight, then the branch on top; three-way turnouts: both
// branches, then the straight on top.
void TurnoutBands(RenderContext& rc, Painter& p, const PieceDef& def, const Frame& f,
                  const ViewTransform& v, double hw, Color fill) {
  const Color dark = Shift(fill, -15, -15, -10);
  if (def.kind == PieceKind::LeftTurnout && def.connectors.size() >= 4) {
    for (double side : {-1.0, 1.0}) {
      CurveBand(rc.points, v, f, def.radius, BranchAngle(def, side * std::fabs(def.angle)), hw);
      Band(p, rc.points, dark);
    }
    StraightBand(rc.points, v, f, def.length, hw);
    Band(p, rc.points, fill);
    return;
  }
  StraightBand(rc.points, v, f, def.length, hw);
  Band(p, rc.points, fill);
  if (def.radius > 0) {
    CurveBand(rc.points, v, f, def.radius, BranchAngle(def, def.angle), hw);
    Band(p, rc.points, dark);
  }
}

// Curved turnouts: the inner curve, then a straight of the exits' spacing and the
// outer curve starting that far ahead.
void CurvedTurnoutBands(RenderContext& rc, Painter& p, const PieceDef& def, const Frame& f,
                        const ViewTransform& v, double hw, Color fill) {
  const Color dark = Shift(fill, -15, -15, -10);
  double s = def.length;
  if (def.kind == PieceKind::CurvedTurnout)
    s = def.connectors.size() >= 3 ? std::fabs(def.connectors[2].x - def.connectors[1].x) : 77.5;
  CurveBand(rc.points, v, f, def.radius, def.angle, hw);
  Band(p, rc.points, fill);
  StraightBand(rc.points, v, f, s, hw);
  Band(p, rc.points, dark);
  CurveBand(rc.points, v, f.Ahead(s), def.radius, def.angle, hw);
  Band(p, rc.points, dark);
}

void DrawBands(RenderContext& rc, Painter& p, const PlacedPiece& piece, const PieceDef& def,
               const Frame& f, const ViewTransform& v, bool selected, PieceColors col) {
  const double hw = TrackHalfWidth(def.system);
  p.SetPen(col.outline, 1);
  switch (def.kind) {
    case PieceKind::Curve:
      CurveBand(rc.points, v, f, def.radius, def.angle, hw);
      Band(p, rc.points, col.fill);
      return;
    case PieceKind::LeftTurnout:
    case PieceKind::RightTurnout:
      TurnoutBands(rc, p, def, f, v, hw, col.fill);
      return;
    case PieceKind::CurvedTurnout:
    case PieceKind::CurvedTurnoutSpaced:
      CurvedTurnoutBands(rc, p, def, f, v, hw, col.fill);
      return;
    case PieceKind::Crossing:
      StraightBand(rc.points, v, f, def.length, hw);
      Band(p, rc.points, col.fill);
      DiagonalBand(rc, p, def, f, v, hw, Shift(col.fill, -10, -10, -5));
      return;
    case PieceKind::DoubleSlip:
      if (def.connectors.size() >= 2 && std::fabs(def.connectors[1].y) < 1.0) {
        StraightBand(rc.points, v, f, def.length, hw);
        Band(p, rc.points, col.fill);
      }
      DiagonalBand(rc, p, def, f, v, hw, Shift(col.fill, -8, -8, -4));
      if (def.radius > 0)
        SlipCurves(rc, p, def, f, v, hw, Shift(col.fill, 10, 10, 18), col.outline);
      return;
    case PieceKind::Turntable:
      DrawTurntable(rc, p, piece, def, f, v, selected, col);
      return;
    default:
      StraightBand(rc.points, v, f, def.length, hw);
      Band(p, rc.points, col.fill);
      return;
  }
}

int ArchPenWidth(const ViewTransform& v) {
  return std::max(1, static_cast<int>(std::trunc(v.zoom * 1.5)));
}

// Bridges and ramps: half an ellipse over the middle of the piece.
void DrawArch(Painter& p, const PieceDef& def, const Frame& f, const ViewTransform& v) {
  if (IsStraightKind(def.kind)) {
    const int r = DevLen(v, def.length / 2.0);
    if (r < 1) return;
    const IPoint c = Dev(v, f.At(def.length / 2.0, 0));
    p.SetPen({80, 100, 130, 180}, ArchPenWidth(v));
    p.SetTransparentBrush();
    p.DrawEllipticArc(c.x - r, c.y - r / 4, 2 * r, r / 2, f.heading + 180.0, f.heading + 360.0);
  } else if (def.kind == PieceKind::Curve) {
    const int r = DevLen(v, def.radius * 0.22);
    if (r < 1) return;
    const double side = def.connectors.size() >= 2 && def.connectors[1].y < 0 ? -1.0 : 1.0;
    const IPoint c = Dev(v, f.At(ArcMiddle(def.radius, def.angle, side).x,
                                 ArcMiddle(def.radius, def.angle, side).y));
    const double start = 90.0 * side + f.heading;
    p.SetPen({80, 100, 130, 200}, ArchPenWidth(v));
    p.SetTransparentBrush();
    p.DrawEllipticArc(c.x - r, c.y - r / 3, 2 * r, 2 * r / 3, start, start + 180.0);
  }
}

// Where the article label and the contact box sit.
Point PieceMiddle(const PieceDef& def, const Frame& f) {
  if (def.kind == PieceKind::Curve && def.radius > 0) {
    const Point m = ArcMiddle(def.radius, def.angle, def.angle < 0 ? -1.0 : 1.0);
    return f.At(m.x, m.y);
  }
  return f.At(def.length / 2.0, 0);
}

void DrawContactBox(Painter& p, const PieceDef& def, const Frame& f, const ViewTransform& v) {
  const IPoint c = Dev(v, PieceMiddle(def, f));
  const int hw = std::max(3, static_cast<int>(std::trunc(v.zoom * 8.0)));
  const int hh = std::max(2, static_cast<int>(std::trunc(v.zoom * 4.0)));
  p.SetPen({60, 60, 160}, 1);
  p.SetBrush({100, 120, 220});
  p.DrawRectangle(c.x - hw, c.y - hh, 2 * hw, 2 * hh);
}

bool IsContactTrack(const PieceDef& def) {
  return def.id == "24294" || def.id == "24994";
}

}  // namespace

Color ChangeLightness(Color c, int amount) {
  if (amount == 100) return c;
  amount = std::clamp(amount, 0, 200);
  double alpha = (amount - 100.0) / 100.0;
  double bg = 0;
  if (amount > 100) {
    bg = 255;
    alpha = 1.0 - alpha;
  } else {
    alpha = 1.0 + alpha;
  }
  auto blend = [&](std::uint8_t fg) {
    const double v = std::clamp(bg + alpha * (fg - bg), 0.0, 255.0);
    return static_cast<std::uint8_t>(v);
  };
  return {blend(c.r), blend(c.g), blend(c.b), c.a};
}

PieceColors PieceFillAndOutline(const RenderContext& rc, const PlacedPiece& piece,
                                const PieceDef& def, bool selected, bool in_tunnel) {
  if (selected) return {kSelectedFill, kSelectedOutline};
  PieceColors col{def.system == MarklinK ? kKTrackFill : kPlainFill, kPlainOutline};
  if (rc.layout) {
    for (const Level& l : rc.layout->levels) {
      if (l.id != piece.level) continue;
      if (l.trackcolor) col.fill = {l.r, l.g, l.b};
      break;
    }
  }
  if (piece.has_color) col.fill = {piece.color.r, piece.color.g, piece.color.b};
  const bool flat = std::fabs(piece.grade) < 0.001;
  const bool on_helix = piece.helix != -1 || rc.helixAttached.count(piece.id) > 0;
  if (piece.z > 0.5 && !(flat && on_helix)) {
    col.fill = ElevationTint(piece.z);
    col.outline = Shift(col.fill, -60, -60, -30);
  }
  if (in_tunnel) {
    col.fill = FadeTowardGrey(col.fill);
    col.outline = FadeTowardGrey(col.outline);
  }
  return col;
}

void DrawConnectorDots(Painter& p, const PlacedPiece& piece, const PieceDef& def,
                       const ViewTransform& v) {
  const int r = std::max(3, static_cast<int>(std::trunc(v.zoom * 2.5)));
  const Frame f(piece.x, piece.y, piece.heading);
  for (const Connector& k : def.connectors) {
    const Color c = piece.Joined(k.index) ? Color{60, 180, 60} : Color{255, 140, 0};
    p.SetPen(ChangeLightness(c, 70), 1);
    p.SetBrush(c);
    p.DrawCircle(Dev(v, f.At(k.x, k.y)), r);
  }
}

void DrawPiece(RenderContext& rc, Painter& p, const PlacedPiece& piece, const PieceDef& def,
               const ViewTransform& v, bool selected, bool show_labels, bool in_tunnel,
               const PieceColors* ghost) {
  const PieceColors col = ghost ? *ghost : PieceFillAndOutline(rc, piece, def, selected, in_tunnel);
  const Frame f(piece.x, piece.y, piece.heading);
  DrawBands(rc, p, piece, def, f, v, selected, col);
  if (def.elevated) DrawArch(p, def, f, v);
  if (IsContactTrack(def)) DrawContactBox(p, def, f, v);
  if (!show_labels) return;
  bool label = true;
  if (rc.paper_px_per_mm <= 0) {
    if (v.zoom < 0.2) return;
    p.SetFont(std::max(6, static_cast<int>(std::trunc(v.zoom * 9.0))), true);
  } else {
    const LabelRoom room = PaperLabelRoom(def);
    label = SetPaperLabelFont(rc, p, def.id, room.length * v.zoom, room.width * v.zoom);
  }
  if (label) {
    p.SetTextForeground(selected ? Color{40, 100, 200} : Color{50, 50, 50});
    p.SetTransparentTextBackground();
    DrawCentredText(p, def.id, Dev(v, PieceMiddle(def, f)));
  }
  DrawConnectorDots(p, piece, def, v);
}

LabelRoom PaperLabelRoom(const PieceDef& def) {
  double span = def.kind == PieceKind::Curve ? 0.0 : def.length;
  for (const Connector& a : def.connectors)
    for (const Connector& b : def.connectors) span = std::max(span, Distance(a.x, a.y, b.x, b.y));
  return {span, 2.0 * TrackHalfWidth(def.system)};
}

double PieceReachMm(const PieceDef& def) {
  // Its connectors (curve bands reach farthest at their ends), its length, the
  // turntable rim, the arch of a curve.
  double reach = def.length;
  for (const Connector& k : def.connectors) reach = std::max(reach, std::hypot(k.x, k.y));
  if ((def.kind == PieceKind::Curve || def.kind == PieceKind::CurvedTurnout ||
       def.kind == PieceKind::CurvedTurnoutSpaced) &&
      std::fabs(def.angle) >= 180.0)
    reach = std::max(reach, 2.0 * def.radius + def.length);
  if (def.elevated) reach += def.radius * 0.22;
  return reach + TrackHalfWidth(def.system) + 2.0;
}

double PiecePadPixels(double zoom, bool turntable, std::size_t id_length, bool show_labels) {
  // Pens, the contact box, dots, the turntable text and the label.
  double pad = 6.0 + zoom * 1.5 + std::max(3.0, zoom * 8.0) + std::max(3.0, zoom * 3.0);
  if (turntable) pad += 8.0 * std::max(8.0, zoom * 11.0);
  if (show_labels && zoom >= 0.2)
    pad += static_cast<double>(id_length + 2) * std::max(6.0, zoom * 9.0);
  return pad;
}

bool PieceMayBeVisible(const RenderContext& rc, const PlacedPiece& piece, const PieceDef& def,
                       const ViewTransform& v, bool show_labels) {
  if (!rc.cull || rc.width <= 0 || rc.height <= 0) return true;
  const double zoom = v.zoom;
  const double r = PieceReachMm(def) * zoom + PiecePadPixels(zoom, def.kind == PieceKind::Turntable,
                                                             def.id.size(), show_labels);
  return MayTouchArea(rc, zoom * piece.x + v.offset_x, zoom * piece.y + v.offset_y, r);
}
