// Layout > Check Plan...: every finding of the layout check and the plan check as the
// dialog lists it, and what choosing a row does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edit/plan_check.h"
#include "model/document.h"

struct FindingRow {
  std::string kind;     // "Height step", "Collision", "Clearance", "Steep grade",
                        // "Open end" or "Problem"
  std::string pieces;   // "5, 6"
  std::string level;    // the level's name, "" when none
  std::string where;    // "x=12.0, y=-3.5", "" when not at one place
  std::string details;  // the conflict's or problem's text
  std::vector<int> ids;
  std::optional<Point> at;
};

struct FindingList {
  std::string summary;           // "consistent", or "N problem(s), M conflict(s)"
  std::vector<FindingRow> rows;  // problems, conflicts, then open ends
};

FindingList PlanFindings(const Layout& layout, const PlanCheckOptions& options = {});

// A row chosen: its pieces (whole helices) become the selection; false when none of them
// is in the layout any more.
bool SelectFindingPieces(Document& doc, const std::vector<int>& ids);
