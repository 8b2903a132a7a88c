// Placing operations of `vantrel-tool edit`: the palette's double-click.
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "edit/placement.h"
#include "interact/canvas_controller.h"
#include "model/number_text.h"
#include "tools/edit_ops.h"

namespace {

// The palette's double-click on an article while pieces are selected: the newest
// selected piece is extended by it, and the new piece is left selected.
bool ExtendOp(EditContext& ctx, const ToolArgs& args) {
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
bool DropOp(EditContext& ctx, const ToolArgs& args) {
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

}  // namespace

void AddPlaceEditOps(std::vector<EditOp>& ops) {
  ops.push_back(
      {"extend", "ARTICLE", "the palette's double-click: extend the selection", 1, 1, ExtendOp});
  ops.push_back({"drop", "ID X Y [ANGLE]",
                 "a palette article or scenery item dropped at X Y (mm), turned by ANGLE", 3, 4,
                 DropOp});
}
