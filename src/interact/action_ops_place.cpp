// Placing operations of the command line: the palette's double-click, its drop onto the
// canvas and its helix entry.
#include "interact/action_ops.h"

#include <cmath>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "edit/placement.h"
#include "interact/canvas_controller.h"
#include "model/number_text.h"

// The palette's double-click on an article while pieces are selected: the newest
// selected piece is extended by it, and the new piece is left selected.
bool ExtendOp(ActionContext& ctx, const ActionArgs& args) {
  if (!Catalog::instance().find(args[0])) return false;
  CanvasController canvas(ctx.doc, ctx.prompter);
  const CanvasEffects e = canvas.AutoConnect(args[0]);
  if (e.status[0]) ctx.status = *e.status[0];
  return true;
}

// A palette article or scenery item dragged onto the canvas and dropped at a point of the
// layout, through the canvas itself (one screen pixel a millimetre), so that a piece snaps
// to an end nearby exactly as it would under the mouse; the dropped object is left
// selected.
bool DropOp(ActionContext& ctx, const ActionArgs& args) {
  Pose pose;
  if (!ParseDouble(args[1], pose.x) || !ParseDouble(args[2], pose.y) ||
      (args.size() == 4 && !ParseDouble(args[3], pose.heading)) || !std::isfinite(pose.x) ||
      !std::isfinite(pose.y) || !std::isfinite(pose.heading))
    return false;
  const bool piece = Catalog::instance().find(args[0]) != nullptr;
  if (!piece && !SceneryCatalog::instance().find(args[0])) return false;
  CanvasController canvas(ctx.doc, ctx.prompter);
  canvas.SetView(1.0, 0.0, 0.0);
  if (piece)
    canvas.BeginPieceDrag(args[0]);
  else
    canvas.BeginSceneryDrag(args[0]);
  canvas.TurnGhost(pose.heading);
  MouseInput at;
  at.x = pose.x;
  at.y = pose.y;
  canvas.Motion(at);
  at.left_down = true;
  canvas.LeftDown(at);
  return true;
}

// The palette's helix entry dropped at (X, Y); an unknown kit gives the default one.
bool HelixOp(ActionContext& ctx, const ActionArgs& args) {
  double x = 0, y = 0, angle = 0;
  if (!ParseDouble(args[1], x) || !ParseDouble(args[2], y) ||
      (args.size() > 3 && !ParseDouble(args[3], angle)))
    return false;
  CanvasController(ctx.doc, ctx.prompter).InsertHelixAt(args[0], angle, {x, y});
  return true;
}
