// The plan check. Every piece and every helix's rings is an item with its centre lines
// and box, kept in a grid of square cells; items near each other are tested pair by pair.
// An update compares the layout with the copy it kept and re-checks the changed items
// and the items joined to them (their relations changed too) against their neighbours.
#include "edit/plan_check.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/track_system.h"
#include "edit/grades.h"
#include "edit/plan_geometry.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/world_connectors.h"

namespace {

constexpr double kCellMm = 300.0;
// The widest reach of any pair: two H0 bands.
constexpr double kMaxReachMm = kTrackSpacingBands * 2 * 18.7;
// Grades are set in half degrees; the limit itself is allowed.
constexpr double kGradeSlackDeg = 1e-6;

std::int64_t CellKey(std::int64_t cx, std::int64_t cy) {
  return (cx << 32) ^ (cy & 0xffffffffLL);
}
std::int64_t CellOf(double v) {
  return static_cast<std::int64_t>(std::floor(v / kCellMm));
}

// The fields of a piece the check reads; its selection, colour and flags do not count.
bool SameForCheck(const PlacedPiece& a, const PlacedPiece& b) {
  return a.id == b.id && a.x == b.x && a.y == b.y && a.heading == b.heading && a.z == b.z &&
         a.grade == b.grade && a.rev == b.rev && a.level == b.level && a.helix == b.helix &&
         a.cat == b.cat && a.joints == b.joints;
}

// A helix's rings are keyed by the negative helix id; pieces by their ids.
int RingKey(int helix_id) {
  return -helix_id;
}

struct Item {
  int key = 0;
  bool live = false;
  bool dirty = false;
  int piece_index = -1;  // in the layout last seen; -1 for rings
  int named = -1;        // the piece the texts name
  int level = 1;
  int group = 0;  // the helix of a stub or of rings
  bool turntable = false;
  double half_width = 18.7;
  double clearance = 65.0;
  std::vector<int> near;  // keys of the items joined to it
  int hub = 0;            // a turntable within two joints
  std::vector<Segment3> segs;
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  std::vector<std::int64_t> cells;
  std::uint32_t stamp = 0;
};

// A conflict with the items it belongs to, so that a re-check can drop it.
struct Found {
  PlanConflict c;
  int ka = 0;
  int kb = 0;
};

bool Contains(const std::vector<int>& v, int x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

bool SortsBefore(const PlanConflict& x, const PlanConflict& y) {
  if (x.kind != y.kind) return x.kind < y.kind;
  if (x.a != y.a) return x.a < y.a;
  if (x.b != y.b) return x.b < y.b;
  if (x.conn_a != y.conn_a) return x.conn_a < y.conn_a;
  return x.conn_b < y.conn_b;
}

bool SameConflict(const PlanConflict& x, const PlanConflict& y) {
  return x.kind == y.kind && x.a == y.a && x.b == y.b && x.conn_a == y.conn_a &&
         x.conn_b == y.conn_b;
}

// One decimal, never "-0.0".
std::string Mm1(double v) {
  std::string s = FixedText(v, 1);
  if (s == "-0.0") s = "0.0";
  return s;
}

std::string XY(Point p) {
  return "x=" + Mm1(p.x) + " y=" + Mm1(p.y);
}

}  // namespace

double DefaultClearanceMm(int track_system) {
  return track_system == MarklinZ || track_system == RokuhanZ ? 30.0 : 65.0;
}

std::string ConflictText(const PlanConflict& c) {
  const std::string a = std::to_string(c.a), b = std::to_string(c.b);
  switch (c.kind) {
    case ConflictKind::HeightStep:
      return Tr("height step ") + FixedText(c.value, 1) + Tr(" mm at joint ") + a + " " +
             std::to_string(c.conn_a) + " -> " + b + " " + std::to_string(c.conn_b) + " (" +
             PlaceText(c.at) + ")";
    case ConflictKind::Collision:
      return Tr("collision pieces ") + a + Tr(" and ") + b + Tr(" at ") + XY(c.at) +
             Tr(" (level ") + std::to_string(c.level) + ")";
    case ConflictKind::Clearance:
      return Tr("clearance ") + FixedText(c.value, 1) + " mm < " + FixedText(c.limit, 1) +
             Tr(" mm, piece ") + a + Tr(" over piece ") + b + Tr(" at ") + XY(c.at);
    case ConflictKind::SteepGrade:
      return Tr("grade ") + FixedText(c.value, 1) + Tr(" deg on piece ") + a + Tr(" exceeds ") +
             FixedText(c.limit, 0) + Tr(" deg");
  }
  return {};
}

std::string PlaceText(Point at) {
  return "x=" + Mm1(at.x) + ", y=" + Mm1(at.y);
}

std::vector<int> ConflictPieces(const PlanConflict& c) {
  if (c.b == -1 || c.b == c.a) return {c.a};
  return {c.a, c.b};
}

struct PlanChecker::State {
  PlanCheckOptions options;
  bool full = true;
  std::vector<Item> items;
  std::vector<int> free_slots;
  std::unordered_map<int, int> slot;  // item key -> position in items
  std::vector<PlacedPiece> seen;      // the pieces as last checked
  std::vector<Helix> seen_helices;
  std::unordered_map<std::int64_t, std::vector<int>> grid;  // cell -> item slots
  std::vector<Found> found;
  std::vector<PlanConflict> conflicts;
  std::size_t rechecked = 0;
  std::uint32_t stamp = 0;

