#include "output/CellDump.h"

#include <gtest/gtest.h>

#include "output/TestChart.h"

namespace dv {
namespace {

TEST(CellDumpPositions, WholeHalfAndOtherFractionsAreExact) {
  EXPECT_EQ(CellsText(24, 8), "3");
  EXPECT_EQ(CellsText(28, 8), "3.5");
  EXPECT_EQ(CellsText(27, 8), "3+3/8");
  EXPECT_EQ(CellsText(0, 8), "0");
  // Left of the origin: the cell before, not a rounded-up one.
  EXPECT_EQ(CellsText(-4, 8), "-1.5");
}

TEST(CellDumpPositions, RulesAreReportedOnTheLineTheyStandAbove) {
  CellRecorder r(8, 12);
  int cw = r.cellWidth(), ch = r.cellHeight();
  r.HorizontalRule(3 * cw, 5 * cw, 7 * ch - ch / 2);
  r.VerticalRule(3 * cw + cw / 2, 7 * ch - ch / 2, 9 * ch - ch / 2);
  EXPECT_EQ(r.Dump(0),
            "0\t3\t7\thline\t2\t\"\"\n"
            "0\t3.5\t7\tvline\t2\t\"\"\n");
}

// A box drawn as its four edges is one box line, as a filled box is, with
// colour 0 in place of a fill colour.
TEST(CellDumpBoxes, AnOutlinedBoxIsOneBoxLineWithColourZero) {
  CellRecorder r(8, 12);
  r.SetPen({0, PenStyle::kSolid, Rgb(10, 20, 30)});
  r.OutlineBox(8, 6, 32, 30);
  r.FillBox(8, 6, 32, 30, Rgb(255, 0, 16));
  EXPECT_EQ(r.Dump(1),
            "1\t1\t0.5\tbox\t3\t\"2x0\"\n"
            "1\t1\t0.5\tbox\t3\t\"2xFF0010\"\n");
}

TEST(CellDumpPositions, OriginShiftsTheRecordedPoints) {
  CellRecorder r(8, 12);
  r.SetOrigin(16, 24);
  r.Text(0, 0, "a");
  EXPECT_EQ(r.Dump(3), "3\t2\t2\ttext\t1\t\"a\"\n");
}

TEST(CellDumpText, IsEscapedAndMeasuredInCells) {
  CellRecorder r(8, 12);
  r.Text(0, 0, "a\tb\\c");
  EXPECT_EQ(r.Dump(0), "0\t0\t0\ttext\t5\t\"a\\tb\\\\c\"\n");
  EXPECT_EQ(r.MeasureText("abc").width, 24);
}

TEST(CellDumpTestChart, GoldenDump) {
  int status = -1;
  std::string dump = DumpDrawing(testing::DrawTestChart, 0, 1, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(dump, R"(0	2	1	text	18	"Dorvane test chart"
0	4	4	text	6	"Father"
0	4	10	text	6	"Mother"
0	1	4	hline	3	""
0	1	10	hline	3	""
0	1	4	vline	6	""
0	20	12	box	12	"6x2060C0"
0	21	14	text	5	"Boxed"
0	0	22	hline	40	""
0	34	29	text	6	"bottom"
)");
}

TEST(CellDumpTestChart, RecordsPenAndColours) {
  CellRecorder r(8, 12);
  testing::DrawTestChart(r, 8, 12, 0, 0);
  const auto& items = r.items();
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[3].pen.width, 6);  // paper: the line width itself
  EXPECT_EQ(items[6].colour, testing::kTestChartBoxColour);
  EXPECT_EQ(items[7].colour, kWhite);
  EXPECT_EQ(items[8].pen.style, PenStyle::kDash);
}

}  // namespace
}  // namespace dv
