#include <gtest/gtest.h>

#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

void Load(RecordStore& store, const std::string& text, LoadOptions options = {}) {
  std::string summary;
  ASSERT_EQ(LoadDataSourceBytes(store, text, options, summary), 0);
}

std::string Children(const LineNode* record) {
  std::string out;
  for (const LineNode* c = record->firstChild; c; c = c->next) {
    if (!out.empty()) out += '|';
    out += FormatLine(*c);
  }
  return out;
}

TEST(IndividualSummary, FieldsFromTheRecord) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 NAME John /van Dyke/
1 SEX M
1 OCCU   Miller and baker of the parish of St Mary
1 CHR
2 DATE 14 MAR 1850
2 PLAC  Dover, Kent 
1 BIRT
2 DATE 12 MAR 1850
1 BURI
2 PLAC Dover
1 DEAT
2 DATE 1900
)");
  const IndividualSummary* s = store.Individual(1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->id, 1);
  EXPECT_STREQ(s->displayName, "John van_Dyke");
  EXPECT_EQ(s->sex, 1);
  EXPECT_STREQ(s->occupation, "Miller and baker of the parish ");  // 31 characters
  EXPECT_STREQ(s->birthDate, "c 14 MAR 1850");  // the first of BIRT, CHR, BAPM
  EXPECT_STREQ(s->birthPlace, "Dover, Kent");
  EXPECT_STREQ(s->birthYear, "1850");
  EXPECT_STREQ(s->deathDate, "bd ");  // BURI came first and has only a place
  EXPECT_STREQ(s->deathPlace, "Dover");
  EXPECT_EQ(std::string(s->eventKinds, 4), std::string("\0c\0\0", 4).replace(2, 1, "b"));
  EXPECT_EQ(s->line, store.FirstRecordLine(kTagINDI));
}

TEST(IndividualSummary, SexCodes) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 SEX f\n0 @I2@ INDI\n1 SEX U\n0 @I3@ INDI\n0 @I4@ INDI\n1 SEX\n");
  EXPECT_EQ(store.Individual(1)->sex, 0);
  EXPECT_EQ(store.Individual(2)->sex, -1);
  EXPECT_EQ(store.Individual(3)->sex, -1);  // no SEX line: not stated
  EXPECT_EQ(store.Individual(4)->sex, -1);
}

TEST(IndividualSummary, NamePreferenceFirstOrLast) {
  RecordStore store;
  const std::string text = "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 NAME Anne /Leigh/\n0 @I2@ INDI\n";
  Load(store, text);
  EXPECT_STREQ(store.Individual(1)->displayName, "Ann Lee");
  EXPECT_STREQ(store.Individual(2)->displayName, "____ ____");
  LoadOptions last;
  last.namesLast = true;
  Load(store, text, last);
  EXPECT_STREQ(store.Individual(1)->displayName, "Anne Leigh");
  EXPECT_TRUE(store.StoreFlags() & kFlagNamesLast);
}

TEST(IndividualSummary, LongFieldsAreCut) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 NAME " + std::string(100, 'g') + " /S/\n1 BIRT\n2 DATE " +
                  std::string(40, '1') + "\n");
  EXPECT_EQ(std::string(store.Individual(1)->displayName).size(), 63u);
  EXPECT_EQ(std::string(store.Individual(1)->birthDate).size(), 23u);
}

