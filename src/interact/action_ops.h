// The operations of the command line that take arguments, or that act on what a panel,
// the palette or a dialog shows in the window; each calls the core function the window
// calls. Each returns false for arguments it cannot take (a usage error).
#pragma once

#include "interact/actions.h"

// The palette: its double-click, a drop onto the canvas, its helix entry.
bool ExtendOp(ActionContext& ctx, const ActionArgs& args);
bool DropOp(ActionContext& ctx, const ActionArgs& args);
bool HelixOp(ActionContext& ctx, const ActionArgs& args);
// The properties panel: the grade buttons, the height and level fields, colour, labels.
bool StartGradeOp(ActionContext& ctx, const ActionArgs& args);
bool EndGradeOp(ActionContext& ctx, const ActionArgs& args);
bool RecalcOp(ActionContext& ctx, const ActionArgs& args);
bool SetHeightOp(ActionContext& ctx, const ActionArgs& args);
bool LevelOp(ActionContext& ctx, const ActionArgs& args);
bool ColorOp(ActionContext& ctx, const ActionArgs& args);
bool AddLabelOp(ActionContext& ctx, const ActionArgs& args);
// The level manager.
bool LevelAddOp(ActionContext& ctx, const ActionArgs& args);
bool LevelRemoveOp(ActionContext& ctx, const ActionArgs& args);
bool LevelHeightOp(ActionContext& ctx, const ActionArgs& args);
// The Layout Shape dialog, Paste at a point, the measuring tape, a library block.
bool BaseboardOp(ActionContext& ctx, const ActionArgs& args);
bool PasteOp(ActionContext& ctx, const ActionArgs& args);
bool MeasureOp(ActionContext& ctx, const ActionArgs& args);
bool PlaceBlockOp(ActionContext& ctx, const ActionArgs& args);
