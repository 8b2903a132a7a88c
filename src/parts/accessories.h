// What comes with or goes with a piece: the track decks of bridges, and the turnout
// motors and decoders recommended for the turnouts and slips of a layout.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

// Article -> count, in ascending byte order of the article.
using ArticleCounts = std::map<std::string, int, std::less<>>;

struct DeckPiece {
  std::string_view article;
  int count;
};

// The track that comes with a bridge; empty for any other article.
std::span<const DeckPiece> BridgeDeck(std::string_view article);

struct AccessoryCounts {
  int c_motors = 0;  // C-Track and TRIX turnout motors
  int k_motors = 0;  // K-Track turnout motors
  int decoders_74462 = 0;
  int decoders_74467 = 0;
  int Total() const { return c_motors + k_motors + decoders_74462 + decoders_74467; }
  friend bool operator==(const AccessoryCounts&, const AccessoryCounts&) = default;
};

// Motors and decoders for the turnouts among `counts`: one decoder per piece, motors as
// many as the piece has drives (two for a three-way turnout).
AccessoryCounts CountAccessories(const ArticleCounts& counts);

// One recommended accessory: how the parts list names it and the article the cart
// orders (the C-Track motor is listed as 74491 and ordered as 74492).
struct Accessory {
  std::string_view list_article;
  std::string_view cart_article;
  std::string_view name;
  int AccessoryCounts::*count;
};

// The accessories in the order the parts list and the cart give them.
std::span<const Accessory> Accessories();
