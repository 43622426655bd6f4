#include "charts/full/OverlayCommands.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "charts/full/FullChartCommands.h"
#include "charts/full/FullChartState.h"
#include "charts/full/FullChartTestData.h"
#include "charts/full/InsertTextDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"
#include "output/ChartTestSupport.h"
#include "shell/MainMenus.h"

namespace dv::win::test {
namespace {

// The mouse on a full chart shown in the (hidden) main window, driven with
// the window's own messages.
class OverlayMouseTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    ResetFullChartState();
    ResetOverlayState();
    dv::testing::GedcomBuilder b;
    const int base = dv::testing::Pedigree(b, 3);
    b.LoadInto(store_);
    dv::FullChartPage page;
    page.pageColumns = 160;
    page.pageLines = 60;
    ASSERT_TRUE(Full().chart.Run(store_, base, dv::FullChartOptions{}, page).ok());
    ShowFullChart(window_);
    State().settings.fparam[16] = 1;
    State().app.windowReady = 1;
    savedMenu_ = State().ui.contextMenu;
    State().ui.contextMenu = nullptr;  // no popup menu loop in a test
    ASSERT_GT(State().view.zoomLevel, 0);
    // The chart's top-left corner in view, where the free space is sought.
    Scroll(true, SB_TOP);
    Scroll(false, SB_LEFT);
  }
  void TearDown() override {
    State().ui.contextMenu = savedMenu_;
    UnregisterShownChart(ChartSlot::kFullChart);
    ResetOverlayState();
    ResetFullChartState();
    ChartTest::TearDown();
  }
  // Window pixels of cell (column, line), a little inside it.
  int X(int column) const {
    return (column + 1 - State().view.scrollX) * State().view.cellWidth + 1;
  }
  int Y(int line) const {
    return (line + 1 - State().view.scrollY) * State().view.cellHeight + 1;
  }
  void Mouse(UINT message, int x, int y) {
    SendMessageA(window_, message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(x, y));
  }
  // A free w x h rectangle on screen.
  dv::CellRect FreeCells(int w, int h) const {
    const auto& o = Overlay().overlays;
    for (int top = 2; top + h < 30; ++top)
      for (int left = 2; left + w < 60; ++left)
        if (o.Test({left - 1, top - 1, left + w + 1, top + h + 1}) == 0)
          return {left, top, left + w, top + h};
    ADD_FAILURE() << "no free space";
    return {};
  }
  dv::RecordStore store_;
  HMENU savedMenu_ = nullptr;
};

TEST_F(OverlayMouseTest, DragInsertTextMoveResizeAndDelete) {
  const dv::CellRect r = FreeCells(8, 4);
  // Drag a band over free space: selected (state 2) on release.
  Mouse(WM_LBUTTONDOWN, X(r.left), Y(r.top));
  EXPECT_EQ(State().app.chartState, 3);
  Mouse(WM_MOUSEMOVE, X(r.right) - 2, Y(r.bottom) - 2);
  Mouse(WM_LBUTTONUP, X(r.right) - 2, Y(r.bottom) - 2);
  EXPECT_EQ(State().app.chartState, 2);

  // Insert Text: the dialog's text becomes the item.
  ModalDriver driver;
  driver.Then("Insert Text", [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_INTXT_LEFT_TEXT, "Notes");
    ModalDriver::Press(dialog, IDOK);
  });
  Command(IDM_CONTEXT_INSERT_TEXT);
  EXPECT_TRUE(driver.Done());
  ASSERT_EQ(Overlay().overlays.count(), 1);
  EXPECT_EQ(Overlay().overlays.item(0).content, "Notes");
  EXPECT_EQ(State().app.chartState, 1);
  const dv::CellRect placed = Overlay().overlays.item(0).rect;

  // Move it one column right by dragging its middle.
  const int mx = X(placed.left + 2), my = Y(placed.top + 1) + 2;
  Mouse(WM_LBUTTONDOWN, mx, my);
  EXPECT_EQ(State().app.chartState, 8);
  Mouse(WM_MOUSEMOVE, mx + State().view.cellWidth, my);
  Mouse(WM_LBUTTONUP, mx + State().view.cellWidth, my);
  const dv::CellRect moved = Overlay().overlays.item(0).rect;
  EXPECT_EQ(moved.left, placed.left + 1);
  EXPECT_EQ(moved.width(), placed.width());

  // Resize by the bottom-right corner: one line taller.
  const int cw = State().view.cellWidth, ch = State().view.cellHeight;
  const int bx = (moved.right + 1 - State().view.scrollX) * cw - 1;
  const int by = (moved.bottom + 1 - State().view.scrollY) * ch - 1;
  Mouse(WM_LBUTTONDOWN, bx, by);
  EXPECT_EQ(State().app.chartState, 5);
  Mouse(WM_MOUSEMOVE, bx, by + ch);
  Mouse(WM_LBUTTONUP, bx, by + ch);
  EXPECT_EQ(Overlay().overlays.item(0).rect.bottom, moved.bottom + 1);
  EXPECT_EQ(State().app.chartState, 1);

  // The right button selects it; Delete Text removes it.
  Mouse(WM_RBUTTONDOWN, mx + cw, my);
  EXPECT_EQ(Overlay().editor.selected(), 0);
  // Its context menu offers only what a selected text item allows.
  HMENU menu = BuildChartContextMenu();
  EnableContextItems(menu, Overlay());
  auto enabled = [menu](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0; };
  EXPECT_FALSE(enabled(IDM_CONTEXT_INSERT_IMAGE));
  EXPECT_FALSE(enabled(IDM_CONTEXT_INSERT_TEXT));
  EXPECT_FALSE(enabled(IDM_CONTEXT_DELETE_IMAGE));
  EXPECT_TRUE(enabled(IDM_CONTEXT_EDIT_TEXT));
  EXPECT_TRUE(enabled(IDM_CONTEXT_DELETE_TEXT));
  DestroyMenu(menu);
  Command(IDM_CONTEXT_DELETE_TEXT);
  EXPECT_EQ(Overlay().overlays.count(), 0);
}

