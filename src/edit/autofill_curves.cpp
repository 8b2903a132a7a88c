// Curve fills by a bounded depth-first search over curve sequences. Straights only
// translate what follows them, so for a sequence whose net turn matches, the straight
// segments solve a 2 x 2 system and are filled from a table of fewest straights per
// length; every candidate chain is then laid for real and checked at its end.
#include "edit/autofill_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "catalog/catalog.h"
#include "edit/autofill.h"
#include "model/number_text.h"
#include "model/world_connectors.h"

namespace {

constexpr double kStepMm = 0.1;       // length resolution of the straight table
constexpr double kTableMm = 12000.0;  // longest straight segment considered
constexpr std::uint16_t kUnreachable = 0xffff;
constexpr double kMinSegmentSine = 0.087;  // about 5 degrees between two segments
constexpr double kMaxWindowMm = 10.0;      // how far one segment may stray from its ideal
constexpr std::size_t kFillVariants = 3;   // straight fillings tried per solved segment
constexpr double kSameHeadingDeg = 1e-6;

// What laying a piece does, in the frame of the direction it is entered in.
struct Move {
  double x = 0;
  double y = 0;
  double turn = 0;
};

Move MoveOf(const PieceDef& def, int entry, int exit) {
  const Connector start(0, 0, 0, 0);
  const Connector end =
      WorldConnectorsAt(def, MatePose(def, entry, start))[static_cast<std::size_t>(exit)];
  return {end.x, end.y, FoldAngle(end.angle)};
}

struct CurveOption {
  const PieceDef* def;
  bool reversed;
  int hand;   // +1 clockwise on the screen, -1 the other way
  int order;  // in the curve list: a run of one hand keeps it non-decreasing
  Move move;
  double cos_turn;
  double sin_turn;
};

// A travel direction: its angle in degrees (not wrapped) and its unit vector.
struct Heading {
  double deg = 0;
  double c = 1;
  double s = 0;
};

// Fewest straights for every length in 0.1 mm steps, with the exact total of that set.
struct StraightTable {
  std::vector<const PieceDef*> straights;  // longest first
  std::vector<int> units;
  std::vector<std::uint16_t> count;
  std::vector<std::uint8_t> last;
  std::vector<double> total;
};

const StraightTable& TableFor(int system) {
  static std::map<int, StraightTable> tables;
  if (auto it = tables.find(system); it != tables.end()) return it->second;
  StraightTable t;
  t.straights = FillStraights(system);
  const std::size_t n = static_cast<std::size_t>(kTableMm / kStepMm) + 1;
  t.count.assign(n, kUnreachable);
  t.last.assign(n, 0);
  t.total.assign(n, 0.0);
  t.count[0] = 0;
  for (const PieceDef* d : t.straights)
    t.units.push_back(std::max(1, static_cast<int>(std::lround(d->length / kStepMm))));
  for (std::size_t b = 1; b < n; ++b) {
    for (std::size_t i = 0; i < t.straights.size() && i < 255; ++i) {
      const std::size_t u = static_cast<std::size_t>(t.units[i]);
      if (u > b || t.count[b - u] == kUnreachable || t.count[b - u] + 1 >= t.count[b]) continue;
      t.count[b] = static_cast<std::uint16_t>(t.count[b - u] + 1);
      t.last[b] = static_cast<std::uint8_t>(i);
      t.total[b] = t.total[b - u] + t.straights[i]->length;
    }
  }
  return tables.emplace(system, std::move(t)).first->second;
}

struct Filling {
  std::size_t bucket = 0;
  int count = 0;
  double total = 0;
};

// The best few non-empty fillings whose total lies within `window` of `length`: fewest
// pieces first, then nearest.
struct Fillings {
  std::array<Filling, kFillVariants> items;
  std::size_t size = 0;
  const Filling* begin() const { return items.data(); }
  const Filling* end() const { return items.data() + size; }
};

Fillings FillingsNear(const StraightTable& t, double length, double window) {
  Fillings out;
  const double lo = length - window - kFillEpsilon, hi = length + window + kFillEpsilon;
  if (hi <= 0 || lo >= kTableMm) return out;
  const auto better = [&](const Filling& x, const Filling& y) {
    if (x.count != y.count) return x.count < y.count;
    return std::fabs(x.total - length) < std::fabs(y.total - length);
  };
  const std::size_t first = static_cast<std::size_t>(std::max(1.0, std::floor(lo / kStepMm) - 1));
  const std::size_t end =
      std::min(t.count.size(), static_cast<std::size_t>(std::ceil(hi / kStepMm)) + 2);
  for (std::size_t b = first; b < end; ++b) {
    if (t.count[b] == kUnreachable || t.total[b] < lo || t.total[b] > hi) continue;
    Filling f{b, t.count[b], t.total[b]};
    if (out.size == kFillVariants && !better(f, out.items[kFillVariants - 1])) continue;
    std::size_t k = std::min(out.size, kFillVariants - 1);
    for (; k > 0 && better(f, out.items[k - 1]); --k) out.items[k] = out.items[k - 1];
    out.items[k] = f;
    out.size = std::min(out.size + 1, kFillVariants);
  }
  return out;
}

// The straights of a table entry, longest first.
void AppendStraights(const StraightTable& t, std::size_t bucket, std::vector<ChainPiece>& out) {
  std::vector<std::size_t> picks;
  while (bucket > 0) {
    const std::size_t i = t.last[bucket];
    picks.push_back(i);
    bucket -= static_cast<std::size_t>(t.units[i]);
  }
  std::sort(picks.begin(), picks.end());
  for (std::size_t i : picks) out.push_back({t.straights[i]->id, false});
}

bool RanksBefore(const CurveFill& x, const CurveFill& y) {
  if (x.pieces.size() != y.pieces.size()) return x.pieces.size() < y.pieces.size();
  if (x.curves != y.curves) return x.curves < y.curves;
  if (x.hand_changes != y.hand_changes) return x.hand_changes < y.hand_changes;
  if (x.min_radius != y.min_radius) return x.min_radius > y.min_radius;
  if (x.distinct != y.distinct) return x.distinct < y.distinct;
  if (x.position_error != y.position_error) return x.position_error < y.position_error;
  return x.angle_error < y.angle_error;
}

struct Slot {
  int index;  // straights go in before curve `index` (after the last curve at nc)
  double ux, uy;
};

class CurveSearch {
 public:
  CurveSearch(int system, const Connector& from, const Connector& to)
      : table_(TableFor(system)), from_(from), to_(to) {
    int order = 0;
    for (const PieceDef* d : FillCurves(system)) {
      for (int r = 0; r < 2; ++r) {
        const Move m = MoveOf(*d, r, 1 - r);
        options_.push_back({d, r == 1, m.turn >= 0 ? 1 : -1, order, m, std::cos(DegToRad(m.turn)),
                            std::sin(DegToRad(m.turn))});
        max_turn_ = std::max(max_turn_, std::fabs(m.turn));
        min_turn_ = std::min(min_turn_, std::fabs(m.turn));
      }
      ++order;
    }
    // The target in the frame of A's end: origin, heading 0.
    const double t = DegToRad(from.angle);
    const double dx = to.x - from.x, dy = to.y - from.y;
    tx_ = dx * std::cos(t) + dy * std::sin(t);
    ty_ = -dx * std::sin(t) + dy * std::cos(t);
    const double turn = FoldAngle(to.angle + 180.0 - from.angle);
    for (double k : {-360.0, 0.0, 360.0})
      if (std::fabs(turn + k) <= 180.0 + kCurveFillAngleDeg) turns_.push_back(turn + k);
  }

