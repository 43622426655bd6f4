#include "output/GdiSurface.h"

#include <gtest/gtest.h>

#include <cstring>

#include "output/pictures/PixelImage.h"

namespace dv::win {
namespace {

FontRecord Font(const char* face, int height, int width = 0) {
  FontRecord f;
  std::int32_t h = height, w = width;
  std::memcpy(f.bytes.data(), &h, 4);
  std::memcpy(f.bytes.data() + 4, &w, 4);
  std::memcpy(f.bytes.data() + 28, face, std::strlen(face));
  return f;
}

TEST(GdiSurfaceFonts, CourierNewCellOfTheRequestedSize) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 10, 10);
  ASSERT_TRUE(dib.ok());
  GdiSurface s(dib.dc());
  FontMetrics m = s.SelectFont(Font("Courier New", 12, 7));
  EXPECT_EQ(m.lineHeight(), 12);
  EXPECT_EQ(m.averageCharWidth, 7);
  EXPECT_TRUE(m.fixedPitch);
  EXPECT_EQ(s.MeasureText("abcdef").width, 42);
  EXPECT_FALSE(s.SelectFont(Font("Arial", -20)).fixedPitch);
}

TEST(GdiSurfaceFonts, ContextGetsItsOwnObjectsBack) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 10, 10);
  HGDIOBJ font = GetCurrentObject(dib.dc(), OBJ_FONT);
  HGDIOBJ pen = GetCurrentObject(dib.dc(), OBJ_PEN);
  {
    GdiSurface s(dib.dc());
    s.SelectFont(Font("Courier New", 12, 7));
    s.SelectFont(Font("Arial", 20));
    s.SetPen({3, PenStyle::kSolid, kBlack});
    s.SetPen({1, PenStyle::kDot, kBlack});
    s.SetOrigin(5, 5);
    EXPECT_NE(GetCurrentObject(dib.dc(), OBJ_FONT), font);
  }
  EXPECT_EQ(GetCurrentObject(dib.dc(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(dib.dc(), OBJ_PEN), pen);
  POINT origin{};
  GetWindowOrgEx(dib.dc(), &origin);
  EXPECT_EQ(origin.x, 0);
}

TEST(GdiSurfaceDrawing, BoxesRulesAndText) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 100, 60);
  ASSERT_TRUE(dib.ok());
  GdiSurface s(dib.dc());
  s.FillBox(50, 30, 60, 40, Rgb(10, 20, 30));
  EXPECT_EQ(dib.PixelAt(50, 30), Rgb(10, 20, 30));
  EXPECT_EQ(dib.PixelAt(59, 39), Rgb(10, 20, 30));
  EXPECT_EQ(dib.PixelAt(60, 40), kWhite);

  s.SetPen({4, PenStyle::kSolid, kBlack});
  s.HorizontalRule(5, 30, 10);
  EXPECT_EQ(dib.PixelAt(10, 10), kBlack);
  EXPECT_EQ(dib.PixelAt(10, 9), kBlack);
  EXPECT_EQ(dib.PixelAt(10, 5), kWhite);
  EXPECT_EQ(dib.PixelAt(3, 10), kWhite);  // flat ends
  EXPECT_EQ(dib.PixelAt(32, 10), kWhite);

  s.SelectFont(Font("Courier New", 12, 7));
  s.SetBackground(Background::kOpaque, Rgb(0, 0, 255));
  s.SetTextColour(kWhite);
  s.Text(0, 40, "ab");
  EXPECT_EQ(dib.PixelAt(0, 40), Rgb(0, 0, 255));
  EXPECT_EQ(dib.PixelAt(13, 51), Rgb(0, 0, 255));
  EXPECT_EQ(dib.PixelAt(14, 40), kWhite);
}

TEST(GdiSurfaceDrawing, OriginMovesTheDrawing) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 20, 20);
  GdiSurface s(dib.dc());
  s.SetOrigin(100, 200);
  s.FillBox(100, 200, 105, 205, Rgb(1, 2, 3));
  EXPECT_EQ(dib.PixelAt(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(dib.PixelAt(5, 5), kWhite);
}

// An overlay picture lands at its point at its own size, top row on top,
// red and blue in their places, also with the origin moved (an image strip).
TEST(GdiSurfaceDrawing, PicturesAreCopiedAtTheirOwnSize) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 20, 20);
  GdiSurface s(dib.dc());
  PixelImage p{2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456}};
  s.SetOrigin(0, 10);
  s.Picture(3, 14, 13, 24, p, "p.png");
  EXPECT_EQ(dib.PixelAt(3, 4), Rgb(255, 0, 0));
  EXPECT_EQ(dib.PixelAt(4, 4), Rgb(0, 255, 0));
  EXPECT_EQ(dib.PixelAt(3, 5), Rgb(0, 0, 255));
  EXPECT_EQ(dib.PixelAt(4, 5), Rgb(0x12, 0x34, 0x56));
  EXPECT_EQ(dib.PixelAt(5, 5), kWhite);
  EXPECT_EQ(dib.PixelAt(3, 6), kWhite);
}

TEST(Dib24, RowsAreBottomUpBgrPaddedToFourBytes) {
  ScreenDc screen;
  Dib24 dib(screen.get(), 3, 2);
  GdiSurface s(dib.dc());
  s.FillBox(0, 0, 3, 1, Rgb(10, 20, 30));  // the top row
  auto bits = dib.bits();
  ASSERT_EQ(bits.size(), 24u);
  EXPECT_EQ(bits[12], 30);  // top row stored second, blue first
  EXPECT_EQ(bits[13], 20);
  EXPECT_EQ(bits[14], 10);
  EXPECT_EQ(bits[0], 255);
}

}  // namespace
}  // namespace dv::win
