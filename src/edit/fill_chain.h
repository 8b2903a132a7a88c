// A chain of catalog pieces laid from one open end toward another: where it ends, and
// its insertion into the layout as one undo step.
#pragma once

#include <string>
#include <vector>

#include "catalog/piece_def.h"
#include "model/layout.h"

// One piece of a chain. A reversed piece is laid by its connector 1 and left by its
// connector 0, so a curve turns the other way.
struct ChainPiece {
  std::string id;
  bool reversed = false;
  friend bool operator==(const ChainPiece&, const ChainPiece&) = default;
};

// The free connector at the end of a chain laid from `from` (a connector pointing the way
// the chain leaves). Unknown articles are skipped, as the insertion skips them.
Connector ChainEnd(const Connector& from, const std::vector<ChainPiece>& chain);

// Lays the chain from connector `ia` of piece `a_id` toward connector `ib` of piece `b_id`:
// each piece on A's level, joined to the one before and given its elevation by the grade
// rules; the last is joined to B only when its free end meets B's connector. Returns the
// ids laid.
std::vector<int> InsertFillChain(Layout& layout, int a_id, int ia, int b_id, int ib,
                                 const std::vector<ChainPiece>& chain);