  std::vector<CurveFill> Run() {
    for (nc_ = 0; nc_ <= kMaxCurvesOneHand; ++nc_) {
      if (Full() && static_cast<int>(best_.back().pieces.size()) <= nc_) break;
      seq_.clear();
      headings_.assign(1, Heading{});
      Dfs(0.0, 0.0, 0, -1, false);
    }
    return best_;
  }

 private:
  bool Full() const { return best_.size() >= kFillRows; }
  int Bound() const {
    return Full() ? static_cast<int>(best_.back().pieces.size()) : std::numeric_limits<int>::max();
  }

  // The net turns still reachable from `turn` with `rem` curves include a target.
  bool TurnReachable(double turn, int rem, int hand, bool one_hand) const {
    double lo = turn - rem * max_turn_, hi = turn + rem * max_turn_;
    if (one_hand && rem > 0) {
      lo = hand > 0 ? turn + rem * min_turn_ : turn - rem * max_turn_;
      hi = hand > 0 ? turn + rem * max_turn_ : turn - rem * min_turn_;
    }
    for (double t : turns_)
      if (t >= lo - kCurveFillAngleDeg - kFillEpsilon &&
          t <= hi + kCurveFillAngleDeg + kFillEpsilon)
        return true;
    return false;
  }

  void Dfs(double x, double y, int depth, int hand, bool mixed) {
    const Heading here = headings_.back();
    if (depth == nc_) {
      Evaluate(x, y, here.deg);
      return;
    }
    const int last_order =
        seq_.empty() ? -1 : options_[static_cast<std::size_t>(seq_.back())].order;
    for (std::size_t i = 0; i < options_.size(); ++i) {
      const CurveOption& o = options_[i];
      if (depth > 0 && o.hand == hand && o.order < last_order) continue;
      const bool now_mixed = mixed || (depth > 0 && o.hand != hand);
      if (now_mixed && nc_ > kMaxCurvesMixedHands) continue;
      const double h = here.deg + o.move.turn;
      const bool one_hand = nc_ > kMaxCurvesMixedHands;
      if (!TurnReachable(h, nc_ - depth - 1, o.hand, one_hand)) continue;
      seq_.push_back(static_cast<int>(i));
      headings_.push_back({h, here.c * o.cos_turn - here.s * o.sin_turn,
                           here.s * o.cos_turn + here.c * o.sin_turn});
      Dfs(x + here.c * o.move.x - here.s * o.move.y, y + here.s * o.move.x + here.c * o.move.y,
          depth + 1, o.hand, now_mixed);
      headings_.pop_back();
      seq_.pop_back();
    }
  }