TEST(FamilySummary, FieldsFromTheRecord) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 SEX M
1 FAMS @F1@
0 @I2@ INDI
1 SEX F
1 FAMS @F1@
0 @I3@ INDI
1 FAMC @F1@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 CHIL @I9@
1 CHIL @I3@
1 MARR
2 DATE 1 JUN 1870
2 PLAC Hythe
1 MARR
2 DATE 2 JUN 1870
)");
  const FamilySummary* f = store.Family(1);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->id, 1);
  EXPECT_EQ(f->index, 1);
  EXPECT_EQ(f->husband, 1);
  EXPECT_EQ(f->wife, 2);
  EXPECT_EQ(f->children[0], 3);  // the unknown @I9@ is not kept
  EXPECT_EQ(f->children[1], 0);
  EXPECT_STREQ(f->marriageDate, "m 2 JUN 1870");
  EXPECT_STREQ(f->marriagePlace, "Hythe");
  EXPECT_EQ(store.Individual(3)->parentFamily, 1);
  EXPECT_EQ(store.Individual(1)->spouseFamily, 1);
}

TEST(FamilySummary, ThirtyChildrenKeepTwentyFive) {
  std::string text;
  for (int i = 1; i <= 30; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\n1 FAMC @F1@\n";
  text += "0 @F1@ FAM\n";
  for (int i = 1; i <= 30; ++i) text += "1 CHIL @I" + std::to_string(i) + "@\n";
  RecordStore store;
  Load(store, text);
  const FamilySummary* f = store.Family(1);
  EXPECT_EQ(f->children[0], 1);
  EXPECT_EQ(f->children[24], 25);
  int chil = 0;
  for (const LineNode* c = f->line->firstChild; c; c = c->next) chil += c->tag == kTagCHIL;
  EXPECT_EQ(chil, 30);  // the other lines stay in the tree
}

TEST(Summaries, IndexBeyondCountInsideTheLastBlockIsAnEmptySlot) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n");
  EXPECT_EQ(store.Individual(0), nullptr);
  ASSERT_NE(store.Individual(2), nullptr);
  EXPECT_EQ(store.Individual(2)->id, 0);
  EXPECT_NE(store.Individual(kIndividualsPerBlock), nullptr);
  EXPECT_EQ(store.Individual(kIndividualsPerBlock + 1), nullptr);
  EXPECT_EQ(store.Family(kFamiliesPerBlock + 1), nullptr);
}

TEST(Summaries, BlockLimitsGiveTooMuchData) {
  RecordStore store;
  ASSERT_EQ(store.Start(), 0);
  EXPECT_EQ(store.SizeSummaries(kIndividualsPerBlock * kMaxIndividualBlocks, 0), kErrTooMuchData);
  EXPECT_EQ(store.SizeSummaries(0, kFamiliesPerBlock * kMaxFamilyBlocks), kErrTooMuchData);
  EXPECT_EQ(store.SizeSummaries(33693, 0), kErrTooMuchData);
  EXPECT_EQ(store.SizeSummaries(29998, 13800), 0);
  EXPECT_EQ(store.SizeSummaries(29998, 13806), kErrTooMuchData);  // 119 family blocks
}

TEST(MarriageTable, CapacityFollowsTheCounts) {
  RecordStore store;
  ASSERT_EQ(store.Start(), 0);
  store.SizeSummaries(1000, 150);
  EXPECT_EQ(store.MarriageCapacity(), 5459);
  store.SizeSummaries(1000, 300);
  EXPECT_EQ(store.MarriageCapacity(), 300);
  store.SizeSummaries(10, 50);
  EXPECT_EQ(store.MarriageCapacity(), 100);
  store.SizeSummaries(20000, 13000);
  EXPECT_EQ(store.MarriageCapacity(), 5459);
}

const char* kTwoMarriages = R"(0 @I1@ INDI
1 SEX M
1 FAMS @F1@
1 FAMS @F2@
1 FAMS @F3@
0 @I2@ INDI
1 SEX F
1 FAMS @F1@
0 @I3@ INDI
1 SEX F
1 FAMS @F2@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
1 MARR
2 DATE 1880
0 @F2@ FAM
1 HUSB @I1@
1 WIFE @I3@
1 MARR
2 DATE 1870
0 @F3@ FAM
1 HUSB @I1@
)";

