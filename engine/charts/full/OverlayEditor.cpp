#include "charts/full/OverlayEditor.h"

#include <algorithm>
#include <cstdlib>

namespace dv {

namespace {

constexpr int kCornerReach = 6;  // pixels around a corner that grab it

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

// Cell (c, l) is drawn from chart pixel ((c + 1) * cw, (l + 1) * ch), as the
// chart's own items are.
int OverlayEditor::ColumnOf(int x) const { return FloorDiv(x, view_.cellWidth) - 1; }
int OverlayEditor::LineOf(int y) const { return FloorDiv(y, view_.cellHeight) - 1; }

PixelRect OverlayEditor::ItemPixels(int index) const {
  const CellRect& r = overlays_.item(index).rect;
  const int cw = view_.cellWidth, ch = view_.cellHeight;
  return {(r.left + 1) * cw, (r.top + 1) * ch, (r.right + 1) * cw, (r.bottom + 1) * ch};
}

CellRect OverlayEditor::CoveredCells(const PixelRect& r) const {
  return {ColumnOf(r.left), LineOf(r.top), ColumnOf(r.right - 1) + 1, LineOf(r.bottom - 1) + 1};
}

CellRect OverlayEditor::InwardCells(const PixelRect& r) const {
  const int cw = view_.cellWidth, ch = view_.cellHeight;
  CellRect c{FloorDiv(r.left + cw - 1, cw) - 1, FloorDiv(r.top + ch - 1, ch) - 1,
             FloorDiv(r.right, cw) - 1, FloorDiv(r.bottom, ch) - 1};
  c.right = std::max(c.right, c.left + 1);
  c.bottom = std::max(c.bottom, c.top + 1);
  return c;
}

PixelRect OverlayEditor::Normalised() const {
  return {std::min(anchorX_, currentX_), std::min(anchorY_, currentY_),
          std::max(anchorX_, currentX_) + 1, std::max(anchorY_, currentY_) + 1};
}

PixelRect OverlayEditor::band() const {
  PixelRect r;
  if (state_ == 8) {
    const int cw = view_.cellWidth, ch = view_.cellHeight;
    r = {(moveTo_.left + 1) * cw, (moveTo_.top + 1) * ch, (moveTo_.right + 1) * cw,
         (moveTo_.bottom + 1) * ch};
  } else if (state_ >= 2) {
    r = Normalised();
  } else {
    return {};
  }
  const int dx = view_.scrollColumn * view_.cellWidth, dy = view_.scrollLine * view_.cellHeight;
  return {r.left - dx, r.top - dy, r.right - dx, r.bottom - dy};
}

void OverlayEditor::Reset() {
  state_ = 1;
  selected_ = -1;
}

void OverlayEditor::LeftDown(int x, int y, const OverlayView& view) {
  if (state_ == 2) state_ = 1;
  if (view.cellWidth <= 0 || view.cellHeight <= 0) return;
  view_ = view;
  anchorX_ = currentX_ = x + view.scrollColumn * view.cellWidth;
  anchorY_ = currentY_ = y + view.scrollLine * view.cellHeight;
  selected_ = -1;
  const int hit = overlays_.ObstacleAt(ColumnOf(anchorX_), LineOf(anchorY_));
  if (hit == 0) {
    state_ = 3;
    return;
  }
  if (hit > 0) {  // a person's box or the title
    state_ = 1;
    return;
  }
  selected_ = -hit - 1;
  start_ = ItemPixels(selected_);
  moveTo_ = overlays_.item(selected_).rect;
  const PixelRect& r = start_;
  auto near = [&](int cx, int cy) {
    return std::abs(anchorX_ - cx) <= kCornerReach && std::abs(anchorY_ - cy) <= kCornerReach;
  };
  // A corner grabbed: the anchor moves to the opposite corner.
  struct Corner {
    int x, y, state, oppositeX, oppositeY;
  } corners[] = {{r.left, r.top, 4, r.right - 1, r.bottom - 1},
                 {r.right - 1, r.bottom - 1, 5, r.left, r.top},
                 {r.left, r.bottom - 1, 6, r.right - 1, r.top},
                 {r.right - 1, r.top, 7, r.left, r.bottom - 1}};
  for (const Corner& c : corners) {
    if (!near(c.x, c.y)) continue;
    state_ = c.state;
    currentX_ = c.x;
    currentY_ = c.y;
    anchorX_ = c.oppositeX;
    anchorY_ = c.oppositeY;
    return;
  }
  state_ = 8;
}

void OverlayEditor::Move(int x, int y) {
  if (state_ < 3 || state_ > 8) return;
  const int cx = x + view_.scrollColumn * view_.cellWidth;
  const int cy = y + view_.scrollLine * view_.cellHeight;
  if (state_ == 8) {
    const CellRect& r = overlays_.item(selected_).rect;
    const int left = ColumnOf(start_.left + cx - anchorX_);
    const int top = LineOf(start_.top + cy - anchorY_);
    const CellRect next{left, top, left + r.width(), top + r.height()};
    if (overlays_.Test(next, selected_) == 0) {
      moveTo_ = next;
      currentX_ = cx;
      currentY_ = cy;
    } else {
      // Ran into something: the move ends at the last free place.
      if (moveTo_ != r) {
        overlays_.item(selected_).rect = moveTo_;
        overlays_.RebuildObstacles();
      }
      Reset();
    }
    return;
  }
  const int lastX = currentX_, lastY = currentY_;
  currentX_ = cx;
  currentY_ = cy;
  if (overlays_.Test(CoveredCells(Normalised()), state_ == 3 ? -1 : selected_) != 0) {
    currentX_ = lastX;
    currentY_ = lastY;
    state_ = state_ == 3 ? 2 : 9;
  }
}

void OverlayEditor::End(DrawSurface& measure, const OverlayContext& context) {
  switch (state_) {
    case 3:
      state_ = 2;
      return;
    case 8:
      if (moveTo_ != overlays_.item(selected_).rect) {
        overlays_.item(selected_).rect = moveTo_;
        overlays_.RebuildObstacles();
      }
      Reset();
      return;
    case 4:
    case 5:
    case 6:
    case 7:
    case 9: {
      const PixelRect band = Normalised();
      const bool moved = std::abs(band.left - start_.left) >= 1 ||
                         std::abs(band.top - start_.top) >= 1 ||
                         std::abs(band.right - start_.right) >= 1 ||
                         std::abs(band.bottom - start_.bottom) >= 1;
      const CellRect cells = InwardCells(band);
      if (moved && overlays_.Test(cells, selected_) == 0) {
        overlays_.item(selected_).rect = cells;
        RenderItem(overlays_, selected_, measure, view_.cellWidth, view_.cellHeight, context, true);
        overlays_.RebuildObstacles();
      }
      Reset();
      return;
    }
  }
}

bool OverlayEditor::RightClick(int x, int y, const OverlayView& view) {
  if (view.cellWidth <= 0 || view.cellHeight <= 0) return false;
  const int cx = x + view.scrollColumn * view.cellWidth;
  const int cy = y + view.scrollLine * view.cellHeight;
  if (state_ == 2) {
    const PixelRect r = Normalised();
    if (cx >= r.left && cx < r.right && cy >= r.top && cy < r.bottom) return true;
  }
  view_ = view;
  const int hit = overlays_.ItemAt(ColumnOf(cx), LineOf(cy));
  if (hit < 0) return false;
  state_ = 1;
  selected_ = hit;
  return true;
}

CellRect OverlayEditor::SelectedCells() const {
  if (state_ != 2) return {};
  return InwardCells(Normalised());
}

int OverlayEditor::Insert(std::string content, int alignment, const FontRecord& font,
                          DrawSurface& measure, const OverlayContext& context) {
  const CellRect cells = SelectedCells();
  Reset();
  if (cells.empty() || content.empty()) return -1;
  const int index = overlays_.AddItem(cells, std::move(content), alignment, font);
  if (index < 0) return -1;
  RenderItem(overlays_, index, measure, view_.cellWidth, view_.cellHeight, context, true);
  overlays_.RebuildObstacles();
  return index;
}

bool OverlayEditor::EditText(std::string text, int alignment, DrawSurface& measure,
                             const OverlayContext& context) {
  if (selected_ < 0 || selected_ >= overlays_.count() || !overlays_.item(selected_).isText())
    return false;
  OverlayItem& item = overlays_.item(selected_);
  item.content = std::move(text);
  item.alignment = alignment;
  RenderItem(overlays_, selected_, measure, view_.cellWidth, view_.cellHeight, context, false);
  Reset();
  return true;
}

bool OverlayEditor::DeleteSelected() {
  const bool done = overlays_.DeleteItem(selected_);
  Reset();
  return done;
}

}  // namespace dv
