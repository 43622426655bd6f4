#include "output/ChartSave.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "output/ChartSaveRes.h"
#include "output/ChartTestSupport.h"

namespace dv::win::test {
namespace {

namespace fs = std::filesystem;

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  Colour At(int x, int y) const {
    const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
    return Rgb(p[0], p[1], p[2]);
  }
};

bool ReadPng(const std::string& path, Image& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
}

class ChartSaveTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    typedName_ = dir_ + "\\chart";
    State().hooks.saveFileDialog = [this](HWND, const std::string& filter, const char* extension,
                                          std::array<char, kFileNameBufferSize>& name) {
      ++dialogs_;
      filter_ = filter;
      defaultExtension_ = extension;
      CopyText(name, typedName_);
      return chosenFilter_;
    };
  }
  void TearDown() override {
    // An export a failed test left running ends before the window goes.
    if (PngExportDialog()) Command(IDM_EXPORT_FINISHED);
    for (const auto& file : {typedName_, typedName_ + ".png", typedName_ + ".emf"})
      DeleteFileA(file.c_str());
    ChartTest::TearDown();
  }

  // Dispatches the window's messages until the export has finished
  // (chartState back to 1), waiting at most a few seconds for the thread.
  bool PumpUntilExportEnds() {
    const DWORD deadline = GetTickCount() + 20000;
    while (State().app.chartState < 0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (State().app.chartState >= 0) break;
      const DWORD now = GetTickCount();
      if (now >= deadline) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline - now, QS_ALLINPUT);
    }
    return true;
  }

  // The test chart drawn straight into a bitmap of the whole chart.
  void DrawWholeChart(Dib24& image) { DrawDirect(image, 0, 0); }

  std::string typedName_;
  int chosenFilter_ = 1;
  int dialogs_ = 0;
  std::string filter_;
  const char* defaultExtension_ = "unset";
};

// ---- SAVE (24) -------------------------------------------------------------

TEST_F(ChartSaveTest, OffersTheImageFiltersWithoutDefaultExtension) {
  ShowChart(40, 30);
  chosenFilter_ = 0;
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(dialogs_, 1);
  constexpr char kExpected[] =
      "Portable Network Graphics (*.PNG)\0*.png\0Windows Enhanced Metafile (*.EMF)\0*.emf\0\0";
  EXPECT_EQ(filter_, std::string(kExpected, sizeof kExpected - 1));
  EXPECT_EQ(defaultExtension_, nullptr);
}

TEST_F(ChartSaveTest, CancelledDialogLeavesTheChartAsItWas) {
  ShowChart(40, 30);
  chosenFilter_ = 0;
  TakeMessages();
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_TRUE(PostedCommands(window_).empty());
}

TEST_F(ChartSaveTest, NothingWithoutAChart) {
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(dialogs_, 0);
}

TEST_F(ChartSaveTest, PngNameWithoutExtensionGetsOneAndTheWindowWaits) {
  ShowChart(40, 30);
  TakeMessages();
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(TextOf(State().app.fileNameBuffer), typedName_ + ".png");
  EXPECT_EQ(State().app.chartState, -1);
  EXPECT_FALSE(IsWindowEnabled(window_));
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_EXPORT_PNG});
  // Let the window come back without exporting.
  Command(IDM_EXPORT_FINISHED);
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_EQ(State().app.chartState, 1);
}

TEST_F(ChartSaveTest, NameWithAnExtensionIsKept) {
  ShowChart(40, 30);
  typedName_ = dir_ + "\\chart.img";
  TakeMessages();
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(TextOf(State().app.fileNameBuffer), typedName_);
  Command(IDM_EXPORT_FINISHED);
}

TEST_F(ChartSaveTest, PageBrokenChartAsksFirstAndNoStops) {
  part_.hasPages = true;
  extent_.pagesAcross = 2;
  ShowChart(40, 30);
  boxAnswer_ = IDNO;
  Command(IDM_CHART_SAVE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].type, UINT(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes_[0].helpContext, 378);
  EXPECT_EQ(boxes_[0].text.rfind("This chart is formatted with page breaks.", 0), 0u);
  EXPECT_EQ(dialogs_, 0);
  EXPECT_EQ(State().app.chartState, 1);
}

// ---- PNG export (28, 29) ---------------------------------------------------

