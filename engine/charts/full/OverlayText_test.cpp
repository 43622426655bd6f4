#include "charts/full/OverlayText.h"

#include <gtest/gtest.h>

#include "output/CellDump.h"

namespace dv {
namespace {

// Every character 1 unit wide.
int Chars(std::string_view s) { return int(s.size()); }

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += "[" + l + "]";
  return out;
}

TEST(WrapOverlayText, WordsFillLinesUpToTheWidth) {
  EXPECT_EQ(Joined(WrapOverlayText("the quick brown fox", 9, Chars)), "[the quick][brown fox]");
  EXPECT_EQ(Joined(WrapOverlayText("  a\tb  c ", 3, Chars)), "[a b][c]");
  // A word wider than the line stands alone.
  EXPECT_EQ(Joined(WrapOverlayText("a extraordinary b", 5, Chars)), "[a][extraordinary][b]");
  EXPECT_EQ(Joined(WrapOverlayText("", 5, Chars)), "");
}

TEST(WrapOverlayText, LineFeedsEndLinesAndFurtherOnesAddEmptyLines) {
  EXPECT_EQ(Joined(WrapOverlayText("one\ntwo", 20, Chars)), "[one][two]");
  EXPECT_EQ(Joined(WrapOverlayText("one\r\n\r\n\nfour", 20, Chars)), "[one][][][four]");
  std::string many;
  for (int i = 0; i < 300; ++i) many += "w\n";
  EXPECT_EQ(WrapOverlayText(many, 20, Chars).size(), std::size_t(kMaxOverlayTextLines));
}

// Cells of 8 x 12 on the recorder: "x" is 8 wide, a line 12 high.
struct Sizing : ::testing::Test {
  void SetUp() override {
    OverlayChart c;
    c.chartColumns = 200;
    c.chartLines = 100;
    c.pageBreaks = false;
    c.people.push_back({40, 19, 60, 20});  // kept clear from line 17 down
    o.SetChart(c);
  }
  CellRect Resize(int index) {
    LayoutTextItem(o, index, surface, 8, 12, true);
    return o.item(index).rect;
  }
  Overlays o;
  CellRecorder surface;
};

TEST_F(Sizing, AutoResizeFitsTheTextAndDoesNotGrowOnEveryResize) {
  const int i = o.AddItem({5, 5, 40, 15}, "Family papers\nand letters", kOverlayLeft, {});
  o.RebuildObstacles();
  // Two lines: (2 + 2) lines high; "Family papers" 13 wide + 2 margins.
  const CellRect first = Resize(i);
  EXPECT_EQ(first, (CellRect{5, 5, 20, 9}));
  EXPECT_EQ(Resize(i), first);
  EXPECT_EQ(Resize(i), first);
}

TEST_F(Sizing, GrowingStopsAtAnObstacle) {
  // Narrow box: six words of 5 wrap to six lines, wanting 8 lines of height
  // (to line 18); the person's margin starts at line 17, so the height is
  // given back pixel by pixel until the box ends there.
  const int i = o.AddItem({40, 10, 48, 12}, "aaaaa bbbbb ccccc ddddd eeeee fffff", kOverlayLeft, {});
  o.RebuildObstacles();
  const CellRect r = Resize(i);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.bottom, 17);
  EXPECT_EQ(r.right, 47);
  EXPECT_EQ(o.Test(r, i), 0);
}

TEST_F(Sizing, ATooSmallBoxIsEnlargedEvenWithoutAutoResize) {
  const int i = o.AddItem({5, 30, 6, 31}, "Hi", kOverlayLeft, {});
  o.RebuildObstacles();
  LayoutTextItem(o, i, surface, 8, 12, false);
  // "Hi" 2 wide + 2 margins = 4 columns, (1 + 2) lines.
  EXPECT_EQ(o.item(i).rect, (CellRect{5, 30, 9, 33}));
}

}  // namespace
}  // namespace dv
