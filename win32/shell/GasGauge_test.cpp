#include "shell/GasGauge.h"

#include <gtest/gtest.h>

#include <string>

#include "output/GdiGuards.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class GasGaugeTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    gauge_ = CreateWindowExA(0, kGasGaugeClass, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                             instance_, nullptr);
    ASSERT_NE(gauge_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(gauge_);
    ShellTest::TearDown();
  }
  int Slot(int offset) const { return static_cast<int>(GetWindowLongA(gauge_, offset)); }
  void Command(int id, int value) { SendMessageA(gauge_, WM_COMMAND, id, value); }
  HWND gauge_ = nullptr;
};

TEST_F(GasGaugeTest, StartsWithDefaultsAndItsSize) {
  EXPECT_EQ(Slot(kGaugeRange), 100);
  EXPECT_EQ(Slot(kGaugePosition), 0);
  EXPECT_EQ(Slot(kGaugeWidth), 200);
  EXPECT_EQ(Slot(kGaugeHeight), 20);
  EXPECT_EQ(Slot(kGaugeBackground), 0xFFFFFF);
  EXPECT_EQ(Slot(kGaugeBarColour), 0x0000FF);
  EXPECT_EQ(SendMessageA(gauge_, WM_GETDLGCODE, 0, 0), 1);
}

TEST_F(GasGaugeTest, PositionNeverExceedsRange) {
  Command(kGaugeSetPosition, 150);
  EXPECT_EQ(Slot(kGaugePosition), 100);
  Command(kGaugeSetPosition, 80);
  Command(kGaugeSetRange, 50);
  EXPECT_EQ(Slot(kGaugeRange), 50);
  EXPECT_EQ(Slot(kGaugePosition), 50);
  Command(kGaugeSetRange, 400);
  EXPECT_EQ(Slot(kGaugePosition), 50);
}

TEST_F(GasGaugeTest, ColoursAreStored) {
  Command(kGaugeSetBarColour, 0x00FF00);
  Command(kGaugeSetBackground, 0x123456);
  EXPECT_EQ(Slot(kGaugeBarColour), 0x00FF00);
  EXPECT_EQ(Slot(kGaugeBackground), 0x123456);
}

TEST_F(GasGaugeTest, SizeChangesAreKept) {
  SetWindowPos(gauge_, nullptr, 0, 0, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Slot(kGaugeWidth), 300);
  EXPECT_EQ(Slot(kGaugeHeight), 30);
}

std::string Percent(int position, int range, int width) {
  GaugeLook look;
  look.position = position;
  look.range = range;
  look.width = width;
  char text[16];
  GaugePercentText(look, text, sizeof text);
  return text;
}

TEST(GasGaugeText, PercentagesBelowTenArePadded) {
  EXPECT_EQ(Percent(5, 100, 200), " 5%");
  EXPECT_EQ(Percent(50, 100, 200), "50%");
  EXPECT_EQ(Percent(100, 100, 200), "100%");
  EXPECT_EQ(Percent(3, 4, 200), "75%");
  EXPECT_EQ(Percent(50, 100, 0), "100%");
}

// Paints into a 32-bit bitmap and reads pixels back.
class GaugePainting : public ::testing::Test {
 protected:
  void SetUp() override {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ =
        GdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_.get());
    PatBlt(dc_, 0, 0, 200, 20, BLACKNESS);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) { return GetPixel(dc_, x, y); }
  GdiObject<HBITMAP> bitmap_;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(GaugePainting, BarThenBackgroundWithOutlines) {
  GaugeLook look;
  look.position = 25;
  look.width = 200;
  look.height = 20;
  look.bar = RGB(0, 255, 0);
  look.background = RGB(0, 0, 255);
  PaintGauge(dc_, look);
  EXPECT_EQ(At(10, 10), RGB(0, 255, 0));       // bar
  EXPECT_EQ(At(0, 10), RGB(255, 0, 0));        // bar outline
  EXPECT_EQ(At(180, 10), RGB(0, 0, 255));      // background
  EXPECT_EQ(At(199, 10), RGB(255, 255, 255));  // background outline
}

TEST_F(GaugePainting, PercentIsXoredInTheMiddle) {
  GaugeLook look;
  look.position = 50;
  look.width = 200;
  look.height = 20;
  look.bar = RGB(0, 0, 0);
  look.background = RGB(0, 0, 0);
  PaintGauge(dc_, look);
  // Over black, cyan text XORed in stays cyan; some of the middle must be cyan.
  int cyan = 0;
  for (int x = 80; x < 120; ++x)
    for (int y = 2; y < 18; ++y) cyan += At(x, y) == RGB(0, 255, 255);
  EXPECT_GT(cyan, 0);
}

TEST_F(GaugePainting, NothingWhileRangeIsZero) {
  GaugeLook look;
  look.range = 0;
  look.width = 200;
  look.height = 20;
  PaintGauge(dc_, look);
  EXPECT_EQ(At(10, 10), RGB(0, 0, 0));
  EXPECT_EQ(At(180, 10), RGB(0, 0, 0));
}

}  // namespace
}  // namespace dv::win::test
