#include "charts/full/OverlayEditor.h"

#include <gtest/gtest.h>

#include "output/CellDump.h"

namespace dv {
namespace {

// Cells of 8 x 12 pixels; cell (c, l) starts at pixel ((c + 1) * 8, (l + 1) * 12).
int X(int column, int offset = 2) { return (column + 1) * 8 + offset; }
int Y(int line, int offset = 2) { return (line + 1) * 12 + offset; }

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    OverlayChart c;
    c.chartColumns = 100;
    c.chartLines = 60;
    c.pageBreaks = true;
    c.usableColumns = 50;
    c.usableLines = 30;
    c.pagesAcross = 2;
    c.people.push_back({20, 10, 30, 11});  // kept clear: columns 18-31, lines 8-12
    overlays.SetChart(c);
  }
  // Drags a band from cell to cell and inserts a text item there.
  int TextItem(int c1, int l1, int c2, int l2, const std::string& text) {
    editor.LeftDown(X(c1), Y(l1), view);
    editor.Move(X(c2), Y(l2));
    editor.End(measure, context);
    return editor.Insert(text, kOverlayLeft, FontRecord{}, measure, context);
  }
  Overlays overlays;
  OverlayEditor editor{overlays};
  OverlayView view;
  CellRecorder measure;
  OverlayContext context;
};

TEST_F(Editor, ABandOverFreeSpaceIsSelectedAndTakesAText) {
  editor.LeftDown(X(3), Y(14), view);
  EXPECT_EQ(editor.state(), 3);
  editor.Move(X(12), Y(20));
  EXPECT_EQ(editor.state(), 3);
  editor.End(measure, context);
  EXPECT_EQ(editor.state(), 2);
  // Snapped inward: the partly covered first cells drop out.
  EXPECT_EQ(editor.SelectedCells(), (CellRect{4, 15, 12, 20}));
  const int i = editor.Insert("Family\nnotes", kOverlayLeft, FontRecord{}, measure, context);
  ASSERT_EQ(i, 0);
  EXPECT_EQ(editor.state(), 1);
  EXPECT_EQ(overlays.item(i).rect, (CellRect{4, 15, 12, 20}));
  EXPECT_EQ(overlays.item(i).content, "Family\nnotes");
}

TEST_F(Editor, ABandStopsAtAPersonsMarginAndStaysSelected) {
  editor.LeftDown(X(5), Y(10), view);
  editor.Move(X(16), Y(10));
  EXPECT_EQ(editor.state(), 3);
  editor.Move(X(18), Y(10));  // column 18 is inside the person's margin
  EXPECT_EQ(editor.state(), 2);
  EXPECT_EQ(editor.band().right, X(16) + 1);
  editor.LeftDown(X(40), Y(20), view);  // a new press drops the selection
  EXPECT_EQ(editor.state(), 3);
}

TEST_F(Editor, ABandCannotBeStretchedAcrossAPageEdge) {
  editor.LeftDown(X(40), Y(14), view);
  editor.Move(X(48), Y(16));
  EXPECT_EQ(editor.state(), 3);
  editor.Move(X(50), Y(16));
  EXPECT_EQ(editor.state(), 2);
}

TEST_F(Editor, ClickingAPersonDoesNothing) {
  editor.LeftDown(X(22), Y(10), view);
  EXPECT_EQ(editor.state(), 1);
  EXPECT_EQ(editor.selected(), -1);
}

TEST_F(Editor, AnItemIsMovedInsideAndStopsAtAnObstacle) {
  const int i = TextItem(3, 14, 12, 20, "note");
  ASSERT_EQ(i, 0);
  const CellRect before = overlays.item(i).rect;  // {4, 15, 12, 20}
  editor.LeftDown(X(8), Y(17), view);
  EXPECT_EQ(editor.state(), 8);
  EXPECT_EQ(editor.selected(), i);
  editor.Move(X(8) + 16, Y(17) + 24);
  editor.End(measure, context);
  EXPECT_EQ(editor.state(), 1);
  EXPECT_EQ(overlays.item(i).rect, (CellRect{before.left + 2, before.top + 2, before.right + 2,
                                             before.bottom + 2}));
  // Towards the person: the move ends at the last free place.
  const CellRect here = overlays.item(i).rect;
  editor.LeftDown(X(8), Y(19), view);
  editor.Move(X(8) + 8, Y(19));
  editor.Move(X(8) + 8 * 9, Y(19) - 12 * 8);  // up and right into the person's margin
  EXPECT_EQ(editor.state(), 1);
  EXPECT_EQ(overlays.item(i).rect, (CellRect{here.left + 1, here.top, here.right + 1, here.bottom}));
}

