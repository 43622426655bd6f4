#include "charts/selective/BirthBriefGather.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

// A base individual, her parents and her father's parents; the mother's
// family as child is named but not in the file.
constexpr const char* kFamily = R"(0 HEAD
1 CHAR ANSI
0 @I1@ INDI
1 NAME Ann /Base/
1 SEX F
1 OCCU Student
1 BIRT
2 DATE 3 MAR 1990
2 PLAC 12 High Street, Bath, Somerset
1 FAMC @F1@
0 @I2@ INDI
1 NAME John William Henry /Smith/
1 SEX M
1 OCCU Cooper
1 BIRT
2 DATE ABT 1950
2 PLAC Saint Mary Cray Orpington, Kent
1 DEAT
2 DATE 1850s
2 PLAC Dover
1 FAMS @F1@
1 FAMC @F2@
0 @I3@ INDI
1 NAME Mary /Mac_Kellar/
1 SEX F
1 CHR
2 DATE 12 MAR 1750/51
2 PLAC London
1 BURI
2 DATE 1801
1 FAMS @F1@
1 FAMC @F9@
0 @I4@ INDI
1 NAME George /Smith/
1 SEX M
1 FAMS @F2@
0 @I5@ INDI
1 NAME Edith /Jones/
1 SEX F
1 FAMS @F2@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I1@
0 @F2@ FAM
1 HUSB @I4@
1 WIFE @I5@
1 CHIL @I2@
0 TRLR
)";

class GatherTest : public ::testing::Test {
 protected:
  void Load(std::string gedcom) {
    std::string summary;
    ASSERT_EQ(LoadDataSourceBytes(store, std::move(gedcom), LoadOptions{}, summary), 0);
  }
  GatherResult Gather(std::int32_t base) { return GatherBirthBrief(store, base, options, tables); }
  RecordStore store;
  BirthBriefOptions options;
  BirthBriefTables tables;
};

// A line of fathers nine generations deep: person k is the father of k - 1.
std::string FatherLine() {
  std::string g = "0 HEAD\n";
  for (int k = 1; k <= 9; ++k) {
    g += "0 @I" + std::to_string(k) + "@ INDI\n1 NAME Gen" + std::to_string(k) + " /Line/\n";
    g += "1 OCCU Smith\n1 BIRT\n2 DATE 1900\n2 PLAC Leeds\n";
    if (k > 1) g += "1 FAMS @F" + std::to_string(k - 1) + "@\n";
    if (k < 9) g += "1 FAMC @F" + std::to_string(k) + "@\n";
  }
  for (int k = 1; k < 9; ++k)
    g += "0 @F" + std::to_string(k) + "@ FAM\n1 HUSB @I" + std::to_string(k + 1) + "@\n1 CHIL @I" +
         std::to_string(k) + "@\n";
  return g + "0 TRLR\n";
}

// ---- Slots ----

TEST_F(GatherTest, AncestorsGoToTheirAhnentafelSlots) {
  Load(kFamily);
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Ref(0), 1);
  EXPECT_EQ(tables.Ref(1), 2);
  EXPECT_EQ(tables.Ref(2), 3);
  EXPECT_EQ(tables.Ref(3), 4);
  EXPECT_EQ(tables.Ref(4), 5);
  EXPECT_EQ(tables.Name(3), " George Smith");
  EXPECT_EQ(tables.Name(4), " Edith Jones");
  // The mother's family as child is missing: her ancestry ends quietly.
  EXPECT_EQ(tables.Ref(5), 0);
  EXPECT_EQ(tables.Name(5), "");
}

TEST_F(GatherTest, BaseWithoutParentsFillsOnlyRowZero) {
  Load(kFamily);
  ASSERT_EQ(Gather(4).status, 0);
  EXPECT_EQ(tables.Name(0), " George Smith");
  for (int s = 1; s < kNameRows; ++s) EXPECT_EQ(tables.Name(s), "") << s;
}

TEST_F(GatherTest, SevenGenerationsStopAtSlot126AndEightAtSlot254) {
  Load(FatherLine());
  options.generations = 7;
  ASSERT_EQ(Gather(1).status, 0);
  for (int s : {0, 1, 3, 7, 15, 31, 63}) EXPECT_NE(tables.Name(s), "") << s;
  EXPECT_EQ(tables.Ref(127), 0);
  options.generations = 8;
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Name(127), " Gen8 Line");
  EXPECT_EQ(tables.Ref(127), 8);
}

