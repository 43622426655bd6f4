#include "charts/selective/SelectiveCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/selective/AncestorsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "charts/selective/SelectiveDialogRes.h"
#include "charts/selective/SelectiveState.h"
#include "charts/selective/SelectiveTestData.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "output/ChartImageExport.h"
#include "output/ChartTestSupport.h"
#include "output/ChartWindow.h"
#include "output/GdiSurface.h"
#include "output/PrintChart.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class SelectiveCommandsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    ResetSelectiveTreeState();
    ASSERT_EQ(dv::test::LoadGedcomText(store_, dv::test::kSelectiveFamilies), 0);
    SelectiveTreeLinks& links = SelectiveTree().links;
    links.store = [this] { return &store_; };
    links.chooseBase = [](HWND, ChartSelection&, const std::vector<dv::ListEntry>*) {
      return false;
    };
    window_ = Start("");
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    UnregisterShownChart(ChartSlot::kSelectiveTree);
    ResetSelectiveTreeState();
    ResetDataState();
    ShellTest::TearDown();
  }
  void Send(int command) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

  // Runs command 4 and drives the dialogs: George Carter's line, Run, Print Preview.
  void RunAndPreview() {
    Data().selection.baseIndex = store_.FindIndex(kIndi, 1);
    ModalDriver driver;
    // The preference "Display options dialogs when producing charts" is on
    // in fresh settings: the options come first.
    driver.Then("Selective Tree Options", [](HWND d) { ModalDriver::Press(d, IDOK); })
        .Then("Tree", [](HWND d) { ModalDriver::Press(d, IDC_ST_SHOW_ANCESTORS); })
        .Then("Ancestors",
              [](HWND d) {
                const int n = int(SendDlgItemMessageA(d, IDC_ANC_ALL, LB_GETCOUNT, 0, 0));
                for (int i = 0; i < n; ++i) {
                  char text[64] = {};
                  SendDlgItemMessageA(d, IDC_ANC_ALL, LB_GETTEXT, i,
                                      reinterpret_cast<LPARAM>(text));
                  if (std::string(text).rfind("CARTER George", 0) == 0)
                    SendDlgItemMessageA(d, IDC_ANC_ALL, LB_SETCURSEL, i, 0);
                }
                ModalDriver::Press(d, IDC_ANC_ADD);
                ModalDriver::Press(d, IDC_ANC_OK);
              })
        .Then("Tree", [](HWND d) {
          ModalDriver::Press(d, IDC_ST_RUN);
          ModalDriver::Press(d, IDC_ST_PREVIEW);
        });
    Send(IDM_CHARTS_SELECTIVE_TREE);
    ASSERT_TRUE(driver.Done());
  }

  dv::RecordStore store_;
  HWND window_ = nullptr;
};

TEST_F(SelectiveCommandsTest, PrintPreviewShowsTheChartInTheWindow) {
  RunAndPreview();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(State().app.selectiveChartState, 2);
  EXPECT_EQ(State().app.chartKind, kChartKindSelectiveTree);
  ChartSlot slot = ChartSlot::kFullChart;
  ASSERT_NE(ShownChart(&slot), nullptr);
  EXPECT_EQ(slot, ChartSlot::kSelectiveTree);
  // The chart covers the page the program computed, one more cell each way.
  EXPECT_EQ(State().view.chartColumns, State().page.pageColumns + 1);
  EXPECT_EQ(State().view.chartLines, State().page.pageLines + 1);
  EXPECT_GT(State().page.pageColumns, 0);

  // Printing takes the one-page road in dialog mode 3.
  PrintJob job;
  ASSERT_TRUE(ShownChartPrintJob(job));
  EXPECT_FALSE(job.byPages);
  EXPECT_EQ(job.dialogMode, 3);

  // CANCEL releases the chart.
  Send(IDM_CHART_CANCEL);
  EXPECT_EQ(State().app.selectiveChartState, 0);
  EXPECT_FALSE(SelectiveTree().chart.HasChart());
}

