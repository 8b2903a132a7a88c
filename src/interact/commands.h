// The command ids of the actions (interact/actions.h), the shapes of menus and tools as
// the window builds them, the window title and what the window asks after each change.
#pragma once

#include <string>
#include <vector>

#include "edit/tunnels.h"
#include "model/document.h"
#include "model/piece_lookup.h"

enum CommandId : int {
  kCmdOpen = 5000,
  kCmdClose = 5001,
  kCmdNew = 5002,
  kCmdSave = 5003,
  kCmdSaveAs = 5004,
  kCmdExit = 5006,
  kCmdPrint = 5010,
  kCmdPageSetup = 5012,
  kCmdPrintPreview = 5013,
  kCmdImport = 1900,
  kCmdExport = 1901,
  kCmdSavePartsList = 1902,
  kCmdExportPdf = 1903,
  kCmd3DView = 2000,
  kCmdSaveBlock = 2001,
  kCmdUndo = 2002,
  kCmdRedo = 2003,
  kCmdDelete = 2004,
  kCmdSelectAll = 2005,
  kCmdZoomIn = 2006,
  kCmdZoomOut = 2007,
  kCmdFit = 2008,
  kCmdGrid = 2009,
  kCmdSnap = 2010,
  kCmdLabels = 2011,
  kCmdTunnel = 2012,
  kCmdMeasure = 2013,
  kCmdPolygon = 2014,
  kCmdLayoutShape = 2015,
  kCmdUnitsMm = 2016,
  kCmdUnitsCm = 2017,
  kCmdUnitsIn = 2018,
  kCmdLevels = 2019,
  kCmdHelp = 2022,
  kCmdOptions = 2023,
  kCmdCheckPlan = 2024,
  kCmdShowConflicts = 2025,
  kCmdZoomSelection = 2026,
  kCmdShowHeights = 2027,
  kCmdFlip = 2028,
  kCmdMirror = 2029,
  kCmdOpenRecent = 2030,
  kCmdBackground = 2031,
  kCmdRecentFirst = 2040,  // File > Open Recent's entries: this and the next seven
  kCmdCopy = 5032,
  kCmdPaste = 5033,
  kCmdCanvasDelete = 5038,
  kCmdAutofill = 6001,
  kCmdAutofillCurves = 6002,
  kCmdCopyShape = 6003,  // the shape menu's Copy
  kCmdEndGrade = 4104,   // the properties panel's button and the piece menu's item
};

// Submenu: an empty submenu the window fills (File > Open Recent).
enum class ItemKind { Normal, Check, Radio, Separator, SubmenuStart, SubmenuEnd, Submenu };

struct MenuItemSpec {
  int id;
  std::string label;  // with "&" mnemonics and "\t" accelerators
  ItemKind kind;
  bool checked;  // initial tick of check and radio items
};

struct MenuSpec {
  std::string title;
  std::vector<MenuItemSpec> items;
};

struct ToolSpec {
  int id;
  std::string label;
  ItemKind kind;  // Normal or Check
  std::string tooltip;
};

// "Vantrel v1.4 by Kestrelmoor", then " - " and the name (or the file's base name when
// there is no name), then " *" while modified.
std::string WindowTitle(const std::string& name, const std::string& path, bool modified);

// Whether the action `id` is enabled now (interact/actions.h has the rules).
bool CommandEnabled(int id, const Document& doc, class CommandStateCache& states);

// What the menus and the tool bar show for the commands that look at the selection. The
// window asks on every update of its controls, idle or not; the answers are worked out
// again only after the document told of a change, so a big layout costs nothing idle,
// and then cost the selection: one look at each piece's selection mark, and pieces are
// found by id through a lookup kept from change to change.
// (Undo and Redo cost nothing to ask: CommandEnabled and UndoRedoMenuText.)
struct CommandStates {
  bool del = false;  // a piece or a scenery item is selected
  TunnelToolState tunnel;
};
class CommandStateCache {
 public:
  const CommandStates& Get(const Document& doc);

 private:
  const Document* doc_ = nullptr;
  std::uint64_t seen_ = 0;
  CommandStates states_;
  std::vector<std::size_t> selected_;  // the selected pieces' places, reused
  PieceLookup ids_;
};
// Edit > Undo and Redo name the step they take back: "&Undo Move\tCtrl+Z", or
// "&Undo\tCtrl+Z" when there is none.
std::string UndoRedoMenuText(int id, const Document& doc);

// Status field 0 while grade runs exist: "[ELEV] 2.0 deg -1.5 deg  (right-click piece to
// stop)"; empty when there are none.
std::string ElevationStatusText(const Layout& layout);
// The text field 0 should show after a repaint, given what it shows now.
std::string NextStatusText(const Layout& layout, const std::string& current);
