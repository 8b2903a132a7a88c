// Every action of the program, once: its id, texts, accelerator, where it shows, when it
// is enabled and the core function it runs. The menu bar, the tool bar, the canvas's
// context menus, the main window's dispatch and `vantrel-tool edit` (its operations and
// its help) are all made from this one table, so the window and the command line cannot
// drift apart. Actions that only a window can carry out (dialogs, file choosers) have no
// core handler here; the window binds its handler to their id.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/prompter.h"
#include "interact/canvas_controller.h"
#include "interact/commands.h"
#include "model/document.h"

// The menus of the menu bar; Units is the submenu of the Layout menu.
enum class BarMenu { None, File, Edit, View, Layout, Units, Help };

using ActionArgs = std::vector<std::string>;

// What an operation of the command line works with.
struct ActionContext {
  Document& doc;
  Layout& layout;  // the document's
  Prompter& prompter;
  std::optional<int> row;  // --row N, 1-based, for list dialogs
  std::string status;      // status field 0 as the window shows it; starts as "Ready"
};

// The action as an operation of `vantrel-tool edit`.
struct ActionOp {
  const char* name = nullptr;  // null: the command line does not offer the action
  const char* usage = "";      // the arguments, for the help
  const char* summary = "";
  std::size_t min_args = 0;
  std::size_t max_args = 0;
  // Runs with the arguments; false for arguments it cannot take (a usage error). Null:
  // the action's own core handler runs, as the menu or the tool would run it.
  bool (*run)(ActionContext& ctx, const ActionArgs& args) = nullptr;
};

struct Action {
  // The command id; 0 for an operation that a panel, the palette or a dialog carries out
  // in the window, which the command line names on its own.
  int id = 0;
  const char* text = "";  // menu or context-menu text, with its "&" mnemonic
  const char* accel = "";
  ItemKind kind = ItemKind::Normal;  // Normal, Check, Radio or Submenu
  bool checked = false;              // the first tick of a check or radio item
  BarMenu menu = BarMenu::None;
  bool group = false;          // a separator comes before it in its menu
  const char* tool = nullptr;  // the tool-bar label; null: not on the tool bar
  const char* tooltip = "";
  CanvasMenu context = CanvasMenu::None;      // the canvas context menu that offers it
  bool CanvasEffects::*context_if = nullptr;  // offered only when the right click set this
  // Null: always enabled. Asked on every update of the window's controls; the rules that
  // look at the selection go through the cache, so each costs at most the selection once
  // per change of the document.
  bool (*enabled)(const Document& doc, CommandStateCache& states) = nullptr;
  // The core handler: one that edits the document (true when it did something), or one
  // that the canvas runs (its view, selection, clipboard); `checked` is the new tick.
  bool (*edit)(Document& doc) = nullptr;
  CanvasEffects (*canvas)(CanvasController& canvas, bool checked) = nullptr;
  ActionOp op = {};
};

// In order: each menu, the tool bar, each context menu and the operations of the command
// line list their actions in this order.
const std::vector<Action>& Actions();
const Action* FindAction(int id);                    // null for an id no action has
const Action* FindOperation(std::string_view name);  // by its command-line name

// The menu bar, the tool bar and a context menu as the window builds them.
const std::vector<MenuSpec>& MenuBarSpec();
const std::vector<ToolSpec>& ToolBarSpec();
std::vector<MenuItemSpec> ContextMenuSpec(const CanvasEffects& right_click);

// Runs the action's operation on the command line; false for a usage error.
bool RunOperation(const Action& action, ActionContext& ctx, const ActionArgs& args);

// Changes the unit of measure, saved with the layout and never undone.
bool SetLayoutUnits(Document& doc, int units);
