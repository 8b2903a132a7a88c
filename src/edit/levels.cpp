#include "edit/levels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "model/document.h"
#include "model/layout_ops.h"
#include "model/text.h"
#include "model/translate.h"
#include "model/units.h"
#include "view/hit_test.h"

namespace {

constexpr Rgb kLevelColors[6] = {{180, 200, 220}, {220, 180, 180}, {180, 220, 180},
                                 {220, 210, 160}, {200, 180, 220}, {160, 220, 220}};

// A flat piece "sits at" the level height within this much (heights are typed to 0.1).
constexpr double kHeightMatchMm = 0.01;

Level* LevelById(Layout& layout, int id) {
  for (Level& l : layout.levels)
    if (l.id == id) return &l;
  return nullptr;
}

int LargestLevelId(const Layout& layout) {
  int largest = 0;
  for (const Level& l : layout.levels) largest = std::max(largest, l.id);
  return largest;
}

std::unordered_set<int> HelicesOnLevel(const Layout& layout, int level_id) {
  std::unordered_set<int> ids;
  for (const Helix& h : layout.helices)
    if (HelixLevel(layout, h.id) == level_id) ids.insert(h.id);
  return ids;
}

}  // namespace

std::vector<LevelRow> LevelRows(const Layout& layout) {
  std::vector<LevelRow> rows;
  for (const Level& l : layout.levels) {
    LevelRow r;
    r.id = l.id;
    r.name = l.name;
    r.height = Units::Of(layout.units).Text(l.height);
    r.color = l.trackcolor ? TrMark("custom") : "-";
    r.id_text = std::to_string(l.id);
    r.visible = l.visible;
    r.active = l.id == layout.active_level;
    rows.push_back(std::move(r));
  }
  return rows;
}

Rgb DefaultLevelColor(int id) {
  const int i = ((id - 1) % 6 + 6) % 6;
  return kLevelColors[i];
}

std::string ProposedLevelName(const Layout& layout) {
  return Tr("Level ") + std::to_string(LargestLevelId(layout) + 1);
}

std::optional<int> AddLevelNamed(Layout& layout, const std::string& name) {
  if (name.empty()) return std::nullopt;
  Level l;
  l.id = LargestLevelId(layout) + 1;
  l.name = name;
  const Rgb c = DefaultLevelColor(l.id);
  l.r = c.r;
  l.g = c.g;
  l.b = c.b;
  layout.levels.push_back(l);
  layout.active_level = l.id;
  return l.id;
}

std::optional<int> AddLevel(Document& doc, Prompter& prompter) {
  const auto name =
      prompter.AskText("Add Level", TrMark("Name for new level:"), ProposedLevelName(doc.layout()));
  if (!name) return std::nullopt;
  Transaction t(doc, TrMark("Add Level"), Change::Levels);
  const std::optional<int> id = AddLevelNamed(t.layout(), *name);
  t.Commit();
  return id;
}

void SetLevelVisible(Document& doc, int level_id, bool visible) {
  Transaction t(doc, TrMark("Show Level"), Change::Levels);
  if (Level* l = LevelById(t.layout(), level_id)) l->visible = visible;
  t.Commit();
}

void SetActiveLevel(Document& doc, int level_id) {
  Transaction t(doc, TrMark("Active Level"), Change::Levels);
  if (LevelById(t.layout(), level_id)) t.layout().active_level = level_id;
  t.Commit();
}

HeightUnit LevelHeightUnit(int units) {
  const Units u = Units::Of(units);
  switch (u.code()) {
    case Units::kCentimetres:
      return {u.abbreviation(), u.factor(), 1000.0, 1.0, 1};
    case Units::kInches:
      return {u.abbreviation(), u.factor(), 400.0, 0.1, 2};
    default:
      return {u.abbreviation(), u.factor(), 10000.0, 1.0, 1};
  }
}

double HeightInUnit(double mm, int units) {
  const HeightUnit u = LevelHeightUnit(units);
  const double scale = std::pow(10.0, u.digits);
  return std::round(mm / u.factor * scale) / scale;
}