TEST(FamiliesOf, FirstFamilyThenTheMarriageTable) {
  RecordStore store;
  Load(store, kTwoMarriages);
  const IndividualSummary* s = store.Individual(1);
  EXPECT_EQ(s->spouseFamily, 1);
  EXPECT_NE(s->moreMarriages, 0);
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(store.FamiliesOf(1, true), (std::vector<std::int32_t>{3, 2, 1}));  // no year counts as 0
  ASSERT_EQ(store.MarriageTable().size(), 2u);
  EXPECT_EQ(store.MarriageTable()[0].order, 2);
  EXPECT_EQ(store.MarriageTable()[1].order, 3);
  EXPECT_EQ(store.FamiliesOf(2), (std::vector<std::int32_t>{1}));
}

TEST(FamiliesOf, RemoveAndAddMarriageKeepLinesInStep) {
  RecordStore store;
  Load(store, kTwoMarriages);
  EXPECT_EQ(store.RemoveMarriage(1, 1), 0);
  EXPECT_EQ(store.Individual(1)->spouseFamily, 2);  // the next family moves up
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M|1 FAMS @F2@|1 FAMS @F3@");
  EXPECT_EQ(store.AddMarriage(1, 1), 0);
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{2, 3, 1}));
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M|1 FAMS @F2@|1 FAMS @F3@|1 FAMS @F1@");
  EXPECT_EQ(store.AddMarriage(99, 1), kNoSummary);
  EXPECT_EQ(store.RemoveMarriage(2, 3), -1);
}

TEST(FamiliesOf, ListsTenFamiliesAtMost) {
  std::string text = "0 @I1@ INDI\n1 SEX M\n";
  for (int f = 1; f <= 12; ++f) text += "1 FAMS @F" + std::to_string(f) + "@\n";
  for (int f = 1; f <= 12; ++f) text += "0 @F" + std::to_string(f) + "@ FAM\n1 HUSB @I1@\n";
  RecordStore store;
  Load(store, text);
  EXPECT_EQ(store.FamiliesOf(1).size(), 10u);
  EXPECT_EQ(store.MarriageTable().size(), 11u);  // every further marriage is recorded
  // The families beyond the tenth are not added again by the link check.
  EXPECT_EQ(store.CheckLinks(), 0);
  int fams = 0;
  for (const LineNode* c = store.Individual(1)->line->firstChild; c; c = c->next) fams += c->tag == kTagFAMS;
  EXPECT_EQ(fams, 12);
}

TEST(Adoption, PediAdoptedLeavesTheBirthFamilyAsParentFamily) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 FAMC @F1@
2 PEDI adopted
1 FAMC @F2@
0 @F1@ FAM
1 CHIL @I1@
0 @F2@ FAM
1 CHIL @I1@
)");
  EXPECT_EQ(store.Individual(1)->parentFamily, 2);
  EXPECT_EQ(store.AdoptiveFamily(1), 1);
  EXPECT_EQ(store.ParentFamilies(1), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(store.CheckLinks(), 0);  // the adoptive family's CHIL is named by a FAMC line
}

TEST(Adoption, AdopEventFamilyGetsAFamcWithPedi) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 FAMC @F2@
1 ADOP
2 FAMC @F1@
0 @F1@ FAM
1 CHIL @I1@
0 @F2@ FAM
1 CHIL @I1@
)");
  EXPECT_EQ(store.AdoptiveFamily(1), 1);
  EXPECT_EQ(store.Individual(1)->parentFamily, 2);
  // The new FAMC goes before the existing family pointers.
  EXPECT_EQ(Children(store.Individual(1)->line), "1 FAMC @F1@|1 FAMC @F2@|1 ADOP");
  EXPECT_EQ(FormatLine(*store.Individual(1)->line->firstChild->firstChild), "2 PEDI Adopted");
}

