// Whether a plan can be built: height steps at joints, tracks that run into each other,
// too little headroom where one track passes over another, and grades too steep to
// climb. One checker serves the command line, the Check Plan dialog and the conflict
// marks on the canvas; it keeps a spatial grid so that a re-check after an edit looks
// only at what changed and its neighbourhood.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/layout.h"

enum class ConflictKind { HeightStep, Collision, Clearance, SteepGrade };

// Joined connectors whose heights differ by more than this do not meet.
inline constexpr double kHeightStepMm = 0.5;
// Tracks closer than this in height are at the same height: they collide.
inline constexpr double kSameHeightMm = 5.0;
// A train is wider than the drawn band once it overhangs it on a curve: tracks whose
// centre lines come closer than one and a half band widths cannot both carry one
// (56.1 mm in H0, 18 mm in Z; C-Track's 77.5 mm and K-Track's 64.6 mm spacing pass).
inline constexpr double kTrackSpacingBands = 1.5;

// The headroom a track needs under another one passing over it: 30 mm in Z, 65 mm in
// the H0 systems.
double DefaultClearanceMm(int track_system);

struct PlanCheckOptions {
  std::optional<double> clearance_mm;  // the same headroom for every track system
  friend bool operator==(const PlanCheckOptions&, const PlanCheckOptions&) = default;
};

// One conflict. The pieces: a height step's two joined pieces (a by connector conn_a,
// the lower id first); a collision's two pieces (lower id first); for too little
// clearance the upper piece a over the lower piece b; a steep grade's piece a. Helix
// rings are named by the helix's first stub.
struct PlanConflict {
  ConflictKind kind = ConflictKind::HeightStep;
  int a = -1;
  int b = -1;
  int conn_a = -1;
  int conn_b = -1;
  Point at;          // where, in layout millimetres
  int level = 1;     // the level of piece a
  double value = 0;  // the step or the clearance in mm, the grade in degrees
  double limit = 0;  // the clearance needed, or the steepest grade allowed
  friend bool operator==(const PlanConflict&, const PlanConflict&) = default;
};

// "height step 12.6 mm at joint 5 1 -> 6 0 (x=10.0, y=20.0)", "collision pieces 7 and
// 12 at x=… y=… (level 1)", "clearance 31.0 mm < 65.0 mm, piece 20 over piece 3 at x=…
// y=…", "grade 6.5 deg on piece 9 exceeds 6 deg".
std::string ConflictText(const PlanConflict& c);
// A place as the texts give it: "x=12.0, y=-3.5" (one decimal, never "-0.0").
std::string PlaceText(Point at);
// The pieces a conflict names, a first.
std::vector<int> ConflictPieces(const PlanConflict& c);

// Keeps the conflicts of one layout up to date. The first Update checks everything;
// each later one compares the layout with what it saw, and re-checks only the pieces
// and helices that changed, the pieces joined to them and what lies near them.
class PlanChecker {
 public:
  explicit PlanChecker(PlanCheckOptions options = {});
  ~PlanChecker();
  PlanChecker(PlanChecker&&) noexcept;
  PlanChecker& operator=(PlanChecker&&) noexcept;

  // The conflicts, sorted by kind, then by the pieces they name.
  const std::vector<PlanConflict>& Update(const Layout& layout);
  const std::vector<PlanConflict>& conflicts() const;
  // New options take effect with a full check at the next Update.
  void SetOptions(const PlanCheckOptions& options);
  // Pieces looked at again by the last Update (all of them after a full check).
  std::size_t last_rechecked() const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// Every conflict of the layout, as the command line and the dialog list them.
std::vector<PlanConflict> CheckPlan(const Layout& layout, const PlanCheckOptions& options = {});
