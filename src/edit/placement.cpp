// Placing pieces. Every operation here is one undo step, its automatic extras included,
// and writes each join on both pieces.
#include "edit/placement.h"

#include <cmath>
#include <unordered_set>

#include "catalog/catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/text_mark.h"
#include "catalog/track_system.h"
#include "edit/grades.h"
#include "model/layout_ops.h"

namespace {

constexpr const char* kTurntable = "74861";
constexpr const char* kSpokeExtension = "74871";
constexpr int kSpokeConnectors[] = {29, 0, 1, 14, 15, 16};
constexpr double kRoundhouseReachMm = 700.0;
constexpr double kRoundhouseOffsetMm = 349.6;  // from the pit centre to the stall doors

PlacedPiece NewPiece(const PieceDef& def, const Pose& pose, int level) {
  PlacedPiece p;
  p.cat = def.id;
  p.x = pose.x;
  p.y = pose.y;
  p.heading = pose.heading;
  p.level = level;
  SizeJoints(p, def);
  return p;
}

Connector WorldConnector(const PlacedPiece& p, const PieceDef& def, int k) {
  return WorldConnectors(p, def)[static_cast<std::size_t>(k)];
}

// Appends a piece with an id from the counter, as part of an operation that already
// took its undo snapshot; returns its index.
std::size_t AppendPiece(Layout& layout, PlacedPiece p) {
  p.id = TakeId(layout);
  layout.pieces.push_back(std::move(p));
  return layout.pieces.size() - 1;
}

void SelectOnly(Layout& layout, int piece_id) {
  DeselectAll(layout);
  const int i = FindPiece(layout, piece_id);
  if (i >= 0) layout.pieces[static_cast<std::size_t>(i)].sel = true;
}

// The second half of a paired article continues at connector 1; returns its id or -1.
int AddPairedPartner(Layout& layout, std::size_t first, const PieceDef& def) {
  if (!def.paired || def.connectors.size() < 2 || layout.pieces[first].Joined(1)) return -1;
  const PlacedPiece& f = layout.pieces[first];
  const Pose pose = MatePose(def, 0, WorldConnector(f, def, 1));
  const int first_id = f.id;
  const std::size_t second = AppendPiece(layout, NewPiece(def, pose, f.level));
  JoinBoth(layout, second, 0, first, 1);
  ContinueGradeOnJoin(layout, second, first_id, 1, 0);
  return layout.pieces[second].id;
}

// Six spoke extensions give the turntable two groups of three tracks; connectors already
// joined to track keep their joint.
void AddSpokeExtensions(Layout& layout, std::size_t table, const PieceDef& def,
                        std::vector<int>& added) {
  const PieceDef* ext = Catalog::instance().find(kSpokeExtension);
  if (!ext || !Catalog::instance().find(kTurntable)) return;
  for (int k : kSpokeConnectors) {
    if (k >= static_cast<int>(def.connectors.size()) || layout.pieces[table].Joined(k)) continue;
    const PlacedPiece& t = layout.pieces[table];
    PlacedPiece p = NewPiece(*ext, MatePose(*ext, 0, WorldConnector(t, def, k)), t.level);
    p.z = t.z;
    p.free = true;  // part of the turntable, not counted as track
    const std::size_t e = AppendPiece(layout, std::move(p));
    JoinBoth(layout, e, 0, table, k);
    added.push_back(layout.pieces[e].id);
  }
}

bool SystemsMatch(const PieceDef& a, int ca, const PieceDef& b, int cb) {
  return EffectiveSystem(a, ca) == EffectiveSystem(b, cb);
}

void RefuseSystems(Prompter& prompter, const PieceDef& a, int ca, const PieceDef& b, int cb) {
  const JoinCompatibility c{true, EffectiveSystem(a, ca), EffectiveSystem(b, cb)};
  prompter.Notify(TrMark("Incompatible Track Systems"), IncompatibleSystemsText(c),
                  PromptIcon::Warning);
}

// Lays a new piece of `def` joined by `new_conn` to connector `at` of piece `from`.
// One undo step; leaves the new piece (or its paired partner) selected.
PlaceResult Extend(Layout& layout, std::size_t from, int at, const PieceDef& def, int new_conn) {
  const PieceDef& fdef = *Catalog::instance().find(layout.pieces[from].cat);
  const PlacedPiece& f = layout.pieces[from];
  const Pose pose = MatePose(def, new_conn, WorldConnector(f, fdef, at));
  const int from_id = f.id;
  const int id = InsertPiece(layout, NewPiece(def, pose, f.level));
  const std::size_t n = layout.pieces.size() - 1;
  JoinBoth(layout, n, new_conn, static_cast<std::size_t>(FindPiece(layout, from_id)), at);
  SelectOnly(layout, id);
  ContinueGradeOnJoin(layout, n, from_id, at, new_conn);
  std::vector<int> added{id};
  const int partner = AddPairedPartner(layout, n, def);
  if (partner != -1) {
    added.push_back(partner);
    SelectOnly(layout, partner);
  }
  CloseLoops(layout, added);
  return {true, partner != -1 ? partner : id, false};
}

// Some other piece's joint names this connector.
bool NamedByOthers(const Layout& layout, int id, int conn) {
  for (const PlacedPiece& p : layout.pieces) {
    if (p.id == id) continue;
    for (const Joint& j : p.joints)
      if (j.target == id && j.tconn == conn) return true;
  }
  return false;
}

}  // namespace

