#include "charts/selective/SelectiveChart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/selective/SelectiveTestData.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"

namespace dv {
namespace {

class SelectiveChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::LoadGedcomText(store, test::kSelectiveFamilies), 0);
    prompter.show = [this](int id, const std::string&) { said.push_back(id); };
    prompter.ask = [this](int id, const std::string&) {
      said.push_back(id);
      return true;
    };
    page.pageColumns = 120;
    page.pageLines = 80;
    page.marginLeft = 3;
    page.marginRight = 2;
    page.marginTop = 2;
    page.marginBottom = 1;
  }
  SelectiveGatherInput Input(int base, std::vector<std::int32_t> selection) {
    SelectiveGatherInput in;
    in.store = &store;
    in.baseIndex = store.FindIndex(kIndi, base);
    in.selection = std::move(selection);
    return in;
  }
  std::string Dump(int& status) const {
    return DumpDrawing([this](DrawSurface& s, int cw, int ch, int pg,
                              int sc) { return chart.Draw(s, cw, ch, pg, sc); },
                       0, 1, status);
  }
  RecordStore store;
  SelectivePrompter prompter;
  std::vector<int> said;
  SelectivePage page;
  SelectiveChart chart;
};

TEST_F(SelectiveChartTest, RunsAndDrawsWithinTheMargins) {
  ASSERT_EQ(chart.Run(Input(1, {8, 12}), page, prompter), 0);
  EXPECT_TRUE(chart.HasChart());
  EXPECT_EQ(chart.Extent().chartColumns, 121);
  EXPECT_EQ(chart.Extent().chartLines, 81);
  EXPECT_EQ(chart.Extent().usableColumns, 115);
  int status = -1;
  const std::string dump = Dump(status);
  EXPECT_EQ(status, 0);
  // Items are moved by the margins (3 columns, 2 lines).
  EXPECT_NE(dump.find("0\t77\t69\ttext\t17\t\"Ann Louise Carter\"\n"), std::string::npos) << dump;
  EXPECT_TRUE(said.empty());
}

TEST_F(SelectiveChartTest, ItemsOutsideThePrintableAreaStopTheDrawing) {
  ASSERT_EQ(chart.Run(Input(1, {8}), page, prompter), 0);
  CellRecorder fits;
  EXPECT_EQ(chart.Draw(fits, 8, 12, 0, 0), 0);

  // A page whose right margin leaves no room: width overrun, and nothing
  // is drawn past the first item outside.
  SelectivePage narrow = page;
  narrow.marginRight = 100;
  chart.SetPage(narrow);
  CellRecorder cut;
  EXPECT_EQ(chart.Draw(cut, 8, 12, 0, 0), kMsgWidthOverrun);
  EXPECT_LT(cut.items().size(), fits.items().size());
  for (const CellRecorder::Item& it : cut.items()) EXPECT_LE(it.x1, (120 - 100) * 8);

  // Lines below the bottom margin: vertical format error.
  SelectivePage shorter = page;
  shorter.marginBottom = 40;
  chart.SetPage(shorter);
  CellRecorder low;
  EXPECT_EQ(chart.Draw(low, 8, 12, 0, 0), kMsgVerticalFormat);
}

TEST_F(SelectiveChartTest, AFailedRunReleasesTheChart) {
  SelectivePage none;
  EXPECT_EQ(chart.Run(Input(1, {8}), none, prompter), kMsgNoPaper);
  EXPECT_FALSE(chart.HasChart());
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0], kMsgNoPaper);
  EXPECT_EQ(chart.Run(Input(1, {}), page, prompter), kMsgDataError);
  EXPECT_FALSE(chart.HasChart());
}

TEST_F(SelectiveChartTest, GroupsAreListedInWalkOrderWithTheirRecords) {
  ASSERT_EQ(chart.Run(Input(30, {8, 14}), page, prompter), 0);
  const std::string groups = chart.Groups([this](bool family, std::int32_t index) {
    return index > 0 ? store.XrefOf(family ? kFam : kIndi, index) : std::string();
  });
  EXPECT_EQ(groups,
            "1\t1\t@F10@\t@I31@\t@I32@\t@I30@\n"
            "2\t2\t@F11@\t@I33@\t@I34@\t@I31@\n"
            "2\t3\t@F12@\t@I36@\t@I35@\t@I32@\n"
            "3\t4\t@F13@\t@I37@\t@I38@\t@I33@,@I35@\n");
}

// Measures every character `scale` units wide and draws nothing.
class MeasuringSurface final : public DrawSurface {
 public:
  explicit MeasuringSurface(int scale) : scale_(scale) {}
  FontMetrics SelectFont(const FontRecord& font) override {
    font_ = font;
    return {};
  }
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view text) override { return {int(text.size()) * scale_, 12}; }
  void SetTextColour(Colour) override {}
  void SetBackground(Background, Colour) override {}
  void SetPen(const Pen&) override {}
  void SetOrigin(int, int) override {}
  void Text(int, int, std::string_view) override {}
  void HorizontalRule(int, int, int) override {}
  void VerticalRule(int, int, int) override {}
  void FrameBox(int, int, int, int) override {}
  void FillBox(int, int, int, int, Colour) override {}

 private:
  int scale_;
  FontRecord font_{};
};

