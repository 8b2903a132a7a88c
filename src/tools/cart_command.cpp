// vantrel-tool cart: the store cart address Buy Track opens, or the message it shows.
#include "interact/buy_track.h"
#include "model/layout_file.h"
#include "tools/scripted_prompter.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool cart FILE\n"
    "\n"
    "Loads the layout FILE and does what the \"Buy Track\" button does, printing\n"
    "instead of opening a browser: the store cart address\n"
    "  https://shop.example.com/cart/<variant>:<count>,<variant>:<count>,...\n"
    "with the layout's articles in ascending article order and then the recommended\n"
    "motors and decoders. A message Buy Track would show is printed as\n"
    "  message: <caption>: <text>\n"
    "with its line breaks written as \\n: articles the store does not sell are named\n"
    "that way before the address, and a layout with nothing to buy gives only the\n"
    "message.\n"
    "\n"
    "Exit status: 0 address printed, 1 nothing to buy, 2 the file cannot be read.\n";

int Run(const ToolArgs& args) {
  if (args.size() != 1) return Usage("cart takes one file", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, args[0]);
  if (!r.error.empty()) return Fail(r.error);
  ScriptedPrompter prompter(std::nullopt, std::nullopt);  // Buy Track only informs
  const std::optional<std::string> address = BuyTrack(layout, prompter);
  if (!address) return 1;
  Print(*address + "\n");
  return 0;
}

}  // namespace

const ToolCommand kCartCommand{
    "cart", "  cart FILE         print the store cart address Buy Track opens for a layout\n",
    [] { return std::string(kHelp); }, Run};
