// vantrel-tool convert: reads a layout (.vtl or older .xml) and writes it as .vtl.
#include "model/layout_file.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool convert IN OUT\n"
    "\n"
    "Reads the layout IN (.vtl or older .xml) and writes it to OUT, which must end\n"
    "in \".vtl\", keeping the layout's own name. OUT is replaced atomically.\n"
    "\n"
    "Exit status: 0 written, 2 IN cannot be read or OUT cannot be written.\n";

int Run(const ToolArgs& args) {
  if (args.size() != 2) return Usage("convert takes an input and an output file", kHelp);
  const std::string& out = args[1];
  if (out.size() < 4 || out.compare(out.size() - 4, 4, ".vtl") != 0)
    return Usage("the output file must end in \".vtl\"", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, args[0]);
  if (!r.error.empty()) return Fail(r.error);
  const std::string error = SaveLayout(layout, out, r.name);
  if (!error.empty()) return Fail(error);
  return 0;
}

}  // namespace

const ToolCommand kConvertCommand{
    "convert", "  convert IN OUT    read a .vtl or .xml layout and write it as OUT (.vtl)\n",
    [] { return std::string(kHelp); }, Run};
