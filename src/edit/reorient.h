// Turning a piece end for end about the joint it hangs on, and swapping pieces for their
// opposite-hand articles.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/prompter.h"
#include "catalog/piece_def.h"
#include "model/document.h"

// The connector at the other end of the route that enters a piece at connector k: a
// straight or curve's other end, a turnout's points for an exit and its straight exit for
// the points, the opposite end of a crossing's or slip's line; -1 when the piece has none
// (a turntable, a bumper's stop).
int OtherEnd(const PieceDef& def, int k);

// The article of the other hand in the same track system: its connectors are the
// piece's mirrored across its centre line. `to[i]` is the counterpart's connector that
// mirrors connector i.
struct Counterpart {
  const PieceDef* def = nullptr;
  std::vector<int> to;
};
std::optional<Counterpart> OppositeHand(const PieceDef& def);

struct ReorientOutcome {
  bool changed = false;
  std::string status;  // what the status bar says afterwards; empty for nothing
};

// Flip: the one selected piece, joined at one end at most, turned end for end so that the
// other end of its route takes the joint (a free piece turns about its connector 0).
// Joints, heights and level are kept; refusals are told through the prompter.
ReorientOutcome FlipSelected(Document& doc, Prompter& prompter);

// Mirror: every selected piece that has an opposite-hand article becomes it, hanging on
// the same joint; the others are left alone and named in the status text.
ReorientOutcome MirrorSelected(Document& doc, Prompter& prompter);
