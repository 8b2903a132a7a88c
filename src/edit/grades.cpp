// Grade runs advance one piece per join; the elevation at a connector follows the
// piece's grade over its run length.
#include "edit/grades.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog.h"
#include "model/layout_ops.h"

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

void ContinueGradeOnJoin(Layout& layout, std::size_t new_index, int target_id, int t, int n) {
  const int ti = FindPiece(layout, target_id);
  if (ti < 0) return;
  const PlacedPiece& target = layout.pieces[static_cast<std::size_t>(ti)];
  const PieceDef* tdef = Catalog::instance().find(target.cat);
  if (!tdef || tdef->length <= 0) return;
  const double e = ElevationAt(target, t);
  auto run = std::find_if(layout.grade_runs.begin(), layout.grade_runs.end(),
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
