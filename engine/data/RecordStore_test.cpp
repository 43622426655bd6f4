#include "data/RecordStore.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv {
namespace {

void Load(RecordStore& store, const std::string& text, LoadOptions options = {}) {
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, text, options, summary), 0);
}

// The level-0 lines of the tree as "xref tag" words.
std::string Records(const RecordStore& store) {
  std::string out;
  for (const LineNode* l = store.Root()->firstChild; l; l = l->next) {
    if (!out.empty()) out += ' ';
    out += l->hasXref ? std::string(l->Xref()) : std::string(TagName(l->tag));
  }
  return out;
}

// A record's level-1 lines as they would be written, joined by "|".
std::string Children(const LineNode* record) {
  std::string out;
  for (const LineNode* c = record->firstChild; c; c = c->next) {
    if (!out.empty()) out += '|';
    out += FormatLine(*c);
  }
  return out;
}

TEST(NumberOf, DigitsAfterTheAtSign) {
  EXPECT_EQ(NumberOf("@I12@"), 12);
  EXPECT_EQ(NumberOf(" @12@"), 12);
  EXPECT_EQ(NumberOf("@SUB1@"), 1);
  EXPECT_EQ(NumberOf("@I@"), 0);
  EXPECT_EQ(NumberOf("@I12"), -1);
  EXPECT_EQ(NumberOf("12"), -1);
  EXPECT_GT(NumberOf("@I99999999999999999999999999@"), 0);  // clamped, never negative
  // Numbers above the largest one held are held as it, and told apart.
  EXPECT_EQ(NumberOf("@I2000000000@"), kMaxRecordNumber);
  EXPECT_FALSE(NumberTooLarge("@I2000000000@"));
  EXPECT_EQ(NumberOf("@I2000000001@"), kMaxRecordNumber);
  EXPECT_TRUE(NumberTooLarge("@I2000000001@"));
  EXPECT_TRUE(NumberTooLarge("@I99999999999999999999999999@"));
  EXPECT_FALSE(NumberTooLarge("@I0000000000000000000000012@"));
  EXPECT_FALSE(NumberTooLarge("@I99999999999"));  // no closing at sign: no number
  bool after = true;
  EXPECT_EQ(NumberOf("@I2@", after), 2);
  EXPECT_FALSE(after);
  EXPECT_EQ(NumberOf("@I2-1@", after), 2);
  EXPECT_TRUE(after);
  EXPECT_EQ(NumberOf("@PARENTS@", after), 0);
  EXPECT_FALSE(after);
}

TEST(PrefixOf, LettersBeforeTheFirstDigit) {
  EXPECT_EQ(PrefixOf("@I0001@"), "I");
  EXPECT_EQ(PrefixOf("@SUB1@"), "SUB");
  EXPECT_EQ(PrefixOf("@12@"), "");
  EXPECT_EQ(PrefixOf("@XY@"), "XY");
}

TEST(FormatXref, PaddingFollowsTheFlags) {
  EXPECT_EQ(FormatXref(7, "I", 0), "@I7@");
  EXPECT_EQ(FormatXref(7, "I", kFlagDigits4), "@I0007@");
  EXPECT_EQ(FormatXref(7, "F", kFlagDigits5), "@F00007@");
}

TEST(IndexOf, ConsecutiveNumbersIndexDirectly) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n");
  EXPECT_FALSE(store.Kind(kIndi).notConsecutive);
  EXPECT_EQ(store.IndexOf(kIndi, 2), 2);
  EXPECT_EQ(store.IndexOf(kIndi, 0), 1);  // numbers below 1 count as 1
  EXPECT_EQ(store.IndexOf(kIndi, 4), 0);
}

TEST(IndexOf, AddingAppendsAfterCountAndMarksTheNumbering) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n0 @I2@ INDI\n");
  EXPECT_EQ(store.IndexOf(kIndi, 9, true), 3);
  EXPECT_TRUE(store.Kind(kIndi).notConsecutive);
  EXPECT_EQ(store.IndexOf(kIndi, 9, true), 3);
  EXPECT_EQ(store.IndexOf(kIndi, 11, true), 4);
  EXPECT_EQ(store.IndexOf(kIndi, 9), 0);  // beyond count: not a record yet
}

