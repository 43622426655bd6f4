#include "charts/selective/SelectiveLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "charts/selective/SelectiveGather.h"
#include "charts/selective/SelectiveTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

class SelectiveLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0); }

  // Gathers, lays out and formats for base and selection on a page of
  // columns x lines (no margins); the list as text, or "failed N".
  std::string Chart(int base, std::vector<std::int32_t> selection, int columns = 100,
                    int lines = 60) {
    SelectivePrompter p;
    p.show = [this](int id, const std::string& s) { said.push_back({id, s}); };
    p.ask = [this](int id, const std::string& s) {
      said.push_back({id, "?" + s});
      return answer;
    };
    SelectiveGatherInput in;
    in.store = source;
    in.baseIndex = source->FindIndex(kIndi, base);
    in.selection = std::move(selection);
    in.options = options;
    if (int rc = GatherSelectiveTree(in, tables, p)) return "failed " + std::to_string(rc);
    SelectivePage page;
    page.pageColumns = columns;
    page.pageLines = lines;
    EXPECT_EQ(SelectiveExtentFor(page, extent), 0);
    if (int rc = LayoutSelectiveTree(tables, options, extent, {}, p, layout))
      return "failed " + std::to_string(rc);
    if (int rc = FormatSelectiveTree(tables, options, layout, p, items))
      return "failed " + std::to_string(rc);
    return FormatSelectiveList(items);
  }

  // The texts of the list by line: "line: text@column text@column".
  std::string Texts() const {
    std::map<int, std::string> byLine;
    for (const SelectiveItem& it : items)
      if (it.kind == kTextItem) byLine[it.line] += " " + it.text + "@" + std::to_string(it.column);
    std::string out;
    for (const auto& [line, texts] : byLine) out += std::to_string(line) + ":" + texts + "\n";
    return out;
  }

  // No two texts of one line share a column, and everything lies on the page.
  void ExpectNoOverlap(int columns, int lines) const {
    std::map<int, std::vector<std::pair<int, int>>> spans;
    for (const SelectiveItem& it : items) {
      EXPECT_GE(it.column, 0);
      EXPECT_GE(it.line, 0);
      EXPECT_LE(it.line, lines);
      if (it.kind == kTextItem) {
        EXPECT_LE(it.column + int(it.text.size()), columns) << it.text;
        for (const auto& [from, to] : spans[it.line])
          EXPECT_TRUE(it.column >= to || it.column + int(it.text.size()) <= from)
              << it.text << " at " << it.line << ":" << it.column;
        spans[it.line].push_back({it.column, it.column + int(it.text.size())});
      }
    }
  }

  RecordStore store;
  RecordStore* source = &store;
  SelectiveOptions options;
  SelectiveTables tables;
  SelectiveExtent extent;
  SelectiveLayoutResult layout;
  std::vector<SelectiveItem> items;
  std::vector<std::pair<int, std::string>> said;
  bool answer = true;
};

TEST_F(SelectiveLayoutTest, OneLineOfDescent) {
  options.suppressRemarriages = true;
  Chart(1, {8});
  ExpectNoOverlap(100, 60);
  EXPECT_EQ(Texts(),
            "3: George CARTER@38 m @52 Edith Day@54\n"
            "19: Henry@50 m @56 Rose Hill@58\n"
            "20: (1950)@53\n"
            "23: Mark@56\n"
            "40: Tom@53 m @57 Jane Lowe@59\n"
            "41: (Wells,1985)@53\n"
            "44: Ben A.@50 Cara@60\n"
            "45: 1987@51 1993@60\n"
            "52: Ann Louise Carter@50\n");
  EXPECT_TRUE(said.empty());
}

TEST_F(SelectiveLayoutTest, TwoLinesConvergingOnTheBaseFamily) {
  options.suppressRemarriages = true;
  Chart(1, {8, 12});
  ExpectNoOverlap(100, 60);
  EXPECT_EQ(Texts(),
            "1: George CARTER@18 m @32 Edith Day@34 Samuel LOWE@60 m @72 Mary Reed@74\n"
            "5: Walter@72\n"
            "21: Henry@30 m @36 Rose Hill@38 Peter@68 m @74 Alice Moss@76\n"
            "22: (1950)@33\n"
            "25: Mark@36 Kate@70\n"
            "41: Tom@68 m @72 Jane@74\n"
            "42: (Wells,1985)@64\n"
            "45: Ben A.@65 Cara@75\n"
            "46: 1987@66 1993@75\n"
            "53: Ann Louise Carter@65\n");
}

