// The properties panel's texts for each kind of selection. Lengths follow the layout's
// unit where the panel shows them so; numbers never depend on the locale.
#include "interact/properties_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"
#include "edit/grades.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/units.h"
#include "view/hit_test.h"

namespace {

constexpr std::size_t kTitleEntries = 20;  // a longer list ends in "… and N more"

// A length in the display unit as the height field shows it: three decimals for inches.
std::string HeightText(double mm, Units units) {
  return units.Number(mm, units.code() == Units::kInches ? 3 : 1);
}

void FillLevels(PropertiesView& v, const Layout& layout, int chosen) {
  for (const Level& l : layout.levels) v.levels.push_back({l.name, l.id});
  const auto it = std::find_if(v.levels.begin(), v.levels.end(),
                               [&](const LevelEntry& e) { return e.id == chosen; });
  v.level_index =
      v.levels.empty() ? -1 : static_cast<int>(it == v.levels.end() ? 0 : it - v.levels.begin());
  v.level_enabled = true;
}

void DescribeGrade(PropertiesView& v, const PlacedPiece& p, const PieceDef* def, Units units) {
  const double g = std::fabs(p.grade);
  v.angle = g;
  if (g <= kFlatGradeDeg) return;
  v.down = p.grade < 0;
  v.grade_text = GradeText(p.grade);
  if (def) {
    const double rise = std::sin(DegToRad(p.grade)) * RunLength(*def);
    v.rise_text = Tr("rise ") + std::string(rise >= 0 ? "+" : "-") +
                  HeightText(std::fabs(rise), units) + " " + units.abbreviation();
  }
  if (g > kMaxGradeDeg)
    v.warning = Tr("WARNING: Grade ") + FixedText(g, 1) + Tr(" deg exceeds ") +
                FixedText(kMaxGradeDeg, 0) + Tr(" deg max!");
}

// The choice a piece's colour is: 0 ("Default") without a colour of its own.
int ColorIndex(const PlacedPiece& p) {
  if (!p.has_color) return 0;
  for (std::size_t i = 1; i < kColorChoices.size(); ++i)
    if (kColorChoices[i].color == p.color) return static_cast<int>(i);
  return -1;
}

void DescribePiece(PropertiesView& v, const Layout& layout, const PlacedPiece& p) {
  const PieceDef* def = Catalog::instance().find(p.cat);
  v.title = def ? TrackSystemShortName(def->system) : p.cat;
  v.details = def ? def->name : p.cat;
  if (def && def->length > 0) v.details += "  |  " + FixedText(def->length, 1) + " mm";
  const Units units = Units::Of(layout.units);
  v.height_label = Subst(Tr("Height (%1):"), {units.abbreviation()});
  v.height_text = HeightText(p.z, units);
  v.height_enabled = true;
  v.grade_enabled = true;
  v.color_enabled = true;
  v.color_index = ColorIndex(p);
  DescribeGrade(v, p, def, units);
  FillLevels(v, layout, p.level);
}

void DescribePieces(PropertiesView& v, const Layout& layout) {
  std::vector<const PlacedPiece*> selected;
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel) selected.push_back(&p);
  v.title.clear();
  double total = 0;
  for (std::size_t i = 0; i < selected.size(); ++i) {
    if (i < kTitleEntries) v.title += (i ? " + " : "") + selected[i]->cat;
    if (const PieceDef* def = Catalog::instance().find(selected[i]->cat)) total += def->length;
  }
  if (selected.size() > kTitleEntries)
    v.title += Tr(" … and ") + std::to_string(selected.size() - kTitleEntries) + Tr(" more");
  // The pieces' total keeps a decimal even in millimetres.
  const Units units = Units::Of(layout.units);
  const std::string length =
      units.Number(total, std::max(units.decimals(), 1)) + " " + units.abbreviation();
  v.details = std::to_string(selected.size()) + Tr(" pieces  |  ") + length;
  v.color_enabled = true;
  v.color_index = ColorIndex(*selected.front());
  for (const PlacedPiece* p : selected)
    if (ColorIndex(*p) != v.color_index) v.color_index = -1;
  const bool mixed = std::any_of(selected.begin(), selected.end(), [&](const PlacedPiece* p) {
    return p->level != selected.front()->level;
  });
  if (mixed) {
    v.levels.push_back({TrMark("(mixed)"), -1});
    for (const Level& l : layout.levels) v.levels.push_back({l.name, l.id});
    v.level_index = 0;
    v.level_enabled = true;
  } else {
    FillLevels(v, layout, selected.front()->level);
  }
}

void DescribeScenery(PropertiesView& v, const Layout& layout, const SceneryItem& s) {
  const SceneryDef* def = SceneryCatalog::instance().find(s.item);
  v.title = def ? def->name : s.item;
  v.details = "Scenery";
  if (def)
    v.details += "  |  " + FixedText(def->width * s.scalex, 0) + " x " +
                 FixedText(def->depth * s.scaley, 0) + " mm";
  FillLevels(v, layout, s.level);
}

