#include "charts/selective/BirthBriefChart.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "common/GoldenText.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

const std::string kData = DORVANE_TESTDATA;

void ExpectGolden(const std::string& name, const std::string& text) {
  testing::ExpectGoldenText(kData + "/birthbrief/" + name, text);
}

bool Load(RecordStore& store, const std::string& path) {
  std::string summary;
  return LoadDataSource(store, path, LoadOptions{}, summary) == 0;
}

class ChartTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Load(store, kData + "/birthbrief/family.ged")); }
  std::string RunAndDump(const BirthBriefOptions& o, BirthBriefPage page = {}) {
    const GatherResult r = chart.Run(store, 1, o, page);
    EXPECT_EQ(r.status, 0);
    int status = -1;
    std::string dump = chart.Dump(0, 1, status);
    EXPECT_EQ(status, 0);
    return dump;
  }
  RecordStore store;
  BirthBriefChart chart;
};

BirthBriefOptions Generations(int g) {
  BirthBriefOptions o;
  o.generations = g;
  return o;
}

// ---- Golden drawings ----

TEST_F(ChartTest, SevenGenerations) { ExpectGolden("family-7.txt", RunAndDump(Generations(7))); }

TEST_F(ChartTest, EightGenerations) { ExpectGolden("family-8.txt", RunAndDump(Generations(8))); }

TEST_F(ChartTest, ShowAllLinesWithMargins) {
  BirthBriefOptions o = Generations(7);
  o.showAllLines = true;
  ExpectGolden("family-7-all-lines.txt", RunAndDump(o, BirthBriefPage{0, 0, 2, 0, 3, 0}));
}

TEST_F(ChartTest, ExclusionsCapitalsAndWidth) {
  BirthBriefOptions o = Generations(8);
  o.excludeGen12 = true;
  o.excludeGen6 = true;
  o.allCapitals = true;
  o.width = 31;
  ExpectGolden("family-8-excluded-capitals-31.txt", RunAndDump(o));
}

TEST_F(ChartTest, NoOccupationsWidth20) {
  BirthBriefOptions o = Generations(7);
  o.addOccupation = false;
  o.width = 20;
  ExpectGolden("family-7-no-occupation-20.txt", RunAndDump(o));
}

// ---- Runs ----

TEST_F(ChartTest, FailedRunReleasesTheChart) {
  ASSERT_EQ(chart.Run(store, 1, Generations(8), {}).status, 0);
  EXPECT_TRUE(chart.HasChart());
  const GatherResult r = chart.Run(store, 0, Generations(8), {});
  EXPECT_EQ(r.status, 28);
  EXPECT_FALSE(chart.HasChart());
  EXPECT_TRUE(chart.Items().empty());
  int status = -1;
  EXPECT_EQ(chart.Dump(0, 1, status), "");
}

TEST_F(ChartTest, ExtentFollowsThePage) {
  ASSERT_EQ(chart.Run(store, 1, Generations(8), BirthBriefPage{170, 132, 1, 1, 2, 2}).status, 0);
  EXPECT_EQ(chart.Extent().chartColumns, 170);
  EXPECT_EQ(chart.Extent().chartLines, 132);
  EXPECT_EQ(chart.Extent().usableColumns, 166);
}

TEST_F(ChartTest, PrintedOnTooSmallPaper) {
  BirthBriefOptions o = Generations(8);
  o.width = 31;  // needs 6 * 31 + 34 = 220 columns
  ASSERT_EQ(chart.Run(store, 1, o, BirthBriefPage{219, 140, 0, 0, 0, 0}).status, 0);
  int status = 0;
  EXPECT_EQ(chart.Dump(0, 0, status), "");
  EXPECT_EQ(status, 52);
}

