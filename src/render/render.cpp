// DrawLayout: the sixteen layers of the layout picture in their order, the piece
// sweeps with the helix bookkeeping, and the band geometry the drawers share.
#include "render/render.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "catalog/catalog.h"
#include "model/layout_ops.h"
#include "render/render_internal.h"

using namespace render_detail;

namespace render_detail {

void StraightBand(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double len,
                  double hw) {
  out.resize(4);
  out[0] = Dev(v, f.At(0, hw));
  out[1] = Dev(v, f.At(0, -hw));
  out[2] = Dev(v, f.At(len, -hw));
  out[3] = Dev(v, f.At(len, hw));
}

void CurveBand(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double r, double a,
               double hw) {
  const int n = CurveSegments(a);
  const double side = a >= 0 ? 1.0 : -1.0;
  const double step = DegToRad(std::fabs(a)) / n;
  const double ro = r + hw, ri = r - hw;
  out.resize(static_cast<std::size_t>(2 * (n + 1)));
  for (int i = 0; i <= n; ++i) {
    const double phi = i * step;
    const double sp = std::sin(phi), cp = std::cos(phi);
    out[static_cast<std::size_t>(i)] = Dev(v, f.At(ro * sp, side * (r - ro * cp)));
    out[static_cast<std::size_t>(2 * n + 1 - i)] = Dev(v, f.At(ri * sp, side * (r - ri * cp)));
  }
}

void RotatedRect(std::vector<IPoint>& out, const ViewTransform& v, const Frame& f, double x0,
                 double y0, double x1, double y1) {
  out.resize(4);
  out[0] = Dev(v, f.At(x0, y0));
  out[1] = Dev(v, f.At(x1, y0));
  out[2] = Dev(v, f.At(x1, y1));
  out[3] = Dev(v, f.At(x0, y1));
}

std::string FormatFixed(double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "?";
  return std::string(buf, r.ptr);
}

void DrawCentredText(Painter& p, const std::string& text, IPoint at) {
  const IPoint ext = p.TextExtent(text);
  p.DrawText(text, at.x - ext.x / 2, at.y - ext.y / 2);
}

bool LevelHidden(const Layout& layout, int level) {
  return !LevelVisible(layout, level);
}

}  // namespace render_detail

namespace {

enum class PieceLayer { UnderHelices, OverHelices, TurntableDeck };

void BuildPieceIndex(RenderContext& rc, const Layout& layout) {
  if (rc.piece_index_fresh) return;
  rc.piece_index_fresh = true;
  rc.piece_index.clear();
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    rc.piece_index.emplace(layout.pieces[i].id, i);
}

// Marks in `reached` every non-helix piece joined to a helix piece of the group,
// directly or through other non-helix pieces.
void FloodFromHelix(RenderContext& rc, const Layout& layout, bool top,
                    std::unordered_set<int>& reached) {
  rc.queue.clear();
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    const PlacedPiece& p = layout.pieces[i];
    if (p.helix != -1 && (p.z >= 0.5) == top) rc.queue.push_back(i);
  }
  while (!rc.queue.empty()) {
    const PlacedPiece& p = layout.pieces[rc.queue.back()];
    rc.queue.pop_back();
    for (const Joint& j : p.joints) {
      if (j.target == -1) continue;
      const auto it = rc.piece_index.find(j.target);
      if (it == rc.piece_index.end()) continue;
      const PlacedPiece& n = layout.pieces[it->second];
      if (n.helix != -1 || !reached.insert(n.id).second) continue;
      rc.queue.push_back(it->second);
    }
  }
}

void HelixBookkeeping(RenderContext& rc, const Layout& layout) {
  rc.in_tunnel.clear();
  for (const Tunnel& t : layout.tunnels) rc.in_tunnel.insert(t.covers.begin(), t.covers.end());
  rc.helixAttached.clear();
  rc.below_helix.clear();
  const bool any = std::any_of(layout.pieces.begin(), layout.pieces.end(),
                               [](const PlacedPiece& p) { return p.helix != -1; });
  if (!any) return;
  BuildPieceIndex(rc, layout);
  FloodFromHelix(rc, layout, false, rc.below_helix);
  // Anything the top group reaches through a piece of B is in B already, so flooding
  // into the union gives the union.
  rc.helixAttached = rc.below_helix;
  FloodFromHelix(rc, layout, true, rc.helixAttached);
}

bool InLayer(const RenderContext& rc, const PlacedPiece& p, PieceLayer layer) {
  switch (layer) {
    case PieceLayer::UnderHelices:
      return (p.helix != -1 && p.z < 0.5) || rc.below_helix.count(p.id) > 0;
    case PieceLayer::OverHelices:
      return (p.helix == -1 || p.z >= 0.5) && rc.below_helix.count(p.id) == 0;
    case PieceLayer::TurntableDeck:
      return p.cat == "74871";
  }
  return false;
}

