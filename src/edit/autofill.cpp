// The two autofill commands: choosing the ends, the refusals, the straight solver, the
// dialog and the insertion. The curve search is in autofill_curves.cpp.
#include "edit/autofill.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "edit/autofill_curves.h"
#include "edit/fill_chain.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/world_connectors.h"

namespace {

constexpr const char* kSpokeExtension = "74871";
constexpr const char* kAdapter = "24922";
constexpr std::size_t kMaxSolutions = 64;  // kept while searching
constexpr std::size_t kEnoughSolutions = 16;
constexpr int kMaxPieces = 32;

bool WithinTolerance(double deviation) {
  return deviation <= kFillToleranceMm + kFillEpsilon;
}

struct Search {
  const std::vector<const PieceDef*>& candidates;
  double gap;
  int n;
  std::vector<std::string> current;
  std::vector<FillSolution> solutions;

  void Enumerate(std::size_t s, double sum) {
    if (solutions.size() >= kMaxSolutions) return;
    const int k = static_cast<int>(current.size());
    if (k == n) {
      if (WithinTolerance(std::fabs(sum - gap))) solutions.push_back({current, sum});
      return;
    }
    if (sum > gap + kFillToleranceMm + kFillEpsilon) return;
    // Even the longest length still allowed cannot reach the gap.
    if (sum + (n - k) * candidates[s]->length < gap - kFillToleranceMm - kFillEpsilon) return;
    for (std::size_t i = s; i < candidates.size(); ++i) {
      const double t = sum + candidates[i]->length;
      if (t <= gap + kFillToleranceMm + kFillEpsilon) {
        current.push_back(candidates[i]->id);
        Enumerate(i, t);
        current.pop_back();
        if (solutions.size() >= kMaxSolutions) return;
      }
    }
  }
};

struct Selected {
  std::size_t a = 0;
  std::size_t b = 0;
  const PieceDef* adef = nullptr;
  const PieceDef* bdef = nullptr;
};

// Exactly two selected pieces of known articles, in layout order.
std::optional<Selected> SelectedPair(const Layout& layout) {
  std::vector<std::size_t> sel;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].sel) sel.push_back(i);
  if (sel.size() != 2) return std::nullopt;
  Selected s{sel[0], sel[1], Catalog::instance().find(layout.pieces[sel[0]].cat),
             Catalog::instance().find(layout.pieces[sel[1]].cat)};
  if (!s.adef || !s.bdef) return std::nullopt;
  return s;
}

template <typename Accept>
GapEnds NearestPair(const PlacedPiece& a, const PieceDef& adef, const PlacedPiece& b,
                    const PieceDef& bdef, Accept accept) {
  GapEnds best;
  double best_d = 1e9;
  const std::vector<Connector> ca = WorldConnectors(a, adef);
  const std::vector<Connector> cb = WorldConnectors(b, bdef);
  for (const Connector& i : ca) {
    if (!i.free) continue;
    for (const Connector& j : cb) {
      if (!j.free) continue;
      const double d = Distance(i.x, i.y, j.x, j.y);
      if (d < best_d && accept(i, j, d)) {
        best = {true, i.index, j.index, i, j, d};
        best_d = d;
      }
    }
  }
  return best;
}

// `q` lies ahead of connector `c`, in the half-plane it points into.
bool Ahead(const Connector& c, const Connector& q) {
  const double t = DegToRad(c.angle);
  return (q.x - c.x) * std::cos(t) + (q.y - c.y) * std::sin(t) > 0;
}

// Distance of `q` from the line through connector `c` along its direction.
double OffLine(const Connector& c, const Connector& q) {
  const double t = DegToRad(c.angle);
  return std::fabs(-(q.x - c.x) * std::sin(t) + (q.y - c.y) * std::cos(t));
}

std::string SelectedLine(const PlacedPiece& p, int system) {
  return "  - " + p.cat + " (" + TrackSystemName(system) + ")";
}

enum class Refusal { None, Kept, Deselected };