TEST_F(ChartTest, PrinterPageMovesTheDrawing) {
  ASSERT_EQ(chart.Run(store, 1, Generations(7), {}).status, 0);
  PageGeometry g;
  g.pageColumns = 200;
  g.pageLines = 140;
  g.margins = {2, 1, 3, 1};
  chart.SetPage(BirthBriefPageOf(g));
  EXPECT_EQ(chart.Extent().chartColumns, 200);
  int status = -1;
  const std::string dump = chart.Dump(0, 0, status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(dump.find("0\t7\t66\ttext\t0\t Ann Base\n"), std::string::npos);
}

// ---- Ahnentafel positions ----

// Walks the parents in the store, independently of the gathering: slot s
// holds Ahnentafel number s + 1.
std::map<int, std::int32_t> AncestorsBySlot(const RecordStore& store, std::int32_t base,
                                            int generations) {
  std::map<int, std::int32_t> slots;
  const int count = (1 << generations) - 1;
  slots[0] = base;
  for (int s = 0; s < count / 2; ++s) {
    auto it = slots.find(s);
    if (it == slots.end()) continue;
    const IndividualSummary* p = store.Individual(it->second);
    if (p == nullptr || p->parentFamily == 0) continue;
    const FamilySummary* f = store.Family(p->parentFamily);
    if (f == nullptr) continue;
    if (f->husband > 0) slots[2 * s + 1] = f->husband;
    if (f->wife > 0) slots[2 * s + 2] = f->wife;
  }
  return slots;
}

// Where a slot's name stands in the dump: the column of its generation
// (from the column tables, moved (W - 20) m columns and m half cells) and
// the line of its Ahnentafel number.
std::pair<std::string, int> ExpectedPosition(int s, int G, int W, int marginLeft, int marginTop) {
  static const int text7[] = {4, 4, 29, 54, 79, 105, 132};
  static const int text8[] = {29, 4, 6, 31, 56, 81, 106, 131};
  int g = 0;
  while ((2 << g) - 1 <= s) ++g;
  const int j = s - ((1 << g) - 1);
  int line;
  if (G == 8 && g == 7)
    line = 1 + j;
  else if (G == 8 && g == 1)
    line = 60 + 8 * j;
  else
    line = (1 << (6 - g)) + (1 << (7 - g)) * j;
  int m;
  if (G == 8)
    m = g <= 1 ? 1 : (g == 2 ? 0 : g - 2);
  else
    m = g == 0 ? 1 : (g == 1 ? 0 : g - 1);
  const bool fixed = (G == 7 && g == 0) || (G == 8 && g == 1);
  const int table = G == 7 ? text7[g] : text8[g];
  int halves = 2 * (table + marginLeft);
  if (!fixed) halves += 2 * (W - 20) * m + m;
  std::string column = std::to_string(halves / 2) + (halves % 2 ? ".5" : "");
  return {column, line + marginTop};
}

void CheckAhnentafel(const RecordStore& store, std::int32_t base, int G, int W,
                     const BirthBriefPage& page) {
  BirthBriefChart chart;
  BirthBriefOptions o;
  o.generations = G;
  o.width = W;
  ASSERT_EQ(chart.Run(store, base, o, page).status, 0);
  int status = -1;
  const std::string dump = chart.Dump(0, 1, status);
  ASSERT_EQ(status, 0);
  const auto ancestors = AncestorsBySlot(store, base, G);
  ASSERT_GT(ancestors.size(), 1u);
  int checked = 0;
  for (const auto& [s, index] : ancestors) {
    EXPECT_EQ(chart.Tables()->Ref(s), index) << "slot " << s;
    const std::string_view name = chart.Tables()->Name(s);
    ASSERT_FALSE(name.empty()) << "slot " << s;
    EXPECT_LE(int(name.size()), W) << name;
    const auto [column, line] = ExpectedPosition(s, G, W, page.marginLeft, page.marginTop);
    const std::string row =
        "0\t" + column + "\t" + std::to_string(line) + "\ttext\t0\t" + std::string(name) + "\n";
    EXPECT_NE(dump.find(row), std::string::npos)
        << "slot " << s << " G " << G << " W " << W << ": " << row;
    ++checked;
  }
  // Nobody else is named on the chart.
  for (int s = 0; s < (1 << G) - 1; ++s)
    if (!ancestors.count(s)) {
      EXPECT_EQ(chart.Tables()->Name(s), "") << "slot " << s;
    }
  EXPECT_EQ(checked, int(ancestors.size()));
}

TEST_F(ChartTest, EveryAncestorStandsAtItsSlot) {
  for (int G : {7, 8})
    for (int W : {20, 23, 27, 31}) CheckAhnentafel(store, 1, G, W, BirthBriefPage{});
  CheckAhnentafel(store, 1, 8, 25, BirthBriefPage{0, 0, 4, 0, 6, 0});
}

// ---- The sample data source ----

class SampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Load(store, kData + "/../sample/sample.ged")) GTEST_SKIP() << "no sample/sample.ged";
  }
  RecordStore store;
};

TEST_F(SampleTest, EveryAncestorStandsAtItsSlot) {
  for (int G : {7, 8})
    for (int W : {20, 23, 26, 31}) CheckAhnentafel(store, 1, G, W, BirthBriefPage{});
  CheckAhnentafel(store, 1, 7, 23, BirthBriefPage{0, 0, 3, 0, 2, 0});
}

TEST_F(SampleTest, GoldenDrawings) {
  struct Case {
    const char* file;
    int generations;
    bool allLines, exclude12, exclude6;
  };
  const Case cases[] = {{"sample-7.txt", 7, false, false, false},
                        {"sample-8.txt", 8, false, false, false},
                        {"sample-8-all-lines.txt", 8, true, false, false},
                        {"sample-7-excluded.txt", 7, false, true, true}};
  for (const Case& c : cases) {
    BirthBriefChart chart;
    BirthBriefOptions o;
    o.generations = c.generations;
    o.showAllLines = c.allLines;
    o.excludeGen12 = c.exclude12;
    o.excludeGen6 = c.exclude6;
    ASSERT_EQ(chart.Run(store, 1, o, {}).status, 0);
    int status = -1;
    ExpectGolden(c.file, chart.Dump(0, 1, status));
    EXPECT_EQ(status, 0);
  }
}

}  // namespace
}  // namespace dv