void DescribeShape(PropertiesView& v, const Layout& layout, const LayoutShape& s) {
  v.title = s.label.empty() ? TrMark("(unnamed shape)") : s.label;
  if (s.vertices.empty()) {
    v.details = TrMark("Polygon  |  (no vertices)");
  } else {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    for (const Point& p : s.vertices) {
      x0 = std::min(x0, p.x);
      x1 = std::max(x1, p.x);
      y0 = std::min(y0, p.y);
      y1 = std::max(y1, p.y);
    }
    v.details = Tr("Polygon  |  ") + std::to_string(s.vertices.size()) + Tr(" verts  |  ") +
                FixedText(x1 - x0, 0) + " x " + FixedText(y1 - y0, 0) + Tr(" mm  |  height ") +
                FixedText(s.height, 0) + " mm";
  }
  FillLevels(v, layout, s.level);
}

void DescribeHelix(PropertiesView& v, const Layout& layout, const Helix& h) {
  const HelixDef* def = HelixCatalog::resolve(h.variant);
  const Units units = Units::Of(layout.units);
  v.title = def ? def->name : TrMark("Helix");
  if (def)
    v.details = FixedText(def->turns, 1) + Tr(" turns  |  rise ") + units.Number(def->rise, 1) +
                " " + units.abbreviation() + "  |  R1 " + FixedText(def->inner_radius, 1) +
                " / R2 " + FixedText(def->outer_radius, 1) + " mm";
  v.height_label = Subst(Tr("Base height (%1):"), {units.abbreviation()});
  const int bottom = FindPiece(layout, h.bottomR1);
  v.height_text =
      HeightText(bottom < 0 ? 0.0 : layout.pieces[static_cast<std::size_t>(bottom)].z, units);
  v.height_enabled = true;
  FillLevels(v, layout, HelixLevel(layout, h.id));
}

std::string OtherTitle(const Layout& layout) {
  std::string title;
  auto add = [&](std::size_t n, const char* one, const char* many) {
    if (n == 0) return;
    title += (title.empty() ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? one : many);
  };
  auto count = [](const auto& list) {
    return static_cast<std::size_t>(
        std::count_if(list.begin(), list.end(), [](const auto& o) { return o.sel; }));
  };
  add(count(layout.pieces), TrMark("piece"), TrMark("pieces"));
  add(count(layout.scenery), TrMark("scenery item"), TrMark("scenery items"));
  add(count(layout.shapes), TrMark("shape"), TrMark("shapes"));
  add(count(layout.labels), TrMark("label"), TrMark("labels"));
  add(count(layout.measures), TrMark("measurement"), TrMark("measurements"));
  return title;
}

}  // namespace

PropertiesView DescribeSelection(const Layout& layout) {
  PropertiesView v;
  v.shown = WhatIsShown(layout);
  v.height_label = Subst(Tr("Height (%1):"), {Units::Of(layout.units).abbreviation()});
  switch (v.shown.kind) {
    case ShownKind::Piece:
      DescribePiece(v, layout,
                    layout.pieces[static_cast<std::size_t>(FindPiece(layout, v.shown.id))]);
      break;
    case ShownKind::Pieces:
      v.height_label.clear();
      DescribePieces(v, layout);
      break;
    case ShownKind::Scenery:
    case ShownKind::Shape:
      v.height_label = TrMark("Height:");
      v.height_text = "-";
      if (v.shown.kind == ShownKind::Scenery)
        DescribeScenery(v, layout,
                        layout.scenery[static_cast<std::size_t>(FindScenery(layout, v.shown.id))]);
      else
        DescribeShape(v, layout,
                      *std::find_if(layout.shapes.begin(), layout.shapes.end(),
                                    [&](const LayoutShape& s) { return s.id == v.shown.id; }));
      break;
    case ShownKind::Helix:
      DescribeHelix(v, layout,
                    *std::find_if(layout.helices.begin(), layout.helices.end(),
                                  [&](const Helix& h) { return h.id == v.shown.id; }));
      break;
    case ShownKind::Other:
      v.title = OtherTitle(layout);
      break;
    case ShownKind::None:
      break;
  }
  return v;
}

std::string PropertiesText(const PropertiesView& v) {
  std::string out;
  auto line = [&](const char* name, const std::string& text) {
    out += name;
    out += ": ";
    out += text;
    out += '\n';
  };
  line("title", v.title);
  line("details", v.details);
  line("height label", v.height_label);
  line("height", v.height_text);
  line("grade", v.grade_text);
  line("rise", v.rise_text);
  line("warning", v.warning);
  line("angle", FixedText(v.angle, 1));
  if (v.down) line("direction", *v.down ? "DOWN" : "UP");
  if (v.color_enabled)
    line("color",
         v.color_index >= 0 ? kColorChoices[static_cast<std::size_t>(v.color_index)].name : "");
  std::string level;
  if (v.level_index >= 0 && v.level_index < static_cast<int>(v.levels.size()))
    level = v.levels[static_cast<std::size_t>(v.level_index)].name;
  line("level", level);
  return out;
}
