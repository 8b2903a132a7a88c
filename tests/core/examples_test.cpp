// The example layouts shipped with the program load, check clean, can be built as planned
// and keep their scenery on the deck of the track beside it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "catalog/catalog.h"
#include "edit/plan_check.h"
#include "model/layout_check.h"
#include "model/layout_file.h"
#include "model/world_connectors.h"

TEST(Examples, EveryExampleLoadsChecksCleanAndKeepsSceneryOnTheTracksLevel) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VANTREL_EXAMPLES)) {
    if (entry.path().extension() != ".vtl") continue;
    ++count;
    Layout layout;
    const LoadResult r = LoadLayout(layout, entry.path());
    ASSERT_EQ(r.error, "") << entry.path();
    const LayoutCheck check = CheckLayout(layout);
    EXPECT_TRUE(check.problems.empty()) << entry.path() << ": " << check.problems.front();
    const std::vector<PlanConflict> conflicts = CheckPlan(layout);
    EXPECT_TRUE(conflicts.empty()) << entry.path() << ": " << ConflictText(conflicts.front());
    // Scenery stands on the level of the nearest track.
    for (const SceneryItem& item : layout.scenery) {
      double best = 1e18;
      int level = 0;
      for (const PlacedPiece& p : layout.pieces) {
        const PieceDef* piece = Catalog::instance().find(p.cat);
        ASSERT_NE(piece, nullptr) << p.cat;
        for (const double along : {0.0, piece->length / 2, piece->length}) {
          const Point at = ToLayout({p.x, p.y, p.heading}, along, 0);
          if (const double d = std::hypot(at.x - item.x, at.y - item.y); d < best) {
            best = d;
            level = p.level;
          }
        }
      }
      EXPECT_EQ(item.level, level) << entry.path().filename() << ": " << item.item;
    }
  }
  EXPECT_GE(count, 3);
}
