// The layout: every placed object, the decks, the baseboard, the unit and the grade runs.
// Objects refer to each other by id. The Document holds it with its file and history;
// how a window shows it (grid, labels, tool, snapping) is the window's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include "catalog/text_mark.h"

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One connector slot of a placed piece: the piece and connector joined there.
struct Joint {
  int target = -1;
  int tconn = -1;
  friend bool operator==(const Joint&, const Joint&) = default;
};

struct PlacedPiece {
  int id = -1;
  std::string cat;
  double x = 0;
  double y = 0;
  double heading = 0;
  bool sel = false;
  double z = 0;
  double grade = 0;
  bool rev = false;
  bool has_color = false;
  Rgb color;
  int level = 1;
  int helix = -1;
  bool free = false;
  std::vector<Joint> joints;  // index = connector index; a missing slot is open

  // Slot i names a piece.
  bool Joined(int i) const {
    return i >= 0 && i < static_cast<int>(joints.size()) &&
           joints[static_cast<std::size_t>(i)].target != -1;
  }
  // Sets slot i, first growing the list with open slots.
  void SetJoint(int i, int target, int tconn);
  friend bool operator==(const PlacedPiece&, const PlacedPiece&) = default;
};

struct SceneryItem {
  int id = -1;
  std::string item;
  double x = 0;
  double y = 0;
  double heading = 0;
  bool sel = false;
  double scalex = 1.0;
  double scaley = 1.0;
  int level = 1;
  friend bool operator==(const SceneryItem&, const SceneryItem&) = default;
};

struct LayoutLabel {
  int id = -1;
  std::string text;
  double x = 0;
  double y = 0;
  bool sel = false;
  friend bool operator==(const LayoutLabel&, const LayoutLabel&) = default;
};

struct LayoutShape {
  int id = -1;
  std::vector<Point> vertices;
  std::uint8_t r = 120;
  std::uint8_t g = 170;
  std::uint8_t b = 110;
  std::uint8_t a = 140;
  bool outline = true;
  int level = 1;
  double height = 0;
  std::string label;
  bool sel = false;
  friend bool operator==(const LayoutShape&, const LayoutShape&) = default;
};

struct Measurement {
  int id = -1;
  Point start;
  Point end;
  Point label_offset;  // relative to the segment's midpoint
  bool sel = false;
  friend bool operator==(const Measurement&, const Measurement&) = default;
};

struct Tunnel {
  int id = -1;
  int portalA = -1;
  int portalB = -1;
  int anchorA = -1;
  int anchorB = -1;
  std::vector<int> covers;
  friend bool operator==(const Tunnel&, const Tunnel&) = default;
};

inline constexpr const char* kDefaultHelixId = "proses_2_5_r1r2";

struct Helix {
  int id = -1;
  double cx = 0;
  double cy = 0;
  double heading = 0;
  std::string variant = kDefaultHelixId;
  int bottomR1 = -1;
  int bottomR2 = -1;
  int topR1 = -1;
  int topR2 = -1;
  friend bool operator==(const Helix&, const Helix&) = default;
};

struct Level {
  int id = 1;
  std::string name = TrMark("Level 1");
  bool visible = true;
  double height = 0;
  bool trackcolor = false;
  std::uint8_t r = 180;
  std::uint8_t g = 180;
  std::uint8_t b = 180;
  std::vector<Point> outline;
  friend bool operator==(const Level&, const Level&) = default;
};

struct GradeRun {
  double deg = 0;
  int anchor = -1;
  int conn = 0;
  friend bool operator==(const GradeRun&, const GradeRun&) = default;
};

// Always derived from the grade runs: the last run, or inactive.
struct GradeMode {
  bool active = false;
  double deg = 0.0;
  int anchor = -1;
  int conn = 1;
  friend bool operator==(const GradeMode&, const GradeMode&) = default;
};

// The last inputs of the baseboard shape dialog.
struct LastShape {
  int id = 0;
  double w_mm = 2400.0;
  double h_mm = 1200.0;
  double w2_mm = 1200.0;
  double h2_mm = 1200.0;
  friend bool operator==(const LastShape&, const LastShape&) = default;
};

// A picture laid under the plan to trace over, such as a scanned room plan. Its top-left
// corner lies at (x, y) and each of its pixels covers mm_per_px millimetres.
struct BackgroundImage {
  std::string path;  // absolute while open; the file keeps it relative to the layout file
  double x = 0;
  double y = 0;
  double mm_per_px = 1.0;
  double opacity = 0.5;  // 0 invisible ... 1 opaque
  bool locked = false;   // scale and place cannot be changed
  bool print = false;    // printed under the plan
  friend bool operator==(const BackgroundImage&, const BackgroundImage&) = default;
};

// The deck list as Remove Level found it, so that its undo brings the level back.
struct LevelState {
  std::vector<Level> levels;
  int active_level = 1;
  friend bool operator==(const LevelState&, const LevelState&) = default;
};

// What undo and redo restore: the placed content and the grade state, and the decks
// only for a step that removed one.
struct LayoutSnapshot {
  std::vector<PlacedPiece> pieces;
  std::vector<SceneryItem> scenery;
  std::vector<LayoutLabel> labels;
  std::vector<Measurement> measures;
  std::vector<LayoutShape> shapes;
  std::vector<Tunnel> tunnels;
  std::vector<Helix> helices;
  GradeMode grade_mode;
  std::vector<GradeRun> grade_runs;
  std::optional<LevelState> level_state;
  friend bool operator==(const LayoutSnapshot&, const LayoutSnapshot&) = default;
};

struct Layout {
  std::vector<PlacedPiece> pieces;
  std::vector<SceneryItem> scenery;
  std::vector<LayoutLabel> labels;
  std::vector<Measurement> measures;
  std::vector<LayoutShape> shapes;
  std::vector<Tunnel> tunnels;
  std::vector<Helix> helices;
  int next_id = 1;
  std::vector<Level> levels;
  int active_level = 1;
  std::vector<Point> baseboard;
  LastShape lastshape;
  int units = 0;
  std::vector<GradeRun> grade_runs;
  GradeMode grade_mode;
  std::optional<BackgroundImage> background;
};
