// DrawLayout: the sixteen layers of the layout picture in their order, the piece
// sweeps with the helix bookkeeping, and the band geometry the drawers share.
#include "render/render.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/piece_routes.h"
#include "catalog/track_system.h"
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

struct AreaBox {
  double x0, y0, x1, y1;
};

AreaBox AreaOf(const RenderContext& rc) {
  if (!rc.area.empty())
    return {double(rc.area.x0), double(rc.area.y0), double(rc.area.x1), double(rc.area.y1)};
  return {0.0, 0.0, double(rc.width), double(rc.height)};
}

}  // namespace

bool MayTouchArea(const RenderContext& rc, double cx, double cy, double r) {
  if (!rc.cull || rc.width <= 0 || rc.height <= 0) return true;
  const AreaBox a = AreaOf(rc);
  return cx + r >= a.x0 && cx - r < a.x1 && cy + r >= a.y0 && cy - r < a.y1;
}

bool BoxMayTouchArea(const RenderContext& rc, double x0, double y0, double x1, double y1) {
  if (!rc.cull || rc.width <= 0 || rc.height <= 0) return true;
  const AreaBox a = AreaOf(rc);
  return !(x1 < a.x0 || y1 < a.y0 || x0 > a.x1 || y0 > a.y1);
}

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

// Whether an object drawn in this pass: the carried part is what is selected.
bool InPass(const RenderContext& rc, bool selected) {
  return rc.pass == DrawPass::All || (rc.pass == DrawPass::Moving) == selected;
}

// The widest track bed (H0), whose band on paper is measured against kSimplePaperBandMm.
constexpr double kSimplePaperTrackMm = 2 * 18.7;

bool SimpleDrawing(const RenderContext& rc, const ViewTransform& v) {
  if (rc.paper_px_per_mm > 0)
    return v.zoom * kSimplePaperTrackMm < kSimplePaperBandMm * rc.paper_px_per_mm;
  return rc.simplify && v.zoom < kSimpleDrawZoom;
}

// A small piece as lines along its routes, gathered with the others of its colour.
// On paper the line is as wide as the band it stands for; on screen a pixel.
void AddSimplePiece(RenderContext& rc, const PlacedPiece& piece, const PieceDef& def,
                    const ViewTransform& v, Color color) {
  const int width =
      rc.paper_px_per_mm > 0
          ? std::max(1, static_cast<int>(std::lround(2.0 * TrackHalfWidth(def.system) * v.zoom)))
          : 1;
  RenderContext::LineBatch* batch = nullptr;
  for (RenderContext::LineBatch& b : rc.line_batches)
    if (b.color == color && b.width == width) batch = &b;
  if (!batch) {
    rc.line_batches.push_back({color, width, {}, {}});
    batch = &rc.line_batches.back();
  }
  const Frame f(piece.x, piece.y, piece.heading);
  ForEachRoute(
      def,
      [&](double x0, double y0, double x1, double y1) {
        batch->points.push_back(Dev(v, f.At(x0, y0)));
        batch->points.push_back(Dev(v, f.At(x1, y1)));
        batch->counts.push_back(2);
      },
      [&](double x0, double y0, double h0, double a) {
        // Three points a quarter turn at most: the arc is a few pixels across.
        const int n = std::max(2, static_cast<int>(std::ceil(std::fabs(a) / 30.0)));
        const double side = a >= 0 ? 1.0 : -1.0;
        const double hc = std::cos(DegToRad(h0)), hs = std::sin(DegToRad(h0));
        for (int i = 0; i <= n; ++i) {
          const double phi = DegToRad(std::fabs(a)) * i / n;
          const double lx = def.radius * std::sin(phi);
          const double ly = side * def.radius * (1.0 - std::cos(phi));
          batch->points.push_back(Dev(v, f.At(x0 + lx * hc - ly * hs, y0 + lx * hs + ly * hc)));
        }
        batch->counts.push_back(n + 1);
      });
}

