// Placing operations of `vantrel-tool edit`: the palette's double-click.
#include "catalog/catalog.h"
#include "interact/canvas_controller.h"
#include "tools/edit_ops.h"

namespace {

// The palette's double-click on an article while pieces are selected: the newest
// selected piece is extended by it, and the new piece is left selected.
bool ExtendOp(EditContext& ctx, const ToolArgs& args) {
  if (!Catalog::instance().find(args[0])) return false;
  CanvasController canvas(ctx.layout, ctx.prompter);
  const CanvasEffects e = canvas.AutoConnect(args[0]);
  if (e.status[0]) ctx.status = *e.status[0];
  return true;
}

}  // namespace

void AddPlaceEditOps(std::vector<EditOp>& ops) {
  ops.push_back(
      {"extend", "ARTICLE", "the palette's double-click: extend the selection", 1, 1, ExtendOp});
}
