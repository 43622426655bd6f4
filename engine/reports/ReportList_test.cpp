#include "reports/ReportList.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace {

// Two lines that meet: I1 and I2 are the parents of both I3 and I4, whose
// children I5 (by I6) and I7 (by I8) married each other and had I9. So I1
// and I2 are ancestors of I9 along two lines. I10 is a woman whose son I11
// has a son I12; I10's daughter I13 has a child I14.
constexpr const char* kTwoLines = R"(0 HEAD
0 @I1@ INDI
1 NAME Adam /First/
1 SEX M
1 FAMS @F1@
0 @I2@ INDI
1 NAME Eve /First/
1 SEX F
1 FAMS @F1@
0 @I3@ INDI
1 NAME Cain /First/
1 SEX M
1 FAMC @F1@
1 FAMS @F2@
0 @I4@ INDI
1 NAME Abel /First/
1 SEX M
1 FAMC @F1@
1 FAMS @F3@
0 @I5@ INDI
1 NAME Enoch /First/
1 SEX M
1 FAMC @F2@
1 FAMS @F4@
0 @I6@ INDI
1 NAME Awan /Other/
1 SEX F
1 FAMS @F2@
0 @I7@ INDI
1 NAME Ada /First/
1 SEX F
1 FAMC @F3@
1 FAMS @F4@
0 @I8@ INDI
1 NAME Zillah /Other/
1 SEX F
1 FAMS @F3@
0 @I9@ INDI
1 NAME Irad /First/
1 SEX M
1 FAMC @F4@
0 @I10@ INDI
1 NAME Martha /Lone/
1 SEX F
1 FAMS @F5@
0 @I11@ INDI
1 NAME Peter /Lone/
1 SEX M
1 FAMC @F5@
1 FAMS @F6@
0 @I12@ INDI
1 NAME Paul /Lone/
1 SEX M
1 FAMC @F6@
0 @I13@ INDI
1 NAME Ruth /Lone/
1 SEX F
1 FAMC @F5@
1 FAMS @F7@
0 @I14@ INDI
1 NAME Naomi /Else/
1 SEX F
1 FAMC @F7@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 CHIL @I3@
1 CHIL @I4@
0 @F2@ FAM
1 HUSB @I3@
1 WIFE @I6@
1 CHIL @I5@
0 @F3@ FAM
1 HUSB @I4@
1 WIFE @I8@
1 CHIL @I7@
0 @F4@ FAM
1 HUSB @I5@
1 WIFE @I7@
1 CHIL @I9@
0 @F5@ FAM
1 WIFE @I10@
1 CHIL @I11@
1 CHIL @I13@
0 @F6@ FAM
1 HUSB @I11@
1 CHIL @I12@
0 @F7@ FAM
1 WIFE @I13@
1 CHIL @I14@
0 TRLR
)";

class ReportListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store, kTwoLines, dv::LoadOptions{}, summary), 0);
  }
  // "index/generation" of each entry.
  std::string Listed(dv::ReportKind kind, std::int32_t base, bool maleLines = false) {
    dv::ReportList list;
    EXPECT_EQ(dv::BuildReportList(store, kind, base, maleLines, list), 0);
    std::string text;
    for (const auto& e : list.Entries()) {
      if (!text.empty()) text += ' ';
      text += std::to_string(e.individual) + "/" + std::to_string(e.generation);
    }
    return text;
  }
  dv::RecordStore store;
};

TEST_F(ReportListTest, AncestorsBreadthFirstEachOnce) {
  // Father before mother; I1 and I2 reached through both I3 and I4 once.
  EXPECT_EQ(Listed(dv::kReportAncestors, 9), "9/1 5/2 7/2 3/3 6/3 4/3 8/3 1/4 2/4");
}

TEST_F(ReportListTest, DescendantsBreadthFirstEachOnce) {
  // I9 is reached through both parents and listed once.
  EXPECT_EQ(Listed(dv::kReportDescendants, 1), "1/1 3/2 4/2 5/3 7/3 9/4");
}

