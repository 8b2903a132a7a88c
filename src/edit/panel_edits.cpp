// Edits made from the properties panel. Each takes its own undo snapshot.
#include "edit/panel_edits.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

#include "catalog/helix_catalog.h"
#include "edit/grades.h"
#include "edit/selection.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/units.h"

namespace {

bool Flat(const PlacedPiece& p) {
  return std::fabs(p.grade) < kFlatGradeDeg;
}

// Moves a helix to level L: stubs at the level's height and a rise above it, and the
// flat track beyond the top stubs carried along, stopping at graded track (a ramp down
// from the top deck must not drag the lower deck up).
void MoveHelixToLevel(Layout& layout, const Helix& h, int level_id, double height) {
  const HelixDef* def = HelixCatalog::resolve(h.variant);
  const double top = height + (def ? def->rise : 0.0);
  const auto index = PieceIndexById(layout);
  auto piece = [&](int id) -> PlacedPiece* {
    const auto it = index.find(id);
    return it == index.end() ? nullptr : &layout.pieces[it->second];
  };
  for (int id : {h.bottomR1, h.bottomR2})
    if (PlacedPiece* p = piece(id)) {
      p->z = height;
      p->level = level_id;
    }
  std::vector<int> stack;
  std::unordered_set<int> visited;
  for (int id : {h.topR1, h.topR2})
    if (PlacedPiece* p = piece(id)) {
      p->z = top;
      p->level = level_id;
      stack.push_back(id);
      visited.insert(id);
    }
  while (!stack.empty()) {
    const PlacedPiece* from = piece(stack.back());
    stack.pop_back();
    for (const Joint& j : from->joints) {
      PlacedPiece* next = piece(j.target);
      if (!next || next->helix != -1 || !visited.insert(next->id).second) continue;
      if (!Flat(*next)) continue;
      next->level = level_id;
      next->z = top;
      stack.push_back(next->id);
    }
  }
}

// Flat selected track joined to track that stays where it is takes the height of that
// joint, and passes it on along the selected flat track joined to it: a deck's height is
// for track that lies on it, not for track joined to a helix exit or a ramp above it.
void KeepJoinedHeights(Layout& layout) {
  const auto index = PieceIndexById(layout);
  std::vector<std::size_t> queue;
  std::unordered_set<int> done;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    PlacedPiece& p = layout.pieces[i];
    if (!p.sel || p.helix != -1 || !Flat(p)) continue;
    for (const Joint& j : p.joints) {
      const auto it = index.find(j.target);
      if (j.target == -1 || it == index.end() || layout.pieces[it->second].sel) continue;
      p.z = ElevationAt(layout.pieces[it->second], j.tconn);
      if (done.insert(p.id).second) queue.push_back(i);
      break;
    }
  }
  while (!queue.empty()) {
    const PlacedPiece& from = layout.pieces[queue.back()];
    queue.pop_back();
    for (const Joint& j : from.joints) {
      const auto it = index.find(j.target);
      if (j.target == -1 || it == index.end()) continue;
      PlacedPiece& next = layout.pieces[it->second];
      if (!next.sel || next.helix != -1 || !Flat(next) || !done.insert(next.id).second) continue;
      next.z = from.z;
      queue.push_back(it->second);
    }
  }
}

}  // namespace

ShownItem WhatIsShown(const Layout& layout) {
  int pieces = 0, piece = -1, scenery = 0, item = -1, shapes = 0, shape = -1, others = 0;
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel && pieces++ == 0) piece = p.id;
  for (const SceneryItem& s : layout.scenery)
    if (s.sel && scenery++ == 0) item = s.id;
  for (const LayoutShape& s : layout.shapes)
    if (s.sel && shapes++ == 0) shape = s.id;
  others += static_cast<int>(std::count_if(layout.labels.begin(), layout.labels.end(),
                                           [](const LayoutLabel& l) { return l.sel; }));
  others += static_cast<int>(std::count_if(layout.measures.begin(), layout.measures.end(),
                                           [](const Measurement& m) { return m.sel; }));
  int helix = -1;
  if (IsWholeHelixSelection(layout, &helix)) return {ShownKind::Helix, helix};
  if (pieces == 1) return {ShownKind::Piece, piece};
  if (pieces > 1) return {ShownKind::Pieces, -1};
  if (scenery == 1 && shapes == 0 && others == 0) return {ShownKind::Scenery, item};
  if (shapes == 1 && scenery == 0 && others == 0) return {ShownKind::Shape, shape};
  if (scenery + shapes + others > 0) return {ShownKind::Other, -1};
  return {};
}

