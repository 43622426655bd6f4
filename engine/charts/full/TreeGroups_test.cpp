#include "charts/full/TreeGroups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartSelect.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

class TreeGroup : public ::testing::Test {
 protected:
  // Loads b, selects for base and formats family f.
  const FamilyWork& Format(const GedcomBuilder& b, int base, int f) {
    b.LoadInto(store);
    EXPECT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
    EXPECT_TRUE(SelectFamilies(store, base, o, s).ok());
    EXPECT_EQ(FormatTreeGroup(store, o, s, f), 0);
    return s.families[std::size_t(f)];
  }
  // The group composed at column 0, line 0, one item a line.
  std::string Items(int f) {
    s.items.clear();
    s.texts.clear();
    EXPECT_EQ(ComposeTreeGroup(store, o, s, f, 0), 0);
    std::string out;
    for (const DisplayItem& it : s.items) {
      out += std::to_string(it.column) + "," + std::to_string(it.line) + " ";
      if (it.kind == kFcText) {
        out += "\"" + s.texts[std::size_t(it.text)] + "\"\n";
      } else {
        out += std::string(it.kind == kFcHorizontal ? "h" : "v") + std::to_string(it.length) + "\n";
      }
    }
    return out;
  }
  RecordStore store;
  FullChartStorage s;
  FullChartOptions o;
};

TEST(TreeGroupTexts, MarriageTextHasPlaceAndAShortLastNumber) {
  SummaryTexts texts;
  FamilySummary f;
  texts.Set(f.marriagePlace, "Bath");
  texts.Set(f.marriageDate, "m 12 MAR 1850");
  EXPECT_EQ(MarriageText(f), "(Bath, 1850)");
  texts.Set(f.marriageDate, "m 1850/51");
  EXPECT_EQ(MarriageText(f), "(Bath, 51)");
  texts.Set(f.marriageDate, "m 123456");
  EXPECT_EQ(MarriageText(f), "(Bath)");
  texts.Set(f.marriagePlace, "");
  texts.Set(f.marriageDate, "m ABT 1901");
  EXPECT_EQ(MarriageText(f), "(1901)");
  texts.Set(f.marriageDate, "");
  EXPECT_EQ(MarriageText(f), "");
}

TEST(TreeGroupTexts, ALongMarriagePlaceIsCutInsideItsField) {
  SummaryTexts texts;
  FamilySummary f;
  texts.Set(f.marriagePlace, std::string(63, 'x'));
  texts.Set(f.marriageDate, "m 1900");
  const std::string text = MarriageText(f);
  EXPECT_EQ(text.size(), 63u);
  EXPECT_EQ(text.back(), ')');
}

TEST_F(TreeGroup, AChildlessFamilyIsTheCoupleAndTheMarriageText) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int h = b.Person("John /Smith/", 1);
  const int f = b.Family(h, 0, {base}, "1 JUN 1920", "Leeds");
  const FamilyWork& w = Format(b, base, f);
  EXPECT_EQ(w.nameWidth[0], 10);
  EXPECT_EQ(w.nameWidth[1], 7);  // "Unknown"
  EXPECT_EQ(w.childrenState, 0);
  EXPECT_EQ(Items(f),
            "0,0 \"John Smith\"\n"
            "11,0 \"m \"\n"
            "13,0 \"Unknown\"\n"
            "6,1 \"(Leeds, 1920)\"\n"  // centred on the drop column (12)
            "12,3 v2\n"                // one child: no bar, the line drops to it
            "10,5 \"Ann\"\n");
}

TEST_F(TreeGroup, SeveralChildrenHangFromABarWithTicks) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0, "1990");
  const int bob = b.Person("Bob_Roy /Base/", 1, "1992");
  const int f = b.Family(b.Person("Al /Base/", 1), b.Person("Bea /Base/", 0), {bob, base});
  (void)f;
  o.equals = true;
  Format(b, base, 1);
  // First names (the underscore a space) with the birth year centred
  // below; the children line moved right so its middle is under the drop.
  EXPECT_EQ(Items(1),
            "0,0 \"Al Base\"\n"
            "8,0 \"= \"\n"
            "10,0 \"Bea Base\"\n"
            "9,3 v1\n"
            "6,4 v1\n"
            "13,4 v1\n"
            "6,4 h7\n"
            "3,5 \"Bob Roy\"\n"
            "4,6 \"1992\"\n"
            "11,5 \"Ann\"\n"
            "11,6 \"1990\"\n");
}

