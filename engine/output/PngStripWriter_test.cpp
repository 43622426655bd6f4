#include "output/PngStripWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/FileSizeLimitTestSupport.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

std::string TempPath(const std::string& name) {
  return (fs::temp_directory_path() / ("dorvane_png_" + name)).string();
}

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // top-down
};

// Reads a PNG back with libpng as 8-bit RGB.
bool ReadPng(const std::string& path, Image& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  bool ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

// The colour of image pixel (x, y) in the test pattern.
std::uint8_t R(int x, int y) { return std::uint8_t(x * 7 + y); }
std::uint8_t G(int x, int y) { return std::uint8_t(x + y * 3); }
std::uint8_t B(int x, int y) { return std::uint8_t(x ^ y); }

// Fills the current strip as a bitmap would hold image rows first..first+rows:
// bottom-up, blue-green-red.
void FillStrip(PngStripWriter& w, int first) {
  auto bits = w.strip();
  std::size_t stride = PngStripWriter::RowBytes(w.width());
  for (int i = 0; i < w.stripRows(); ++i) {
    int y = first + i;
    std::uint8_t* row = bits.data() + std::size_t(w.stripRows() - 1 - i) * stride;
    for (int x = 0; x < w.width(); ++x) {
      row[3 * x] = B(x, y);
      row[3 * x + 1] = G(x, y);
      row[3 * x + 2] = R(x, y);
    }
  }
}

int WritePattern(const std::string& path, int width, int height, int stripRows,
                 std::size_t* peak = nullptr) {
  PngStripWriter w;
  if (int rc = w.Open(path, width, height)) return rc;
  for (int first = 0; first < height; first += stripRows) {
    int rows = std::min(stripRows, height - first);
    if (int rc = w.BeginStrip(rows)) return rc;
    FillStrip(w, first);
    if (int rc = w.WriteStrip()) return rc;
  }
  if (peak) *peak = w.peakStripBytes();
  return w.Finish();
}

TEST(PngStripWriter, StripsBecomeOneTopDownRgbImage) {
  std::string path = TempPath("pattern.png");
  // Width 13: rows are padded (39 bytes to 40); strips of 7 rows, the last short.
  ASSERT_EQ(WritePattern(path, 13, 30, 7), 0);
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.width, 13);
  EXPECT_EQ(img.height, 30);
  int wrong = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 13; ++x) {
      const std::uint8_t* p = &img.rgb[(std::size_t(y) * 13 + x) * 3];
      if (p[0] != R(x, y) || p[1] != G(x, y) || p[2] != B(x, y)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
  fs::remove(path);
}

TEST(PngStripWriter, HeaderIsEightBitRgbNotInterlaced) {
  std::string path = TempPath("header.png");
  ASSERT_EQ(WritePattern(path, 4, 4, 4), 0);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char head[29] = {};
  ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
  std::fclose(f);
  EXPECT_EQ(png_sig_cmp(head, 0, 8), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(head + 12), 4), "IHDR");
  EXPECT_EQ(head[24], 8);  // bit depth
  EXPECT_EQ(head[25], 2);  // colour type RGB
  EXPECT_EQ(head[28], 0);  // no interlace
  fs::remove(path);
}

TEST(PngStripWriter, ProgressAfterEveryRow) {
  std::string path = TempPath("progress.png");
  PngStripWriter w;
  std::vector<int> seen;
  w.SetProgress([&](int rows) { seen.push_back(rows); });
  ASSERT_EQ(w.Open(path, 5, 6), 0);
  ASSERT_EQ(w.BeginStrip(6), 0);
  ASSERT_EQ(w.WriteStrip(), 0);
  ASSERT_EQ(w.Finish(), 0);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  fs::remove(path);
}

TEST(PngStripWriterFailures, UnwritableFileIsCannotOpenFile) {
  PngStripWriter w;
  EXPECT_EQ(w.Open((fs::temp_directory_path() / "no_such_dir_dorvane" / "x.png").string(), 10, 10),
            kCannotOpenFile);
  EXPECT_EQ(w.Open(fs::temp_directory_path().string(), 10, 10), kCannotOpenFile);  // a folder
}