TEST_F(SelectiveLayoutTest, ACousinMarriageDrawsTheCommonFamilyOnce) {
  Chart(30, {8, 14});
  ExpectNoOverlap(100, 60);
  EXPECT_EQ(Texts(),
            "3: Adam GREY@40 m @50 Eve Moor@52\n"
            "24: Hugh@23 m @28 Beth Cole@30 Otto VANE@61 m @71 Ivy@73\n"
            "40: Luke@26 m @31 Nora@33\n"
            "52: Paul Grey@27\n");
}

TEST_F(SelectiveLayoutTest, ARemarriageStandsBesideItsGroup) {
  Chart(1, {8});
  ExpectNoOverlap(100, 60);
  EXPECT_EQ(Texts(),
            "3: George CARTER@38 m @52 Edith Day@54\n"
            "19: Henry@50 m @56 Rose Hill@58\n"
            "20: (1950)@53\n"
            "23: Mark@56\n"
            "40: 2 Susan Bell@34 m @47 Tom@53 m @57 1 Jane Lowe@59\n"
            "41: (1985)@54\n"
            "44: Lily@45 Ben A.@50 Cara@60\n"
            "45: 1987@51 1993@60\n"
            "52: Ann Louise Carter@50\n");
}

TEST_F(SelectiveLayoutTest, TheDisplayListHoldsRulesBetweenTheGenerations) {
  options.suppressRemarriages = true;
  options.birthMarriage = false;
  EXPECT_EQ(Chart(1, {4}, 60, 30),
            "28\t16\ttext\t0\tTom\n"
            "32\t16\ttext\t1\tm \n"
            "34\t16\ttext\t0\tJane Lowe\n"
            "32\t17\tvline\t1\t\n"
            "28\t18\tvline\t1\t\n"
            "25\t19\ttext\t0\tBen A.\n"
            "37\t18\tvline\t1\t\n"
            "35\t19\ttext\t0\tCara\n"
            "28\t18\thline\t9\t\n"
            "33\t18\tvline\t6\t\n"
            "25\t24\ttext\t0\tAnn Louise Carter\n"
            "18\t1\ttext\t0\tHenry CARTER\n"
            "31\t1\ttext\t1\tm \n"
            "33\t1\ttext\t0\tRose Hill\n"
            "31\t2\tvline\t1\t\n"
            "33\t3\tvline\t1\t\n"
            "31\t4\ttext\t0\tMark\n"
            "29\t3\thline\t4\t\n"
            "29\t3\tvline\t12\t\n"
            "29\t15\tvline\t1\t\n");
}
TEST_F(SelectiveLayoutTest, ARowTooWideEvenFoldedStopsTheRun) {
  options.suppressRemarriages = true;
  EXPECT_EQ(Chart(1, {8, 12}, 40, 60), "failed 31");
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back().first, kMsgRowTooWide);
  // Without siblings there is no folding to try.
  options.noSiblings = true;
  said.clear();
  EXPECT_EQ(Chart(1, {8, 12}, 30, 60), "failed 31");
}

TEST_F(SelectiveLayoutTest, TooManyGenerationsAskAndOkDropsTheOldest) {
  options.suppressRemarriages = true;
  answer = false;
  EXPECT_EQ(Chart(1, {8}, 100, 20), "failed -1");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].first, kMsgTooManyGenerations);
  EXPECT_EQ(said[0].second, "? 1 generations must be excluded. Continue?");
  answer = true;
  said.clear();
  Chart(1, {8}, 100, 20);
  EXPECT_EQ(layout.endSlot, 2);
  EXPECT_EQ(Texts().find("George"), std::string::npos);
  ExpectNoOverlap(100, 20);
}

TEST_F(SelectiveLayoutTest, APageTooShortForOneGenerationEndsWithAMessage) {
  options.suppressRemarriages = true;
  EXPECT_EQ(Chart(1, {2}, 100, 6), "failed 189");
  EXPECT_EQ(said.back().first, kMsgNoGenerationLeft);
}

TEST_F(SelectiveLayoutTest, OneGenerationNeedsNoSpareLineArithmetic) {
  options.suppressRemarriages = true;
  Chart(1, {2});
  EXPECT_EQ(layout.endSlot, layout.slots.size() > 0 ? tables.startSlot : -1);
  EXPECT_EQ(layout.upperSpacing, 0);
  ExpectNoOverlap(100, 60);
}

TEST_F(SelectiveLayoutTest, CompressedSpacingKeepsOneLineAboveAndBelow) {
  options.suppressRemarriages = true;
  options.compressVertical = true;
  Chart(1, {8}, 100, 120);
  EXPECT_LE(layout.upperSpacing, 1);
  EXPECT_LE(layout.lowerSpacing, 1);
}