TEST_F(Editor, AnItemIsResizedByEachCorner) {
  const int i = TextItem(3, 14, 12, 20, "note");
  ASSERT_EQ(i, 0);
  struct Case {
    int cornerX, cornerY, state, dx, dy;
    CellRect after;
  };
  // The item is {4, 15, 12, 20}: pixels 40..103 x 192..251.
  const Case cases[] = {
      {103, 251, 5, 16, 24, {4, 15, 14, 22}},  // bottom-right grows
      {40, 192, 4, 8, 12, {5, 16, 14, 22}},    // top-left shrinks
      {48, 275, 6, -8, 12, {4, 16, 14, 23}},   // bottom-left
      {119, 204, 7, 8, -12, {4, 15, 15, 23}},  // top-right
  };
  for (const Case& c : cases) {
    editor.LeftDown(c.cornerX, c.cornerY, view);
    ASSERT_EQ(editor.state(), c.state) << c.state;
    editor.Move(c.cornerX + c.dx, c.cornerY + c.dy);
    editor.End(measure, context);
    EXPECT_EQ(editor.state(), 1);
    EXPECT_EQ(overlays.item(i).rect, c.after) << "corner state " << c.state;
  }
}

TEST_F(Editor, AResizeIntoAnObstacleStopsAtTheLastFreeSize) {
  const int i = TextItem(3, 9, 10, 11, "note");  // {4, 10, 10, 11}: beside the person
  ASSERT_EQ(i, 0);
  const CellRect r = overlays.item(i).rect;
  const int right = (r.right + 1) * 8 - 1, bottom = (r.bottom + 1) * 12 - 1;
  editor.LeftDown(right, bottom, view);
  ASSERT_EQ(editor.state(), 5);
  editor.Move(right + 8 * 5, bottom);
  editor.Move(right + 8 * 12, bottom);  // into the person's margin from column 18
  EXPECT_EQ(editor.state(), 9);
  editor.End(measure, context);
  EXPECT_EQ(overlays.item(i).rect, (CellRect{r.left, r.top, r.right + 5, r.bottom}));
}

TEST_F(Editor, TheContextMenuSelectsAnItemWhichIsThenDeletedOrEdited) {
  ASSERT_EQ(TextItem(3, 14, 12, 20, "note"), 0);
  EXPECT_FALSE(editor.RightClick(X(40), Y(40), view));
  ASSERT_TRUE(editor.RightClick(X(6), Y(16), view));
  EXPECT_EQ(editor.selected(), 0);
  EXPECT_TRUE(editor.EditText("new text", kOverlayCentre, measure, context));
  EXPECT_EQ(overlays.item(0).content, "new text");
  EXPECT_EQ(overlays.item(0).alignment, kOverlayCentre);
  ASSERT_TRUE(editor.RightClick(X(6), Y(16), view));
  EXPECT_TRUE(editor.DeleteSelected());
  EXPECT_EQ(overlays.count(), 0);
  EXPECT_EQ(editor.state(), 1);
}

TEST_F(Editor, TheViewsScrollPositionIsAddedToThePoint) {
  view.scrollColumn = 10;
  view.scrollLine = 5;
  editor.LeftDown(X(3) - 80, Y(14) - 60, view);
  editor.Move(X(12) - 80, Y(20) - 60);
  editor.End(measure, context);
  EXPECT_EQ(editor.SelectedCells(), (CellRect{4, 15, 12, 20}));
  EXPECT_EQ(editor.band().left, X(3) - 80);
}

}  // namespace
}  // namespace dv
