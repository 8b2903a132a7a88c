// Moves and rotations carry pieces, scenery items and whole helices together.
#include "edit/transform.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/text_mark.h"
#include "edit/placement.h"
#include "edit/selection.h"
#include "model/document.h"
#include "model/layout_ops.h"

namespace {

constexpr double kRightAngleSnapDeg = 2.0;

Point Orbit(double x, double y, Point pivot, double deg) {
  const double c = std::cos(DegToRad(deg)), s = std::sin(DegToRad(deg));
  const double dx = x - pivot.x, dy = y - pivot.y;
  return {pivot.x + dx * c - dy * s, pivot.y + dx * s + dy * c};
}

std::unordered_set<int> WholeSelectedHelices(const Layout& layout) {
  std::unordered_map<int, int> selected, total;
  for (const PlacedPiece& p : layout.pieces) {
    if (p.helix == -1) continue;
    ++total[p.helix];
    if (p.sel) ++selected[p.helix];
  }
  std::unordered_set<int> out;
  for (const auto& [id, n] : selected)
    if (n == total[id]) out.insert(id);
  return out;
}

bool CoveredOrPortal(const Layout& layout) {
  std::unordered_set<int> covered, portals;
  for (const Tunnel& t : layout.tunnels) {
    covered.insert(t.covers.begin(), t.covers.end());
    portals.insert(t.portalA);
    portals.insert(t.portalB);
  }
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel && p.helix == -1 && covered.count(p.id)) return true;
  for (const SceneryItem& s : layout.scenery)
    if (s.sel && portals.count(s.id)) return true;
  return false;
}

bool RotationAllowed(const Layout& layout, Prompter& prompter) {
  return IsWholeHelixSelection(layout) || CheckLocks(layout, TrMark("rotate"), prompter);
}

}  // namespace

bool& GradedMoveConfirmed() {
  static bool confirmed = false;  // lives for the whole run
  return confirmed;
}

SelectionStart RecordSelection(const Layout& layout, bool pieces, bool scenery) {
  SelectionStart s;
  if (pieces) {
    for (const PlacedPiece& p : layout.pieces)
      if (p.sel) s.pieces.push_back({p.id, p.x, p.y, p.heading});
    const auto helices = WholeSelectedHelices(layout);
    for (const Helix& h : layout.helices)
      if (helices.count(h.id)) s.helices.push_back({h.id, h.cx, h.cy, h.heading});
  }
  if (scenery)
    for (const SceneryItem& i : layout.scenery)
      if (i.sel) s.scenery.push_back({i.id, i.x, i.y, i.heading});
  return s;
}

bool MoveAllowed(const Layout& layout, Prompter& prompter) {
  std::unordered_map<int, int> per_helix;
  for (const PlacedPiece& p : layout.pieces)
    if (p.sel && p.helix != -1) ++per_helix[p.helix];
  for (const auto& [id, n] : per_helix) {
    if (n == 4) continue;
    prompter.Notify(
        TrMark("Helix partially selected"),
        TrMark("Selection contains part of a helix. Either select the whole helix (click any of "
               "its stubs) or exclude it from the selection before moving."),
        PromptIcon::Information);
    return false;
  }
  if (CoveredOrPortal(layout)) {
    prompter.Notify(
        TrMark("Tunnel is locked"),
        TrMark("Selection includes tunnel track or portals. Remove the tunnel first, then move."),
        PromptIcon::Information);
    return false;
  }
  const bool graded =
      std::any_of(layout.pieces.begin(), layout.pieces.end(),
                  [](const PlacedPiece& p) { return p.sel && std::fabs(p.grade) > 0.001; });
  if (graded && !GradedMoveConfirmed()) {
    if (!prompter.AskYesNo(
            TrMark("Move"),
            TrMark("Selection includes graded pieces. Moving will break joints and leave the "
                   "chain's elevation inconsistent.\n\nMove anyway? (This warning will not "
                   "appear again this session.)"),
            PromptIcon::Question, true))
      return false;
    GradedMoveConfirmed() = true;
  }
  return true;
}

namespace {

template <typename T, typename F>
void ForEachStart(std::vector<T>& objects, const std::vector<SelectionStart::Item>& starts, F f) {
  std::unordered_map<int, std::size_t> at;
  for (std::size_t i = 0; i < objects.size(); ++i) at.emplace(objects[i].id, i);
  for (const SelectionStart::Item& s : starts) {
    auto it = at.find(s.id);
    if (it != at.end()) f(objects[it->second], s);
  }
}

}  // namespace

void TranslateSelection(Layout& layout, const SelectionStart& start, double dx, double dy) {
  auto move = [&](auto& o, const SelectionStart::Item& s) {
    o.x = s.x + dx;
    o.y = s.y + dy;
  };
  ForEachStart(layout.pieces, start.pieces, move);
  ForEachStart(layout.scenery, start.scenery, move);
  ForEachStart(layout.helices, start.helices, [&](Helix& h, const SelectionStart::Item& s) {
    h.cx = s.x + dx;
    h.cy = s.y + dy;
  });
}