  Item* Find(int key) {
    const auto it = slot.find(key);
    return it == slot.end() ? nullptr : &items[static_cast<std::size_t>(it->second)];
  }
  int TakeSlot(int key) {
    int s;
    if (!free_slots.empty()) {
      s = free_slots.back();
      free_slots.pop_back();
    } else {
      s = static_cast<int>(items.size());
      items.emplace_back();
    }
    items[static_cast<std::size_t>(s)] = Item{};
    items[static_cast<std::size_t>(s)].key = key;
    items[static_cast<std::size_t>(s)].live = true;
    slot[key] = s;
    return s;
  }
  void Unplace(int s) {
    Item& it = items[static_cast<std::size_t>(s)];
    for (const std::int64_t cell : it.cells) {
      auto g = grid.find(cell);
      if (g == grid.end()) continue;
      std::erase(g->second, s);
      if (g->second.empty()) grid.erase(g);
    }
    it.cells.clear();
  }
  void Place(int s) {
    Item& it = items[static_cast<std::size_t>(s)];
    if (it.segs.empty()) return;
    for (std::int64_t cx = CellOf(it.min_x); cx <= CellOf(it.max_x); ++cx)
      for (std::int64_t cy = CellOf(it.min_y); cy <= CellOf(it.max_y); ++cy) {
        it.cells.push_back(CellKey(cx, cy));
        grid[CellKey(cx, cy)].push_back(s);
      }
  }
  void Remove(int key) {
    const auto f = slot.find(key);
    if (f == slot.end()) return;
    Unplace(f->second);
    items[static_cast<std::size_t>(f->second)] = Item{};
    free_slots.push_back(f->second);
    slot.erase(f);
  }

  void Reset() {
    items.clear();
    free_slots.clear();
    slot.clear();
    seen.clear();
    seen_helices.clear();
    grid.clear();
    found.clear();
  }

