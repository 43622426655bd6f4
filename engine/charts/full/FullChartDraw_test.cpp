#include "charts/full/FullChartDraw.h"

#include <gtest/gtest.h>

#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

TEST(FullChartDrawPens, LinkStylesGiveTheStatedPens) {
  EXPECT_EQ(LinkPen(LinkPens::kUniform, 5, 6), (Pen{6, PenStyle::kSolid, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 1, 6), (Pen{6, PenStyle::kSolid, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 2, 6), (Pen{1, PenStyle::kDashDotDot, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 3, 6), (Pen{1, PenStyle::kDash, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 4, 6), (Pen{4, PenStyle::kSolid, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 4, 1), (Pen{0, PenStyle::kSolid, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 5, 6), (Pen{1, PenStyle::kDashDot, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kBlack, 6, 6), (Pen{1, PenStyle::kDot, kBlack}));
  EXPECT_EQ(LinkPen(LinkPens::kColour, 2, 6).colour, Rgb(255, 0, 0));
  EXPECT_EQ(LinkPen(LinkPens::kColour, 6, 6).colour, Rgb(0, 255, 255));
  EXPECT_EQ(LinkPen(LinkPens::kColour, 0, 6).colour, kBlack);
}

TEST(FullChartDrawLabels, PageRowsAreLettersThenSmallLetters) {
  EXPECT_EQ(PageLabel(0, 0), "A1");
  EXPECT_EQ(PageLabel(1, 2), "B3");
  EXPECT_EQ(PageLabel(25, 0), "Z1");
  EXPECT_EQ(PageLabel(26, 0), "a1");  // the 27th page row
  EXPECT_EQ(PageLabel(27, 4), "b5");
}

class Draw : public ::testing::Test {
 protected:
  void SetUp() override {
    GedcomBuilder b;
    const int base = b.Person("Ann /Base/", 0, "1990");
    b.Family(b.Person("Al /Base/", 1, "1960"), b.Person("Bea /Base/", 0), {base}, "1989", "Leeds");
    b.LoadInto(store);
  }
  RecordStore store;
  FullChart chart;
  FullChartOptions o;
  FullChartPage page;
};

TEST_F(Draw, AOneFamilyChartAsPrinted) {
  page.marginLeft = 2;
  page.marginTop = 1;
  o.alignment = 1;  // centred: a chart shorter than a page stays at the top
  o.noPageBreaks = true;
  ASSERT_TRUE(chart.Run(store, 1, o, page).ok());
  int status = 0;
  EXPECT_EQ(chart.Dump(status),
            "1\t4\t2\ttext\t7\t\"Al Base\"\n"
            "1\t12\t2\ttext\t2\t\"m \"\n"
            "1\t14\t2\ttext\t8\t\"Bea Base\"\n"
            "1\t7\t3\ttext\t13\t\"(Leeds, 1989)\"\n"
            "1\t13\t5\tvline\t2\t\"\"\n"
            "1\t11\t7\ttext\t3\t\"Ann\"\n"
            "1\t11\t8\ttext\t4\t\"1990\"\n");
  EXPECT_EQ(status, 0);
}

TEST_F(Draw, APageWithoutItemsIsDrawnEmptyWithItsLabel) {
  o.pageNumbers = 3;
  ASSERT_TRUE(chart.Run(store, 1, o, page).ok());
  CellRecorder r;
  // One page across: page 2 is the second page row, which holds nothing.
  EXPECT_EQ(chart.Draw(r, r.cellWidth(), r.cellHeight(), 2, 0), 0);
  ASSERT_EQ(r.items().size(), 1u);
  EXPECT_EQ(r.items()[0].text, "B1");
}

TEST_F(Draw, AStripDrawsOnlyWhatTouchesIt) {
  o.noPageBreaks = true;
  ASSERT_TRUE(chart.Run(store, 1, o, page).ok());
  CellRecorder whole, top, bottom;
  ASSERT_EQ(chart.Draw(whole, 8, 12, 0, 1), 0);
  chart.SetStrip(0, 3);
  ASSERT_EQ(chart.Draw(top, 8, 12, -1, -1), 0);
  chart.SetStrip(3, chart.Extent().chartLines);
  ASSERT_EQ(chart.Draw(bottom, 8, 12, -1, -1), 0);
  EXPECT_LT(top.items().size(), whole.items().size());
  EXPECT_LT(bottom.items().size(), whole.items().size());
  EXPECT_GE(top.items().size() + bottom.items().size(), whole.items().size());
}

}  // namespace
}  // namespace dv
