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

// A palette article or scenery item dropped at a point of the layout, as a drag from the
// palette ends on empty canvas; the dropped object is left selected.
bool DropOp(EditContext& ctx, const ToolArgs& args) {
  Pose pose;
  if (!ParseDouble(args[1], pose.x) || !ParseDouble(args[2], pose.y) ||
      (args.size() == 4 && !ParseDouble(args[3], pose.heading)) || !std::isfinite(pose.x) ||
      !std::isfinite(pose.y) || !std::isfinite(pose.heading))
    return false;
  if (const PieceDef* def = Catalog::instance().find(args[0])) {
    DropPiece(ctx.doc, *def, pose, SnapCandidate{}, ctx.prompter);
    return true;
  }
  if (!SceneryCatalog::instance().find(args[0])) return false;
  DropScenery(ctx.doc, args[0], pose);
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
