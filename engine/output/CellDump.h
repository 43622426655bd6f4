#pragma once
// A drawing surface that records what a draw routine draws, in drawing order,
// and turns the device points back into cells: the display dump of the
// command-line tool and the golden text of the chart tests.
//
// A dump line reads
//   page <TAB> column <TAB> line <TAB> kind <TAB> length <TAB> "text"
// kind is text, hline, vline, box, frame or image (an overlay picture: its
// box, and the file's name as the text). Positions are exact: a whole cell
// is written as its number, a half cell as n.5 (the recorder's cells are of
// even size so half cells are whole device units), anything else as n+r/size.
// A rule's line is the line whose cell it stands half a line above. The
// length is in cells (for a frame: columns x lines); text is C-escaped. A
// filled box has its width as length and "HEIGHTxCOLOUR" as text, the
// colour as RRGGBB in hexadecimal unless the chart names its colours; a box
// drawn as its four edges (OutlineBox) is one box line with colour 0.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/DrawSurface.h"

namespace dv {

class CellRecorder final : public DrawSurface {
 public:
  enum class Kind { kText, kHorizontal, kVertical, kBox, kFrame, kImage };
  struct Item {
    Kind kind;
    int x1, y1, x2, y2;  // device points: text at (x1, y1); rules and boxes from 1 to 2
    std::string text;
    Pen pen;
    Colour colour;  // text colour, box fill
    bool outline = false;  // a box drawn as its edges, not filled
  };

  // Cells of cellWidth by cellHeight device units; both even by default so a
  // half-cell shift stays exact.
  explicit CellRecorder(int cellWidth = 8, int cellHeight = 12);

  int cellWidth() const { return cellWidth_; }
  int cellHeight() const { return cellHeight_; }
  const std::vector<Item>& items() const { return items_; }

  // The dump of the recorded items, each line tagged with page.
  std::string Dump(int page) const;
  // How a box's fill colour is written in the dump (a chart's own colour
  // numbers); by default RRGGBB.
  void SetColourNames(std::function<std::string(Colour)> name) { colourName_ = std::move(name); }
  std::string ColourName(Colour colour) const;

  FontMetrics SelectFont(const FontRecord& font) override;
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view text) override;
  void SetTextColour(Colour colour) override { textColour_ = colour; }
  void SetBackground(Background, Colour) override {}
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void SetOrigin(int x, int y) override {
    originX_ = x;
    originY_ = y;
  }
  void Text(int x, int y, std::string_view text) override;
  void HorizontalRule(int x1, int x2, int y) override;
  void VerticalRule(int x, int y1, int y2) override;
  void FrameBox(int left, int top, int right, int bottom) override;
  void FillBox(int left, int top, int right, int bottom, Colour colour) override;
  void Picture(int left, int top, int right, int bottom, const PixelImage& image,
               std::string_view name) override;
  void OutlineBox(int left, int top, int right, int bottom) override;

 private:
  int cellWidth_;
  int cellHeight_;
  int originX_ = 0;
  int originY_ = 0;
  FontRecord font_{};
  Colour textColour_ = kBlack;
  Pen pen_{};
  std::vector<Item> items_;
  std::function<std::string(Colour)> colourName_;
};

// Runs draw on a recorder and returns the dump; status receives the
// routine's result (the dump still holds what was drawn before a failure).
std::string DumpDrawing(const DrawRoutine& draw, int page, int screen, int& status,
                        int cellWidth = 8, int cellHeight = 12);

// A device coordinate in cells of size, written exactly (see above).
std::string CellsText(int device, int size);

}  // namespace dv
