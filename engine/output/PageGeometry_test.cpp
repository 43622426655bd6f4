#include "output/PageGeometry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dv {
namespace {

FontRecord CourierNew(int height) {
  FontRecord f;
  std::int32_t h = height;
  std::memcpy(f.bytes.data(), &h, 4);
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

// A reading with a device mode and paper code but no context: the page comes
// from the paper size or the fallback table.
PrinterReading NoContext(int paperCode, int orientation, int length = 0, int width = 0) {
  PrinterReading r;
  r.hasDevMode = true;
  r.paperCode = paperCode;
  r.orientation = orientation;
  r.devModeLength = length;
  r.devModeWidth = width;
  return r;
}

struct FallbackCase {
  int code;
  bool landscape;
  int nameId, columns, lines;
};

TEST(FallbackPaper, EveryCodeAndOrientation) {
  const FallbackCase cases[] = {
      {1, false, kPaperAnsiA, 170, 132},   {1, true, kPaperAnsiA, 220, 102},
      {257, false, kPaperAnsiA, 170, 132}, {17, false, kPaperAnsiB, 220, 204},
      {258, true, kPaperAnsiB, 340, 132},  {24, false, kPaperAnsiC, 340, 264},
      {259, true, kPaperAnsiC, 440, 204},  {25, false, kPaperAnsiD, 440, 408},
      {260, true, kPaperAnsiD, 680, 264},  {26, false, kPaperAnsiE, 680, 528},
      {261, true, kPaperAnsiE, 880, 408},  {9, false, kPaperIsoA4, 165, 140},
      {9, true, kPaperIsoA4, 233, 99},     {262, true, kPaperIsoA4, 233, 99},
      {8, false, kPaperIsoA3, 233, 198},   {263, true, kPaperIsoA3, 330, 140},
      {264, false, kPaperIsoA2, 330, 280}, {264, true, kPaperIsoA2, 466, 198},
      {265, false, kPaperIsoA1, 466, 396}, {265, true, kPaperIsoA1, 660, 280},
      {266, false, kPaperIsoA0, 660, 560}, {266, true, kPaperIsoA0, 932, 396},
      {256, false, kPaperUserDefined, 0, 0}, {279, true, kPaperUserDefined, 0, 0},
      {42, false, kPaperUnrecognized, 0, 0},
  };
  for (const auto& c : cases) {
    PaperEntry e = FallbackPaper(c.code, c.landscape);
    EXPECT_EQ(e.nameId, c.nameId) << c.code;
    EXPECT_EQ(e.columns, c.columns) << c.code << (c.landscape ? " landscape" : " portrait");
    EXPECT_EQ(e.lines, c.lines) << c.code << (c.landscape ? " landscape" : " portrait");
  }
}

TEST(PageGeometryNoPrinter, FallbackCellsMinusOne) {
  PageGeometry g;
  int fontsState = 0;
  PaperReport r = ComputePageGeometry(NoContext(1, 1), {}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 169);
  EXPECT_EQ(g.pageLines, 131);
  EXPECT_EQ(r.nameId, kPaperAnsiA);
  EXPECT_EQ(r.landscape, 0);
  EXPECT_EQ(r.lengthMm, 0);  // size unknown
  EXPECT_EQ(fontsState, 1);
  EXPECT_EQ(g.printerCharWidth, 15);
  EXPECT_EQ(g.printerLineHeight, 25);

  ComputePageGeometry(NoContext(9, 2), {}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 232);
  EXPECT_EQ(g.pageLines, 98);
}

TEST(PageGeometryNoPrinter, PaperSizeGivesTwentyColumnsAndTwelveLinesPerInch) {
  PageGeometry g;
  int fontsState = 0;
  // A4 portrait, 297 x 210 mm, the same as the table's A4 minus one.
  PaperReport r = ComputePageGeometry(NoContext(9, 1, 2970, 2100), {}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 164);
  EXPECT_EQ(g.pageLines, 139);
  EXPECT_EQ(r.lengthMm, 297);
  EXPECT_EQ(r.widthMm, 210);
  EXPECT_EQ(g.paperLengthTwips, 2970 * 1440 / 254);
  // Landscape puts the long side across.
  ComputePageGeometry(NoContext(9, 2, 2970, 2100), {}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 232);
  EXPECT_EQ(g.pageLines, 98);
}

TEST(PageGeometryNoPrinter, UnknownPaperGivesAZeroPage) {
  PageGeometry g;
  int fontsState = 0;
  PaperReport r = ComputePageGeometry(NoContext(256, 1), {2, 2, 3, 3}, g, fontsState);
  EXPECT_EQ(r.nameId, kPaperUserDefined);
  EXPECT_EQ(g.pageColumns, 0);
  EXPECT_EQ(g.pageLines, 0);
  EXPECT_EQ(g.usableColumns, -6);
}

TEST(PageGeometryNoPrinter, NoPrinterAndNoDeviceModeIsALetterPage) {
  PageGeometry g;
  int fontsState = 0;
  PrinterReading none;
  PaperReport r = ComputePageGeometry(none, {}, g, fontsState);
  EXPECT_EQ(r.landscape, -1);
  EXPECT_EQ(g.pageColumns, 169);
  EXPECT_EQ(g.pageLines, 131);
  EXPECT_EQ(fontsState, 1);
}

TEST(PageGeometryPrinter, WithoutDeviceModeTheMeasuredPageStays) {
  PrinterReading r;
  r.hasContext = true;
  r.horzRes = 4800;
  r.vertRes = 6360;
  r.cellWidth = 30;
  r.lineHeight = 50;
  PageGeometry g;
  int fontsState = 0;
  PaperReport p = ComputePageGeometry(r, {}, g, fontsState);
  EXPECT_EQ(p.landscape, -1);
  EXPECT_EQ(g.pageColumns, 159);
  EXPECT_EQ(fontsState, 0);
}

TEST(PageGeometryPrinter, PageFromTheMeasuredCell) {
  // 600 dpi Letter: 4800 x 6360 printable pixels, the 50 x 30 printer font.
  PrinterReading r;
  r.hasContext = true;
  r.horzRes = 4800;
  r.vertRes = 6360;
  r.cellWidth = 30;
  r.lineHeight = 50;
  r.hasDevMode = true;
  r.paperCode = 1;
  r.paperListed = true;
  r.paperName = "Letter";
  r.listLength = 2794;
  r.listWidth = 2159;
  PageGeometry g;
  int fontsState = 0;
  PaperReport p = ComputePageGeometry(r, {3, 2, 4, 1}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 159);
  EXPECT_EQ(g.pageLines, 126);
  EXPECT_EQ(g.usableColumns, 154);
  EXPECT_EQ(g.usableLines, 121);
  EXPECT_EQ(g.printerCharWidth, 30);
  EXPECT_EQ(g.printerLineHeight, 50);
  EXPECT_EQ(p.nameId, 0);
  EXPECT_EQ(p.paperName, "Letter");
  EXPECT_EQ(p.lengthMm, 279);
  EXPECT_EQ(p.widthMm, 215);
  EXPECT_EQ(fontsState, 0);
  EXPECT_FALSE(p.metricsGuessed);
}

TEST(PageGeometryPrinter, UnlistedPaperCodeGuessesTheMetricsButKeepsThePage) {
  PrinterReading r;
  r.hasContext = true;
  r.horzRes = 4800;
  r.vertRes = 6360;
  r.cellWidth = 30;
  r.lineHeight = 50;
  r.hasDevMode = true;
  r.paperCode = 9;
  PageGeometry g;
  int fontsState = 0;
  PaperReport p = ComputePageGeometry(r, {}, g, fontsState);
  EXPECT_EQ(p.nameId, kPaperIsoA4);
  EXPECT_EQ(g.pageColumns, 159);
  EXPECT_EQ(g.printerCharWidth, 15);
  EXPECT_EQ(g.printerLineHeight, 25);
  EXPECT_EQ(fontsState, 1);
  EXPECT_TRUE(p.metricsGuessed);
}

TEST(PrinterFont, SixHundredDpiPrinterNinetySixDpiScreen) {
  // Courier New 7 on a 96 dpi screen: 96 is not a multiple of 7, so the
  // nominal height is 8; the printer font is 50 high and 30 wide.
  PrinterFontSize s = PrinterFontFor(-7, 0, 96, 600, 600);
  EXPECT_EQ(s.nominalHeight, 8);
  EXPECT_EQ(s.height, 50);
  EXPECT_EQ(s.width, 30);
  FontRecord f = PrinterFontRecord(CourierNew(-7), s);
  EXPECT_EQ(FontFieldsOf(f).height, 50);
  EXPECT_EQ(FontFieldsOf(f).width, 30);
  EXPECT_EQ(FontFieldsOf(f).face, "Courier New");
}

TEST(PrinterFont, HeightDividingTheScreenDpiIsKept) {
  PrinterFontSize s = PrinterFontFor(8, 0, 96, 300, 300);
  EXPECT_EQ(s.nominalHeight, 8);
  EXPECT_EQ(s.height, 25);
}

TEST(PrinterFont, UsersOwnFontKeepsItsStoredHeightAndNaturalWidth) {
  PrinterFontSize s = PrinterFontFor(-7, -1, 96, 600, 600);
  EXPECT_EQ(s.nominalHeight, -7);
  EXPECT_EQ(s.height, -44);  // -7 * 600 / 96 = -43.75
  EXPECT_EQ(s.width, 0);
}

TEST(PrinterDialogPage, MillimetresGiveCellsWithoutMinusOne) {
  int columns = 0, lines = 0;
  PageFromMillimetres(297, 210, false, columns, lines);
  EXPECT_EQ(columns, 165);
  EXPECT_EQ(lines, 140);
  PageFromMillimetres(297, 210, true, columns, lines);
  EXPECT_EQ(columns, 233);
  EXPECT_EQ(lines, 99);
}

// A printer font whose cell is height + 2 high and 3/5 of the height (or the
// requested width) wide.
FontMetrics FakeCourier(const FontRecord& f) {
  FontFields s = FontFieldsOf(f);
  FontMetrics m;
  m.height = s.height;
  m.externalLeading = 2;
  m.averageCharWidth = s.width > 0 ? s.width : s.height * 3 / 5;
  m.maxCharWidth = m.averageCharWidth;
  return m;
}

TEST(BirthBriefFit, LargestCellThatHoldsTheChart) {
  // W = 23, no margins: 6 * 23 + 34 = 172 columns and 130 lines.
  EXPECT_EQ(BirthBriefColumns(23, {}), 172);
  BirthBriefFit fit = FitBirthBriefPrinterFont(4800, 6360, 23, {}, FakeCourier);
  // Cell 27 x 48: height lowered to 46 so that 46 + 2 fits; width 27.
  EXPECT_EQ(FontFieldsOf(fit.font).height, 46);
  EXPECT_EQ(FontFieldsOf(fit.font).width, 27);
  EXPECT_EQ(FontFieldsOf(fit.font).weight, 700);
  EXPECT_EQ(FontFieldsOf(fit.font).face, "Courier New");
  EXPECT_EQ(fit.printerLineHeight, 48);
  EXPECT_EQ(fit.printerCharWidth, 27);
  EXPECT_EQ(fit.pageColumns, 177);  // no minus one here
  EXPECT_EQ(fit.pageLines, 131);
}

TEST(BirthBriefFit, TinyPrintableAreaStopsAtOnePixel) {
  BirthBriefFit fit = FitBirthBriefPrinterFont(10, 10, 23, {}, FakeCourier);
  EXPECT_EQ(FontFieldsOf(fit.font).height, 1);
  EXPECT_GE(FontFieldsOf(fit.font).width, 1);
}

TEST(DeviceNames, SplitAtCommasAndBlanks) {
  PrinterNames n;
  EXPECT_EQ(SplitDeviceNames("Office Laser", "winspool", "LPT1:", n), 0);
  EXPECT_EQ(n.device, "Office Laser");  // blanks allowed in the device
  EXPECT_EQ(n.driver, "winspool");
  EXPECT_EQ(n.port, "LPT1:");
  EXPECT_EQ(SplitDeviceNames("Laser", "winspool", "Ne00: extra", n), 0);
  EXPECT_EQ(n.port, "Ne00:");
  EXPECT_EQ(SplitDeviceNames("Laser", "", "LPT1:", n), kCannotInitialisePrinter);
  EXPECT_EQ(SplitDeviceNames("Laser", "winspool", "", n), kCannotInitialisePrinter);
  EXPECT_EQ(SplitDeviceNames("", "winspool", "LPT1:", n), kCannotInitialisePrinter);
}

TEST(PrintChart, PageMustHoldTheUsableArea) {
  PageGeometry g;
  g.usableColumns = 150;
  g.usableLines = 120;
  EXPECT_TRUE(PageHoldsChart(4800, 6360, 30, 50, g));
  EXPECT_FALSE(PageHoldsChart(4400, 6360, 30, 50, g));
  EXPECT_FALSE(PageHoldsChart(4800, 5000, 30, 50, g));
  EXPECT_FALSE(PageHoldsChart(4800, 6360, 0, 50, g));
}

TEST(PrintChart, CopiesCollatedAndNot) {
  EXPECT_EQ(PrintSequence({1, 2, 3}, 2, false), (std::vector<int>{1, 1, 2, 2, 3, 3}));
  EXPECT_EQ(PrintSequence({1, 2, 3}, 2, true), (std::vector<int>{1, 2, 3, 1, 2, 3}));
  EXPECT_EQ(PrintSequence({4}, 0, false), (std::vector<int>{4}));
}

TEST(PrintChart, PageArgumentFromThePageListOrTheRunningNumber) {
  ChartGrid grid;
  grid.pageList = {{2, 0}, {5, 40}, {6, 90}};
  EXPECT_EQ(PrintedPageArgument(grid, 1, 0), 5);
  EXPECT_EQ(PrintedPageArgument(grid, 1, 3), 2);
}

}  // namespace
}  // namespace dv
