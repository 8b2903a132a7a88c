// Helix and tunnel operations of `vantrel-tool edit`, and Edit > Delete with its locks.
#include "edit/tunnels.h"
#include "interact/canvas_controller.h"
#include "model/number_text.h"
#include "tools/edit_ops.h"

namespace {

// The Tunnel button: places a tunnel over the selected chain or removes the tunnel the
// selection is; with the button disabled nothing happens.
bool TunnelOp(EditContext& ctx, const ToolArgs&) {
  ToggleTunnel(ctx.doc);
  return true;
}

bool DeleteOp(EditContext& ctx, const ToolArgs&) {
  CanvasController(ctx.doc, ctx.prompter).DeleteSelection();
  return true;
}

// The palette's helix entry dropped at (X, Y); an unknown kit gives the default one.
bool HelixOp(EditContext& ctx, const ToolArgs& args) {
  double x = 0, y = 0, angle = 0;
  if (!ParseDouble(args[1], x) || !ParseDouble(args[2], y) ||
      (args.size() > 3 && !ParseDouble(args[3], angle)))
    return false;
  CanvasController(ctx.doc, ctx.prompter).InsertHelixAt(args[0], angle, {x, y});
  return true;
}

}  // namespace

void AddTunnelEditOps(std::vector<EditOp>& ops) {
  ops.push_back({"tunnel", "", "the Tunnel button: tunnel over the selected chain, or remove it", 0,
                 0, TunnelOp});
  ops.push_back(
      {"delete", "", "Edit > Delete: the selection, with its locks and questions", 0, 0, DeleteOp});
  ops.push_back(
      {"helix", "KIT X Y [ANGLE]", "place a helix kit centred at (X, Y) mm", 3, 4, HelixOp});
}
