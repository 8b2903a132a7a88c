// The built-in catalog: rows, flags, connectors and the shape constructors' geometry.
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
  // The palette's first and last rows.
  EXPECT_EQ(Cat().at(0)->id, "24188");
  EXPECT_EQ(Cat().at(165)->id, "7267");
  std::set<std::string> seen;
  for (int i = 0; i < 166; ++i) {
    ASSERT_NE(Cat().at(i), nullptr);
    EXPECT_TRUE(seen.insert(Cat().at(i)->id).second) << "repeated id " << Cat().at(i)->id;
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

TEST(Catalog, SystemsFollowTheRowBlocks) {
  for (int i = 0; i < 166; ++i) {
    const int want = i <= 48 ? MarklinC : i <= 80 ? TrixC : i <= 114 ? MarklinZ : MarklinK;
    EXPECT_EQ(Cat().at(i)->system, want) << Cat().at(i)->id;
  }
}

TEST(Catalog, FlagsSitOnBridgesRampsAndThePairOnly) {
  const std::set<std::string> elevated = {"74636", "74620", "74623", "74613", "74618", "62636",
                                          "62620", "62623", "62613", "8975",  "89759", "8976",
                                          "8977",  "7263",  "7262",  "7569",  "7267"};
  const std::set<std::string> ramp = {"74623", "74613", "74618", "62623", "62613",
                                      "8976",  "8977",  "7569",  "7267"};
  for (int i = 0; i < Cat().count(); ++i) {
    const PieceDef& d = *Cat().at(i);
    EXPECT_EQ(d.elevated, elevated.count(d.id) == 1) << d.id;
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

struct Tabled {
  const char* id;
  std::vector<std::array<double, 3>> rest;
};

TEST(Catalog, ExplicitConnectorsAreAsMeasured) {
  const Tabled kRows[] = {
      {"24611", {{188.3, 0, 0}, {180.04, -38.76, 335.7}}},
      {"24612", {{188.3, 0, 0}, {180.04, 38.76, 24.3}}},
      {"24630", {{188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}}},
      {"24671", {{180, -48.2, 330}, {257.5, -48.2, 330}}},
      {"24672", {{180, 48.2, 30}, {257.5, 48.2, 30}}},
      {"24740", {{236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}}},
      {"24649", {{103.3, 0, 0}, {17.49, -38.74, 228.6}, {85.81, 38.74, 48.6}}},
      {"24640", {{188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}}},
      {"24624", {{188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}}},
      {"24720", {{236.1, 0, 0}, {2.62, -24.75, 192.1}, {233.48, 24.75, 12.1}}},
      {"24711", {{231.74, 0, 0}, {231.74, -24.36, 348}}},
      {"24712", {{231.74, 0, 0}, {231.74, 24.36, 12}}},
      {"24771", {{257.5, -69, 330}, {321.5, -69, 330}}},
      {"24772", {{257.5, 69, 30}, {321.5, 69, 30}}},
      {"24977", {}},
      {"24978", {}},
      {"62611", {{188.3, 0, 0}, {180.04, -38.76, 335.7}}},
      {"62612", {{188.3, 0, 0}, {180.04, 38.76, 24.3}}},
      {"62671", {{180, -38.76, 335.7}, {257.5, -38.76, 335.7}}},
      {"62672", {{180, 38.76, 24.3}, {257.5, 38.76, 24.3}}},
      {"62630", {{188.3, 0, 0}, {180.04, 38.76, 24.3}, {180.04, -38.76, 335.7}}},
      {"62624", {{188.3, 0, 0}, {8.34, -38.74, 204.3}, {179.96, 38.74, 24.3}}},
      {"62977", {}},
      {"8560", {{112.8, 0, 0}, {0, -12.8519, 193}, {112.8, 12.8519, 13}}},
      {"8991", {}},
      {"2257", {{225, 0, 0}, {8.56, -43.05, 202.5}, {216.44, 43.05, 22.5}}},
      {"2258", {{90, 0, 0}, {13.18, -31.82, 225}, {76.82, 31.82, 45}}},
      {"2259", {{168.9, 0, 0}, {6.43, -32.32, 202.5}, {162.47, 32.32, 22.5}}},
      {"2269", {{180, 48.23, 30}, {244.6, 48.23, 30}}},
      {"2268", {{180, -48.23, 330}, {244.6, -48.23, 330}}},
      {"2270", {{168.9, 0, 0}, {162.49, 32.32, 22.5}, {162.49, -32.32, 337.5}}},
      {"2260", {{168.9, 0, 0}, {6.41, -32.32, 202.5}, {162.49, 32.32, 22.5}}},
      {"2275", {{225, 0, 0}, {3.49, -27.79, 194.3}, {221.51, 27.79, 14.3}}},
  };
  for (const Tabled& t : kRows) {
    const PieceDef& d = Def(t.id);
    ASSERT_EQ(d.connectors.size(), t.rest.size() + 1) << t.id;
    for (std::size_t k = 0; k < t.rest.size(); ++k) {
      EXPECT_EQ(d.connectors[k + 1].x, t.rest[k][0]) << t.id << " c" << k + 1;
      EXPECT_EQ(d.connectors[k + 1].y, t.rest[k][1]) << t.id << " c" << k + 1;
      EXPECT_EQ(d.connectors[k + 1].angle, t.rest[k][2]) << t.id << " c" << k + 1;
    }
  }
  // Three-way turnouts are left turnouts with a positive angle and four connectors.
  for (const char* id : {"24630", "62630", "2270"}) {
    EXPECT_EQ(Def(id).kind, PieceKind::LeftTurnout);
    EXPECT_GT(Def(id).angle, 0);
    EXPECT_EQ(Def(id).connectors.size(), 4u);
  }
}

TEST(Catalog, ComputedConnectors) {
  const PieceDef& l = Def("8568");
  EXPECT_EQ(l.kind, PieceKind::CurvedTurnoutSpaced);
  EXPECT_NEAR(l.connectors[1].x, 97.5, 1e-12);
  EXPECT_NEAR(l.connectors[1].y, -26.1250, 1e-4);
  EXPECT_EQ(l.connectors[1].angle, 330);
  EXPECT_NEAR(l.connectors[2].x, 122.5, 1e-12);
  EXPECT_EQ(l.connectors[2].y, l.connectors[1].y);
  const PieceDef& r = Def("8569");
  EXPECT_NEAR(r.connectors[1].y, 195 * (1 - std::cos(kPi / 6)), 1e-12);
  EXPECT_EQ(r.connectors[2].angle, 30);
  const PieceDef& x = Def("8559");
  EXPECT_NEAR(x.connectors[2].x, 1.4455, 1e-4);
  EXPECT_NEAR(x.connectors[2].y, -12.6872, 1e-4);
  EXPECT_EQ(x.connectors[2].angle, 193);
  EXPECT_NEAR(x.connectors[3].x, 111.3545, 1e-4);
  EXPECT_NEAR(x.connectors[3].y, 12.6872, 1e-4);
  EXPECT_EQ(x.connectors[3].angle, 13);

  const PieceDef& slip = Def("62624");
  EXPECT_EQ(slip.system, TrixC);
  EXPECT_EQ(slip.name, "62624 Double Slip Switch 24.3deg");
  EXPECT_EQ(slip.connectors, Def("24624").connectors);
  EXPECT_EQ(slip.radius, 437.4);
}

TEST(Catalog, TurntableRing) {
  const PieceDef& t = Def("74861");
  EXPECT_EQ(t.kind, PieceKind::Turntable);
  EXPECT_EQ(t.length, 378);
  EXPECT_EQ(t.radius, 139);
  EXPECT_EQ(t.angle, 12);
  ASSERT_EQ(t.connectors.size(), 30u);
  EXPECT_EQ(t.connectors[0].x, 139);
  EXPECT_EQ(t.connectors[0].y, 0);
  EXPECT_NEAR(t.connectors[15].x, -139, 1e-9);
  EXPECT_NEAR(t.connectors[15].y, 0, 1e-9);
  EXPECT_EQ(t.connectors[15].angle, 180);
  EXPECT_EQ(t.connectors[29].angle, 348);
}

TEST(ShapeConstructors, CurveEndAndArcLength) {
  const PieceDef c = MakeCurve(MarklinK, "x", "x", 360, 30);
  EXPECT_NEAR(c.connectors[1].x, 180.0, 1e-12);
  EXPECT_NEAR(c.connectors[1].y, 48.2308546376, 1e-9);
  EXPECT_EQ(c.connectors[1].angle, 30);
  EXPECT_NEAR(c.length, kPi / 6 * 360, 1e-12);
  EXPECT_EQ(c.kind, PieceKind::Curve);
}

TEST(ShapeConstructors, TurnoutBranch) {
  const PieceDef l = MakeTurnout(MarklinC, "x", "x", PieceKind::LeftTurnout, 188.3, 437.5, 24.3);
  EXPECT_EQ(l.angle, -24.3);
  EXPECT_NEAR(l.connectors[2].x, 180.04, 0.01);
  EXPECT_NEAR(l.connectors[2].y, -38.76, 0.01);
  EXPECT_NEAR(l.connectors[2].angle, 335.7, 1e-9);
  // The Z turnouts' branch is cut off where their 110 mm straight route ends.
  const PieceDef& z = Def("8563");
  EXPECT_EQ(z.angle, 13);
  EXPECT_EQ(z.connectors[2].x, 110);
  EXPECT_NEAR(z.connectors[2].y, 12.5065, 1e-4);
  EXPECT_NEAR(z.connectors[2].angle, 12.9729, 1e-4);
  EXPECT_NEAR(z.connectors[2].angle, std::asin(110.0 / 490.0) * 180 / kPi, 1e-12);
  const PieceDef& zl = Def("8562");
  EXPECT_EQ(zl.angle, -13);
  EXPECT_NEAR(zl.connectors[2].y, -12.5065, 1e-4);
  EXPECT_NEAR(zl.connectors[2].angle, 360 - 12.9729, 1e-4);
  // Every other turnout keeps its full branch angle.
  for (const char* id : {"2262", "2263", "22715", "22716"}) {
    const PieceDef& d = Def(id);
    EXPECT_NEAR(std::fabs(FoldAngle(d.connectors[2].angle)), std::fabs(d.angle), 1e-9) << id;
  }
}

TEST(ShapeConstructors, SignOfTurnoutAnglesFollowsTheHand) {
  for (int i = 0; i < Cat().count(); ++i) {
    const PieceDef& d = *Cat().at(i);
    const bool left = d.name.find("Left") != std::string::npos;
    const bool right = d.name.find("Right") != std::string::npos;
    if (left) {
      EXPECT_LT(d.angle, 0) << d.id;
    }
    if (right) {
      EXPECT_GT(d.angle, 0) << d.id;
    }
  }
}

}  // namespace