TEST(PngStripWriterFailures, MoreRowsThanTheImageIsAnErrorAndLeavesNoFile) {
  std::string path = TempPath("overrun.png");
  PngStripWriter w;
  ASSERT_EQ(w.Open(path, 5, 4), 0);
  ASSERT_EQ(w.BeginStrip(3), 0);
  ASSERT_EQ(w.WriteStrip(), 0);
  ASSERT_EQ(w.BeginStrip(3), 0);
  EXPECT_EQ(w.WriteStrip(), kErrorWritingImageFile);
  EXPECT_FALSE(fs::exists(path));
}

TEST(PngStripWriterFailures, FinishingShortIsAnErrorAndLeavesNoFile) {
  std::string path = TempPath("short.png");
  PngStripWriter w;
  ASSERT_EQ(w.Open(path, 5, 4), 0);
  ASSERT_EQ(w.BeginStrip(3), 0);
  ASSERT_EQ(w.WriteStrip(), 0);
  EXPECT_EQ(w.Finish(), kErrorWritingImageFile);
  EXPECT_FALSE(fs::exists(path));
}

TEST(PngStripWriterFailures, AbandonedWriterRemovesItsFile) {
  std::string path = TempPath("abandoned.png");
  {
    PngStripWriter w;
    ASSERT_EQ(w.Open(path, 5, 4), 0);
    EXPECT_TRUE(fs::exists(path));
  }
  EXPECT_FALSE(fs::exists(path));
}

TEST(PngStripWriterFailures, StripBeforeOpenIsCannotAllocateMemory) {
  PngStripWriter w;
  EXPECT_EQ(w.BeginStrip(3), kCannotAllocateMemory);
}

#if !defined(_WIN32)
TEST(PngStripWriterFailures, FullDiskIsAWriteErrorAndLeavesNoFile) {
  const fs::path dir = fs::temp_directory_path() / "dorvane_png_full";
  fs::remove_all(dir);  // what an interrupted run may have left
  fs::create_directories(dir);
  const fs::path path = dir / "full.png";
  // Written through a link (as to /dev/stdout), the link is not removed.
  const fs::path link = dir / "link.png";
  fs::create_symlink(dir / "target.png", link);
  for (const fs::path& p : {path, link}) {
    int rc = 0;
    {
      test::ScopedFileSizeLimit limit(4096);
      ASSERT_TRUE(limit.Set());
      PngStripWriter w;
      rc = w.Open(p.string(), 200, 200);
      for (int first = 0; rc == 0 && first < 200; first += 50) {
        rc = w.BeginStrip(50);
        if (rc == 0) {
          // Noise, so that the image does not compress into the limit.
          std::uint32_t x = 12345;
          for (std::uint8_t& b : w.strip()) b = static_cast<std::uint8_t>((x = x * 1103515245 + 12345) >> 24);
          rc = w.WriteStrip();
        }
      }
      if (rc == 0) rc = w.Finish();
    }
    EXPECT_EQ(rc, kErrorWritingImageFile) << p;
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::is_symlink(link));
  fs::remove_all(dir);
}
#endif

TEST(PngStripWriterMemory, PeakIsOneStripWhateverTheHeight) {
  std::string path = TempPath("tall.png");
  std::size_t shortPeak = 0, tallPeak = 0;
  ASSERT_EQ(WritePattern(path, 300, 400, 100, &shortPeak), 0);
  ASSERT_EQ(WritePattern(path, 300, 8000, 100, &tallPeak), 0);
  EXPECT_EQ(shortPeak, PngStripWriter::RowBytes(300) * 100);
  EXPECT_EQ(tallPeak, shortPeak);
  Image img;
  ASSERT_TRUE(ReadPng(path, img));
  EXPECT_EQ(img.height, 8000);
  fs::remove(path);
}

}  // namespace
}  // namespace dv
