#include "charts/selective/SelectiveGather.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "charts/selective/SelectiveTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

// Records the messages and questions of a run; questions get `answer`.
struct Dialogue {
  std::vector<std::pair<int, std::string>> said;
  bool answer = true;
  SelectivePrompter Prompter() {
    SelectivePrompter p;
    p.show = [this](int id, const std::string& s) { said.push_back({id, s}); };
    p.ask = [this](int id, const std::string& s) {
      said.push_back({id, "?" + s});
      return answer;
    };
    return p;
  }
};

class SelectiveGatherTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0); }
  std::int32_t Ind(int number) const { return store.FindIndex(kIndi, number); }
  std::int32_t Fam(int number) const { return store.FindIndex(kFam, number); }
  int Gather(int baseNumber, std::vector<std::int32_t> selection) {
    SelectiveGatherInput in;
    in.store = &store;
    in.baseIndex = Ind(baseNumber);
    in.selection = std::move(selection);
    in.options = options;
    in.columnWidth = &width;
    return GatherSelectiveTree(in, tables, dialogue.Prompter());
  }
  // The groups on the grid, slot by slot: "slot:key=family" in track order.
  std::string Grid() const {
    std::string out;
    for (int s = tables.startSlot; s < kGridSlots; ++s)
      for (int t = 0; t < kTracks; ++t) {
        const GridCell& c = tables.Cell(t, s);
        if (c.key == 0) continue;
        out += std::to_string(s) + ":" + std::to_string(c.key) + "=" +
               std::to_string(store.Family(tables.groups[c.group].family)->id) + " ";
      }
    return out;
  }
  RecordStore store;
  SelectiveOptions options;
  SelectiveTables tables;
  Dialogue dialogue;
  int width = 23;
};

// ---- The descent grid ----

TEST(SelectiveGrid, LinesShareTheirCommonPartAndKeysAscendInASlot) {
  SelectiveTables t;
  t.selection = {13, 8, 3};  // 13: keys 1, 3, 6; 8: keys 1, 2, 4; 3: key 1 (shared)
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  EXPECT_EQ(t.Cell(0, 0).key, 0);
  EXPECT_EQ(t.Cell(0, 1).key, 1);
  EXPECT_EQ(t.Cell(1, 1).key, 0);
  EXPECT_EQ(t.Cell(0, 2).key, 2);
  EXPECT_EQ(t.Cell(1, 2).key, 3);
  EXPECT_EQ(t.Cell(0, 3).key, 4);
  EXPECT_EQ(t.Cell(1, 3).key, 6);
  EXPECT_TRUE(d.said.empty());
}

TEST(SelectiveGrid, BothMembersOfACoupleGiveOneLine) {
  SelectiveTables t;
  t.selection = {6, 7};
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  EXPECT_EQ(t.Cell(0, 2).key, 3);
  EXPECT_EQ(t.Cell(1, 2).key, 0);
}

TEST(SelectiveGrid, ASeventhLineIsListedAndOkGoesOnWithSix) {
  SelectiveTables t;
  // Keys 8 to 14 at slot 4: the seventh number does not fit.
  t.selection = {16, 18, 20, 22, 24, 26, 28, 30};
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  ASSERT_EQ(d.said.size(), 1u);
  EXPECT_EQ(d.said[0].first, kMsgTooManyLines);
  EXPECT_EQ(d.said[0].second, "?28, 30, ");
  int placed = 0;
  for (int l = 0; l < kTracks; ++l) placed += t.Cell(l, 4).key != 0;
  EXPECT_EQ(placed, 6);
  d.answer = false;
  d.said.clear();
  EXPECT_EQ(BuildDescentGrid(t, d.Prompter()), -1);
}

TEST(SelectiveGrid, DeepestNumbersStayWithinTheGrid) {
  SelectiveTables t;
  t.selection = {0x7FFFFFFF};
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  EXPECT_EQ(t.Cell(0, 30).key, 0x7FFFFFFF >> 1);
  EXPECT_EQ(t.Cell(0, 31).key, 0);
  EXPECT_FALSE(ValidAncestorNumber(1));
  EXPECT_FALSE(ValidAncestorNumber(0x80000000LL));
  EXPECT_TRUE(ValidAncestorNumber(2));
}

TEST(SelectiveGrid, StartSlotForABaseNumberOfOneIsTheParentsFamily) {
  SelectiveTables t;
  t.selection = {9};
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  ASSERT_EQ(FindStartSlot(t, d.Prompter()), 0);
  EXPECT_EQ(t.startSlot, 1);
}

TEST(SelectiveGrid, ABaseNumberAboveTheConvergenceIsReplacedAfterTheQuestion) {
  SelectiveTables t;
  t.selection = {16, 20};  // keys 1, 2, 4, 8 and 1, 2, 5, 10: they part at slot 3
  t.baseNumber = 9;        // not on either line
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  ASSERT_EQ(FindStartSlot(t, d.Prompter()), 0);
  EXPECT_EQ(t.baseNumber, 2);
  EXPECT_EQ(t.startSlot, 2);
  ASSERT_EQ(d.said.size(), 1u);
  EXPECT_EQ(d.said[0].first, kMsgDataError);
}

