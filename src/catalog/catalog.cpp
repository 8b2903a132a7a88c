// Catalog storage and lookup.
#include "catalog/catalog.h"

Catalog::Catalog() : index_(8) {
  index_.max_load_factor(1.0f);
}

Catalog& Catalog::instance() {
  static Catalog catalog;  // created once, destroyed at exit
  if (!catalog.loaded_) {
    LoadBuiltInCatalog(catalog);
    catalog.loaded_ = true;
  }
  return catalog;
}

const PieceDef* Catalog::at(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return &defs_[static_cast<std::size_t>(index)];
}

const PieceDef* Catalog::find(const std::string& id) const {
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : &defs_[static_cast<std::size_t>(it->second)];
}

void Catalog::add(const PieceDef& def) {
  index_[def.id] = count();
  defs_.push_back(def);
}

void Catalog::clear() {
  defs_.clear();
  index_.clear();
}
