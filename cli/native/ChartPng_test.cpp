#include "native/ChartPng.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <vector>

#include "output/PngStripWriter.h"
#include "output/TestChart.h"

namespace dv::cli {
namespace {

namespace fs = std::filesystem;
using testing::kTestChartColumns;
using testing::kTestChartLines;

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  Colour At(int x, int y) const {
    const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
    return Rgb(p[0], p[1], p[2]);
  }
};

bool ReadPng(const fs::path& path, Image& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.string().c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  bool ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

ChartImage TestChart(int zoom = 4) {
  ChartImage c;
  c.chartColumns = kTestChartColumns;
  c.chartLines = kTestChartLines;
  c.chartFont = DefaultChartFont();
  c.zoom = zoom;
  return c;
}

int Dark(const Image& img, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += img.At(x, y) == kBlack;
  return n;
}

TEST(ChartPng, TestChartAtZoomFourHasTheChartsSizeAndDrawing) {
  fs::path path = fs::temp_directory_path() / "dorvane_chart.png";
  ChartImageResult r;
  ASSERT_EQ(RenderChartPng(testing::DrawTestChart, TestChart(), path.string(), &r), 0);
  EXPECT_EQ(r.cell, (CellSize{7, 12}));  // zoom 4: Courier New 12 x 7
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.width, kTestChartColumns * 7);
  EXPECT_EQ(img.height, kTestChartLines * 12);
  EXPECT_EQ(img.At(0, 0), kWhite);
  // The box at columns 20-31, lines 12-17, with white text in it.
  EXPECT_EQ(img.At(20 * 7, 12 * 12), testing::kTestChartBoxColour);
  EXPECT_EQ(img.At(32 * 7 - 1, 18 * 12 - 1), testing::kTestChartBoxColour);
  EXPECT_EQ(img.At(32 * 7, 12 * 12), kWhite);
  // The title's text in line 1 from column 2; nothing above it.
  EXPECT_GT(Dark(img, 14, 12, 14 + 18 * 7, 24), 50);
  EXPECT_EQ(Dark(img, 0, 0, img.width, 9), 0);
  // The bracket's vertical rule at column 1 from half a line above line 4.
  EXPECT_EQ(img.At(7, 4 * 12 - 6 + 1), kBlack);
  EXPECT_EQ(img.At(7, 10 * 12 - 6 - 1), kBlack);
  // The dashed red rule half a line above line 22 starts at the left edge.
  EXPECT_EQ(img.At(0, 22 * 12 - 6), Rgb(255, 0, 0));
  // "bottom" on the last line.
  EXPECT_GT(Dark(img, 34 * 7, 29 * 12, 40 * 7, 30 * 12), 20);
  fs::remove(path);
}

TEST(ChartPng, StripsGiveTheSamePixelsAsOneImage) {
  fs::path whole = fs::temp_directory_path() / "dorvane_whole.png";
  fs::path strips = fs::temp_directory_path() / "dorvane_strips.png";
  ChartImage c = TestChart(5);
  ChartImageResult one, many;
  ASSERT_EQ(RenderChartPng(testing::DrawTestChart, c, whole.string(), &one), 0);
  c.stripPixels = kTestChartColumns * 9 * 15 * 4;  // four lines a strip, rules and text cut
  ASSERT_EQ(RenderChartPng(testing::DrawTestChart, c, strips.string(), &many), 0);
  EXPECT_EQ(one.strips, 1);
  EXPECT_EQ(many.strips, 8);
  Image a, b;
  ASSERT_TRUE(ReadPng(whole, a));
  ASSERT_TRUE(ReadPng(strips, b));
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  EXPECT_TRUE(a.rgb == b.rgb);
  fs::remove(whole);
  fs::remove(strips);
}

TEST(ChartPng, MemoryDoesNotGrowWithTheChartsHeight) {
  fs::path path = fs::temp_directory_path() / "dorvane_tall.png";
  ChartImage c = TestChart();
  c.chartLines = 300;
  ChartImageResult shortChart, tallChart;
  ASSERT_EQ(RenderChartPng(testing::DrawTestChart, c, path.string(), &shortChart), 0);
  c.chartLines = 6000;
  ASSERT_EQ(RenderChartPng(testing::DrawTestChart, c, path.string(), &tallChart), 0);
  EXPECT_EQ(tallChart.height, 6000 * 12);
  EXPECT_GT(tallChart.strips, shortChart.strips);
  EXPECT_LE(tallChart.peakStripBytes, 3u * 1000000u + 4u * 12u * 280u);
  EXPECT_EQ(tallChart.peakStripBytes, shortChart.peakStripBytes);
  fs::remove(path);
}

TEST(ChartPng, FailingDrawIsCannotGenerateImage) {
  fs::path path = fs::temp_directory_path() / "dorvane_fail.png";
  DrawRoutine failing = [](DrawSurface&, int, int, int, int) { return 36; };
  EXPECT_EQ(RenderChartPng(failing, TestChart(), path.string()), kCannotGenerateImage);
  EXPECT_FALSE(fs::exists(path));
}

TEST(ChartPng, UnwritableFileIsCannotOpenFile) {
  EXPECT_EQ(RenderChartPng(testing::DrawTestChart, TestChart(),
                           (fs::temp_directory_path() / "no_dir_dorvane" / "x.png").string()),
            kCannotOpenFile);
}

}  // namespace
}  // namespace dv::cli
