// The level manager's operations: the rows it lists, Add Level, Level Properties and
// Remove Level. The dialog and `vantrel-tool edit` both call these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "model/document.h"

// One row of the level list.
struct LevelRow {
  int id = 0;
  std::string name;
  std::string height;  // "%.0f mm", "%.1f cm" or "%.2f in"
  std::string color;   // "custom" or "-"
  std::string id_text;
  bool visible = true;
  bool active = false;
};

std::vector<LevelRow> LevelRows(const Layout& layout);
// Remove Level is offered only while there are at least two levels.
inline bool CanRemoveLevel(const Layout& layout) {
  return layout.levels.size() >= 2;
}

// The colour a new level with this id starts with (six colours in turn).
Rgb DefaultLevelColor(int id);
// "Level %d" with the largest id + 1.
std::string ProposedLevelName(const Layout& layout);
// Appends a visible level at height 0 with the next id and its default colour, makes it
// active and returns its id; an empty name adds nothing (nullopt).
std::optional<int> AddLevelNamed(Layout& layout, const std::string& name);
// Add Level: asks for the name with the proposed one filled in.
std::optional<int> AddLevel(Document& doc, Prompter& prompter);

void SetLevelVisible(Document& doc, int level_id, bool visible);
void SetActiveLevel(Document& doc, int level_id);

// Height units of the properties dialog: the abbreviation, the factor to millimetres,
// and the spin control's range, step and decimals.
struct HeightUnit {
  const char* abbrev;
  double factor;
  double max;
  double step;
  int digits;
};
HeightUnit LevelHeightUnit(int units);
// The height as the spin control shows it (rounded to its decimals).
double HeightInUnit(double mm, int units);

struct LevelProperties {
  std::string name;  // trimmed; empty keeps the old name
  // Millimetres; nullopt keeps the stored height (the field was not changed).
  std::optional<double> height_mm;
  bool trackcolor = false;
  Rgb color;
};
// The new height for a spin value, or nullopt when the value is still the one shown
// (so 100 mm shown as 3.94 in stays 100 mm).
std::optional<double> ChangedHeight(double stored_mm, int units, double spin_value);
// Level Properties OK. A changed height moves the flat non-helix pieces that sat at
// the old height, as one undo step that brings the decks back too; graded pieces and
// helix pieces stay.
// False when no level has this id.
bool ApplyLevelProperties(Document& doc, int level_id, const LevelProperties& props);

struct LevelContents {
  int pieces = 0;   // placed pieces on the level that are not part of a helix
  int scenery = 0;  // scenery items on the level
  int helices = 0;  // helices whose first piece lies on the level
};
LevelContents CountLevelContents(const Layout& layout, int level_id);

// Remove Level: refuses the last level, asks with the counts ("Cancel" the default),
// then removes the level and its contents through the delete clean-up, as one undo step
// that brings the level back. True when the level was removed.
bool RemoveLevel(Document& doc, Prompter& prompter, int level_id);