// ---- The walk ----

TEST_F(SelectiveGatherTest, OneLineGivesOneGroupPerGeneration) {
  ASSERT_EQ(Gather(1, {8}), 0);
  // The remarriage place refers to its main group until the layout.
  EXPECT_EQ(Grid(), "1:1=1 2:2=2 3:4=4 32:1=1 ");
  EXPECT_EQ(tables.baseName, "Ann Louise Carter");
  const FamilyGroup& top = tables.groups[tables.Cell(0, 3).group];
  EXPECT_EQ(FieldText(top.husband), "George Carter");
  EXPECT_EQ(FieldText(top.wife), "Edith Day");
  EXPECT_EQ(FieldText(top.keyText), "4");
  // The column width is 29 only while the gathering runs.
  EXPECT_EQ(width, 23);
}

TEST_F(SelectiveGatherTest, ChildrenCarryGivenNamesYearsAndLineMarks) {
  ASSERT_EQ(Gather(1, {8}), 0);
  const FamilyGroup& f1 = tables.groups[tables.Cell(0, 1).group];
  EXPECT_EQ(FieldText(f1.marriage), "(Wells,1985)");
  std::vector<std::string> names, years;
  std::vector<int> marks;
  for (std::uint16_t c : f1.children) {
    if (c == 0) break;
    names.emplace_back(FieldText(tables.children[c].given));
    years.emplace_back(FieldText(tables.children[c].year));
    marks.push_back(tables.children[c].mark);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Ben A.", "Ann L.", "Cara"}));
  EXPECT_EQ(years, (std::vector<std::string>{"1987", "1990", "1993"}));
  EXPECT_EQ(marks, (std::vector<int>{0, 1, 0}));
}

TEST_F(SelectiveGatherTest, ARemarriageIsGatheredBesideItsGroup) {
  ASSERT_EQ(Gather(1, {8}), 0);
  const FamilyGroup& f1 = tables.groups[tables.Cell(0, 1).group];
  EXPECT_EQ(f1.husbandMarriage, 1);
  EXPECT_EQ(f1.wifeMarriage, 0);
  ASSERT_GT(f1.husbandOther, 0);
  const FamilyGroup& other = tables.groups[f1.husbandOther];
  EXPECT_EQ(other.family, Fam(20));
  EXPECT_EQ(other.spouseOrder, 1);
  EXPECT_EQ(FieldText(other.wife), "Susan Bell");

  options.suppressRemarriages = true;
  ASSERT_EQ(Gather(1, {8}), 0);
  EXPECT_EQ(Grid(), "1:1=1 2:2=2 3:4=4 ");
  EXPECT_EQ(tables.groups[tables.Cell(0, 1).group].husbandOther, 0);
}

TEST_F(SelectiveGatherTest, TwoLinesMeetInTheBaseFamily) {
  options.suppressRemarriages = true;
  ASSERT_EQ(Gather(1, {8, 12}), 0);
  EXPECT_EQ(Grid(), "1:1=1 2:2=2 2:3=3 3:4=4 3:6=5 ");
  EXPECT_EQ(tables.selection, (std::vector<std::int32_t>{8, 12}));
}

TEST_F(SelectiveGatherTest, ACousinMarriageKeepsOneGroupAndDropsTheSecondAncestry) {
  ASSERT_EQ(Gather(30, {8, 14}), 0);
  ASSERT_EQ(tables.cousins.size(), 1u);
  EXPECT_EQ(tables.cousins[0].first, 4);
  EXPECT_EQ(tables.cousins[0].second, 7);
  EXPECT_EQ(Grid(), "1:1=10 2:2=11 2:3=12 3:4=13 ");
  // The second line's ancestor goes with its duplicated family.
  EXPECT_EQ(tables.selection, (std::vector<std::int32_t>{8}));
  const FamilyGroup& top = tables.groups[tables.Cell(0, 3).group];
  std::vector<int> marks;
  for (std::uint16_t c : top.children) {
    if (c == 0) break;
    marks.push_back(tables.children[c].mark);
  }
  EXPECT_EQ(marks, (std::vector<int>{1, 2}));
}

TEST_F(SelectiveGatherTest, AncestorsWhoseLineEndsEarlyAreLeftOutOfTheSelection) {
  options.suppressRemarriages = true;
  // Number 10 (Rose Hill's father) is not in the file: key 5 has no family.
  ASSERT_EQ(Gather(1, {10, 8}), 0);
  EXPECT_EQ(Grid(), "1:1=1 2:2=2 3:4=4 ");
  EXPECT_EQ(tables.selection, (std::vector<std::int32_t>{8}));
}

TEST_F(SelectiveGatherTest, NoSelectionOrNoBaseIsAnErrorInData) {
  EXPECT_EQ(Gather(1, {}), kMsgDataError);
  EXPECT_EQ(Gather(99, {2}), kMsgDataError);
  EXPECT_EQ(Gather(1, {1}), kMsgDataError);  // the base is no ancestor
  EXPECT_EQ(width, 23);
}

TEST_F(SelectiveGatherTest, ExtractRunsStopAfterTheWalk) {
  SelectiveGatherInput in;
  in.store = &store;
  in.baseIndex = Ind(30);
  in.selection = {8, 14};
  in.extract = true;
  ASSERT_EQ(GatherSelectiveTree(in, tables, dialogue.Prompter()), 0);
  // No compaction and no cousin step: the duplicate cell is still there.
  EXPECT_EQ(tables.Cell(1, 3).key, 7);
  EXPECT_EQ(tables.selection.size(), 2u);
}

// A family of n children on the line of the base.
std::string Family(int n) {
  std::string g = "0 HEAD\n0 @I1@ INDI\n1 NAME Base /Big/\n1 FAMC @F1@\n";
  g += "0 @I2@ INDI\n1 NAME Dad /Big/\n1 FAMS @F1@\n";
  for (int k = 0; k < n - 1; ++k)
    g += "0 @I" + std::to_string(10 + k) + "@ INDI\n1 NAME Kid" + std::to_string(k) +
         " /Big/\n1 FAMC @F1@\n";
  g += "0 @F1@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n";
  for (int k = 0; k < n - 1; ++k) g += "1 CHIL @I" + std::to_string(10 + k) + "@\n";
  return g + "0 TRLR\n";
}

TEST(SelectiveGatherLimits, TwentyFourChildrenAreAcceptedAndTwentyFiveStopTheRun) {
  for (int n : {24, 25}) {
    RecordStore store;
    ASSERT_EQ(test::LoadGedcomText(store, Family(n)), 0);
    SelectiveTables t;
    Dialogue d;
    SelectiveGatherInput in;
    in.store = &store;
    in.baseIndex = 1;
    in.selection = {2};
    const int rc = GatherSelectiveTree(in, t, d.Prompter());
    if (n == 24) {
      EXPECT_EQ(rc, 0);
    } else {
      EXPECT_EQ(rc, kMsgTooManyChildrenInFamily);
      ASSERT_FALSE(d.said.empty());
      EXPECT_EQ(d.said.back().first, kMsgTooManyChildrenInFamily);
    }
  }
}

// ---- Exclusion and sides ----

TEST(SelectiveExclude, RemovesAKeyAndItsAncestry) {
  SelectiveTables t;
  t.selection = {16, 24};  // 1, 2, 4, 8 and 1, 3, 6, 12
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  t.startSlot = 1;
  ASSERT_EQ(ExcludeFamily(t, 3, 0), 0);
  EXPECT_EQ(t.Cell(1, 2).key, 0);
  EXPECT_EQ(t.Cell(1, 3).key, 0);
  EXPECT_EQ(t.Cell(1, 4).key, 0);
  EXPECT_EQ(t.Cell(0, 4).key, 8);
  EXPECT_EQ(ExcludeFamily(t, 99, 0), kMsgExclude);
  // Mode 1 keeps the cell itself.
  ASSERT_EQ(ExcludeFamily(t, 2, 1), 0);
  EXPECT_EQ(t.Cell(0, 2).key, 2);
  EXPECT_EQ(t.Cell(0, 3).key, 0);
}

TEST(SelectiveExclude, SwappingSidesReordersTheOlderSlotsAndFlipsTheGroup) {
  SelectiveTables t;
  t.selection = {8, 10, 12};  // slot 3: 4, 5, 6
  Dialogue d;
  ASSERT_EQ(BuildDescentGrid(t, d.Prompter()), 0);
  t.startSlot = 1;
  t.groupCount = 1;
  t.Cell(0, 2).group = 1;  // key 2
  t.groups[1].husbandMarriage = 1;
  ASSERT_TRUE(SwapSides(t, 2));
  EXPECT_EQ(t.Cell(0, 3).key, 5);
  EXPECT_EQ(t.Cell(1, 3).key, 4);
  EXPECT_EQ(t.Cell(2, 3).key, 6);
  EXPECT_EQ(t.groups[1].spouseOrder, 1);
  EXPECT_EQ(t.groups[1].wifeMarriage, 1);
  EXPECT_FALSE(SwapSides(t, 77));
}

TEST(SelectiveNames, ChildrenShowTheirGivenNames) {
  EXPECT_EQ(ChildGivenNames("John William Henry Smith", false), "John W. H.");
  EXPECT_EQ(ChildGivenNames("John William Henry Smith", true), "John William Henry");
  EXPECT_EQ(ChildGivenNames("Kate \"Kitty\" Lowe", false), "Kate");
  EXPECT_EQ(ChildGivenNames("Mary (Polly) Ann Lowe", false), "Mary A.");
  EXPECT_EQ(ChildGivenNames("Smith", false), "Smith");
  EXPECT_EQ(ChildGivenNames("Bartholomew Maximilian Ferdinand Augustus Rutherford", true).size(),
            30u);
}

}  // namespace
}  // namespace dv
