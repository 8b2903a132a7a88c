// The 2D picture of a layout: every layer, piece, scenery item and helix ring, drawn
// on an abstract Painter in device pixels (canvas, printout, preview, picture export).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalog/helix_catalog.h"
#include "catalog/piece_def.h"
#include "catalog/scenery_catalog.h"
#include "model/layout.h"
#include "model/world_connectors.h"
#include "render/painter.h"
#include "render/piece_grid.h"
#include "view/view_transform.h"

inline constexpr double kGridSpacingMm = 100.0;  // the canvas grid, every 100 mm

// What the user chose to see: View > Show Grid, the labels tool, and the baseboard, which
// a printout may leave out. They belong to the window showing the layout, not to it.
struct DrawSwitches {
  bool grid = true;
  bool labels = true;
  bool baseboard = true;
  friend bool operator==(const DrawSwitches&, const DrawSwitches&) = default;
};

// What a drawing shows of the layout: all of it; what stays put while the selection is
// carried (a move or a rotation); or only the carried part, drawn over a picture of the
// still part: selected pieces and scenery items, helices with a selected piece and the
// grade markers on selected pieces.
enum class DrawPass { All, Still, Moving };

// Below this zoom a piece is a few pixels long and its band narrower than two pixels:
// pieces are drawn as lines along their routes, without fill, marks or labels.
inline constexpr double kSimpleDrawZoom = 0.06;
// On paper the same once a band is narrower than this: a line as wide as the band.
inline constexpr double kSimplePaperBandMm = 0.5;

// Per drawing surface; DrawLayout refreshes it on every call.
struct RenderContext {
  DrawSwitches show;
  // Draws the layout's background picture, when it has one, over the cleared surface of
  // `width` by `height` pixels and under everything else; the window's toolkit does it,
  // the core has no pictures.
  using Underlay =
      std::function<void(Painter&, const Layout&, const ViewTransform&, int width, int height)>;
  Underlay underlay;
  const Layout* layout = nullptr;
  // Non-helix pieces joined, directly or through other non-helix pieces, to a helix piece.
  std::unordered_set<int> helixAttached;

  // Device pixels per millimetre of paper when drawing a printed page; 0 on screen.
  // On paper an article label has a size of its own (letters about 2.5 mm tall), never
  // larger than the piece it names, instead of growing with the zoom.
  double paper_px_per_mm = 0;

  // Skip objects wholly outside the surface; the picture is the same either way.
  bool cull = true;
  int width = 0;  // surface size in pixels, set by DrawLayout; 0 draws everything
  int height = 0;
  // The part of the surface that needs drawing (a strip a pan uncovered), in device
  // pixels; objects wholly outside it are skipped. Empty: the whole surface.
  struct Area {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
  } area;

  DrawPass pass = DrawPass::All;
  // The canvas draws small pieces simply (see kSimpleDrawZoom), paper those whose band
  // is too narrow to show a fill (kSimplePaperBandMm); pictures keep every detail.
  bool simplify = false;
  // Keep the piece index and a grid of where pieces lie from one drawing to the next,
  // so that a frame visits the pieces it shows rather than all of them. The owner sets
  // `pieces_stale` whenever pieces may have been added, removed or moved since; pieces
  // carried in a Moving pass need not count.
  bool keep_piece_index = false;
  bool pieces_stale = true;
  PieceGrid grid;
  std::vector<std::size_t> shown;  // the pieces the grid finds near the area

  // Scratch space reused from paint to paint so drawing does not allocate per piece.
  std::vector<IPoint> points;
  std::vector<IPoint> points2;
  // Lines of simply drawn pieces, gathered per colour and drawn together.
  struct LineBatch {
    Color color;
    int width = 1;
    std::vector<IPoint> points;
    std::vector<int> counts;
  };
  std::vector<LineBatch> line_batches;
  std::unordered_map<int, std::size_t> piece_index;  // id -> position, when needed
  bool piece_index_fresh = false;
  std::unordered_set<int> in_tunnel;
  std::unordered_set<int> below_helix;  // the set B: drawn under the helix rings
  std::vector<std::size_t> queue;

