#include "charts/selective/BirthBriefCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/selective/BirthBriefDialogRes.h"
#include "charts/selective/BirthBriefOptionsDialogRes.h"
#include "charts/selective/BirthBriefState.h"
#include "charts/selective/BirthBriefTestData.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "charts/selective/ChartFileDialogRes.h"
#include "data/DataSource.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "data/SelectIndividualDialogRes.h"
#include "output/ChartWindow.h"
#include "output/GdiSurface.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

// Commands that reached the main window, in order (its procedure is wrapped).
std::vector<int> g_commands;
WNDPROC g_mainProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
  return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

class BirthBriefCommandsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    ResetBirthBriefState();
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store_, kBirthBriefFamily, dv::LoadOptions{}, summary), 0);
    BirthBrief().links.store = [this] { return &store_; };
    BirthBrief().links.chooseBase = [](HWND, ChartSelection&) { return false; };
    window_ = Start("");
    ASSERT_NE(window_, nullptr);
    g_commands.clear();
    g_mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
  }

  void TearDown() override {
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
    UnregisterShownChart(ChartSlot::kBirthBrief);
    ResetBirthBriefState();
    ResetDataState();
    ShellTest::TearDown();
  }

  void Send(int command) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

  dv::RecordStore store_;
  HWND window_ = nullptr;
};

TEST_F(BirthBriefCommandsTest, OptionsCommandOpensTheOptionsDialogWithItsHelp) {
  int help = 0;
  ModalDriver driver;
  driver.Then("Birth Brief Options", [&](HWND dialog) {
    help = State().app.helpContext;
    SetDlgItemTextA(dialog, IDC_BBOPT_WIDTH, "27");
    ModalDriver::Press(dialog, IDOK);
  });
  Send(IDM_OPTIONS_BIRTH_BRIEF);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(help, 311);
  EXPECT_EQ(State().settings.dparam[39], 27);
  EXPECT_EQ(State().app.birthBriefWidth, 27);
  EXPECT_EQ(State().app.helpContext, 301);
}

TEST_F(BirthBriefCommandsTest, OptionsCancelledKeepTheWidthInUse) {
  ModalDriver driver;
  driver.Then("Birth Brief Options", [&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_BBOPT_WIDTH, "27");
    ModalDriver::Press(dialog, IDCANCEL);
  });
  Send(IDM_OPTIONS_BIRTH_BRIEF);
  EXPECT_EQ(State().settings.dparam[39], 23);
  EXPECT_EQ(State().app.birthBriefWidth, 23);
}

TEST_F(BirthBriefCommandsTest, WithThePreferenceTheOptionsComeFirst) {
  State().settings.fparam[1] = 1;
  int help = 0;
  ModalDriver driver;
  driver.Then("Birth Brief Options", [](HWND d) { ModalDriver::Press(d, IDCANCEL); })
      .Then("Birth Brief", [&](HWND d) {
        help = State().app.helpContext;
        ModalDriver::Press(d, IDC_BB_CLOSE);
      });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(driver.Seen(), (std::vector<std::string>{"Birth Brief Options", "Birth Brief"}));
  EXPECT_EQ(help, 306);
  EXPECT_EQ(State().app.chartKind, kChartKindBirthBrief);
  EXPECT_EQ(State().app.helpContext, 301);
}

TEST_F(BirthBriefCommandsTest, WithoutThePreferenceOnlyTheChartDialog) {
  State().settings.fparam[1] = 0;
  ModalDriver driver;
  driver.Then("Birth Brief", [](HWND d) { ModalDriver::Press(d, IDC_BB_CLOSE); });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(driver.Seen(), (std::vector<std::string>{"Birth Brief"}));
  EXPECT_EQ(State().app.birthBriefChartState, 0);
}

