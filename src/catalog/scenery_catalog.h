// Non-track items (platforms, buildings, signals, trees ...) with their plan-view
// drawing as simple primitives in item millimetres.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalog/catalog.h"

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  // red | green << 8 | blue << 16 | alpha << 24
  std::uint32_t Packed() const {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b) << 16 | static_cast<std::uint32_t>(a) << 24;
  }
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

enum ScenePrimType : std::uint8_t {
  kFilledRect = 0,
  kFilledEllipse = 1,
  kPolygon = 2,
  kOutlinedRect = 3,
  kOutlinedEllipse = 4,
  kLine = 5,
  kText = 6,
};

struct ScenePrim {
  std::uint8_t type = kFilledRect;
  Rgba fill;
  Rgba stroke;
  int stroke_width = 0;  // 0: no outline
  // Rectangle and ellipse: x, y, width, height of the box. Line: x1, y1, x2, y2.
  // Text: centre x, y and the text height in d.
  double a = 0, b = 0, c = 0, d = 0;
  std::vector<std::pair<double, double>> points;  // polygon corners
  std::string text;
};

enum SceneryCategory : int {
  kPlatforms = 0,
  kBuildings = 1,
  kStations = 2,
  kSignals = 3,
  kBridges = 4,
  kTunnels = 5,
  kRoads = 6,
  kNature = 7,
  kVehicles = 8,
  kSpecial = 9,
};

struct SceneryDef {
  std::string id;
  std::string name;
  int category = 0;
  double width = 0;  // footprint along the item's x axis, mm
  double depth = 0;  // along its y axis
  bool z_scale = false;
  std::vector<ScenePrim> shapes;  // drawing order; origin at the top-left corner
};

class SceneryCatalog {
 public:
  static SceneryCatalog& instance();
  const SceneryDef* find(const std::string& id) const;
  int count() const { return static_cast<int>(defs_.size()); }
  const SceneryDef* at(int index) const;
  const std::vector<SceneryDef>& all() const { return defs_; }

  SceneryCatalog(const SceneryCatalog&) = delete;
  SceneryCatalog& operator=(const SceneryCatalog&) = delete;

 private:
  SceneryCatalog();
  friend void LoadBuiltInScenery(SceneryCatalog& catalog);
  void add(const SceneryDef& def);
  void clear();

  std::vector<SceneryDef> defs_;
  std::unordered_map<std::string, int, Fnv1aHash> index_;
  bool loaded_ = false;
};

void LoadBuiltInScenery(SceneryCatalog& catalog);

// Palette group name of a category ("Platforms" ... "Special"; "Other" otherwise).
std::string SceneryCategoryName(int category);