  void BuildPiece(const Layout& layout, std::size_t index);
  void BuildRings(const Layout& layout, const Helix& helix);
  void Hub(Item& it);
  bool Related(const Item& a, const Item& b) const;
  void CheckPiece(const Layout& layout, const Item& it);
  void CheckPair(const Item& a, const Item& b);
  void Recheck(const Layout& layout, const std::vector<int>& changed);
  std::vector<int> Diff(const Layout& layout);
};

namespace {

void SetBox(Item& it) {
  if (it.segs.empty()) return;
  it.min_x = it.max_x = it.segs[0].a.x;
  it.min_y = it.max_y = it.segs[0].a.y;
  for (const Segment3& s : it.segs)
    for (const Point p : {s.a, s.b}) {
      it.min_x = std::min(it.min_x, p.x);
      it.max_x = std::max(it.max_x, p.x);
      it.min_y = std::min(it.min_y, p.y);
      it.max_y = std::max(it.max_y, p.y);
    }
}

bool BoxesNear(const Segment3& p, const Segment3& q, double reach) {
  return std::min(p.a.x, p.b.x) - reach <= std::max(q.a.x, q.b.x) &&
         std::min(q.a.x, q.b.x) - reach <= std::max(p.a.x, p.b.x) &&
         std::min(p.a.y, p.b.y) - reach <= std::max(q.a.y, q.b.y) &&
         std::min(q.a.y, q.b.y) - reach <= std::max(p.a.y, p.b.y);
}

// The middle of a piece's first route, where a grade is marked.
Point Middle(const Item& it, const PlacedPiece& p) {
  if (it.segs.empty()) return {p.x, p.y};
  const std::size_t n = it.segs.size();
  const Segment3& s = it.segs[n / 2];
  if (n % 2 == 1) return {(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2};
  return s.a;
}

}  // namespace

void PlanChecker::State::BuildPiece(const Layout& layout, std::size_t index) {
  const PlacedPiece& p = layout.pieces[index];
  Item& it = items[static_cast<std::size_t>(slot.at(p.id))];
  it.piece_index = static_cast<int>(index);
  it.named = p.id;
  it.level = p.level;
  it.group = p.helix != -1 ? p.helix : 0;
  it.near.clear();
  for (const Joint& j : p.joints)
    if (j.target != -1 && j.target != p.id) it.near.push_back(j.target);
  it.segs.clear();
  if (const PieceDef* def = Catalog::instance().find(p.cat)) {
    it.turntable = def->kind == PieceKind::Turntable;
    it.half_width = TrackHalfWidth(def->system);
    it.clearance = options.clearance_mm ? *options.clearance_mm : DefaultClearanceMm(def->system);
    PieceCentreLines(p, *def, it.segs);
  }
  SetBox(it);
}

void PlanChecker::State::BuildRings(const Layout& layout, const Helix& helix) {
  Item& it = items[static_cast<std::size_t>(slot.at(RingKey(helix.id)))];
  it.group = helix.id;
  it.named = helix.id;
  it.near.clear();
  it.segs.clear();
  double base = 0;
  bool based = false;
  for (const int stub : {helix.bottomR1, helix.bottomR2, helix.topR1, helix.topR2}) {
    const Item* s = stub != -1 ? Find(stub) : nullptr;
    if (!s || s->piece_index < 0) continue;
    const PlacedPiece& p = layout.pieces[static_cast<std::size_t>(s->piece_index)];
    if (it.near.empty()) {
      it.named = stub;
      it.level = p.level;
    }
    it.near.push_back(stub);
    if (!based && (stub == helix.bottomR1 || stub == helix.bottomR2)) {
      base = p.z;
      based = true;
    }
  }
  const HelixDef* def = HelixCatalog::resolve(helix.variant);
  if (!def) return;
  const PieceDef* curve = Catalog::instance().find(def->inner_curve_id);
  const int system = curve ? curve->system : MarklinC;
  it.half_width = TrackHalfWidth(system);
  it.clearance = options.clearance_mm ? *options.clearance_mm : DefaultClearanceMm(system);
  HelixCentreLines(helix, *def, base, it.segs);
  SetBox(it);
}

// A turntable's tracks all meet at its pit: track within two joints of the same turntable
// runs side by side there by design.
void PlanChecker::State::Hub(Item& it) {
  it.hub = it.turntable ? it.key : 0;
  for (const int n : it.near) {
    if (it.hub) return;
    const Item* ni = Find(n);
    if (!ni) continue;
    if (ni->turntable) {
      it.hub = n;
      return;
    }
    for (const int m : ni->near) {
      const Item* mi = Find(m);
      if (mi && mi->turntable) {
        it.hub = m;
        return;
      }
    }
  }
}

// Joined pieces, pieces joined to one common piece (turnout siblings), one helix's
// stubs and rings and the tracks of one turntable may come as close as they like.
bool PlanChecker::State::Related(const Item& a, const Item& b) const {
  if (a.group != 0 && a.group == b.group) return true;
  if (a.hub != 0 && a.hub == b.hub) return true;
  if (Contains(a.near, b.key) || Contains(b.near, a.key)) return true;
  for (const int n : a.near)
    if (Contains(b.near, n)) return true;
  return false;
}

void PlanChecker::State::CheckPiece(const Layout& layout, const Item& it) {
  if (it.piece_index < 0) return;
  const PlacedPiece& p = layout.pieces[static_cast<std::size_t>(it.piece_index)];
  if (std::fabs(p.grade) > kMaxGradeDeg + kGradeSlackDeg) {
    PlanConflict c{ConflictKind::SteepGrade, p.id,        -1, -1, -1, Middle(it, p), p.level,
                   std::fabs(p.grade),       kMaxGradeDeg};
    found.push_back({c, it.key, it.key});
  }
  for (std::size_t c = 0; c < p.joints.size(); ++c) {
    const Joint& j = p.joints[c];
    if (j.target == -1 || j.target == p.id) continue;
    const Item* other = Find(j.target);
    if (!other || other->piece_index < 0) continue;
    if (other->dirty && other->key < it.key) continue;  // found from that side
    const PlacedPiece& t = layout.pieces[static_cast<std::size_t>(other->piece_index)];
    const double step = std::fabs(ElevationAt(p, static_cast<int>(c)) - ElevationAt(t, j.tconn));
    if (!(step > kHeightStepMm)) continue;
    // Marked at the end of the lower id, whichever side found it.
    const bool mine = p.id < t.id;
    const PlacedPiece& low = mine ? p : t;
    const int low_conn = mine ? static_cast<int>(c) : j.tconn;
    Point at{low.x, low.y};
    if (const PieceDef* def = Catalog::instance().find(low.cat);
        def && low_conn >= 0 && low_conn < static_cast<int>(def->connectors.size())) {
      const Connector w = WorldConnectors(low, *def)[static_cast<std::size_t>(low_conn)];
      at = {w.x, w.y};
    }
    PlanConflict found_step{ConflictKind::HeightStep,
                            mine ? p.id : t.id,
                            mine ? t.id : p.id,
                            mine ? static_cast<int>(c) : j.tconn,
                            mine ? j.tconn : static_cast<int>(c),
                            at,
                            mine ? p.level : t.level,
                            step,
                            kHeightStepMm};
    found.push_back({found_step, it.key, other->key});
  }
}

void PlanChecker::State::CheckPair(const Item& a, const Item& b) {
  const double reach = kTrackSpacingBands * (a.half_width + b.half_width);
  const double limit = std::max(a.clearance, b.clearance);
  bool touches = false, over = false, a_above = false;
  double touch_distance = 0, clearance = 0;
  Point touch_at, clearance_at;
  for (const Segment3& p : a.segs)
    for (const Segment3& q : b.segs) {
      if (!BoxesNear(p, q, reach)) continue;
      const Approach ap = ClosestApproach(p, q, reach, kSameHeightMm);
      if (!ap.near) continue;
      if (ap.touches && (!touches || ap.touch_distance < touch_distance)) {
        touches = true;
        touch_distance = ap.touch_distance;
        touch_at = ap.touch_at;
      }
      if (ap.over && (!over || ap.clearance < clearance)) {
        over = true;
        clearance = ap.clearance;
        clearance_at = ap.clearance_at;
        a_above = ap.first_above;
      }
    }
  if (touches) {
    const bool first = a.named < b.named;
    const Item& x = first ? a : b;
    const Item& y = first ? b : a;
    found.push_back({{ConflictKind::Collision, x.named, y.named, -1, -1, touch_at, x.level, 0, 0},
                     a.key,
                     b.key});
  } else if (over && clearance < limit) {
    const Item& up = a_above ? a : b;
    const Item& down = a_above ? b : a;
    found.push_back({{ConflictKind::Clearance, up.named, down.named, -1, -1, clearance_at, up.level,
                      clearance, limit},
                     a.key,
                     b.key});
  }
}

// Re-checks the dirty items: each against its neighbours in the grid, once per pair.
void PlanChecker::State::Recheck(const Layout& layout, const std::vector<int>& dirty) {
  std::erase_if(found, [&](const Found& f) {
    const Item* a = Find(f.ka);
    const Item* b = Find(f.kb);
    return !a || !b || a->dirty || b->dirty;
  });
  for (const int key : dirty) {
    Item* it = Find(key);
    if (!it) continue;
    CheckPiece(layout, *it);
    if (it->segs.empty()) continue;
    const std::uint32_t mark = ++stamp;
    const int self = slot.at(key);
    items[static_cast<std::size_t>(self)].stamp = mark;
    for (std::int64_t cx = CellOf(it->min_x - kMaxReachMm); cx <= CellOf(it->max_x + kMaxReachMm);
         ++cx)
      for (std::int64_t cy = CellOf(it->min_y - kMaxReachMm); cy <= CellOf(it->max_y + kMaxReachMm);
           ++cy) {
        const auto g = grid.find(CellKey(cx, cy));
        if (g == grid.end()) continue;
        for (const int s : g->second) {
          Item& other = items[static_cast<std::size_t>(s)];
          if (other.stamp == mark) continue;
          other.stamp = mark;
          if (other.dirty && other.key < key) continue;  // that item checks the pair
          const double reach = kTrackSpacingBands * (it->half_width + other.half_width);
          if (other.min_x - reach > it->max_x || it->min_x - reach > other.max_x ||
              other.min_y - reach > it->max_y || it->min_y - reach > other.max_y)
            continue;
          if (Related(*it, other)) continue;
          CheckPair(*it, other);
        }
      }
  }
  for (const int key : dirty)
    if (Item* it = Find(key)) it->dirty = false;
  rechecked = dirty.size();
  conflicts.clear();
  conflicts.reserve(found.size());
  for (const Found& f : found) conflicts.push_back(f.c);
  std::sort(conflicts.begin(), conflicts.end(), SortsBefore);
  conflicts.erase(std::unique(conflicts.begin(), conflicts.end(), SameConflict), conflicts.end());
}

// The keys of the items that changed since the last check (pieces and helices added,
// changed or removed), with the items joined to them before and after; the changed
// items are built again and the removed ones dropped.
std::vector<int> PlanChecker::State::Diff(const Layout& layout) {
  std::vector<int> changed, removed;
  std::vector<std::size_t> rebuild;
  const std::size_t n = layout.pieces.size();
  bool same_order = n == seen.size();
  for (std::size_t i = 0; same_order && i < n; ++i) same_order = layout.pieces[i].id == seen[i].id;
  if (same_order) {
    for (std::size_t i = 0; i < n; ++i)
      if (!SameForCheck(layout.pieces[i], seen[i])) rebuild.push_back(i);
  } else {
    std::unordered_map<int, std::size_t> now;
    now.reserve(n);
    for (std::size_t i = 0; i < n; ++i) now.emplace(layout.pieces[i].id, i);
    for (const PlacedPiece& old : seen)
      if (!now.count(old.id)) removed.push_back(old.id);
    for (std::size_t i = 0; i < n; ++i) {
      const PlacedPiece& p = layout.pieces[i];
      const Item* it = Find(p.id);
      if (!it || it->piece_index < 0 ||
          !SameForCheck(p, seen[static_cast<std::size_t>(it->piece_index)]))
        rebuild.push_back(i);
      else if (Item* moved = Find(p.id))
        moved->piece_index = static_cast<int>(i);
    }
  }
  changed = removed;
  for (const std::size_t i : rebuild) changed.push_back(layout.pieces[i].id);
  // The rings follow their helix and their bottom stubs.
  std::vector<int> helices;
  for (const Helix& h : layout.helices) {
    const auto old = std::find_if(seen_helices.begin(), seen_helices.end(),
                                  [&](const Helix& o) { return o.id == h.id; });
    if (old == seen_helices.end() || !(*old == h)) helices.push_back(h.id);
  }
  for (const Helix& o : seen_helices)
    if (std::none_of(layout.helices.begin(), layout.helices.end(),
                     [&](const Helix& h) { return h.id == o.id; }))
      helices.push_back(o.id);
  for (const int id : changed) {
    const Item* it = Find(id);
    if (it && it->group) helices.push_back(it->group);
  }
  for (const std::size_t i : rebuild)
    if (layout.pieces[i].helix != -1) helices.push_back(layout.pieces[i].helix);
  std::sort(helices.begin(), helices.end());
  helices.erase(std::unique(helices.begin(), helices.end()), helices.end());

  std::vector<int> dirty;
  const auto touch = [&](int key) {
    if (Item* it = Find(key); it && !it->dirty) {
      it->dirty = true;
      dirty.push_back(key);
    }
  };
  // Before: what the changed items were joined to.
  for (const int id : changed)
    if (const Item* it = Find(id))
      for (const int k : it->near) touch(k);
  for (const int h : helices)
    if (const Item* it = Find(RingKey(h)))
      for (const int k : it->near) touch(k);
  // Removed pieces and helices go; the rest is built again.
  for (const int id : removed) Remove(id);
  for (const std::size_t i : rebuild) {
    const int id = layout.pieces[i].id;
    if (const auto f = slot.find(id); f != slot.end())
      Unplace(f->second);
    else
      TakeSlot(id);
    BuildPiece(layout, i);
    Place(slot.at(id));
  }
  for (const int h : helices) {
    Remove(RingKey(h));
    const auto helix = std::find_if(layout.helices.begin(), layout.helices.end(),
                                    [&](const Helix& x) { return x.id == h; });
    if (helix == layout.helices.end()) continue;
    TakeSlot(RingKey(h));
    BuildRings(layout, *helix);
    Place(slot.at(RingKey(h)));
  }
  // After: the changed items and what they are joined to now.
  for (const std::size_t i : rebuild) {
    touch(layout.pieces[i].id);
    if (const Item* it = Find(layout.pieces[i].id))
      for (const int k : it->near) touch(k);
  }
  for (const int h : helices) {
    touch(RingKey(h));
    if (const Item* it = Find(RingKey(h)))
      for (const int k : it->near) touch(k);
  }
  if (!same_order) {
    seen = layout.pieces;
  } else {
    for (const std::size_t i : rebuild) seen[i] = layout.pieces[i];
  }
  if (!helices.empty()) seen_helices = layout.helices;
  return dirty;
}

PlanChecker::PlanChecker(PlanCheckOptions options) : s_(std::make_unique<State>()) {
  s_->options = options;
}
PlanChecker::~PlanChecker() = default;
PlanChecker::PlanChecker(PlanChecker&&) noexcept = default;
PlanChecker& PlanChecker::operator=(PlanChecker&&) noexcept = default;

void PlanChecker::SetOptions(const PlanCheckOptions& options) {
  if (options == s_->options) return;
  s_->options = options;
  s_->full = true;
}

const std::vector<PlanConflict>& PlanChecker::conflicts() const {
  return s_->conflicts;
}

std::size_t PlanChecker::last_rechecked() const {
  return s_->rechecked;
}

const std::vector<PlanConflict>& PlanChecker::Update(const Layout& layout) {
  State& s = *s_;
  if (s.full) {
    s.Reset();
    s.full = false;
  }
  std::vector<int> dirty = s.Diff(layout);
  for (const int key : dirty)
    if (Item* it = s.Find(key)) s.Hub(*it);
  s.Recheck(layout, dirty);
  return s.conflicts;
}

std::vector<PlanConflict> CheckPlan(const Layout& layout, const PlanCheckOptions& options) {
  PlanChecker checker(options);
  return checker.Update(layout);
}
