// The commands of vantrel-tool, one file each; main() picks one by name.
#pragma once

#include <string>

#include "tools/tool_output.h"

struct ToolCommand {
  const char* name;
  const char* summary;    // the lines under "Commands:" in the tool's help
  std::string (*help)();  // COMMAND --help
  // Runs with the arguments after the command name; returns the exit status.
  int (*run)(const ToolArgs& args);
};

extern const ToolCommand kCheckCommand;
extern const ToolCommand kConvertCommand;
extern const ToolCommand kEditCommand;
extern const ToolCommand kShowCommand;
extern const ToolCommand kPartsCommand;
extern const ToolCommand kCartCommand;