bool ApplyLevelChoice(Document& doc, const ShownItem& shown, int level_id) {
  if (level_id < 0) return false;
  Transaction t(doc, TrMark("Level"), Change::Content | Change::Levels);
  Layout& layout = t.layout();
  const double height = LevelHeight(layout, level_id);
  switch (shown.kind) {
    case ShownKind::Scenery: {
      const int i = FindScenery(layout, shown.id);
      if (i < 0) return false;
      layout.scenery[static_cast<std::size_t>(i)].level = level_id;
      break;
    }
    case ShownKind::Shape: {
      const auto it = std::find_if(layout.shapes.begin(), layout.shapes.end(),
                                   [&](const LayoutShape& s) { return s.id == shown.id; });
      if (it == layout.shapes.end()) return false;
      it->level = level_id;
      break;
    }
    case ShownKind::Helix: {
      const auto it = std::find_if(layout.helices.begin(), layout.helices.end(),
                                   [&](const Helix& h) { return h.id == shown.id; });
      if (it == layout.helices.end()) return false;
      MoveHelixToLevel(layout, *it, level_id, height);
      break;
    }
    case ShownKind::Piece:
    case ShownKind::Pieces: {
      bool changed = false;
      for (PlacedPiece& p : layout.pieces) {
        if (!p.sel || p.helix != -1) continue;
        p.level = level_id;
        if (Flat(p)) p.z = height;
        changed = true;
      }
      if (!changed) return false;
      KeepJoinedHeights(layout);
      break;
    }
    default:
      return false;
  }
  layout.active_level = level_id;
  t.Commit();
  return true;
}

bool ApplyColor(Document& doc, int entry) {
  Layout& layout = doc.layout();
  if (entry < 0 || entry >= static_cast<int>(kColorChoices.size())) return false;
  if (std::none_of(layout.pieces.begin(), layout.pieces.end(),
                   [](const PlacedPiece& p) { return p.sel; }))
    return false;
  const ColorChoice& c = kColorChoices[static_cast<std::size_t>(entry)];
  Transaction t(doc, TrMark("Color"));
  for (PlacedPiece& p : layout.pieces) {
    if (!p.sel) continue;
    p.has_color = c.has_color;
    p.color = c.color;
  }
  DeselectAll(layout);
  t.Commit();
  return true;
}

bool AddLabel(Document& doc, std::string_view text, std::optional<Point> at) {
  if (text.empty()) return false;
  Transaction t(doc, TrMark("Add Label"));
  Layout& layout = t.layout();
  LayoutLabel label;
  label.id = TakeId(layout);
  label.text = text;
  // What the file keeps is what the screen shows: no line breaks or tabs.
  for (char& ch : label.text)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) ch = ' ';
  const Point p = at.value_or(Point{});
  label.x = p.x;
  label.y = p.y;
  layout.labels.push_back(std::move(label));
  t.Commit();
  return true;
}

bool ApplyHeightText(Document& doc, const ShownItem& shown, std::string_view text) {
  const std::optional<double> mm = Units::Of(doc.layout().units).ParseLength(text);
  if (!mm) return false;
  if (shown.kind == ShownKind::Piece) return SetPieceHeight(doc, shown.id, *mm).changed;
  if (shown.kind == ShownKind::Helix) return SetHelixBaseHeight(doc, shown.id, *mm).changed;
  return false;
}
