#pragma once
// Rendering and drawing the overlay items through the chart's drawing
// surface, after the chart on every target (on paper each item on its own
// page, at the chart's page position), and the full chart's draw routine
// and dump with the items added. Drawn last, an item covers whatever of the
// chart (a line of descent) runs under it, so the chart never shows through
// a picture or a text on screen, on paper or in an image alike.

#include <string>

#include "charts/full/OverlayItems.h"
#include "output/DrawSurface.h"

namespace dv {

class FullChart;

// What rendering needs besides the items.
struct OverlayContext {
  FontRecord chartFont;    // the text items' font is scaled against it
  std::string sourceFile;  // a bare picture name is looked for in its folder
  bool scaleToFit = false;  // "Scale images to fit" (else "Scale downwards only")
  bool autoResize = false;  // "Automatically resize text items"
};

// Renders item index at cells of cw x ch. A picture is loaded and fitted
// into its box; with resize its cell rectangle then follows the fitted size
// (whole cells, rounded up). A text item is laid out (with resize and the
// option on: sized to its text); measure is the surface it is measured on.
// Returns 0, or the message id of a picture that could not be loaded (its
// item then draws nothing; loadDetail says why).
int RenderItem(Overlays& overlays, int index, DrawSurface& measure, int cw, int ch,
               const OverlayContext& context, bool resize);

// Draws the items: page 0 the whole chart (screen 1) or an image strip
// (page -1), page n > 0 the items of printed page n. Pictures are rendered
// afresh when the cell size changed.
void DrawOverlays(Overlays& overlays, DrawSurface& s, int cw, int ch, int page, int screen,
                  const OverlayContext& context);

// The full chart's draw routine with the items drawn after the chart.
DrawRoutine WithOverlays(const FullChart& chart, Overlays& overlays, const OverlayContext& context);

// FullChart::Dump with the items drawn on their pages.
std::string DumpWithOverlays(const FullChart& chart, Overlays& overlays,
                             const OverlayContext& context, int& status);

}  // namespace dv
