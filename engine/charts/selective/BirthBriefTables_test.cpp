#include "charts/selective/BirthBriefTables.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

// ---- Event lines ----

TEST(EventLine, KeepsTheFirstComponentOfThePlaceAndAppendsTheYear) {
  EXPECT_EQ(EventLine('b', "Cheltenham, Gloucestershire, England", "1850", 23),
            "b Cheltenham,1850");
  EXPECT_EQ(EventLine('c', "Bath", "1790", 23), "c Bath,1790");
}

TEST(EventLine, DeathWithoutPlaceIsTheLetterAndTheYear) {
  EXPECT_EQ(EventLine('d', "", "1901", 23), "d 1901");
}

TEST(EventLine, MarriageHasNoLetter) {
  EXPECT_EQ(EventLine('m', "London, Middlesex", "1822", 23), "London,1822");
}

TEST(EventLine, HouseNumbersAreSkipped) {
  EXPECT_EQ(EventLine('b', "12 3 High Street, Bath", "1850", 23), "b High Street,1850");
}

TEST(EventLine, PlaceWithoutYearGetsNoComma) {
  EXPECT_EQ(EventLine('b', "Bath, Somerset", "", 23), "b Bath");
}

TEST(EventLine, TooShortResultIsEmpty) {
  EXPECT_EQ(EventLine('b', "", "", 23), "");
  EXPECT_EQ(EventLine('d', ", Kent", "", 23), "");
  EXPECT_EQ(EventLine('m', "", "", 23), "");
}

TEST(EventLine, LongPlaceIsCutAtAnEarlySpace) {
  // The first space at position 6 or later (and before W - 4) is the cut.
  EXPECT_EQ(EventLine('b', "Saint Mary Cray Orpington", "1850", 20), "b Saint,1850");
  // Spaces before position 6 are remembered until one reaches 6.
  EXPECT_EQ(EventLine('b', "St Mary Cray Orpington Kent", "1850", 20), "b St Mary,1850");
}

TEST(EventLine, LongWordIsShortenedWithAnApostrophe) {
  // First W - 9 characters, an apostrophe, the last four (with the comma).
  const std::string line = EventLine('b', "Wolverhamptonshirebury", "1850", 20);
  EXPECT_EQ(line, "b Wolverham'ury,1850");
  EXPECT_EQ(int(line.size()), 20);
}

TEST(EventLine, NeverWiderThanTheColumn) {
  const char* places[] = {"Llanfairpwllgwyngyllgogerychwyrndrobwll", "A B C D E F G H I J K L M N",
                          "Much Wenlock Upon The Wold", "12 Acacia Avenue Kingston upon Hull"};
  for (int w = 20; w <= 31; ++w)
    for (const char* place : places)
      for (char kind : {'b', 'd', 'm'}) {
        const std::string line = EventLine(kind, place, "1850", w);
        EXPECT_LE(int(line.size()), w) << place << " width " << w << ": " << line;
      }
}

TEST(EventLine, MarriagePlaceStopsAtASpaceOnceLong) {
  // W - 7 = 13: the space after "in" comes when the text is 15 long.
  EXPECT_EQ(EventLine('m', "Saint Martin in the Fields", "1822", 20), "Saint Martin in,1822");
}

// ---- Names ----

TEST(ShortenChartName, CutsGivenNamesToInitialsFromTheRight) {
  std::string out;
  ASSERT_TRUE(ShortenChartName(" John William Henry Smith", 20, out));
  EXPECT_EQ(out, "John William H Smith");
}

TEST(ShortenChartName, FailsWhenTheSurnameAloneIsTooWide) {
  std::string out;
  EXPECT_FALSE(ShortenChartName(" Anne Abcdefghijklmnopqrstuvwxyz", 20, out));
}

// ---- Tables ----

TEST(BirthBriefTables, TextsAreCutToTheirFields) {
  BirthBriefTables t;
  t.SetName(3, std::string(80, 'n'));
  t.SetDetail(5, std::string(80, 'd'));
  EXPECT_EQ(t.Name(3).size(), 51u);
  EXPECT_EQ(t.Detail(5).size(), 55u);
}

TEST(BirthBriefTables, RowsOutsideTheTablesAreIgnored) {
  BirthBriefTables t;
  t.SetName(255, " x");
  t.SetName(-1, " x");
  t.SetRef(255, 9);
  t.SetDetail(160, "x");
  EXPECT_EQ(t.Name(255), "");
  EXPECT_EQ(t.Ref(255), 0);
  EXPECT_EQ(t.Detail(160), "");
}

TEST(BirthBriefTables, DetailRowsBySlot) {
  BirthBriefTables t;
  t.SetDetail(62, "b A,1800");
  t.SetDetail(64 + 62, "d B,1860");
  t.SetDetail(128 + 30, " Baker");
  EXPECT_EQ(t.Birth(62), "b A,1800");
  EXPECT_EQ(t.Death(62), "d B,1860");
  EXPECT_EQ(t.Occupation(30), " Baker");
  // Slot 63 has no birth line (row 63 is the empty row), slot 31 no occupation.
  EXPECT_EQ(t.Birth(63), "");
  EXPECT_EQ(t.Occupation(31), "");
}

TEST(BirthBriefTables, AllCapitalsUpperCasesNamesAndDetails) {
  BirthBriefTables t;
  t.SetName(0, " Jos\xe9 M\xfcller");
  t.SetDetail(0, "b London,1850");
  t.UpperCaseAll();
  EXPECT_EQ(t.Name(0), " JOS\xc9 M\xdcLLER");
  EXPECT_EQ(t.Detail(0), "B LONDON,1850");
}

TEST(BirthBriefOptions, FromSettingsReadsTheSlotsAndClampsTheWidth) {
  Settings s;
  s.eparam = {0, 1, 0, 0, 1, 1, 1};
  s.dparam[39] = 40;
  BirthBriefOptions o = BirthBriefOptions::FromSettings(s);
  EXPECT_EQ(o.generations, 7);
  EXPECT_TRUE(o.allCapitals);
  EXPECT_FALSE(o.addBirthDeath);
  EXPECT_FALSE(o.addOccupation);
  EXPECT_TRUE(o.excludeGen12);
  EXPECT_TRUE(o.excludeGen6);
  EXPECT_TRUE(o.showAllLines);
  EXPECT_EQ(o.width, 31);
  s.dparam[39] = 5;
  EXPECT_EQ(BirthBriefOptions::FromSettings(s).width, 20);
}

}  // namespace
}  // namespace dv
