#include "charts/full/FullChartDraw.h"

#include <algorithm>

namespace dv {

Pen LinkPen(LinkPens links, int style, int width) {
  if (links == LinkPens::kUniform || style <= 0 || style > 6)
    return {width, PenStyle::kSolid, kBlack};
  if (links == LinkPens::kColour) {
    static constexpr Colour kColours[6] = {kBlack,         Rgb(255, 0, 0), Rgb(255, 255, 0),
                                           Rgb(0, 0, 255), Rgb(0, 255, 0), Rgb(0, 255, 255)};
    return {width, PenStyle::kSolid, kColours[style - 1]};
  }
  switch (style) {
    case 2:
      return {1, PenStyle::kDashDotDot, kBlack};
    case 3:
      return {1, PenStyle::kDash, kBlack};
    case 4:
      return {width < 2 ? 0 : width - 2, PenStyle::kSolid, kBlack};
    case 5:
      return {1, PenStyle::kDashDot, kBlack};
    case 6:
      return {1, PenStyle::kDot, kBlack};
    default:
      break;
  }
  return {width, PenStyle::kSolid, kBlack};
}

std::string PageLabel(int pageRow, int pageColumn) {
  std::string label;
  const int letter = pageRow % 52;
  label += letter < 26 ? char('A' + letter) : char('a' + letter - 26);
  return label + std::to_string(pageColumn + 1);
}

namespace {

struct Placer {
  int cw, ch;
  int page;  // > 0 printing
  int U, V, left, top;
  // Device point of a cell.
  int X(int column) const { return page > 0 ? ((column % U) + 1 + left) * cw : (column + 1) * cw; }
  int Y(int line) const { return page > 0 ? ((line % V) + 1 + top) * ch : (line + 1) * ch; }
};

}  // namespace

int DrawFullChart(const FullChartDrawInput& in, DrawSurface& s, int cw, int ch, int page,
                  int screen) {
  if (in.storage == nullptr || in.composed == nullptr || cw <= 0 || ch <= 0) return 0;
  const FullChartStorage& st = *in.storage;
  const ComposedChart& c = *in.composed;
  const FullChartExtent& e = in.extent;
  const Placer at{
      cw, ch, page, e.usableColumns, e.usableLines, in.page.marginLeft, in.page.marginTop};
  const int width =
      RulePenWidth(in.options.lineWidth, ch, in.printerLineHeight, screen != 0 ? 1 : 0);

  s.SetTextColour(kBlack);
  s.SetBackground(Background::kTransparent, kWhite);
  int currentStyle = -1;

  std::size_t first = 0, end = st.items.size();
  if (page > 0) {
    first = end = 0;
    if (!c.imageOrder) {
      for (std::size_t k = 0; k < c.pageList.size(); ++k) {
        if (c.pageList[k].page != page) continue;
        first = std::size_t(c.pageList[k].firstItem);
        end = first;
        while (end < st.items.size() && st.items[end].page == page) ++end;
        break;
      }
    }
  }
  const bool strip = page < 0;
  for (std::size_t i = first; i < end; ++i) {
    const DisplayItem& it = st.items[i];
    if (strip) {
      // Everything that touches the strip, so a line crossing its edge is
      // drawn in both strips.
      const int top = it.kind == kFcText ? it.line : it.line - 1;
      const int bottom = it.kind == kFcText         ? it.line + 1
                         : it.kind == kFcHorizontal ? it.line + 1
                         : it.kind == kFcBox        ? it.line + ((it.text >> 16) & 0x7FFF) + 1
                                                    : it.line + it.length + 1;
      if (bottom + 1 < in.stripFirst || top - 1 > in.stripEnd) continue;
    }
    if (page > 0) {
      const int col = it.column % e.usableColumns;
      const int len = it.kind == kFcText         ? int(st.texts[std::size_t(it.text)].size())
                      : it.kind == kFcHorizontal ? it.length
                      : it.kind == kFcBox        ? it.text & 0xFFFF
                                                 : 0;
      const int down = it.kind == kFcHorizontal || it.kind == kFcText ? 0
                       : it.kind == kFcBox                            ? (it.text >> 16) & 0x7FFF
                                                                      : it.length;
      if (col + (it.kind == kFcText ? 0 : len) > e.usableColumns) return kMsgFcWidthOverrun;
      if ((it.line % e.usableLines) + down > e.usableLines) return kMsgFcVerticalFormat;
    }
    const int x = at.X(it.column), y = at.Y(it.line);
    switch (it.kind) {
      case kFcText:
        s.Text(x, y, st.texts[std::size_t(it.text)]);
        break;
      case kFcHorizontal:
        if (currentStyle != it.style)
          s.SetPen(LinkPen(in.options.links, currentStyle = it.style, width));
        s.HorizontalRule(x, x + it.length * cw, y - ch / 2);
        break;
      case kFcBox: {
        // A box from its top edge to its bottom edge: coloured, or framed
        // by its four edges in the pen of plain lines.
        const int top = y - ch / 2;
        const int right = x + (it.text & 0xFFFF) * cw;
        const int bottom = top + ((it.text >> 16) & 0x7FFF) * ch;
        if (it.style == kFcFramedBox) {
          if (currentStyle != 0) s.SetPen(LinkPen(in.options.links, currentStyle = 0, width));
          s.OutlineBox(x, top, right, bottom);
        } else {
          s.FillBox(x, top, right, bottom,
                    in.colours[std::size_t(std::clamp<int>(it.style, 0, 15))]);
        }
        break;
      }
      default: {
        if (currentStyle != it.style)
          s.SetPen(LinkPen(in.options.links, currentStyle = it.style, width));
        int y1 = y - ch / 2;
        // A line that comes from the page above starts just below the top
        // margin on paper.
        if (page > 0 && it.kind >= kFcVerticalContinued && it.line % e.usableLines == 0)
          y1 = (1 + in.page.marginTop) * ch - ch + 5;
        s.VerticalRule(x, y1, y + it.length * ch - ch / 2);
        break;
      }
    }
  }

  const TitlePlace& t = c.title;
  if (t.placed && in.options.title > 0 && (page <= 0 || page == t.page)) {
    FontRecord font = in.titleFont;
    if (font.faceName().empty()) font.setFaceName("Times New Roman");
    font.setHeight(2 * ch);
    font.setWidth(cw);
    if (screen > 0 && in.screenTitleFitted) font = in.screenTitleFont;
    const FontRecord previous = s.CurrentFont();
    s.SelectFont(font);
    const int count = t.oneLine ? 1 : 3;
    for (int k = 0; k < count; ++k) {
      const std::string& text = t.lines[k];
      const int centred =
          t.column + (t.oneLine ? 0 : (t.width - int(text.size() + text.size() / 4)) / 2);
      s.Text(at.X(std::max(t.column, centred)), at.Y(t.line + 2 * k), text);
    }
    s.SelectFont(previous);
  }

  if (page > 0 && in.options.pageNumbersOn()) {
    const int pr = (page - 1) / std::max<int>(1, e.pagesAcross);
    const int pc = (page - 1) % std::max<int>(1, e.pagesAcross);
    const FontRecord previous = s.CurrentFont();
    const FontMetrics m = s.SelectFont(in.pageNumberFont);
    const int x = (in.page.pageColumns * cw) / 2 - m.averageCharWidth;
    const int y =
        in.options.pageNumbersTop() ? 1 : (in.page.pageLines + 1) * ch - m.lineHeight() - 1;
    s.Text(x, y, PageLabel(pr, pc));
    s.SelectFont(previous);
  }

  if (page == 0 && screen > 0 && !in.options.noPageBreaks) {
    s.SetPen({0, PenStyle::kDash, kBlack});
    for (int pc = 1; pc < e.pagesAcross; ++pc)
      s.VerticalRule(pc * e.usableColumns * cw + cw, 0, (e.chartLines) * ch);
    for (int pr = 1; pr < e.pagesDown; ++pr)
      s.HorizontalRule(0, e.chartColumns * cw, pr * e.usableLines * ch + ch);
  }
  return 0;
}

}  // namespace dv