TEST_F(ReportListTest, MaleLinesOnlyListsWomenWithoutTheirChildren) {
  EXPECT_EQ(Listed(dv::kReportDescendants, 11, true), "11/1 12/2");
  EXPECT_EQ(Listed(dv::kReportDescendants, 10, false), "10/1 11/2 13/2 12/3 14/3");
  // A woman as the base is listed alone.
  EXPECT_EQ(Listed(dv::kReportDescendants, 10, true), "10/1");
}

TEST_F(ReportListTest, AllIndividualsInKeyOrDatabaseOrder) {
  EXPECT_EQ(Listed(dv::kReportDatabase, 0),
            "1/0 2/0 3/0 4/0 5/0 6/0 7/0 8/0 9/0 10/0 11/0 12/0 13/0 14/0");
  // Keys: ELSE Naomi, FIRST Abel, Ada, Adam, Cain, Enoch, Eve, Irad, LONE ..., OTHER ...
  EXPECT_EQ(Listed(dv::kReportAlphabetic, 0),
            "14/0 4/0 7/0 1/0 3/0 5/0 2/0 9/0 10/0 12/0 11/0 13/0 6/0 8/0");
}

TEST_F(ReportListTest, DatabaseOrderSkipsDeletedRecords) {
  store.MutableIndividual(3)->id = 0;  // a slot emptied by deleting its record
  EXPECT_EQ(Listed(dv::kReportDatabase, 0),
            "1/0 2/0 4/0 5/0 6/0 7/0 8/0 9/0 10/0 11/0 12/0 13/0 14/0");
}

TEST_F(ReportListTest, SequenceNumbersAndListedMarks) {
  dv::ReportList list;
  ASSERT_EQ(dv::BuildReportList(store, dv::kReportAncestors, 5, false, list), 0);
  EXPECT_EQ(list.SequenceOf(5), 1);
  EXPECT_EQ(list.SequenceOf(3), 2);
  EXPECT_EQ(list.SequenceOf(6), 3);
  EXPECT_FALSE(list.Listed(9));
  EXPECT_FALSE(list.Listed(0));
  EXPECT_FALSE(list.Listed(999));
  // A second report on the same list object starts from nothing.
  ASSERT_EQ(dv::BuildReportList(store, dv::kReportDescendants, 11, false, list), 0);
  EXPECT_FALSE(list.Listed(5));
  EXPECT_EQ(list.SequenceOf(12), 2);
}

TEST_F(ReportListTest, WithoutABaseThereIsNoList) {
  dv::ReportList list;
  EXPECT_EQ(dv::BuildReportList(store, dv::kReportAncestors, 0, false, list), -1);
  EXPECT_EQ(dv::BuildReportList(store, dv::kReportDescendants, 99, false, list), -1);
  EXPECT_EQ(list.Size(), 0);
}

TEST(ReportKindOf, FromTypeAndOrder) {
  EXPECT_EQ(dv::ReportKindOf(0, 0), dv::kReportAlphabetic);
  EXPECT_EQ(dv::ReportKindOf(0, 1), dv::kReportDatabase);
  EXPECT_EQ(dv::ReportKindOf(1, 1), dv::kReportDescendants);
  EXPECT_EQ(dv::ReportKindOf(2, 0), dv::kReportAncestors);
}

TEST(ReportListCapacity, StopsAtThirtyThousand) {
  dv::ReportList list;
  list.Reset(dv::kReportListCapacity + 5);
  for (int i = 1; i <= dv::kReportListCapacity + 5; ++i) list.Append(i, 1);
  EXPECT_EQ(list.Size(), dv::kReportListCapacity);
  EXPECT_TRUE(list.Full());
  EXPECT_FALSE(list.Listed(dv::kReportListCapacity + 1));
}

}  // namespace
