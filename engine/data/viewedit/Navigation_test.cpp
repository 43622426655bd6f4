#include "data/viewedit/Navigation.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/viewedit/Edits.h"

namespace dv::viewedit {
namespace {

TEST(History, BackAndForwardWalkTheRecordsShown) {
  History h;
  EXPECT_EQ(h.Back(), 0);  // nothing shown
  h.Show(1);
  EXPECT_EQ(h.Back(), 0);  // the first record: Back does nothing
  for (int i = 2; i <= 5; ++i) h.Show(i);
  EXPECT_EQ(h.Back(), 4);
  EXPECT_EQ(h.Back(), 3);
  EXPECT_EQ(h.Back(), 2);
  EXPECT_TRUE(h.CanBack());
  EXPECT_EQ(h.Back(), 1);
  EXPECT_FALSE(h.CanBack());
  EXPECT_TRUE(h.CanForward());
  EXPECT_EQ(h.Forward(), 2);
  EXPECT_EQ(h.Forward(), 3);
  EXPECT_EQ(h.Forward(), 4);
  EXPECT_EQ(h.Forward(), 5);
  EXPECT_FALSE(h.CanForward());
  EXPECT_EQ(h.Forward(), 0);
}

TEST(History, TheSameRecordTwiceIsOneEntryAndShowingClearsForward) {
  History h;
  h.Show(7);
  h.Show(7);
  EXPECT_EQ(h.Count(), 1);
  h.Show(8);
  h.Show(9);
  EXPECT_EQ(h.Back(), 8);
  h.Show(3);
  EXPECT_FALSE(h.CanForward());
  EXPECT_EQ(h.Entries(), (std::vector<std::int32_t>{7, 8, 3}));
}

TEST(History, TheHundredthEntryDropsTheOlderFifty) {
  History h;
  for (int i = 1; i <= 99; ++i) h.Show(i);
  EXPECT_EQ(h.Count(), 99);
  h.Show(100);
  EXPECT_EQ(h.Count(), 50);
  EXPECT_EQ(h.Entries().front(), 51);
  EXPECT_EQ(h.Current(), 100);
}

TEST(History, ADeletedRecordLeavesEveryEntry) {
  History h;
  for (int i : {1, 2, 1, 3, 4}) h.Show(i);
  h.Back();
  h.Back();  // at 1 (third entry), forward limit 5
  h.Forget(1);
  EXPECT_EQ(h.Entries(), (std::vector<std::int32_t>{2, 3, 4}));
  EXPECT_EQ(h.Current(), 2);
  EXPECT_EQ(h.Forward(), 3);
  EXPECT_EQ(h.Forward(), 4);
  EXPECT_EQ(h.Forward(), 0);
}

TEST(UnlinkedTable, ListsPeopleWithoutFamiliesAndIsRebuiltAfterADeletion) {
  RecordStore store;
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(
                store,
                "0 HEAD\n0 @I1@ INDI\n1 NAME Al /Adams/\n"
                "0 @I2@ INDI\n1 NAME Bo /Smith/\n1 SEX M\n1 FAMS @F1@\n"
                "0 @I3@ INDI\n1 NAME Cy /Young/\n"
                "0 @I4@ INDI\n1 NAME Di /Smith/\n1 FAMC @F1@\n"
                "0 @I5@ INDI\n1 NAME Ed /Moss/\n0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I4@\n0 TRLR\n",
                {}, summary),
            0);
  UnlinkedTable t;
  t.Rebuild(store);
  ASSERT_EQ(t.Count(), 3);
  // The first key (ADAMS) is position 0 and is listed.
  EXPECT_EQ(t.Position(0), 0);
  EXPECT_EQ(t.Individual(store, 0), 1);
  EXPECT_EQ(t.Individual(store, 1), 5);
  EXPECT_EQ(t.Search(store, "m"), 1);
  EXPECT_EQ(t.Search(store, "x"), 2);
  EXPECT_EQ(t.Search(store, "z"), 3);
  ASSERT_EQ(DeleteIndividual(store, 2), 0);
  t.Rebuild(store);
  EXPECT_EQ(t.Count(), 3);                   // Ed, Adams, Young; Di still has her family
  ASSERT_EQ(DeleteIndividual(store, 4), 0);  // the family goes with its last member
  t.Rebuild(store);
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(store.Family(1)->id, 0);
}

}  // namespace
}  // namespace dv::viewedit
