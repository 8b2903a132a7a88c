// What the properties panel shows (one piece, several, a scenery item, a polygon, a
// helix) and the edits it makes on it: level, colour, height, new labels.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/text_mark.h"
#include "model/document.h"

enum class ShownKind { None, Piece, Pieces, Scenery, Shape, Helix, Other };

// The object the panel shows; `id` is the piece, scenery item, shape or helix id.
struct ShownItem {
  ShownKind kind = ShownKind::None;
  int id = -1;
  friend bool operator==(const ShownItem&, const ShownItem&) = default;
};

// The piece the grade commands act on: the one piece shown, else -1.
inline int ShownPiece(const ShownItem& shown) {
  return shown.kind == ShownKind::Piece ? shown.id : -1;
}

// Classifies the selection: a whole helix, one piece, several pieces, one scenery item,
// one polygon; anything else selected is Other.
ShownItem WhatIsShown(const Layout& layout);

struct ColorChoice {
  const char* name;
  bool has_color;
  Rgb color;
};
// The panel's colour entries in order; the first, "Default", removes the colour.
inline constexpr std::array<ColorChoice, 9> kColorChoices{{
    {TrMark("Default"), false, {0, 0, 0}},
    {TrMark("Red"), true, {220, 60, 60}},
    {TrMark("Orange"), true, {230, 140, 40}},
    {TrMark("Yellow"), true, {220, 200, 50}},
    {TrMark("Green"), true, {60, 170, 60}},
    {TrMark("Blue"), true, {60, 100, 200}},
    {TrMark("Purple"), true, {140, 60, 180}},
    {TrMark("Pink"), true, {210, 90, 150}},
    {TrMark("White"), true, {240, 240, 240}},
}};

// The level choice: moves what is shown to level `level_id` (a negative id, the
// "(mixed)" entry, does nothing). Flat pieces take the level's height; a helix takes the
// level's height at its bottom stubs and carries the flat track beyond its top along.
// One undo step; false when nothing changed.
bool ApplyLevelChoice(Document& doc, const ShownItem& shown, int level_id);
// "Apply" of colour entry `entry` to every selected piece, then deselects everything.
// One undo step; false when no piece is selected or the entry is out of range.
bool ApplyColor(Document& doc, int entry);
// "Add Label": a label with the text (control characters become blanks) at `at`, or at
// the origin. One undo step; false for an empty text.
bool AddLabel(Document& doc, std::string_view text, std::optional<Point> at);

// The height field's Enter on what is shown: a piece's elevation or a helix's base.
// False when the text is not a number or nothing that has a height is shown.
bool ApplyHeightText(Document& doc, const ShownItem& shown, std::string_view text);
