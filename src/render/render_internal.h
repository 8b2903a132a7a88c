// Helpers shared by the layout drawers: piece frames, track bands, colour shades and
// text placement. Not part of the drawing interface.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/piece_def.h"
#include "model/layout.h"
#include "render/painter.h"
#include "view/view_transform.h"

namespace render_detail {

// A position and heading with the heading's cosine and sine worked out once.
struct Frame {
  double x = 0;
  double y = 0;
  double heading = 0;
  double c = 1;
  double s = 0;
  Frame() = default;
  Frame(double px, double py, double h)
      : x(px), y(py), heading(h), c(std::cos(DegToRad(h))), s(std::sin(DegToRad(h))) {}
  Point At(double px, double py) const { return {px * c - py * s + x, px * s + py * c + y}; }
  // The frame moved `d` millimetres ahead along its heading.
  Frame Ahead(double d) const {
    Frame f = *this;
    f.x += d * c;
    f.y += d * s;
    return f;
  }
};

inline IPoint Dev(const ViewTransform& v, Point p) {
  return ToDevice(v, p.x, p.y);
}

// Device radius of a layout length, truncated.
inline int DevLen(const ViewTransform& v, double mm) {
  return ToDevice({v.zoom, 0, 0}, mm, 0).x;
}
// A device point given in fractional pixels, truncated like every other one.
inline IPoint DevPixels(double x, double y) {
  return ToDevice({1.0, 0, 0}, x, y);
}

// Straight band of length `len` starting at the frame origin.
void StraightBand(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double len,
                  double hw);
// Annular sector of radius r and signed sweep a (degrees) starting at the frame origin:
// the outer arc from the start, then the inner arc back.
void CurveBand(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double r, double a,
               double hw);
inline int CurveSegments(double a) {
  return std::max(16, static_cast<int>(std::trunc(std::fabs(a) / 1.5)));
}

// The middle of an arc of radius r and signed sweep a in piece coordinates, on the
// side `side` (+1 toward +y, -1 toward -y).
inline Point ArcMiddle(double r, double a, double side) {
  const double half = DegToRad(std::fabs(a) / 2.0);
  return {r * std::sin(half), side * r * (1.0 - std::cos(half))};
}

inline std::uint8_t Clamp8(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}
inline Color Shift(Color c, int dr, int dg, int db) {
  return {Clamp8(c.r + dr), Clamp8(c.g + dg), Clamp8(c.b + db), c.a};
}

// printf-style fixed notation that no locale changes.
std::string FormatFixed(double value, int decimals);

// Text as it can be drawn: every byte that is not part of valid UTF-8 becomes U+FFFD
// (the layout keeps the bytes; only the picture shows the replacement).
std::string DrawableText(std::string_view text);

// Text centred on a device point in the current font.
void DrawCentredText(Painter& p, const std::string& text, IPoint at);

// Rectangle with corners turned by `f` (the footprint of rotated objects).
void RotatedRect(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double x0,
                 double y0, double x1, double y1);

// A level that exists and is switched off hides what stands on it.
bool LevelHidden(const Layout& layout, int level);

}  // namespace render_detail

struct RenderContext;
struct SceneryDef;
struct Pose;

// The layers other than pieces, scenery and helices, in drawing order.
void DrawBaseboardFill(Painter& p, const Layout& layout, const ViewTransform& v);
void DrawLevelDecks(Painter& p, const Layout& layout, const ViewTransform& v);
void DrawBaseboardOutline(Painter& p, const Layout& layout, const ViewTransform& v);
void DrawShapes(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v);
// Needs rc.piece_index filled.
void DrawGradeMarkers(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v);
// Labels whose box misses the surface are left out when rc.cull.
void DrawLabels(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v);
void DrawMeasurements(Painter& p, const Layout& layout, const ViewTransform& v);

// Whether a circle of radius r about a device point, or a device box, touches the part of
// the surface being drawn; always true when not culling.
bool MayTouchArea(const RenderContext& rc, double cx, double cy, double r);
bool BoxMayTouchArea(const RenderContext& rc, double x0, double y0, double x1, double y1);
// Pixels a piece's drawing reaches beyond its layout reach.
double PiecePadPixels(double zoom, bool turntable, std::size_t id_length, bool show_labels);

bool SceneryMayBeVisible(const RenderContext& rc, const SceneryDef& def, const Pose& pose,
                         const ViewTransform& v, double scale_x, double scale_y);
