#pragma once
// The Birth Brief's draw routine: the display list placed on the cell grid
// (with the page margins added) and drawn on any surface, the window, the
// printer, a metafile, an image strip or a recorder.

#include <vector>

#include "charts/selective/BirthBriefLayout.h"
#include "charts/selective/BirthBriefTables.h"
#include "output/DrawSurface.h"

namespace dv {

// Everything the draw routine reads besides the surface and the cell size.
struct BirthBriefDrawInput {
  const BirthBriefTables* tables = nullptr;
  const std::vector<BirthBriefItem>* items = nullptr;
  BirthBriefOptions options;
  BirthBriefPage page;         // page size and margins in cells
  int lineWidth = 6;           // graphics line width in printer pixels
  int printerLineHeight = 25;  // printer pixels of one line
};

// Device position of an item, before the surface's origin.
struct ItemPlacement {
  int x = 0;       // text: left; rules: start
  int y = 0;       // text: top; horizontal rule: its height; vertical rule: start
  int length = 0;  // rules: device units (x2 - x or y2 - y); text: 0
};
ItemPlacement PlaceBirthBriefItem(const BirthBriefDrawInput& in, const BirthBriefItem& item,
                                  int cellWidth, int cellHeight);

// Draws the whole chart (the page argument is ignored: one page). On paper
// (screen 0) a page narrower than 6 W + 34 usable columns, or an item off
// the paper, gives 52 "Paper/printing area too small"; items drawn before
// the failing one stay drawn. Returns 0 or the string id.
int DrawBirthBrief(const BirthBriefDrawInput& in, DrawSurface& surface, int cellWidth,
                   int cellHeight, int page, int screen);

}  // namespace dv
