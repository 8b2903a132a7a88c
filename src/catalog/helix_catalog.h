// Ready-made helix kits for Märklin C-Track.
#pragma once

#include <string>
#include <vector>

struct HelixDef {
  std::string id;
  std::string name;
  double turns = 0;
  double rise = 0;  // mm gained over the whole helix
  double inner_radius = 0;
  double outer_radius = 0;
  std::string straight_id;
  std::string inner_curve_id;
  std::string outer_curve_id;
};

class HelixCatalog {
 public:
  static const std::vector<HelixDef>& all();
  // Exact id match in table order, or null.
  static const HelixDef* find(const std::string& id);
  // The entry for a placed helix: its own, else the default kit's.
  static const HelixDef* resolve(const std::string& id);
  static constexpr const char* default_id = "proses_2_5_r1r2";
};
