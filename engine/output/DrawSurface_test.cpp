#include "output/DrawSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

namespace dv {
namespace {

// A surface that writes down the rules it is asked for.
class RuleLog final : public DrawSurface {
 public:
  FontMetrics SelectFont(const FontRecord&) override { return {}; }
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view) override { return {}; }
  void SetTextColour(Colour) override {}
  void SetBackground(Background, Colour) override {}
  void SetPen(const Pen&) override {}
  void SetOrigin(int, int) override {}
  void Text(int, int, std::string_view) override { log += "text;"; }
  void HorizontalRule(int x1, int x2, int y) override {
    log += "h" + std::to_string(x1) + "-" + std::to_string(x2) + "@" + std::to_string(y) + ";";
  }
  void VerticalRule(int x, int y1, int y2) override {
    log += "v" + std::to_string(y1) + "-" + std::to_string(y2) + "@" + std::to_string(x) + ";";
  }
  void FrameBox(int, int, int, int) override { log += "frame;"; }
  void FillBox(int, int, int, int, Colour) override { log += "fill;"; }
  std::string log;

 private:
  FontRecord font_{};
};

TEST(OutlineBox, DrawsTheFourEdgesAsRulesUnlessTheSurfaceKeepsBoxes) {
  RuleLog s;
  s.OutlineBox(10, 20, 50, 80);
  EXPECT_EQ(s.log, "h10-50@20;h10-50@80;v20-80@10;v20-80@50;");
}

}  // namespace
}  // namespace dv