TEST_F(SelectiveLayoutTest, LayingOutAgainPreparesTheNamesOnce) {
  Chart(1, {8});
  const std::string first = Texts();
  ASSERT_EQ(LayoutSelectiveTree(tables, options, extent, {}, {}, layout), 0);
  ASSERT_EQ(FormatSelectiveTree(tables, options, layout, {}, items), 0);
  EXPECT_EQ(Texts(), first);
}

TEST_F(SelectiveLayoutTest, TheManualShiftsMoveTheirGroups) {
  options.suppressRemarriages = true;
  options.noStraightening = true;
  Chart(1, {8});
  const int left = tables.groups[tables.Cell(0, 2).group].left;
  ASSERT_EQ(LayoutSelectiveTree(tables, options, extent, {{1, 0}, {2, 5}}, {}, layout), 0);
  EXPECT_EQ(tables.groups[tables.Cell(0, 2).group].left, left + 5);
  SelectivePrompter p;
  int shown = 0;
  p.show = [&](int id, const std::string&) { shown = id; };
  EXPECT_EQ(LayoutSelectiveTree(tables, options, extent, {{7, 0}}, p, layout), 21);
  EXPECT_EQ(shown, 21);
}

TEST_F(SelectiveLayoutTest, AChartFilesFarShiftsPutTheGroupsOffThePageWithoutOverflow) {
  // A chart file may hold any 32-bit shift: the groups land far off the
  // page, on the side the shift says, and the columns worked out from them
  // stay in range (the draw then reports the overrun).
  options.suppressRemarriages = true;
  options.noStraightening = true;
  Chart(1, {8});
  const int far = 1 << 24;
  ASSERT_EQ(LayoutSelectiveTree(tables, options, extent,
                                {{1, 0}, {2, std::numeric_limits<int>::max()}}, {}, layout),
            0);
  EXPECT_EQ(tables.groups[tables.Cell(0, 2).group].left, far);
  ASSERT_EQ(LayoutSelectiveTree(tables, options, extent,
                                {{1, std::numeric_limits<int>::min()}}, {}, layout),
            0);
  EXPECT_EQ(tables.groups[tables.Cell(0, 1).group].left, -far);
}

TEST_F(SelectiveLayoutTest, BoxesAndReferenceNumbersSurroundEachGroup) {
  options.suppressRemarriages = true;
  options.boxesAndNumbers = true;
  Chart(1, {4});
  ExpectNoOverlap(100, 60);
  int rules = 0;
  for (const SelectiveItem& it : items) rules += it.kind != kTextItem;
  EXPECT_GT(rules, 8);
  EXPECT_NE(Texts().find(" 2@"), std::string::npos);  // the key of Tom's parents' family
}

// A family of seven children in which the base is the fifth.
constexpr const char* kBigFamily = R"(0 HEAD
0 @I1@ INDI
1 NAME Eve /Wide/
1 FAMC @F1@
0 @I2@ INDI
1 NAME Abel /Wide/
1 FAMS @F1@
0 @I3@ INDI
1 NAME Ada /Long/
1 FAMS @F1@
0 @I4@ INDI
1 NAME Bartholomew /Wide/
1 FAMC @F1@
0 @I5@ INDI
1 NAME Constance /Wide/
1 FAMC @F1@
0 @I6@ INDI
1 NAME Dorothea /Wide/
1 FAMC @F1@
0 @I7@ INDI
1 NAME Ebenezer /Wide/
1 FAMC @F1@
0 @I8@ INDI
1 NAME Florentina /Wide/
1 FAMC @F1@
0 @I9@ INDI
1 NAME Gwendolyn /Wide/
1 FAMC @F1@
0 @F1@ FAM
1 HUSB @I2@
1 WIFE @I3@
1 CHIL @I4@
1 CHIL @I5@
1 CHIL @I6@
1 CHIL @I7@
1 CHIL @I1@
1 CHIL @I8@
1 CHIL @I9@
0 TRLR
)";

TEST_F(SelectiveLayoutTest, AWideFamilyFoldsIntoTwoRows) {
  RecordStore big;
  ASSERT_EQ(test::LoadGedcomText(big, kBigFamily), 0);
  source = &big;
  options.forceFolding = true;
  Chart(1, {2}, 80, 60);
  ExpectNoOverlap(80, 60);
  const FamilyGroup& g = tables.groups[tables.Cell(0, 1).group];
  EXPECT_EQ(g.fold, 3);
  EXPECT_TRUE(layout.slots[1].folded);
  EXPECT_EQ(Texts(),
            "46: Abel WIDE@30 m @40 Ada Long@42\n"
            "50: Bartholomew@20 Constance@32 Dorothea@42 Ebenezer@51\n"
            "55: Florentina@22 Gwendolyn@33\n"
            "58: Eve Wide@16\n");
}
}  // namespace
}  // namespace dv
