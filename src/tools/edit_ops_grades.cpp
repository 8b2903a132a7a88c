// Grade operations of `vantrel-tool edit`: the properties panel's grade buttons and its
// height field, acting on the one piece (or helix) the panel shows.
#include "edit/grades.h"
#include "edit/panel_edits.h"
#include "model/number_text.h"
#include "model/units.h"
#include "tools/edit_ops.h"

namespace {

void Report(EditContext& ctx, const GradeOutcome& r) {
  if (!r.status.empty()) ctx.status = r.status;
}

bool StartGradeOp(EditContext& ctx, const ToolArgs& args) {
  double deg = 0;
  if ((args[0] != "up" && args[0] != "down") || !ParseDouble(args[1], deg) || deg < 0 ||
      deg > kMaxGradeDeg)
    return false;
  Report(ctx,
         StartGrade(ctx.doc, ShownPiece(WhatIsShown(ctx.layout)), args[0] == "up" ? deg : -deg));
  return true;
}

bool EndGradeOp(EditContext& ctx, const ToolArgs&) {
  Report(ctx, EndGrade(ctx.doc, ShownPiece(WhatIsShown(ctx.layout))));
  return true;
}

bool RecalcOp(EditContext& ctx, const ToolArgs&) {
  Report(ctx, RecalculateForward(ctx.doc, ShownPiece(WhatIsShown(ctx.layout))));
  return true;
}

bool SetHeightOp(EditContext& ctx, const ToolArgs& args) {
  if (!Units::Of(ctx.layout.units).ParseLength(args[0])) return false;
  ApplyHeightText(ctx.doc, WhatIsShown(ctx.layout), args[0]);
  return true;
}

}  // namespace

void AddGradeEditOps(std::vector<EditOp>& ops) {
  ops.push_back({"start-grade", "up|down DEG", "Start Grade on the selected piece, 0 to 6 deg", 2,
                 2, StartGradeOp});
  ops.push_back({"end-grade", "", "End Grade on the selected piece", 0, 0, EndGradeOp});
  ops.push_back(
      {"recalc", "", "Recalc: the elevation chain from the selected piece", 0, 0, RecalcOp});
  ops.push_back(
      {"set-height", "VALUE", "the height field, in the layout's unit", 1, 1, SetHeightOp});
}
