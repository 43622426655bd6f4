#pragma once
// Text items: breaking the text into lines that fit the box, and sizing the
// box to its text.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "charts/full/OverlayItems.h"
#include "output/DrawSurface.h"

namespace dv {

inline constexpr int kMaxOverlayTextLines = 199;

// Breaks text into at most 199 lines no wider than maxWidth as width()
// measures them. Words are separated by blanks, tabs, carriage returns and
// line feeds; a word that would make its line too wide starts the next one,
// unless it is the line's only word, which then stands alone even if too
// wide. A line feed ends the line, each further line feed of the same run of
// white space adds an empty line.
std::vector<std::string> WrapOverlayText(std::string_view text, int maxWidth,
                                         const std::function<int(std::string_view)>& width);

// The text item's font at a cell height: its height scaled by the cell height
// over the chart font's (the chart font is a cell high at every zoom).
FontRecord OverlayFontAt(const FontRecord& itemFont, const FontRecord& chartFont, int cellHeight);

// A text item laid out in a box of pixels: the margin unit u (width of "x"),
// the line height, the lines, and the box size the text wants.
struct TextLayout {
  int unit = 0, lineHeight = 0;
  std::vector<std::string> lines;
  int width = 0, height = 0;  // the box, after any resizing
};

// Lays out item's text in its box at cells of cw x ch with the surface's
// measurements (the item's font selected by the caller). A box narrower than
// 3u or lower than one line is first enlarged to that. With autoResize, or
// for such a small box, the box is fitted to its text: (lines + 2) line
// heights high and its widest line + 2u wide; a box larger than that shrinks
// to it, one that must grow grows only as far as the placement rule allows
// (height first given back, then width, one pixel at a time, never below its
// size before). The item's cell rectangle follows the new size (whole cells,
// rounded up). Returns the layout.
TextLayout LayoutTextItem(Overlays& overlays, int index, DrawSurface& surface, int cw, int ch,
                          bool autoResize);

}  // namespace dv
