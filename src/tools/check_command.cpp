// vantrel-tool check: the consistency report of a layout file and the conflicts of its
// plan.
#include "edit/plan_check.h"
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "model/number_text.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool check FILE [--clearance MM]\n"
    "\n"
    "Loads the layout FILE and prints the number of each kind of object, the\n"
    "articles the catalog does not know, every open track end as\n"
    "  open <piece id> <connector> x=<mm> y=<mm> angle=<deg>\n"
    "the track length per track system, and one \"problem:\" line for every broken\n"
    "joint, duplicate id and reference to a missing object, for a tunnel whose\n"
    "track is not one connected chain and for a helix that lacks a stub.\n"
    "\n"
    "Then one \"conflict:\" line for everything in the plan that cannot be built:\n"
    "  height step <mm> mm at joint <piece> <conn> -> <piece> <conn> (x=<mm>, y=<mm>)\n"
    "    joined ends more than 0.5 mm apart in height\n"
    "  collision pieces <piece> and <piece> at x=<mm> y=<mm> (level <id>)\n"
    "    tracks that are not joined running into or too close beside each other at\n"
    "    heights less than 5 mm apart\n"
    "  clearance <mm> mm < <mm> mm, piece <upper> over piece <lower> at x=<mm> y=<mm>\n"
    "    one track passing over another with too little headroom\n"
    "  grade <deg> deg on piece <piece> exceeds 6 deg\n"
    "Helix rings count as track at their heights and are named by the helix's first\n"
    "stub. The headroom needed is 65 mm for the H0 track systems and 30 mm for Z;\n"
    "--clearance MM asks for MM millimetres everywhere instead.\n"
    "\n"
    "The last line is \"consistent\", or \"N problem(s), M conflict(s)\".\n"
    "\n"
    "Exit status: 0 consistent, 1 problems or conflicts found, 2 the file cannot be\n"
    "read.\n";

int Run(const ToolArgs& args) {
  std::string file;
  PlanCheckOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--clearance") {
      double mm = 0;
      if (i + 1 >= args.size() || !ParseDouble(args[i + 1], mm) || mm <= 0)
        return Usage("--clearance takes a height in millimetres above 0", kHelp);
      options.clearance_mm = mm;
      ++i;
    } else if (file.empty()) {
      file = args[i];
    } else {
      return Usage("check takes one file", kHelp);
    }
  }
  if (file.empty()) return Usage("check takes one file", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, file);
  if (!r.error.empty()) return Fail(r.error);
  const LayoutCheck check = CheckLayout(layout);
  std::vector<std::string> conflicts;
  for (const PlanConflict& c : CheckPlan(layout, options)) conflicts.push_back(ConflictText(c));
  Print(CheckReportText(layout, check, conflicts));
  return check.problems.empty() && conflicts.empty() ? 0 : 1;
}

}  // namespace

const ToolCommand kCheckCommand{
    "check",
    "  check FILE        report counts, open track ends, unknown articles, broken\n"
    "                    joints and track length of a layout file, and what in its\n"
    "                    plan cannot be built (--clearance MM sets the headroom)\n",
    [] { return std::string(kHelp); }, Run};
