#include "charts/full/FullChart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"
#include "output/ZoomLevels.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

// A family with ancestors four generations up and, under the base's
// parents, three married children with children of their own.
int Relatives(GedcomBuilder& b) {
  const int base = testing::Pedigree(b, 4);
  for (int k = 0; k < 3; ++k) {
    const int sibling = b.Person("Sib" + std::to_string(k) + " /Line/", k % 2, "1993");
    (void)sibling;
  }
  for (int f = 1; f <= 7; ++f) {
    std::vector<int> kids;
    for (int i = 0; i < 3; ++i)
      kids.push_back(b.Person("Cousin" + std::to_string(f * 10 + i) + " /C/", i % 2, "1970"));
    const int uncle = b.Person("Uncle" + std::to_string(f) + " /U/", 1, "1940");
    b.Family(uncle, b.Person("Aunt" + std::to_string(f) + " /A/", 0), kids, "1965", "Town");
    (void)uncle;
  }
  return base;
}

class Chart : public ::testing::Test {
 protected:
  ChartStatus Run(const GedcomBuilder& b, int base) {
    b.LoadInto(store);
    return chart.Run(store, base, o, page);
  }
  RecordStore store;
  FullChart chart;
  FullChartOptions o;
  FullChartPage page;
};

TEST_F(Chart, ThePrintedPagesKeepEveryTextClearAndOnItsPage) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 5);
  page.pageColumns = 120;
  page.pageLines = 40;
  for (bool fold : {false, true}) {
    o.fold = fold;
    ASSERT_TRUE(Run(b, base).ok());
    EXPECT_EQ(testing::ChartFaults(chart), "");
    EXPECT_GT(chart.Extent().pagesAcross, 1);
    EXPECT_GT(chart.Extent().pagesDown, 1);
  }
}

TEST_F(Chart, TheResultTextGivesSizePagesAndCounts) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 2);
  o.noPageBreaks = true;
  ASSERT_TRUE(Run(b, base).ok());
  const FullChartExtent& e = chart.Extent();
  char expected[200];
  std::snprintf(
      expected, sizeof expected,
      "Size: %.1f x %.1fin.  (1 x 1 pages)\nNumber of pages: 1\n7  individuals, 3  families",
      (e.chartColumns - 2) * 15 / 300.0, e.chartLines * 25 / 300.0);
  EXPECT_EQ(chart.ResultText(15, 25, 300, 300), expected);
}

TEST_F(Chart, AFailedRunReleasesTheChart) {
  GedcomBuilder b;
  const int base = b.Person("Lone /One/", 0);
  const ChartStatus st = Run(b, base);
  EXPECT_FALSE(st.ok());
  EXPECT_FALSE(chart.HasChart());
  int status = 0;
  EXPECT_EQ(chart.Dump(status), "");
}

TEST_F(Chart, TheTitleIsTriedAgainOnTheNextRun) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 1);
  o.title = -1;  // not placed last time
  ASSERT_TRUE(Run(b, base).ok());
  EXPECT_GT(chart.Options().title, 0);
  EXPECT_TRUE(chart.Composed().title.placed);
  EXPECT_TRUE(chart.notices().empty());
}

TEST_F(Chart, ATitleWithoutSpaceIsReportedAndTheChartStillDraws) {
  GedcomBuilder b;
  const int base =
      b.Person("Bartholomew Maximilian Fitzwilliam /Cholmondeley-Featherstonehaugh/", 1);
  b.Couple("Cholmondeley-Featherstonehaugh", "Father", "Mother", {base});
  o.title = 1;
  page.pageColumns = 60;  // the three-line title is wider than the page
  ASSERT_TRUE(Run(b, base).ok());
  ASSERT_EQ(chart.notices().size(), 1u);
  EXPECT_LT(chart.Options().title, 0);
  int status = 0;
  EXPECT_NE(chart.Dump(status), "");
  EXPECT_EQ(status, 0);
}

TEST_F(Chart, PageNumbersRaiseOnlyTheChartsOwnMargin) {
  FullChartOptions numbers;
  numbers.pageNumbers = 1;
  FullChartPage p;
  p.marginBottom = 0;
  p.marginTop = 3;
  EXPECT_EQ(PageForNumbers(p, numbers, 2).marginBottom, 2);
  EXPECT_EQ(PageForNumbers(p, numbers, 2).marginTop, 3);
  numbers.pageNumbers = 4;  // top, on blank pages too
  EXPECT_EQ(PageForNumbers(p, numbers, 5).marginTop, 5);
  EXPECT_EQ(PageNumberLines(24, 25), 1);
  EXPECT_EQ(PageNumberLines(60, 25), 3);
}

