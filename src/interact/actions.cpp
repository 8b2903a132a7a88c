// The action table, and the menu bar, tool bar, context menus and command-line runs made
// from it. A new action is one row here plus its handler: a core function (edit/ or
// interact/), or for a dialog or a file chooser the window's handler bound to its id.
#include "interact/actions.h"

#include <algorithm>

#include "edit/tunnels.h"
#include "interact/action_ops.h"
#include "model/layout_ops.h"
#include "model/translate.h"

namespace {

using K = ItemKind;
using M = BarMenu;

bool CanUndo(const Document& doc, CommandStateCache&) {
  return doc.CanUndo();
}
bool CanRedo(const Document& doc, CommandStateCache&) {
  return doc.CanRedo();
}
bool CanDelete(const Document& doc, CommandStateCache& states) {
  return states.Get(doc).del;
}
bool CanTunnel(const Document& doc, CommandStateCache& states) {
  return states.Get(doc).tunnel.enabled;
}

bool Undo(Document& doc) {
  return doc.Undo();
}
bool Redo(Document& doc) {
  return doc.Redo();
}
bool SelectEverything(Document& doc) {
  SelectAll(doc.layout());
  doc.Notify(Change::Selection);
  return true;
}

CanvasEffects Delete(CanvasController& c, bool) {
  return c.DeleteSelection();
}
CanvasEffects ZoomIn(CanvasController& c, bool) {
  return c.ZoomBy(1.25);
}
CanvasEffects ZoomOut(CanvasController& c, bool) {
  return c.ZoomBy(0.8);
}
CanvasEffects Fit(CanvasController& c, bool) {
  return c.ZoomToFit();
}
CanvasEffects FitSelection(CanvasController& c, bool) {
  return c.ZoomToSelection();
}
CanvasEffects Flip(CanvasController& c, bool) {
  return c.Flip();
}
CanvasEffects Mirror(CanvasController& c, bool) {
  return c.Mirror();
}
CanvasEffects Heights(CanvasController& c, bool on) {
  return c.ShowHeights(on);
}
CanvasEffects Conflicts(CanvasController& c, bool on) {
  return c.ShowConflicts(on);
}
CanvasEffects Copy(CanvasController& c, bool) {
  return c.CopySelection();
}
CanvasEffects CopyShape(CanvasController& c, bool) {
  return c.CopyShape(c.MenuShape());
}
CanvasEffects Paste(CanvasController& c, bool) {
  return c.Paste();
}
CanvasEffects EndGradeHere(CanvasController& c, bool) {
  return c.EndGradeOnMenuPiece();
}
CanvasEffects Autofill(CanvasController& c, bool) {
  return c.Autofill(false);
}
CanvasEffects AutofillCurves(CanvasController& c, bool) {
  return c.Autofill(true);
}

// Each menu, the tool bar, each context menu and the command line's operations list their
// actions in the order of the rows.
const std::vector<Action> kActions = {
    {.id = kCmdNew, .text = TrMark("&New Layout"), .accel = "Ctrl+N", .menu = M::File},
    {.id = kCmdOpen, .text = TrMark("&Open Layout..."), .accel = "Ctrl+O", .menu = M::File},
    {.id = kCmdOpenRecent, .text = TrMark("Open &Recent"), .kind = K::Submenu, .menu = M::File},
    {.id = kCmdSave, .text = TrMark("&Save"), .accel = "Ctrl+S", .menu = M::File, .group = true},
    {.id = kCmdSaveAs, .text = TrMark("Save &As..."), .accel = "Ctrl+Shift+S", .menu = M::File},
    {.id = kCmdImport, .text = TrMark("&Import Layout..."), .menu = M::File, .group = true},
    {.id = kCmdExport, .text = TrMark("&Export Layout..."), .menu = M::File},
    {.id = kCmdSavePartsList, .text = TrMark("Save Pa&rts List..."), .menu = M::File},
    {.id = kCmdClose,
     .text = TrMark("&Close Layout"),
     .accel = "Ctrl+W",
     .menu = M::File,
     .group = true},
    {.id = kCmdPageSetup, .text = TrMark("Page Set&up..."), .menu = M::File, .group = true},
    {.id = kCmdPrintPreview, .text = TrMark("Print Pre&view..."), .menu = M::File},
    {.id = kCmdPrint, .text = TrMark("&Print..."), .accel = "Ctrl+P", .menu = M::File},
    {.id = kCmdExportPdf, .text = TrMark("Export PDF..."), .menu = M::File},
    {.id = kCmdSaveBlock,
     .text = TrMark("Save as &Library Block..."),
     .menu = M::File,
     .group = true},
    {.id = kCmdExit, .text = TrMark("E&xit"), .menu = M::File, .group = true},
    {.id = kCmdUndo,
     .text = TrMark("&Undo"),
     .accel = "Ctrl+Z",
     .menu = M::Edit,
     .tool = TrMark("Undo"),
     .enabled = CanUndo,
     .edit = Undo},
    {.id = kCmdRedo,
     .text = TrMark("&Redo"),
     .accel = "Ctrl+Y",
     .menu = M::Edit,
     .tool = TrMark("Redo"),
     .enabled = CanRedo,
     .edit = Redo},
    {.id = kCmdLevels,
     .tool = TrMark("Levels"),
     .tooltip = TrMark("Manage layout levels (decks): height, color, and shape")},
    {.id = kCmd3DView, .tool = TrMark("3D View")},
    {.id = kCmdZoomIn, .text = TrMark("Zoom &In"), .accel = "+", .menu = M::View, .canvas = ZoomIn},
    {.id = kCmdZoomOut,
     .text = TrMark("Zoom &Out"),
     .accel = "-",
     .menu = M::View,
     .canvas = ZoomOut},
    {.id = kCmdFit,
     .text = TrMark("Zoom to &Fit"),
     .accel = "Ctrl+0",
     .menu = M::View,
     .tool = TrMark("Fit"),
     .canvas = Fit},
    {.id = kCmdZoomSelection,
     .text = TrMark("Zoom to &Selection"),
     .accel = "Ctrl+9",
     .menu = M::View,
     .enabled = CanDelete,
     .canvas = FitSelection},
    {.id = kCmdGrid,
     .text = TrMark("Show &Grid"),
     .accel = "Ctrl+G",
     .kind = K::Check,
     .checked = true,
     .menu = M::View,
     .group = true},
    {.id = kCmdSnap,
     .text = TrMark("&Snap"),
     .accel = "Ctrl+Shift+G",
     .kind = K::Check,
     .checked = true,
     .menu = M::View},
    {.id = kCmdShowConflicts,
     .text = TrMark("Show &Conflicts"),
     .kind = K::Check,
     .menu = M::View,
     .canvas = Conflicts},
    {.id = kCmdShowHeights,
     .text = TrMark("Show &Heights"),
     .accel = "Ctrl+H",
     .kind = K::Check,
     .menu = M::View,
     .canvas = Heights},
    {.id = kCmdLabels,
     .kind = K::Check,
     .tool = TrMark("Hide Labels"),
     .tooltip = TrMark("Toggle track labels and join dots")},
    {.op = {"extend", "ARTICLE", "the palette's double-click: extend the selection", 1, 1,
            ExtendOp}},
    {.op = {"drop", "ID X Y [ANGLE]",
            "a palette article or scenery item dropped at X Y (mm), turned by ANGLE", 3, 4,
            DropOp}},
    {.op = {"start-grade", "up|down DEG", "Start Grade on the selected piece, 0 to 6 deg", 2, 2,
            StartGradeOp}},
    // The properties panel's End Grade button; the piece menu's item is further down.
    {.op = {"end-grade", "", "End Grade on the selected piece", 0, 0, EndGradeOp}},
    {.op = {"recalc", "", "Recalc: the elevation chain from the selected piece", 0, 0, RecalcOp}},
    {.op = {"set-height", "VALUE", "the height field, in the layout's unit", 1, 1, SetHeightOp}},
    {.op = {"level", "ID", "the Level choice: the selection to level ID", 1, 1, LevelOp}},
    {.op = {"color", "N|NAME", "Color and Apply: 0 Default, 1 Red, ... 8 White", 1, 1, ColorOp}},
    {.op = {"add-label", "TEXT", "Add Label: TEXT at the origin", 1, 1, AddLabelOp}},
    {.id = kCmdTunnel,
     .tool = TrMark("Tunnel"),
     .tooltip =
         TrMark("Place tunnel portals on the selected chain (or remove if already in a tunnel)"),
     .enabled = CanTunnel,
     .edit = ToggleTunnel,
     .op = {"tunnel", "", "the Tunnel button: tunnel over the selected chain, or remove it"}},
    {.id = kCmdDelete,
     .text = TrMark("&Delete"),
     .accel = "Del",
     .menu = M::Edit,
     .group = true,
     .enabled = CanDelete,
     .canvas = Delete,
     .op = {"delete", "", "Edit > Delete: the selection, with its locks and questions"}},
    {.id = kCmdSelectAll,
     .text = TrMark("Select &All"),
     .accel = "Ctrl+A",
     .menu = M::Edit,
     .edit = SelectEverything},
    {.id = kCmdFlip,
     .text = TrMark("&Flip"),
     .accel = "F",
     .menu = M::Edit,
     .group = true,
     .context = CanvasMenu::Piece,
     .context_if = &CanvasEffects::menu_flip,
     .canvas = Flip,
     .op = {"flip", "", "Flip: the selected piece turned end for end about its joint"}},
    {.id = kCmdMirror,
     .text = TrMark("&Mirror"),
     .accel = "M",
     .menu = M::Edit,
     .context = CanvasMenu::Piece,
     .canvas = Mirror,
     .op = {"mirror", "", "Mirror: the selected turnouts swapped for the other hand"}},
    {.op = {"helix", "KIT X Y [ANGLE]", "place a helix kit centred at (X, Y) mm", 3, 4, HelixOp}},
    {.op = {"level-add", "NAME", "Add Level: a new level named NAME, made active", 1, 1,
            LevelAddOp}},
    {.op = {"level-remove", "ID",
            "Remove Level: the level and everything on it, after the question", 1, 1,
            LevelRemoveOp}},
    {.op = {"level-height", "ID VALUE",
            "Level Properties: the height in the layout's unit; flat pieces follow", 2, 2,
            LevelHeightOp}},
    {.id = kCmdAutofill,
     .text = TrMark("Autofill Gap..."),
     .context = CanvasMenu::Piece,
     .context_if = &CanvasEffects::menu_autofill,
     .canvas = Autofill,
     .op = {"autofill", "", "\"Autofill Gap...\": straights between the two selected pieces"}},
    {.id = kCmdAutofillCurves,
     .text = TrMark("Autofill Gap with Curves..."),
     .context = CanvasMenu::Piece,
     .context_if = &CanvasEffects::menu_autofill,
     .canvas = AutofillCurves,
     .op = {"autofill-curves", "",
            "\"Autofill Gap with Curves...\": curves and straights between them"}},
    {.id = kCmdCopy, .text = TrMark("Copy"), .context = CanvasMenu::Piece, .canvas = Copy},
    {.id = kCmdEndGrade,
     .text = TrMark("End Grade"),
     .context = CanvasMenu::Piece,
     .context_if = &CanvasEffects::menu_end_grade,
     .canvas = EndGradeHere},
    {.id = kCmdUnitsMm,
     .text = TrMark("Millimetres (mm)"),
     .kind = K::Radio,
     .checked = true,
     .menu = M::Units,
     .edit = [](Document& doc) { return SetLayoutUnits(doc, 0); }},
    {.id = kCmdUnitsCm,
     .text = TrMark("Centimetres (cm)"),
     .kind = K::Radio,
     .menu = M::Units,
     .edit = [](Document& doc) { return SetLayoutUnits(doc, 1); }},
    {.id = kCmdUnitsIn,
     .text = TrMark("Inches (in)"),
     .kind = K::Radio,
     .menu = M::Units,
     .edit = [](Document& doc) { return SetLayoutUnits(doc, 2); }},
    {.id = kCmdLayoutShape,
     .text = TrMark("Layout &Shape..."),
     .menu = M::Layout,
     .group = true,
     .op = {"baseboard", "SHAPE [VALUES...]",
            "Layout Shape and Apply: rect|L|U|T W H [W2 H2], custom TEXT, free, clear", 1, 5,
            BaseboardOp}},
    {.id = kCmdBackground, .text = TrMark("Background &Image..."), .menu = M::Layout},
    {.id = kCmdCheckPlan, .text = TrMark("&Check Plan..."), .menu = M::Layout, .group = true},
    {.id = kCmdPaste,
     .text = TrMark("Paste"),
     .context = CanvasMenu::Paste,
     .canvas = Paste,
     .op = {"paste", "X Y", "Copy the selection and Paste it centred on X,Y (mm)", 2, 2, PasteOp}},
    {.id = kCmdCopyShape,
     .text = TrMark("Copy"),
     .context = CanvasMenu::Shape,
     .canvas = CopyShape},
    {.id = kCmdMeasure,
     .kind = K::Check,
     .tool = TrMark("Measure"),
     .tooltip =
         TrMark("Measuring tape: click two points on the canvas to lay down a length annotation"),
     .op = {"measure", "X1 Y1 X2 Y2",
            "Measuring tape from X1,Y1 to X2,Y2 (mm); shorter than 1 mm lays nothing", 4, 4,
            MeasureOp}},
    {.id = kCmdPolygon,
     .kind = K::Check,
     .tool = TrMark("Polygon"),
     .tooltip = TrMark("Draw a free-form polygon (access hatch, river, mountain, etc.)")},
    {.op = {"place-block", "FILE X Y",
            "Place the library block FILE as a double-click does, centred on X,Y (mm)", 3, 3,
            PlaceBlockOp}},
    {.id = kCmdHelp, .text = TrMark("&Help"), .accel = "F1", .menu = M::Help},
    {.id = kCmdOptions, .text = TrMark("&Options..."), .menu = M::Help, .group = true},
    // Delete and Backspace on the canvas.
    {.id = kCmdCanvasDelete, .canvas = Delete},
};

struct BarMenuTitle {
  BarMenu menu;
  const char* title;
};
constexpr BarMenuTitle kBarMenus[] = {{M::File, TrMark("&File")},
                                      {M::Edit, TrMark("&Edit")},
                                      {M::View, TrMark("&View")},
                                      {M::Layout, TrMark("&Layout")},
                                      {M::Help, TrMark("&Help")}};
constexpr const char* kUnitsTitle = TrMark("Units of Measure");  // the submenu of Layout

MenuItemSpec ItemOf(const Action& a) {
  std::string label = a.text;
  if (*a.accel) label += std::string("\t") + a.accel;
  return {a.id, label, a.kind, a.checked};
}

}  // namespace

