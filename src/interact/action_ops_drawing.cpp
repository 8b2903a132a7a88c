// Baseboard and clipboard operations of the command line: the baseboard dialog's
// Apply with given values, and Paste of the stored selection at a layout point.
#include "interact/action_ops.h"

#include "catalog/text_mark.h"
#include "edit/baseboard.h"
#include "edit/clipboard.h"
#include "edit/measurement.h"
#include "interact/canvas_controller.h"
#include "interact/library_commands.h"
#include "model/number_text.h"

namespace {

int ShapeByName(const std::string& name) {
  static const char* const names[kBoardShapeCount] = {"rect",           "L",    "U",    "T",
                                                      TrMark("custom"), "free", "clear"};
  for (int i = 0; i < kBoardShapeCount; ++i)
    if (name == names[i]) return i;
  return -1;
}

}  // namespace

// SHAPE [VALUES...]: the dialog opened on SHAPE, its fields set to VALUES in the layout's
// unit (missing ones keep the dialog's initial values), then Apply.
bool BaseboardOp(ActionContext& ctx, const ActionArgs& args) {
  const int shape = ShapeByName(args[0]);
  if (shape < 0) return false;
  const std::size_t given = args.size() - 1;
  const int fields = BoardShape(shape).fields;
  if (shape == kBoardCustom ? given > 1 : given > static_cast<std::size_t>(fields)) return false;
  BaseboardInput in;
  in.shape = shape;
  in.initial = InitialBoardValues(ctx.layout, shape);
  in.values = in.initial.shown;
  in.initial_baseboard = ctx.layout.baseboard;
  in.initial_custom_text = InitialCustomText(ctx.layout.baseboard, ctx.layout.units);
  in.custom_text = in.initial_custom_text;
  if (shape == kBoardCustom && given == 1) in.custom_text = args[1];
  if (shape != kBoardCustom)
    for (std::size_t i = 0; i < given; ++i) {
      double v = 0;
      if (!ParseDouble(args[i + 1], v) || !(v >= kBoardMinSize && v <= kBoardMaxSize)) return false;
      in.values[i] = v;
    }
  Transaction t(ctx.doc, TrMark("Baseboard"), Change::View);
  const BaseboardResult r = ApplyBaseboardDialog(ctx.layout, in, ctx.prompter);
  if (r.free_form) ctx.status = kBaseboardDrawStatus;  // the window would now draw it
  StoreBaseboard(ctx.layout, r);
  t.Commit();
  return true;
}

// X Y in millimetres: Copy of the stored selection, then Paste there.
bool PasteOp(ActionContext& ctx, const ActionArgs& args) {
  Point at;
  if (!ParseDouble(args[0], at.x) || !ParseDouble(args[1], at.y)) return false;
  CanvasClipboard clip;
  CopySelection(ctx.layout, clip);
  PasteAt(ctx.doc, clip, at);
  return true;
}

// X1 Y1 X2 Y2 in millimetres: the measuring tape's two clicks.
bool MeasureOp(ActionContext& ctx, const ActionArgs& args) {
  Point a, b;
  if (!ParseDouble(args[0], a.x) || !ParseDouble(args[1], a.y) || !ParseDouble(args[2], b.x) ||
      !ParseDouble(args[3], b.y))
    return false;
  AddMeasurement(ctx.doc, a, b);
  return true;
}

// FILE X Y: the Library's double-click on the block FILE, its middle placed at X,Y (mm).
bool PlaceBlockOp(ActionContext& ctx, const ActionArgs& args) {
  Point at;
  if (!ParseDouble(args[1], at.x) || !ParseDouble(args[2], at.y)) return false;
  PlaceBlockCommand(ctx.doc, args[0], ctx.prompter, at);
  return true;
}