TEST_F(ChartSaveTest, PngIsTheWholeChartAsTheScreenDrawsIt) {
  constexpr int kColumns = 48, kLines = 90;
  ShowChart(kColumns, kLines);
  const auto& view = State().view;
  TakeMessages();
  Command(IDM_CHART_SAVE);
  TakeMessages();
  Command(IDM_EXPORT_PNG);
  // While it runs: the box and the progress bar over the disabled window.
  HWND box = PngExportDialog();
  ASSERT_NE(box, nullptr);
  char text[64] = {};
  GetDlgItemTextA(box, IDC_PNG_TEXT, text, sizeof text);
  EXPECT_STREQ(text, "Saving to image file...");
  HWND bar = GetDlgItem(window_, kProgressBarId);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), kLines * view.cellHeight);
  EXPECT_EQ(SendMessageA(bar, PBM_GETSTEP, 0, 0), kLines * view.cellHeight / 100);
  ASSERT_TRUE(PumpUntilExportEnds());

  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(GetDlgItem(window_, kProgressBarId), nullptr);
  EXPECT_EQ(TextOf(State().app.fileNameBuffer), "");
  EXPECT_TRUE(boxes_.empty());

  Image png;
  ASSERT_TRUE(ReadPng(typedName_ + ".png", png));
  EXPECT_EQ(png.width, kColumns * view.cellWidth);
  EXPECT_EQ(png.height, kLines * view.cellHeight);
  Dib24 screen(nullptr, png.width, png.height);
  DrawWholeChart(screen);
  int different = 0, marked = 0;
  for (int y = 0; y < png.height; ++y)
    for (int x = 0; x < png.width; ++x) {
      different += png.At(x, y) != screen.PixelAt(x, y);
      marked += png.At(x, y) != kWhite;
    }
  EXPECT_EQ(different, 0);
  EXPECT_GT(marked, 100);
}

TEST_F(ChartSaveTest, ShortChartStepsTheBarEveryRow) {
  ShowChart(40, 5);  // fewer than 100 rows
  TakeMessages();
  Command(IDM_CHART_SAVE);
  TakeMessages();
  Command(IDM_EXPORT_PNG);
  EXPECT_EQ(SendMessageA(GetDlgItem(window_, kProgressBarId), PBM_GETSTEP, 0, 0), 1);
  ASSERT_TRUE(PumpUntilExportEnds());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChartSaveTest, UnwritableTargetSaysCannotOpenFile) {
  ShowChart(40, 30);
  typedName_ = dir_ + "\\no such folder\\chart";
  TakeMessages();
  Command(IDM_CHART_SAVE);
  TakeMessages();
  Command(IDM_EXPORT_PNG);
  ASSERT_TRUE(PumpUntilExportEnds());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot open file");
  EXPECT_TRUE(boxes_[0].ownerEnabled);
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(ChartSaveTest, FailingDrawSaysCannotGenerateImage) {
  part_.draw = [](DrawSurface&, int, int, int, int) { return 35; };
  ShowChart(40, 30);
  TakeMessages();
  Command(IDM_CHART_SAVE);
  TakeMessages();
  Command(IDM_EXPORT_PNG);
  ASSERT_TRUE(PumpUntilExportEnds());
  std::vector<std::string> texts = BoxTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "Cannot generate image");
  EXPECT_FALSE(fs::exists(typedName_ + ".png"));
}

TEST_F(ChartSaveTest, PageBrokenChartIsExportedInImageOrder) {
  std::vector<bool> orders;
  part_.hasPages = true;
  extent_.pagesDown = 2;
  part_.reorder = [&](bool imageOrder) { orders.push_back(imageOrder); };
  ShowChart(40, 30);
  boxAnswer_ = IDYES;
  TakeMessages();
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(State().app.chartState, -2);
  TakeMessages();
  Command(IDM_EXPORT_PNG);
  ASSERT_TRUE(PumpUntilExportEnds());
  EXPECT_EQ(orders, (std::vector<bool>{true, false}));
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_TRUE(fs::exists(typedName_ + ".png"));
}

// ---- Metafile export (30) --------------------------------------------------

TEST_F(ChartSaveTest, MetafileFrameIsTheChartsScreenSizeInHundredthsOfAMillimetre) {
  ShowChart(40, 30);
  chosenFilter_ = 2;
  TakeMessages();
  Command(IDM_CHART_SAVE);
  EXPECT_EQ(TextOf(State().app.fileNameBuffer), typedName_ + ".emf");
  EXPECT_EQ(State().app.chartState, -1);
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_EXPORT_METAFILE});
  Command(IDM_EXPORT_METAFILE);
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_TRUE(boxes_.empty());

  HENHMETAFILE meta = GetEnhMetaFileA((typedName_ + ".emf").c_str());
  ASSERT_NE(meta, nullptr);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(meta, sizeof header, &header);
  DeleteEnhMetaFile(meta);
  const auto& view = State().view;
  HDC screen = GetDC(window_);
  const int widthMm = GetDeviceCaps(screen, HORZSIZE), heightMm = GetDeviceCaps(screen, VERTSIZE);
  const int widthPx = GetDeviceCaps(screen, HORZRES), heightPx = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(window_, screen);
  EXPECT_EQ(header.rclFrame.left, 0);
  EXPECT_EQ(header.rclFrame.top, 0);
  EXPECT_EQ(header.rclFrame.right, MulDiv(40 * view.cellWidth, 100 * widthMm, widthPx));
  EXPECT_EQ(header.rclFrame.bottom, MulDiv(30 * view.cellHeight, 100 * heightMm, heightPx));
}

TEST_F(ChartSaveTest, MetafileThatCannotBeCreatedIsReported) {
  ShowChart(40, 30);
  chosenFilter_ = 2;
  typedName_ = dir_ + "\\no such folder\\chart";
  Command(IDM_CHART_SAVE);
  Command(IDM_EXPORT_METAFILE);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot open file");
  EXPECT_EQ(State().app.chartState, 1);
}

}  // namespace
}  // namespace dv::win::test
