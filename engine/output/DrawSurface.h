#pragma once
// The drawing surface every chart draws on. A chart's draw routine is written
// once against it; the Windows program implements it with GDI for the window,
// the printer, a metafile and bitmap strips, the command-line tool with cairo,
// and tests with a recorder that turns device points back into cells.
//
// All coordinates are device units (pixels of the target). A chart places
// the cell (column, line) at x = column * cellWidth, y = line * cellHeight
// (margins already added by the routine), writes text with its top at the
// cell's top, and draws a rule "on" line L half a line above the cell:
// y = L * cellHeight - cellHeight / 2.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "shell/Settings.h"

namespace dv {

struct PixelImage;

// A colour as Windows stores it: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int RedOf(Colour c) { return int(c & 0xFF); }
constexpr int GreenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return int((c >> 16) & 0xFF); }
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

// Pen styles the charts use (the full chart's "Differentiate" links need the
// dashed and dotted ones); the values are those of the Windows pen styles.
enum class PenStyle : int { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4 };

struct Pen {
  int width = 1;  // device units; 0 draws one pixel wide
  PenStyle style = PenStyle::kSolid;
  Colour colour = kBlack;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// Text background: transparent leaves the pixels under the text, opaque
// first clears the text's own box to the background colour.
enum class Background : int { kTransparent = 1, kOpaque = 2 };

// The metrics of the selected font, in device units, as a device reports them.
struct FontMetrics {
  int height = 0;            // ascent + descent
  int externalLeading = 0;
  int averageCharWidth = 0;
  int maxCharWidth = 0;
  bool fixedPitch = true;
  int lineHeight() const { return height + externalLeading; }
};

struct TextSize {
  int width = 0;
  int height = 0;
};

// The fields of a font record that a surface needs to make a font.
struct FontFields {
  std::string face;
  int height = 0;  // < 0: character height, > 0: cell height, 0: default
  int width = 0;   // 0: the face's natural width
  int weight = 400;
  bool italic = false;
};
FontFields FontFieldsOf(const FontRecord& font);

class DrawSurface {
 public:
  virtual ~DrawSurface() = default;

  // Makes font the font of the following text and returns its metrics.
  virtual FontMetrics SelectFont(const FontRecord& font) = 0;
  // The record last selected (so a routine can put the chart font back after
  // drawing a title in a font of its own).
  virtual const FontRecord& CurrentFont() const = 0;
  // Size of text in the selected font.
  virtual TextSize MeasureText(std::string_view text) = 0;

  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetBackground(Background mode, Colour colour) = 0;
  virtual void SetPen(const Pen& pen) = 0;

  // The device point that appears at the target's top-left pixel (the
  // scroll position on screen, the strip's first row in an image strip).
  virtual void SetOrigin(int x, int y) = 0;

  // Text (ANSI, code page 1252) with its top-left corner at (x, y).
  virtual void Text(int x, int y, std::string_view text) = 0;
  // A rule in the current pen from x1 to x2 at height y / from y1 to y2 at x.
  virtual void HorizontalRule(int x1, int x2, int y) = 0;
  virtual void VerticalRule(int x, int y1, int y2) = 0;
  // The outline of a rectangle in the current pen (the overview's frame).
  virtual void FrameBox(int left, int top, int right, int bottom) = 0;
  // A rectangle filled with colour, right and bottom edges excluded.
  virtual void FillBox(int left, int top, int right, int bottom, Colour colour) = 0;
  // A picture of an overlay item: image's pixels at their own size with
  // their top-left corner at (left, top), inside the item's box left, top,
  // right, bottom; name is the picture's file (for a recording). A surface
  // that cannot show pixels leaves it out.
  virtual void Picture(int left, int top, int right, int bottom, const PixelImage& image,
                       std::string_view name) {}
  // A box drawn as its four edges in the current pen (top, bottom, left,
  // right rules); a recorder may keep it as one box.
  virtual void OutlineBox(int left, int top, int right, int bottom) {
    HorizontalRule(left, right, top);
    HorizontalRule(left, right, bottom);
    VerticalRule(left, top, bottom);
    VerticalRule(right, top, bottom);
  }
};

// A chart's draw routine: draws the chart with cells of cellWidth by
// cellHeight device units; page 0 is the whole chart (screen, metafile,
// image strip), n > 0 a printed page, -1 the full chart's image mode; screen
// is 1 on screen and in images, 0 on paper, -1 in image mode. Returns 0 or
// the string id of the failure.
using DrawRoutine = std::function<int(DrawSurface& surface, int cellWidth, int cellHeight,
                                      int page, int screen)>;

// The rule pen's width: lineWidth printer pixels on paper; on screen scaled by
// the cell height over the printer's line height so lines keep their
// proportion at every zoom.
int RulePenWidth(int lineWidth, int cellHeight, int printerLineHeight, int screen);

// Windows' MulDiv: a * b / c in 64 bits, rounded half away from zero; -1
// when c is 0 or the result does not fit 32 bits.
int MulDiv(int a, int b, int c);

}  // namespace dv
