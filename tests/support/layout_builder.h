// Test helpers that make layouts and lay joined track of real catalog pieces.
#pragma once

#include <cstdint>
#include <string>

#include "model/layout.h"
#include "model/world_connectors.h"

// A layout with Level 1, as the canvas always has one.
inline Layout WithLevel() {
  Layout l;
  l.levels.push_back(Level{});
  return l;
}

inline int AddPiece(Layout& l, const std::string& cat, double x = 0, double y = 0,
                    double heading = 0, int level = 1) {
  PlacedPiece& p = l.pieces.emplace_back();
  p.id = l.next_id++, p.cat = cat, p.x = x, p.y = y, p.heading = heading, p.level = level;
  return p.id;
}

// The catalog's article `id`, which must exist.
const PieceDef& Def(const std::string& id);
// A piece of article `cat` at (x, y) turned `heading` degrees.
PlacedPiece PieceAt(const std::string& cat, double x, double y, double heading, int id = 1);
// The piece with `id`, which must exist.
PlacedPiece& Piece(Layout& l, int id);
const PlacedPiece& Piece(const Layout& l, int id);

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
// `make(pieces)` built once and kept for the program's life, so that benchmark cases
// share their layouts; KeptBigLayout keeps MakeBigLayout's.
Layout& KeptLayout(int pieces, Layout (*make)(int));
const Layout& KeptBigLayout(int pieces);

// Checks every joint is recorded on both pieces and names an existing piece and
// connector; returns an empty text when consistent.
std::string CheckJointConsistency(const Layout& layout);
