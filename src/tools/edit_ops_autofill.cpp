// Autofill operations of `vantrel-tool edit`: the canvas menu's two autofill commands on
// the two stored selected pieces; --row N chooses the dialog's row.
#include "interact/canvas_controller.h"
#include "tools/edit_ops.h"

namespace {

bool Run(EditContext& ctx, bool with_curves) {
  CanvasController canvas(ctx.doc, ctx.prompter);
  const CanvasEffects e = canvas.Autofill(with_curves);
  if (e.status[0]) ctx.status = *e.status[0];
  return true;
}

bool AutofillOp(EditContext& ctx, const ToolArgs&) {
  return Run(ctx, false);
}

bool AutofillCurvesOp(EditContext& ctx, const ToolArgs&) {
  return Run(ctx, true);
}

}  // namespace

void AddAutofillEditOps(std::vector<EditOp>& ops) {
  ops.push_back({"autofill", "", "\"Autofill Gap...\": straights between the two selected pieces",
                 0, 0, AutofillOp});
  ops.push_back({"autofill-curves", "",
                 "\"Autofill Gap with Curves...\": curves and straights between them", 0, 0,
                 AutofillCurvesOp});
}
