// The level manager's commands in `vantrel-tool edit`: Add Level with its name, Remove
// Level with its question, and the height of Level Properties.
#include "edit/levels.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "tools/edit_ops.h"

namespace {

bool AddOp(EditContext& ctx, const ToolArgs& args) {
  Transaction t(ctx.doc, "Add Level", Change::Levels);
  AddLevelNamed(t.layout(), args[0]);
  t.Commit();
  return true;
}

bool RemoveOp(EditContext& ctx, const ToolArgs& args) {
  int id = 0;
  if (!ParseInt(args[0], id)) return false;
  RemoveLevel(ctx.doc, ctx.prompter, id);
  return true;
}

// The height in the layout's unit, as the Level Properties spin control takes it, then OK
// with only the height changed.
bool HeightOp(EditContext& ctx, const ToolArgs& args) {
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

}  // namespace

void AddLevelEditOps(std::vector<EditOp>& ops) {
  ops.push_back(
      {"level-add", "NAME", "Add Level: a new level named NAME, made active", 1, 1, AddOp});
  ops.push_back({"level-remove", "ID",
                 "Remove Level: the level and everything on it, after the question", 1, 1,
                 RemoveOp});
  ops.push_back({"level-height", "ID VALUE",
                 "Level Properties: the height in the layout's unit; flat pieces follow", 2, 2,
                 HeightOp});
}
