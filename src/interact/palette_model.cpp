// Palette groups. Articles the catalog does not know produce no row.
#include "interact/palette_model.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/track_system.h"
#include "model/translate.h"

namespace {

struct Group {
  const char* name;
  std::vector<const char*> articles;
  bool helices = false;
};

const std::vector<std::vector<Group>>& Groups() {
  static const std::vector<std::vector<Group>> groups = {
      {
          {TrMark("Straights"),
           {"24064", "24071", "24077", "24094", "24172", "24188", "24229", "24236", "24360"}},
          {TrMark("Curves"),
           {"24130", "24115", "24107", "24230", "24294", "24224", "24215", "24207", "24206",
            "24330", "24315", "24430", "24530", "24912"}},
          {TrMark("Switches"), {"24611", "24612", "24671", "24672", "24630"}},
          {TrMark("Crossings"), {"24640", "24649", "24740"}},
          {TrMark("Double Slip Switches"), {"24624", "24720"}},
          {TrMark("Slim Switches"), {"24711", "24712", "24771", "24772"}},
          {TrMark("Circuit Tracks"), {"24994", "24294"}},
          {TrMark("Other"), {"24997", "24977", "24978", "24922", "74861", "74871"}},
          {TrMark("Bridges"), {"74636", "74620", "74623", "74613", "74618"}},
          {TrMark("Helix"), {}, true},
      },
      {
          {TrMark("Straights"),
           {"2200", "2201", "2202", "2203", "2204", "2205", "2206", "2207", "2208", "2209",
            "2293"}},
          {TrMark("Special Track"), {"2290", "2291", "2292", "2295", "2297", "2299"}},
          {TrMark("Curves R1 (360mm)"), {"2210", "2229"}},
          {TrMark("Curves R2 (424.6mm)"), {"2221", "2223", "2224", "2239"}},
          {TrMark("Curves R3 (515mm)"), {"2231", "2232", "2233", "2234", "2235"}},
          {TrMark("Curves R4 (573.6mm)"), {"2241", "2251"}},
          {TrMark("Curves R5 (636mm)"), {"2274"}},
          {TrMark("Crossings"), {"2257", "2258", "2259"}},
          {TrMark("Turnouts"),
           {"2262", "2263", "2265", "2266", "2268", "2269", "2270", "22715", "22716"}},
          {TrMark("Double Slip Switches"), {"2260", "2275"}},
          {TrMark("Bumpers"), {"7389", "7391"}},
          {TrMark("Bridges"), {"7263", "7262", "7569", "7267"}},
      },
      {
          {TrMark("Straights"),
           {"62064", "62071", "62077", "62094", "62172", "62188", "62229", "62236", "62360"}},
          {TrMark("Curves R1 (360mm)"), {"62107", "62115", "62130"}},
          {TrMark("Curves R2 (437.5mm)"), {"62206", "62207", "62215", "62224", "62230"}},
          {TrMark("Curves R3 (515mm)"), {"62315", "62330"}},
          {TrMark("Curves R9 (1114.6mm)"), {"62912"}},
          {TrMark("Switches"), {"62611", "62612", "62671", "62672", "62630"}},
          {TrMark("Double Slip Switches"), {"62624"}},
          {TrMark("Other"), {"62977", "62997"}},
          {TrMark("Bridges"), {"62636", "62620", "62623", "62613"}},
      },
      {
          {TrMark("Straights"), {"8500", "8501", "8502", "8503", "8504", "8505", "8506", "8507"}},
          {TrMark("Curves R1 (145mm)"), {"8510", "8511"}},
          {TrMark("Curves R2 (195mm)"), {"8520", "8521", "8529"}},
          {TrMark("Curves R3 (220mm)"), {"8530", "8531", "8539"}},
          {TrMark("Turnout Branch Curve"), {"8591"}},
          {TrMark("Turnouts"), {"8562", "8563", "8565", "8566"}},
          {TrMark("Curved Turnouts"), {"8568", "8569"}},
          {TrMark("Crossings"), {"8559", "8560"}},
          {TrMark("Other"), {"8587", "8588", "8590", "8598", "8991"}},
          {TrMark("Bridges"), {"8975", "89759", "8976", "8977"}},
      },
  };
  return groups;
}

}  // namespace