// The routine printing calls draws the items on their page, after the
// chart's own items.
TEST_F(OverlayMouseTest, APrintedPageCarriesItsItems) {
  const dv::CellRect r = FreeCells(8, 4);
  Mouse(WM_LBUTTONDOWN, X(r.left), Y(r.top));
  Mouse(WM_MOUSEMOVE, X(r.right) - 2, Y(r.bottom) - 2);
  Mouse(WM_LBUTTONUP, X(r.right) - 2, Y(r.bottom) - 2);
  ModalDriver driver;
  driver.Then("Insert Text", [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_INTXT_LEFT_TEXT, "Printed note");
    ModalDriver::Press(dialog, IDOK);
  });
  Command(IDM_CONTEXT_INSERT_TEXT);
  ASSERT_EQ(Overlay().overlays.count(), 1);
  const ShownChartPart* part = ShownChart();
  ASSERT_NE(part, nullptr);
  const dv::OverlayChart& c = Overlay().overlays.chart();
  const dv::CellRect& at = Overlay().overlays.item(0).rect;
  const int page = (at.top / c.usableLines) * c.pagesAcross + at.left / c.usableColumns + 1;
  dv::CellRecorder recorder;
  ASSERT_EQ(part->draw(recorder, recorder.cellWidth(), recorder.cellHeight(), page, 0), 0);
  const auto& items = recorder.items();
  ASSERT_GE(items.size(), 3u);
  const std::size_t n = items.size();
  EXPECT_EQ(items[n - 3].kind, dv::CellRecorder::Kind::kBox);  // the item's white ground
  // Eight columns of the recorder's 8-pixel cells hold one word a line.
  EXPECT_EQ(items[n - 2].text, "Printed");
  EXPECT_EQ(items[n - 1].text, "note");

}

TEST_F(OverlayMouseTest, NothingHappensWithInsertionDisabled) {
  State().settings.fparam[16] = 0;
  const dv::CellRect r = FreeCells(4, 2);
  Mouse(WM_LBUTTONDOWN, X(r.left), Y(r.top));
  EXPECT_EQ(State().app.chartState, 1);
}

TEST_F(OverlayMouseTest, APictureIsDrawnOnTheChart) {
  const dv::CellRect r = FreeCells(10, 6);
  Mouse(WM_LBUTTONDOWN, X(r.left), Y(r.top));
  Mouse(WM_MOUSEMOVE, X(r.right) - 2, Y(r.bottom) - 2);
  Mouse(WM_LBUTTONUP, X(r.right) - 2, Y(r.bottom) - 2);
  ASSERT_EQ(State().app.chartState, 2);
  Overlay().choosePicture = [](HWND) {
    const std::string path = std::string(DORVANE_TESTDATA) + "/../sample/pictures/map.bmp";
    auto& buffer = State().app.fileNameBuffer;
    std::snprintf(buffer.data(), buffer.size(), "%s", path.c_str());
    return true;
  };
  Command(IDM_CONTEXT_INSERT_IMAGE);
  ASSERT_EQ(Overlay().overlays.count(), 1);
  const dv::OverlayItem& item = Overlay().overlays.item(0);
  EXPECT_EQ(item.loadStatus, 0) << item.loadDetail;
  ASSERT_FALSE(item.picture.empty());
  // The map's first field colour where the picture's top-left is drawn.
  ScreenDc screen;
  Dib24 image(screen.get(), kClientWidth, kClientHeight);
  PaintInto(image);
  const int px = (item.rect.left + 1 - State().view.scrollX) * State().view.cellWidth + 2;
  const int py = (item.rect.top + 1 - State().view.scrollY) * State().view.cellHeight + 2;
  EXPECT_EQ(image.PixelAt(px, py), dv::Rgb(0xB8, 0xD0, 0x80));
}

}  // namespace
}  // namespace dv::win::test
