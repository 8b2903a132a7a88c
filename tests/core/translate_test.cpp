// Sentences with places in them: a translation may put the places in another order.
#include <gtest/gtest.h>

#include "model/translate.h"

TEST(Subst, FillsNumberedPlacesInAnyOrderAndLeavesTheRestAsWritten) {
  EXPECT_EQ(Subst("%2 von %1", {"a", "b"}), "b von a");
  EXPECT_EQ(Subst("%1%1 %% 100%", {"x"}), "xx % 100%");
  // A place with no value, or a value holding a place, stays as it is.
  EXPECT_EQ(Subst("%1 %3 %", {"%2", "y"}), "%2 %3 %");
  // Without a catalog every text is its own translation.
  EXPECT_STREQ(Tr("Save Failed"), "Save Failed");
}
