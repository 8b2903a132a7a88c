// What the canvas paints over the layout: rulers, the rubber band, the snap target,
// drag ghosts and the rotation readout.
#pragma once

#include "catalog/helix_catalog.h"
#include "catalog/piece_def.h"
#include "catalog/scenery_catalog.h"
#include "model/world_connectors.h"
#include "render/painter.h"
#include "render/render.h"
#include "view/view_transform.h"

inline constexpr int kRulerBand = 20;  // pixels, along the top and the left edge

// Tick step in display units: the first candidate that puts ticks 60 pixels apart.
double RulerStep(int units, double zoom);
// "%.0f" for millimetres and centimetres; inches "%.0f\"" when whole, else "%.1f\"".
std::string RulerLabel(double value, int units);
void DrawRulers(Painter& p, const ViewTransform& v, int units, int width, int height);

void DrawRubberBand(Painter& p, IPoint a, IPoint b);
void DrawSnapTarget(Painter& p, IPoint at);
// View > Show Conflicts: a red ring around each place the plan cannot be built.
inline constexpr Color kConflictRed{220, 30, 30};
inline constexpr int kConflictRingPx = 16;
void DrawConflictMarks(Painter& p, const ViewTransform& v, const std::vector<Point>& at);

// The palette drag ghost: the piece in the ghost colours.
inline constexpr PieceColors kGhostColors{{200, 225, 200}, {80, 150, 80}};
void DrawPieceGhost(RenderContext& rc, Painter& p, const PieceDef& def, const Pose& pose,
                    const ViewTransform& v);
void DrawSceneryGhost(RenderContext& rc, Painter& p, const SceneryDef& def, const Pose& pose,
                      const ViewTransform& v);
void DrawHelixGhost(Painter& p, const ViewTransform& v, const HelixDef& hd, double x, double y);

void DrawRotationMarker(Painter& p, IPoint pivot, double heading_deg, bool flash);

// The outline being drawn by the polygon or baseboard tool, with the rubber edge to
// `mouse`; `can_close` when the mouse is near the first of three or more vertices.
void DrawOutlineInProgress(Painter& p, const ViewTransform& v, const std::vector<Point>& vertices,
                           Point mouse, bool can_close, int units);
// The measurement being laid from `start` to `end`.
void DrawMeasureInProgress(Painter& p, const ViewTransform& v, Point start, Point end, int units);
// Handles of the selected shapes (squares on the vertices), scenery items (the eight
// sizing squares) and measurements (circles on the ends).
void DrawSelectionHandles(Painter& p, const ViewTransform& v, const Layout& layout);
