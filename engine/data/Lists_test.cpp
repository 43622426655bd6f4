#include "data/Lists.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"

namespace {

using dv::ListEntry;
using dv::RecordStore;

// Three generations: I1 and I2 are the parents of I3; I3 and I4 the
// parents of I5 and I6; I7 stands alone; I8 has no father recorded.
constexpr const char* kFamily = R"(0 HEAD
1 CHAR ANSI
0 @I1@ INDI
1 NAME William /Smith/
1 SEX M
1 BIRT
2 DATE 1820
1 FAMS @F1@
0 @I2@ INDI
1 NAME Ann /Baker/
1 SEX F
1 BIRT
2 DATE 1822
1 FAMS @F1@
0 @I3@ INDI
1 NAME John /Smith/
1 SEX M
1 BIRT
2 DATE 12 MAR 1850
2 PLAC Leeds
1 FAMC @F1@
1 FAMS @F2@
0 @I4@ INDI
1 NAME Mary /Jones/
1 SEX F
1 CHR
2 DATE 1852
1 FAMS @F2@
1 FAMC @F3@
0 @I5@ INDI
1 NAME Alice /Smith/
1 SEX F
1 BIRT
2 DATE 1875
1 FAMC @F2@
0 @I6@ INDI
1 NAME Albert /Smith/
1 BIRT
2 DATE 1877
1 FAMC @F2@
0 @I7@ INDI
1 NAME Zoe /Adams/
1 SEX F
0 @I8@ INDI
1 NAME Sarah /Jones/
1 SEX F
1 FAMS @F3@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 CHIL @I3@
0 @F2@ FAM
1 HUSB @I3@
1 WIFE @I4@
1 MARR
2 DATE 4 JUN 1873
2 PLAC York
1 CHIL @I5@
1 CHIL @I6@
0 @F3@ FAM
1 WIFE @I8@
1 CHIL @I4@
0 @S1@ SOUR
1 TITL Parish register
1 AUTH Vicar
1 PUBL 1900
0 @R1@ REPO
1 NAME County archive
1 ADDR Main Street
2 CONT Leeds
2 CONT England
0 TRLR
)";

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store, kFamily, {}, summary), 0);
  }
  std::string Text(const ListEntry& e) { return std::string(e.text); }
  RecordStore store;
};

TEST_F(ListsTest, EntryTextPutsTheYearAtColumn22) {
  EXPECT_EQ(dv::ListEntryText(*store.Individual(3)), "SMITH John            1850");
  EXPECT_EQ(dv::ListEntryText(*store.Individual(7)), "ADAMS Zoe             ");
}

TEST_F(ListsTest, AncestorListNumbersParentsAndSortsByText) {
  std::vector<ListEntry> list;
  ASSERT_EQ(dv::BuildAncestorList(store, 5, list), 6);
  std::string got;
  for (const auto& e : list)
    got += Text(e) + "|" + std::to_string(e.individual) + "|" + std::to_string(e.ahnentafel) + "\n";
  EXPECT_EQ(got, R"(BAKER Ann             1822|2|5
JONES Mary            1852|4|3
JONES Sarah           |8|7
SMITH Alice           1875|5|1
SMITH John            1850|3|2
SMITH William         1820|1|4
)");
}

TEST_F(ListsTest, AncestorListWithoutAFatherKeepsTheMothersLine) {
  std::vector<ListEntry> list;
  ASSERT_EQ(dv::BuildAncestorList(store, 4, list), 2);
  EXPECT_EQ(std::string(list[1].text).substr(0, 11), "JONES Sarah");
  EXPECT_EQ(list[1].individual, 8);
  EXPECT_EQ(list[1].ahnentafel, 3);
}

TEST_F(ListsTest, DescendantListHasNoAhnentafelNumbers) {
  std::vector<ListEntry> list;
  ASSERT_EQ(dv::BuildDescendantList(store, 1, list), 4);
  std::string got;
  for (const auto& e : list) got += Text(e) + "|" + std::to_string(e.ahnentafel) + "\n";
  EXPECT_EQ(got, R"(SMITH Albert          1877|0
SMITH Alice           1875|0
SMITH John            1850|0
SMITH William         1820|0
)");
}

TEST_F(ListsTest, MissingBaseFailsWithCannotList) {
  std::vector<ListEntry> list;
  EXPECT_EQ(dv::BuildAncestorList(store, 99, list), -1);
  EXPECT_EQ(dv::BuildDescendantList(store, 0, list), -1);
  EXPECT_EQ(dv::ListBuildMessage(-1), 29);
  EXPECT_EQ(dv::ListBuildMessage(14998), 0);
  EXPECT_EQ(dv::ListBuildMessage(14999), 39);
}

