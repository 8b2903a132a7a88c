// vantrel-tool check: the consistency report of a layout file.
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool check FILE\n"
    "\n"
    "Loads the layout FILE and prints the number of each kind of object, the\n"
    "articles the catalog does not know, every open track end as\n"
    "  open <piece id> <connector> x=<mm> y=<mm> angle=<deg>\n"
    "the track length per track system, and one \"problem:\" line for every broken\n"
    "joint, duplicate id and reference to a missing object, for a tunnel whose\n"
    "track is not one connected chain and for a helix that lacks a stub.\n"
    "\n"
    "Exit status: 0 consistent, 1 problems found, 2 the file cannot be read.\n";

int Run(const ToolArgs& args) {
  if (args.size() != 1) return Usage("check takes one file", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, args[0]);
  if (!r.error.empty()) return Fail(r.error);
  const LayoutCheck check = CheckLayout(layout);
  Print(CheckReportText(layout, check));
  return check.problems.empty() ? 0 : 1;
}

}  // namespace

const ToolCommand kCheckCommand{
    "check",
    "  check FILE        report counts, open track ends, unknown articles, broken\n"
    "                    joints and track length of a layout file\n",
    [] { return std::string(kHelp); }, Run};
