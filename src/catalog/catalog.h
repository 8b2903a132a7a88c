// The process-wide track catalog: every built-in article, found by article number.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/piece_def.h"

// 64-bit FNV-1a over the bytes of a string; the catalogs' hash index uses it.
struct Fnv1aHash {
  std::size_t operator()(const std::string& s) const noexcept {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : s) {
      h ^= c;
      h *= 0x100000001b3ull;
    }
    return static_cast<std::size_t>(h);
  }
};

class Catalog {
 public:
  // The one catalog; filled with the built-in rows on first use.
  static Catalog& instance();

  int count() const { return static_cast<int>(defs_.size()); }
  const PieceDef* at(int index) const;
  const PieceDef* find(const std::string& id) const;
  // Used by the loader only: a repeated id makes the later row the one find() returns.
  void add(const PieceDef& def);

  Catalog(const Catalog&) = delete;
  Catalog& operator=(const Catalog&) = delete;

 private:
  Catalog();
  friend void LoadBuiltInCatalog(Catalog& catalog);
  void clear();

  std::vector<PieceDef> defs_;
  std::unordered_map<std::string, int, Fnv1aHash> index_;
  bool loaded_ = false;
};

// Adds every built-in article in catalog order.
void LoadBuiltInCatalog(Catalog& catalog);