TEST_F(GatherTest, DetailsOnlyForSixGenerationsAndOccupationsForFive) {
  Load(FatherLine());
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Birth(31), "b Leeds,1900");
  EXPECT_EQ(tables.Occupation(15), " Smith");
  EXPECT_EQ(tables.Occupation(31), "");
  EXPECT_EQ(tables.Detail(kOccupationRowBase + 31), "");  // row 159 stays empty
  EXPECT_EQ(tables.Detail(63), "");                       // slot 63 has no birth row
  EXPECT_EQ(tables.Detail(127), "");
}

// ---- Texts ----

TEST_F(GatherTest, EventLinesFromTheSummaries) {
  Load(kFamily);
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Birth(0), "b High Street,1990");
  EXPECT_EQ(tables.Occupation(0), " Student");
  EXPECT_EQ(tables.Death(0), "");
  // ABT 1850 gives its year; the place is cut at its first long word.
  EXPECT_EQ(tables.Birth(1), "b Saint,1950");
  // A date ending in 1850s has no year.
  EXPECT_EQ(tables.Death(1), "d Dover");
  // A baptism gives 'c'; 12 MAR 1750/51 gives 1750; a burial is a 'd' line.
  EXPECT_EQ(tables.Birth(2), "c London,1750");
  EXPECT_EQ(tables.Death(2), "d 1801");
}

TEST_F(GatherTest, LongNamesAreFittedToTheWidth) {
  Load(kFamily);
  options.width = 20;
  ASSERT_EQ(Gather(1).status, 0);
  // " John William Henry Smith" is 25 characters.
  EXPECT_EQ(tables.Name(1), "John William H Smith");
  options.width = 31;
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Name(1), " John William Henry Smith");
}

TEST_F(GatherTest, UnderscoresBecomeSpaces) {
  Load(kFamily);
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Name(2), " Mary Mac Kellar");
}

TEST_F(GatherTest, AllCapitalsIncludesTheEventLetters) {
  Load(kFamily);
  options.allCapitals = true;
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Name(2), " MARY MAC KELLAR");
  EXPECT_EQ(tables.Birth(2), "C LONDON,1750");
  EXPECT_EQ(tables.Occupation(0), " STUDENT");
}

TEST_F(GatherTest, NoDetailsWithoutTheOption) {
  Load(kFamily);
  options.addBirthDeath = false;
  ASSERT_EQ(Gather(1).status, 0);
  for (int r = 0; r < kDetailRows; ++r) EXPECT_EQ(tables.Detail(r), "") << r;
}

TEST_F(GatherTest, NoOccupationsWithoutTheOption) {
  Load(kFamily);
  options.addOccupation = false;
  ASSERT_EQ(Gather(1).status, 0);
  EXPECT_EQ(tables.Occupation(0), "");
  EXPECT_EQ(tables.Birth(0), "b High Street,1990");
}

// ---- Failures ----

TEST_F(GatherTest, NoBaseIndividualIsAnErrorInData) {
  Load(kFamily);
  const GatherResult r = Gather(0);
  EXPECT_EQ(r.status, 28);
  EXPECT_EQ(r.message, 28);
}

TEST_F(GatherTest, BaseIndexWithoutARecordIsAnErrorInData) {
  Load(kFamily);
  const GatherResult r = Gather(99);
  EXPECT_EQ(r.status, 28);
  EXPECT_EQ(r.message, 28);
  EXPECT_EQ(tables.Ref(0), 0);
}

TEST_F(GatherTest, NameThatCannotBeShortenedNeedsManualEditing) {
  Load(R"(0 HEAD
0 @I1@ INDI
1 NAME Anne /Abcdefghijklmnopqrstuvwxyz/
0 TRLR
)");
  options.width = 20;
  const GatherResult r = Gather(1);
  EXPECT_EQ(r.status, 28);
  EXPECT_EQ(r.message, 37);
  EXPECT_EQ(r.suffix, "Anne Abcdefghijklmnopqrstuvwxyz");
}

}  // namespace
}  // namespace dv
