// Grade runs advance one piece per join; the elevation at a connector follows the
// piece's grade over its run length. The forward walks leave each piece by the end
// opposite the one they entered it at, so chains laid either way round are followed.
#include "edit/grades.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "model/document.h"
#include "model/layout_ops.h"
#include "model/number_text.h"
#include "model/translate.h"

namespace {

constexpr int kPropagateSteps = 200;  // a closed loop of flat track ends here
constexpr int kRunSearchSteps = 100;
constexpr double kMaxHeightMm = 10'000.0;

double Rise(const PlacedPiece& p, double deg) {
  const PieceDef* def = Catalog::instance().find(p.cat);
  return def ? std::sin(DegToRad(deg)) * RunLength(*def) : 0.0;
}

// A run climbs from connector 0, or from connector 1 on a `rev` piece.
int EntryConnector(const PlacedPiece& p) {
  return p.rev ? 1 : 0;
}
int ExitConnector(int entry) {
  return entry == 0 ? 1 : 0;
}

PlacedPiece* Neighbour(Layout& layout, const std::unordered_map<int, std::size_t>& index,
                       const PlacedPiece& p, int connector, int* their_connector) {
  if (!p.Joined(connector)) return nullptr;
  const Joint& j = p.joints[static_cast<std::size_t>(connector)];
  const auto it = index.find(j.target);
  if (it == index.end()) return nullptr;
  *their_connector = j.tconn;
  return &layout.pieces[it->second];
}

// Flat pieces after `from` (left by `exit`) take the elevation of the end they meet,
// until a graded piece, a helix (its stubs keep the helix's heights), a free end or the
// step limit.
void PropagateFlat(Layout& layout, const std::unordered_map<int, std::size_t>& index,
                   PlacedPiece* from, int exit) {
  for (int step = 0; step < kPropagateSteps; ++step) {
    int entered = -1;
    PlacedPiece* next = Neighbour(layout, index, *from, exit, &entered);
    if (!next || std::fabs(next->grade) > kFlatGradeDeg || next->helix != -1) return;
    next->z = ElevationAt(*from, exit);
    from = next;
    exit = ExitConnector(entered);
  }
}

// Sets the piece's elevation from the piece it was entered from, keeping its grade.
void ElevationFromPrevious(Layout& layout, const std::unordered_map<int, std::size_t>& index,
                           PlacedPiece& p) {
  const int entry = EntryConnector(p);
  int theirs = -1;
  const PlacedPiece* prev = Neighbour(layout, index, p, entry, &theirs);
  if (!prev) return;
  const double e = ElevationAt(*prev, theirs);
  p.z = entry == 0 ? e : e + Rise(p, p.grade);
}

bool AnchorsRun(const Layout& layout, int id) {
  return std::any_of(layout.grade_runs.begin(), layout.grade_runs.end(),
                     [&](const GradeRun& r) { return r.anchor == id; });
}

// The run the piece belongs to: the first anchor found walking forward from it.
int RunAnchorAhead(Layout& layout, const std::unordered_map<int, std::size_t>& index,
                   PlacedPiece* p) {
  int exit = ExitConnector(EntryConnector(*p));
  for (int step = 0; step < kRunSearchSteps; ++step) {
    if (AnchorsRun(layout, p->id)) return p->id;
    int entered = -1;
    PlacedPiece* next = Neighbour(layout, index, *p, exit, &entered);
    if (!next) break;
    p = next;
    exit = ExitConnector(entered);
  }
  return p->id;
}

std::string ElevationStatus(double deg) {
  return Subst(deg < 0 ? Tr("Elevation: DOWN %1 deg") : Tr("Elevation: UP %1 deg"),
               {FixedText(std::fabs(deg), 1)});
}

}  // namespace

double RunLength(const PieceDef& def) {
  if (def.radius > 0 && def.connectors.size() >= 2 && def.connectors[1].x > 1.0)
    return def.connectors[1].x;
  return def.length;
}

double ElevationAt(const PlacedPiece& piece, int connector) {
  if (connector == 0) return piece.z;
  const PieceDef* def = Catalog::instance().find(piece.cat);
  if (!def) return 0.0;
  const double e = std::sin(DegToRad(piece.grade)) * RunLength(*def);
  return piece.rev ? piece.z - e : piece.z + e;
}

std::string GradeText(double grade_deg) {
  const double g = std::fabs(grade_deg);
  return (grade_deg >= 0 ? "+" : "-") + FixedText(g, 2) + Tr(" deg (") +
         FixedText(std::tan(DegToRad(g)) * 100.0, 1) + "%)";
}

bool RunContinuesAt(const Layout& layout, int piece_id, int connector) {
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0 || !AnchorsRun(layout, piece_id)) return false;
  return layout.pieces[static_cast<std::size_t>(pi)].rev ? connector == 0 : connector != 0;
}