const std::vector<std::string>& PaletteSystemNames() {
  static const std::vector<std::string> names = {TrMark("Marklin C-Track"),
                                                 TrMark("Marklin K-Track"), TrMark("TRIX C-Track"),
                                                 TrMark("Marklin Z-Track")};
  return names;
}

int SystemOfChooserIndex(int index) {
  switch (index) {
    case 0:
      return MarklinC;
    case 1:
      return MarklinK;
    case 2:
      return TrixC;
    case 3:
      return MarklinZ;
    default:
      return -1;
  }
}

std::vector<PaletteRow> TrackRows(int chooser_index) {
  std::vector<PaletteRow> rows;
  if (chooser_index < 0 || chooser_index >= static_cast<int>(Groups().size())) return rows;
  for (const Group& g : Groups()[static_cast<std::size_t>(chooser_index)]) {
    rows.push_back({"--- " + Tr(std::string_view(g.name)), ""});
    for (const char* id : g.articles)
      if (const PieceDef* d = Catalog::instance().find(id)) rows.push_back({d->name, d->id});
    if (g.helices)
      for (const HelixDef& h : HelixCatalog::all())
        rows.push_back({h.name, kHelixRowPrefix + h.id});
  }
  return rows;
}

std::vector<SceneryRow> SceneryRows() {
  static const int kListed[] = {kPlatforms, kStations, kBridges, kNature, 10};
  std::vector<SceneryRow> rows;
  int last = -1000;
  for (const SceneryDef& d : SceneryCatalog::instance().all()) {
    if (std::find(std::begin(kListed), std::end(kListed), d.category) == std::end(kListed))
      continue;
    if (d.category != last)
      rows.push_back({"--- " + Tr(std::string_view(SceneryCategoryName(d.category))), nullptr});
    last = d.category;
    rows.push_back({d.name, &d});
  }
  return rows;
}

std::string SignalGroupName(const SceneryDef& def) {
  if (def.id.find("semaphore") != std::string::npos) return TrMark("Semaphore");
  if (def.id.find("color") != std::string::npos) return TrMark("Color light");
  if (def.id.find("distant") != std::string::npos) return TrMark("Distant");
  return TrMark("Other");
}

std::vector<SceneryRow> SignalRows(int chooser_index) {
  std::vector<SceneryRow> rows;
  std::string last;
  for (const SceneryDef& d : SceneryCatalog::instance().all()) {
    if (d.category != kSignals || d.z_scale != (chooser_index == 3)) continue;
    const std::string group = SignalGroupName(d);
    if (rows.empty() || group != last)
      rows.push_back({"--- " + Tr(std::string_view(group)), nullptr});
    last = group;
    rows.push_back({d.name, &d});
  }
  return rows;
}

int ChooserIndexForLayout(const Layout& layout) {
  bool seen[4] = {false, false, false, false};
  for (const PlacedPiece& p : layout.pieces) {
    const PieceDef* d = Catalog::instance().find(p.cat);
    if (d && d->system >= 0 && d->system <= 3) seen[d->system] = true;
  }
  if (seen[MarklinC]) return 0;
  if (seen[MarklinK]) return 1;
  if (seen[TrixC]) return 2;
  if (seen[MarklinZ]) return 3;
  return 0;
}

ViewTransform PreviewTransform(const PieceDef& def) {
  const double length = std::max(1.0, def.length);
  double s =
      def.radius > 0 ? std::fabs((1 - std::cos(DegToRad(def.angle))) * def.radius) * 2.5 : 1.0;
  s = std::max(s, 40.0);
  const double s2 = def.connectors.size() < 3 ? s : std::max(60.0, s);
  double zoom = 0.8 * std::min(33.0 / s2, 68.0 / length);
  zoom = std::max(std::min(zoom, 3.0), 0.05);
  return {zoom, 40 - length * zoom / 2, 30.5};
}