TEST_F(Chart, RelativesWithCousinsDrawCleanly) {
  GedcomBuilder b;
  const int base = Relatives(b);
  page.pageColumns = 100;
  page.pageLines = 70;
  ASSERT_TRUE(Run(b, base).ok());
  EXPECT_EQ(testing::ChartFaults(chart), "");
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// The recorder measures 8 units a character: texts fit cells of 8 exactly
// and overflow narrower ones.
TEST(FullChartFit, TextsOverflowNarrowerCellsAndOnlyTheHeldStyleIsMeasured) {
  testing::GedcomBuilder b;
  const int base = testing::Pedigree(b, 3);
  RecordStore store;
  b.LoadInto(store);
  FullChart chart;
  CellRecorder screen;
  EXPECT_FALSE(chart.Overflows(screen, 4, false));  // no chart held
  FullChartOptions options;
  ASSERT_TRUE(chart.Run(store, base, options, FullChartPage{}).ok());
  EXPECT_FALSE(chart.Overflows(screen, 8, false));
  EXPECT_TRUE(chart.Overflows(screen, 6, false));
  EXPECT_FALSE(chart.Overflows(screen, 6, true));  // a Tree holds no boxes
  options.boxChart = true;
  ASSERT_TRUE(chart.Run(store, base, options, FullChartPage{}).ok());
  EXPECT_FALSE(chart.Overflows(screen, 8, true));
  EXPECT_TRUE(chart.Overflows(screen, 5, true));
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// A screen whose fonts are as wide as their record says (half their height
// when the record leaves the width to the face); it writes down the font
// of every text it draws.
class FontScreen final : public DrawSurface {
 public:
  struct Drawn {
    std::string text;
    FontFields font;
  };
  FontMetrics SelectFont(const FontRecord& f) override {
    font_ = f;
    const FontFields fields = FontFieldsOf(f);
    FontMetrics m;
    m.height = std::abs(fields.height);
    m.averageCharWidth = fields.width > 0 ? fields.width : std::max(1, m.height / 2);
    m.maxCharWidth = m.averageCharWidth;
    m.fixedPitch = false;
    charWidth_ = m.averageCharWidth;
    return m;
  }
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view t) override {
    return {int(t.size()) * charWidth_, std::abs(FontFieldsOf(font_).height)};
  }
  void SetTextColour(Colour) override {}
  void SetBackground(Background, Colour) override {}
  void SetPen(const Pen&) override {}
  void SetOrigin(int, int) override {}
  void Text(int, int, std::string_view t) override {
    drawn.push_back({std::string(t), FontFieldsOf(font_)});
  }
  void HorizontalRule(int, int, int) override {}
  void VerticalRule(int, int, int) override {}
  void FrameBox(int, int, int, int) override {}
  void FillBox(int, int, int, int, Colour) override {}
  // The font the title line was last drawn in.
  FontFields TitleFont(const std::string& title) const {
    FontFields f;
    f.height = -1;
    for (const Drawn& d : drawn)
      if (d.text == title) f = d.font;
    return f;
  }
  std::vector<Drawn> drawn;

 private:
  FontRecord font_{};
  int charWidth_ = 1;
};

TEST_F(Chart, TheScreenTitleFontIsFittedToSpanTheTitlesCellsOnPaper) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 1);
  o.title = 1;
  ASSERT_TRUE(Run(b, base).ok());
  const TitlePlace& t = chart.Composed().title;
  ASSERT_TRUE(t.placed);
  const std::string& title = t.oneLine ? t.lines[0] : t.lines[2];
  constexpr int cw = 8, ch = 12, zoom = 3, printerCharWidth = 10;

  // Not fitted yet: the screen draws the paper's title font, two cells high
  // and a cell wide.
  FontScreen screen;
  ASSERT_EQ(chart.Draw(screen, cw, ch, 0, 1), 0);
  EXPECT_EQ(screen.TitleFont(title).height, 2 * ch);
  EXPECT_EQ(screen.TitleFont(title).width, cw);

  FontRecord chartFont;
  chartFont.setHeight(-11);
  chartFont.setWidth(5);
  screen.SelectFont(chartFont);
  chart.FitScreenTitle(screen, zoom, cw, printerCharWidth);
  // The screen's own font is put back.
  EXPECT_EQ(FontFieldsOf(screen.CurrentFont()).height, -11);
  EXPECT_EQ(FontFieldsOf(screen.CurrentFont()).width, 5);

  screen.drawn.clear();
  ASSERT_EQ(chart.Draw(screen, cw, ch, 0, 1), 0);
  const FontFields fitted = screen.TitleFont(title);
  // Twice the zoom's font height (the title's printer line height over the
  // printer's), and the widest width whose title stays within its cells.
  EXPECT_EQ(fitted.height, 2 * kZoomFontHeights[zoom]);
  const auto cells = [&](int width) { return int(title.size()) * width / cw; };
  EXPECT_LE(cells(fitted.width), t.width);
  EXPECT_GE(cells(fitted.width + 1), t.width);

  // Paper keeps its own font; a new run forgets the fitted one.
  screen.drawn.clear();
  ASSERT_EQ(chart.Draw(screen, cw, ch, 0, 0), 0);
  EXPECT_EQ(screen.TitleFont(title).height, 2 * ch);
  ASSERT_TRUE(Run(b, base).ok());
  screen.drawn.clear();
  ASSERT_EQ(chart.Draw(screen, cw, ch, 0, 1), 0);
  EXPECT_EQ(screen.TitleFont(title).height, 2 * ch);
  EXPECT_EQ(screen.TitleFont(title).width, cw);
}

}  // namespace
}  // namespace dv
