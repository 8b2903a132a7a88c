// The title rule, the enabling rules and the status texts.
#include "interact/commands.h"

#include <algorithm>
#include <filesystem>

#include "app/version.h"
#include "interact/actions.h"
#include "model/number_text.h"
#include "model/translate.h"

std::string WindowTitle(const std::string& name, const std::string& path, bool modified) {
  std::string t = AppTitle();
  if (!name.empty())
    t += " - " + name;
  else if (!path.empty())
    t += " - " + std::filesystem::path(path).stem().string();
  if (modified) t += " *";
  return t;
}

bool CommandEnabled(int id, const Document& doc, CommandStateCache& states) {
  const Action* action = FindAction(id);
  return !action || !action->enabled || action->enabled(doc, states);
}

const CommandStates& CommandStateCache::Get(const Document& doc) {
  if (doc_ == &doc && seen_ == doc.changes()) return states_;
  doc_ = &doc;
  seen_ = doc.changes();
  const Layout& layout = doc.layout();
  selected_.clear();
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].sel) selected_.push_back(i);
  states_.del = !selected_.empty() || std::any_of(layout.scenery.begin(), layout.scenery.end(),
                                                  [](const SceneryItem& s) { return s.sel; });
  states_.tunnel = TunnelTool(AnalyzeTunnelSelection(layout, selected_, ids_));
  return states_;
}

std::string UndoRedoMenuText(int id, const Document& doc) {
  const Action& action = *FindAction(id);
  const std::string label = id == kCmdUndo ? doc.UndoLabel() : doc.RedoLabel();
  // Step names are kept in English (marked where the step is taken) and shown translated.
  return Tr(std::string_view(action.text)) + (label.empty() ? "" : " " + Tr(label)) + "\t" +
         action.accel;
}

std::string ElevationStatusText(const Layout& layout) {
  if (layout.grade_runs.empty()) return {};
  std::string t = "[ELEV]";
  for (const GradeRun& r : layout.grade_runs) t += " " + FixedText(r.deg, 1) + Tr(" deg");
  return t + Tr("  (right-click piece to stop)");
}

std::string NextStatusText(const Layout& layout, const std::string& current) {
  const std::string elev = ElevationStatusText(layout);
  if (!elev.empty()) return elev;
  // The elevation readout reverts to "Ready" once the last run is gone.
  if (current.rfind("[ELEV]", 0) == 0 || current.rfind("\xE2\x96\xB2", 0) == 0) return "Ready";
  return current;
}
