#include "charts/full/OverlayText.h"

#include <algorithm>

namespace dv {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : a; }

}  // namespace

std::vector<std::string> WrapOverlayText(std::string_view text, int maxWidth,
                                         const std::function<int(std::string_view)>& width) {
  std::vector<std::string> lines;
  std::string line;
  bool lineHasWord = false;
  auto endLine = [&] {
    if (lines.size() < kMaxOverlayTextLines) lines.push_back(line);
    line.clear();
    lineHasWord = false;
  };
  std::size_t i = 0;
  while (i < text.size() && lines.size() < kMaxOverlayTextLines) {
    if (IsSpace(text[i])) {
      int feeds = 0;
      while (i < text.size() && IsSpace(text[i])) feeds += text[i++] == '\n';
      if (feeds > 0) {
        endLine();
        for (int k = 1; k < feeds; ++k) endLine();
      }
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    const std::string_view word = text.substr(i, end - i);
    i = end;
    if (!lineHasWord) {
      line.assign(word);
      lineHasWord = true;
      continue;
    }
    std::string longer = line + " ";
    longer.append(word);
    if (width(longer) <= maxWidth) {
      line = std::move(longer);
    } else {
      endLine();
      line.assign(word);
      lineHasWord = true;
    }
  }
  if (lineHasWord && lines.size() < kMaxOverlayTextLines) lines.push_back(line);
  return lines;
}

FontRecord OverlayFontAt(const FontRecord& itemFont, const FontRecord& chartFont, int ch) {
  FontRecord f = itemFont;
  const int chartHeight = chartFont.height();
  const int scaled = chartHeight != 0 ? MulDiv(ch, itemFont.height(), chartHeight) : -ch;
  // The chart font is a cell high; a font of height 0 takes the cell height.
  f.setHeight(scaled == 0 || scaled == -1 ? -ch : scaled);
  return f;
}

TextLayout LayoutTextItem(Overlays& overlays, int index, DrawSurface& s, int cw, int ch,
                          bool autoResize) {
  TextLayout t;
  OverlayItem& item = overlays.item(index);
  t.unit = std::max(1, s.MeasureText("x").width);
  const FontMetrics m = s.SelectFont(s.CurrentFont());
  t.lineHeight = std::max(1, m.lineHeight());
  const int oldWidth = item.rect.width() * cw, oldHeight = item.rect.height() * ch;
  int w = oldWidth, h = oldHeight;
  const bool tooSmall = w < 3 * t.unit || h < t.lineHeight;
  w = std::max(w, 3 * t.unit);
  h = std::max(h, t.lineHeight);
  auto measure = [&s](std::string_view text) { return s.MeasureText(text).width; };
  t.lines = WrapOverlayText(item.content, w - 2 * t.unit, measure);
  if (autoResize || tooSmall) {
    int widest = 0;
    for (const std::string& line : t.lines) widest = std::max(widest, measure(line));
    const int wantW = std::max(widest + 2 * t.unit, 3 * t.unit);
    const int wantH = (int(t.lines.size()) + 2) * t.lineHeight;
    // Shrinking never meets an obstacle; growing is tried against the rule.
    const int floorW = std::min(wantW, oldWidth), floorH = std::min(wantH, oldHeight);
    int tryW = wantW, tryH = wantH;
    auto cells = [&](int pw, int ph) {
      const CellRect& r = item.rect;
      return CellRect{r.left, r.top, r.left + std::max(1, CeilDiv(pw, cw)),
                      r.top + std::max(1, CeilDiv(ph, ch))};
    };
    while ((tryW > floorW || tryH > floorH) && overlays.Test(cells(tryW, tryH), index) != 0) {
      if (tryH > floorH)
        --tryH;
      else
        --tryW;
    }
    w = tryW;
    h = tryH;
    // A box that could not grow at all keeps its own cells.
    const CellRect next = cells(w, h);
    if (next != item.rect &&
        (overlays.Test(next, index) == 0 ||
         (next.right <= item.rect.right && next.bottom <= item.rect.bottom))) {
      item.rect = next;
      overlays.RebuildObstacles();
    }
    w = std::min(w, item.rect.width() * cw);
    h = std::min(h, item.rect.height() * ch);
  }
  t.width = w;
  t.height = h;
  return t;
}

}  // namespace dv
