// The built-in catalog's rows and flags and the shape constructors' geometry; every
// article's outline and connectors are checked as pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "catalog/catalog.h"
#include "catalog/track_system.h"

namespace {

const Catalog& Cat() {
  return Catalog::instance();
}
const PieceDef& Def(const char* id) {
  const PieceDef* d = Cat().find(id);
  EXPECT_NE(d, nullptr) << id;
  return *d;
}

TEST(Catalog, HoldsEveryArticleOnceInPaletteOrder) {
  ASSERT_EQ(Cat().count(), 166);
  for (int i = 0; i < 166; ++i) {
    ASSERT_NE(Cat().at(i), nullptr);
    EXPECT_EQ(Cat().find(Cat().at(i)->id), Cat().at(i));
    // Every connector list starts at the origin pointing back, except the turntable's.
    const PieceDef& d = *Cat().at(i);
    for (std::size_t k = 0; k < d.connectors.size(); ++k) EXPECT_EQ(d.connectors[k].index, int(k));
    if (d.kind != PieceKind::Turntable) {
      ASSERT_FALSE(d.connectors.empty());
      EXPECT_EQ(d.connectors[0].x, 0.0);
      EXPECT_EQ(d.connectors[0].y, 0.0);
      EXPECT_EQ(d.connectors[0].angle, 180.0);
    }
  }
}

// Which articles are raised shows in their pictures (their arches); ramps do not show.
TEST(Catalog, FlagsSitOnRampsAndThePairOnly) {
  const std::set<std::string> ramp = {"74623", "74613", "74618", "62623", "62613",
                                      "8976",  "8977",  "7569",  "7267"};
  for (int i = 0; i < Cat().count(); ++i) {
    const PieceDef& d = *Cat().at(i);
    EXPECT_EQ(d.ramp, ramp.count(d.id) == 1) << d.id;
    EXPECT_EQ(d.paired, d.id == "74618") << d.id;
    if (d.id == "24922") {
      EXPECT_EQ(d.connector_systems, (std::vector<int>{0, 1}));
    } else {
      EXPECT_TRUE(d.connector_systems.empty()) << d.id;
    }
  }
  EXPECT_EQ(Def("74620").length, 188.3);  // named 180mm, measures 188.3
}

TEST(ShapeConstructors, CurveEndAndArcLength) {
  const PieceDef c = MakeCurve(MarklinK, "x", "x", 360, 30);
  EXPECT_NEAR(c.connectors[1].x, 180.0, 1e-12);
  EXPECT_NEAR(c.connectors[1].y, 48.2308546376, 1e-9);
  EXPECT_EQ(c.connectors[1].angle, 30);
  EXPECT_NEAR(c.length, kPi / 6 * 360, 1e-12);
}

TEST(ShapeConstructors, TurnoutBranch) {
  const PieceDef l = MakeTurnout(MarklinC, "x", "x", PieceKind::LeftTurnout, 188.3, 437.5, 24.3);
  EXPECT_EQ(l.angle, -24.3);
  EXPECT_NEAR(l.connectors[2].x, 180.04, 0.01);
  EXPECT_NEAR(l.connectors[2].y, -38.76, 0.01);
  EXPECT_NEAR(l.connectors[2].angle, 335.7, 1e-9);
  // The Z turnouts' branch is cut off where their 110 mm straight route ends.
  const PieceDef& z = Def("8563");
  EXPECT_EQ(z.connectors[2].x, 110);
  EXPECT_NEAR(z.connectors[2].angle, std::asin(110.0 / 490.0) * 180 / kPi, 1e-12);
  // Every other turnout keeps its full branch angle.
  for (const char* id : {"2262", "2263", "22715", "22716"}) {
    const PieceDef& d = Def(id);
    EXPECT_NEAR(std::fabs(FoldAngle(d.connectors[2].angle)), std::fabs(d.angle), 1e-9) << id;
  }
}

}  // namespace
