#include "output/PrintSetup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "output/GdiGuards.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

FontRecord CourierNew(int height) {
  FontRecord f;
  f.setHeight(height);
  f.setFaceName("Courier New");
  return f;
}

// A printer that does not exist, remembered with a device mode for paper.
void RememberMissingPrinter(short paperCode, short orientation, short length = 0,
                            short width = 0) {
  auto& printer = State().printer;
  printer.chosen = true;
  printer.target.driver = "winspool";
  printer.target.device = "No Such Printer";
  printer.target.port = "LPT1:";
  printer.target.devMode.assign(sizeof(DEVMODEA), 0);
  auto* mode = reinterpret_cast<DEVMODEA*>(printer.target.devMode.data());
  mode->dmSize = sizeof(DEVMODEA);
  mode->dmOrientation = orientation;
  mode->dmPaperSize = paperCode;
  mode->dmPaperLength = length;
  mode->dmPaperWidth = width;
}

using PageGeometryWithoutPrinter = ShellTest;

// The fallback page: 20 columns and 12 lines per inch of the sheet named
// in the last device mode, one less of each (the page sizes count from 0).
TEST_F(PageGeometryWithoutPrinter, EachPaperCodeAndOrientationGivesItsSheet) {
  struct Row {
    short code;
    int nameId;
    int portraitColumns, portraitLines, landscapeColumns, landscapeLines;
  };
  const Row rows[] = {
      {1, 5, 170, 132, 220, 102},   {257, 5, 170, 132, 220, 102}, {17, 6, 220, 204, 340, 132},
      {258, 6, 220, 204, 340, 132}, {24, 7, 340, 264, 440, 204},  {259, 7, 340, 264, 440, 204},
      {25, 8, 440, 408, 680, 264},  {260, 8, 440, 408, 680, 264}, {26, 9, 680, 528, 880, 408},
      {261, 9, 680, 528, 880, 408}, {9, 3, 165, 140, 233, 99},    {262, 3, 165, 140, 233, 99},
      {8, 4, 233, 198, 330, 140},   {263, 4, 233, 198, 330, 140}, {264, 91, 330, 280, 466, 198},
      {265, 92, 466, 396, 660, 280}, {266, 93, 660, 560, 932, 396},
  };
  for (const Row& row : rows) {
    for (bool landscape : {false, true}) {
      ResetState();
      InstallHooks();
      RememberMissingPrinter(row.code, landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
      PaperReport paper = RecomputePageGeometry(State());
      const auto& page = State().page;
      SCOPED_TRACE("paper code " + std::to_string(row.code) + (landscape ? " landscape" : ""));
      EXPECT_EQ(paper.nameId, row.nameId);
      EXPECT_EQ(paper.landscape, landscape ? 1 : 0);
      EXPECT_EQ(page.pageColumns, (landscape ? row.landscapeColumns : row.portraitColumns) - 1);
      EXPECT_EQ(page.pageLines, (landscape ? row.landscapeLines : row.portraitLines) - 1);
      EXPECT_EQ(State().settings.fontsState, 1);
      EXPECT_EQ(page.printerCharWidth, 15);
      EXPECT_EQ(page.printerLineHeight, 25);
    }
  }
}

TEST_F(PageGeometryWithoutPrinter, UserDefinedAndUnknownCodesHaveNoPage) {
  for (short code : {256, 279, 300}) {
    ResetState();
    InstallHooks();
    RememberMissingPrinter(code, DMORIENT_PORTRAIT);
    PaperReport paper = RecomputePageGeometry(State());
    EXPECT_EQ(paper.nameId, code == 300 ? 89 : 18);
    EXPECT_EQ(State().page.pageColumns, 0);
    EXPECT_EQ(State().page.pageLines, 0);
  }
}

TEST_F(PageGeometryWithoutPrinter, NoDeviceModeAtAllIsALetterPageWithTheGuessedCell) {
  auto& settings = State().settings;
  settings.setDefaultFonts();
  settings.dparam[15] = 2;  // top
  settings.dparam[16] = 3;  // bottom
  settings.dparam[17] = 4;  // left
  settings.dparam[18] = 5;  // right
  settings.bparam[0] = 4;
  PaperReport paper = RecomputePageGeometry(State());
  const auto& page = State().page;
  EXPECT_EQ(page.pageColumns, 169);
  EXPECT_EQ(page.pageLines, 131);
  EXPECT_EQ(page.usableColumns, 169 - 4 - 5);
  EXPECT_EQ(page.usableLines, 131 - 2 - 3);
  EXPECT_EQ(page.lineWidth, 4);
  EXPECT_EQ(paper.landscape, -1);
  EXPECT_EQ(settings.fontsState, 1);
  EXPECT_EQ(settings.dparam[27], 169);
  EXPECT_EQ(settings.dparam[28], 131);
  // The printer font is the chart font 25 pixels high and fixed-pitch; the
  // screen font a plain copy of the chart font.
  const FontRecord& printerFont = settings.fonts[kPrinterFont];
  EXPECT_EQ(printerFont.height(), 25);
  EXPECT_EQ(printerFont.pitchAndFamily() & 3, FIXED_PITCH);
  EXPECT_EQ(printerFont.faceName(), settings.fonts[kChartFont].faceName());
  EXPECT_EQ(settings.fonts[kScreenFont], settings.fonts[kChartFont]);
}

TEST_F(PageGeometryWithoutPrinter, APaperSizeInTheDeviceModeIsMeasuredAtTwentyByTwelvePerInch) {
  RememberMissingPrinter(DMPAPER_A4, DMORIENT_PORTRAIT, 2970, 2100);
  PaperReport paper = RecomputePageGeometry(State());
  EXPECT_EQ(State().page.pageColumns, 2100 * 60 / 254 / 3 - 1);  // 164
  EXPECT_EQ(State().page.pageLines, 2970 * 60 / 254 / 5 - 1);    // 139
  EXPECT_EQ(paper.lengthMm, 297);
  EXPECT_EQ(paper.widthMm, 210);
  EXPECT_EQ(State().settings.fparam[3], 2970 * 1440 / 254);
  EXPECT_EQ(State().settings.fparam[4], 2100 * 1440 / 254);
}

TEST_F(PageGeometryWithoutPrinter, AnOutOfRangeLineWidthFallsBackToTheDefault) {
  State().settings.bparam[0] = 40;
  RecomputePageGeometry(State());
  EXPECT_EQ(State().page.lineWidth, 6);
}

using StartUpPrinter = ShellTest;

// The test machine has no printer: start-up asks for none in a dialog and
// lays the page out on a Letter sheet; the Fonts command is then grayed.
TEST_F(StartUpPrinter, WithoutADefaultPrinterTheWindowStartsOnTheFallbackPage) {
  ASSERT_NE(Start(""), nullptr);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(State().settings.fontsState, 1);
  EXPECT_FALSE(State().printer.chosen);
  EXPECT_EQ(State().page.pageColumns, 169);
  EXPECT_EQ(State().page.pageLines, 131);
  HMENU options = GetSubMenu(State().ui.mainMenu, 4);
  SendMessageA(State().app.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(options), 4);
  EXPECT_TRUE(GetMenuState(options, IDM_OPTIONS_FONTS, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(StartUpPrinter, ADefaultPrinterFromTheDialogIsKept) {
  State().printer.printDialog = [](HWND, const PrintDialogRequest& request) {
    EXPECT_EQ(request.mode, 0);
    PrintDialogAnswer a;
    a.ok = true;
    a.device = "Office Laser";
    a.driver = "winspool";
    a.port = "LPT1:";
    return a;
  };
  ASSERT_NE(Start(""), nullptr);
  EXPECT_TRUE(State().printer.chosen);
  EXPECT_EQ(PrinterDeviceText(State().printer), "Office Laser,winspool,LPT1:");
}

// The cell of Courier New 7 on a 600 dpi printer from a 96 dpi screen: the
// nominal height is 8 (96 is not a multiple of 7), so 50 pixels high and
// 3 x 8 x 600 / (5 x 96) = 30 wide. The font is made and measured on the
// screen, standing in for the printer whose capabilities are given.
TEST(PrinterFontOnAPrinter, SixHundredDpiFromANinetySixDpiScreen) {
  ScreenDc screen;
  PrinterReading reading;
  DeviceCaps caps{4800, 6600, 600, 600};
  FontRecord chart;
  chart.setHeight(-7);
  chart.setFaceName("Courier New");
  PrinterFonts fonts = MeasurePrinterContext(screen.get(), caps, chart, 0, 96, reading);
  EXPECT_EQ(fonts.printerFont.height(), 50);
  EXPECT_EQ(fonts.printerFont.width(), 30);
  EXPECT_EQ(fonts.printerFont.quality(), 2);
  EXPECT_EQ(fonts.printerFont.outPrecision(), 5);
  EXPECT_EQ(fonts.screenFont, chart);
  EXPECT_TRUE(reading.hasContext);
  EXPECT_EQ(reading.horzRes, 4800);
  EXPECT_EQ(reading.cellWidth, 30);
  EXPECT_EQ(reading.lineHeight, 50);
  PageGeometry g;
  int fontsState = 0;
  ComputePageGeometry(reading, {}, g, fontsState);
  EXPECT_EQ(g.pageColumns, 4800 / 30 - 1);
  EXPECT_EQ(g.pageLines, 6600 / 50 - 1);
}

using BirthBriefPrinterFit = ShellTest;

TEST_F(BirthBriefPrinterFit, WithoutAPrinterNothingChanges) {
  State().page.pageColumns = 77;
  EXPECT_FALSE(FitBirthBriefOnPrinter(State(), 23));
  EXPECT_EQ(State().page.pageColumns, 77);
}

// On the 1024 x 768 screen a Birth Brief of 23 characters per generation
// needs 6 x 23 + 34 = 172 columns and 130 lines: cells of at most 5 x 5.
TEST_F(BirthBriefPrinterFit, TheLargestBoldCourierCellThatHoldsTheChart) {
  ScreenDc screen;
  ASSERT_EQ(GetDeviceCaps(screen.get(), HORZRES), 1024);
  ASSERT_EQ(GetDeviceCaps(screen.get(), VERTRES), 768);
  State().settings.dparam[17] = 0;
  State().settings.dparam[18] = 0;
  FitBirthBriefOnContext(State(), screen.get(), 23);
  const auto& page = State().page;
  const auto& printerFont = State().settings.fonts[kPrinterFont];
  EXPECT_EQ(printerFont.faceName(), "Courier New");
  EXPECT_EQ(printerFont.weight(), 700);
  EXPECT_EQ(State().settings.fonts[kScreenFont], printerFont);
  EXPECT_LE(page.printerCharWidth, 5);
  EXPECT_GT(page.printerCharWidth, 0);
  EXPECT_LE(page.printerLineHeight, 5);
  EXPECT_EQ(page.pageColumns, 1024 / page.printerCharWidth);
  EXPECT_EQ(page.pageLines, 768 / page.printerLineHeight - 1);
  EXPECT_GE(page.usableColumns, 172);
  EXPECT_GE(page.usableLines, 130);
}

TEST_F(BirthBriefPrinterFit, ClosingTheBirthBriefPutsTheChartFontsPageBack) {
  HWND window = Start("");
  ASSERT_NE(window, nullptr);
  ShownChartPart part;
  part.draw = [](DrawSurface&, int, int, int, int) { return 0; };
  part.extent = [] { return ChartExtent{}; };
  RegisterShownChart(ChartSlot::kBirthBrief, part);
  State().app.birthBriefChartState = 2;
  State().page.pageColumns = 5;
  SendMessageA(window, WM_COMMAND, IDM_CHART_CANCEL, 0);
  UnregisterShownChart(ChartSlot::kBirthBrief);
  EXPECT_EQ(State().page.pageColumns, 169);
}

using PrintDialogTest = ShellTest;

PrintDialogAnswer Chosen(std::string device, std::string driver, std::string port) {
  PrintDialogAnswer a;
  a.ok = true;
  a.device = std::move(device);
  a.driver = std::move(driver);
  a.port = std::move(port);
  return a;
}

TEST_F(PrintDialogTest, KeepsThePrinterTheCopiesAndTheCollation) {
  State().settings.dparam[29] = 3;
  PrintDialogRequest seen;
  State().printer.printDialog = [&seen](HWND, const PrintDialogRequest& request) {
    seen = request;
    PrintDialogAnswer a = Chosen("Office Laser", "winspool", "NE01: spare");
    a.copies = 4;
    a.collate = true;
    a.printToFile = true;
    return a;
  };
  PrintDialogResult r = RunPrintDialog(nullptr, 3);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(seen.mode, 3);
  EXPECT_EQ(seen.copies, 3);
  EXPECT_EQ(seen.current, nullptr);
  EXPECT_EQ(State().settings.dparam[29], 4);
  EXPECT_TRUE(State().printer.collate);
  EXPECT_TRUE(State().printer.printToFile);
  // The port ends at the blank.
  EXPECT_EQ(PrinterDeviceText(State().printer), "Office Laser,winspool,NE01:");
}

TEST_F(PrintDialogTest, CancelledByTheUserIsPrintCancelled) {
  State().printer.printDialog = [](HWND, const PrintDialogRequest&) { return PrintDialogAnswer{}; };
  PrintDialogResult r = RunPrintDialog(nullptr, 3);
  EXPECT_EQ(r.status, 109);
  EXPECT_FALSE(r.showInitError);
  EXPECT_FALSE(State().printer.chosen);
}

TEST_F(PrintDialogTest, ADialogErrorOrAnIncompletePrinterCannotBeInitialised) {
  State().printer.printDialog = [](HWND, const PrintDialogRequest&) {
    PrintDialogAnswer a;
    a.dialogError = true;
    return a;
  };
  PrintDialogResult r = RunPrintDialog(nullptr, 2);
  EXPECT_EQ(r.status, 23);
  EXPECT_TRUE(r.showInitError);

  State().printer.printDialog = [](HWND, const PrintDialogRequest&) {
    return Chosen("Office Laser", "winspool", "");
  };
  r = RunPrintDialog(nullptr, 2);
  EXPECT_EQ(r.status, 23);
  EXPECT_TRUE(r.showInitError);
  EXPECT_FALSE(State().printer.chosen);
}

TEST_F(PrintDialogTest, AnOverlaySelectionIsParkedWhileTheDialogIsOpen) {
  State().app.chartState = 1;
  int during = -1;
  State().printer.printDialog = [&during](HWND, const PrintDialogRequest&) {
    during = State().app.chartState;
    return PrintDialogAnswer{};
  };
  RunPrintDialog(nullptr, 3);
  EXPECT_EQ(during, 0);
  EXPECT_EQ(State().app.chartState, 1);
}

using FontsCommand = ShellTest;

TEST_F(FontsCommand, TheChosenFontBecomesTheChartAndScreenFontAndTheGeometryFollows) {
  State().settings.setDefaultFonts();
  State().settings.fontsState = 0;
  int helpDuring = 0;
  State().printer.chooseFont = [&helpDuring](HWND, FontRecord& font) {
    helpDuring = State().app.helpContext;
    EXPECT_EQ(font.faceName(), "Courier New");
    font = CourierNew(-12);
    font.setFaceName("Lucida Console");
    return true;
  };
  State().page.pageColumns = 0;
  OnFonts(nullptr, 0, 0);
  const auto& settings = State().settings;
  EXPECT_EQ(helpDuring, 315);
  EXPECT_EQ(settings.fonts[kChartFont].faceName(), "Lucida Console");
  EXPECT_EQ(settings.fonts[kScreenFont], settings.fonts[kChartFont]);
  EXPECT_EQ(settings.fonts[kPrinterFont].faceName(), "Lucida Console");
  EXPECT_GT(State().page.pageColumns, 0);
  // No printer here: the recomputation finds none and says so.
  EXPECT_EQ(settings.fontsState, 1);
}

TEST_F(FontsCommand, CancelledChangesNothing) {
  State().settings.setDefaultFonts();
  const FontRecord before = State().settings.fonts[kChartFont];
  State().printer.chooseFont = [](HWND, FontRecord& font) {
    font.setFaceName("Arial");
    return false;
  };
  OnFonts(nullptr, 0, 0);
  EXPECT_EQ(State().settings.fonts[kChartFont], before);
  EXPECT_EQ(State().settings.fontsState, 0);
}

TEST_F(FontsCommand, DoesNothingWithoutAPrinter) {
  State().settings.fontsState = 1;
  bool asked = false;
  State().printer.chooseFont = [&asked](HWND, FontRecord&) { return asked = true; };
  OnFonts(nullptr, 0, 0);
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace dv::win::test