TEST_F(BirthBriefCommandsTest, ChartFileSourcesOpenTheChartFileDialog) {
  for (int format : {kFormatBirthBrief, kFormatTree}) {
    State().app.sourceFormat = format;
    State().app.chartKind = 0;
    ModalDriver driver;
    driver.Then("Birth Brief", [](HWND d) {
      char name[16] = {};
      GetDlgItemTextA(d, IDC_CF_RUN, name, sizeof name);
      EXPECT_STREQ(name, "Run");  // the chart-file dialog, not "BBINDLG"
      ModalDriver::Press(d, IDC_CF_CLOSE);
    });
    Send(IDM_CHARTS_BIRTH_BRIEF);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(State().app.chartKind, kChartKindBirthBrief);
  }
  EXPECT_EQ(g_commands, (std::vector<int>{IDM_CHARTS_BIRTH_BRIEF, IDM_CHARTS_BIRTH_BRIEF}));
}

TEST_F(BirthBriefCommandsTest, ViewEditModeThatStaysOnStopsTheCommand) {
  State().app.viewEditMode = 1;
  Send(IDM_CHARTS_BIRTH_BRIEF);
  // Leaving was asked for (63); the mode stayed, so no dialog and nothing to resume.
  EXPECT_EQ(g_commands, (std::vector<int>{IDM_CHARTS_BIRTH_BRIEF, IDM_FILE_CLOSE}));
  EXPECT_EQ(State().app.resumeMode, 0);
  EXPECT_EQ(State().app.chartKind, 0);
}

TEST_F(BirthBriefCommandsTest, PrintPreviewShowsTheChart) {
  State().settings.fparam[1] = 0;
  Data().selection.baseIndex = 1;
  ModalDriver driver;
  driver.Then("Birth Brief", [](HWND d) {
    ModalDriver::Press(d, IDC_BB_RUN);
    ModalDriver::Press(d, IDC_BB_PREVIEW);
  });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(State().app.birthBriefChartState, 2);
  ASSERT_GE(g_commands.size(), 2u);
  EXPECT_EQ(g_commands[0], IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(g_commands[1], IDM_SHOW_CHART);
  // The Birth Brief is the chart on show, at the starting zoom.
  ChartSlot slot{};
  ASSERT_NE(ShownChart(&slot), nullptr);
  EXPECT_EQ(slot, ChartSlot::kBirthBrief);
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_EQ(State().app.helpContext, 305);
  EXPECT_EQ(State().view.zoomLevel, 4);
  EXPECT_EQ(State().view.chartColumns, BirthBrief().chart.Extent().chartColumns);
  EXPECT_EQ(State().view.chartLines, BirthBrief().chart.Extent().chartLines);
  EXPECT_TRUE(BirthBrief().chart.HasChart());
}

// The window paints the Birth Brief: the top-left of the chart at zoom 4
// holds the base individual's and parents' names and bracket lines.
TEST_F(BirthBriefCommandsTest, TheChartShownIsPainted) {
  Data().selection.baseIndex = 1;
  ASSERT_EQ(
      BirthBrief()
          .chart
          .Run(store_, 1, dv::BirthBriefOptions{}, dv::BirthBriefPageOf(BirthBriefPageGeometry()))
          .status,
      0);
  ShowBirthBriefChart(window_);
  // Scroll down to the base individual, who stands about half way down.
  State().view.scrollY = 40;
  HDC screen = GetDC(nullptr);
  Dib24 image(screen, 640, 480);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(image.ok());
  RECT area{0, 0, 640, 480};
  EXPECT_EQ(PaintChart(image.dc(), area), 0);
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += image.PixelAt(x, y) != dv::kWhite;
  EXPECT_GT(dark, 200);
}

TEST_F(BirthBriefCommandsTest, CancelReleasesTheChartAndResumesViewMode) {
  Data().selection.baseIndex = 1;
  ASSERT_EQ(
      BirthBrief()
          .chart
          .Run(store_, 1, dv::BirthBriefOptions{}, dv::BirthBriefPageOf(BirthBriefPageGeometry()))
          .status,
      0);
  State().app.resumeMode = 1;
  ShowBirthBriefChart(window_);
  TakeMessages();
  // A page left as the Birth Brief's printer font made it.
  State().page.pageColumns = 999;
  Send(IDM_CHART_CANCEL);
  EXPECT_NE(State().page.pageColumns, 999);
  EXPECT_FALSE(BirthBrief().chart.HasChart());
  EXPECT_EQ(State().app.birthBriefChartState, 0);
  EXPECT_EQ(State().app.chartState, 0);
  EXPECT_EQ(State().app.helpContext, 301);
  EXPECT_EQ(State().view.zoomLevel, 4);
  EXPECT_EQ(GetMenu(window_), State().ui.mainMenu);
  EXPECT_EQ(ShownChart(), nullptr);
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_FILE_VIEW});
  EXPECT_EQ(State().app.resumeMode, 0);
}

