// Every text and enabled state of the properties panel, computed from the layout and its
// selection; the panel window only shows them and forwards its events.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edit/panel_edits.h"
#include "model/layout.h"

struct LevelEntry {
  std::string name;
  int id = -1;  // -1: "(mixed)", choosing it does nothing
  friend bool operator==(const LevelEntry&, const LevelEntry&) = default;
};

struct PropertiesView {
  ShownItem shown;
  std::string title = "No selection";
  std::string details;
  std::string height_label;
  std::string height_text;
  bool height_enabled = false;
  std::string grade_text = "-";  // "+2.00 deg (3.5%)"
  std::string rise_text;         // the elevation gained over the piece
  std::string warning;           // the steep-grade warning, drawn in red
  bool grade_enabled = false;    // direction, angle and the three grade buttons
  double angle = 0;              // the angle control: |grade| of the piece
  std::optional<bool> down;      // direction of a graded piece; unset keeps the panel's
  std::vector<LevelEntry> levels;
  int level_index = -1;  // the chosen entry, -1 for none
  bool level_enabled = false;
  bool color_enabled = false;
  // The selected pieces' colour among the colour choices (0 "Default" for none); -1 when
  // they differ or it is not one of the choices, which leaves the choice blank.
  int color_index = 0;
};

PropertiesView DescribeSelection(const Layout& layout);

// The panel's texts as "name: text" lines, in panel order; what `vantrel-tool show`
// prints.
std::string PropertiesText(const PropertiesView& view);