void SizeJoints(PlacedPiece& piece, const PieceDef& def) {
  if (piece.joints.size() < def.connectors.size()) piece.joints.resize(def.connectors.size());
}

int DropLevel(const Layout& layout) {
  double best = -1e9;
  int level = layout.active_level;
  for (const Level& l : layout.levels) {
    if (l.visible && l.height > best) {
      best = l.height;
      level = l.id;
    }
  }
  return level;
}

PlaceResult DropPiece(Document& doc, const PieceDef& def, const Pose& free_pose,
                      const SnapCandidate& snap, Prompter& prompter, bool snapping) {
  Layout& layout = doc.layout();
  if (!snap.found && snapping) {
    const JoinCompatibility c = CheckJoinCompatibility(def, free_pose, layout.pieces);
    if (c.incompatible) {
      prompter.Notify(TrMark("Incompatible Track Systems"), IncompatibleSystemsText(c),
                      PromptIcon::Warning);
      return {};
    }
  }
  Transaction t(doc, TrMark("Place"));
  const int ti = snap.found ? FindPiece(layout, snap.targetPiece) : -1;
  const int level = ti >= 0 ? layout.pieces[static_cast<std::size_t>(ti)].level : DropLevel(layout);
  const int id = InsertPiece(layout, NewPiece(def, snap.found ? snap.pose() : free_pose, level));
  const std::size_t n = layout.pieces.size() - 1;
  PlaceResult result{true, id, def.system == MarklinZ && layout.pieces.size() == 1};
  if (ti >= 0) {
    JoinBoth(layout, n, snap.newConnector, static_cast<std::size_t>(ti), snap.targetConnector);
    ContinueGradeOnJoin(layout, n, snap.targetPiece, snap.targetConnector, snap.newConnector);
  }
  std::vector<int> added{id};
  if (def.id == kTurntable) AddSpokeExtensions(layout, n, def, added);
  const int partner = AddPairedPartner(layout, n, def);
  if (partner != -1) added.push_back(partner);
  CloseLoops(layout, added, ti >= 0 ? kAutoJoinMm : kMatedMm);
  SelectOnly(layout, id);
  t.Commit();
  return result;
}

