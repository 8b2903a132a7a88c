// Flip and Mirror.
#include "edit/reorient.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "catalog/catalog.h"
#include "edit/grades.h"
#include "edit/placement.h"
#include "edit/selection.h"
#include "model/layout_ops.h"
#include "model/translate.h"
#include "model/world_connectors.h"

namespace {

// Catalog connectors are measured to the hundredth; mirrored ends of two hands agree to
// well within this.
constexpr double kSameEndMm = 0.05;
constexpr double kSameAngleDeg = 0.05;

bool SameEnd(const Connector& a, double x, double y, double angle) {
  return std::fabs(a.x - x) <= kSameEndMm && std::fabs(a.y - y) <= kSameEndMm &&
         AngleGap(a.angle, angle) <= kSameAngleDeg;
}

// The counterpart's connector for each of def's mirrored connectors, or empty when
// `other` is not def's mirror image.
std::vector<int> MirrorMatch(const PieceDef& def, const PieceDef& other) {
  const std::size_t n = def.connectors.size();
  if (other.connectors.size() != n || n == 0) return {};
  std::vector<int> to(n, -1);
  std::vector<bool> used(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const Connector& c = def.connectors[i];
    for (std::size_t j = 0; j < n && to[i] < 0; ++j) {
      if (used[j] || !SameEnd(other.connectors[j], c.x, -c.y, -c.angle)) continue;
      used[j] = true;
      to[i] = static_cast<int>(j);
    }
    if (to[i] < 0) return {};
  }
  return to;
}

// The indexes of the selected pieces.
std::vector<std::size_t> SelectedIndexes(const Layout& layout) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].sel) out.push_back(i);
  return out;
}

// Points the partner's slot at the piece's new connector, or opens it.
void Repoint(Layout& layout, const Joint& j, int id, int conn) {
  const int ti = FindPiece(layout, j.target);
  if (ti < 0) return;
  PlacedPiece& t = layout.pieces[static_cast<std::size_t>(ti)];
  if (j.tconn < 0 || j.tconn >= static_cast<int>(t.joints.size())) return;
  Joint& back = t.joints[static_cast<std::size_t>(j.tconn)];
  if (back.target != id) return;
  if (conn < 0)
    back = Joint{};
  else
    back.tconn = conn;
}

// The connector a piece hangs on: its first joined one, else connector 0.
int HangingConnector(const PlacedPiece& p) {
  for (std::size_t i = 0; i < p.joints.size(); ++i)
    if (p.joints[i].target != -1) return static_cast<int>(i);
  return 0;
}

// The pose that puts connector `k` of `def` exactly where connector `at` is now, pointing
// the same way.
Pose PoseOnto(const PieceDef& def, int k, const Connector& at) {
  return MatePose(def, k, Connector(at.x, at.y, at.angle + 180.0, 0));
}

std::string ArticleList(const std::vector<std::string>& ids) {
  std::string out;
  for (const std::string& id : ids) out += (out.empty() ? "" : ", ") + id;
  return out;
}

}  // namespace

int OtherEnd(const PieceDef& def, int k) {
  const int n = static_cast<int>(def.connectors.size());
  if (k < 0 || k >= n || def.kind == PieceKind::Turntable || n < 2) return -1;
  if (n == 2) return 1 - k;
  if (def.kind == PieceKind::Crossing || def.kind == PieceKind::DoubleSlip) return k ^ 1;
  return k == 0 ? 1 : 0;
}

std::optional<Counterpart> OppositeHand(const PieceDef& def) {
  // A piece that is its own mirror image (a straight, a three-way turnout) has no other
  // hand, though a bridge may share its ends.
  if (!MirrorMatch(def, def).empty()) return std::nullopt;
  const Catalog& catalog = Catalog::instance();
  for (int i = 0; i < catalog.count(); ++i) {
    const PieceDef* other = catalog.at(i);
    if (!other || other->id == def.id || other->system != def.system ||
        other->elevated != def.elevated || other->ramp != def.ramp)
      continue;
    std::vector<int> to = MirrorMatch(def, *other);
    if (!to.empty()) return Counterpart{other, std::move(to)};
  }
  return std::nullopt;
}

