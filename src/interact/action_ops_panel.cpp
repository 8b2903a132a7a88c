// Properties-panel operations of the command line: level choice, colour, labels.
#include "interact/action_ops.h"

#include <cctype>

#include "edit/panel_edits.h"
#include "model/layout_ops.h"
#include "model/number_text.h"

bool LevelOp(ActionContext& ctx, const ActionArgs& args) {
  int id = 0;
  if (!ParseInt(args[0], id) || !FindLevel(ctx.layout, id)) return false;  // not in the choice
  ApplyLevelChoice(ctx.doc, WhatIsShown(ctx.layout), id);
  return true;
}

// A colour by its number in the list (0 "Default" to 8 "White") or by its name.
bool ColorOp(ActionContext& ctx, const ActionArgs& args) {
  int entry = -1;
  if (!ParseInt(args[0], entry)) {
    for (std::size_t i = 0; i < kColorChoices.size(); ++i) {
      std::string name = kColorChoices[i].name, given = args[0];
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      for (char& c : given) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (name == given) entry = static_cast<int>(i);
    }
  }
  if (entry < 0 || entry >= static_cast<int>(kColorChoices.size())) return false;
  ApplyColor(ctx.doc, entry);
  return true;
}

bool AddLabelOp(ActionContext& ctx, const ActionArgs& args) {
  AddLabel(ctx.doc, args[0], std::nullopt);
  return true;
}
