// vantrel-tool edit: loads a layout, runs one operation of the action table on its stored
// selection exactly as the window would, prints what the user would see, and saves when
// the layout changed.
#include <algorithm>

#include "interact/actions.h"
#include "interact/commands.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "tools/scripted_prompter.h"
#include "tools/tool_commands.h"

namespace {

const std::string& Help() {
  static const std::string help = [] {
    std::string h =
        "usage: vantrel-tool edit IN OUT OP [ARGS] [--answer yes|no] [--row N]\n"
        "\n"
        "Loads the layout IN, takes the selection stored in it (sel=\"1\"), runs the\n"
        "operation OP as the window would and writes OUT atomically when the layout\n"
        "changed (OUT may be IN). Questions are answered by --answer (default: the\n"
        "question's default button), list dialogs by --row N (1-based; without it the\n"
        "dialog is cancelled). What the user would see is printed, one line each:\n"
        "  message: <caption>: <text>\n"
        "  question: <caption>: <text> -> yes|no\n"
        "  dialog: <title>: <header text>\n"
        "  row <N>: <row text>\n"
        "  status: <status bar text>\n"
        "  selected: <piece ids>\n"
        "\n"
        "Operations:\n";
    for (const Action& action : Actions()) {
      const ActionOp& op = action.op;
      if (!op.name) continue;
      std::string left = std::string("  ") + op.name + (*op.usage ? " " : "") + op.usage;
      left.resize(std::max<std::size_t>(left.size() + 2, 28), ' ');
      h += left + op.summary + "\n";
    }
    h += "\n"
         "Exit status: 0 the operation ran (even if it changed nothing), 1 it was refused\n"
         "by a message, 2 usage error, IN unreadable or OUT unwritable.\n";
    return h;
  }();
  return help;
}

std::string SelectedIds(const Layout& layout) {
  std::vector<int> ids;
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel) ids.push_back(p.id);
  std::sort(ids.begin(), ids.end());
  std::string out;
  for (int id : ids) {
    if (!out.empty()) out += ' ';
    out += std::to_string(id);
  }
  return out;
}

struct Options {
  ToolArgs positional;
  std::optional<bool> answer;
  std::optional<int> row;
};

// Splits off --answer and --row; false with a message for a bad one.
bool ParseOptions(const ToolArgs& args, Options& o, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != "--answer" && a != "--row") {
      o.positional.push_back(a);
      continue;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return false;
    }
    const std::string& v = args[++i];
    int row = 0;
    if (a == "--answer" && (v == "yes" || v == "no")) {
      o.answer = v == "yes";
    } else if (a == "--row" && ParseInt(v, row) && row >= 1) {
      o.row = row;
    } else {
      error = "bad value for " + a + ": \"" + v + "\"";
      return false;
    }
  }
  return true;
}

// The file text with nothing selected: what an operation changed beyond the selection.
std::string TextWithoutSelection(const Layout& layout, const std::string& name) {
  Layout copy = layout;
  DeselectAll(copy);
  return LayoutFileText(copy, name);
}

int Run(const ToolArgs& args) {
  Options o;
  std::string error;
  if (!ParseOptions(args, o, error)) return Usage(error, Help());
  if (o.positional.size() < 3) return Usage("edit takes IN, OUT and an operation", Help());
  const std::string& op_name = o.positional[2];
  const Action* action = FindOperation(op_name);
  if (!action) return Usage("unknown operation \"" + op_name + "\"", Help());
  const ActionOp* op = &action->op;
  const ToolArgs op_args(o.positional.begin() + 3, o.positional.end());
  if (op_args.size() < op->min_args || op_args.size() > op->max_args)
    return Usage(std::string(op->name) + " takes: " + op->usage, Help());

  Document doc;
  Layout& layout = doc.layout();
  const LoadResult loaded = LoadLayout(layout, o.positional[0]);
  if (!loaded.error.empty()) return Fail(loaded.error);
  EnsureDefaultLevel(layout);
  const std::string before = LayoutFileText(layout, loaded.name);
  const std::string content_before = TextWithoutSelection(layout, loaded.name);

  ScriptedPrompter prompter(o.answer, o.row);
  ActionContext ctx{doc, layout, prompter, o.row, "Ready"};
  if (!RunOperation(*action, ctx, op_args))
    return Usage(std::string(op->name) + " takes: " + op->usage, Help());
  if (const std::string refusal = doc.TakeRefusal(); !refusal.empty())
    prompter.Notify(kIdsExhaustedCaption, refusal, PromptIcon::Warning);
  // The canvas repaints after every operation, which updates the grade indication.
  Print("status: " + NextStatusText(layout, ctx.status) + "\n");
  Print("selected: " + SelectedIds(layout) + "\n");

  const bool changed = LayoutFileText(layout, loaded.name) != before;
  if (changed) {
    const std::string saved = SaveLayout(layout, o.positional[1], loaded.name);
    if (!saved.empty()) return Fail(saved);
  }
  // A refusal may clear the selection (which the file stores): it is still a refusal.
  const bool content_changed =
      changed && TextWithoutSelection(layout, loaded.name) != content_before;
  return !content_changed && prompter.notified() ? 1 : 0;
}

}  // namespace

const ToolCommand kEditCommand{
    "edit",
    "  edit IN OUT OP    run one operation (extend, start-grade, level, ...) on the\n"
    "                    stored selection and save the result\n",
    [] { return Help(); }, Run};