// With the program's own links: the loaded records, and the "Select Base
// Individual" list opened by itself because no base individual is set.
TEST_F(BirthBriefCommandsTest, BaseChosenFromTheListOfTheLoadedRecords) {
  BirthBrief().links = {};
  std::string summary;
  ASSERT_EQ(dv::LoadDataSourceBytes(Data().store, kBirthBriefFamily, dv::LoadOptions{}, summary),
            0);
  State().app.recordsLoaded = 1;
  State().settings.fparam[1] = 0;
  std::string shownName;
  ModalDriver driver;
  driver
      .Then("Select Base Individual",
            [](HWND d) {
              SetDlgItemTextA(d, IDC_SEL_SEARCH, "Trevail");
              ModalDriver::Press(d, IDOK);
            })
      .Then("Birth Brief", [&](HWND d) {
        char text[128] = {};
        GetDlgItemTextA(d, IDC_BB_BASE_NAME, text, sizeof text);
        shownName = text;
        ModalDriver::Press(d, IDC_BB_RUN);
        ModalDriver::Press(d, IDC_BB_PREVIEW);
      });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_TRUE(driver.Done());
  EXPECT_GT(Data().selection.baseIndex, 0);
  EXPECT_NE(shownName.find("Trevail"), std::string::npos);
  EXPECT_EQ(State().app.birthBriefChartState, 2);
  EXPECT_EQ(State().app.chartState, 1);
  ASSERT_NE(BirthBrief().chart.Tables(), nullptr);
  EXPECT_NE(std::string(BirthBrief().chart.Tables()->Name(0)).find("Trevail"), std::string::npos);
}

// Started with a data file on the command line, the chart is run and shown
// without the user; the next time the dialog waits again.
TEST_F(BirthBriefCommandsTest, StartedFromTheCommandLineTheChartShowsByItselfOnce) {
  State().settings.fparam[1] = 0;
  State().app.startupKind = kStartupGedcom;
  Data().selection.baseIndex = 1;
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(State().app.chartState, 1);
  EXPECT_EQ(State().app.startupKind, kNoStartupFile);
  Send(IDM_CHART_CANCEL);
  ModalDriver driver;
  driver.Then("Birth Brief", [](HWND d) { ModalDriver::Press(d, IDC_BB_CLOSE); });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_EQ(driver.Seen(), std::vector<std::string>{"Birth Brief"});
  EXPECT_EQ(State().app.chartState, 0);
}

TEST_F(BirthBriefCommandsTest, PrinterButtonOpensThePrinterDialogOverTheChartDialog) {
  BirthBrief().links.printerDialog = nullptr;
  State().settings.fparam[1] = 0;
  int help = 0;
  HWND printerOwner = nullptr, chartDialog = nullptr;
  ModalDriver driver;
  driver
      .Then("Birth Brief",
            [&](HWND d) {
              chartDialog = d;
              ModalDriver::Press(d, IDC_BB_PRINTER);
              ModalDriver::Press(d, IDC_BB_CLOSE);
            })
      .Then("Printer", [&](HWND d) {
        help = State().app.helpContext;
        printerOwner = GetWindow(d, GW_OWNER);
        ModalDriver::Press(d, IDCANCEL);
      });
  Send(IDM_CHARTS_BIRTH_BRIEF);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(help, 320);
  EXPECT_EQ(printerOwner, chartDialog);
}

TEST_F(BirthBriefCommandsTest, ImagesOnABirthBriefAreRefused) {
  State().app.birthBriefChartState = 2;
  State().app.chartState = 1;
  Send(IDM_CHART_IMAGES);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "You cannot add images to this chart.");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

}  // namespace
}  // namespace dv::win::test