  // Each text label as last drawn, by its place in the layout: what of its text was
  // read, in which font, the text drawn and its extent. A label is laid out again only
  // when one of them changes, so a printout lays out every label once, not once a page.
  struct LaidOutLabel {
    std::string source;
    bool cut = false;
    int points = 0;
    double paper_px_per_mm = 0;
    std::string text;
    IPoint extent;
  };
  std::vector<LaidOutLabel> labels;
};

// Forced colours for the drag ghost.
struct PieceColors {
  Color fill;
  Color outline;
};

void DrawLayout(RenderContext& rc, Painter& p, const Layout& layout, const ViewTransform& v,
                int width, int height);

void DrawPiece(RenderContext& rc, Painter& p, const PlacedPiece& piece, const PieceDef& def,
               const ViewTransform& v, bool selected, bool show_labels, bool in_tunnel,
               const PieceColors* ghost = nullptr);

void DrawSceneryItem(RenderContext& rc, Painter& p, const SceneryDef& def, const Pose& pose,
                     const ViewTransform& v, bool selected, double scale_x, double scale_y);

// One ring of a helix: trunc(turns x 12) pieces of `curve` on a circle of `radius`.
void DrawHelixRing(RenderContext& rc, Painter& p, const Helix& helix, const HelixDef& hd,
                   double radius, const PieceDef& curve, const ViewTransform& v, int level,
                   bool selected);

void DrawGrid(Painter& p, const Layout& layout, const ViewTransform& v, int width, int height);

// Text around the track, which a printout makes room for: the point size of the user's
// text labels at a zoom and of a measurement's length; the lengths along the baseboard's
// edges (standing out from the edge in layout millimetres) and along a shape's edges (at
// most this size, standing out in pixels).
int TextLabelPoints(double zoom);
inline constexpr int kMeasurementPoints = 10;
inline constexpr int kBoardLengthPoints = 11;
inline constexpr double kBoardLengthGapMm = 12.0;
inline constexpr int kShapeLengthMostPoints = 12;
inline constexpr double kShapeLengthGapPixels = 12.0;

// A text label draws at most this many lines and letters of its text, marking with an
// ellipsis that it left the rest out: a label of a megabyte would take seconds to lay
// out on every page and cover a wall. The label keeps its whole text.
inline constexpr int kLabelMostLines = 40;
inline constexpr int kLabelMostLetters = 2000;
// The bytes of a label's text that drawing reads: up to the first letter or line break
// beyond those limits.
std::size_t LabelDrawnLength(std::string_view text);
// A label's text as drawn: what LabelDrawnLength reads, with bytes that are not UTF-8
// replaced, and an ellipsis when that leaves anything out.
std::string LabelDrawnText(std::string_view text);

void DrawConnectorDots(Painter& p, const PlacedPiece& piece, const PieceDef& def,
                       const ViewTransform& v);

// Colour helpers shared by the drawers.
// Lightness as the toolkit changes it: below 100 toward black, above toward white.
Color ChangeLightness(Color c, int amount);
// The fill and outline of a placed piece before any ghost colours.
PieceColors PieceFillAndOutline(const RenderContext& rc, const PlacedPiece& piece,
                                const PieceDef& def, bool selected, bool in_tunnel);

// An article label on paper: 9 points, and never larger than its piece, this long (the
// longest distance between two ends of the piece, or along a straight) by its track width,
// in layout millimetres.
inline constexpr int kPaperLabelPoints = 9;
struct LabelRoom {
  double length = 0;
  double width = 0;
};
LabelRoom PaperLabelRoom(const PieceDef& def);

// How far a piece reaches from its origin in layout millimetres (connectors, arches,
// the track's width), before the pixels that pens, dots and labels add.
double PieceReachMm(const PieceDef& def);

// Whether a piece may touch the surface (generous bounds: outlines, arches, labels, dots).
bool PieceMayBeVisible(const RenderContext& rc, const PlacedPiece& piece, const PieceDef& def,
                       const ViewTransform& v, bool show_labels);