TEST_F(ListsTest, SearchSmPositionsAtFirstKeyNotBeforeSm) {
  const auto& kind = store.Kind(dv::kIndi);
  int pos = dv::FindKeyPosition(kind, dv::SearchText("sm"));
  ASSERT_LT(pos, dv::KeyCount(kind));
  EXPECT_EQ(std::string(kind.keys[pos].key).substr(0, 12), "SMITH Albert");
  EXPECT_LT(std::string(kind.keys[pos - 1].key), std::string("SM"));
}

TEST_F(ListsTest, SearchPastTheEndAndEmptyField) {
  const auto& kind = store.Kind(dv::kIndi);
  EXPECT_EQ(dv::FindKeyPosition(kind, dv::SearchText("zz")), dv::KeyCount(kind));
  EXPECT_EQ(dv::SearchText(""), " ");
  EXPECT_EQ(dv::FindKeyPosition(kind, dv::SearchText("")), 0);
}

TEST_F(ListsTest, SteppingInTheDescendantListMatchesBinarySearch) {
  std::vector<ListEntry> list;
  ASSERT_EQ(dv::BuildDescendantList(store, 1, list), 4);
  EXPECT_EQ(dv::StepToEntry(list, 0, "SMITH J"), 2);
  EXPECT_EQ(dv::StepToEntry(list, 3, "SMITH J"), 2);
  EXPECT_EQ(dv::StepToEntry(list, 3, "A"), 0);
  EXPECT_EQ(dv::StepToEntry(list, 0, "Z"), 4);
}

TEST_F(ListsTest, UnlinkedIndividualsAreThoseWithoutAnyFamily) {
  auto unlinked = dv::UnlinkedIndividuals(store);
  ASSERT_EQ(unlinked.size(), 1u);
  EXPECT_EQ(store.Kind(dv::kIndi).keys[unlinked[0]].index, 7);
}

TEST_F(ListsTest, PickerLayoutsHaveTheirTitlesAndWidths) {
  const auto& ind = dv::PickerLayoutOf(dv::PickerKind::kIndividual);
  EXPECT_STREQ(ind.title, "Individual List");
  EXPECT_STREQ(ind.columns[2], "Date of Birth/Baptism");
  EXPECT_EQ(ind.defaultWidths[0], 141);
  EXPECT_EQ(ind.defaultWidths[3], 178);
  const auto& fam = dv::PickerLayoutOf(dv::PickerKind::kFamily);
  EXPECT_STREQ(fam.title, "Family List");
  EXPECT_EQ(fam.defaultWidths[1], 146);
  EXPECT_STREQ(dv::PickerLayoutOf(dv::PickerKind::kSource).columns[3], "Repository");
  EXPECT_STREQ(dv::PickerLayoutOf(dv::PickerKind::kRepository).columns[1], "Address1");
}

TEST_F(ListsTest, IndividualRowsDropDatePrefixesAndShowUnknownSexAsM) {
  auto rows = dv::PickerRows(store, dv::PickerKind::kIndividual);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[2].cells[0], "SMITH John");
  EXPECT_EQ(rows[2].cells[2], "12 MAR 1850");
  EXPECT_EQ(rows[2].cells[3], "Leeds");
  EXPECT_EQ(rows[3].cells[1], "F");
  EXPECT_EQ(rows[3].cells[2], "1852");
  // Albert has no SEX line.
  EXPECT_EQ(rows[5].cells[0], "SMITH Albert");
}

TEST_F(ListsTest, FamilyRowsNameBothPartnersOrNone) {
  auto rows = dv::PickerRows(store, dv::PickerKind::kFamily);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].cells[0], "SMITH John");
  EXPECT_EQ(rows[1].cells[1], "JONES Mary");
  EXPECT_EQ(rows[1].cells[2], "4 JUN 1873");
  EXPECT_EQ(rows[1].cells[3], "York");
  EXPECT_EQ(rows[2].cells[0], "");
}

TEST_F(ListsTest, SourceAndRepositoryRowsShowRecordValues) {
  auto sources = dv::PickerRows(store, dv::PickerKind::kSource);
  ASSERT_EQ(sources.size(), 1u);
  EXPECT_EQ(sources[0].cells[0], "Parish register");
  EXPECT_EQ(sources[0].cells[1], "Vicar");
  EXPECT_EQ(sources[0].cells[2], "1900");
  auto repos = dv::PickerRows(store, dv::PickerKind::kRepository);
  ASSERT_EQ(repos.size(), 1u);
  EXPECT_EQ(repos[0].cells[0], "County archive");
  EXPECT_EQ(repos[0].cells[1], "Main Street");
  EXPECT_EQ(repos[0].cells[3], "England");
}

