// The helix kits and the scenery catalog: lookups, and that every item's drawing is
// inside its footprint (the drawings themselves are pictures).
#include <gtest/gtest.h>

#include <string>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"

namespace {

const SceneryCatalog& Scenery() {
  return SceneryCatalog::instance();
}

TEST(HelixCatalog, KitsOfRealCTrackPiecesFoundExactlyWithTheDefaultAsFallback) {
  const auto& kits = HelixCatalog::all();
  ASSERT_EQ(kits.size(), 10u);
  for (const HelixDef& kit : kits) {
    EXPECT_EQ(kit.rise, kit.turns * 80 + 60) << kit.id;
    EXPECT_LT(kit.inner_radius, kit.outer_radius) << kit.id;
    EXPECT_EQ(HelixCatalog::find(kit.id), &kit);
    // The radii are those of the kit's two curve articles.
    for (const auto& [piece, radius] :
         {std::pair{kit.inner_curve_id, kit.inner_radius},
          std::pair{kit.outer_curve_id, kit.outer_radius}, std::pair{kit.straight_id, 0.0}}) {
      const PieceDef* def = Catalog::instance().find(piece);
      ASSERT_NE(def, nullptr) << kit.id << " names " << piece;
      EXPECT_EQ(def->system, MarklinC) << piece;
      EXPECT_EQ(def->radius, radius) << kit.id << " " << piece;
    }
  }
  EXPECT_EQ(HelixCatalog::resolve("proses_3_5_r2r3"), &kits[4]);
  ASSERT_EQ(HelixCatalog::find(HelixCatalog::default_id), &kits[0]);
  for (const char* missing : {"proses_3_5_r3r4", "", "PROSES_2_5_R1R2", "proses_2_5_r1r2 "}) {
    EXPECT_EQ(HelixCatalog::find(missing), nullptr) << missing;
    EXPECT_EQ(HelixCatalog::resolve(missing), &kits[0]) << missing;
  }
}

TEST(SceneryCatalog, RowsAndLookups) {
  ASSERT_EQ(Scenery().count(), 39);
  for (int i = 0; i < Scenery().count(); ++i)
    EXPECT_EQ(Scenery().find(Scenery().at(i)->id), Scenery().at(i));
  EXPECT_EQ(Scenery().at(-1), nullptr);
  EXPECT_EQ(Scenery().at(39), nullptr);
  EXPECT_EQ(Scenery().find("Platform"), nullptr);
  EXPECT_EQ(Scenery().find("24188"), nullptr);  // track articles live in their own catalog
}

// What a user sees of an item must lie within the footprint that selects and moves it.
TEST(SceneryCatalog, EveryDrawingIsInsideItsFootprint) {
  for (const SceneryDef& def : Scenery().all()) {
    SCOPED_TRACE(def.id);
    const auto inside = [&def](double x, double y) {
      constexpr double kSlack = 1e-9;
      return x >= -kSlack && y >= -kSlack && x <= def.width + kSlack && y <= def.depth + kSlack;
    };
    EXPECT_FALSE(def.shapes.empty());
    for (const ScenePrim& p : def.shapes) {
      if (p.type == kPolygon) {
        for (const auto& [x, y] : p.points) EXPECT_TRUE(inside(x, y)) << x << ", " << y;
      } else if (p.type == kLine) {
        EXPECT_TRUE(inside(p.a, p.b) && inside(p.c, p.d));
      } else {  // a text's corner, or a box from its corner
        EXPECT_TRUE(inside(p.a, p.b) && (p.type == kText || inside(p.a + p.c, p.b + p.d)));
      }
    }
  }
}

TEST(Rgba, PacksRedIntoTheLowByte) {
  EXPECT_EQ((Rgba{0x12, 0x34, 0x56, 0x78}.Packed()), 0x78563412u);
  EXPECT_EQ(Rgba{}.Packed(), 0xFF000000u);  // opaque black by default
}

}  // namespace