TEST_F(SelectiveChartTest, TheFitTestMeasuresTheTextsOnTheSurface) {
  ASSERT_EQ(chart.Run(Input(1, {8}), page, prompter), 0);
  MeasuringSurface narrow(8), wide(16);
  EXPECT_FALSE(chart.Overflows(narrow, 8));
  EXPECT_TRUE(chart.Overflows(wide, 8));
  EXPECT_TRUE(chart.Overflows(wide, 15));
  EXPECT_FALSE(chart.Overflows(wide, 16));
}

// Ancestors numbered as their Ahnentafel numbers (I1 to I127, F1 to F63),
// every family with 23 children beside the one on the line.
std::string WidePedigree() {
  std::string g = "0 HEAD\n";
  for (int n = 1; n < 128; ++n) {
    g += "0 @I" + std::to_string(n) + "@ INDI\n1 NAME P" + std::to_string(n) + " /Q/\n";
    if (n < 64) g += "1 FAMC @F" + std::to_string(n) + "@\n";
    if (n > 1) g += "1 FAMS @F" + std::to_string(n / 2) + "@\n";
  }
  for (int n = 1; n < 64; ++n)
    for (int k = 0; k < 23; ++k)
      g += "0 @I" + std::to_string(1000 + 23 * n + k) +
           "@ INDI\n1 NAME Al /Q/\n1 BIRT\n2 DATE 1900\n";
  for (int n = 1; n < 64; ++n) {
    g += "0 @F" + std::to_string(n) + "@ FAM\n1 HUSB @I" + std::to_string(2 * n) + "@\n1 WIFE @I" +
         std::to_string(2 * n + 1) + "@\n1 CHIL @I" + std::to_string(n) + "@\n";
    for (int k = 0; k < 23; ++k) g += "1 CHIL @I" + std::to_string(1000 + 23 * n + k) + "@\n";
  }
  return g + "0 TRLR\n";
}

TEST_F(SelectiveChartTest, AChartOfMoreThanTwoThousandItemsEndsWithAMessage) {
  RecordStore big;
  ASSERT_EQ(test::LoadGedcomText(big, WidePedigree()), 0);
  SelectiveGatherInput in;
  in.store = &big;
  in.baseIndex = 1;
  in.selection = {64, 72, 80, 88, 96, 104};
  in.options.numberChildren = true;
  in.options.boxesAndNumbers = true;
  SelectivePage huge;
  huge.pageColumns = 2000;
  huge.pageLines = 300;
  EXPECT_EQ(chart.Run(in, huge, prompter), kMsgTooManyItems);
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), kMsgTooManyItems);
  EXPECT_FALSE(chart.HasChart());
  EXPECT_TRUE(chart.Items().empty());
}

TEST_F(SelectiveChartTest, SixHundredChildrenAreTooMany) {
  RecordStore big;
  ASSERT_EQ(test::LoadGedcomText(big, WidePedigree()), 0);
  SelectiveGatherInput in;
  in.store = &big;
  in.baseIndex = 1;
  in.options.suppressRemarriages = true;
  SelectivePage huge;
  huge.pageColumns = 4000;
  huge.pageLines = 300;
  // 24 families of 24 children fit (576 children) ...
  in.selection = {64, 72, 80, 88, 96, 104};
  EXPECT_EQ(chart.Run(in, huge, prompter), 0);
  // ... 25 families would need 600.
  in.selection = {64, 80, 96, 112, 72, 88};
  said.clear();
  EXPECT_EQ(chart.Run(in, huge, prompter), kMsgTooManyChildren);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0], kMsgTooManyChildren);
}

TEST_F(SelectiveChartTest, LinesLeftOutAtTheQuestionStillGiveAChart) {
  RecordStore big;
  ASSERT_EQ(test::LoadGedcomText(big, WidePedigree()), 0);
  SelectiveGatherInput in;
  in.store = &big;
  in.baseIndex = 1;
  in.options.suppressRemarriages = true;
  in.options.noSiblings = true;
  // Seven lines part at slot 4: the seventh is asked about and left out.
  in.selection = {32, 36, 40, 44, 48, 52, 56};
  SelectivePage wide;
  wide.pageColumns = 400;
  wide.pageLines = 120;
  ASSERT_EQ(chart.Run(in, wide, prompter), 0);
  EXPECT_EQ(said, (std::vector<int>{kMsgTooManyLines}));
  EXPECT_EQ(chart.Tables()->selection, (std::vector<std::int32_t>{32, 36, 40, 44, 48, 52}));
  EXPECT_EQ(chart.LayoutResult().slots[4].groups, 6);
}

}  // namespace
}  // namespace dv
