#include "output/pictures/PixelImage.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(FitPicture, KeepsProportionsInsideTheBox) {
  EXPECT_EQ(FitPicture(400, 100, 100, 100, false).width, 100);
  EXPECT_EQ(FitPicture(400, 100, 100, 100, false).height, 25);
  EXPECT_EQ(FitPicture(100, 400, 100, 100, false).width, 25);
  EXPECT_EQ(FitPicture(10, 10, 200, 100, false).height, 100);
  EXPECT_EQ(FitPicture(10, 10, 200, 100, false).width, 100);
}

// 190 x 100 into 100 x 90: whole-number ratios (100 / 90 and 190 / 100 are
// both 1) would call the height limiting and give 171 x 90, wider than the
// box; the cross-multiplied comparison limits the width.
TEST(FitPicture, NeverGrowsPastTheBox) {
  const PictureSize s = FitPicture(190, 100, 100, 90, false);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 52);
  for (int pw = 1; pw < 60; pw += 7)
    for (int ph = 1; ph < 60; ph += 5)
      for (int bw = 1; bw < 40; bw += 3)
        for (int bh = 1; bh < 40; bh += 4) {
          const PictureSize f = FitPicture(pw, ph, bw, bh, false);
          ASSERT_LE(f.width, bw);
          ASSERT_LE(f.height, bh);
          ASSERT_TRUE(f.width == bw || f.height == bh);
        }
}

TEST(FitPicture, DownwardsOnlyKeepsASmallPicture) {
  const PictureSize s = FitPicture(40, 20, 100, 100, true);
  EXPECT_EQ(s.width, 40);
  EXPECT_EQ(s.height, 20);
  EXPECT_EQ(FitPicture(400, 100, 100, 100, true).height, 25);
  EXPECT_EQ(FitPicture(0, 10, 10, 10, false).width, 0);
}

TEST(JpegScale, ByTheLimitingSide) {
  EXPECT_EQ(JpegScaleDenominator(800, 100, 100, 100), 8);
  EXPECT_EQ(JpegScaleDenominator(799, 100, 100, 100), 4);
  EXPECT_EQ(JpegScaleDenominator(200, 100, 100, 100), 2);
  EXPECT_EQ(JpegScaleDenominator(199, 100, 100, 100), 1);
  // Height limits here: 400 / 100 against 100 / 1000.
  EXPECT_EQ(JpegScaleDenominator(100, 400, 1000, 100), 4);
}

TEST(PictureSize, CapsAreCheckedIn64Bits) {
  EXPECT_TRUE(PictureSizeAccepted(4096, 4096));
  EXPECT_FALSE(PictureSizeAccepted(4097, 4096));
  EXPECT_FALSE(PictureSizeAccepted(65536, 65536));  // 2^32: 0 in 32 bits
  EXPECT_FALSE(PictureSizeAccepted(32768, 1));
  EXPECT_FALSE(PictureSizeAccepted(0, 5));
}

TEST(ScalePixels, AveragesWhenShrinkingAndRepeatsWhenEnlarging) {
  PixelImage p{2, 1, {0x000000, 0xFEFEFE}};
  const PixelImage half = ScalePixels(p, 1, 1);
  ASSERT_EQ(half.pixels.size(), 1u);
  EXPECT_EQ(half.pixels[0], 0x7F7F7Fu);
  const PixelImage big = ScalePixels(p, 4, 2);
  EXPECT_EQ(big.at(1, 1), 0x000000u);
  EXPECT_EQ(big.at(2, 0), 0xFEFEFEu);
  EXPECT_TRUE(ScalePixels(p, 0, 3).empty());
}

}  // namespace
}  // namespace dv