  void Evaluate(double x, double y, double heading) {
    bool turn_ok = false;
    for (double t : turns_)
      if (std::fabs(heading - t) <= kCurveFillAngleDeg + kFillEpsilon) turn_ok = true;
    if (!turn_ok || nc_ > Bound()) return;
    const double rx = tx_ - x, ry = ty_ - y;  // left for the straights
    const double tol = kFillToleranceMm + kFillEpsilon;
    if (rx * rx + ry * ry <= tol * tol) Consider({});

    // One slot per direction: straights in the first slot that runs that way.
    std::vector<Slot> slots;
    for (std::size_t k = 0; k < headings_.size(); ++k) {
      const bool seen = std::any_of(slots.begin(), slots.end(), [&](const Slot& sl) {
        return std::fabs(FoldAngle(headings_[static_cast<std::size_t>(sl.index)].deg -
                                   headings_[k].deg)) < kSameHeadingDeg;
      });
      if (!seen) slots.push_back({static_cast<int>(k), headings_[k].c, headings_[k].s});
    }
    if (nc_ == 0) {
      // Straight ends: every combination the straight solver finds, not only the fewest
      // pieces per length, so that 24188 + 24172 is offered beside 24360.
      for (const FillSolution& f : SolveStraightFill(table_.straights, rx)) {
        std::vector<ChainPiece> chain;
        for (const std::string& id : f.ids) chain.push_back({id, false});
        Consider({}, &chain);
      }
    }
    if (nc_ + 1 <= Bound())
      for (const Slot& sl : slots) TryOne(sl, rx, ry, {});
    if (nc_ + 2 > Bound()) return;
    for (std::size_t a = 0; a < slots.size(); ++a) {
      for (std::size_t b = a + 1; b < slots.size(); ++b) {
        const Slot& sa = slots[a];
        const Slot& sb = slots[b];
        const double cross = sa.ux * sb.uy - sa.uy * sb.ux;
        if (std::fabs(cross) < kMinSegmentSine) continue;
        const double la = (rx * sb.uy - ry * sb.ux) / cross;
        const double lb = (sa.ux * ry - sa.uy * rx) / cross;
        if (la <= 0 || lb <= 0) continue;
        const double window = std::min(kFillToleranceMm / std::fabs(cross), kMaxWindowMm);
        for (const Filling& fa : FillingsNear(table_, la, window)) {
          if (nc_ + fa.count + 1 > Bound()) break;
          TryOne(sb, rx - fa.total * sa.ux, ry - fa.total * sa.uy, {sa.index, fa.bucket});
        }
      }
    }
  }

  struct Placed {
    int slot = -1;
    std::size_t bucket = 0;
  };

  // Straights in one more slot carry the remainder (rx, ry) onto the target.
  void TryOne(const Slot& sl, double rx, double ry, Placed other) {
    const double l = rx * sl.ux + ry * sl.uy;
    const double lateral = std::fabs(-rx * sl.uy + ry * sl.ux);
    const double tol = kFillToleranceMm + kFillEpsilon;
    if (l <= 0 || lateral > tol) return;
    const int other_count = other.slot < 0 ? 0 : table_.count[other.bucket];
    for (const Filling& f : FillingsNear(table_, l, std::sqrt(tol * tol - lateral * lateral))) {
      if (nc_ + other_count + f.count > Bound()) break;
      std::vector<Placed> fills{other, {sl.index, f.bucket}};
      Consider(fills);
    }
  }