TEST(IndexOf, SearchFindsWhatTheTableWalkFinds) {
  RecordStore store;
  // Numbers 5 and 40 twice, apart: the walk goes down from min(n, count), then up.
  Load(store, "0 @I5@ INDI\n0 @I40@ INDI\n0 @I5@ INDI\n0 @I2@ INDI\n0 @I40@ INDI\n0 @I@ INDI\n");
  EXPECT_EQ(store.IndexOf(kIndi, 5), 3);
  EXPECT_EQ(store.IndexOf(kIndi, 40), 5);
  EXPECT_EQ(store.IndexOf(kIndi, 2), 4);
  EXPECT_EQ(store.IndexOf(kIndi, 0), 6);
  EXPECT_EQ(store.IndexOf(kIndi, 7), 0);
  EXPECT_EQ(store.AddRecord(kIndi), 7);
  EXPECT_EQ(store.IndexOf(kIndi, 41), 7);  // the new record gets maxId + 1
}

TEST(KindIndex, KeyListRoomIsCountPlus1000) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n0 @F1@ FAM\n0 @S1@ SOUR\n");
  EXPECT_EQ(store.Kind(kIndi).capacity, 1001);
  EXPECT_EQ(store.Kind(kSour).capacity, 1001);
  EXPECT_EQ(store.Kind(kFam).capacity, kFamCapacity);
  EXPECT_EQ(store.NextNumber(kSour), 2);
}

TEST(KindIndex, IndividualKeyIsFittedNameWithYearAtColumn26) {
  RecordStore store;
  Load(store,
       "0 @I1@ INDI\n1 NAME John William Henry /Smith/\n1 BIRT\n2 DATE 3 MAY 1850\n"
       "0 @I2@ INDI\n1 NAME Ann /Lee/\n");
  const auto& keys = store.Kind(kIndi).keys;
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_STREQ(keys[0].key, "LEE Ann                   ");
  EXPECT_STREQ(keys[1].key, "SMITH John William H  1850");
  EXPECT_EQ(keys[1].index, 1);
  EXPECT_EQ(store.FindKey(kIndi, "LEE Ann                   "), 0);
  EXPECT_EQ(store.FindKey(kIndi, "LEE"), -1);
}

TEST(KindIndex, OtherKeysAreCutTo27WithDots) {
  RecordStore store;
  Load(store,
       "0 @S1@ SOUR\n1 ABBR   Parish registers of St Mary, Dover\n0 @S2@ SOUR\n1 TITL no abbr\n"
       "0 @R1@ REPO\n1 NAME County Archive\n");
  const auto& keys = store.Kind(kSour).keys;
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_STREQ(keys[0].key, "Parish registers of St M...");
  EXPECT_STREQ(keys[1].key, "Unknown");
  EXPECT_STREQ(store.Kind(kRepo).keys[0].key, "County Archive");
}

TEST(KindIndex, SetKeyAddsAndResortsRemoveKeyClosesTheGap) {
  RecordStore store;
  Load(store, "0 @R1@ REPO\n1 NAME Mmm\n0 TRLR\n");
  LineNode* repo = store.MakeLine(0, kTagREPO, "@R2@");
  LinkFirstChild(repo, store.MakeLine(1, kTagNAME, {}, " Aaa"));
  store.InsertRecord(store.FirstRecordLine(kTagREPO), repo);
  std::int32_t index = store.SetKey(kRepo, 0, repo, true);
  EXPECT_EQ(index, 2);
  EXPECT_STREQ(store.Kind(kRepo).keys[0].key, "Aaa");
  EXPECT_EQ(store.RecordLine(kRepo, 2), repo);
  store.SetValue(repo->firstChild, " Zzz");
  EXPECT_EQ(store.SetKey(kRepo, 2, repo, false), 2);
  EXPECT_STREQ(store.Kind(kRepo).keys[1].key, "Zzz");
  EXPECT_EQ(store.RemoveKey(kRepo, 2), 0);
  EXPECT_EQ(store.RemoveKey(kRepo, 2), kNoSummary);
  EXPECT_EQ(store.Kind(kRepo).keys.size(), 1u);
}

TEST(KindIndex, AddRecordStopsAtTheCapacity) {
  RecordStore store;
  Load(store, "0 @S1@ SOUR\n0 @R1@ REPO\n");
  int added = 0;
  while (store.AddRecord(kSour) && added < 5000) ++added;
  EXPECT_EQ(added, 1000);
  added = 0;
  while (store.AddRecord(kRepo) && added < 5000) ++added;
  EXPECT_EQ(added, 999);  // the REPO capacity of 1,000 is below count + 1,000
}

