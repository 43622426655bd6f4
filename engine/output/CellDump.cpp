#include "output/CellDump.h"

#include <string>

#include "common/StringTable.h"

namespace dv {

namespace {

// Floor division, so a point left of or above the origin lands in the cell
// before it rather than being rounded towards zero.
int FloorDiv(int a, int b) {
  int q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

const char* KindName(CellRecorder::Kind kind) {
  switch (kind) {
    case CellRecorder::Kind::kText: return "text";
    case CellRecorder::Kind::kHorizontal: return "hline";
    case CellRecorder::Kind::kVertical: return "vline";
    case CellRecorder::Kind::kBox: return "box";
    case CellRecorder::Kind::kFrame: return "frame";
    case CellRecorder::Kind::kImage: return "image";
  }
  return "?";
}

}  // namespace

std::string CellsText(int device, int size) {
  int whole = FloorDiv(device, size);
  int rest = device - whole * size;
  if (rest == 0) return std::to_string(whole);
  if (rest * 2 == size) return std::to_string(whole) + ".5";
  return std::to_string(whole) + "+" + std::to_string(rest) + "/" + std::to_string(size);
}

CellRecorder::CellRecorder(int cellWidth, int cellHeight)
    : cellWidth_(cellWidth > 0 ? cellWidth : 1), cellHeight_(cellHeight > 0 ? cellHeight : 1) {}

FontMetrics CellRecorder::SelectFont(const FontRecord& font) {
  font_ = font;
  FontMetrics m;
  m.height = cellHeight_;
  m.averageCharWidth = cellWidth_;
  m.maxCharWidth = cellWidth_;
  m.fixedPitch = true;
  return m;
}

TextSize CellRecorder::MeasureText(std::string_view text) {
  return {int(text.size()) * cellWidth_, cellHeight_};
}

void CellRecorder::Text(int x, int y, std::string_view text) {
  x += originX_;
  y += originY_;
  items_.push_back({Kind::kText, x, y, x + int(text.size()) * cellWidth_, y + cellHeight_,
                    std::string(text), pen_, textColour_});
}

void CellRecorder::HorizontalRule(int x1, int x2, int y) {
  items_.push_back({Kind::kHorizontal, x1 + originX_, y + originY_, x2 + originX_, y + originY_,
                    {}, pen_, pen_.colour});
}

void CellRecorder::VerticalRule(int x, int y1, int y2) {
  items_.push_back({Kind::kVertical, x + originX_, y1 + originY_, x + originX_, y2 + originY_,
                    {}, pen_, pen_.colour});
}

void CellRecorder::FrameBox(int left, int top, int right, int bottom) {
  items_.push_back({Kind::kFrame, left + originX_, top + originY_, right + originX_,
                    bottom + originY_, {}, pen_, pen_.colour});
}

void CellRecorder::FillBox(int left, int top, int right, int bottom, Colour colour) {
  items_.push_back({Kind::kBox, left + originX_, top + originY_, right + originX_,
                    bottom + originY_, {}, pen_, colour});
}

void CellRecorder::Picture(int left, int top, int right, int bottom, const PixelImage&,
                           std::string_view name) {
  items_.push_back({Kind::kImage, left + originX_, top + originY_, right + originX_,
                    bottom + originY_, std::string(name), pen_, kBlack});
}

void CellRecorder::OutlineBox(int left, int top, int right, int bottom) {
  items_.push_back({Kind::kBox, left + originX_, top + originY_, right + originX_,
                    bottom + originY_, {}, pen_, pen_.colour, true});
}

std::string CellRecorder::Dump(int page) const {
  std::string out;
  for (const Item& it : items_) {
    std::string column = CellsText(it.x1, cellWidth_);
    std::string line;
    std::string length;
    std::string text = it.text;
    switch (it.kind) {
      case Kind::kText:
        line = CellsText(it.y1, cellHeight_);
        length = std::to_string(it.text.size());
        break;
      case Kind::kHorizontal:
        // A rule on line L stands half a line above that line's cell.
        line = CellsText(it.y1 + cellHeight_ / 2, cellHeight_);
        length = CellsText(it.x2 - it.x1, cellWidth_);
        break;
      case Kind::kVertical:
        line = CellsText(it.y1 + cellHeight_ / 2, cellHeight_);
        length = CellsText(it.y2 - it.y1, cellHeight_);
        break;
      case Kind::kBox:
        // A filled box: its width, and its height with its fill colour in
        // the text field.
        line = CellsText(it.y1, cellHeight_);
        length = CellsText(it.x2 - it.x1, cellWidth_);
        text = CellsText(it.y2 - it.y1, cellHeight_) + "x" +
               (it.outline ? std::string("0") : ColourName(it.colour));
        break;
      case Kind::kFrame:
      case Kind::kImage:
        line = CellsText(it.y1, cellHeight_);
        length = CellsText(it.x2 - it.x1, cellWidth_) + "x" + CellsText(it.y2 - it.y1, cellHeight_);
        break;
    }
    out += std::to_string(page) + "\t" + column + "\t" + line + "\t" + KindName(it.kind) + "\t" +
           length + "\t\"" + CEscape(text) + "\"\n";
  }
  return out;
}

std::string CellRecorder::ColourName(Colour colour) const {
  if (colourName_) return colourName_(colour);
  static const char kHex[] = "0123456789ABCDEF";
  std::string name;
  for (int part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    name += kHex[(part >> 4) & 15];
    name += kHex[part & 15];
  }
  return name;
}

std::string DumpDrawing(const DrawRoutine& draw, int page, int screen, int& status,
                        int cellWidth, int cellHeight) {
  CellRecorder recorder(cellWidth, cellHeight);
  status = draw(recorder, recorder.cellWidth(), recorder.cellHeight(), page, screen);
  return recorder.Dump(page);
}

}  // namespace dv