TEST_F(SelectiveCommandsTest, TheChartDrawsTheSameOnAnyBitmapOfTheSameCells) {
  RunAndPreview();
  const ShownChartPart* part = ShownChart();
  ASSERT_NE(part, nullptr);
  // The chart drawn twice through GDI with the same cell size gives the same
  // pixels, and it does draw something.
  auto render = [&](Dib24& image) {
    GdiSurface surface(image.dc());
    surface.SelectFont(*State().app.screenFont);
    return part->draw(surface, 4, 8, 0, 1);
  };
  HDC screen = GetDC(nullptr);
  const int width = State().view.chartColumns * 4, height = State().view.chartLines * 8;
  Dib24 a(screen, width, height), b(screen, width, height);
  ReleaseDC(nullptr, screen);
  PatBlt(a.dc(), 0, 0, a.width(), a.height(), WHITENESS);
  PatBlt(b.dc(), 0, 0, b.width(), b.height(), WHITENESS);
  ASSERT_EQ(render(a), 0);
  ASSERT_EQ(render(b), 0);
  int inked = 0, differ = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      inked += a.PixelAt(x, y) != dv::kWhite;
      differ += a.PixelAt(x, y) != b.PixelAt(x, y);
    }
  EXPECT_GT(inked, 500);
  EXPECT_EQ(differ, 0);
}

TEST_F(SelectiveCommandsTest, ThePngExportEqualsTheScreenAtTheSameZoom) {
  RunAndPreview();
  const ShownChartPart* part = ShownChart();
  ASSERT_NE(part, nullptr);
  const auto& view = State().view;
  ChartImageJob job;
  job.draw = part->draw;
  job.chartColumns = view.chartColumns;
  job.chartLines = view.chartLines;
  job.cellWidth = view.cellWidth;
  job.cellHeight = view.cellHeight;
  job.screenFont = *State().app.screenFont;
  const std::string path =
      (std::filesystem::temp_directory_path() / "dorvane_selective.png").string();
  HDC screen = GetDC(nullptr);
  const int rc = ExportChartPng(screen, job, path);
  ASSERT_EQ(rc, 0);
  PngPixels png;
  ASSERT_TRUE(ReadPngPixels(path, png));
  std::filesystem::remove(path);
  EXPECT_EQ(png.width, view.chartColumns * view.cellWidth);
  EXPECT_EQ(png.height, view.chartLines * view.cellHeight);

  // The window's client area as it paints, at its scroll position (in
  // cells); every pixel it shows is the image's pixel at that place.
  RECT client{};
  GetClientRect(window_, &client);
  ASSERT_GT(client.right, 0);
  ASSERT_GT(client.bottom, 0);
  Dib24 shown(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  PatBlt(shown.dc(), 0, 0, shown.width(), shown.height(), WHITENESS);
  SendMessageA(window_, WM_PRINTCLIENT, WPARAM(shown.dc()), PRF_CLIENT);
  const int offsetX = view.scrollX * view.cellWidth, offsetY = view.scrollY * view.cellHeight;
  int compared = 0, differing = 0, inked = 0;
  for (int y = 0; y < shown.height() && y + offsetY < png.height; ++y)
    for (int x = 0; x < shown.width() && x + offsetX < png.width; ++x) {
      ++compared;
      differing += shown.PixelAt(x, y) != png.At(x + offsetX, y + offsetY);
      inked += shown.PixelAt(x, y) != dv::kWhite;
    }
  EXPECT_GT(compared, 100000);
  EXPECT_GT(inked, 100);
  EXPECT_EQ(differing, 0);
}

TEST_F(SelectiveCommandsTest, OptionsCommandOpensTheOptionsDialogWithItsHelp) {
  int help = 0;
  ModalDriver driver;
  driver.Then("Selective Tree Options", [&](HWND d) {
    help = State().app.helpContext;
    ModalDriver::Press(d, IDCANCEL);
  });
  Send(IDM_OPTIONS_SELECTIVE_TREE);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(help, 312);
}

}  // namespace
}  // namespace dv::win::test
