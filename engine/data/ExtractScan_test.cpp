#include "data/ExtractScan.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

constexpr const char* kTagTraps = R"(0 HEAD
1 CHAR ANSI
0 @N1@ NOTE This note mentions INDI and FAM and BURIED
0 @I1@ INDI
1 NAME Agatha /CHRISTIE/
1 NOTE She was BURIED at sea; DEAT was recorded wrongly
1 FAMC @F7@
1 BIRT
2 PLAC Torquay, Devon
2 DATE ABT 1890
1 DEAT
2 DATE 12 JAN 1976/77
1 OCCU Writer
0 @I2@ INDI
1 NAME /Solo/
0 @I3@ INDI
1 NAME Jan Willem / van der Berg /
1 BAPM
2 DATE 1850s
0 @I4@ INDI
1 NAME
1 CHR
2 DATE 3 MAR 12345
0 @F7@ FAM
1 HUSB @I3@
1 CHIL @I1@
1 MARR
2 PLAC Leiden
0 TRLR
)";

TEST(ExtractScan, TagsAreWholeTagsNotPartsOfValues) {
  GedcomScan scan;
  ASSERT_EQ(scan.OpenBytes(kTagTraps, GedcomScan::kBirthBriefIndex), 0);
  const int r = scan.Find(ScanKind::kIndi, 1);
  ASSERT_GE(r, 0);
  // The NOTE record about an INDI is no individual record 1.
  EXPECT_EQ(scan.Name(r), "Agatha CHRISTIE");
  const ScanEvent birth = scan.Birth(r);
  EXPECT_EQ(birth.letter, 'b');  // not 'c' from CHRISTIE
  EXPECT_EQ(birth.Text(), "b Torquay, Devon,1890");
  EXPECT_EQ(scan.Death(r).Text(), "d 1976");  // the note's BURIED is no burial
  EXPECT_EQ(scan.Occupation(r), "Writer");
  EXPECT_EQ(scan.Pointer(r, "FAMC"), 7);
  EXPECT_EQ(scan.Find(ScanKind::kIndi, 99), -1);
}

TEST(ExtractScan, NamesAndYearsFollowTheRules) {
  GedcomScan scan;
  ASSERT_EQ(scan.OpenBytes(kTagTraps, GedcomScan::kBirthBriefIndex), 0);
  EXPECT_EQ(scan.Name(scan.Find(ScanKind::kIndi, 2)), "____ Solo");
  const int r3 = scan.Find(ScanKind::kIndi, 3);
  EXPECT_EQ(scan.Name(r3), "Jan Willem _van_der_Berg");  // every space of the surname
  EXPECT_EQ(scan.Birth(r3).letter, 'c');
  EXPECT_EQ(scan.Birth(r3).Text(), "c 1850");  // four digits then "s"
  const int r4 = scan.Find(ScanKind::kIndi, 4);
  EXPECT_EQ(scan.Name(r4), "____");
  EXPECT_EQ(scan.Birth(r4).Text(), "c ");  // five digits give no year
  const int f = scan.Find(ScanKind::kFam, 7);
  EXPECT_EQ(scan.Marriage(f).Text(), "Leiden,");
  EXPECT_EQ(scan.Pointers(f, "CHIL"), std::vector<std::int32_t>{1});
  EXPECT_EQ(ScanYear("12 MAR 1750/51"), "1750");
  EXPECT_EQ(ScanYear("1 JAN 12345"), "");
}

std::string People(const std::vector<int>& numbers) {
  std::string text = "0 HEAD\n";
  for (int n : numbers)
    text += "0 @I" + std::to_string(n) + "@ INDI\n1 NAME P" + std::to_string(n) + " /X/\n";
  return text + "0 TRLR\n";
}

TEST(ExtractScan, TheHundredsIndexIsUsedOnlyForIncreasingNumbers) {
  std::vector<int> rising;
  for (int n = 1; n <= 450; ++n) rising.push_back(n);
  GedcomScan scan;
  ASSERT_EQ(scan.OpenBytes(People(rising), GedcomScan::kBirthBriefIndex), 0);
  EXPECT_TRUE(scan.IndexUsed());
  for (int n : {450, 3, 299, 300, 100})
    EXPECT_EQ(scan.Name(scan.Find(ScanKind::kIndi, n)), "P" + std::to_string(n) + " X");

  std::vector<int> shuffled = rising;
  std::swap(shuffled[10], shuffled[400]);
  ASSERT_EQ(scan.OpenBytes(People(shuffled), GedcomScan::kBirthBriefIndex), 0);
  EXPECT_FALSE(scan.IndexUsed());
  for (int n : {11, 401, 250, 1})
    EXPECT_EQ(scan.Name(scan.Find(ScanKind::kIndi, n)), "P" + std::to_string(n) + " X");

  ASSERT_EQ(scan.OpenBytes(People({1, 2, 100, 200}), GedcomScan::kBirthBriefIndex), 0);
  EXPECT_FALSE(scan.IndexUsed());  // fewer than 3 entries
}

TEST(ExtractScan, GedcomNamesAreRecognised) {
  EXPECT_TRUE(LooksLikeGedcomName("family.ged"));
  EXPECT_TRUE(LooksLikeGedcomName("FAMILY.GED"));
  EXPECT_FALSE(LooksLikeGedcomName("family.Ged"));
  EXPECT_FALSE(LooksLikeGedcomName("ed"));
  EXPECT_FALSE(LooksLikeGedcomName("tree.dvb"));
}

TEST(ExtractScan, Utf8TextBecomesProgramText) {
  GedcomScan scan;
  ASSERT_EQ(scan.OpenBytes("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Zo\xC3\xAB /M\xC3\xBCller/\n0 TRLR\n",
                           GedcomScan::kTreeIndex),
            0);
  EXPECT_EQ(scan.Name(scan.Find(ScanKind::kIndi, 1)), "Zo\xEB M\xFCller");
}

}  // namespace
}  // namespace dv
