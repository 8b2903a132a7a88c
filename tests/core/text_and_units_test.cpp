// What typed text loses before it is read, and the units lengths are shown and typed in.
#include <gtest/gtest.h>

#include "model/text.h"

namespace {

TEST(Trim, TakesEveryAsciiBlankAtTheEndsAndNothingInside) {
  EXPECT_EQ(Trim(" \t\r\n\f\vYard East\v\f\n\r\t "), "Yard East");
  EXPECT_EQ(Trim("a\tb"), "a\tb");
  EXPECT_EQ(Trim(" \t\r\n\f\v"), "");
  EXPECT_EQ(Trim(""), "");
  // Only ASCII: a no-break space (UTF-8 C2 A0) belongs to the name.
  EXPECT_EQ(Trim("\xC2\xA0Süd "), "\xC2\xA0Süd");
}

}  // namespace