// The refusals both commands share: mixed systems, no usable pair, touching ends.
Refusal CheckEnds(Layout& layout, Prompter& prompter, const Selected& s, const GapEnds& ends,
                  const char* no_pair_text) {
  const PlacedPiece& a = layout.pieces[s.a];
  const PlacedPiece& b = layout.pieces[s.b];
  // The systems that would meet: those of the ends, so that an adapter's K end is K-Track.
  const int sa = ends.found ? EffectiveSystem(*s.adef, ends.ia) : s.adef->system;
  const int sb = ends.found ? EffectiveSystem(*s.bdef, ends.ib) : s.bdef->system;
  if (sa != sb) {
    prompter.Notify(TrMark("Autofill - Mixed Track Systems"),
                    Tr("Autofill can only run on pieces of the same track series.\n\nSelected "
                       "pieces:\n") +
                        SelectedLine(a, sa) + "\n" + SelectedLine(b, sb),
                    PromptIcon::Information);
    return Refusal::Kept;
  }
  if (!ends.found) {
    prompter.Notify(TrMark("Autofill"), no_pair_text, PromptIcon::Information);
  } else if (ends.distance < kTouchingMm) {
    prompter.Notify(TrMark("Autofill"),
                    TrMark("The two pieces are already touching - no gap to fill."),
                    PromptIcon::Information);
  } else {
    return Refusal::None;
  }
  DeselectAll(layout);
  return Refusal::Deselected;
}

AutofillOutcome NoSolution(Layout& layout, Prompter& prompter, const std::string& text) {
  prompter.Notify(TrMark("Autofill - No Solution"), text, PromptIcon::Information);
  DeselectAll(layout);
  return {false, true};
}

std::string GapHeader(double gap) {
  return Tr("Gap: ") + FixedText(gap, 1) + Tr(" mm. Select fill:");
}

AutofillOutcome Place(Document& doc, const Selected& s, const GapEnds& ends,
                      const std::vector<ChainPiece>& chain) {
  Transaction t(doc, TrMark("Autofill Gap"));
  Layout& layout = t.layout();
  const std::vector<int> laid = InsertFillChain(layout, layout.pieces[s.a].id, ends.ia,
                                                layout.pieces[s.b].id, ends.ib, chain);
  if (laid.empty()) return {};
  t.Commit();
  return {true, false};
}

}  // namespace

std::vector<const PieceDef*> FillStraights(int system) {
  const Catalog& catalog = Catalog::instance();
  std::vector<const PieceDef*> out;
  for (int i = 0; i < catalog.count(); ++i) {
    const PieceDef* d = catalog.at(i);
    if (!d || d->system != system || d->kind != PieceKind::Straight || d->length <= 0 ||
        d->elevated || d->id == kSpokeExtension || d->id == kAdapter ||
        d->name.find("Circuit") != std::string::npos)
      continue;
    const bool same_length = std::any_of(out.begin(), out.end(), [&](const PieceDef* o) {
      return std::fabs(o->length - d->length) < kFillEpsilon;
    });
    if (!same_length) out.push_back(d);
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const PieceDef* x, const PieceDef* y) { return x->length > y->length; });
  return out;
}

std::vector<FillSolution> SolveStraightFill(const std::vector<const PieceDef*>& candidates,
                                            double gap) {
  if (candidates.empty()) return {};
  const int max_pieces =
      std::min(kMaxPieces, static_cast<int>(std::ceil(gap / candidates.back()->length)) + 2);
  Search search{candidates, gap, 0, {}, {}};
  for (int n = 1; n <= max_pieces; ++n) {
    search.n = n;
    search.Enumerate(0, 0.0);
    if (search.solutions.size() >= kEnoughSolutions) break;
  }
  std::vector<FillSolution>& s = search.solutions;
  std::stable_sort(s.begin(), s.end(), [&](const FillSolution& x, const FillSolution& y) {
    if (x.ids.size() != y.ids.size()) return x.ids.size() < y.ids.size();
    return std::fabs(x.total - gap) < std::fabs(y.total - gap);
  });
  if (s.size() > kFillRows) s.resize(kFillRows);
  return s;
}

