// The operations of `vantrel-tool edit`, one small file per concern. Each runs the same
// core function as the window's canvas, menu or panel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "model/document.h"
#include "tools/tool_output.h"

struct EditContext {
  Document& doc;
  Layout& layout;  // the document's
  Prompter& prompter;
  std::optional<int> row;  // --row N, 1-based, for list dialogs
  std::string status;      // status field 0; starts as "Ready"
};

struct EditOp {
  const char* name;
  const char* usage;  // the arguments, for the help
  const char* summary;
  std::size_t min_args;
  std::size_t max_args;
  // Runs the operation; false for arguments it cannot take (a usage error).
  bool (*run)(EditContext& ctx, const ToolArgs& args);
};

const std::vector<EditOp>& EditOps();

// Each concern adds its operations.
void AddGradeEditOps(std::vector<EditOp>& ops);
void AddPanelEditOps(std::vector<EditOp>& ops);
void AddPlaceEditOps(std::vector<EditOp>& ops);
void AddTunnelEditOps(std::vector<EditOp>& ops);
void AddAutofillEditOps(std::vector<EditOp>& ops);
void AddLevelEditOps(std::vector<EditOp>& ops);
void AddDrawingEditOps(std::vector<EditOp>& ops);