TEST(InsertRecord, NewRecordFollowsTheRunOfItsTag) {
  RecordStore store;
  Load(store, "0 HEAD\n0 @I1@ INDI\n0 @I2@ INDI\n0 @F1@ FAM\n0 TRLR\n");
  LineNode* indi = store.MakeLine(0, kTagINDI, "@I3@");
  EXPECT_EQ(store.InsertRecord(store.FirstRecordLine(kTagHEAD), indi), 0);
  EXPECT_EQ(Records(store), "HEAD @I1@ @I2@ @I3@ @F1@ TRLR");
}

TEST(InsertRecord, FirstOfItsTagGoesByRecordKindBeforeTrlr) {
  RecordStore store;
  Load(store, "0 HEAD\n0 @I1@ INDI\n0 @F1@ FAM\n0 @R1@ REPO\n0 TRLR\n");
  LineNode* sour = store.MakeLine(0, kTagSOUR, "@S1@");
  store.InsertRecord(store.FirstRecordLine(kTagHEAD), sour);
  EXPECT_EQ(Records(store), "HEAD @I1@ @F1@ @S1@ @R1@ TRLR");
  LineNode* obje = store.MakeLine(0, kTagOBJE, "@O1@");
  store.InsertRecord(nullptr, obje);
  EXPECT_EQ(Records(store), "HEAD @I1@ @F1@ @S1@ @R1@ @O1@ TRLR");
}

TEST(AddLink, ChildGoesAfterTheLastChildOrTheSpouses) {
  RecordStore store;
  Load(store, "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n");
  LineNode* fam = store.FirstRecordLine(kTagFAM);
  store.AddLink(fam, kTagCHIL, "@I3@");
  store.AddLink(fam, kTagCHIL, "@I4@");
  EXPECT_EQ(Children(fam), "1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 CHIL @I4@|1 MARR");
}

TEST(AddLink, HusbandReplacesAnExistingLine) {
  RecordStore store;
  Load(store, "0 @F1@ FAM\n1 WIFE @I2@\n1 HUSB @I1@\n");
  LineNode* fam = store.FirstRecordLine(kTagFAM);
  store.AddLink(fam, kTagHUSB, "@I7@");
  EXPECT_EQ(Children(fam), "1 WIFE @I2@|1 HUSB @I7@");
}

TEST(AddLink, FamilyPointersAndAdoption) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 NAME A\n1 FAMS @F1@\n1 NOTE n\n");
  LineNode* indi = store.FirstRecordLine(kTagINDI);
  store.AddLink(indi, kTagFAMS, "@F2@");
  store.AddLink(indi, kTagFAMC, "@F3@", true);
  EXPECT_EQ(Children(indi), "1 NAME A|1 FAMC @F3@|1 FAMS @F1@|1 FAMS @F2@|1 NOTE n");
  EXPECT_EQ(FormatLine(*indi->firstChild->next->firstChild), "2 PEDI Adopted");
  EXPECT_EQ(store.RemoveLink(indi, kTagFAMS, 1), 0);
  EXPECT_EQ(store.RemoveLink(indi, kTagFAMS, 1), -1);
  EXPECT_EQ(Children(indi), "1 NAME A|1 FAMC @F3@|1 FAMS @F2@|1 NOTE n");
}

TEST(StoreFlags, DigitCountOfTheFirstIndividual) {
  RecordStore store;
  Load(store, "0 @I0001@ INDI\n0 @I0002@ INDI\n");
  EXPECT_TRUE(store.StoreFlags() & kFlagDigits4);
  EXPECT_EQ(store.FormatXref(store.NextNumber(kIndi), store.Kind(kIndi).prefix), "@I0003@");
  Load(store, "0 @P00001@ INDI\n");
  EXPECT_TRUE(store.StoreFlags() & kFlagDigits5);
  Load(store, "0 @I1@ INDI\n");
  EXPECT_FALSE(store.StoreFlags() & (kFlagDigits4 | kFlagDigits5));
}

TEST(RecordStore, ClearReleasesEverything) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 NAME A /B/\n0 @F1@ FAM\n1 HUSB @I1@\n");
  EXPECT_EQ(store.IndividualCount(), 1);
  store.Clear();
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(store.IndividualCount(), 0);
  EXPECT_EQ(store.Individual(1), nullptr);
  EXPECT_EQ(store.Family(1), nullptr);
  EXPECT_EQ(store.Text().BlockCount(), 0);
  EXPECT_EQ(store.Nodes().BlockCount(), 0);
}

}  // namespace
}  // namespace dv