PlaceResult AutoConnect(Document& doc, const std::string& article, Prompter& prompter) {
  Layout& layout = doc.layout();
  int ai = -1;
  for (std::size_t i = 0; i < layout.pieces.size(); ++i)
    if (layout.pieces[i].sel &&
        (ai < 0 || layout.pieces[i].id > layout.pieces[static_cast<std::size_t>(ai)].id))
      ai = static_cast<int>(i);
  if (ai < 0) return {};
  const int helix = layout.pieces[static_cast<std::size_t>(ai)].helix;
  if (helix != -1) {
    // A helix is extended at a stub's outer end (connector 1); its other end lies on
    // the rings, where new track would sit on top of the helix.
    ai = -1;
    for (std::size_t i = 0; i < layout.pieces.size(); ++i)
      if (layout.pieces[i].helix == helix && layout.pieces[i].sel && !layout.pieces[i].Joined(1) &&
          (ai < 0 || layout.pieces[i].id > layout.pieces[static_cast<std::size_t>(ai)].id))
        ai = static_cast<int>(i);
    if (ai < 0) {
      prompter.Notify(TrMark("Extend Track"),
                      TrMark("Every end of this helix is joined to track already. Select the track "
                             "to extend, then double-click the piece in the palette."),
                      PromptIcon::Information);
      return {};
    }
  }
  const std::size_t a = static_cast<std::size_t>(ai);
  const PieceDef* adef = Catalog::instance().find(layout.pieces[a].cat);
  const PieceDef* ndef = Catalog::instance().find(article);
  if (!adef || !ndef || ndef->connectors.empty()) return {};
  const PlacedPiece& anchor = layout.pieces[a];
  const int count = static_cast<int>(adef->connectors.size());
  int at = -1;
  if (count >= 2 && !anchor.Joined(1)) {
    at = 1;
  } else if (count >= 1 && !anchor.Joined(0)) {
    at = 0;
  } else {
    for (int k = 2; k < count && at < 0; ++k)
      if (!anchor.Joined(k)) at = k;
  }
  if (at < 0) return {};
  const int new_conn = at == 0 && ndef->connectors.size() >= 2 ? 1 : 0;
  if (!SystemsMatch(*ndef, new_conn, *adef, at)) {
    RefuseSystems(prompter, *ndef, new_conn, *adef, at);
    return {};
  }
  Transaction t(doc, TrMark("Place"));
  const PlaceResult placed = Extend(layout, a, at, *ndef, new_conn);
  t.Commit();
  return placed;
}

PlaceResult ClonePiece(Document& doc, int piece_id, Prompter& prompter) {
  Layout& layout = doc.layout();
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0) return {};
  const std::size_t s = static_cast<std::size_t>(pi);
  const PieceDef* def = Catalog::instance().find(layout.pieces[s].cat);
  if (layout.pieces[s].helix != -1 || !def || def->connectors.empty()) return {};
  const PlacedPiece& src = layout.pieces[s];
  const bool two = def->connectors.size() >= 2;
  int at = -1;
  if (two && !src.Joined(1) && !NamedByOthers(layout, src.id, 1)) {
    at = 1;
  } else if (!src.Joined(0) && !NamedByOthers(layout, src.id, 0)) {
    at = 0;
  }
  if (at < 0) return {};
  const int new_conn = at == 0 && two ? 1 : 0;
  if (!SystemsMatch(*def, new_conn, *def, at)) {
    RefuseSystems(prompter, *def, new_conn, *def, at);
    return {};
  }
  Transaction t(doc, TrMark("Place"));
  const PlaceResult placed = Extend(layout, s, at, *def, new_conn);
  t.Commit();
  return placed;
}

Pose AlignRoundhouse(const Layout& layout, const std::string& item, Pose pose) {
  const SceneryDef* def = SceneryCatalog::instance().find(item);
  if (item != "72886" || !def) return pose;
  const SceneryItem* nearest = nullptr;
  double best = 0;
  for (const SceneryItem& s : layout.scenery) {
    if (s.item != kTurntable) continue;
    const double d = Distance(s.x, s.y, pose.x, pose.y);
    if (!nearest || d < best) {
      nearest = &s;
      best = d;
    }
  }
  if (!nearest || best >= kRoundhouseReachMm) return pose;
  const double angle = std::round(pose.heading / 12.0) * 12.0;
  const double r = def->depth * 0.5 + kRoundhouseOffsetMm;
  const double t = DegToRad(angle);
  return {nearest->x - r * std::sin(t), nearest->y + r * std::cos(t), NormalizeAngle(angle)};
}

PlaceResult DropScenery(Document& doc, const std::string& item, Pose pose) {
  Layout& layout = doc.layout();
  if (!SceneryCatalog::instance().find(item)) return {};
  Transaction t(doc, TrMark("Place Scenery"));
  pose = AlignRoundhouse(layout, item, pose);
  SceneryItem s;
  s.item = item;
  s.x = pose.x;
  s.y = pose.y;
  s.heading = pose.heading;
  s.level = DropLevel(layout);
  DeselectAll(layout);
  const int id = InsertScenery(layout, s);
  layout.scenery.back().sel = true;
  t.Commit();
  return {true, id, false};
}
