// The example layouts shipped with the program load and check clean.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/layout_check.h"
#include "model/layout_file.h"

TEST(Examples, EveryExampleLoadsAndChecksConsistent) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VANTREL_EXAMPLES)) {
    if (entry.path().extension() != ".vtl") continue;
    ++count;
    Layout layout;
    const LoadResult r = LoadLayout(layout, entry.path());
    ASSERT_EQ(r.error, "") << entry.path();
    const LayoutCheck check = CheckLayout(layout);
    EXPECT_TRUE(check.problems.empty()) << entry.path() << ": " << check.problems.front();
    EXPECT_FALSE(layout.pieces.empty()) << entry.path();
  }
  EXPECT_GE(count, 3);
}
