// A lookup kept across changes of the layout still finds each piece where it is now.
#include <gtest/gtest.h>

#include "model/piece_lookup.h"

TEST(PieceLookup, FollowsPiecesThatMovedCameOrWent) {
  Layout l;
  auto add = [&](int id) {
    l.pieces.emplace_back();
    l.pieces.back().id = id;
  };
  for (int id : {7, 3, 9}) add(id);
  PieceLookup ids;
  EXPECT_EQ(ids.Find(l, 9), 2);
  l.pieces.erase(l.pieces.begin());  // everything after it moves up
  add(4);
  EXPECT_EQ(ids.Find(l, 9), 1);
  EXPECT_EQ(ids.Find(l, 7), -1);
  EXPECT_EQ(ids.Find(l, 4), 2);
  EXPECT_EQ(ids.Find(l, 3), 0);
}
