#include "data/viewedit/Session.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv::viewedit {
namespace {

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    ASSERT_EQ(LoadDataSourceBytes(
                  store,
                  "0 HEAD\n0 @I1@ INDI\n1 NAME A /One/\n1 SEX M\n1 FAMS @F1@\n"
                  "0 @I2@ INDI\n1 NAME B /Two/\n1 SEX F\n1 FAMS @F1@\n"
                  "0 @I3@ INDI\n1 NAME C /Three/\n0 @I4@ INDI\n1 NAME D /Four/\n"
                  "0 @I5@ INDI\n1 NAME E /Five/\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n0 TRLR\n",
                  {}, summary),
              0);
  }
  RecordStore store;
};

TEST_F(SessionTest, BackAndForwardShowTheRecordsAgain) {
  Session s(store);
  ASSERT_EQ(s.Open(1), 0);
  EXPECT_TRUE(store.SummariesLocked());
  for (int i = 1; i <= 5; ++i) ASSERT_EQ(s.ShowIndividual(i), 0);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(s.Back());
  EXPECT_EQ(s.CurrentPage().index, 1);
  EXPECT_FALSE(s.CanBack());
  EXPECT_FALSE(s.Back());
  while (s.Forward()) {
  }
  EXPECT_EQ(s.CurrentPage().index, 5);
  s.Close();
  EXPECT_FALSE(store.SummariesLocked());
}

TEST_F(SessionTest, LeavingAChangedPageAsksAndActsOnTheAnswer) {
  Session s(store);
  ASSERT_EQ(s.Open(2), 0);
  ASSERT_EQ(s.ShowIndividual(3), 0);
  EXPECT_EQ(s.CommitQuestion(), 0);
  ASSERT_EQ(SetField(s.CurrentPage(), "sex", "F"), 0);
  EXPECT_EQ(s.CommitQuestion(), kAskSaveIndividual);
  EXPECT_EQ(s.Commit(Answer::kCancel), -1);
  EXPECT_EQ(GetField(s.CurrentPage(), "sex"), "F");
  EXPECT_EQ(s.Commit(Answer::kNo), 0);
  EXPECT_EQ(GetField(s.CurrentPage(), "sex"), "");
  ASSERT_EQ(SetField(s.CurrentPage(), "sex", "F"), 0);
  EXPECT_EQ(s.Commit(Answer::kYes), 0);
  EXPECT_EQ(store.Individual(3)->sex, 0);
  EXPECT_EQ(s.CloseQuestion(), kAskSaveData);
  // A new individual asks "Save changes?".
  s.NewRecord();
  ASSERT_EQ(SetField(s.CurrentPage(), "given", "Zed"), 0);
  EXPECT_EQ(s.CommitQuestion(), kAskSaveChanges);
  EXPECT_EQ(s.Commit(Answer::kYes), 0);
  EXPECT_EQ(s.CurrentPage().index, 6);
  EXPECT_EQ(s.IndividualHistory().Current(), 6);
}

TEST_F(SessionTest, DeletingShowsTheFirstRemainingRecordAndForgetsIt) {
  Session s(store);
  ASSERT_EQ(s.Open(2), 0);
  ASSERT_EQ(s.ShowIndividual(1), 0);
  ASSERT_EQ(s.ShowIndividual(3), 0);
  ASSERT_EQ(s.ShowIndividual(1), 0);
  EXPECT_EQ(s.Unlinked().Count(), 3);
  EXPECT_EQ(s.CanDeleteCurrent().question, kAskDeletePerson);
  ASSERT_EQ(s.DeleteCurrent(), 0);
  EXPECT_EQ(s.LastDeletedIndividual(), 1);
  EXPECT_EQ(s.CurrentPage().index, 2);
  EXPECT_EQ(s.IndividualHistory().Entries(), (std::vector<std::int32_t>{3}));
  EXPECT_EQ(s.Unlinked().Count(), 3);  // B keeps her family (she is its wife)
  s.SetTab(Tab::kFamily);
  ASSERT_EQ(s.ShowFamily(1), 0);
  ASSERT_EQ(s.DeleteCurrent(), 0);
  EXPECT_EQ(s.CurrentPage().record, nullptr);
  EXPECT_EQ(s.Unlinked().Count(), 4);
  EXPECT_EQ(s.FamilyHistory().Count(), 0);
}

