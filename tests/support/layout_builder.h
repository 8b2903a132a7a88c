// Test helpers that lay joined track of real catalog pieces.
#pragma once

#include <cstdint>
#include <string>

#include "model/layout.h"
#include "model/world_connectors.h"

// Lays pieces one after another, each joined to a connector of the previous one.
class ChainBuilder {
 public:
  explicit ChainBuilder(Layout& layout) : layout_(layout) {}
  // Places a first piece at a pose; returns its id.
  int Start(const std::string& cat, Pose pose = {}, int level = 1);
  // Joins a new piece by `new_conn` to connector `from_conn` of piece `from` (default:
  // the last piece laid, connector 1). Returns the new id.
  int Append(const std::string& cat, int new_conn = 0, int from = -1, int from_conn = 1);
  int last() const { return last_; }

 private:
  Layout& layout_;
  int last_ = -1;
};

// A layout of `pieces` joined pieces in long chains and loops of C-Track, spread over
// a grid of rows so that it has a realistic density; deterministic for a seed.
Layout MakeBigLayout(int pieces, std::uint32_t seed = 1);

// Checks every joint is recorded on both pieces and names an existing piece and
// connector; returns an empty text when consistent.
std::string CheckJointConsistency(const Layout& layout);
