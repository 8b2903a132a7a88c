// vantrel-tool show: the properties panel's texts for the selection stored in a layout.
#include "interact/properties_model.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool show FILE\n"
    "\n"
    "Loads the layout FILE and prints what the properties panel shows for the\n"
    "objects marked selected in it (sel=\"1\"), one \"name: text\" line each: title,\n"
    "details, height label, height, grade, rise, warning, angle, direction (graded\n"
    "pieces only) and level.\n"
    "\n"
    "Exit status: 0 shown, 2 the file cannot be read.\n";

int Run(const ToolArgs& args) {
  if (args.size() != 1) return Usage("show takes one file", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, args[0]);
  if (!r.error.empty()) return Fail(r.error);
  EnsureDefaultLevel(layout);
  Print(PropertiesText(DescribeSelection(layout)));
  return 0;
}

}  // namespace

const ToolCommand kShowCommand{
    "show", "  show FILE         print the properties panel's texts for the stored selection\n",
    [] { return std::string(kHelp); }, Run};
