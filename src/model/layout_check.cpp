// Layout consistency: every joint must be recorded on both pieces and name existing
// pieces and connectors; every object id must be unique; references must resolve.
#include "model/layout_check.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "model/number_text.h"
#include "model/translate.h"
#include "model/world_connectors.h"

namespace {

using DefIndex = std::vector<const PieceDef*>;  // per piece, null when unknown

std::string JointText(int piece, std::size_t conn, const Joint& j) {
  return Tr("joint ") + std::to_string(piece) + " " + std::to_string(conn) + " -> " +
         std::to_string(j.target) + " " + std::to_string(j.tconn) + ": ";
}

int ConnectorCount(const PieceDef* def) {
  return def ? static_cast<int>(def->connectors.size()) : -1;
}

// Names the pieces of every problem found while it lives.
struct ProblemPieces {
  LayoutCheck& out;
  std::vector<int> pieces;
  ~ProblemPieces() { out.problem_pieces.resize(out.problems.size(), pieces); }
};

// Joined connectors farther apart than this cannot really meet.
constexpr double kJointGapLimit = 4.0;

// Every joint names an existing piece and connector and is recorded on both sides; and
// none can be impossible: a connector or piece joined to itself, or joined connectors
// more than kJointGapLimit apart.
void CheckJoints(const Layout& layout, const DefIndex& defs, LayoutCheck& out) {
  std::unordered_map<int, std::size_t> index;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) index.emplace(layout.pieces[i].id, i);
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
    const PlacedPiece& p = layout.pieces[i];
    for (std::size_t c = 0; c < p.joints.size(); ++c) {
      const Joint& j = p.joints[c];
      if (j.target == -1) continue;
      const ProblemPieces naming{out, {p.id, j.target}};
      const std::string head = JointText(p.id, c, j);
      const int own = ConnectorCount(defs[i]);
      if (own >= 0 && static_cast<int>(c) >= own)
        out.problems.push_back(head + Tr("article ") + p.cat + Tr(" has no connector ") +
                               std::to_string(c));
      const auto it = index.find(j.target);
      if (it == index.end()) {
        out.problems.push_back(head + Tr("piece ") + std::to_string(j.target) +
                               Tr(" does not exist"));
        continue;
      }
      const PlacedPiece& t = layout.pieces[it->second];
      const int theirs = ConnectorCount(defs[it->second]);
      if (j.tconn < 0 || (theirs >= 0 && j.tconn >= theirs))
        out.problems.push_back(head + Tr("article ") + t.cat + Tr(" has no connector ") +
                               std::to_string(j.tconn));
      const bool back = j.tconn >= 0 && j.tconn < static_cast<int>(t.joints.size()) &&
                        t.joints[static_cast<std::size_t>(j.tconn)].target == p.id &&
                        t.joints[static_cast<std::size_t>(j.tconn)].tconn == static_cast<int>(c);
      if (!back)
        out.problems.push_back(head + Tr("one-sided, piece ") + std::to_string(t.id) +
                               Tr(" does not record it"));
      if (j.target == p.id) {
        out.problems.push_back(head + (j.tconn == static_cast<int>(c)
                                           ? TrMark("connector joined to itself")
                                           : TrMark("piece joined to itself")));
        continue;
      }
      if (j.target < p.id || own < 0 || static_cast<int>(c) >= own || j.tconn < 0 || theirs < 0 ||
          j.tconn >= theirs)
        continue;  // each pair once; missing connectors are reported above
      const Connector a = WorldConnectors(p, *defs[i])[c];
      const Connector b = WorldConnectors(t, *defs[it->second])[static_cast<std::size_t>(j.tconn)];
      const double gap = std::hypot(a.x - b.x, a.y - b.y);
      if (!(gap <= kJointGapLimit))
        out.problems.push_back(head + Tr("connectors ") + Mm3(gap) + Tr(" mm apart"));
    }
  }
}

