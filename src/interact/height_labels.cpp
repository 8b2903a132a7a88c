// Heights and grades written on the plan.
#include "interact/height_labels.h"

#include <cmath>

#include "catalog/catalog.h"
#include "edit/grades.h"
#include "model/layout_ops.h"
#include "model/units.h"
#include "model/world_connectors.h"

namespace {

constexpr int kMarginPx = 40;  // labels of joints just off the surface still show their text
constexpr int kLabelPoints = 8;
// No article reaches further than this from its origin.
constexpr double kLongestPieceMm = 1200.0;

bool OnSurface(IPoint q, int width, int height) {
  return q.x >= -kMarginPx && q.y >= -kMarginPx && q.x <= width + kMarginPx &&
         q.y <= height + kMarginPx;
}

}  // namespace

std::vector<HeightLabel> HeightLabels(const Layout& layout, const ViewTransform& v, int width,
                                      int height) {
  std::vector<HeightLabel> out;
  if (v.zoom < kHeightLabelsMinZoom) return out;
  const Units units = Units::Of(layout.units);
  const Catalog& catalog = Catalog::instance();
  std::vector<Connector> ends;
  const Point lo = ToLayoutPoint(v, -kMarginPx, -kMarginPx);
  const Point hi = ToLayoutPoint(v, width + kMarginPx, height + kMarginPx);
  for (const PlacedPiece& p : layout.pieces) {
    if (p.x < lo.x - kLongestPieceMm || p.x > hi.x + kLongestPieceMm ||
        p.y < lo.y - kLongestPieceMm || p.y > hi.y + kLongestPieceMm)
      continue;
    if (!LevelVisible(layout, p.level)) continue;
    const PieceDef* def = catalog.find(p.cat);
    if (!def) continue;
    WorldConnectorsInto(p, *def, ends);
    for (const Connector& c : ends) {
      if (!p.Joined(c.index)) continue;
      // One label a joint: the piece with the lower id writes it.
      if (p.joints[static_cast<std::size_t>(c.index)].target < p.id) continue;
      const IPoint at = ToDevice(v, c.x, c.y);
      if (OnSurface(at, width, height))
        out.push_back({at, units.Text(ElevationAt(p, c.index)), false});
    }
    if (std::fabs(p.grade) > kFlatGradeDeg && ends.size() >= 2) {
      const IPoint at = ToDevice(v, (ends[0].x + ends[1].x) / 2, (ends[0].y + ends[1].y) / 2);
      if (OnSurface(at, width, height)) out.push_back({at, GradeText(p.grade), true});
    }
  }
  return out;
}

void DrawHeightLabels(Painter& p, const std::vector<HeightLabel>& labels) {
  if (labels.empty()) return;
  p.SetFont(kLabelPoints, false);
  p.SetTransparentPen();
  for (const HeightLabel& l : labels) {
    const IPoint size = p.TextExtent(l.text);
    const int x = l.at.x - size.x / 2;
    const int y = l.at.y - size.y - 4;
    p.SetBrush(l.grade ? Color{255, 236, 179} : Color{255, 255, 255});
    p.DrawRoundedRectangle(x - 3, y - 1, size.x + 6, size.y + 2, 3);
    p.SetTextForeground(l.grade ? Color{140, 80, 0} : Color{40, 40, 40});
    p.DrawText(l.text, x, y);
  }
}
