#pragma once
// The mouse on a full chart with overlay items: selecting free space with a
// rubber band, inserting pictures and text there, moving items, resizing
// them by a corner and deleting them. The window turns its mouse messages
// and commands into these calls and draws what state() and band() say; the
// rules and the items live here so they can be tested without a window.
//
// States (chartState): 1 nothing selected, 2 a free rectangle selected,
// 3 dragging a new rectangle, 4 / 5 resizing by the top-left / bottom-right
// corner, 6 / 7 by the bottom-left / top-right corner, 8 moving an item,
// 9 a resize that ran into an obstacle.

#include <string>

#include "charts/full/OverlayDraw.h"

namespace dv {

// The window's cells and scroll position (in cells) when a drag starts.
struct OverlayView {
  int cellWidth = 8, cellHeight = 12;
  int scrollColumn = 0, scrollLine = 0;
};

// A rectangle in window pixels.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

class OverlayEditor {
 public:
  explicit OverlayEditor(Overlays& overlays) : overlays_(overlays) {}

  int state() const { return state_; }
  int selected() const { return selected_; }
  // The band (states 2 to 7 and 9) or the moved item's place (state 8), in
  // window pixels of the view the drag started in.
  PixelRect band() const;
  // A repaint, a scroll or a zoom: state 1, nothing selected.
  void Reset();

  // Left button down at window pixel (x, y).
  void LeftDown(int x, int y, const OverlayView& view);
  // The mouse moved to (x, y) with the button held (states 3 to 8).
  void Move(int x, int y);
  // Command 26, the end of a drag: the moved or resized item takes its new
  // place (a resized item is rendered again with resizing, on measure).
  void End(DrawSurface& measure, const OverlayContext& context);
  // Right button at (x, y): true when the context menu is to be shown (the
  // click is inside the selected rectangle, or on an item, which is then
  // selected).
  bool RightClick(int x, int y, const OverlayView& view);

  // The selected free rectangle snapped to cells (state 2), else empty.
  CellRect SelectedCells() const;
  // Commands 201 and 204: adds a picture (alignment 0) or a text item in the
  // selected rectangle, renders it with resizing. The new index, or -1 (no
  // rectangle, an empty one, or 99 items). State 1 afterwards.
  int Insert(std::string content, int alignment, const FontRecord& font, DrawSurface& measure,
             const OverlayContext& context);
  // Command 205: the selected text item's text and alignment replaced.
  bool EditText(std::string text, int alignment, DrawSurface& measure,
                const OverlayContext& context);
  // Commands 202 and 206: the selected item removed. State 1.
  bool DeleteSelected();

 private:
  int ColumnOf(int chartX) const;
  int LineOf(int chartY) const;
  PixelRect ItemPixels(int index) const;  // chart pixels
  CellRect CoveredCells(const PixelRect& r) const;
  CellRect InwardCells(const PixelRect& r) const;
  PixelRect Normalised() const;  // anchor to current, chart pixels

  Overlays& overlays_;
  int state_ = 1;
  int selected_ = -1;
  OverlayView view_;
  int anchorX_ = 0, anchorY_ = 0, currentX_ = 0, currentY_ = 0;  // chart pixels
  PixelRect start_;   // the selected item's pixels when the drag began
  CellRect moveTo_;   // state 8: the last free place
};

}  // namespace dv
