#include "data/Names.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(DisplayName, SurnameBetweenSlashesWithSpacesAsUnderscores) {
  EXPECT_EQ(DisplayName("John /van Dyke/"), "John van_Dyke");
  EXPECT_EQ(DisplayName("  Anne Mary /Brown/ Jr"), "Anne Mary Brown");
}

TEST(DisplayName, MissingPartsBecomeBlanks) {
  EXPECT_EQ(DisplayName("/Smith/"), "____ Smith");
  EXPECT_EQ(DisplayName("John"), "John ____");
  EXPECT_EQ(DisplayName(""), "____ ____");
  EXPECT_EQ(DisplayName("John //"), "John ____");
}

TEST(DisplayName, StopsAtLineEndAndAt255Characters) {
  EXPECT_EQ(DisplayName("Ann /Lee/\r\nrest"), "Ann Lee");
  std::string longName(300, 'x');
  EXPECT_EQ(DisplayName(longName), std::string(255, 'x') + " ____");
}

TEST(FitName, CutsGivenNamesToInitialsFromTheRight) {
  EXPECT_EQ(FitName("John William Henry Smith", 21, true), "SMITH John William H");
  EXPECT_EQ(FitName("Mary Ann Smith", 12, false), "Mary A Smith");
}

TEST(FitName, ShortNameGivenFirstGetsALeadingSpace) {
  EXPECT_EQ(FitName("Ann Lee", 21, false), " Ann Lee");
  EXPECT_EQ(FitName("Ann Lee", 21, true), "LEE Ann");
}

TEST(FitName, NicknameAmongGivenNamesIsLeftOut) {
  EXPECT_EQ(FitName("John \"Jack\" Smith", 21, true), "SMITH John");
  EXPECT_EQ(FitName("John (Jack) Smith", 21, false), " John Smith");
  // Kept only when it comes last.
  EXPECT_EQ(FitName("John Smith [Jack]", 30, false), " John Smith [Jack]");
}

TEST(FitName, TextOneLongerThanWidthOnlyLosesItsLeadingSpace) {
  EXPECT_EQ(FitName(" Mary Smith", 10, false), "Mary Smith");
}

TEST(FitName, DropsMiddleNamesThenFailsGivenFirstWhenSurnameTooWide) {
  EXPECT_EQ(FitName("Ann Bea Cat Dora Eve Smith", 10, true), "SMITH Ann");
  std::string out;
  EXPECT_FALSE(FitName("Bartholomew Featherstonehaugh", 12, false, out));
  EXPECT_TRUE(FitName("Bartholomew Featherstonehaugh", 12, true, out));
  EXPECT_EQ(out, "FEATHERSTONE");
}

TEST(FitName, WidthIsCappedAt35) {
  std::string name = "Alexander Bartholomew Christopher Smithsonian-Worthington";
  EXPECT_LE(FitName(name, 80, false).size(), 35u);
}

TEST(YearOf, TakesTheYearAtTheEnd) {
  EXPECT_EQ(YearOf("12 MAR 1850"), "1850");
  EXPECT_EQ(YearOf("ABT 1850   "), "1850");
  EXPECT_EQ(YearOf("MAR 1750/51"), "1750");
  EXPECT_EQ(YearOf("1750/1"), "1750");
  EXPECT_EQ(YearOf("AD 12"), "12");
}

TEST(YearOf, RejectsOneOrMoreThanFiveDigits) {
  EXPECT_EQ(YearOf("ABT 5"), "");
  EXPECT_EQ(YearOf("123456"), "");
  EXPECT_EQ(YearOf(""), "");
  EXPECT_EQ(YearOf("BEF MAR"), "");
}

}  // namespace
}  // namespace dv
