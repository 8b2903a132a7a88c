// The piece tally: every article a layout needs, with the counts the parts list shows
// and the motors and decoders it recommends.
#pragma once

#include <string>
#include <vector>

#include "model/layout.h"
#include "parts/accessories.h"

// Whether a bridge brings the track of its deck into the counts. The parts list counts
// the deck; the store ships it in the bridge's box, so the cart does not.
enum class BridgeDecks { Counted, LeftOut };

// The articles of a layout: every placed piece that is not free (known to the catalog
// or not), optionally the bridge decks, the turntable decks "74871" in packs of three,
// scenery items the store sells, and the curves of every helix (twelve a turn of each
// of its two rings).
ArticleCounts CountArticles(const Layout& layout, BridgeDecks decks);

struct Tally {
  ArticleCounts counts;
  AccessoryCounts accessories;
  friend bool operator==(const Tally&, const Tally&) = default;
};

Tally ComputeTally(const Layout& layout);

enum class TallyRowKind { Piece, Heading, Accessory };

// One row of the parts list.
struct TallyRow {
  TallyRowKind kind = TallyRowKind::Piece;
  std::string article;  // empty for the heading
  std::string name;     // piece: its catalog name; accessory: "Turnout Motor"; the heading's text
  int count = 0;        // 0 for the heading
  // The text of the panel's "Piece" column ("74491 Turnout Motor" for an accessory).
  std::string Label() const;
  friend bool operator==(const TallyRow&, const TallyRow&) = default;
};

// One row per article in ascending order, named by the track catalog, else by the
// scenery catalog, else by the article itself; then, when anything is recommended,
// "We Recommend" and one row per accessory with a count above 0.
std::vector<TallyRow> TallyRows(const Tally& tally);
