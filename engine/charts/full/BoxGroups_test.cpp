#include "charts/full/BoxGroups.h"

#include <gtest/gtest.h>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartSelect.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

class Box : public ::testing::Test {
 protected:
  void Load(const GedcomBuilder& b, int base) {
    b.LoadInto(store);
    o.boxChart = true;
    ASSERT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
    ASSERT_TRUE(SelectFamilies(store, base, o, s).ok());
  }
  std::string Lines(int family) {
    std::string out;
    for (const std::string& line : BoxLines(store, s, o, family)) out += line + "|";
    return out;
  }
  RecordStore store;
  FullChartStorage s;
  FullChartOptions o;
};

TEST_F(Box, AMissingWifeIsUnknownWithBlankLinesForHerChosenData) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0, "3 MAR 1990");
  const int f = b.Family(b.Person("John /Base/", 1, "1960"), 0, {base}, "1 JUN 1989", "Leeds");
  for (bool& k : o.box.spouse) k = false;
  o.box.spouse[0] = o.box.spouse[1] = true;
  o.box.occupation = true;
  Load(b, base);
  EXPECT_EQ(Lines(f), "John Base|b 1960|m|Unknown|Ann b1990|");
  o.box.blankLines = true;
  EXPECT_EQ(Lines(f), "John Base||b 1960||m|Unknown||||Ann b1990|");
}

TEST_F(Box, ShortChildLinesCarryTheBirthAndDeathYears) {
  GedcomBuilder b;
  const int base = b.Person("Ann Mary /Base/", 0, "12 MAR 1820");
  const int brother = b.Person("Tom /Base/", 1);
  b.Family(b.Person("John /Base/", 1), b.Person("Jane /Base/", 0), {base, brother});
  Load(b, base);
  EXPECT_EQ(ShortChildLine(store, base), "Ann Mary b1820");
  EXPECT_EQ(ShortChildLine(store, brother), "Tom");
}

TEST_F(Box, TheMarriageTakesOneOrTwoLines) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int f = b.Family(b.Person("John /Base/", 1), b.Person("Jane /Wife/", 0), {base},
                         "1 JUN 1920", "Leeds, Yorkshire");
  for (bool& k : o.box.spouse) k = false;
  Load(b, base);
  EXPECT_EQ(Lines(f), "John Base|m|Jane Wife|Ann|");
  o.box.spouse[4] = o.box.spouse[5] = true;
  EXPECT_EQ(Lines(f), "John Base|m 1 JUN 1920|Leeds, Yorkshire|Jane Wife|Ann|");
  o.box.spouse[4] = false;
  EXPECT_EQ(Lines(f), "John Base|m Leeds, Yorkshire|Jane Wife|Ann|");
}

TEST_F(Box, ExcludedMarriedChildrenAppearOnlyInTheirOwnBox) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int sister = b.Person("Sue /Base/", 0);
  const int f1 = b.Family(b.Person("John /Base/", 1), b.Person("Jane /Base/", 0), {base, sister});
  const int f2 = b.Family(b.Person("Tom /Tall/", 1), sister, {b.Person("Kid /Tall/", 1)});
  for (bool& k : o.box.spouse) k = false;
  o.box.excludeMarried = true;
  Load(b, base);
  EXPECT_EQ(Lines(f1), "John Base|m|Jane Base|Ann|");
  EXPECT_EQ(Lines(f2), "Tom Tall|m|Sue Base|Kid|");
}

TEST_F(Box, GeometryPlacesLinesOnTheEdges) {
  GedcomBuilder b;
  const int base = b.Person("Ann /Base/", 0);
  const int brother = b.Person("Tom /Base/", 1);
  const int f1 = b.Family(b.Person("John /Base/", 1), b.Person("Jane /Base/", 0), {base, brother});
  b.Family(brother, b.Person("Wife /W/", 0), {b.Person("Kid /Base/", 1)});
  for (bool& k : o.box.spouse) k = false;
  Load(b, base);
  BoxStyle style(store, o, s);
  ASSERT_EQ(style.Format(f1), 0);
  const FamilyWork& w = s.families[std::size_t(f1)];
  EXPECT_EQ(w.width, 11);  // "John Base", "Jane Base" + 2
  EXPECT_EQ(w.boxHeight, 5);
  EXPECT_EQ(style.Height(f1), 6);
  EXPECT_EQ(w.connection[0], 3);
  EXPECT_EQ(w.connection[1], 8);
  // Tom heads a box below: his line leaves the bottom edge at width / 2.
  EXPECT_EQ(style.Child(f1, 1).column - w.column, 5);
  EXPECT_EQ(style.Child(f1, 1).lineOffset, 6);
}

TEST_F(Box, ABoxChartHasNoOverlapsAndKeepsChildlessFamilies) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 4);
  const int sister = b.Person("Sister /Line/", 0);
  b.Family(b.Person("Husband /X/", 1), sister);  // childless: the Tree folds it
  FullChartOptions options;
  options.boxChart = true;
  options.box.colourBoxes = false;
  FullChartPage page;
  page.pageColumns = 90;
  page.pageLines = 60;
  b.LoadInto(store);
  FullChart chart;
  ASSERT_TRUE(chart.Run(store, base, options, page).ok());
  EXPECT_EQ(testing::ChartFaults(chart), "");
  // Framed or coloured, each family one box item (a framed one drawn as
  // its four edges).
  int framed = 0;
  for (const DisplayItem& it : chart.Storage()->items)
    framed += it.kind == kFcBox && it.style == kFcFramedBox;
  EXPECT_EQ(framed, chart.Composed().families);
  options.box.colourBoxes = true;
  ASSERT_TRUE(chart.Run(store, base, options, page).ok());
  EXPECT_EQ(testing::ChartFaults(chart), "");
  int boxes = 0;
  for (const DisplayItem& it : chart.Storage()->items)
    boxes += it.kind == kFcBox && it.style >= 0;
  EXPECT_EQ(boxes, chart.Composed().families);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(BoxChain, TwoMarriagesOfOneManStandSideBySideJoinedAtHisName) {
  testing::GedcomBuilder b;
  const int root = b.Person("Root /R/", 1);
  const int son = b.Person("Sam /R/", 1);
  b.Family(root, b.Person("Rose /W/", 0), {son});
  const int first = b.Family(son, b.Person("Amy /A/", 0), {b.Person("Kid /R/", 0)});
  const int second = b.Family(son, b.Person("Bea /B/", 0), {b.Person("Lad /R/", 1)});
  RecordStore store;
  b.LoadInto(store);
  FullChartOptions options;
  options.people = People::kDescendants;
  options.boxChart = true;
  options.box.colourBoxes = false;
  FullChart chart;
  ASSERT_TRUE(chart.Run(store, root, options, FullChartPage{}).ok());
  EXPECT_EQ(testing::ChartFaults(chart), "");
  const FullChartStorage& s = *chart.Storage();
  const FamilyWork& a = s.families[std::size_t(first)];
  const FamilyWork& c = s.families[std::size_t(second)];
  EXPECT_EQ(a.chainNext, second);
  EXPECT_EQ(c.chainNext, 0);
  EXPECT_EQ(c.column, a.column + a.width + kChainGap);
  // The short line leaves Sam's name (the first line of his first box)
  // through the middle of its line, and ends at the second box.
  int joins = 0;
  for (const DisplayItem& it : s.items)
    if (it.kind == kFcHorizontal && it.column == a.column + a.width && it.length == kChainGap &&
        it.line == s.rows[std::size_t(a.generation)].line + 1)
      ++joins;
  EXPECT_EQ(joins, 1);
}

}  // namespace
}  // namespace dv