std::optional<double> ChangedHeight(double stored_mm, int units, double spin_value) {
  const HeightUnit u = LevelHeightUnit(units);
  const double half_digit = 0.5 * std::pow(10.0, -u.digits);
  if (std::fabs(spin_value - HeightInUnit(stored_mm, units)) < half_digit) return std::nullopt;
  return spin_value * u.factor;
}

bool ApplyLevelProperties(Document& doc, int level_id, const LevelProperties& props) {
  Transaction t(doc, TrMark("Level Properties"), Change::Levels | Change::Content);
  Layout& layout = t.layout();
  Level* level = LevelById(layout, level_id);
  if (!level) return false;
  const std::string name = Trim(props.name);
  if (!name.empty()) level->name = name;
  level->trackcolor = props.trackcolor;
  level->r = props.color.r;
  level->g = props.color.g;
  level->b = props.color.b;
  if (props.height_mm && *props.height_mm != level->height) {
    // Pieces move: undoable, with the deck list so the height comes back too.
    t.IncludeLevels();
    const double old_height = level->height;
    level->height = *props.height_mm;
    for (PlacedPiece& p : layout.pieces)
      if (p.level == level_id && p.helix == -1 && std::fabs(p.grade) < 0.001 &&
          std::fabs(p.z - old_height) < kHeightMatchMm)
        p.z = level->height;
  }
  t.Commit();
  return true;
}

LevelContents CountLevelContents(const Layout& layout, int level_id) {
  LevelContents c;
  for (const PlacedPiece& p : layout.pieces)
    if (p.level == level_id && p.helix == -1) ++c.pieces;
  for (const SceneryItem& s : layout.scenery)
    if (s.level == level_id) ++c.scenery;
  c.helices = static_cast<int>(HelicesOnLevel(layout, level_id).size());
  return c;
}

bool RemoveLevel(Document& doc, Prompter& prompter, int level_id) {
  Layout& layout = doc.layout();
  if (layout.levels.size() < 2) {
    prompter.Notify("Remove Level", TrMark("A layout must have at least one level."),
                    PromptIcon::Information);
    return false;
  }
  const Level* level = FindLevel(layout, level_id);
  if (!level) return false;
  const LevelContents c = CountLevelContents(layout, level_id);
  // Built whole: a level's name may be of any length.
  const std::string text = Subst(Tr("Remove level \"%1\"?\n\n"
                                    "This will PERMANENTLY DELETE everything on this level:\n"
                                    "    \u2022 %2 track piece(s)\n"
                                    "    \u2022 %3 scenery item(s)\n"
                                    "    \u2022 %4 helix/helices\n\n"
                                    "This cannot be undone from this dialog. Are you sure?"),
                                 {level->name, std::to_string(c.pieces), std::to_string(c.scenery),
                                  std::to_string(c.helices)});
  if (!prompter.AskTwoButtons(TrMark("Remove Level \u2014 Confirm Deletion"), text,
                              PromptIcon::Warning, TrMark("Delete Level && Contents"), "Cancel",
                              true))
    return false;

  Transaction t(doc, TrMark("Remove Level"), Change::Levels | Change::Content);
  t.IncludeLevels();

  // The pieces and items go through the delete's clean-up: joints on other levels are
  // freed, grade runs anchored on them end, tunnels and helices forget them.
  const std::unordered_set<int> helices = HelicesOnLevel(layout, level_id);
  DeselectAll(layout);
  for (PlacedPiece& p : layout.pieces)
    p.sel = p.helix != -1 ? helices.count(p.helix) > 0 : p.level == level_id;
  for (SceneryItem& s : layout.scenery) s.sel = s.level == level_id;
  RemoveSelectedContent(layout);
  // Helices of the level that had no pieces left.
  std::erase_if(layout.helices, [&](const Helix& h) { return helices.count(h.id) > 0; });

  std::erase_if(layout.levels, [&](const Level& l) { return l.id == level_id; });
  if (layout.active_level == level_id) layout.active_level = layout.levels.front().id;
  t.Commit();
  return true;
}
