// Menu and tool bar tables, the title rule and the enabling rules.
#include "interact/commands.h"

#include <cstdio>
#include <filesystem>

#include "app/version.h"
#include "model/layout_ops.h"
#include "model/number_text.h"

const std::vector<MenuSpec>& MenuBarSpec() {
  using K = ItemKind;
  static const std::vector<MenuSpec> menus = {
      {"&File",
       {{kCmdNew, "&New Layout\tCtrl+N", K::Normal, false},
        {kCmdOpen, "&Open Layout...\tCtrl+O", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdSave, "&Save\tCtrl+S", K::Normal, false},
        {kCmdSaveAs, "Save &As...\tCtrl+Shift+S", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdImport, "&Import Layout...", K::Normal, false},
        {kCmdExport, "&Export Layout...", K::Normal, false},
        {kCmdSavePartsList, "Save Pa&rts List...", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdClose, "&Close Layout\tCtrl+W", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdPageSetup, "Page Set&up...", K::Normal, false},
        {kCmdPrintPreview, "Print Pre&view...", K::Normal, false},
        {kCmdPrint, "&Print...\tCtrl+P", K::Normal, false},
        {kCmdExportPdf, "Export PDF...", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdSaveBlock, "Save as &Library Block...", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdExit, "E&xit", K::Normal, false}}},
      {"&Edit",
       {{kCmdUndo, "&Undo\tCtrl+Z", K::Normal, false},
        {kCmdRedo, "&Redo\tCtrl+Y", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdDelete, "&Delete\tDel", K::Normal, false},
        {kCmdSelectAll, "Select &All\tCtrl+A", K::Normal, false}}},
      {"&View",
       {{kCmdZoomIn, "Zoom &In\t+", K::Normal, false},
        {kCmdZoomOut, "Zoom &Out\t-", K::Normal, false},
        {kCmdFit, "Zoom to &Fit\tCtrl+0", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdGrid, "Show &Grid\tCtrl+G", K::Check, true},
        {kCmdSnap, "&Snap\tCtrl+Shift+G", K::Check, true},
        {kCmdShowConflicts, "Show &Conflicts", K::Check, false}}},
      {"&Layout",
       {{0, "Units of Measure", K::SubmenuStart, false},
        {kCmdUnitsMm, "Millimetres (mm)", K::Radio, true},
        {kCmdUnitsCm, "Centimetres (cm)", K::Radio, false},
        {kCmdUnitsIn, "Inches (in)", K::Radio, false},
        {0, "", K::SubmenuEnd, false},
        {0, "", K::Separator, false},
        {kCmdLayoutShape, "Layout &Shape...", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdCheckPlan, "&Check Plan...", K::Normal, false}}},
      {"&Help",
       {{kCmdHelp, "&Help\tF1", K::Normal, false},
        {0, "", K::Separator, false},
        {kCmdOptions, "&Options...", K::Normal, false}}},
  };
  return menus;
}

const std::vector<ToolSpec>& ToolBarSpec() {
  using K = ItemKind;
  static const std::vector<ToolSpec> tools = {
      {kCmdUndo, "Undo", K::Normal, ""},
      {kCmdRedo, "Redo", K::Normal, ""},
      {kCmdLevels, "Levels", K::Normal, "Manage layout levels (decks): height, color, and shape"},
      {kCmd3DView, "3D View", K::Normal, ""},
      {kCmdFit, "Fit", K::Normal, ""},
      {kCmdLabels, "Hide Labels", K::Check, "Toggle track labels and join dots"},
      {kCmdTunnel, "Tunnel", K::Normal,
       "Place tunnel portals on the selected chain (or remove if already in a tunnel)"},
      {kCmdMeasure, "Measure", K::Check,
       "Measuring tape: click two points on the canvas to lay down a length annotation"},
      {kCmdPolygon, "Polygon", K::Check,
       "Draw a free-form polygon (access hatch, river, mountain, etc.)"},
  };
  return tools;
}

std::string WindowTitle(const std::string& name, const std::string& path, bool modified) {
  std::string t = AppTitle();
  if (!name.empty())
    t += " - " + name;
  else if (!path.empty())
    t += " - " + std::filesystem::path(path).stem().string();
  if (modified) t += " *";
  return t;
}

bool CommandEnabled(int id, const Document& doc) {
  switch (id) {
    case kCmdUndo:
      return doc.CanUndo();
    case kCmdRedo:
      return doc.CanRedo();
    case kCmdDelete:
      return AnyPieceOrScenerySelected(doc.layout());
    default:
      return true;
  }
}

const CommandStates& CommandStateCache::Get(const Document& doc) {
  if (doc_ == &doc && seen_ == doc.changes()) return states_;
  doc_ = &doc;
  seen_ = doc.changes();
  states_.del = CommandEnabled(kCmdDelete, doc);
  states_.tunnel = TunnelTool(doc.layout());
  return states_;
}

std::string UndoRedoMenuText(int id, const Document& doc) {
  const bool undo = id == kCmdUndo;
  const std::string label = undo ? doc.UndoLabel() : doc.RedoLabel();
  return std::string(undo ? "&Undo" : "&Redo") + (label.empty() ? "" : " " + label) +
         (undo ? "\tCtrl+Z" : "\tCtrl+Y");
}

std::string ElevationStatusText(const Layout& layout) {
  if (layout.grade_runs.empty()) return {};
  std::string t = "[ELEV]";
  for (const GradeRun& r : layout.grade_runs) t += " " + FixedText(r.deg, 1) + " deg";
  return t + "  (right-click piece to stop)";
}

std::string NextStatusText(const Layout& layout, const std::string& current) {
  const std::string elev = ElevationStatusText(layout);
  if (!elev.empty()) return elev;
  // The elevation readout reverts to "Ready" once the last run is gone.
  if (current.rfind("[ELEV]", 0) == 0 || current.rfind("\xE2\x96\xB2", 0) == 0) return "Ready";
  return current;
}