const std::vector<Action>& Actions() {
  return kActions;
}

const Action* FindAction(int id) {
  if (id == 0) return nullptr;
  const auto it =
      std::find_if(kActions.begin(), kActions.end(), [&](const Action& a) { return a.id == id; });
  return it == kActions.end() ? nullptr : &*it;
}

const Action* FindOperation(std::string_view name) {
  const auto it = std::find_if(kActions.begin(), kActions.end(),
                               [&](const Action& a) { return a.op.name && name == a.op.name; });
  return it == kActions.end() ? nullptr : &*it;
}

const std::vector<MenuSpec>& MenuBarSpec() {
  static const std::vector<MenuSpec> menus = [] {
    std::vector<MenuSpec> bar;
    for (const BarMenuTitle& m : kBarMenus) {
      MenuSpec menu{m.title, {}};
      bool in_units = false;
      for (const Action& a : kActions) {
        const bool units = m.menu == M::Layout && a.menu == M::Units;
        if (a.menu != m.menu && !units) continue;
        if (in_units && !units) menu.items.push_back({0, "", K::SubmenuEnd, false});
        if (a.group && !menu.items.empty()) menu.items.push_back({0, "", K::Separator, false});
        if (units && !in_units) menu.items.push_back({0, kUnitsTitle, K::SubmenuStart, false});
        in_units = units;
        menu.items.push_back(ItemOf(a));
      }
      if (in_units) menu.items.push_back({0, "", K::SubmenuEnd, false});
      bar.push_back(std::move(menu));
    }
    return bar;
  }();
  return menus;
}