TEST(Adoption, EveryFamcAdoptedTakesTheLast) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 FAMC @F1@\n2 PEDI Adopted\n1 FAMC @F2@\n2 PEDI ADOPTED\n0 @F1@ FAM\n0 @F2@ FAM\n");
  EXPECT_EQ(store.Individual(1)->parentFamily, 2);
}

TEST(CheckLinks, FamsToAMissingFamilyCreatesIt) {
  RecordStore store;
  Load(store, "0 HEAD\n0 @I1@ INDI\n1 SEX M\n1 FAMS @F7@\n0 @F1@ FAM\n0 TRLR\n");
  EXPECT_EQ(store.FamilyCount(), 2);
  const FamilySummary* f = store.Family(2);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->id, 7);
  EXPECT_EQ(f->husband, 1);
  EXPECT_EQ(FormatLine(*f->line), "0 @F7@ FAM");
  EXPECT_EQ(store.Family(1)->line->next, f->line);  // after the last FAM record
  EXPECT_EQ(Children(f->line), "1 HUSB @I1@");
  EXPECT_EQ(store.IndexOf(kFam, 7), 2);
}

TEST(CheckLinks, FemaleHusbandIsUnlinked) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 SEX F\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n");
  EXPECT_EQ(store.Family(1)->husband, 0);
  EXPECT_EQ(store.Family(1)->wife, 1);  // her own FAMS makes her the wife
  EXPECT_EQ(Children(store.Family(1)->line), "1 WIFE @I1@");
}

TEST(CheckLinks, UnstatedSexIsAcceptedInEitherRole) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 FAMS @F1@
0 @I2@ INDI
1 FAMS @F1@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
)");
  EXPECT_EQ(store.Family(1)->husband, 1);
  EXPECT_EQ(store.Family(1)->wife, 2);
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, MaleWifeIsUnlinkedAndHisMarriageRemoved) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 SEX M
1 FAMS @F1@
0 @I2@ INDI
1 SEX M
1 FAMS @F1@
0 @F1@ FAM
1 HUSB @I1@
1 WIFE @I2@
)");
  EXPECT_EQ(store.Family(1)->wife, 0);
  EXPECT_EQ(store.Individual(2)->spouseFamily, 0);
  EXPECT_EQ(Children(store.Individual(2)->line), "1 SEX M");
}

