#include "output/ChartImageExport.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "output/GdiSurface.h"
#include "output/ImageExport.h"
#include "output/PngStripWriter.h"
#include "output/TestChart.h"
#include "output/ZoomLevels.h"

namespace dv::win {
namespace {

namespace fs = std::filesystem;
using dv::testing::DrawTestChart;
using dv::testing::kTestChartColumns;
using dv::testing::kTestChartLines;

FontRecord CourierNew7() {
  FontRecord f;
  std::int32_t h = -7;
  std::memcpy(f.bytes.data(), &h, 4);
  f.bytes[27] = 1;
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

// The test chart at a zoom level, with the cell the screen gives that zoom.
ChartImageJob TestJob(HDC screen, int zoom) {
  ChartImageJob job;
  job.draw = DrawTestChart;
  job.chartColumns = kTestChartColumns;
  job.chartLines = kTestChartLines;
  job.screenFont = ScreenFontFor(zoom, CourierNew7(), 96, 96, 0);
  Dib24 probe(screen, 1, 1);
  GdiSurface s(probe.dc());
  CellSize cell = ScreenCellSize(s, zoom, CourierNew7(), 96, 96, 0, {});
  job.cellWidth = cell.width;
  job.cellHeight = cell.height;
  return job;
}

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

// The same chart drawn once into a single bitmap of its full height.
int PixelsDifferingFromOneBitmap(HDC screen, const ChartImageJob& job, const Image& img) {
  Dib24 whole(screen, job.chartColumns * job.cellWidth, job.chartLines * job.cellHeight);
  if (!whole.ok()) return -1;
  {
    GdiSurface s(whole.dc());
    s.SelectFont(job.screenFont);
    job.draw(s, job.cellWidth, job.cellHeight, 0, 1);
  }
  int differing = 0;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) differing += img.At(x, y) != whole.PixelAt(x, y);
  return differing;
}

TEST(PngExport, ImageHasTheChartsSizeAtZoomFour) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 4);
  EXPECT_EQ(job.cellWidth, 7);
  EXPECT_EQ(job.cellHeight, 12);
  fs::path path = fs::temp_directory_path() / "dorvane_win_chart.png";
  int rows = 0;
  job.progress = [&](int r) { rows = r; };
  ASSERT_EQ(ExportChartPng(screen.get(), job, path.string()), 0);
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.width, kTestChartColumns * job.cellWidth);
  EXPECT_EQ(img.height, kTestChartLines * job.cellHeight);
  EXPECT_EQ(rows, img.height);
  EXPECT_EQ(img.At(20 * 7 + 1, 12 * 12 + 1), dv::testing::kTestChartBoxColour);
  EXPECT_EQ(img.At(0, 0), kWhite);
  EXPECT_EQ(PixelsDifferingFromOneBitmap(screen.get(), job, img), 0);
  fs::remove(path);
}

TEST(PngExport, StripsCutThroughTextAndRulesMatchOneBitmap) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 6);
  // Strips of 3 lines (cutting the bracket, the box and its text), one of
  // them empty, the last short.
  job.stripPlan = {0, 3, 6, 6, 9, 13, 15, 18, 21, 24, 27, 30};
  std::vector<std::pair<int, int>> strips;
  job.beforeStrip = [&](int first, int end) { strips.emplace_back(first, end); };
  fs::path path = fs::temp_directory_path() / "dorvane_win_strips.png";
  ASSERT_EQ(ExportChartPng(screen.get(), job, path.string()), 0);
  EXPECT_EQ(strips.size(), 10u);
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.width, kTestChartColumns * job.cellWidth);
  EXPECT_EQ(img.height, kTestChartLines * job.cellHeight);
  EXPECT_EQ(PixelsDifferingFromOneBitmap(screen.get(), job, img), 0);
  fs::remove(path);
}

TEST(PngExport, UniformStripsOfAMillionPixelsMatchOneBitmap) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 7);
  job.chartLines = 300;  // 40 x 18 x 30 pixels a line: 46 lines a strip
  fs::path path = fs::temp_directory_path() / "dorvane_win_tall.png";
  int strips = 0;
  job.beforeStrip = [&](int, int) { ++strips; };
  ASSERT_EQ(ExportChartPng(screen.get(), job, path.string()), 0);
  EXPECT_EQ(strips, 7);
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.height, 300 * job.cellHeight);
  EXPECT_EQ(PixelsDifferingFromOneBitmap(screen.get(), job, img), 0);
  fs::remove(path);
}

TEST(PngExportFailures, FailingDrawIsCannotGenerateImageAndLeavesNoFile) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 4);
  job.draw = [](DrawSurface&, int, int, int, int) { return 36; };
  fs::path path = fs::temp_directory_path() / "dorvane_win_fail.png";
  EXPECT_EQ(ExportChartPng(screen.get(), job, path.string()), kCannotGenerateImage);
  EXPECT_FALSE(fs::exists(path));
}

TEST(PngExportFailures, UnwritableFileIsCannotOpenFile) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 4);
  fs::path path = fs::temp_directory_path() / "no_such_dir_dorvane" / "x.png";
  EXPECT_EQ(ExportChartPng(screen.get(), job, path.string()), kCannotOpenFile);
}

TEST(PngExportFailures, BitmapTooLargeIsChartTooLargeToStoreImage) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 4);
  job.chartColumns = 2000000;  // a strip bitmap of 15 gigabytes
  job.stripPlan = {0, kTestChartLines};
  fs::path path = fs::temp_directory_path() / "dorvane_win_huge.png";
  EXPECT_EQ(ExportChartPng(screen.get(), job, path.string()), kChartTooLargeToStoreImage);
  EXPECT_FALSE(fs::exists(path));
}

TEST(MetafileExport, FrameInHundredthsOfAMillimetreAndReplay) {
  ScreenDc screen;
  ChartImageJob job = TestJob(screen.get(), 4);
  fs::path path = fs::temp_directory_path() / "dorvane_win_chart.emf";
  ASSERT_EQ(ExportChartMetafile(screen.get(), job, path.string()), 0);
  HENHMETAFILE emf = GetEnhMetaFileA(path.string().c_str());
  ASSERT_NE(emf, nullptr);
  ENHMETAHEADER header{};
  ASSERT_NE(GetEnhMetaFileHeader(emf, sizeof header, &header), 0u);
  int width = kTestChartColumns * job.cellWidth, height = kTestChartLines * job.cellHeight;
  MetafileFrame expected = MetafileFrameFor(
      width, height, GetDeviceCaps(screen.get(), HORZSIZE), GetDeviceCaps(screen.get(), VERTSIZE),
      GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES));
  EXPECT_EQ(header.rclFrame.left, 0);
  EXPECT_EQ(header.rclFrame.top, 0);
  EXPECT_EQ(header.rclFrame.right, expected.right);
  EXPECT_EQ(header.rclFrame.bottom, expected.bottom);

  Dib24 replay(screen.get(), width, height);
  RECT all{0, 0, width, height};
  EXPECT_TRUE(PlayEnhMetaFile(replay.dc(), emf, &all));
  // The middle of the box and a point well away from everything.
  EXPECT_EQ(replay.PixelAt(26 * job.cellWidth, 16 * job.cellHeight), dv::testing::kTestChartBoxColour);
  EXPECT_EQ(replay.PixelAt(10 * job.cellWidth, 26 * job.cellHeight), kWhite);
  DeleteEnhMetaFile(emf);
  fs::remove(path);
}

}  // namespace
}  // namespace dv::win
