// The built-in helix kits: turns, rise, the two C-Track radii and the pieces of each.
#include "catalog/helix_catalog.h"

namespace {

// Every kit is built from the C-Track straight 24188 and two curves of neighbouring radii.
HelixDef Kit(const char* id, double turns, double rise, double inner_radius, double outer_radius,
             const char* inner_curve, const char* outer_curve, const char* name) {
  return HelixDef{id,           name,    turns,       rise,       inner_radius,
                  outer_radius, "24188", inner_curve, outer_curve};
}

std::vector<HelixDef> BuildKits() {
  return {
      Kit("proses_2_5_r1r2", 2.5, 260, 360, 437.5, "24130", "24230",
          "Proses 2.5 R1&R2 26cm/10.2\""),
      Kit("proses_3_5_r1r2", 3.5, 340, 360, 437.5, "24130", "24230",
          "Proses 3.5 R1&R2 34cm/13.4\""),
      Kit("proses_4_5_r1r2", 4.5, 420, 360, 437.5, "24130", "24230",
          "Proses 4.5 R1&R2 42cm/16.5\""),
      Kit("proses_2_5_r2r3", 2.5, 260, 437.5, 515, "24230", "24330",
          "Proses 2.5 R2&R3 26cm/10.2\""),
      Kit("proses_3_5_r2r3", 3.5, 340, 437.5, 515, "24230", "24330",
          "Proses 3.5 R2&R3 34cm/13.4\""),
      Kit("proses_2_5_r3r4", 2.5, 260, 515, 579.3, "24330", "24430",
          "Proses 2.5 R3&R4 26cm/10.2\""),
      Kit("proses_4_5_r3r4", 4.5, 420, 515, 579.3, "24330", "24430",
          "Proses 4.5 R3&R4 42cm/16.5\""),
      Kit("proses_2_5_r4r5", 2.5, 260, 579.3, 643.6, "24430", "24530",
          "Proses 2.5 R4&R5 26cm/10.2\""),
      Kit("proses_3_5_r4r5", 3.5, 340, 579.3, 643.6, "24430", "24530",
          "Proses 3.5 R4&R5 34cm/13.4\""),
      Kit("proses_4_5_r4r5", 4.5, 420, 579.3, 643.6, "24430", "24530",
          "Proses 4.5 R4&R5 42cm/16.5\""),
  };
}

}  // namespace

const std::vector<HelixDef>& HelixCatalog::all() {
  static const std::vector<HelixDef> kits = BuildKits();
  return kits;
}

const HelixDef* HelixCatalog::find(const std::string& id) {
  for (const HelixDef& kit : all()) {
    if (kit.id == id) return &kit;
  }
  return nullptr;
}

const HelixDef* HelixCatalog::resolve(const std::string& id) {
  const HelixDef* kit = find(id);
  return kit ? kit : find(default_id);
}