ReorientOutcome FlipSelected(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  const std::vector<std::size_t> sel = SelectedIndexes(layout);
  if (sel.size() != 1) {
    prompter.Notify(TrMark("Flip"), TrMark("Select one piece to flip."), PromptIcon::Information);
    return {};
  }
  if (!CheckLocks(layout, "flip", prompter)) return {};
  const std::size_t pi = sel.front();
  const PlacedPiece before = layout.pieces[pi];
  const PieceDef* def = Catalog::instance().find(before.cat);
  if (!def) return {};
  int joined = 0;
  for (const Joint& j : before.joints) joined += j.target != -1 ? 1 : 0;
  if (joined > 1) {
    prompter.Notify(TrMark("Flip"),
                    TrMark("The piece is joined at more than one end. Only a piece hanging on one "
                           "joint can be flipped."),
                    PromptIcon::Information);
    return {};
  }
  const int k = HangingConnector(before);
  const int m = OtherEnd(*def, k);
  if (m < 0) {
    prompter.Notify(TrMark("Flip"), TrMark("This piece has no other end to turn to."),
                    PromptIcon::Information);
    return {};
  }
  Transaction t(doc, TrMark("Flip"));
  PlacedPiece& p = layout.pieces[pi];
  const std::vector<Connector> ends = WorldConnectors(before, *def);
  const Pose pose = PoseOnto(*def, m, ends[static_cast<std::size_t>(k)]);
  p.x = pose.x;
  p.y = pose.y;
  p.heading = pose.heading;
  // The joint end keeps its height and the far end the height the old far end had.
  const double at_joint = ElevationAt(before, k);
  const double far_end = ElevationAt(before, m);
  if (std::fabs(before.grade) > 0) {
    p.rev = !before.rev;
    p.z = m == 0 ? at_joint : far_end;
  }
  p.joints.assign(def->connectors.size(), Joint{});
  if (before.Joined(k)) {
    const Joint j = before.joints[static_cast<std::size_t>(k)];
    p.joints[static_cast<std::size_t>(m)] = j;
    Repoint(layout, j, p.id, m);
  }
  for (GradeRun& r : layout.grade_runs)
    if (r.anchor == p.id) r.conn = r.conn == k ? m : r.conn == m ? k : r.conn;
  CloseLoops(layout, {p.id}, kMatedMm);
  t.Commit();
  return {true, ""};
}

ReorientOutcome MirrorSelected(Document& doc, Prompter& prompter) {
  Layout& layout = doc.layout();
  const std::vector<std::size_t> sel = SelectedIndexes(layout);
  if (sel.empty()) return {};
  if (!CheckLocks(layout, "mirror", prompter)) return {};
  Transaction t(doc, TrMark("Mirror"));
  std::vector<std::string> alone;
  std::vector<int> changed;
  for (std::size_t pi : sel) {
    const PlacedPiece before = layout.pieces[pi];
    const PieceDef* def = Catalog::instance().find(before.cat);
    const std::optional<Counterpart> other = def ? OppositeHand(*def) : std::nullopt;
    if (!other) {
      if (std::find(alone.begin(), alone.end(), before.cat) == alone.end())
        alone.push_back(before.cat);
      continue;
    }
    const std::vector<Connector> old_ends = WorldConnectors(before, *def);
    const int k = HangingConnector(before);
    const Pose pose = PoseOnto(*other->def, other->to[static_cast<std::size_t>(k)],
                               old_ends[static_cast<std::size_t>(k)]);
    PlacedPiece& p = layout.pieces[pi];
    p.cat = other->def->id;
    p.x = pose.x;
    p.y = pose.y;
    p.heading = pose.heading;
    p.joints.assign(other->def->connectors.size(), Joint{});
    const std::vector<Connector> new_ends = WorldConnectors(p, *other->def);
    // A joint stays where the new end lies on the old one; the others open.
    for (std::size_t i = 0; i < before.joints.size() && i < old_ends.size(); ++i) {
      const Joint& j = before.joints[i];
      if (j.target == -1) continue;
      const int to = other->to[i];
      const Connector& n = new_ends[static_cast<std::size_t>(to)];
      if (SameEnd(old_ends[i], n.x, n.y, n.angle)) {
        p.joints[static_cast<std::size_t>(to)] = j;
        Repoint(layout, j, p.id, to);
      } else {
        Repoint(layout, j, p.id, -1);
      }
    }
    changed.push_back(p.id);
  }
  CloseLoops(layout, changed, kMatedMm);
  t.Commit();
  std::string status;
  if (!alone.empty())
    status = Subst(Tr("No opposite hand for %1; left as they are."), {ArticleList(alone)});
  return {!changed.empty(), status};
}