  // A candidate chain: the current curves with straights in the given slots, or the
  // given straights alone.
  void Consider(const std::vector<Placed>& fills,
                const std::vector<ChainPiece>* straights = nullptr) {
    CurveFill fill;
    double min_radius = std::numeric_limits<double>::infinity();
    int last_hand = 0;
    if (straights) fill.pieces = *straights;
    for (int k = 0; k <= nc_ && !straights; ++k) {
      for (const Placed& p : fills)
        if (p.slot == k) AppendStraights(table_, p.bucket, fill.pieces);
      if (k == nc_) break;
      const CurveOption& o = options_[static_cast<std::size_t>(seq_[static_cast<std::size_t>(k)])];
      fill.pieces.push_back({o.def->id, o.reversed});
      if (last_hand != 0 && o.hand != last_hand) ++fill.hand_changes;
      last_hand = o.hand;
      min_radius = std::min(min_radius, o.def->radius);
    }
    if (fill.pieces.empty()) return;  // ends within the tolerance: there is nothing to lay
    fill.curves = nc_;
    fill.min_radius = min_radius;
    std::set<std::string> ids;
    for (const ChainPiece& p : fill.pieces) ids.insert(p.id);
    fill.distinct = static_cast<int>(ids.size());
    // The chain as it will be laid decides.
    const Connector end = ChainEnd(from_, fill.pieces);
    fill.position_error = Distance(end.x, end.y, to_.x, to_.y);
    fill.angle_error = 180.0 - AngleGap(end.angle, to_.angle);
    if (fill.position_error > kFillToleranceMm + kFillEpsilon ||
        fill.angle_error > kCurveFillAngleDeg + kFillEpsilon)
      return;
    if (Full() && !RanksBefore(fill, best_.back())) return;
    // Mirror images of one chain read the same in the dialog: the better one stays.
    const auto same_articles = [&](const CurveFill& f) {
      return std::equal(f.pieces.begin(), f.pieces.end(), fill.pieces.begin(), fill.pieces.end(),
                        [](const ChainPiece& x, const ChainPiece& y) { return x.id == y.id; });
    };
    if (const auto twin = std::find_if(best_.begin(), best_.end(), same_articles);
        twin != best_.end()) {
      if (!RanksBefore(fill, *twin)) return;
      best_.erase(twin);
    }
    const auto at = std::upper_bound(best_.begin(), best_.end(), fill, RanksBefore);
    best_.insert(at, std::move(fill));
    if (best_.size() > kFillRows) best_.pop_back();
  }

  const StraightTable& table_;
  Connector from_;
  Connector to_;
  std::vector<CurveOption> options_;
  double max_turn_ = 0;
  double min_turn_ = 360;
  double tx_ = 0;
  double ty_ = 0;
  std::vector<double> turns_;  // net turns that arrive facing B, within (-180.5, 180.5)
  int nc_ = 0;
  std::vector<int> seq_;
  std::vector<Heading> headings_;  // before the first curve and after each
  std::vector<CurveFill> best_;
};

}  // namespace

std::vector<const PieceDef*> FillCurves(int system) {
  const Catalog& catalog = Catalog::instance();
  std::vector<const PieceDef*> out;
  for (int i = 0; i < catalog.count(); ++i) {
    const PieceDef* d = catalog.at(i);
    if (!d || d->system != system || d->kind != PieceKind::Curve || d->radius <= 0 ||
        d->angle <= 0 || d->elevated || d->connectors.size() != 2 ||
        d->name.find("Circuit") != std::string::npos)
      continue;
    const bool same = std::any_of(out.begin(), out.end(), [&](const PieceDef* o) {
      return std::fabs(o->radius - d->radius) < kFillEpsilon &&
             std::fabs(o->angle - d->angle) < kFillEpsilon;
    });
    if (!same) out.push_back(d);
  }
  return out;
}

std::vector<CurveFill> SolveCurvedGap(int system, const Connector& from, const Connector& to) {
  return CurveSearch(system, from, to).Run();
}

std::string CurveFillRowText(const CurveFill& fill) {
  std::string row;
  for (const ChainPiece& p : fill.pieces) row += (row.empty() ? "" : " + ") + p.id;
  return row + "  (" + FixedText(fill.position_error, 2) + " mm, " +
         FixedText(fill.angle_error, 1) + "\u00b0)";
}
