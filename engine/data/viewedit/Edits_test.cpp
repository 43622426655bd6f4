#include "data/viewedit/Edits.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv::viewedit {
namespace {

void Load(RecordStore& store, const std::string& text) {
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, text, {}, summary), 0);
}

// Two families: John and Mary with Tom and Sue; Tom and Ann (adopted
// child Ben, also listed under an ADOP event); Kate alone; Ned and Kate are
// associates.
const char* kFamilies =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Tom /Smith/\n1 SEX M\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Sue /Smith/\n1 SEX F\n1 FAMC @F1@\n"
    "0 @I5@ INDI\n1 NAME Ann /Brown/\n1 SEX F\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 NAME Ben /Smith/\n1 SEX M\n1 ADOP\n2 FAMC @F2@\n1 FAMC @F2@\n2 PEDI adopted\n"
    "0 @I7@ INDI\n1 NAME Kate /Grey/\n1 ASSO @I8@\n2 RELA friend\n"
    "0 @I8@ INDI\n1 NAME Ned /Grey/\n1 SEX M\n1 ALIA @I1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 CHIL @I6@\n"
    "0 @S1@ SOUR\n1 TITL Parish register\n1 REPO @R1@\n"
    "0 @R1@ REPO\n1 NAME County office\n"
    "0 TRLR\n";

TEST(DeleteIndividual, RemovesEveryPointerAndKeepsOtherIndexes) {
  RecordStore store;
  Load(store, kFamilies);
  DeleteVerdict v = CanDelete(store, PageKind::kIndividual, 1);
  EXPECT_EQ(v.refusal, 0);
  EXPECT_EQ(v.question, kAskDeletePerson);
  ASSERT_EQ(DeleteIndividual(store, 1), 0);
  EXPECT_EQ(store.Individual(1)->id, 0);
  EXPECT_EQ(store.Individual(2)->id, 2);
  EXPECT_EQ(store.Family(1)->husband, 0);
  EXPECT_EQ(store.Family(1)->wife, 2);
  EXPECT_EQ(DanglingPointers(store), 0);
  std::string text = GedcomText(store);
  EXPECT_EQ(text.find("@I1@"), std::string::npos) << text;
  EXPECT_EQ(store.dataChanged, 2);
  EXPECT_EQ(store.Kind(kIndi).keys.size(), 7u);
}

TEST(DeleteIndividual, AnAssociateIsRefused) {
  RecordStore store;
  Load(store, kFamilies);
  EXPECT_EQ(CanDelete(store, PageKind::kIndividual, 8).refusal, kMsgLinkedAsAssociate);
  std::string before = GedcomText(store);
  EXPECT_EQ(DeleteIndividual(store, 8), kMsgLinkedAsAssociate);
  EXPECT_EQ(GedcomText(store), before);
}

TEST(DeleteIndividual, TheOnlyChildOfAnEmptyFamilyTakesTheFamilyWithIt) {
  RecordStore store;
  Load(store,
       "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 FAMC @F1@\n0 @I2@ INDI\n1 NAME C /D/\n"
       "0 @F1@ FAM\n1 CHIL @I1@\n0 TRLR\n");
  ASSERT_EQ(DeleteIndividual(store, 1), 0);
  EXPECT_EQ(store.Family(1)->id, 0);
  EXPECT_EQ(GedcomText(store), "0 HEAD\r\n0 @I2@ INDI\r\n1 NAME C /D/\r\n0 TRLR\r\n");
}

TEST(DeleteFamily, RemovesFamsFamcAndAdoptions) {
  RecordStore store;
  Load(store, kFamilies);
  EXPECT_EQ(CanDelete(store, PageKind::kFamily, 2).question, kAskDeleteFamily);
  ASSERT_EQ(DeleteFamily(store, 2), 0);
  EXPECT_EQ(DanglingPointers(store), 0);
  EXPECT_EQ(GedcomText(store).find("@F2@"), std::string::npos);
  EXPECT_EQ(store.Individual(3)->spouseFamily, 0);
  EXPECT_EQ(store.Individual(3)->parentFamily, 1);
  EXPECT_EQ(store.Individual(6)->parentFamily, 0);
  EXPECT_EQ(store.AdoptiveFamily(6), 0);
  EXPECT_EQ(store.Family(1)->children[0], 3);
}

TEST(DeleteRecord, LinkedSourcesAndRepositoriesAreRefused) {
  RecordStore store;
  Load(store, kFamilies);
  EXPECT_EQ(CanDelete(store, PageKind::kRepository, 1).refusal, kMsgRecordLinked);
  EXPECT_EQ(CanDelete(store, PageKind::kSource, 1).question, kAskDeleteRecord);
  ASSERT_EQ(DeleteRecord(store, kSour, 1), 0);
  EXPECT_EQ(CanDelete(store, PageKind::kRepository, 1).question, kAskDeleteRecord);
  ASSERT_EQ(DeleteRecord(store, kRepo, 1), 0);
  EXPECT_EQ(store.Kind(kSour).keys.size(), 0u);
  EXPECT_EQ(GedcomText(store).find("SOUR"), std::string::npos);
}

