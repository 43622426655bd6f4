#include "output/PrinterPage.h"

#include <gtest/gtest.h>

#include <cstring>

#include "output/GdiGuards.h"

namespace dv::win {
namespace {

FontRecord CourierNew7() {
  FontRecord f;
  std::int32_t h = -7;
  std::memcpy(f.bytes.data(), &h, 4);
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

// The test machine has no printer: the display's information context stands
// in, so the page is the screen measured in the scaled chart font.
TEST(PrinterPage, WithoutAPrinterTheDisplayIsMeasured) {
  ScreenDc screen;
  int width = GetDeviceCaps(screen.get(), HORZRES);
  int height = GetDeviceCaps(screen.get(), VERTRES);
  ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), 96);
  PageGeometry g;
  PrinterFonts fonts;
  int fontsState = 0;
  PaperReport r = ComputePrinterPage(nullptr, CourierNew7(), {1, 1, 2, 2}, fontsState, g, fonts);
  // Courier New 7 at 96 dpi: nominal height 8, 8 high and 5 wide on a 96 dpi device.
  EXPECT_EQ(FontFieldsOf(fonts.printerFont).height, 8);
  EXPECT_EQ(FontFieldsOf(fonts.printerFont).width, 5);
  EXPECT_EQ(g.printerLineHeight, 8);
  EXPECT_EQ(g.printerCharWidth, 5);
  EXPECT_EQ(g.pageColumns, width / 5 - 1);
  EXPECT_EQ(g.pageLines, height / 8 - 1);
  EXPECT_EQ(g.usableColumns, g.pageColumns - 4);
  EXPECT_EQ(r.landscape, -1);
  EXPECT_EQ(fontsState, 0);
  EXPECT_EQ(fonts.screenFont.bytes, CourierNew7().bytes);
}

TEST(PrinterPage, UnknownPrinterWithAnA4DeviceModeNamesThePaperAndGuessesTheCell) {
  PrinterTarget target;
  target.driver = "winspool";
  target.device = "No Such Printer";
  target.port = "LPT1:";
  target.devMode.resize(sizeof(DEVMODEA));
  auto* mode = reinterpret_cast<DEVMODEA*>(target.devMode.data());
  mode->dmSize = sizeof(DEVMODEA);
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  mode->dmPaperSize = DMPAPER_A4;
  PageGeometry g;
  PrinterFonts fonts;
  int fontsState = 0;
  PaperReport r = ComputePrinterPage(&target, CourierNew7(), {}, fontsState, g, fonts);
  EXPECT_EQ(r.nameId, kPaperIsoA4);
  EXPECT_EQ(r.landscape, 1);
  EXPECT_TRUE(r.metricsGuessed);
  EXPECT_EQ(fontsState, 1);
  EXPECT_EQ(g.printerCharWidth, 15);
  EXPECT_EQ(g.printerLineHeight, 25);
  EXPECT_EQ(FontFieldsOf(fonts.printerFont).height, 25);
  EXPECT_EQ(fonts.printerFont.bytes[27] & 3, FIXED_PITCH);
}

}  // namespace
}  // namespace dv::win
