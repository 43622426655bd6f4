#pragma once
// Pictures and text placed by the user on a full chart: the overlay items
// (at most 99, in insertion order), the obstacle list they must keep clear
// of (the people's boxes, the title, each other) and the placement rule
// that the mouse, the commands and the command-line tool all apply.
//
// Positions are whole-chart cells: a rectangle holds the cells from left to
// right - 1 and from top to bottom - 1, so its size is right - left by
// bottom - top cells. Cell (column, line) is drawn where the full chart's
// own items of that cell are.

#include <cstdint>
#include <string>
#include <vector>

#include "output/pictures/PixelImage.h"
#include "shell/Settings.h"

namespace dv {

class FullChart;

inline constexpr int kMaxOverlayItems = 99;
inline constexpr int kOverlayTextBytes = 2047;  // text of one text item
inline constexpr int kObstacleEdge = 31000;     // outside the chart or across a page edge
inline constexpr int kObstacleTitle = 32000;

// Alignment of an item: 0 a picture, 1 text aligned left, 2 centred text.
inline constexpr int kOverlayPicture = 0;
inline constexpr int kOverlayLeft = 1;
inline constexpr int kOverlayCentre = 2;

struct CellRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  CellRect Enlarged(int n) const { return {left - n, top - n, right + n, bottom + n}; }
  bool Intersects(const CellRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Contains(int column, int line) const {
    return column >= left && column < right && line >= top && line < bottom;
  }
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct OverlayItem {
  CellRect rect;
  std::string content;  // a picture's file name, or the text
  int alignment = kOverlayPicture;
  FontRecord font;  // text items: a copy of font4 taken when the item was made
  // The picture as last rendered: fitted into the item's box at a cell of
  // renderedWidth x renderedHeight pixels (empty when it could not be loaded).
  PixelImage picture;
  int renderedWidth = 0, renderedHeight = 0;
  int loadStatus = 0;  // 0, or the message id of the last failed load
  std::string loadDetail;
  bool isText() const { return alignment != kOverlayPicture; }
};

// What the placement rule needs of the chart the items stand on.
struct OverlayChart {
  int chartColumns = 0, chartLines = 0;
  bool pageBreaks = true;
  int usableColumns = 1, usableLines = 1, pagesAcross = 1;
  int marginLeft = 0, marginTop = 0;  // printed page: cells before the chart's first column/line
  std::vector<CellRect> people;       // the boxes of the people shown (with their spouses)
  bool hasTitle = false;
  CellRect title;
};

// The geometry and the people's and the title's rectangles of a composed
// full chart: every name or text the chart writes and every box it fills
// (a box from the line above its first text line).
OverlayChart OverlayChartOf(const FullChart& chart);

struct Obstacle {
  CellRect rect;
  int id = 0;  // > 0 a person's box (its number in the chart), 32000 the title, -(i + 1) item i
};

class Overlays {
 public:
  // A new chart: the items of an earlier one are dropped.
  void SetChart(OverlayChart chart);
  const OverlayChart& chart() const { return chart_; }

  int count() const { return int(items_.size()); }
  const std::vector<OverlayItem>& items() const { return items_; }
  OverlayItem& item(int index) { return items_[std::size_t(index)]; }
  const OverlayItem& item(int index) const { return items_[std::size_t(index)]; }

  // The obstacles: people's boxes enlarged by 2 cells on each side, the
  // title enlarged by 1, each item enlarged by 1 (by 2 right after an item
  // was added), sorted by top line.
  void RebuildObstacles(bool afterAdd = false);
  const std::vector<Obstacle>& obstacles() const { return obstacles_; }

  // The placement rule for r, ignoring item ignore (-1: none): kObstacleEdge
  // when r reaches within 2 cells of the chart's edge or, with page breaks,
  // its surroundings (one cell each way) straddle a page edge; else the id
  // of the first obstacle it meets, or 0 when it is free.
  int Test(const CellRect& r, int ignore = -1) const;

  // Adds an item and rebuilds the obstacles (afterAdd). The new index, or -1
  // for an empty rectangle or when 99 items are held already.
  int AddItem(const CellRect& r, std::string content, int alignment, const FontRecord& font);
  // Removes an item (later items move up) and rebuilds the obstacles.
  bool DeleteItem(int index);
  // Moves or resizes item index to r when r passes the rule (ignoring the
  // item itself); returns the rule's answer (0: done).
  int PlaceItem(int index, const CellRect& r);
  // The item under a cell (the last one added first), or -1.
  int ItemAt(int column, int line) const;
  // What is under a cell: 0 free, an item -(i + 1), a person or the title.
  int ObstacleAt(int column, int line) const;

 private:
  OverlayChart chart_;
  std::vector<OverlayItem> items_;
  std::vector<Obstacle> obstacles_;
};

}  // namespace dv
