// vantrel-tool parts: the piece tally and the recommended accessories of a layout file.
#include "model/layout_file.h"
#include "parts/parts_list.h"
#include "parts/tally.h"
#include "tools/tool_commands.h"

namespace {

constexpr const char* kHelp =
    "usage: vantrel-tool parts FILE [--csv]\n"
    "\n"
    "Loads the layout FILE and prints its parts list: the rows of the properties\n"
    "panel's \"Piece Count\" list, one per article in ascending article order, then,\n"
    "when the layout has turnouts or slips, \"We Recommend\" and the turnout motors and\n"
    "decoders they need.\n"
    "\n"
    "Free pieces are not counted; a bridge adds the track of its deck; turntable decks\n"
    "74871 come in packs of three; a helix adds twelve curves a turn for each ring.\n"
    "\n"
    "Without --csv the list is aligned text: a header line, then article, name and\n"
    "count in columns, and the accessories after a blank line and \"We Recommend\".\n"
    "With --csv it is CSV (RFC 4180, UTF-8, CRLF line ends): the header\n"
    "article,name,count, one record per article, a record \",We Recommend,\" and\n"
    "one record per accessory with its article number, its name (such as\n"
    "\"Turnout Motor\") and its count. Names holding a comma, a quote or a line break\n"
    "are quoted.\n"
    "\n"
    "Exit status: 0 printed, 2 the file cannot be read.\n";

int Run(const ToolArgs& args) {
  bool csv = false;
  std::string file;
  for (const std::string& a : args) {
    if (a == "--csv")
      csv = true;
    else if (file.empty() && !a.starts_with("--"))
      file = a;
    else
      return Usage("unexpected argument \"" + a + "\"", kHelp);
  }
  if (file.empty()) return Usage("parts takes one file", kHelp);
  Layout layout;
  const LoadResult r = LoadLayout(layout, file);
  if (!r.error.empty()) return Fail(r.error);
  const std::vector<TallyRow> rows = TallyRows(ComputeTally(layout));
  Print(csv ? PartsListCsv(rows) : PartsListText(rows));
  return 0;
}

}  // namespace

const ToolCommand kPartsCommand{
    "parts",
    "  parts FILE [--csv]\n"
    "                    print the parts list of a layout file as text or CSV\n",
    [] { return std::string(kHelp); }, Run};
