#include "output/ImageExport.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(DefaultExtension, AddedOnlyWithoutAnExtension) {
  EXPECT_EQ(WithDefaultExtension("C:\\charts\\smith", ".png"), "C:\\charts\\smith.png");
  EXPECT_EQ(WithDefaultExtension("C:\\charts\\smith.bmp", ".png"), "C:\\charts\\smith.bmp");
  EXPECT_EQ(WithDefaultExtension("C:\\my.charts\\smith", ".emf"), "C:\\my.charts\\smith.emf");
  EXPECT_EQ(WithDefaultExtension("out/chart", ".png"), "out/chart.png");
  std::string longName(252, 'a');
  EXPECT_EQ(WithDefaultExtension(longName, ".png"), longName);
}

TEST(StripPlan, AboutAMillionPixelsPerStrip) {
  // 200 columns of 7 x 13 pixels: 18200 pixels a line, 54 lines a strip.
  std::vector<int> plan = UniformStripPlan(200, 130, 7, 13);
  EXPECT_EQ(plan, (std::vector<int>{0, 54, 108, 130}));
}

TEST(StripPlan, SmallChartIsOneStrip) {
  EXPECT_EQ(UniformStripPlan(40, 30, 7, 13), (std::vector<int>{0, 30}));
}

TEST(StripPlan, VeryWideLinesGetOneLineEach) {
  EXPECT_EQ(UniformStripPlan(4000, 3, 8, 100), (std::vector<int>{0, 1, 2, 3}));
}

TEST(StripPlan, NeverMoreThanTwoHundredEntries) {
  std::vector<int> plan = UniformStripPlan(4000, 5000, 8, 100);
  EXPECT_LE(plan.size(), 200u);
  EXPECT_EQ(plan.front(), 0);
  EXPECT_EQ(plan.back(), 5000);
  for (std::size_t i = 1; i < plan.size(); ++i) EXPECT_LT(plan[i - 1], plan[i]);
}

TEST(ExportProgress, TenLinesOfTwelvePixelsStepEveryRow) {
  ExportProgress p(120);
  EXPECT_EQ(p.step(), 1);
  int steps = 0;
  for (int i = 0; i < 120; ++i) steps += p.Row();
  EXPECT_EQ(steps, 120);
}

TEST(ExportProgress, HundredStepsOverTheImage) {
  ExportProgress p(1000);
  int steps = 0;
  for (int i = 0; i < 1000; ++i) steps += p.Row();
  EXPECT_EQ(steps, 100);
}

TEST(MetafileFrame, HundredthsOfAMillimetreOfTheScreen) {
  // 40 x 30 cells of 7 x 13 pixels on a 1024 x 768 screen of 270 x 203 mm.
  MetafileFrame f = MetafileFrameFor(280, 390, 270, 203, 1024, 768);
  EXPECT_EQ(f.left, 0);
  EXPECT_EQ(f.top, 0);
  EXPECT_EQ(f.right, 7383);   // 280 * 27000 / 1024 = 7382.8
  EXPECT_EQ(f.bottom, 10309); // 390 * 20300 / 768 = 10308.6
}

}  // namespace
}  // namespace dv