TEST_F(SessionTest, ToolbarFollowsStateTabAndHistory) {
  Session s(store);
  ASSERT_EQ(s.Open(1), 0);
  EXPECT_EQ(s.TabCount(), 6);
  ToolbarState t = s.Toolbar();
  EXPECT_FALSE(t.view);
  EXPECT_TRUE(t.edit);
  EXPECT_FALSE(t.back);
  ASSERT_EQ(s.ShowIndividual(1), 0);
  ASSERT_EQ(s.ShowIndividual(2), 0);
  EXPECT_TRUE(s.Toolbar().back);
  s.SetTab(Tab::kPedigree);
  EXPECT_FALSE(s.Toolbar().edit);
  EXPECT_TRUE(s.Back());
  EXPECT_TRUE(s.Toolbar().forward);
  s.SetTab(Tab::kFamily);
  ASSERT_EQ(s.ShowFamily(1), 0);
  EXPECT_FALSE(s.Toolbar().back);  // one family shown
  s.SetMode(2);
  EXPECT_EQ(s.TabCount(), 5);
  t = s.Toolbar();
  EXPECT_TRUE(t.view);
  EXPECT_FALSE(t.edit);
  EXPECT_FALSE(t.back);  // the family history only moves in view state
}

TEST_F(SessionTest, AFailedSaveLeavesTheCloseQuestion) {
  Session s(store);
  ASSERT_EQ(s.Open(2), 0);
  ASSERT_EQ(s.ShowIndividual(4), 0);
  ASSERT_EQ(SetField(s.CurrentPage(), "given", "Dee"), 0);
  ASSERT_EQ(s.Commit(Answer::kYes), 0);
  EXPECT_NE(SaveGedcom(store, "/nonexistent-dir/x/out.ged", false), 0);
  EXPECT_EQ(s.CloseQuestion(), kAskSaveData);
}

TEST_F(SessionTest, TheHeaderTabAsksForAndStoresItsSubmitter) {
  Session s(store);
  ASSERT_EQ(s.Open(2), 0);
  ASSERT_EQ(s.ShowHeader(), 0);
  EXPECT_EQ(s.CurrentTab(), Tab::kHeader);
  EXPECT_EQ(s.SubmitterPage().record, nullptr);
  EXPECT_EQ(s.CommitQuestion(), 0);
  ASSERT_EQ(SetField(s.SubmitterPage(), "name", "Ann Smith"), 0);
  EXPECT_EQ(s.CommitQuestion(), kAskSaveChanges);
  EXPECT_EQ(s.Commit(Answer::kCancel), -1);
  EXPECT_EQ(s.Commit(Answer::kNo), 0);
  EXPECT_EQ(GetField(s.SubmitterPage(), "name"), "");
  EXPECT_EQ(s.CommitQuestion(), 0);

  // A new submitter record follows the header, which points to it.
  ASSERT_EQ(SetField(s.SubmitterPage(), "name", "Ann Smith"), 0);
  ASSERT_EQ(SetField(s.SubmitterPage(), "phone", "555 0101"), 0);
  ASSERT_EQ(s.Commit(Answer::kYes), 0);
  EXPECT_EQ(s.CommitQuestion(), 0);
  std::string text = GedcomText(store);
  const std::string start =
      "0 HEAD\r\n1 SUBM @SUB1@\r\n0 @SUB1@ SUBM\r\n1 NAME Ann Smith\r\n1 PHON 555 0101\r\n";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(GetField(s.Page(Tab::kHeader), "submitter"), "@SUB1@");
  EXPECT_EQ(s.CloseQuestion(), kAskSaveData);

  // Shown again, the record is read back; a change rewrites it in place.
  ASSERT_EQ(s.ShowHeader(), 0);
  ASSERT_NE(s.SubmitterPage().record, nullptr);
  EXPECT_EQ(GetField(s.SubmitterPage(), "phone"), "555 0101");
  ASSERT_EQ(SetField(s.SubmitterPage(), "name", "Ann Jones"), 0);
  ASSERT_EQ(SetField(s.SubmitterPage(), "address", "1 Main St\r\nTown\r\nShire"), 0);
  ASSERT_EQ(s.Commit(Answer::kYes), 0);
  ASSERT_EQ(s.ShowHeader(), 0);
  ASSERT_EQ(SetField(s.SubmitterPage(), "address", "1 Main St\r\nTown"), 0);
  ASSERT_EQ(s.Commit(Answer::kYes), 0);
  text = GedcomText(store);
  EXPECT_NE(text.find("0 @SUB1@ SUBM\r\n1 NAME Ann Jones\r\n1 ADDR 1 Main St\r\n2 CONT Town\r\n"
                      "1 PHON 555 0101\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("SUBM", text.find("0 @SUB1@ SUBM") + 10), std::string::npos);
}

TEST_F(SessionTest, NothingIsDeletedInViewState) {
  Session s(store);
  ASSERT_EQ(s.Open(1), 0);
  ASSERT_EQ(s.ShowIndividual(1), 0);
  EXPECT_EQ(s.CanDeleteCurrent().refusal, kNoSummary);
  EXPECT_EQ(s.DeleteCurrent(), kNoSummary);
  EXPECT_EQ(s.CloseQuestion(), 0);
}

}  // namespace
}  // namespace dv::viewedit
