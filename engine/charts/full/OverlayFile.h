#pragma once
// Overlay items from a text file, one item a line, placed under the same
// rule as items drawn with the mouse:
//   image LEFT TOP RIGHT BOTTOM PATH
//   text LEFT TOP RIGHT BOTTOM left|centre TEXT
// in whole-chart cells (RIGHT and BOTTOM exclusive); "\n" in TEXT is a new
// line, "\\" a backslash. Blank lines and lines starting with '#' are skipped.

#include <string>
#include <string_view>
#include <vector>

#include "charts/full/OverlayDraw.h"

namespace dv {

struct OverlayLine {
  int line = 0;        // 1-based line of the file
  std::string error;   // not empty: the line cannot be read
  CellRect rect;
  int alignment = kOverlayPicture;
  std::string content;
};

std::vector<OverlayLine> ParseOverlayFile(std::string_view text);

// Why a rectangle is refused, from the placement rule's answer: "page edge",
// "title", "person", or "item N" with N the file line of that item.
std::string RefusalReason(int obstacleId, const std::vector<int>& itemLines);

struct OverlayOutcome {
  int line = 0;
  bool placed = false;
  std::string reason;  // refused: why
  int message = 0;     // placed, but its picture could not be loaded: the message id
  std::string detail;
};

// Adds the readable lines in order: each is tested against the rule, added,
// and rendered with resizing at cells of cw x ch (measured on measure), as
// an inserted item is; text items take font. One outcome per line.
std::vector<OverlayOutcome> PlaceOverlayLines(Overlays& overlays,
                                              const std::vector<OverlayLine>& lines,
                                              const FontRecord& font, DrawSurface& measure, int cw,
                                              int ch, const OverlayContext& context);

}  // namespace dv