void RotateSelectionFrom(Layout& layout, const SelectionStart& start, Point pivot, double deg,
                         bool scenery_by_category) {
  auto turn = [&](auto& o, const SelectionStart::Item& s, double d) {
    const Point p = Orbit(s.x, s.y, pivot, d);
    o.x = p.x;
    o.y = p.y;
    o.heading = NormalizeAngle(s.heading + d);
  };
  ForEachStart(layout.pieces, start.pieces,
               [&](PlacedPiece& p, const auto& s) { turn(p, s, deg); });
  ForEachStart(layout.scenery, start.scenery, [&](SceneryItem& i, const auto& s) {
    double d = deg;
    if (scenery_by_category) {
      const SceneryDef* def = SceneryCatalog::instance().find(i.item);
      const int cat = def ? def->category : -1;
      d = cat == kPlatforms || cat == kSignals ? 30.0 : 15.0;
    }
    turn(i, s, d);
  });
  ForEachStart(layout.helices, start.helices, [&](Helix& h, const SelectionStart::Item& s) {
    const Point p = Orbit(s.x, s.y, pivot, deg);
    h.cx = p.x;
    h.cy = p.y;
    h.heading = NormalizeAngle(s.heading + deg);
  });
}

Point WheelRotationPivot(const Layout& layout) {
  const Catalog& catalog = Catalog::instance();
  double x0 = std::numeric_limits<double>::max(), y0 = x0, x1 = -x0, y1 = -x0;
  auto add = [&](double x, double y) {
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
  };
  for (const PlacedPiece& p : layout.pieces) {
    if (!p.sel) continue;
    add(p.x, p.y);
    const PieceDef* def = catalog.find(p.cat);
    if (!def) continue;
    for (const Connector& c : WorldConnectors(p, *def)) add(c.x, c.y);
    if (def->radius > 0 && def->connectors.size() >= 2) {
      const double s = def->angle >= 0 ? -1.0 : 1.0;
      const Point m = ToLayout({p.x, p.y, p.heading}, def->length / 2,
                               s * def->radius * (1 - std::cos(DegToRad(def->angle / 2))));
      add(m.x, m.y);
    }
  }
  for (const SceneryItem& i : layout.scenery) {
    if (!i.sel) continue;
    const SceneryDef* def = SceneryCatalog::instance().find(i.item);
    const double hw = def ? i.scalex * def->width / 2 : 0, hd = def ? i.scaley * def->depth / 2 : 0;
    add(i.x - hw, i.y - hd);
    add(i.x + hw, i.y + hd);
  }
  if (x0 > x1) return {};
  return {(x0 + x1) / 2, (y0 + y1) / 2};
}

bool WheelRotateSelection(Document& doc, double step_deg, Prompter& prompter) {
  Layout& layout = doc.layout();
  if (!AnyPieceOrScenerySelected(layout) || !RotationAllowed(layout, prompter)) return false;
  Transaction t(doc, TrMark("Rotate"));
  RotateSelectionFrom(layout, RecordSelection(layout), WheelRotationPivot(layout), step_deg);
  RejoinAfterRotation(layout);
  t.Commit();
  return true;
}

bool RotateSelectionStep(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  if (!AnyPieceOrScenerySelected(layout) || !RotationAllowed(layout, prompter)) return false;
  Transaction t(doc, TrMark("Rotate"));
  Point pivot;
  int helix = -1;
  if (IsWholeHelixSelection(layout, &helix)) {
    for (const Helix& h : layout.helices)
      if (h.id == helix) pivot = {h.cx, h.cy};
  } else {
    auto p =
        std::find_if(layout.pieces.begin(), layout.pieces.end(), [](auto& q) { return q.sel; });
    auto s =
        std::find_if(layout.scenery.begin(), layout.scenery.end(), [](auto& q) { return q.sel; });
    pivot = p != layout.pieces.end() ? Point{p->x, p->y} : Point{s->x, s->y};
  }
  RotateSelectionFrom(layout, RecordSelection(layout), pivot, 30.0, true);
  RejoinAfterRotation(layout);
  t.Commit();
  return true;
}

AltRotation AltDragRotation(double ref_heading, double start_screen_deg, double now_screen_deg) {
  AltRotation r;
  r.delta = FoldAngle(now_screen_deg - start_screen_deg);
  r.target = NormalizeAngle(ref_heading + r.delta);
  for (double right : {0.0, 90.0, 180.0, 270.0, 360.0}) {
    if (std::fabs(r.target - right) > kRightAngleSnapDeg) continue;
    r.target = right == 360.0 ? 0.0 : right;
    r.delta = FoldAngle(r.target - ref_heading);
    r.right_angle = true;
    break;
  }
  return r;
}

void RejoinAfterRotation(Layout& layout) {
  const Catalog& catalog = Catalog::instance();
  const auto index = PieceIndexById(layout);
  auto end_of = [&](const PlacedPiece& p, int conn, Connector& out) {
    const PieceDef* d = catalog.find(p.cat);
    if (!d || conn < 0 || conn >= static_cast<int>(d->connectors.size())) return false;
    out = WorldConnectors(p, *d)[static_cast<std::size_t>(conn)];
    return true;
  };
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    if (!layout.pieces[i].sel) continue;
    for (std::size_t c = 0; c < layout.pieces[i].joints.size(); ++c) {
      const Joint j = layout.pieces[i].joints[c];
      auto it = index.find(j.target);
      if (j.target == -1 || it == index.end() || layout.pieces[it->second].sel) continue;
      PlacedPiece& other = layout.pieces[it->second];
      Connector a, b;
      const bool known =
          end_of(layout.pieces[i], static_cast<int>(c), a) && end_of(other, j.tconn, b);
      if (known && Distance(a.x, a.y, b.x, b.y) < kAutoJoinMm) continue;
      layout.pieces[i].joints[c] = Joint{};
      if (j.tconn >= 0 && j.tconn < static_cast<int>(other.joints.size()))
        other.joints[static_cast<std::size_t>(j.tconn)] = Joint{};
    }
  }
  JoinMovedSelection(layout, SnapCandidate{}, -1);
}