void ContinueGradeOnJoin(Layout& layout, std::size_t new_index, int target_id, int t, int n) {
  const int ti = FindPiece(layout, target_id);
  if (ti < 0) return;
  const PlacedPiece& target = layout.pieces[static_cast<std::size_t>(ti)];
  const PieceDef* tdef = Catalog::instance().find(target.cat);
  if (!tdef || tdef->length <= 0) return;
  const double e = ElevationAt(target, t);
  // Track joined behind the start of a run does not continue it.
  auto run = layout.grade_runs.end();
  if (RunContinuesAt(layout, target_id, t))
    run = std::find_if(layout.grade_runs.begin(), layout.grade_runs.end(),
                       [&](const GradeRun& r) { return r.anchor == target_id; });
  PlacedPiece& piece = layout.pieces[new_index];
  const PieceDef* def = Catalog::instance().find(piece.cat);
  const bool bridge = def && def->elevated && !def->ramp;
  if (bridge) {
    // A bridge sits flat at the end it joins and ends the run there.
    piece.z = e;
    piece.grade = 0;
    if (run != layout.grade_runs.end()) RemoveGradeRuns(layout, target_id);
    return;
  }
  if (run == layout.grade_runs.end()) {
    piece.z = e;
    piece.grade = 0;
    return;
  }
  const double length = def ? RunLength(*def) : 0.0;
  if (n == 1) {
    // Joined by its far end: the climb runs from connector 1 back to connector 0.
    piece.z = e + std::sin(DegToRad(run->deg)) * length;
    piece.rev = true;
  } else {
    piece.z = e;
    piece.rev = false;
  }
  piece.grade = run->deg;
  run->anchor = piece.id;
  run->conn = n != 1 ? 1 : 0;
  RecomputeGradeMode(layout);
}

void SetGradeRun(Layout& layout, double deg, int anchor, int conn) {
  auto run = std::find_if(layout.grade_runs.begin(), layout.grade_runs.end(),
                          [&](const GradeRun& r) { return r.anchor == anchor; });
  if (run != layout.grade_runs.end()) {
    run->deg = deg;
    run->conn = conn;
  } else {
    layout.grade_runs.push_back({deg, anchor, conn});
  }
  RecomputeGradeMode(layout);
}

void RemoveGradeRuns(Layout& layout, int anchor) {
  std::erase_if(layout.grade_runs, [&](const GradeRun& r) { return r.anchor == anchor; });
  RecomputeGradeMode(layout);
}

GradeOutcome StartGrade(Document& doc, int piece_id, double deg) {
  Layout& layout = doc.layout();
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0) return {};
  if (deg == 0) deg = 0;  // DOWN at 0 degrees is no descent, not -0.0
  Transaction t(doc, TrMark("Start Grade"));
  PlacedPiece& p = layout.pieces[static_cast<std::size_t>(pi)];
  // The joined end keeps its elevation and the free end rises: a piece joined only by
  // connector 1 was laid backwards and climbs from there.
  const bool backwards = !p.Joined(0) && p.Joined(1);
  const double joined_end = ElevationAt(p, backwards ? 1 : 0);
  p.grade = deg;
  p.rev = backwards;
  p.z = backwards ? joined_end + Rise(p, deg) : joined_end;
  SetGradeRun(layout, deg, piece_id, 0);
  t.Commit();
  return {true, ElevationStatus(deg)};
}

GradeOutcome EndGrade(Document& doc, int piece_id) {
  Layout& layout = doc.layout();
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0) return {};
  Transaction t(doc, TrMark("End Grade"));
  const auto index = PieceIndexById(layout);
  PlacedPiece& p = layout.pieces[static_cast<std::size_t>(pi)];
  p.grade = 0;
  ElevationFromPrevious(layout, index, p);
  PropagateFlat(layout, index, &p, ExitConnector(EntryConnector(p)));
  RemoveGradeRuns(layout, RunAnchorAhead(layout, index, &p));
  t.Commit();
  return {true, TrMark("Grade ended - subsequent pieces will be flat")};
}

GradeOutcome RecalculateForward(Document& doc, int piece_id) {
  Layout& layout = doc.layout();
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0) return {};
  Transaction t(doc, TrMark("Recalculate Heights"));
  const auto index = PieceIndexById(layout);
  PlacedPiece& p = layout.pieces[static_cast<std::size_t>(pi)];
  ElevationFromPrevious(layout, index, p);
  PropagateFlat(layout, index, &p, ExitConnector(EntryConnector(p)));
  t.Commit();
  return {true, ""};
}

GradeOutcome SetPieceHeight(Document& doc, int piece_id, double mm) {
  Layout& layout = doc.layout();
  const int pi = FindPiece(layout, piece_id);
  if (pi < 0 || !std::isfinite(mm)) return {};
  Transaction t(doc, TrMark("Height"));
  const auto index = PieceIndexById(layout);
  PlacedPiece& p = layout.pieces[static_cast<std::size_t>(pi)];
  p.z = std::clamp(mm, 0.0, kMaxHeightMm);
  PropagateFlat(layout, index, &p, ExitConnector(EntryConnector(p)));
  t.Commit();
  return {true, ""};
}

GradeOutcome SetHelixBaseHeight(Document& doc, int helix_id, double mm) {
  Layout& layout = doc.layout();
  const auto helix = std::find_if(layout.helices.begin(), layout.helices.end(),
                                  [&](const Helix& h) { return h.id == helix_id; });
  if (helix == layout.helices.end() || !std::isfinite(mm)) return {};
  const HelixDef* def = HelixCatalog::resolve(helix->variant);
  const double base = std::clamp(mm, 0.0, kMaxHeightMm);
  const double top = base + (def ? def->rise : 0.0);
  Transaction t(doc, TrMark("Height"));
  const auto index = PieceIndexById(layout);
  const std::pair<int, double> stubs[] = {
      {helix->bottomR1, base}, {helix->bottomR2, base}, {helix->topR1, top}, {helix->topR2, top}};
  for (const auto& [id, z] : stubs) {
    const auto it = index.find(id);
    if (it == index.end()) continue;
    PlacedPiece& stub = layout.pieces[it->second];
    stub.z = z;
    for (int c = 0; c < static_cast<int>(stub.joints.size()); ++c)
      PropagateFlat(layout, index, &stub, c);
  }
  t.Commit();
  return {true, ""};
}