const std::vector<ToolSpec>& ToolBarSpec() {
  static const std::vector<ToolSpec> tools = [] {
    std::vector<ToolSpec> v;
    for (const Action& a : kActions)
      if (a.tool) v.push_back({a.id, a.tool, a.kind, a.tooltip});
    return v;
  }();
  return tools;
}

std::vector<MenuItemSpec> ContextMenuSpec(const CanvasEffects& right_click) {
  std::vector<MenuItemSpec> items;
  if (right_click.menu == CanvasMenu::None) return items;
  for (const Action& a : kActions)
    if (a.context == right_click.menu && (!a.context_if || right_click.*a.context_if))
      items.push_back(ItemOf(a));
  return items;
}

bool RunOperation(const Action& action, ActionContext& ctx, const ActionArgs& args) {
  if (action.op.run) return action.op.run(ctx, args);
  if (action.edit) {
    action.edit(ctx.doc);
  } else if (action.canvas) {
    CanvasController canvas(ctx.doc, ctx.prompter);
    const CanvasEffects e = action.canvas(canvas, false);
    if (e.status[0]) ctx.status = *e.status[0];
  }
  return true;
}

bool SetLayoutUnits(Document& doc, int units) {
  Transaction t(doc, TrMark("Units"), Change::View);
  t.layout().units = units;
  return t.Commit();
}
