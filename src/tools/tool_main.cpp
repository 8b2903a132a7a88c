// vantrel-tool: checks, converts, tallies and edits layout files without a display.
#include <string>

#include "app/version.h"
#include "tools/tool_commands.h"

namespace {

const ToolCommand* const kCommands[] = {&kCheckCommand, &kConvertCommand, &kShowCommand,
                                        &kEditCommand,  &kPartsCommand,   &kCartCommand};

std::string ToolHelp() {
  std::string help =
      "usage: vantrel-tool COMMAND [ARGS]\n"
      "\n"
      "Commands:\n";
  for (const ToolCommand* c : kCommands) help += c->summary;
  help += "  --version         print the program's version\n";
  help += "\nvantrel-tool COMMAND --help shows the help of a command.\n";
  return help;
}

int Main(const ToolArgs& args) {
  if (args.empty()) return Usage("no command given", ToolHelp());
  if (IsHelp(args[0])) {
    Print(ToolHelp());
    return 0;
  }
  if (args[0] == "--version") {
    Print(std::string("vantrel-tool ") + ProgramVersion() + "\n");
    return 0;
  }
  for (const ToolCommand* c : kCommands) {
    if (args[0] != c->name) continue;
    const ToolArgs rest(args.begin() + 1, args.end());
    for (const std::string& a : rest) {
      if (IsHelp(a)) {
        Print(c->help());
        return 0;
      }
    }
    return c->run(rest);
  }
  return Usage("unknown command \"" + args[0] + "\"", ToolHelp());
}

}  // namespace

int main(int argc, char** argv) {
  return ToolExit(Main(ToolArgs(argv + 1, argv + argc)));
}
