// Counting the articles of a layout and naming the rows of the parts list.
#include "parts/tally.h"

#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/text_mark.h"
#include "parts/store_variants.h"

namespace {

// The turntable's deck tracks are sold three to a pack.
constexpr const char* kTurntableDeck = "74871";
constexpr int kDecksPerPack = 3;
// A helix ring needs one 30-degree curve per twelfth of a turn.
constexpr double kCurvesPerTurn = 12.0;

void AddBridgeDecks(ArticleCounts& counts) {
  ArticleCounts decks;
  for (const auto& [article, n] : counts)
    for (const DeckPiece& d : BridgeDeck(article)) decks[std::string(d.article)] += n * d.count;
  for (const auto& [article, n] : decks) counts[article] += n;
}

std::string PieceName(const std::string& article) {
  if (const PieceDef* def = Catalog::instance().find(article)) return def->name;
  if (const SceneryDef* def = SceneryCatalog::instance().find(article)) return def->name;
  return article;
}

}  // namespace

ArticleCounts CountArticles(const Layout& layout, BridgeDecks decks) {
  ArticleCounts counts;
  for (const PlacedPiece& p : layout.pieces)
    if (!p.free) ++counts[p.cat];
  if (decks == BridgeDecks::Counted) AddBridgeDecks(counts);
  if (auto it = counts.find(kTurntableDeck); it != counts.end())
    it->second = (it->second + kDecksPerPack - 1) / kDecksPerPack;
  for (const SceneryItem& s : layout.scenery)
    if (FindStoreVariant(s.item)) ++counts[s.item];
  for (const Helix& h : layout.helices) {
    const HelixDef* kit = HelixCatalog::resolve(h.variant);
    const int n = kit ? static_cast<int>(std::trunc(kit->turns * kCurvesPerTurn)) : 0;
    if (n <= 0) continue;
    counts[kit->inner_curve_id] += n;
    counts[kit->outer_curve_id] += n;
  }
  return counts;
}

Tally ComputeTally(const Layout& layout) {
  Tally t;
  t.counts = CountArticles(layout, BridgeDecks::Counted);
  t.accessories = CountAccessories(t.counts);
  return t;
}

std::string TallyRow::Label() const {
  return kind == TallyRowKind::Accessory ? article + " " + name : name;
}

std::vector<TallyRow> TallyRows(const Tally& tally) {
  std::vector<TallyRow> rows;
  rows.reserve(tally.counts.size() + 5);
  for (const auto& [article, n] : tally.counts)
    rows.push_back({TallyRowKind::Piece, article, PieceName(article), n});
  if (tally.accessories.Total() < 1) return rows;
  rows.push_back({TallyRowKind::Heading, "", TrMark("We Recommend"), 0});
  for (const Accessory& a : Accessories()) {
    const int n = tally.accessories.*a.count;
    if (n > 0)
      rows.push_back(
          {TallyRowKind::Accessory, std::string(a.list_article), std::string(a.name), n});
  }
  return rows;
}