void CheckIds(const Layout& layout, LayoutCheck& out) {
  std::map<int, std::vector<std::string>> kinds;
  for (const auto& o : layout.pieces) kinds[o.id].push_back(TrMark("piece"));
  for (const auto& o : layout.scenery) kinds[o.id].push_back(TrMark("scenery item"));
  for (const auto& o : layout.labels) kinds[o.id].push_back(TrMark("label"));
  for (const auto& o : layout.shapes) kinds[o.id].push_back(TrMark("shape"));
  for (const auto& o : layout.tunnels) kinds[o.id].push_back(TrMark("tunnel"));
  for (const auto& o : layout.helices) kinds[o.id].push_back(TrMark("helix"));
  for (const auto& [id, list] : kinds) {
    if (list.size() < 2) continue;
    std::string line = Tr("duplicate id ") + std::to_string(id) + ":";
    for (const std::string& k : list) line += " " + k;
    out.problems.push_back(line);
  }
}

void CheckReferences(const Layout& layout, LayoutCheck& out) {
  std::set<int> pieces, scenery;
  for (const auto& p : layout.pieces) pieces.insert(p.id);
  for (const auto& s : layout.scenery) scenery.insert(s.id);
  auto missing = [](const std::set<int>& ids, int id) { return id != -1 && !ids.count(id); };
  for (std::size_t i = 0; i < layout.grade_runs.size(); ++i) {
    const int a = layout.grade_runs[i].anchor;
    if (!pieces.count(a))
      out.problems.push_back(Tr("grade run ") + std::to_string(i + 1) +
                             Tr(" names missing piece ") + std::to_string(a));
  }
  for (const Tunnel& t : layout.tunnels) {
    const std::string head = Tr("tunnel ") + std::to_string(t.id) + " ";
    for (int c : t.covers)
      if (!pieces.count(c))
        out.problems.push_back(head + Tr("covers missing piece ") + std::to_string(c));
    for (int a : {t.anchorA, t.anchorB})
      if (missing(pieces, a))
        out.problems.push_back(head + Tr("anchors missing piece ") + std::to_string(a));
    for (int s : {t.portalA, t.portalB})
      if (missing(scenery, s))
        out.problems.push_back(head + Tr("names missing portal ") + std::to_string(s));
  }
  for (const Helix& h : layout.helices)
    for (int s : {h.bottomR1, h.bottomR2, h.topR1, h.topR2})
      if (missing(pieces, s))
        out.problems.push_back(Tr("helix ") + std::to_string(h.id) + Tr(" names missing piece ") +
                               std::to_string(s));
}

// A tunnel's track must be one chain (joined through covered pieces only), or it can
// neither be removed as a whole nor be unlocked; each helix has its four stubs, and each
// stub carries its helix.
void CheckTunnelsAndHelices(const Layout& layout, LayoutCheck& out) {
  std::unordered_map<int, std::size_t> index;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i) index.emplace(layout.pieces[i].id, i);
  for (const Tunnel& t : layout.tunnels) {
    std::set<int> covered;
    for (int id : t.covers)
      if (index.count(id)) covered.insert(id);
    if (covered.empty()) continue;
    std::set<int> reached{*covered.begin()};
    std::vector<int> todo{*covered.begin()};
    while (!todo.empty()) {
      const PlacedPiece& p = layout.pieces[index.at(todo.back())];
      todo.pop_back();
      for (const Joint& j : p.joints)
        if (covered.count(j.target) && reached.insert(j.target).second) todo.push_back(j.target);
    }
    if (reached.size() < covered.size())
      out.problems.push_back(Tr("tunnel ") + std::to_string(t.id) +
                             Tr(" covers pieces that are not one connected chain"));
  }
  std::set<int> helices;
  for (const Helix& h : layout.helices) {
    helices.insert(h.id);
    const std::pair<const char*, int> stubs[] = {
        {"bottomR1", h.bottomR1}, {"bottomR2", h.bottomR2}, {"topR1", h.topR1}, {"topR2", h.topR2}};
    const std::string head = Tr("helix ") + std::to_string(h.id) + " ";
    for (const auto& [slot, id] : stubs) {
      if (id == -1) {
        out.problems.push_back(head + Tr("is missing its ") + slot + Tr(" stub"));
        continue;
      }
      const auto it = index.find(id);
      if (it != index.end() && layout.pieces[it->second].helix != h.id)
        out.problems.push_back(head + Tr("stub ") + std::to_string(id) +
                               Tr(" does not belong to it"));
    }
  }
  for (const PlacedPiece& p : layout.pieces)
    if (p.helix != -1 && !helices.count(p.helix))
      out.problems.push_back(Tr("piece ") + std::to_string(p.id) + Tr(" names missing helix ") +
                             std::to_string(p.helix));
}

}  // namespace

