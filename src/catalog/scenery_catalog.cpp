// Scenery catalog storage and lookup, and the palette group names of its categories.
#include "catalog/scenery_catalog.h"
#include "catalog/text_mark.h"

SceneryCatalog::SceneryCatalog() : index_(8) {
  index_.max_load_factor(1.0f);
}

SceneryCatalog& SceneryCatalog::instance() {
  static SceneryCatalog catalog;  // created once, destroyed at exit
  if (!catalog.loaded_) {
    LoadBuiltInScenery(catalog);
    catalog.loaded_ = true;
  }
  return catalog;
}

const SceneryDef* SceneryCatalog::find(const std::string& id) const {
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : &defs_[static_cast<std::size_t>(it->second)];
}

const SceneryDef* SceneryCatalog::at(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &defs_[static_cast<std::size_t>(index)];
}

void SceneryCatalog::add(const SceneryDef& def) {
  index_[def.id] = count();
  defs_.push_back(def);
}

void SceneryCatalog::clear() {
  defs_.clear();
  index_.clear();
}

std::string SceneryCategoryName(int category) {
  static const char* const kNames[] = {TrMark("Platforms"), TrMark("Buildings"), TrMark("Stations"),
                                       "Signals",           TrMark("Bridges"),   TrMark("Tunnels"),
                                       TrMark("Roads"),     TrMark("Nature"),    TrMark("Vehicles"),
                                       TrMark("Special")};
  if (category < 0 || category >= static_cast<int>(std::size(kNames))) return TrMark("Other");
  return kNames[category];
}
