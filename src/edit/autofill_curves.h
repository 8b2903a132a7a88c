// The search behind "Autofill Gap with Curves...": chains of a system's sectional curves
// (either hand) and straights that carry one free end onto another.
#pragma once

#include <string>
#include <vector>

#include "catalog/piece_def.h"
#include "edit/fill_chain.h"

inline constexpr double kCurveFillAngleDeg = 0.5;  // a chain may arrive this far off B's line
inline constexpr int kMaxCurvesOneHand = 8;
inline constexpr int kMaxCurvesMixedHands = 4;

struct CurveFill {
  std::vector<ChainPiece> pieces;  // from A toward B
  int curves = 0;
  int hand_changes = 0;
  double min_radius = 0;      // of its curves; infinite without curves
  int distinct = 0;           // distinct articles
  double position_error = 0;  // mm between the chain's end and B's connector
  double angle_error = 0;     // degrees the chain's end is off facing B's connector
};

// The catalog curves a fill of `system` may use, in catalog order: plain curves only (no
// ramps, turnouts or circuit tracks); of curves with equal radius and angle only the first.
std::vector<const PieceDef*> FillCurves(int system);

// Up to 12 chains from connector `from` (pointing the way the chain leaves A) whose free
// end lands on connector `to` within 1.5 mm and 0.5 degrees, ranked: fewest pieces, fewest
// curves, fewest changes of hand, largest smallest radius, fewest distinct articles, then
// the smaller position and angle error. Every chain is laid piece by piece to be checked.
std::vector<CurveFill> SolveCurvedGap(int system, const Connector& from, const Connector& to);

// "24224 + 24224  (0.08 mm, 0.0°)"
std::string CurveFillRowText(const CurveFill& fill);
