// vantrel-tool: checks and converts layout files without a display.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/layout_check.h"
#include "model/layout_file.h"

namespace {

constexpr const char* kToolHelp =
    "usage: vantrel-tool COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  check FILE        report counts, open track ends, unknown articles, broken\n"
    "                    joints and track length of a layout file\n"
    "  convert IN OUT    read a .vtl or .xml layout and write it as OUT (.vtl)\n"
    "\n"
    "vantrel-tool COMMAND --help shows the help of a command.\n";

constexpr const char* kCheckHelp =
    "usage: vantrel-tool check FILE\n"
    "\n"
    "Loads the layout FILE and prints the number of each kind of object, the\n"
    "articles the catalog does not know, every open track end as\n"
    "  open <piece id> <connector> x=<mm> y=<mm> angle=<deg>\n"
    "the track length per track system, and one \"problem:\" line for every broken\n"
    "joint, duplicate id and reference to a missing object.\n"
    "\n"
    "Exit status: 0 consistent, 1 problems found, 2 the file cannot be read.\n";

constexpr const char* kConvertHelp =
    "usage: vantrel-tool convert IN OUT\n"
    "\n"
    "Reads the layout IN (.vtl or older .xml) and writes it to OUT, which must end\n"
    "in \".vtl\", keeping the layout's own name. OUT is replaced atomically.\n"
    "\n"
    "Exit status: 0 written, 2 IN cannot be read or OUT cannot be written.\n";

bool IsHelp(std::string_view a) {
  return a == "--help" || a == "-h";
}

// A usage error: the message and the help's first line, exit status 2.
int Usage(const std::string& message, std::string_view help) {
  const std::string_view first = help.substr(0, help.find('\n'));
  std::fprintf(stderr, "vantrel-tool: %s\n%.*s (see --help)\n", message.c_str(),
               static_cast<int>(first.size()), first.data());
  return 2;
}

int Check(const std::string& file) {
  Layout layout;
  const LoadResult r = LoadLayout(layout, file);
  if (!r.error.empty()) {
    std::fprintf(stderr, "%s\n", r.error.c_str());
    return 2;
  }
  const LayoutCheck check = CheckLayout(layout);
  std::fputs(CheckReportText(layout, check).c_str(), stdout);
  return check.problems.empty() ? 0 : 1;
}

int Convert(const std::string& in, const std::string& out) {
  if (out.size() < 4 || out.compare(out.size() - 4, 4, ".vtl") != 0)
    return Usage("the output file must end in \".vtl\"", kConvertHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, in);
  if (!r.error.empty()) {
    std::fprintf(stderr, "%s\n", r.error.c_str());
    return 2;
  }
  const std::string error = SaveLayout(layout, out, r.name);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given", kToolHelp);
  const std::string& command = args[0];
  if (IsHelp(command)) {
    std::fputs(kToolHelp, stdout);
    return 0;
  }
  const char* help = command == "check"     ? kCheckHelp
                     : command == "convert" ? kConvertHelp
                                            : nullptr;
  if (!help) return Usage("unknown command \"" + command + "\"", kToolHelp);
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (IsHelp(args[i])) {
      std::fputs(help, stdout);
      return 0;
    }
  }
  if (command == "check") {
    if (args.size() != 2) return Usage("check takes one file", kCheckHelp);
    return Check(args[1]);
  }
  if (args.size() != 3) return Usage("convert takes an input and an output file", kConvertHelp);
  return Convert(args[1], args[2]);
}
