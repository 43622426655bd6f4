#include "output/native/CairoSurface.h"

#include <gtest/gtest.h>

#include <cstring>

#include "output/PngStripWriter.h"

namespace dv {
namespace {

FontRecord Font(const char* face, int height, int width = 0, int weight = 400) {
  FontRecord f;
  std::int32_t h = height, w = width, wt = weight;
  std::memcpy(f.bytes.data(), &h, 4);
  std::memcpy(f.bytes.data() + 4, &w, 4);
  std::memcpy(f.bytes.data() + 16, &wt, 4);
  std::memcpy(f.bytes.data() + 28, face, std::strlen(face));
  return f;
}

int DarkPixels(CairoSurface& s, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (s.PixelAt(x, y) != kWhite) ++n;
  return n;
}

TEST(CairoFonts, CourierNewIsLiberationMonoOfTheRequestedCell) {
  EXPECT_EQ(CairoSurface::FaceFor("Courier New"), "Liberation Mono");
  EXPECT_EQ(CairoSurface::FaceFor("Arial"), "Liberation Sans");
  CairoSurface s(10, 10);
  FontMetrics m = s.SelectFont(Font("Courier New", 12, 7));
  EXPECT_EQ(m.height, 12);
  EXPECT_EQ(m.averageCharWidth, 7);
  EXPECT_TRUE(m.fixedPitch);
  EXPECT_EQ(s.MeasureText("abcdef").width, 42);
}

TEST(CairoFonts, NaturalWidthIsSixTenthsOfTheEm) {
  CairoSurface s(10, 10);
  FontMetrics m = s.SelectFont(Font("Courier New", -20));
  EXPECT_EQ(m.averageCharWidth, 12);
  EXPECT_EQ(m.height, 23);  // the em and the face's leading: 20 * 1.13
}

TEST(CairoFonts, ArialIsProportional) {
  CairoSurface s(10, 10);
  EXPECT_FALSE(s.SelectFont(Font("Arial", -20)).fixedPitch);
}

TEST(CairoDrawing, TextStaysInItsCellsAndHasNoGreys) {
  CairoSurface s(200, 40);
  s.SelectFont(Font("Courier New", 12, 7));
  s.Text(14, 12, "Dorvane");
  EXPECT_GT(DarkPixels(s, 14, 12, 14 + 7 * 7, 24), 20);
  EXPECT_EQ(DarkPixels(s, 0, 0, 200, 12), 0);
  EXPECT_EQ(DarkPixels(s, 0, 24, 200, 40), 0);
  EXPECT_EQ(DarkPixels(s, 14 + 7 * 7 + 1, 0, 200, 40), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      Colour c = s.PixelAt(x, y);
      ASSERT_TRUE(c == kWhite || c == kBlack) << x << "," << y;
    }
}

TEST(CairoDrawing, OpaqueTextClearsItsBox) {
  CairoSurface s(100, 20);
  s.SelectFont(Font("Courier New", 12, 7));
  s.SetBackground(Background::kOpaque, Rgb(0, 0, 255));
  s.SetTextColour(kWhite);
  s.Text(0, 0, "ab");
  EXPECT_EQ(s.PixelAt(0, 0), Rgb(0, 0, 255));
  EXPECT_EQ(s.PixelAt(13, 11), Rgb(0, 0, 255));
  EXPECT_EQ(s.PixelAt(14, 0), kWhite);
}

TEST(CairoDrawing, RulesAreCentredOnTheirLine) {
  CairoSurface s(40, 40);
  s.SetPen({4, PenStyle::kSolid, kBlack});
  s.HorizontalRule(5, 30, 10);
  EXPECT_EQ(s.PixelAt(5, 8), kBlack);
  EXPECT_EQ(s.PixelAt(29, 11), kBlack);
  EXPECT_EQ(s.PixelAt(5, 7), kWhite);
  EXPECT_EQ(s.PixelAt(5, 12), kWhite);
  EXPECT_EQ(s.PixelAt(30, 10), kWhite);
  s.VerticalRule(20, 15, 35);
  EXPECT_EQ(s.PixelAt(18, 15), kBlack);
  EXPECT_EQ(s.PixelAt(21, 34), kBlack);
  EXPECT_EQ(s.PixelAt(22, 20), kWhite);
}

TEST(CairoDrawing, DashedRuleHasGaps) {
  CairoSurface s(60, 5);
  s.SetPen({1, PenStyle::kDash, Rgb(255, 0, 0)});
  s.HorizontalRule(0, 60, 2);
  EXPECT_EQ(s.PixelAt(0, 2), Rgb(255, 0, 0));
  EXPECT_EQ(s.PixelAt(17, 2), Rgb(255, 0, 0));
  EXPECT_EQ(s.PixelAt(18, 2), kWhite);
  EXPECT_EQ(s.PixelAt(24, 2), Rgb(255, 0, 0));
}

TEST(CairoDrawing, OriginMovesTheDrawing) {
  CairoSurface s(20, 20);
  s.SetOrigin(100, 200);
  s.FillBox(100, 200, 105, 205, Rgb(1, 2, 3));
  EXPECT_EQ(s.PixelAt(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(s.PixelAt(4, 4), Rgb(1, 2, 3));
  EXPECT_EQ(s.PixelAt(5, 5), kWhite);
}

TEST(CairoDrawing, BitmapRowsAreBottomUpBgr) {
  CairoSurface s(3, 2);
  s.FillBox(0, 0, 3, 1, Rgb(10, 20, 30));  // top row
  std::vector<std::uint8_t> rows(PngStripWriter::RowBytes(3) * 2);
  s.CopyToBitmapRows(rows);
  const std::size_t stride = PngStripWriter::RowBytes(3);
  EXPECT_EQ(rows[stride + 0], 30);  // the top row is stored last; blue first
  EXPECT_EQ(rows[stride + 1], 20);
  EXPECT_EQ(rows[stride + 2], 10);
  EXPECT_EQ(rows[0], 255);
}

TEST(Cp1252, HighCharactersBecomeUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("a\xE9"), "a\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "?");
}

}  // namespace
}  // namespace dv