std::string FillRowText(const FillSolution& solution) {
  std::string row;
  for (const std::string& id : solution.ids) row += (row.empty() ? "" : " + ") + id;
  return row + "  (" + FixedText(solution.total, 1) + " mm)";
}

GapEnds FindFacingEnds(const PlacedPiece& a, const PieceDef& adef, const PlacedPiece& b,
                       const PieceDef& bdef) {
  return NearestPair(a, adef, b, bdef, [](const Connector& i, const Connector& j, double d) {
    if (AngleGap(i.angle, j.angle) < kFacingMinDeg) return false;
    // Ends beside or behind each other do not face, however they point.
    return d < kTouchingMm || (Ahead(i, j) && Ahead(j, i));
  });
}

GapEnds FindNearestEnds(const PlacedPiece& a, const PieceDef& adef, const PlacedPiece& b,
                        const PieceDef& bdef) {
  return NearestPair(a, adef, b, bdef,
                     [](const Connector&, const Connector&, double) { return true; });
}

AutofillOutcome AutofillGap(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  const std::optional<Selected> s = SelectedPair(layout);
  if (!s) return {};
  const GapEnds ends = FindFacingEnds(layout.pieces[s->a], *s->adef, layout.pieces[s->b], *s->bdef);
  const Refusal r =
      CheckEnds(layout, prompter, *s, ends,
                TrMark("Could not find facing free connectors on the two selected pieces."));
  if (r != Refusal::None) return {false, r == Refusal::Deselected};

  const double gap = ends.distance;
  std::vector<FillSolution> solutions;
  // Only ends on one line can be joined by straights.
  if (AngleGap(ends.ca.angle, ends.cb.angle) > kStraightMinDeg &&
      WithinTolerance(OffLine(ends.ca, ends.cb)))
    solutions = SolveStraightFill(FillStraights(EffectiveSystem(*s->adef, ends.ia)), gap);
  if (solutions.empty())
    return NoSolution(layout, prompter,
                      Tr("Gap is ") + FixedText(gap, 1) +
                          Tr("mm. No combination of catalog straights fills it within tolerance."));

  std::vector<std::string> rows;
  for (const FillSolution& f : solutions) rows.push_back(FillRowText(f));
  const std::optional<std::size_t> row =
      prompter.ChooseRow(TrMark("Autofill Gap"), GapHeader(gap), rows, TrMark("Place"));
  if (!row || *row >= solutions.size()) return {};
  std::vector<ChainPiece> chain;
  for (const std::string& id : solutions[*row].ids) chain.push_back({id, false});
  return Place(doc, *s, ends, chain);
}

AutofillOutcome AutofillGapWithCurves(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  const std::optional<Selected> s = SelectedPair(layout);
  if (!s) return {};
  const GapEnds ends =
      FindNearestEnds(layout.pieces[s->a], *s->adef, layout.pieces[s->b], *s->bdef);
  const Refusal r = CheckEnds(layout, prompter, *s, ends,
                              TrMark("Could not find free connectors on the two selected pieces."));
  if (r != Refusal::None) return {false, r == Refusal::Deselected};

  const std::vector<CurveFill> fills =
      SolveCurvedGap(EffectiveSystem(*s->adef, ends.ia), ends.ca, ends.cb);
  if (fills.empty())
    return NoSolution(layout, prompter,
                      Tr("Gap is ") + FixedText(ends.distance, 1) +
                          Tr("mm. No chain of catalog curves and straights joins the two ends "
                             "within 1.5 mm and 0.5°."));
  std::vector<std::string> rows;
  for (const CurveFill& f : fills) rows.push_back(CurveFillRowText(f));
  const std::optional<std::size_t> row =
      prompter.ChooseRow(TrMark("Autofill Gap"), GapHeader(ends.distance), rows, TrMark("Place"));
  if (!row || *row >= fills.size()) return {};
  return Place(doc, *s, ends, fills[*row].pieces);
}
