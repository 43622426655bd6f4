#include "data/viewedit/Dates.h"

#include <gtest/gtest.h>

namespace dv::viewedit {
namespace {

TEST(ParseDate, PartsAndExactness) {
  DateParts d = ParseDate("12 MAR 1850");
  EXPECT_EQ(d.day, 12);
  EXPECT_EQ(d.month, 3);
  EXPECT_EQ(d.year, "1850");
  EXPECT_TRUE(d.exact);
  EXPECT_EQ(FormatDate(d), "12 MAR 1850");
  d = ParseDate("BET 1 JAN 1800 AND DEC 1801");
  EXPECT_EQ(FormatDate(d), "BET 1 JAN 1800 AND DEC 1801");
  EXPECT_FALSE(ParseDate("MAR 1750/51").exact);
  EXPECT_FALSE(ParseDate("@#DJULIAN@ 1700").exact);
}

TEST(ParseDate, LowerCaseAndRanges) {
  DateParts d = ParseDate("abt 3 feb 1900");
  EXPECT_EQ(d.qualifier, "ABT");
  EXPECT_EQ(FormatDate(d), "ABT 3 FEB 1900");
  d = ParseDate("FROM 1800 TO 1810");
  EXPECT_EQ(d.year2, "1810");
  EXPECT_TRUE(d.exact);
  EXPECT_EQ(FormatDate(DateParts{}), "");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(MonthName(12), "DEC");
}

}  // namespace
}  // namespace dv::viewedit
