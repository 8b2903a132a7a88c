// What the palette lists: track groups per track system, scenery and signal rows, the
// system a layout calls for, and the scale of the hover preview.
#pragma once

#include <string>
#include <vector>

#include "catalog/piece_def.h"
#include "catalog/scenery_catalog.h"
#include "model/layout.h"
#include "view/view_transform.h"

// The system chooser's entries, in order; the index is not the TrackSystem value.
const std::vector<std::string>& PaletteSystemNames();
int SystemOfChooserIndex(int index);  // -1 for an index without a system

inline constexpr const char* kHelixRowPrefix = "@helix:";

struct PaletteRow {
  std::string text;
  std::string id;  // empty for a group header; an article id; or "@helix:" + kit id
};
// Header rows "--- <group>" followed by the catalog names of the group's articles.
std::vector<PaletteRow> TrackRows(int chooser_index);

struct SceneryRow {
  std::string text;
  const SceneryDef* item = nullptr;  // null for a header
};
// Platforms, stations, bridges, nature and "Other", with a header at each new category.
std::vector<SceneryRow> SceneryRows();
// Signals for the chosen system (Z-scale only for Märklin Z), grouped by kind.
std::vector<SceneryRow> SignalRows(int chooser_index);
// "Semaphore", "Color light", "Distant" or "Other" by the item's key.
std::string SignalGroupName(const SceneryDef& def);

// The chooser index for an opened layout: C-Track first, then K, TRIX C, Z; C when empty.
int ChooserIndexForLayout(const Layout& layout);

// The hover preview's view of a piece in its 80 x 55 pixel popup.
ViewTransform PreviewTransform(const PieceDef& def);
