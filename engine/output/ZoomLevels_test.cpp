#include "output/ZoomLevels.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dv {
namespace {

// A screen whose fonts have exactly the requested size: fixed pitch cells of
// the requested width (or 3/5 of the height), one pixel of external leading;
// proportional when asked, with letters 2 wider than the average.
class FakeScreen : public DrawSurface {
 public:
  explicit FakeScreen(bool proportional = false) : proportional_(proportional) {}
  FontMetrics SelectFont(const FontRecord& f) override {
    font_ = f;
    FontFields s = FontFieldsOf(f);
    FontMetrics m;
    m.height = s.height;
    m.externalLeading = 1;
    m.averageCharWidth = s.width > 0 ? s.width : s.height * 3 / 5;
    m.maxCharWidth = m.averageCharWidth;
    m.fixedPitch = !proportional_;
    return m;
  }
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view t) override {
    FontFields s = FontFieldsOf(font_);
    int advance = s.width > 0 ? s.width : s.height * 3 / 5;
    if (proportional_) advance += 2;
    return {int(t.size()) * advance, s.height};
  }
  void SetTextColour(Colour) override {}
  void SetBackground(Background, Colour) override {}
  void SetPen(const Pen&) override {}
  void SetOrigin(int, int) override {}
  void Text(int, int, std::string_view) override {}
  void HorizontalRule(int, int, int) override {}
  void VerticalRule(int, int, int) override {}
  void FrameBox(int, int, int, int) override {}
  void FillBox(int, int, int, int, Colour) override {}

 private:
  bool proportional_;
  FontRecord font_{};
};