std::string Mm3(double v) {
  std::string s = FixedText(v, 3);
  if (s == "-0.000") s = "0.000";
  return s;
}

LayoutCheck CheckLayout(const Layout& layout) {
  LayoutCheck out;
  const Catalog& catalog = Catalog::instance();
  DefIndex defs;
  defs.reserve(layout.pieces.size());
  std::set<std::string> unknown;
  std::map<int, double> lengths;
  std::vector<Connector> ends;
  for (const PlacedPiece& p : layout.pieces) {
    const PieceDef* def = catalog.find(p.cat);
    defs.push_back(def);
    if (!def) {
      unknown.insert(p.cat);
      continue;
    }
    lengths[def->system] += def->length;
    WorldConnectorsInto(p, *def, ends);
    for (const Connector& w : ends)
      if (w.free) out.open_ends.push_back({p.id, w.index, w.x, w.y, w.angle});
  }
  std::stable_sort(out.open_ends.begin(), out.open_ends.end(),
                   [](const OpenEnd& a, const OpenEnd& b) {
                     return a.piece != b.piece ? a.piece < b.piece : a.conn < b.conn;
                   });
  out.unknown_articles.assign(unknown.begin(), unknown.end());
  for (const auto& [system, mm] : lengths) out.lengths.push_back({system, mm});
  for (const std::string& a : out.unknown_articles) {
    out.problems.push_back(Tr("unknown article ") + a);
    std::vector<int>& named = out.problem_pieces.emplace_back();
    for (const PlacedPiece& p : layout.pieces)
      if (p.cat == a) named.push_back(p.id);
  }
  CheckJoints(layout, defs, out);
  CheckIds(layout, out);
  CheckReferences(layout, out);
  CheckTunnelsAndHelices(layout, out);
  out.problem_pieces.resize(out.problems.size());
  return out;
}

std::string CheckVerdictText(std::size_t problems, std::size_t conflicts) {
  if (problems == 0 && conflicts == 0) return TrMark("consistent");
  return std::to_string(problems) + Tr(" problem(s), ") + std::to_string(conflicts) +
         Tr(" conflict(s)");
}

std::string CheckReportText(const Layout& layout, const LayoutCheck& check,
                            const std::vector<std::string>& conflicts) {
  std::string out;
  auto count = [&out](const char* what, std::size_t n) {
    out += what;
    out += ' ' + std::to_string(n) + '\n';
  };
  count(TrMark("pieces"), layout.pieces.size());
  count(TrMark("scenery items"), layout.scenery.size());
  count(TrMark("labels"), layout.labels.size());
  count(TrMark("shapes"), layout.shapes.size());
  count("tunnels", layout.tunnels.size());
  count("helices", layout.helices.size());
  count("levels", layout.levels.size());
  count("grade runs", layout.grade_runs.size());
  for (const TrackLength& t : check.lengths)
    out += "track length " + TrackSystemName(t.system) + " " + Mm3(t.mm) + " mm\n";
  for (const OpenEnd& e : check.open_ends)
    out += "open " + std::to_string(e.piece) + " " + std::to_string(e.conn) + " x=" + Mm3(e.x) +
           " y=" + Mm3(e.y) + " angle=" + Mm3(e.angle) + "\n";
  for (const std::string& p : check.problems) out += "problem: " + p + "\n";
  for (const std::string& c : conflicts) out += "conflict: " + c + "\n";
  out += CheckVerdictText(check.problems.size(), conflicts.size()) + "\n";
  return out;
}