TEST_F(TreeGroup, SixChildrenFoldOntoTwoLinesOfThree) {
  GedcomBuilder b;
  std::vector<int> kids;
  for (int i = 0; i < 6; ++i) kids.push_back(b.Person("Kid" + std::to_string(i) + " /K/", 1));
  const int f = b.Family(b.Person("Father /K/", 1), b.Person("Mother /K/", 0), kids);
  o.fold = true;
  o.people = People::kDescendants;
  const FamilyWork& w = Format(b, b.HusbandOf(f), f);
  EXPECT_EQ(w.childrenState, 3);
  EXPECT_EQ(w.firstLineCount, 3);
  EXPECT_EQ(TreeGroupHeight(w), 12);
  EXPECT_EQ(TreeChildPlace(w, 2).lineOffset, kTreeChildrenLine);
  EXPECT_EQ(TreeChildPlace(w, 3).lineOffset, kTreeChildrenLine + kTreeFoldStep);
  o.fold = false;
  s.Release();
  const FamilyWork& flat = Format(b, b.HusbandOf(f), f);
  EXPECT_EQ(flat.childrenState, 2);
  EXPECT_EQ(TreeGroupHeight(flat), 7);
}

TEST_F(TreeGroup, AChildlessMarriageIsWrittenInsideTheParentsGroup) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int sister = b.Person("Sue /Base/", 0);
  b.Family(b.Person("Al /Base/", 1), b.Person("Bea /Base/", 0), {base, sister});
  const int husband = b.Person("Tom /Tall/", 1);
  b.Family(husband, sister);
  Format(b, base, 1);
  EXPECT_EQ(ChildText(store, s, sister, false), "Sue m Tom Tall");
  EXPECT_NE(Items(1).find("\"Sue m Tom Tall\""), std::string::npos);
}

TEST_F(TreeGroup, AWideMarriageTextWidensTheGroup) {
  GedcomBuilder b;
  const int base = b.Person("A /B/", 0);
  const int f = b.Family(b.Person("C /D/", 1), b.Person("E /F/", 0), {base}, "1900",
                         "A very long place name in a far county");
  const FamilyWork& w = Format(b, base, f);
  EXPECT_EQ(w.width, int(std::strlen(w.marriageText)));
  EXPECT_EQ(w.marriageOffset, 0);
  EXPECT_GT(w.coupleOffset, 0);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Sam's two marriages in a descendant Tree: the first shows Amy first and
// "1 Sam" second, the second "Sam 2" first; the groups stand 6 columns
// apart and each marriage text is its year alone.
class TreeChain : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::GedcomBuilder b;
    root = b.Person("Root /R/", 1);
    const int son = b.Person("Sam /R/", 1);
    b.Family(root, b.Person("Rose /W/", 0), {son});
    first = b.Family(son, b.Person("Amy /A/", 0), {b.Person("Kid /R/", 0)}, "3 MAY 1850", "Leeds");
    second = b.Family(son, b.Person("Bea /B/", 0), {b.Person("Lad /R/", 1)}, "1861");
    b.LoadInto(store);
    options.people = People::kDescendants;
    ASSERT_TRUE(chart.Run(store, root, options, FullChartPage{}).ok());
  }
  bool HasText(const std::string& text) const {
    const auto& texts = chart.Storage()->texts;
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  RecordStore store;
  FullChartOptions options;
  FullChart chart;
  int root = 0, first = 0, second = 0;
};

TEST_F(TreeChain, MarriagesOfOnePersonStandSideBySideSharingHisName) {
  EXPECT_EQ(testing::ChartFaults(chart), "");
  const FullChartStorage& s = *chart.Storage();
  const FamilyWork& a = s.families[std::size_t(first)];
  const FamilyWork& c = s.families[std::size_t(second)];
  EXPECT_EQ(a.chainNext, second);
  EXPECT_EQ(c.chainPrev, first);
  EXPECT_EQ(c.column, a.column + a.width + kTreeChainGap);
  EXPECT_TRUE(a.wifeFirst);
  EXPECT_FALSE(c.wifeFirst);
  EXPECT_TRUE(HasText("Amy A"));
  EXPECT_TRUE(HasText("1 Sam R"));
  EXPECT_TRUE(HasText("Sam R 2"));
  EXPECT_STREQ(a.marriageText, "(1850)");
  EXPECT_STREQ(c.marriageText, "(1861)");
  // Lines from Sam's slot above reach his name in both groups' couple lines.
  const int sam = a.column + a.coupleOffset + a.connection[0];
  EXPECT_GT(sam, a.column + a.coupleOffset + a.nameWidth[0]);
}

TEST_F(TreeChain, FitTestKeepsSixColumnsBetweenTheSharedSpousesNames) {
  ASSERT_EQ(chart.Storage()->chainRooms.size(), 1u);
  CellRecorder surface;  // a text measures its characters times 8
  EXPECT_FALSE(chart.Overflows(surface, 8, false));
  // The shared spouse's two names, from the start of "1 Sam R" to the end
  // of "Sam R 2", with the 6 columns between them.
  const FullChartStorage::ChainRoom& r = chart.Storage()->chainRooms[0];
  EXPECT_EQ(r.left, "1 Sam R");
  EXPECT_EQ(r.right, "Sam R 2");
  EXPECT_GE(r.span, 7 + kTreeChainGap + 7);
  // Twice as wide, they run into each other.
  EXPECT_TRUE(chart.Overflows(surface, 4, false));
}

}  // namespace
}  // namespace dv