void DrawPieceLayer(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v,
                    PieceLayer layer) {
  const Catalog& catalog = Catalog::instance();
  for (const bool selected_sweep : {false, true}) {
    for (const PlacedPiece& piece : layout.pieces) {
      if (piece.sel != selected_sweep || !InLayer(rc, piece, layer)) continue;
      if (LevelHidden(layout, piece.level)) continue;
      const PieceDef* def = catalog.find(piece.cat);
      if (!def || !PieceMayBeVisible(rc, piece, *def, v, rc.show.labels)) continue;
      DrawPiece(rc, p, piece, *def, v, piece.sel, rc.show.labels, rc.in_tunnel.count(piece.id) > 0);
    }
  }
}

bool IsPortal(const Layout& layout, int id) {
  for (const Tunnel& t : layout.tunnels)
    if (t.portalA == id || t.portalB == id) return true;
  return false;
}

void DrawSceneryLayer(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v,
                      bool portals) {
  const SceneryCatalog& catalog = SceneryCatalog::instance();
  for (const bool selected_sweep : {false, true}) {
    for (const SceneryItem& item : layout.scenery) {
      if (item.sel != selected_sweep || IsPortal(layout, item.id) != portals) continue;
      if (LevelHidden(layout, item.level)) continue;
      const SceneryDef* def = catalog.find(item.item);
      if (!def) continue;
      const Pose pose{item.x, item.y, item.heading};
      if (!SceneryMayBeVisible(rc, *def, pose, v, item.scalex, item.scaley)) continue;
      DrawSceneryItem(rc, p, *def, pose, v, item.sel, item.scalex, item.scaley);
    }
  }
}

void DrawHelices(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v) {
  if (layout.helices.empty()) return;
  // Level of each helix's first piece, and whether any of its pieces is selected.
  struct HelixState {
    int level = 1;
    bool found = false;
    bool selected = false;
  };
  std::vector<HelixState> state(layout.helices.size());
  for (const PlacedPiece& piece : layout.pieces) {
    if (piece.helix == -1) continue;
    for (std::size_t h = 0; h < layout.helices.size(); ++h) {
      if (layout.helices[h].id != piece.helix) continue;
      if (!state[h].found) state[h].level = piece.level;
      state[h].found = true;
      state[h].selected = state[h].selected || piece.sel;
    }
  }
  const Catalog& catalog = Catalog::instance();
  for (std::size_t h = 0; h < layout.helices.size(); ++h) {
    const Helix& helix = layout.helices[h];
    const HelixDef* hd = HelixCatalog::resolve(helix.variant);
    if (!hd) continue;
    const PieceDef* inner = catalog.find(hd->inner_curve_id);
    const PieceDef* outer = catalog.find(hd->outer_curve_id);
    if (!inner || !outer || LevelHidden(layout, state[h].level)) continue;
    DrawHelixRing(rc, p, helix, *hd, hd->inner_radius, *inner, v, state[h].level,
                  state[h].selected);
    DrawHelixRing(rc, p, helix, *hd, hd->outer_radius, *outer, v, state[h].level,
                  state[h].selected);
  }
}

}  // namespace

void DrawLayout(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v,
                int width, int height) {
  rc.layout = &layout;
  rc.width = width;
  rc.height = height;
  rc.piece_index_fresh = false;
  // Paper is blank to begin with; clearing a page would make a PDF page an image.
  if (rc.paper_px_per_mm <= 0) p.Clear({255, 255, 255});
  if (rc.show.baseboard) DrawBaseboardFill(p, layout, v);
  DrawLevelDecks(p, layout, v);
  if (rc.show.grid) DrawGrid(p, layout, v, width, height);
  if (rc.show.baseboard) DrawBaseboardOutline(p, layout, v);
  DrawShapes(rc, p, layout, v);
  DrawSceneryLayer(rc, p, layout, v, false);
  HelixBookkeeping(rc, layout);
  DrawPieceLayer(rc, p, layout, v, PieceLayer::UnderHelices);
  DrawHelices(rc, p, layout, v);
  DrawPieceLayer(rc, p, layout, v, PieceLayer::OverHelices);
  DrawPieceLayer(rc, p, layout, v, PieceLayer::TurntableDeck);
  DrawSceneryLayer(rc, p, layout, v, true);
  if (!layout.grade_runs.empty()) {
    BuildPieceIndex(rc, layout);
    DrawGradeMarkers(rc, p, layout, v);
  }
  DrawLabels(rc, p, layout, v);
  DrawMeasurements(p, layout, v);
}