TEST(CheckLinks, ChildrenAndParentsAreMadeToAgree) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 FAMC @F1@
0 @I2@ INDI
0 @I3@ INDI
1 FAMC @F2@
0 @F1@ FAM
0 @F2@ FAM
1 CHIL @I2@
1 CHIL @I3@
0 @F3@ FAM
1 CHIL @I3@
)");
  // I1 names F1 as parents: F1 gets the child.
  EXPECT_EQ(store.Family(1)->children[0], 1);
  EXPECT_EQ(Children(store.Family(1)->line), "1 CHIL @I1@");
  // I2 had no parent family: F2 becomes it.
  EXPECT_EQ(store.Individual(2)->parentFamily, 2);
  EXPECT_EQ(Children(store.Individual(2)->line), "1 FAMC @F2@");
  // I3 belongs to F2: F3 loses the child.
  EXPECT_EQ(store.Family(3)->children[0], 0);
  EXPECT_EQ(Children(store.Family(3)->line), "");
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, PersonWhoIsTheirOwnAncestorLoadsCleanly) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 SEX M
1 FAMS @F1@
1 FAMC @F1@
0 @I2@ INDI
1 FAMC @F2@
1 FAMS @F2@
0 @F1@ FAM
1 HUSB @I1@
1 CHIL @I1@
0 @F2@ FAM
1 WIFE @I2@
1 CHIL @I2@
)");
  EXPECT_EQ(store.Family(1)->husband, 1);
  EXPECT_EQ(store.Individual(1)->parentFamily, 1);
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, DuplicateFamsLineIsRemoved) {
  RecordStore store;
  Load(store, "0 @I1@ INDI\n1 SEX M\n1 FAMS @F1@\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n");
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M|1 FAMS @F1@");
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, RepeatedFamsLinesApartAreRemovedInOnePass) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 SEX M
1 FAMS @F4@
1 FAMS @F9@
1 FAMS @F9@
1 FAMS @F4@
1 FAMS @F9@
0 @F4@ FAM
1 HUSB @I1@
0 @F9@ FAM
1 HUSB @I1@
)");
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M|1 FAMS @F4@|1 FAMS @F9@");
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, AMarriageRefusedByATableFullOfRepeatsIsAddedOnceTheRepeatsAreGone) {
  // The repeated FAMS lines fill the marriage table at load; the family that
  // names I1 as husband still gets its marriage in the same check.
  std::string text = "0 @I1@ INDI\n1 SEX M\n";
  for (int i = 0; i <= kMarriageMinimum; ++i) text += "1 FAMS @F2@\n";
  text += "0 @F1@ FAM\n1 HUSB @I1@\n0 @F2@ FAM\n1 HUSB @I1@\n";
  RecordStore store;
  Load(store, text);
  EXPECT_EQ(store.FamiliesOf(1), (std::vector<std::int32_t>{2, 1}));
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M|1 FAMS @F2@|1 FAMS @F1@");
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(CheckLinks, IndividualWithoutANumberIsRepairedLikeAnyOther) {
  RecordStore store;
  Load(store, "0 @I@ INDI\n1 SEX M\n1 FAMS @F1@\n0 @I2@ INDI\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n");
  EXPECT_EQ(store.Individual(1)->id, 0);
  EXPECT_EQ(store.Individual(1)->spouseFamily, 0);
  EXPECT_EQ(Children(store.Individual(1)->line), "1 SEX M");
  EXPECT_EQ(store.CheckLinks(), 0);
}

TEST(GatherNotes, ContinuationsAndRecords) {
  RecordStore store;
  Load(store, R"(0 @I1@ INDI
1 NOTE  First line
2 CONT   second line
2 CONC  and more
2 SOUR @S1@
1 NOTE @N1@
0 @I2@ INDI
1 NOTE @N1@
0 @N1@ NOTE Shared note
1 CONT continued
)");
  const IndividualSummary* one = store.Individual(1);
  EXPECT_STREQ(store.TextAt(one->noteOffset), "Shared note\r\ncontinued");  // the last NOTE line
  LineNode* firstNote = one->line->firstChild;
  LineNode* source = nullptr;
  std::int32_t offset = store.GatherNotes(firstNote, false, &source);
  EXPECT_STREQ(store.TextAt(offset), "First line\r\nsecond line and more");
  EXPECT_NE(source, nullptr);
  EXPECT_EQ(store.GatherNotes(firstNote), offset);  // gathered once
  store.ForgetNotes(firstNote);                     // its text changed: gathered again
  EXPECT_GT(store.GatherNotes(firstNote), offset);
  LineNode* second = store.MakeLine(1, kTagNOTE, {}, " a");
  LinkFirstChild(second, store.MakeLine(2, kTagCONT, {}, "b"));
  EXPECT_STREQ(store.TextAt(store.GatherNotes(second, true)), "a b");
}

TEST(CopySummaries, TakesAnIndependentCopy) {
  RecordStore store;
  Load(store, kTwoMarriages);
  SummarySet copy;
  ASSERT_TRUE(store.CopySummaries(copy));
  EXPECT_EQ(copy.individualCount, 3);
  EXPECT_EQ(copy.marriages.size(), 2u);
  store.MutableIndividual(1)->sex = 0;
  EXPECT_EQ(copy.Individual(1)->sex, 1);
  store.LockSummaries();
  EXPECT_TRUE(store.SummariesLocked());
  store.UnlockSummaries();
  EXPECT_FALSE(store.SummariesLocked());
}

}  // namespace
}  // namespace dv
