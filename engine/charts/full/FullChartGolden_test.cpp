// Golden display lists of full charts of our sample: the BoxChart with its
// main option combinations and a Tree, drawn page by page on the recorder.
#include <gtest/gtest.h>

#include <string>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartTestData.h"
#include "common/GoldenText.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

const std::string kData = DORVANE_TESTDATA;

class SampleChart : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string summary;
    if (LoadDataSource(store, kData + "/../sample/sample.ged", LoadOptions{}, summary) != 0)
      GTEST_SKIP() << "no sample/sample.ged";
    page.pageColumns = 120;
    page.pageLines = 90;
  }
  // The chart of all relatives of the sample's first person, its dump and
  // the page checker's findings (none expected).
  void Expect(const std::string& name, const FullChartOptions& options, std::int32_t base = 1) {
    ASSERT_TRUE(chart.Run(store, base, options, page).ok()) << name;
    EXPECT_EQ(testing::ChartFaults(chart), "") << name;
    int status = -1;
    const std::string dump = chart.Dump(status);
    EXPECT_EQ(status, 0);
    testing::ExpectGoldenText(kData + "/fullchart/" + name, dump);
  }
  FullChartOptions Box() const {
    FullChartOptions o;
    o.boxChart = true;
    return o;
  }
  RecordStore store;
  FullChart chart;
  FullChartPage page;
};

TEST_F(SampleChart, BoxChartWithTheDefaultOptions) { Expect("box-default.txt", Box()); }

TEST_F(SampleChart, BoxChartFramedWithChildDataAndBlankLines) {
  FullChartOptions o = Box();
  o.box.colourBoxes = false;
  o.box.child[0] = o.box.child[2] = true;
  o.box.blankLines = true;
  o.box.occupation = true;
  Expect("box-framed-child-data-blank.txt", o);
}

TEST_F(SampleChart, BoxChartFullNamesWifeFirstExcludingMarriedChildren) {
  FullChartOptions o = Box();
  o.box.fullChildNames = true;
  o.box.maleFirst = false;
  o.box.excludeMarried = true;
  o.box.noDuplicate = false;
  for (bool& k : o.box.spouse) k = false;
  Expect("box-full-names-exclude-married.txt", o);
}

TEST_F(SampleChart, BoxChartOfDescendantsWithoutPageBreaks) {
  FullChartOptions o = Box();
  o.people = People::kDescendants;
  o.noPageBreaks = true;
  o.box.spouse[4] = o.box.spouse[5] = true;
  // The first person's grandfather on the father's side.
  std::int32_t base = 1;
  for (int up = 0; up < 2; ++up) {
    const FamilySummary* f = store.Family(store.Individual(base)->parentFamily);
    ASSERT_NE(f, nullptr);
    base = f->husband;
  }
  Expect("box-descendants-one-page.txt", o, base);
}

TEST_F(SampleChart, TreeWithFoldingAndEquals) {
  FullChartOptions o;
  o.fold = true;
  o.equals = true;
  Expect("tree-fold-equals.txt", o);
}

// Every style, choice of people and page size: the chart is made (or the
// page is refused as too small for a group) and passes the page checker.
TEST_F(SampleChart, EveryPageSizeGivesACleanChartOrSaysThePageIsTooSmall) {
  int made = 0;
  for (bool box : {false, true})
    for (People people : {People::kAll, People::kAncestors, People::kDescendants})
      for (int columns = 50; columns <= 170; columns += 30)
        for (int lines = 30; lines <= 130; lines += 50) {
          FullChartOptions o;
          o.boxChart = box;
          o.people = people;
          o.fold = columns % 60 == 50;
          page.pageColumns = columns;
          page.pageLines = lines;
          const std::int32_t base = people == People::kDescendants ? 2 : 1;
          const ChartStatus st = chart.Run(store, base, o, page);
          if (!st.ok()) {
            EXPECT_TRUE(st.first() == kMsgFcWiderThanPage || st.first() == kMsgFcNoDescendants)
                << box << " " << int(people) << " " << columns << "x" << lines << " " << st.first();
            continue;
          }
          EXPECT_EQ(testing::ChartFaults(chart), "")
              << box << " " << int(people) << " " << columns << "x" << lines;
          ++made;
        }
  EXPECT_GT(made, 60);
}

}  // namespace
}  // namespace dv