TEST(PickerNames, SplitAtTheLastSpace) {
  std::string surname, given;
  dv::SplitDisplayName("John Henry van_Dyke", surname, given);
  EXPECT_EQ(surname, "van Dyke");
  EXPECT_EQ(given, "John Henry");
  EXPECT_EQ(dv::PickerName("John Henry van_Dyke"), "VAN DYKE John Henry");
  EXPECT_EQ(dv::PickerName("Mary ____"), "____ Mary");
}

TEST(PickerNames, AccentedLettersAreUpperCasedAndSearchedAsTyped) {
  EXPECT_EQ(dv::PickerName("Zo\xEB N\xFA\xF1"
                           "ez"),
            "N\xDA\xD1"
            "EZ Zo\xEB");
  EXPECT_EQ(dv::SearchText("\xEDmar"), "\xCDMAR");
}

TEST(ListOrder, AccentedNamesSortBesideTheirPlainLetters) {
  // Base Ann Jones, father Olaf /\xCDmar/ (code page 1252), mother Eva /Imar/.
  RecordStore store;
  std::string summary;
  ASSERT_EQ(dv::LoadDataSourceBytes(store,
                                    "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ann /Jones/\n"
                                    "1 FAMC @F1@\n0 @I2@ INDI\n1 NAME Olaf /\xCDmar/\n1 SEX M\n"
                                    "1 FAMS @F1@\n0 @I3@ INDI\n1 NAME Eva /Imar/\n1 SEX F\n"
                                    "1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n"
                                    "1 CHIL @I1@\n0 TRLR\n",
                                    {}, summary),
            0);
  std::vector<ListEntry> list;
  ASSERT_EQ(dv::BuildAncestorList(store, 1, list), 3);
  EXPECT_EQ(std::string(list[0].text).substr(0, 8), "IMAR Eva");
  EXPECT_EQ(std::string(list[1].text).substr(0, 9), "\xCDMAR Olaf");
  EXPECT_EQ(std::string(list[2].text).substr(0, 9), "JONES Ann");
  // Typing the accented or the plain letter finds the names where they stand.
  EXPECT_EQ(dv::StepToEntry(list, 0, dv::SearchText("\xEDmar o")), 1);
  EXPECT_EQ(dv::StepToEntry(list, 2, dv::SearchText("im")), 0);
  EXPECT_EQ(dv::StepToEntry(list, 0, dv::SearchText("j")), 2);
}

TEST_F(ListsTest, ChildrenRowsMarkChildrenWhoHaveChildren) {
  auto rows = dv::ChildrenRows(store, 1);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].individual, 3);
  EXPECT_TRUE(rows[0].hasChildren);
  auto grand = dv::ChildrenRows(store, 2);
  ASSERT_EQ(grand.size(), 2u);
  EXPECT_FALSE(grand[0].hasChildren);
  EXPECT_EQ(grand[0].text, "Alice Smith");
}

}  // namespace

namespace {

// 601 families of 25 children each: the first family's father is I1, the
// father of family k is individual k; 15,026 people descend from I1.
std::string WideTree(int families) {
  std::string text = "0 HEAD\n";
  const int people = 26 + 25 * (families - 1);
  for (int i = 1; i <= people; ++i) {
    text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /B" + std::to_string(i) + "/\n1 SEX M\n";
    if (i > 1) text += "1 FAMC @F" + std::to_string((i - 2) / 25 + 1) + "@\n";
    if (i <= families) text += "1 FAMS @F" + std::to_string(i) + "@\n";
  }
  for (int f = 1; f <= families; ++f) {
    text += "0 @F" + std::to_string(f) + "@ FAM\n1 HUSB @I" + std::to_string(f) + "@\n";
    for (int c = 0; c < 25; ++c) text += "1 CHIL @I" + std::to_string(2 + 25 * (f - 1) + c) + "@\n";
  }
  return text + "0 TRLR\n";
}

TEST(ListCapacity, DescendantListStopsAt14999EntriesAndWarns) {
  dv::RecordStore store;
  std::string summary;
  ASSERT_EQ(dv::LoadDataSourceBytes(store, WideTree(601), {}, summary), 0);
  std::vector<ListEntry> list;
  int count = dv::BuildDescendantList(store, 1, list);
  EXPECT_EQ(count, 14999);
  EXPECT_EQ(dv::ListBuildMessage(count), 39);
  ASSERT_EQ(dv::BuildDescendantList(store, 600, list), 26);
  EXPECT_EQ(dv::ListBuildMessage(26), 0);
}

}  // namespace
