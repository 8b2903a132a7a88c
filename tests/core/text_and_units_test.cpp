// What typed text loses before it is read, and the units lengths are shown and typed in.
#include <gtest/gtest.h>

#include <cmath>

#include "model/text.h"
#include "model/units.h"

namespace {

TEST(Trim, TakesEveryAsciiBlankAtTheEndsAndNothingInside) {
  EXPECT_EQ(Trim(" \t\r\n\f\vYard East\v\f\n\r\t "), "Yard East");
  EXPECT_EQ(Trim("a\tb"), "a\tb");
  EXPECT_EQ(Trim(" \t\r\n\f\v"), "");
  // Only ASCII: a no-break space (UTF-8 C2 A0) belongs to the name.
  EXPECT_EQ(Trim("\xC2\xA0Süd "), "\xC2\xA0Süd");
}

TEST(Units, EachCodeNamesMarksAndRoundsItsOwnWay) {
  struct Case {
    int code;
    double factor;
    const char* text;    // 1234.5 mm
    const char* marked;  // 1234.5 mm
    const char* mark;
  };
  for (const Case c :
       {Case{0, 1.0, "1234 mm", "1234 mm", "mm"},  // 1234.5 is a tie: to even
        Case{1, 10.0, "123.5 cm", "123.5 cm", "cm"}, Case{2, 25.4, "48.60 in", "48.60\"", "\""},
        Case{9, 1.0, "1234 mm", "1234 mm", "mm"},  // unknown codes are mm
        Case{-1, 1.0, "1234 mm", "1234 mm", "mm"}}) {
    const Units u = Units::Of(c.code);
    EXPECT_EQ(u.factor(), c.factor) << c.code;
    EXPECT_EQ(u.Text(1234.5), c.text) << c.code;
    EXPECT_EQ(u.MarkedText(1234.5), c.marked) << c.code;
    EXPECT_STREQ(u.mark(), c.mark) << c.code;
  }
  EXPECT_EQ(Units::Of(2).Text(-0.4), "-0.02 in");
  EXPECT_EQ(Units::Of(0).Text(0.4), "0 mm");
  EXPECT_EQ(Units::Of(1).Number(2.54, 3), "0.254");
}

TEST(Units, TypedLengthsInTheUnit) {
  const Units inches = Units::Of(2);
  EXPECT_DOUBLE_EQ(*inches.ParseLength(" +2,0\t"), 50.8);
  EXPECT_EQ(Units::Of(1).ParseLength("-2.5"), -25.0);
  EXPECT_EQ(Units::Of(7).ParseLength("12"), 12.0);
  for (const char* bad : {"", " ", "abc", "12cm", "1.2.3", "++1", "nan", "inf", "1e400"})
    EXPECT_EQ(inches.ParseLength(bad), std::nullopt) << bad;
  // Finite in inches, too long in millimetres.
  EXPECT_EQ(inches.ParseLength("1e307"), std::nullopt);
}

}  // namespace