void FlushSimplePieces(RenderContext& rc, Painter& p) {
  for (RenderContext::LineBatch& b : rc.line_batches) {
    if (b.counts.empty()) continue;
    p.SetPen(b.color, b.width);
    p.DrawPolylines(b.points.data(), b.counts.data(), static_cast<int>(b.counts.size()));
    b.points.clear();
    b.counts.clear();
  }
}

// The pieces the grid finds near the part of the surface being drawn, in layout order;
// every piece when there is no grid or the area shows all of them.
void FindShownPieces(RenderContext& rc, const Layout& layout, const ViewTransform& v) {
  rc.shown.clear();
  if (rc.pass == DrawPass::Moving) {
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
      if (layout.pieces[i].sel) rc.shown.push_back(i);
    return;
  }
  const bool use_grid =
      rc.keep_piece_index && rc.cull && rc.width > 0 && rc.height > 0 && v.zoom > 0;
  if (use_grid) {
    const AreaBox a = AreaOf(rc);
    // Far enough for the widest piece's pens, dots and label, and for a turntable.
    const double pad =
        PiecePadPixels(v.zoom, true, rc.grid.longest_id(), rc.show.labels) / v.zoom + 1.0;
    const Point lo = ToLayoutPoint(v, a.x0, a.y0), hi = ToLayoutPoint(v, a.x1, a.y1);
    if (rc.grid.Find(lo.x - pad, lo.y - pad, hi.x + pad, hi.y + pad, rc.shown)) return;
  }
  rc.shown.resize(layout.pieces.size());
  for (std::size_t i = 0; i < rc.shown.size(); ++i) rc.shown[i] = i;
}

void DrawPieceLayer(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v,
                    PieceLayer layer) {
  const Catalog& catalog = Catalog::instance();
  const bool simple = SimpleDrawing(rc, v);
  for (const bool selected_sweep : {false, true}) {
    if (!InPass(rc, selected_sweep)) continue;
    for (const std::size_t i : rc.shown) {
      const PlacedPiece& piece = layout.pieces[i];
      if (piece.sel != selected_sweep || !InLayer(rc, piece, layer)) continue;
      if (LevelHidden(layout, piece.level)) continue;
      const PieceDef* def = catalog.find(piece.cat);
      if (!def || !PieceMayBeVisible(rc, piece, *def, v, rc.show.labels)) continue;
      const bool in_tunnel = rc.in_tunnel.count(piece.id) > 0;
      if (simple && def->kind != PieceKind::Turntable) {
        AddSimplePiece(rc, piece, *def, v,
                       PieceFillAndOutline(rc, piece, *def, piece.sel, in_tunnel).outline);
        continue;
      }
      DrawPiece(rc, p, piece, *def, v, piece.sel, rc.show.labels, in_tunnel);
    }
    FlushSimplePieces(rc, p);
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
    if (!InPass(rc, selected_sweep)) continue;
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
    if (!InPass(rc, state[h].selected)) continue;
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
  if (!rc.keep_piece_index || rc.pieces_stale) {
    rc.piece_index_fresh = false;
    if (rc.keep_piece_index) rc.grid.Build(layout);
    rc.pieces_stale = false;
  }
  FindShownPieces(rc, layout, v);
  const bool still = rc.pass != DrawPass::Moving;
  // Paper is blank to begin with; clearing a page would make a PDF page an image.
  if (still && rc.paper_px_per_mm <= 0) p.Clear({255, 255, 255});
  if (still) {
    if (rc.underlay && layout.background) rc.underlay(p, layout, v, width, height);
    if (rc.show.baseboard) DrawBaseboardFill(p, layout, v);
    DrawLevelDecks(p, layout, v);
    if (rc.show.grid) DrawGrid(p, layout, v, width, height);
    if (rc.show.baseboard) DrawBaseboardOutline(p, layout, v);
    DrawShapes(rc, p, layout, v);
  }
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
  if (!still) return;
  DrawLabels(rc, p, layout, v);
  DrawMeasurements(p, layout, v);
}
