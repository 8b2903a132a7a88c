// The bridge deck, turnout motor and decoder tables.
#include "parts/accessories.h"
#include "catalog/text_mark.h"

#include <algorithm>
#include <iterator>

namespace {

struct Bridge {
  std::string_view article;
  DeckPiece deck[2];
  int pieces;
};

constexpr Bridge kBridges[] = {
    {"74636", {{"24360", 1}}, 1},
    {"74620", {{"24188", 1}}, 1},
    {"74623", {{"24230", 1}}, 1},
    {"74613", {{"24130", 1}}, 1},
    {"74618", {{"24188", 1}, {"24172", 1}}, 2},
    {"7263", {{"2200", 2}}, 1},
    {"7262", {{"2200", 1}}, 1},
    {"7569", {{"2221", 1}}, 1},
    {"7267", {{"2221", 1}}, 1},
    {"62636", {{"62188", 1}, {"62172", 1}}, 2},
    {"62620", {{"62188", 1}}, 1},
    {"62623", {{"62230", 1}}, 1},
    {"62613", {{"62130", 1}}, 1},
    {"8975", {{"8505", 1}}, 1},
    {"89759", {{"8500", 1}}, 1},
    {"8976", {{"8500", 1}}, 1},
    {"8977", {{"8510", 1}}, 1},
};

struct Motors {
  std::string_view article;
  int motors;
};

constexpr Motors kCMotors[] = {
    {"24611", 1}, {"24612", 1}, {"24630", 2}, {"24671", 1}, {"24672", 1},
    {"24711", 1}, {"24712", 1}, {"24771", 1}, {"24772", 1}, {"24720", 1},
    {"62611", 1}, {"62612", 1}, {"62630", 2}, {"62671", 1}, {"62672", 1},
};

constexpr Motors kKMotors[] = {
    {"2261", 1}, {"2263", 1}, {"2264", 1}, {"2265", 1}, {"2266", 1}, {"2267", 1},
    {"2268", 1}, {"2269", 1}, {"2271", 1}, {"2272", 1}, {"2276", 1}, {"2277", 1},
};

// Turnouts and slips driven by one 74462 decoder each (24720 has its own, 74467).
constexpr std::string_view kDecoded74462[] = {
    "24611", "24612", "24630", "24671", "24672", "24711", "24712", "24771",
    "24772", "24624", "62611", "62612", "62630", "62671", "62672", "62624",
};

constexpr Accessory kAccessories[] = {
    {"74491", "74492", TrMark("Turnout Motor"), &AccessoryCounts::c_motors},
    {"75491", "75491", TrMark("K-Track Motor"), &AccessoryCounts::k_motors},
    {"74462", "74462", TrMark("Decoder"), &AccessoryCounts::decoders_74462},
    {"74467", "74467", TrMark("Decoder (24720)"), &AccessoryCounts::decoders_74467},
};

int Count(const ArticleCounts& counts, std::string_view article) {
  const auto it = counts.find(article);
  return it == counts.end() ? 0 : it->second;
}

int MotorCount(const ArticleCounts& counts, std::span<const Motors> table) {
  int n = 0;
  for (const Motors& m : table) n += Count(counts, m.article) * m.motors;
  return n;
}

}  // namespace

std::span<const DeckPiece> BridgeDeck(std::string_view article) {
  const auto it = std::find_if(std::begin(kBridges), std::end(kBridges),
                               [&](const Bridge& b) { return b.article == article; });
  if (it == std::end(kBridges)) return {};
  return {it->deck, static_cast<std::size_t>(it->pieces)};
}

AccessoryCounts CountAccessories(const ArticleCounts& counts) {
  AccessoryCounts a;
  a.c_motors = MotorCount(counts, kCMotors);
  a.k_motors = MotorCount(counts, kKMotors);
  for (std::string_view article : kDecoded74462) a.decoders_74462 += Count(counts, article);
  a.decoders_74467 = Count(counts, "24720");
  return a;
}

std::span<const Accessory> Accessories() {
  return kAccessories;
}
