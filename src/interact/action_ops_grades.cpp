// Grade operations of the command line: the properties panel's grade buttons and its
// height field, acting on the one piece (or helix) the panel shows.
#include "interact/action_ops.h"

#include "edit/grades.h"
#include "edit/panel_edits.h"
#include "model/number_text.h"
#include "model/units.h"

namespace {

void Report(ActionContext& ctx, const GradeOutcome& r) {
  if (!r.status.empty()) ctx.status = r.status;
}

}  // namespace

bool StartGradeOp(ActionContext& ctx, const ActionArgs& args) {
  double deg = 0;
  if ((args[0] != "up" && args[0] != "down") || !ParseDouble(args[1], deg) || deg < 0 ||
      deg > kMaxGradeDeg)
    return false;
  Report(ctx,
         StartGrade(ctx.doc, ShownPiece(WhatIsShown(ctx.layout)), args[0] == "up" ? deg : -deg));
  return true;
}

bool EndGradeOp(ActionContext& ctx, const ActionArgs&) {
  Report(ctx, EndGrade(ctx.doc, ShownPiece(WhatIsShown(ctx.layout))));
  return true;
}

bool RecalcOp(ActionContext& ctx, const ActionArgs&) {
  Report(ctx, RecalculateForward(ctx.doc, ShownPiece(WhatIsShown(ctx.layout))));
  return true;
}

bool SetHeightOp(ActionContext& ctx, const ActionArgs& args) {
  if (!Units::Of(ctx.layout.units).ParseLength(args[0])) return false;
  ApplyHeightText(ctx.doc, WhatIsShown(ctx.layout), args[0]);
  return true;
}
