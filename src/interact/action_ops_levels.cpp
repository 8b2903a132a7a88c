// The level manager's commands in the command line: Add Level with its name, Remove
// Level with its question, and the height of Level Properties.
#include "interact/action_ops.h"

#include "catalog/text_mark.h"

#include "edit/levels.h"
#include "model/layout_ops.h"
#include "model/number_text.h"

bool LevelAddOp(ActionContext& ctx, const ActionArgs& args) {
  Transaction t(ctx.doc, TrMark("Add Level"), Change::Levels);
  AddLevelNamed(t.layout(), args[0]);
  t.Commit();
  return true;
}

bool LevelRemoveOp(ActionContext& ctx, const ActionArgs& args) {
  int id = 0;
  if (!ParseInt(args[0], id)) return false;
  RemoveLevel(ctx.doc, ctx.prompter, id);
  return true;
}

// The height in the layout's unit, as the Level Properties spin control takes it, then OK
// with only the height changed.
bool LevelHeightOp(ActionContext& ctx, const ActionArgs& args) {
  int id = 0;
  double value = 0;
  if (!ParseInt(args[0], id) || !ParseDouble(args[1], value) || value < 0 ||
      value > LevelHeightUnit(ctx.layout.units).max)
    return false;
  const Level* level = FindLevel(ctx.layout, id);
  if (!level) return true;
  LevelProperties props{level->name,
                        ChangedHeight(level->height, ctx.layout.units, value),
                        level->trackcolor,
                        {level->r, level->g, level->b}};
  ApplyLevelProperties(ctx.doc, id, props);
  return true;
}
