#include "charts/selective/ManualFormat.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "charts/selective/ChartFileWrite.h"
#include "charts/selective/SelectiveChart.h"
#include "charts/selective/SelectiveTestData.h"

namespace dv {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ManualFormatRead, EntriesFollowTheFirstAtLine) {
  std::vector<ManualShift> list;
  ASSERT_EQ(ReadManualFormat({"Tree", "2 ", "1 A", "1 1 ()/A/B", "-1", "@ 1,5", "@ 2,-12", "@ 3,0"},
                             list),
            0);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[1].key, 2);
  EXPECT_EQ(list[1].shift, -12);
  EXPECT_EQ(list[0].shift, 5);
  ASSERT_EQ(ReadManualFormat({"Tree", "2 ", "1 A"}, list), 0);
  EXPECT_TRUE(list.empty());
}

TEST(ManualFormatRead, AHundredthEntryMeansFull) {
  std::vector<std::string> lines = {"Tree", "-1"};
  for (int i = 1; i <= 99; ++i) lines.push_back("@ " + std::to_string(i) + ",1");
  std::vector<ManualShift> list;
  EXPECT_EQ(ReadManualFormat(lines, list), 0);
  EXPECT_EQ(list.size(), 99u);
  lines.push_back("@ 100,1");
  EXPECT_EQ(ReadManualFormat(lines, list), 1);
  EXPECT_EQ(ReadManualFormatFile(test::TestTempPath("absent.dvb"), list), 1);
}

TEST(ManualFormatCheck, OverlapsAndPageEdgesAreFound) {
  std::vector<ManualGroup> g = {{1, 1, 10, 30, 0}, {2, 2, 2, 20, 0}, {2, 3, 25, 40, 0}};
  EXPECT_EQ(CheckManualFormat(g, 100), 0);
  g[2].shift = -5;  // onto its left neighbour
  EXPECT_EQ(CheckManualFormat(g, 100), kMsgGroupsOverlap);
  g[2].shift = 60;  // past the right edge
  EXPECT_EQ(CheckManualFormat(g, 100), kMsgGroupsOverlap);
  g[2].shift = 0;
  g[1].shift = -3;  // past the left edge
  EXPECT_EQ(CheckManualFormat(g, 100), kMsgGroupsOverlap);
  // The largest shifts a chart file can hold are past the edges, not
  // wrapped round onto the page.
  g[1].shift = std::numeric_limits<int>::min();
  EXPECT_EQ(CheckManualFormat(g, 100), kMsgGroupsOverlap);
  g[1].shift = 0;
  g[2].shift = std::numeric_limits<int>::max();
  EXPECT_EQ(CheckManualFormat(g, 100), kMsgGroupsOverlap);
  EXPECT_EQ(ShiftedMax(g[2]), 40 + std::int64_t{std::numeric_limits<int>::max()});
}

class ManualFormatFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ged = test::TestTempPath("mf.ged");
    dvb = test::TestTempPath("mf.dvb");
    { std::ofstream(ged, std::ios::binary) << test::kSelectiveFamilies; }
    ExtractRequest rq;
    rq.sourcePath = ged;
    rq.outputPath = dvb;
    rq.baseNumber = 1;
    rq.selection = {8, 12};
    ASSERT_EQ(ExtractTree(rq, prompter), 0);
    page.pageColumns = 140;
    page.pageLines = 90;
  }
  void TearDown() override {
    std::filesystem::remove(ged);
    std::filesystem::remove(dvb);
  }
  std::string ged, dvb;
  SelectivePrompter prompter;
  SelectivePage page;
};

TEST_F(ManualFormatFileTest, SaveReloadGivesTheSameShiftsAndMovesTheGroups) {
  SelectiveChart plain;
  ASSERT_EQ(plain.RunChartFile(dvb, SelectiveOptions{}, page, prompter), 0);
  std::vector<ManualShift> list;
  std::vector<ManualGroup> groups = ListManualGroups(*plain.Tables(), list, prompter);
  ASSERT_GE(groups.size(), 3u);
  EXPECT_EQ(CheckManualFormat(groups, plain.Extent().usableColumns), 0);
  for (ManualShift& e : list) e.shift = e.key == 4 ? 2 : (e.key == 6 ? -1 : 0);
  ASSERT_EQ(SaveManualFormat(dvb, list), 0);
  ASSERT_EQ(SaveManualFormat(dvb, list), 0);  // saving twice keeps one section
  const std::string text = ReadAll(dvb);
  EXPECT_EQ(text.find("\n-1\n"), text.rfind("\n-1\n"));
  EXPECT_NE(text.find("\n-1\n@ 1,0\n"), std::string::npos);
  std::vector<ManualShift> back;
  ASSERT_EQ(ReadManualFormatFile(dvb, back), 0);
  ASSERT_EQ(back.size(), list.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(back[i].key, list[i].key);
    EXPECT_EQ(back[i].shift, list[i].shift);
  }
  SelectiveOptions armed;
  armed.manualFormat = true;
  SelectiveChart shifted;
  ASSERT_EQ(shifted.RunChartFile(dvb, armed, page, prompter), 0);
  for (int gi = 1; gi <= plain.Tables()->groupCount; ++gi) {
    const FamilyGroup& a = plain.Tables()->groups[gi];
    const FamilyGroup& b = shifted.Tables()->groups[gi];
    const int want = a.key == 4 ? 2 : (a.key == 6 ? -1 : 0);
    if (a.slot < kLineSlots) {
      EXPECT_EQ(b.left - a.left, want) << a.key;
    }
  }
}

TEST_F(ManualFormatFileTest, SaveRefusesWhatOkWouldRefuse) {
  SelectiveChart chart;
  ASSERT_EQ(chart.RunChartFile(dvb, SelectiveOptions{}, page, prompter), 0);
  std::vector<ManualShift> list;
  std::vector<ManualGroup> groups = ListManualGroups(*chart.Tables(), list, prompter);
  const std::string before = ReadAll(dvb);
  groups[0].shift = -1000;
  EXPECT_EQ(SaveCheckedManualFormat(dvb, groups, chart.Extent().usableColumns), kMsgGroupsOverlap);
  EXPECT_EQ(ReadAll(dvb), before);
  groups[0].shift = 0;
  EXPECT_EQ(SaveCheckedManualFormat(dvb, groups, chart.Extent().usableColumns), 0);
  EXPECT_NE(ReadAll(dvb).find("\n-1\n@ 1,0\n"), std::string::npos);
}

TEST_F(ManualFormatFileTest, ListingWithOtherKeysStartsFromZero) {
  SelectiveChart chart;
  ASSERT_EQ(chart.RunChartFile(dvb, SelectiveOptions{}, page, prompter), 0);
  std::vector<ManualShift> list = {{99, 4}, {98, 3}};
  const std::vector<ManualGroup> groups = ListManualGroups(*chart.Tables(), list, prompter);
  ASSERT_EQ(list.size(), groups.size());
  for (const ManualShift& e : list) EXPECT_EQ(e.shift, 0);
}

}  // namespace
}  // namespace dv