TEST(BuildFamily, SpousesGoToThePlaceOfTheirSex) {
  RecordStore store;
  Load(store, kFamilies);
  RecordPage page = NewPage(PageKind::kFamily);
  EXPECT_EQ(AddSpouse(store, page, 4), 0);  // Sue, female
  EXPECT_EQ(AddSpouse(store, page, 4), kMsgAlreadyInFamily);
  EXPECT_EQ(AddSpouse(store, page, 5), kMsgSpousePlaceTaken);
  EXPECT_EQ(AddSpouse(store, page, 7), 0);  // Kate, sex not recorded: the free husband place
  EXPECT_EQ(GetField(page, "husband"), "@I7@");
  EXPECT_EQ(page.mark, 1);
  ASSERT_EQ(StorePage(store, page), 0);
  ASSERT_EQ(page.index, 3);
  // The link check keeps Kate where she was put.
  EXPECT_EQ(store.Family(3)->husband, 7);
  EXPECT_EQ(store.Family(3)->wife, 4);
  EXPECT_EQ(store.Individual(4)->moreMarriages + store.Individual(4)->spouseFamily, 3);
  EXPECT_EQ(store.Individual(7)->spouseFamily, 3);
  EXPECT_EQ(DanglingPointers(store), 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("0 @F3@ FAM\r\n1 HUSB @I7@\r\n1 WIFE @I4@\r\n0 @S1@ SOUR"), std::string::npos)
      << text;
  EXPECT_NE(text.find("1 SEX F\r\n1 FAMS @F3@\r\n1 FAMC @F1@\r\n"), std::string::npos) << text;
}

TEST(BuildFamily, ChildrenAreCheckedAndLinked) {
  RecordStore store;
  Load(store, kFamilies);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kFamily, 2, page), 0);
  EXPECT_EQ(AddChild(store, page, 4), kMsgChildOfAnother);
  EXPECT_EQ(AddChild(store, page, 6), kMsgAlreadyInFamily);
  EXPECT_EQ(AddChild(store, page, 7), 0);
  EXPECT_EQ(page.mark, 2);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(store.Family(2)->children[1], 7);
  EXPECT_EQ(store.Individual(7)->parentFamily, 2);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("1 CHIL @I6@\r\n1 CHIL @I7@\r\n"), std::string::npos);
  EXPECT_NE(text.find("1 ASSO @I8@\r\n2 RELA friend\r\n1 FAMC @F2@\r\n"), std::string::npos)
      << text;
}

TEST(BuildFamily, TwentyFiveChildrenAreTheLimit) {
  std::string text = "0 HEAD\n";
  for (int i = 1; i <= 27; ++i)
    text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME C" + std::to_string(i) + " /X/\n";
  text += "0 @F1@ FAM\n";
  for (int i = 1; i <= 25; ++i) text += "1 CHIL @I" + std::to_string(i) + "@\n";
  text += "0 TRLR\n";
  RecordStore store;
  Load(store, text);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kFamily, 1, page), 0);
  EXPECT_EQ(AddChild(store, page, 26), kMsgTooManyChildren);
}

TEST(BuildFamily, RemovingTheLastPersonDropsThePageChanges) {
  RecordStore store;
  Load(
      store,
      "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n1 SEX M\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n0 TRLR\n");
  std::string before = GedcomText(store);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kFamily, 1, page), 0);
  EXPECT_EQ(RemovePerson(store, page, 1), kMsgLastPerson);
  EXPECT_EQ(page.mark, 0);
  EXPECT_EQ(GetField(page, "husband"), "@I1@");
  EXPECT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(GedcomText(store), before);
}

TEST(BuildFamily, RemovingAChildUnlinksIt) {
  RecordStore store;
  Load(store, kFamilies);
  RecordPage page;
  ASSERT_EQ(ReadPage(store, PageKind::kFamily, 1, page), 0);
  ASSERT_EQ(RemovePerson(store, page, 4), 0);
  ASSERT_EQ(StorePage(store, page), 0);
  EXPECT_EQ(store.Individual(4)->parentFamily, 0);
  EXPECT_EQ(store.Family(1)->children[1], 0);
  std::string text = GedcomText(store);
  EXPECT_NE(text.find("0 @I4@ INDI\r\n1 NAME Sue /Smith/\r\n1 SEX F\r\n0 @I5@"), std::string::npos)
      << text;
  EXPECT_EQ(DanglingPointers(store), 0);
}

}  // namespace
}  // namespace dv::viewedit

namespace dv::viewedit {
namespace {

std::string SampleText() {
  std::ifstream in(std::string(DORVANE_TESTDATA) + "/../sample/sample.ged", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int CountRecords(const std::string& text, const char* tag) {
  int n = 0;
  for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) ++n;
  return n;
}

TEST(DeleteSample, NoPointerDanglesAndTheFileLoadsWithTheCountsLess) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, SampleText(), {}, summary), 0);
  int people = CountRecords(GedcomText(store), "@ INDI\r\n");
  // Every third family, then every fifth person that is not an associate.
  for (std::int32_t f = 1; f <= store.FamilyCount(); f += 3) {
    if (!store.Family(f)->line) continue;
    ASSERT_EQ(DeleteFamily(store, f), 0);
    ASSERT_EQ(DanglingPointers(store), 0) << f;
  }
  for (std::int32_t i = 2; i <= store.IndividualCount(); i += 5) {
    if (CanDelete(store, PageKind::kIndividual, i).refusal) continue;
    ASSERT_EQ(DeleteIndividual(store, i), 0);
    --people;
    ASSERT_EQ(DanglingPointers(store), 0) << i;
  }
  std::string text = GedcomText(store);
  EXPECT_EQ(CountRecords(text, "@ INDI\r\n"), people);
  int families = CountRecords(text, "@ FAM\r\n");  // families emptied by a deletion went too
  RecordStore again;
  ASSERT_EQ(LoadDataSourceBytes(again, text, {}, summary), 0);
  EXPECT_EQ(again.IndividualCount(), people);
  EXPECT_EQ(again.FamilyCount(), families);
  EXPECT_EQ(again.CheckLinks(), 0);
}

}  // namespace
}  // namespace dv::viewedit