FontRecord ChartFont(int height, int weight) {
  FontRecord f;
  std::int32_t h = height, w = weight;
  std::memcpy(f.bytes.data(), &h, 4);
  std::memcpy(f.bytes.data() + 16, &w, 4);
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

// The cells of the zoom table on a square-pixel screen with fixed-pitch fonts.
CellSize TableCell(int zoom) { return {kZoomFontWidths[zoom], kZoomFontHeights[zoom] + 1}; }

TEST(ScreenFont, TableSizeWidthCorrectedForPixelShape) {
  FontRecord f = ScreenFontFor(5, ChartFont(-7, 700), 120, 96, 0);
  EXPECT_EQ(FontFieldsOf(f).height, 15);
  EXPECT_EQ(FontFieldsOf(f).width, 11);  // 9 * 120 / 96
  EXPECT_EQ(FontFieldsOf(f).weight, 700);
  EXPECT_EQ(FontFieldsOf(ScreenFontFor(3, ChartFont(-7, 700), 96, 96, 0)).weight, 400);
  EXPECT_EQ(FontFieldsOf(ScreenFontFor(3, ChartFont(-7, 700), 96, 96, -1)).width, 0);
}

TEST(ScreenCell, FixedPitchUsesTheAverageWidth) {
  FakeScreen screen;
  CellSize c = ScreenCellSize(screen, 4, ChartFont(-7, 400), 96, 96, 0, {});
  EXPECT_EQ(c, (CellSize{7, 13}));
}

TEST(ScreenCell, ProportionalFontUsesTheLetters) {
  FakeScreen screen(true);
  // Letters of 12 * 3 / 5 + 2 = 9 pixels: (52 * 9 / 26 + 1) / 2 = 9.
  CellSize c = ScreenCellSize(screen, 4, ChartFont(-7, 400), 96, 96, 0, {});
  EXPECT_EQ(c.width, 9);
}

TEST(ScreenCell, UsersProportionalFontIsWidenedUntilTheChartFits) {
  FakeScreen screen(true);
  FitTest overflowsBelow12 = [](int width) { return width < 12; };
  EXPECT_EQ(ScreenCellSize(screen, 4, ChartFont(-7, 400), 96, 96, -1, overflowsBelow12).width, 12);
  // Zoom 1 and the default fonts are never widened.
  EXPECT_EQ(ScreenCellSize(screen, 4, ChartFont(-7, 400), 96, 96, 0, overflowsBelow12).width, 9);
  EXPECT_EQ(ScreenCellSize(screen, 1, ChartFont(-7, 400), 96, 96, -1, overflowsBelow12).width, 3);
  // A fit test that never passes ends after a bounded widening.
  FitTest never = [](int) { return true; };
  EXPECT_GT(ScreenCellSize(screen, 4, ChartFont(-7, 400), 96, 96, -1, never).width, 9);
}

TEST(TitleFont, WidenedUntilTheTitleSpansItsCellsOnPaper) {
  FakeScreen screen;  // fixed pitch: text width = characters x font width
  // 20 characters that take 600 printer pixels (20 cells of 30) on paper;
  // on screen cells are 7 wide, so the font must be 7 wide.
  FontRecord f = FitScreenTitleFont(screen, ChartFont(-20, 700), 4, 100, 50,
                                    "ABCDEFGHIJKLMNOPQRST", 600, 30, 7);
  EXPECT_EQ(FontFieldsOf(f).width, 7);
  EXPECT_EQ(FontFieldsOf(f).height, 25);  // 12 * 100 / 50 = 24, plus the leading
  // A title twice as wide on paper needs a font twice as wide.
  f = FitScreenTitleFont(screen, ChartFont(-20, 700), 4, 100, 50, "ABCDEFGHIJKLMNOPQRST", 1200, 30, 7);
  EXPECT_EQ(FontFieldsOf(f).width, 14);
}

TEST(Zoom, SmallChartOpensAtFour) {
  ZoomState z;
  EXPECT_EQ(StartZoom(z, 160, 130, 7, 0, TableCell), 0);
  EXPECT_EQ(z.zoomLevel, 4);
  EXPECT_EQ(z.maxZoomLevel, 7);
  EXPECT_EQ(z.cell, (CellSize{7, 13}));
}

TEST(Zoom, TallChartFontOpensLargerButNotAboveSix) {
  ZoomState z;
  StartZoom(z, 160, 130, 16, 0, TableCell);
  EXPECT_EQ(z.zoomLevel, 6);
  StartZoom(z, 160, 130, 40, 0, TableCell);
  EXPECT_EQ(z.zoomLevel, 6);
}

TEST(Zoom, FourThousandColumnsStopsMagnifyAtEightPixels) {
  ZoomState z;
  ASSERT_EQ(StartZoom(z, 4000, 100, 7, 0, TableCell), 0);
  EXPECT_EQ(z.maxCellWidth, 8);  // 32767 / 4000
  EXPECT_EQ(z.zoomLevel, 4);    // 7 pixels fit
  EXPECT_EQ(Magnify(z, TableCell), ZoomChange::kLimitReached);
  EXPECT_EQ(z.zoomLevel, 4);
  EXPECT_EQ(z.maxZoomLevel, 4);
  EXPECT_EQ(Magnify(z, TableCell), ZoomChange::kNone);
  EXPECT_EQ(Reduce(z, TableCell), ZoomChange::kChanged);
  EXPECT_EQ(z.zoomLevel, 3);
  EXPECT_EQ(Magnify(z, TableCell), ZoomChange::kChanged);
  EXPECT_EQ(z.cell.width, 7);
}

TEST(Zoom, WideChartOpensLowerAndLowersTheMaximum) {
  ZoomState z;
  ASSERT_EQ(StartZoom(z, 6000, 100, 7, 0, TableCell), 0);  // cells of at most 5
  EXPECT_EQ(z.zoomLevel, 2);
  EXPECT_EQ(z.maxZoomLevel, 2);
}

TEST(Zoom, ChartTooLargeAtEveryLevel) {
  ZoomState z;
  EXPECT_EQ(StartZoom(z, 20000, 100, 7, 0, TableCell), kChartTooLargeToDisplay);
  EXPECT_EQ(z.displayEnabled, 0);
  EXPECT_EQ(z.zoomLevel, 0);
}

TEST(Zoom, ReduceStopsAtTheMinimum) {
  ZoomState z;
  StartZoom(z, 100, 100, 7, 1, TableCell);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Reduce(z, TableCell), ZoomChange::kChanged);
  EXPECT_EQ(z.zoomLevel, 1);
  EXPECT_EQ(Reduce(z, TableCell), ZoomChange::kNone);
}

}  // namespace
}  // namespace dv
