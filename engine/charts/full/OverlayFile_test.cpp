#include "charts/full/OverlayFile.h"

#include <gtest/gtest.h>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartTestData.h"
#include "output/CellDump.h"
#include "output/pictures/PictureDecode.h"

namespace dv {
namespace {

std::string Picture(const std::string& name) {
  return std::string(DORVANE_TESTDATA) + "/../sample/pictures/" + name;
}

TEST(ParseOverlayFile, ReadsBothKindsAndNamesBadLines) {
  const auto lines = ParseOverlayFile(
      "# comment\n"
      "image 2 3 12 13 C:\\My Pictures\\a b.jpg\r\n"
      "\n"
      "text 4 5 6 7 centre Two\\nlines \\\\ here\n"
      "text 4 5 6 7 middle x\n"
      "image 1 2 3\n"
      "image 1 2 3 4\n");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].line, 2);
  EXPECT_EQ(lines[0].rect, (CellRect{2, 3, 12, 13}));
  EXPECT_EQ(lines[0].content, "C:\\My Pictures\\a b.jpg");
  EXPECT_EQ(lines[0].alignment, kOverlayPicture);
  EXPECT_EQ(lines[1].content, "Two\nlines \\ here");
  EXPECT_EQ(lines[1].alignment, kOverlayCentre);
  EXPECT_EQ(lines[2].error, "bad line");
  EXPECT_EQ(lines[3].error, "bad line");
  EXPECT_EQ(lines[4].error, "bad line");
}

// On a real chart: items go where it is free and are refused over people,
// the title, the page edge and each other; the dump shows them.
class OnAChart : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::GedcomBuilder b;
    const int base = testing::Pedigree(b, 3);
    b.LoadInto(store);
    o.title = 1;
    ASSERT_TRUE(chart.Run(store, base, o, page).ok());
    overlays.SetChart(OverlayChartOf(chart));
    context.chartFont = Settings().fonts[kChartFont];
  }
  // The first free w x h rectangle (scanning lines, then columns) that
  // stays 3 cells away from avoid.
  CellRect FindFree(int w, int h, CellRect avoid = {}) const {
    const OverlayChart& c = overlays.chart();
    for (int top = 2; top + h < c.chartLines; ++top)
      for (int left = 2; left + w < c.chartColumns; ++left) {
        const CellRect r{left, top, left + w, top + h};
        if (overlays.Test(r) == 0 && (avoid.empty() || !avoid.Enlarged(3).Intersects(r)))
          return r;
      }
    ADD_FAILURE() << "no free " << w << " x " << h;
    return {};
  }
  static std::string Edges(const CellRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom);
  }
  std::vector<OverlayOutcome> Place(const std::string& text) {
    return PlaceOverlayLines(overlays, ParseOverlayFile(text), Settings().fonts[kFont4], measure,
                             8, 12, context);
  }
  RecordStore store;
  FullChart chart;
  FullChartOptions o;
  FullChartPage page;
  Overlays overlays;
  OverlayContext context;
  CellRecorder measure;
};

TEST_F(OnAChart, ItemsArePlacedWhereFreeAndRefusedElsewhere) {
  const OverlayChart& c = overlays.chart();
  ASSERT_FALSE(c.people.empty());
  ASSERT_TRUE(c.hasTitle);
  // A person near a page edge would be refused for the edge first: take the
  // first one that stands clear of every page edge.
  CellRect person{};
  bool found = false;
  for (const CellRect& p : c.people) {
    const auto trial = Place("text " + Edges(p) + " left probe\n");
    if (trial.size() == 1 && trial[0].reason == "person") {
      person = p;
      found = true;
      break;
    }
  }
  ASSERT_TRUE(found) << "no person clear of the page edges";
  const CellRect a = FindFree(16, 10);
  const CellRect b = FindFree(16, 4, a);
  const CellRect inside{a.left + 1, a.top + 1, a.left + 5, a.top + 4};
  const int titleLine = std::max(c.title.top, 2);
  ASSERT_LT(titleLine, c.title.bottom);
  const CellRect onTitle{c.title.left + 2, titleLine, c.title.left + 5, titleLine + 1};
  const std::string text = "image " + Edges(a) + " " + Picture("map.bmp") + "\n" +
                           "text " + Edges(person) + " left on a person\n" +
                           "text " + Edges(onTitle) + " left on the title\n" +
                           "text 0 0 5 5 left at the corner\n" +
                           "text " + Edges(inside) + " left on the picture\n" +
                           "text " + Edges(b) + " centre Our family\n";
  const auto out = Place(text);
  ASSERT_EQ(out.size(), 6u);
  EXPECT_TRUE(out[0].placed) << out[0].reason;
  EXPECT_EQ(out[0].message, 0) << out[0].detail;
  EXPECT_EQ(out[1].reason, "person");
  EXPECT_EQ(out[2].reason, "title");
  EXPECT_EQ(out[3].reason, "page edge");
  EXPECT_EQ(out[4].reason, "item 1");
  EXPECT_TRUE(out[5].placed) << out[5].reason;
  EXPECT_EQ(overlays.count(), 2);
  // The 180 x 120 map fitted into 16 x 10 cells of 8 x 12 (128 x 120)
  // is 128 x 85: its box follows, 16 x 8 cells.
  EXPECT_EQ(overlays.item(0).rect, (CellRect{a.left, a.top, a.right, a.top + 8}));

  int status = 0;
  const std::string dump = DumpWithOverlays(chart, overlays, context, status);
  ASSERT_EQ(status, 0);
  EXPECT_NE(dump.find("\timage\t16x8\t\"" + Picture("map.bmp") + "\""), std::string::npos);
  EXPECT_NE(dump.find("\ttext\t10\t\"Our family\""), std::string::npos);
  // Drawn after the chart: the picture comes after the chart's own texts of
  // its page.
  const std::size_t image = dump.find("\timage\t");
  const std::size_t lineStart = dump.rfind('\n', image) + 1;
  const std::string page = dump.substr(lineStart, dump.find('\t', lineStart) - lineStart);
  ASSERT_GE(lineStart, 2u);
  const std::size_t before = dump.rfind('\n', lineStart - 2);
  const std::size_t prevStart = before == std::string::npos ? 0 : before + 1;
  EXPECT_EQ(dump.substr(prevStart, page.size() + 1), page + "\t");
}

TEST_F(OnAChart, APictureThatCannotBeLoadedKeepsItsItemAndSaysWhy) {
  const auto out = Place("image " + Edges(FindFree(6, 3)) + " /no/such/folder/gone.png\n");
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(out[0].placed);
  EXPECT_EQ(out[0].message, kMsgPicCannotOpen);
  int status = 0;
  EXPECT_EQ(DumpWithOverlays(chart, overlays, context, status).find("\timage\t"),
            std::string::npos);
}

}  // namespace
}  // namespace dv
