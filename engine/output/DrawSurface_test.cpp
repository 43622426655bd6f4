#include "output/DrawSurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dv {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroLikeWindows) {
  EXPECT_EQ(MulDiv(8, 600, 96), 50);
  EXPECT_EQ(MulDiv(1, 3, 2), 2);
  EXPECT_EQ(MulDiv(-1, 3, 2), -2);
  EXPECT_EQ(MulDiv(10, 1, 3), 3);
  EXPECT_EQ(MulDiv(100000, 100000, 1), -1);  // does not fit 32 bits
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(RulePenWidth, PaperKeepsTheWidthScreenScalesIt) {
  EXPECT_EQ(RulePenWidth(6, 12, 50, 0), 6);
  EXPECT_EQ(RulePenWidth(6, 12, 50, 1), 1);    // 72 / 50
  EXPECT_EQ(RulePenWidth(6, 30, 50, 1), 3);    // 180 / 50
  EXPECT_EQ(RulePenWidth(6, 30, 0, 1), 6);     // no printer line height: unscaled
}

TEST(FontFieldsOf, ReadsTheLogfontFields) {
  FontRecord f;
  std::int32_t height = -13, width = 7, weight = 700;
  std::memcpy(f.bytes.data(), &height, 4);
  std::memcpy(f.bytes.data() + 4, &width, 4);
  std::memcpy(f.bytes.data() + 16, &weight, 4);
  f.bytes[20] = 1;
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  FontFields s = FontFieldsOf(f);
  EXPECT_EQ(s.height, -13);
  EXPECT_EQ(s.width, 7);
  EXPECT_EQ(s.weight, 700);
  EXPECT_TRUE(s.italic);
  EXPECT_EQ(s.face, "Courier New");
}

TEST(FontFieldsOf, FaceWithoutTerminatorStopsAtTheField) {
  FontRecord f;
  std::memset(f.bytes.data() + 28, 'A', 32);
  EXPECT_EQ(FontFieldsOf(f).face, std::string(32, 'A'));
}

}  // namespace
}  // namespace dv
