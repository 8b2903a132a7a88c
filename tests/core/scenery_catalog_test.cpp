// The helix kits and the scenery catalog: rows, lookups, the exact platform and signal
// drawings, and that every item's drawing is well formed and stays inside its footprint.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "catalog/scenery_catalog.h"
#include "catalog/track_system.h"

namespace {

constexpr Rgba kStop{220, 40, 40, 255};
constexpr Rgba kClear{60, 200, 80, 255};
constexpr Rgba kTransparent{0, 0, 0, 0};

const SceneryCatalog& Scenery() {
  return SceneryCatalog::instance();
}

TEST(HelixCatalog, TenKitsOfRealCTrackPieces) {
  const char* const kIds[] = {"proses_2_5_r1r2", "proses_3_5_r1r2", "proses_4_5_r1r2",
                              "proses_2_5_r2r3", "proses_3_5_r2r3", "proses_2_5_r3r4",
                              "proses_4_5_r3r4", "proses_2_5_r4r5", "proses_3_5_r4r5",
                              "proses_4_5_r4r5"};
  const auto& kits = HelixCatalog::all();
  ASSERT_EQ(kits.size(), 10u);
  for (std::size_t i = 0; i < kits.size(); ++i) {
    const HelixDef& kit = kits[i];
    EXPECT_EQ(kit.id, kIds[i]);
    EXPECT_EQ(kit.rise, kit.turns * 80 + 60) << kit.id;
    EXPECT_EQ(kit.name.back(), '"') << kit.id;
    EXPECT_EQ(kit.straight_id, "24188");
    // The radii are those of the kit's two curve articles.
    for (const auto& [piece, radius] : {std::pair{kit.inner_curve_id, kit.inner_radius},
                                        std::pair{kit.outer_curve_id, kit.outer_radius}}) {
      const PieceDef* def = Catalog::instance().find(piece);
      ASSERT_NE(def, nullptr) << kit.id << " names " << piece;
      EXPECT_EQ(def->system, MarklinC) << piece;
      EXPECT_EQ(def->radius, radius) << kit.id << " " << piece;
    }
    ASSERT_NE(Catalog::instance().find(kit.straight_id), nullptr);
    EXPECT_EQ(Catalog::instance().find(kit.straight_id)->system, MarklinC);
    EXPECT_LT(kit.inner_radius, kit.outer_radius);
  }
  EXPECT_EQ(kits[0].name, "Proses 2.5 R1&R2 26cm/10.2\"");
  EXPECT_EQ(kits[9].name, "Proses 4.5 R4&R5 42cm/16.5\"");
  EXPECT_EQ(kits[6].outer_curve_id, "24430");
  EXPECT_EQ(kits[6].outer_radius, 579.3);
}

TEST(HelixCatalog, FindIsExactAndResolveFallsBackToTheDefault) {
  const HelixDef* kit = HelixCatalog::find("proses_3_5_r2r3");
  ASSERT_EQ(kit, &HelixCatalog::all()[4]);
  EXPECT_EQ(kit->turns, 3.5);
  EXPECT_EQ(kit->rise, 340);
  EXPECT_EQ(kit->inner_radius, 437.5);
  EXPECT_EQ(kit->outer_radius, 515);
  EXPECT_EQ(HelixCatalog::resolve("proses_3_5_r2r3"), kit);

  const HelixDef* fallback = HelixCatalog::find(HelixCatalog::default_id);
  ASSERT_EQ(fallback, &HelixCatalog::all()[0]);
  for (const char* missing : {"proses_3_5_r3r4", "", "PROSES_2_5_R1R2", "proses_2_5_r1r2 "}) {
    EXPECT_EQ(HelixCatalog::find(missing), nullptr) << missing;
    EXPECT_EQ(HelixCatalog::resolve(missing), fallback) << missing;
  }
}

TEST(SceneryCatalog, HoldsTheRowsInOrderWithTheirFootprints) {
  struct Row {
    const char* id;
    const char* name;
    int category;
    double width, depth;
  };
  const Row kRows[] = {
      {"platform", "Platform", 0, 230, 60},
      {"platform_island", "Island platform 460mm", 0, 460, 120},
      {"station_small", "Station Gueglingen", 2, 308, 140},
      {"station_large", "Station Schwarzburg", 2, 550, 185},
      {"signal_box", "Signal box", 1, 60, 50},
      {"shed_1road", "Engine shed (1 road)", 1, 300, 80},
      {"shed_2road", "Engine shed (2 roads)", 1, 300, 160},
      {"goods_shed", "Goods shed", 1, 200, 80},
      {"warehouse", "Warehouse", 1, 400, 200},
      {"signal_semaphore_stop", "Semaphore (Stop)", 3, 20, 20},
      {"signal_semaphore_clear", "Semaphore (Clear)", 3, 20, 20},
      {"signal_color_stop", "Color light (Stop)", 3, 20, 20},
      {"signal_color_clear", "Color light (Clear)", 3, 20, 20},
      {"signal_z_semaphore_stop", "Semaphore Z (Stop)", 3, 12, 12},
      {"signal_z_semaphore_clear", "Semaphore Z (Clear)", 3, 12, 12},
      {"signal_z_color_stop", "Color light Z (Stop)", 3, 12, 12},
      {"signal_z_color_clear", "Color light Z (Clear)", 3, 12, 12},
      {"bridge_truss_scenery", "Truss bridge (scenery)", 4, 188, 64},
      {"bridge_arch_scenery", "Arch bridge (scenery)", 4, 360, 64},
      {"crossing_1track", "Level crossing (1 track)", 6, 120, 80},
      {"crossing_2track", "Level crossing (2 tracks)", 6, 120, 160},
      {"road_straight", "Road straight 188mm", 6, 188, 60},
      {"74861", "Turntable 74861 (pit 278mm)", 9, 278, 278},
      {"72886", "Roundhouse 72886 (3-stall)", 10, 386, 343},
      {"water_tower", "Water tower", 9, 50, 50},
      {"coaling_tower", "Coaling tower", 9, 80, 80},
      {"tree_sm_dec", "Deciduous tree (small)", 7, 34, 34},
      {"tree_lg_dec", "Deciduous tree (large)", 7, 57, 57},
      {"tree_conifer", "Conifer tree", 7, 23, 40},
      {"tree_group", "Tree group (3 mixed)", 7, 115, 80},
      {"bush", "Bush / shrub", 7, 23, 17},
      {"car", "Car", 8, 50, 20},
      {"truck", "Truck", 8, 80, 25},
      {"parking_lot", "Parking lot (10 spaces)", 9, 250, 120},
      {"ped_zone", "Pedestrian zone", 9, 115, 57},
      {"bridge_truss", "Steel truss bridge (1 track)", 9, 188, 80},
      {"viaduct_pier", "Viaduct pier (concrete)", 9, 40, 60},
      {"tunnel_portal_single", "Tunnel portal (1 track)", 5, 40, 80},
      {"retaining_wall", "Retaining wall 188mm", 9, 188, 30},
  };
  ASSERT_EQ(Scenery().count(), 39);
  ASSERT_EQ(Scenery().all().size(), 39u);
  for (int i = 0; i < 39; ++i) {
    const SceneryDef* def = Scenery().at(i);
    ASSERT_NE(def, nullptr);
    const Row& row = kRows[i];
    EXPECT_EQ(def->id, row.id) << "row " << i;
    EXPECT_EQ(def->name, row.name) << row.id;
    EXPECT_EQ(def->category, row.category) << row.id;
    EXPECT_EQ(def->width, row.width) << row.id;
    EXPECT_EQ(def->depth, row.depth) << row.id;
    EXPECT_EQ(Scenery().find(row.id), def);
  }
  EXPECT_EQ(Scenery().at(-1), nullptr);
  EXPECT_EQ(Scenery().at(39), nullptr);
  EXPECT_EQ(Scenery().find(""), nullptr);
  EXPECT_EQ(Scenery().find("Platform"), nullptr);
  EXPECT_EQ(Scenery().find("24188"), nullptr);  // track articles live in their own catalog
}

TEST(SceneryCatalog, IsBuiltOnceAndShared) {
  const SceneryDef* first = Scenery().at(0);
  EXPECT_EQ(&SceneryCatalog::instance(), &SceneryCatalog::instance());
  EXPECT_EQ(SceneryCatalog::instance().count(), 39);
  EXPECT_EQ(SceneryCatalog::instance().at(0), first);
  // The turntable's id is also a track article; the two catalogs answer separately.
  EXPECT_EQ(Scenery().find("74861")->name, "Turntable 74861 (pit 278mm)");
  EXPECT_EQ(Catalog::instance().find("74861")->kind, Turntable);
}

void ExpectPrim(const ScenePrim& p, std::uint8_t type, Rgba fill, Rgba stroke, int width, double a,
                double b, double c, double d) {
  EXPECT_EQ(p.type, type);
  EXPECT_EQ(p.fill, fill);
  EXPECT_EQ(p.stroke_width, width);
  if (width > 0) {
    EXPECT_EQ(p.stroke, stroke);
  }
  EXPECT_EQ(p.a, a);
  EXPECT_EQ(p.b, b);
  EXPECT_EQ(p.c, c);
  EXPECT_EQ(p.d, d);
  EXPECT_TRUE(p.points.empty());
  EXPECT_TRUE(p.text.empty());
}

constexpr Rgba kPaving{180, 175, 170, 255};
constexpr Rgba kPavingEdge{120, 115, 110, 255};
constexpr Rgba kEdge{220, 200, 100, 255};
constexpr Rgba kJoint{150, 145, 140, 80};

TEST(SceneryCatalog, PlatformDrawing) {
  const SceneryDef& p = *Scenery().find("platform");
  ASSERT_EQ(p.shapes.size(), 7u);
  ExpectPrim(p.shapes[0], kFilledRect, kPaving, kPavingEdge, 1, 0, 0, 230, 60);
  ExpectPrim(p.shapes[1], kFilledRect, kEdge, {}, 0, 0, 52, 230, 8);
  const double xs[] = {40, 80, 120, 160, 190};
  for (int i = 0; i < 5; ++i) {
    ExpectPrim(p.shapes[2 + i], kLine, kTransparent, kJoint, 1, xs[i], 0, xs[i], 60);
  }
}

TEST(SceneryCatalog, IslandPlatformDrawing) {
  const SceneryDef& p = *Scenery().find("platform_island");
  ASSERT_EQ(p.shapes.size(), 15u);
  ExpectPrim(p.shapes[0], kFilledRect, kPaving, kPavingEdge, 1, 0, 0, 460, 120);
  ExpectPrim(p.shapes[1], kFilledRect, kEdge, {}, 0, 0, 0, 460, 8);
  ExpectPrim(p.shapes[2], kFilledRect, kEdge, {}, 0, 0, 112, 460, 8);
  ExpectPrim(p.shapes[3], kFilledRect, {200, 195, 190, 255}, {}, 0, 0, 54, 460, 12);
  for (int i = 0; i < 11; ++i) {
    const double x = 40.0 * (i + 1);
    ExpectPrim(p.shapes[4 + i], kLine, kTransparent, kJoint, 1, x, 0, x, 120);
  }
}

bool UsesColour(const SceneryDef& def, Rgba colour) {
  for (const ScenePrim& p : def.shapes) {
    if (p.fill == colour || (p.stroke_width > 0 && p.stroke == colour)) return true;
  }
  return false;
}

TEST(SceneryCatalog, SignalsShowTheirAspectAtTheirScale) {
  int signals = 0;
  for (int i = 0; i < Scenery().count(); ++i) {
    const SceneryDef& def = *Scenery().at(i);
    EXPECT_EQ(def.z_scale, i >= 13 && i <= 16) << def.id;
    if (def.category != kSignals) continue;
    ++signals;
    const double size = def.z_scale ? 12 : 20;
    EXPECT_EQ(def.width, size) << def.id;
    EXPECT_EQ(def.depth, size) << def.id;
    const bool clear = def.id.find("clear") != std::string::npos;
    EXPECT_EQ(UsesColour(def, kClear), clear) << def.id;
    EXPECT_EQ(UsesColour(def, kStop), !clear) << def.id;
  }
  EXPECT_EQ(signals, 8);
  const SceneryDef* z = Scenery().find("signal_z_color_clear");
  ASSERT_NE(z, nullptr);
  EXPECT_TRUE(z->z_scale);
  EXPECT_EQ(z->width, 12);
}

TEST(SceneryCatalog, CategoryNames) {
  const char* const kNames[] = {"Platforms", "Buildings", "Stations", "Signals",  "Bridges",
                                "Tunnels",   "Roads",     "Nature",   "Vehicles", "Special"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(SceneryCategoryName(i), kNames[i]);
  for (int other : {10, 11, -1, 1000}) EXPECT_EQ(SceneryCategoryName(other), "Other");
  EXPECT_EQ(SceneryCategoryName(Scenery().find("72886")->category), "Other");
}

bool Inside(double x, double y, const SceneryDef& def) {
  constexpr double kSlack = 1e-9;
  return x >= -kSlack && y >= -kSlack && x <= def.width + kSlack && y <= def.depth + kSlack;
}

// What a user sees of an item must lie within the footprint that selects and moves it.
TEST(SceneryCatalog, EveryDrawingIsWellFormedAndInsideItsFootprint) {
  std::set<std::string> ids;
  for (const SceneryDef& def : Scenery().all()) {
    SCOPED_TRACE(def.id);
    EXPECT_TRUE(ids.insert(def.id).second) << "repeated id";
    EXPECT_FALSE(def.shapes.empty());
    for (std::size_t k = 0; k < def.shapes.size(); ++k) {
      const ScenePrim& p = def.shapes[k];
      SCOPED_TRACE("primitive " + std::to_string(k));
      ASSERT_LE(p.type, kText);
      EXPECT_GE(p.stroke_width, 0);
      EXPECT_EQ(p.points.empty(), p.type != kPolygon);
      EXPECT_EQ(p.text.empty(), p.type != kText);
      switch (p.type) {
        case kFilledRect:
        case kFilledEllipse:
        case kOutlinedRect:
        case kOutlinedEllipse:
          EXPECT_GT(p.c, 0);
          EXPECT_GT(p.d, 0);
          EXPECT_TRUE(Inside(p.a, p.b, def) && Inside(p.a + p.c, p.b + p.d, def));
          if (p.type == kOutlinedRect || p.type == kOutlinedEllipse) {
            EXPECT_EQ(p.fill.a, 0);
            EXPECT_GT(p.stroke_width, 0);
          }
          break;
        case kPolygon:
          EXPECT_GE(p.points.size(), 3u);
          for (const auto& [x, y] : p.points) EXPECT_TRUE(Inside(x, y, def)) << x << ", " << y;
          break;
        case kLine:
          EXPECT_TRUE(Inside(p.a, p.b, def) && Inside(p.c, p.d, def));
          EXPECT_GT(p.stroke_width, 0);  // a line has no other way to be seen
          EXPECT_TRUE(p.fill.a > 0 || p.stroke.a > 0);
          break;
        case kText:
          EXPECT_TRUE(Inside(p.a, p.b, def));
          EXPECT_GT(p.d, 0);
          EXPECT_GT(p.fill.a, 0);
          break;
      }
    }
  }
}

TEST(Rgba, PacksRedIntoTheLowByte) {
  EXPECT_EQ((Rgba{0x12, 0x34, 0x56, 0x78}.Packed()), 0x78563412u);
  EXPECT_EQ((Rgba{255, 0, 0, 0}.Packed()), 0x000000FFu);
  EXPECT_EQ((Rgba{0, 0, 0, 255}.Packed()), 0xFF000000u);
  EXPECT_EQ(Rgba{}.Packed(), 0xFF000000u);  // opaque black by default
}

}  // namespace
