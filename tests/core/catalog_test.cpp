// The built-in catalog's rows and flags and the shape constructors' geometry; every
// article's outline and connectors are checked as pictures.
#include <gtest/gtest.h>

#include <cmath>

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
    const PieceDef& d = *Cat().at(i);
    // Ramps, and only ramps, say so in their names; so does the one article sold as a pair.
    EXPECT_EQ(d.ramp, d.name.find(" Ramp ") != std::string::npos) << d.id;
    EXPECT_EQ(d.paired, d.name.ends_with("(pair)")) << d.id;
    // Every connector list starts at the origin pointing back, except the turntable's.
    for (std::size_t k = 0; k < d.connectors.size(); ++k) EXPECT_EQ(d.connectors[k].index, int(k));
    if (d.kind != PieceKind::Turntable) {
      ASSERT_FALSE(d.connectors.empty());
      EXPECT_EQ(d.connectors[0].x, 0.0);
      EXPECT_EQ(d.connectors[0].y, 0.0);
      EXPECT_EQ(d.connectors[0].angle, 180.0);
    }
  }
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
